#pragma once
// YENIDOSYAWINDOW: the new-problem dialog. It only collects the file name and
// the formulation type; the New command does the rest.

#include "platform/ui/dialogtemplate.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zeva {

class VQSLE;

extern const DialogTemplate kYeniDosyaWindowTemplate;

class YENIDOSYAWINDOW : public TemplateDialog {
    Q_OBJECT
public:
    explicit YENIDOSYAWINDOW(QWidget* owner);

    VQSLE* DOSYAADILINE = nullptr;        // 100, at most 65 characters
    QPushButton* pbTamam = nullptr;       // 101
    QPushButton* pbIptal = nullptr;       // 102
    QRadioButton* KYEMBUTTON = nullptr;   // 103 "&Karma yem"
    QRadioButton* GRASBUTTON = nullptr;   // 104 "&Rasyon"
    QGroupBox* RADIOBUTTONGROUP1 = nullptr;  // 105
    QLabel* FT_DADI = nullptr;            // 106

    // Read after the dialog has closed: the name as typed (empty until OK)
    // and the type, 1 compound feed or 2 daily ration (0 until OK).
    QString CDOSYA;
    quint16 NFTIP = 0;

public slots:
    void PBTAMAM();
    void PBIPTAL() override;

private:
    void BUTTONCLICK();
};

}  // namespace zeva
