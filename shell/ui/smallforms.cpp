#include "shell/ui/smallforms.h"

#include "core/numeric.h"
#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace zeva {

const DialogTemplate kActAlertTemplate{
    "ActAlert", "İşlem Mesajı", 166, 98, 200, 21, "MS Shell Dlg", 8, DS_CAPTION,
    {
        {100, CtlKind::Label, 13, 6, 180, 12, "İşlemler yürütülüyor. Lütfen bekleyiniz!"},
    }};

const DialogTemplate kMbmWindTemplate{
    "MBM_Wind", "Makro BM Yeni Değer Girişi", 71, 105, 221, 44, "MS Shell Dlg", 8,
    DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 4, 7, 159, 18, "Fixed Text"},
        {101, CtlKind::Edit, 168, 7, 49, 12},
        {102, CtlKind::PushButton, 72, 29, 46, 12, "&Tamam", CS_DEFAULT},
        {103, CtlKind::PushButton, 124, 29, 46, 12, "&İptal"},
    }};

ACTALERT::ACTALERT(QWidget* owner) : NEWDIALOGWINDOW(kActAlertTemplate, owner)
{
    setModal(false);
    FIXEDTEXT1 = control<QLabel>(100);
    FIXEDTEXT1->setFont(templateFont(QStringLiteral("MS Sans Serif"), 10, true));
    setLabelText(FIXEDTEXT1, QStringLiteral("İşlemler yürütülüyor. Lütfen bekleyiniz!"));
    setWindowTitle(QStringLiteral("İşlem Mesajı"));
    setIcons(ZVXTOD());
}

void ACTALERT::PBIPTAL()
{
    // Neither Esc nor a close request takes the box down.
}

MBM_WIND::MBM_WIND(QWidget* owner, const QString& prompt, const QString& preset)
    : TemplateDialog(kMbmWindTemplate, owner)
{
    FIXEDTEXT1 = control<QLabel>(100);
    FIXEDTEXT1->setFont(templateFont(QStringLiteral("Arial"), 10));
    MBM_EDIT = control<VQSLE>(101);
    pbTamam = control<QPushButton>(102);
    pbIptal = control<QPushButton>(103);
    setButtonText(pbTamam, QStringLiteral("&Tamam"));
    setButtonText(pbIptal, QStringLiteral("&İptal"));
    setWindowTitle(QStringLiteral("Makro BM Yeni Değer Girişi"));
    setIcons(ZVXTOD());
    connect(pbTamam, &QPushButton::clicked, this, &MBM_WIND::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &MBM_WIND::PBIPTAL);
    MBM_EDIT->installEventFilter(this);
    refuseMinusSign(MBM_EDIT);

    // POSTINIT
    setLabelText(FIXEDTEXT1, prompt);
    MBM_EDIT->setText(preset);
    CTXTVAL = preset;
}

MBM_WIND::~MBM_WIND()
{
    MBM_EDIT->removeEventFilter(this);
}

bool MBM_WIND::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == MBM_EDIT && event->type() == QEvent::FocusOut)
        EDITFOCUSCHANGE();
    return TemplateDialog::eventFilter(watched, event);
}

void MBM_WIND::EDITFOCUSCHANGE()
{
    if (MBM_EDIT->isModified())
        MBM_EDIT->setText(SDAYA(MBM_EDIT->text(), 4));
}

void MBM_WIND::PBTAMAM()
{
    // OK from the keyboard while the edit has the focus: normalise it as the
    // focus change would have.
    EDITFOCUSCHANGE();
    CTXTVAL = MBM_EDIT->text();
    done(QDialog::Accepted);
}

void MBM_WIND::PBIPTAL()
{
    done(QDialog::Rejected);
}

}  // namespace zeva
