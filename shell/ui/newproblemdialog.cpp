#include "shell/ui/newproblemdialog.h"

#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"
#include "shell/ui/dialogsupport.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace zeva {

const DialogTemplate kYeniDosyaWindowTemplate{
    "YeniDosyaWindow", "Yeni...", 0, 0, 276, 65, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {105, CtlKind::GroupBox, 8, 3, 116, 37, "Formülasyon tipi"},
        {103, CtlKind::RadioButton, 16, 18, 53, 11, "&Karma yem", CS_GROUP},
        {104, CtlKind::RadioButton, 72, 18, 40, 11, "&Rasyon"},
        {106, CtlKind::Label, 8, 48, 36, 11, "Dosya Adı:"},
        {100, CtlKind::Edit, 48, 48, 220, 11, "", CS_NONE, 65},
        {101, CtlKind::PushButton, 220, 7, 48, 12, "&Tamam", CS_DEFAULT},
        {102, CtlKind::PushButton, 220, 25, 48, 13, "&İptal"},
    }};

YENIDOSYAWINDOW::YENIDOSYAWINDOW(QWidget* owner) : TemplateDialog(kYeniDosyaWindowTemplate, owner)
{
    DOSYAADILINE = control<VQSLE>(100);
    pbTamam = control<QPushButton>(101);
    pbIptal = control<QPushButton>(102);
    KYEMBUTTON = control<QRadioButton>(103);
    GRASBUTTON = control<QRadioButton>(104);
    RADIOBUTTONGROUP1 = control<QGroupBox>(105);
    FT_DADI = control<QLabel>(106);
    DOSYAADILINE->setMaxLength(65);
    setObjectName(QStringLiteral("YENIDOSYAWINDOW"));
    setWindowTitle(QStringLiteral("Yeni..."));
    setIcons(ZVXTOD());
    centreOnScreen(this);
    connect(pbTamam, &QPushButton::clicked, this, &YENIDOSYAWINDOW::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &YENIDOSYAWINDOW::PBIPTAL);
    connect(KYEMBUTTON, &QRadioButton::clicked, this, &YENIDOSYAWINDOW::BUTTONCLICK);
    connect(GRASBUTTON, &QRadioButton::clicked, this, &YENIDOSYAWINDOW::BUTTONCLICK);

    // POSTINIT: a compound feed unless the user chooses otherwise.
    KYEMBUTTON->setChecked(true);
}

void YENIDOSYAWINDOW::BUTTONCLICK()
{
    // Choosing the type leads straight to typing the name.
    DOSYAADILINE->setFocus(Qt::OtherFocusReason);
}

void YENIDOSYAWINDOW::PBTAMAM()
{
    CDOSYA = DOSYAADILINE->text();
    NFTIP = KYEMBUTTON->isChecked() ? 1 : 2;
    done(1);
}

void YENIDOSYAWINDOW::PBIPTAL()
{
    done(QDialog::Rejected);
}

}  // namespace zeva
