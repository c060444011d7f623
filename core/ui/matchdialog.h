#pragma once
// CB_HSEC, the name-matching dialog ("Eşleştirme Diyaloğu"): a name that has
// no same-named counterpart, and a drop-down list of candidates. "Tamam" takes
// the chosen candidate (and stays open while none is chosen), "Atla" skips the
// name, "İptal" stops the caller's command. The caller reads RESULT and
// NSELECTED after the dialog has closed. The dialog knows nothing of problems
// or tables.

#include "platform/ui/dialogtemplate.h"

#include <QStringList>

class QLabel;
class QPushButton;

namespace zeva {

class VQCOMBOBOX;

extern const DialogTemplate kCbHsecTemplate;

class CB_HSEC : public TemplateDialog {
    Q_OBJECT
public:
    CB_HSEC(QWidget* owner, const QString& name, const QStringList& candidates);

    VQCOMBOBOX* CBHSEC = nullptr;  // candidates
    QPushButton* pbTamam = nullptr;
    QPushButton* pbAtla = nullptr;
    QPushButton* pbIptal = nullptr;
    QLabel* FT_BM_UN = nullptr;    // the prompt

    // Position (from 1) of the chosen candidate after "Tamam"; 0 otherwise.
    int NSELECTED = 0;
    // 1 "Tamam", 2 "Atla", 0 "İptal" and every other way of closing.
    int RESULT() const { return result(); }

public slots:
    void PBTAMAM();
    void PB_ATLA();
    void PBIPTAL() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zeva
