#include "refmatrix/ui/backupdialog.h"

#include "controls/ui/rightsle.h"
#include "platform/ui/programicons.h"

#include <QLabel>
#include <QPushButton>

namespace zeva {

const DialogTemplate kVqFolderDialogTemplate{
    "VqFolderDialogWindow", "RM Dosyası (dBF) Yedekle ", 0, 0, 265, 44, "MS Shell Dlg", 8,
    DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Edit, 52, 6, 207, 12, ""},
        {101, CtlKind::PushButton, 150, 25, 52, 14, "&Tamam", CS_DEFAULT},
        {102, CtlKind::PushButton, 207, 25, 52, 14, "&İptal"},
        {103, CtlKind::Label, 6, 8, 44, 10, "Dizin girişi:"},
    }};

VQFOLDERDIALOGWINDOW::VQFOLDERDIALOGWINDOW(QWidget* owner, const QString& fileName)
    : TemplateDialog(kVqFolderDialogTemplate, owner)
{
    SLEYEDDIZ = new PBFILESLE(this, 100);
    pbTamam = control<QPushButton>(101);
    pbIptal = control<QPushButton>(102);
    FIXEDTEXT1 = control<QLabel>(103);

    setObjectName(QStringLiteral("VQFOLDERDIALOGWINDOW"));
    setWindowTitle(QStringLiteral("RM Dosyası (dBF) Yedekle "));
    setIcons(ZVXTOD());
    connect(pbTamam, &QPushButton::clicked, this, &VQFOLDERDIALOGWINDOW::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &VQFOLDERDIALOGWINDOW::PBIPTAL);

    SLEYEDDIZ->NDIALOGTYPE = 2;
    SLEYEDDIZ->SFDIALOGCAPTION = QStringLiteral("RM Dosyasını Yedeklemek İstediğiniz Dizini Seçiniz:");
    SLEYEDDIZ->SDBFNAME = fileName;
}

void VQFOLDERDIALOGWINDOW::PBTAMAM()
{
    SFFTXTVAL = SLEYEDDIZ->TEXTVALUE();
    done(1);
}

void VQFOLDERDIALOGWINDOW::PBIPTAL()
{
    done(0);
}

}  // namespace zeva
