#pragma once
// The please-wait box ACTALERT and the single-value form MBM_WIND.

#include "shell/ui/mousewindows.h"

class QLabel;
class QPushButton;

namespace zeva {

class VQSLE;

extern const DialogTemplate kActAlertTemplate;
extern const DialogTemplate kMbmWindTemplate;

// Modeless box shown before long work; it has no button and no close box and
// cannot be cancelled: the work that put it up takes it down.
class ACTALERT : public NEWDIALOGWINDOW {
    Q_OBJECT
public:
    explicit ACTALERT(QWidget* owner);
    QLabel* FIXEDTEXT1 = nullptr;

public slots:
    void PBIPTAL() override;
};

// Modal form asking one numeric value. CTXTVAL holds the preset until OK
// replaces it with the edit's text.
class MBM_WIND : public TemplateDialog {
    Q_OBJECT
public:
    MBM_WIND(QWidget* owner, const QString& prompt, const QString& preset);
    ~MBM_WIND() override;

    QLabel* FIXEDTEXT1 = nullptr;
    VQSLE* MBM_EDIT = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;

    QString CTXTVAL;

public slots:
    void PBTAMAM();
    void PBIPTAL() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void EDITFOCUSCHANGE();
};

}  // namespace zeva
