#include "core/ui/paramdialogs.h"

#include "core/numeric.h"
#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

namespace zeva {

const DialogTemplate kKyParmGirTemplate{
    "KYParmGir_Win", "Parametre Giriş", 78, 76, 154, 63, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Edit, 52, 7, 40, 11},
        {101, CtlKind::Label, 8, 3, 40, 17, "Mikser kapasitesi..:"},
        {102, CtlKind::Edit, 52, 25, 40, 11},
        {103, CtlKind::Label, 8, 29, 40, 11, "Para birimi..:"},
        {104, CtlKind::Label, 8, 44, 40, 11, "Ağırlık birimi:"},
        {105, CtlKind::Edit, 52, 44, 40, 11},
        {106, CtlKind::PushButton, 100, 14, 46, 13, "&Tamam", CS_DEFAULT},
        {107, CtlKind::PushButton, 100, 36, 46, 13, "&İptal"},
    }};

const DialogTemplate kGrParmGirTemplate{
    "GRParmGir_Win", "Parametre Giriş", 62, 69, 161, 63, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 8, 7, 48, 12, "Hayvan sayısı:"},
        {101, CtlKind::Label, 8, 44, 48, 11, "Ağırlık birimi....:"},
        {102, CtlKind::Label, 8, 25, 48, 13, "Para birimi......:"},
        {103, CtlKind::Edit, 60, 7, 40, 11},
        {104, CtlKind::Edit, 60, 44, 40, 11},
        {105, CtlKind::Edit, 60, 25, 40, 11},
        {106, CtlKind::PushButton, 108, 14, 46, 13, "&Tamam", CS_DEFAULT},
        {107, CtlKind::PushButton, 108, 36, 46, 13, "&İptal"},
    }};

ParamDialog::ParamDialog(const DialogTemplate& tpl, const Ids& ids, int decimals, QWidget* owner,
                         const QString& amount, const QString& currency, const QString& weight)
    : TemplateDialog(tpl, owner), decimals_(decimals)
{
    amount_ = control<VQSLE>(ids.amount);
    PARABIRIM = control<VQSLE>(ids.currency);
    AGIRBIRIM = control<VQSLE>(ids.weight);
    FIXEDTEXT1 = control<QLabel>(ids.text1);
    FIXEDTEXT2 = control<QLabel>(ids.text2);
    FIXEDTEXT3 = control<QLabel>(ids.text3);
    pbTamam = control<QPushButton>(ids.ok);
    pbIptal = control<QPushButton>(ids.cancel);

    setWindowTitle(QStringLiteral("Parametre Giriş"));
    setIcons(ZVXTOD());
    connect(pbTamam, &QPushButton::clicked, this, &ParamDialog::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &ParamDialog::PBIPTAL);
    for (VQSLE* edit : {amount_, PARABIRIM, AGIRBIRIM})
        connect(edit, &QLineEdit::textEdited, this, &ParamDialog::EDITCHANGE);
    amount_->installEventFilter(this);
    refuseMinusSign(amount_);

    POSTINIT(amount, currency, weight);
}

ParamDialog::~ParamDialog()
{
    amount_->removeEventFilter(this);
}

void ParamDialog::POSTINIT(const QString& amount, const QString& currency, const QString& weight)
{
    // The header's texts as they stand; setting them marks nothing as typed.
    amount_->setText(amount);
    PARABIRIM->setText(currency);
    AGIRBIRIM->setText(weight);
}

bool ParamDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == amount_ && event->type() == QEvent::FocusOut)
        EDITFOCUSCHANGE(amount_);
    return TemplateDialog::eventFilter(watched, event);
}

void ParamDialog::EDITFOCUSCHANGE(VQSLE* edit)
{
    // Leaving the amount after typing in it turns it into numeric text.
    if (edit == amount_ && amount_->isModified())
        amount_->setText(SDAYA(amount_->text(), decimals_));
}

void ParamDialog::EDITCHANGE()
{
    edited_ = true;
}

void ParamDialog::PBTAMAM()
{
    // OK may come while the amount still has the focus (Enter, Alt+T): it is
    // normalised as if the focus had left it.
    EDITFOCUSCHANGE(amount_);
    exportedAmount_ = amount_->text();
    // A comma would split the header field of the problem file.
    CPBIRIX = PARABIRIM->text().remove(QLatin1Char(','));
    CABIRIX = AGIRBIRIM->text().remove(QLatin1Char(','));
    accepted_ = true;
    done(QDialog::Accepted);
}

void ParamDialog::PBIPTAL()
{
    accepted_ = false;
    done(QDialog::Rejected);
}

ParamAnswer ParamDialog::answer() const
{
    ParamAnswer a;
    a.accepted = accepted_;
    a.edited = edited_;
    if (accepted_) {
        a.amount = exportedAmount_;
        a.currency = CPBIRIX;
        a.weight = CABIRIX;
    }
    return a;
}

KYPARMGIR_WIN::KYPARMGIR_WIN(QWidget* owner, const QString& amount, const QString& currency, const QString& weight)
    : ParamDialog(kKyParmGirTemplate, {100, 102, 105, 101, 103, 104, 106, 107}, 2, owner, amount, currency, weight)
{
    MIXCAPA = amountField();
}

GRPARMGIR_WIN::GRPARMGIR_WIN(QWidget* owner, const QString& amount, const QString& currency, const QString& weight)
    : ParamDialog(kGrParmGirTemplate, {103, 105, 104, 100, 101, 102, 106, 107}, 3, owner, amount, currency, weight)
{
    HAYSAY = amountField();
}

}  // namespace zeva
