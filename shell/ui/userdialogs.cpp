#include "shell/ui/userdialogs.h"

#include "platform/ui/controls.h"
#include "platform/ui/programicons.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/smallforms.h"

#include <QStatusBar>

#include <QLabel>
#include <QPushButton>

namespace zeva {

const DialogTemplate kLogonDialogTemplate{
    "LogonDialog", "Giriş", 0, 0, 177, 44, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 8, 7, 43, 11, "Kullanıcı adı:"},
        {101, CtlKind::Edit, 52, 7, 64, 11},
        {102, CtlKind::Label, 8, 25, 44, 11, "Parola.........:"},
        {103, CtlKind::Edit, 52, 25, 64, 11, "", CS_PASSWORD | CS_UPPERCASE},
        {104, CtlKind::PushButton, 124, 7, 46, 12, "&Tamam", CS_DEFAULT},
        {105, CtlKind::PushButton, 124, 25, 46, 13, "&İptal"},
    }};

const DialogTemplate kNewPasswordDialogTemplate{
    "NewPasswordDialog", "Kullanıcı Adı ve Parola Değişimi", 0, 0, 258, 80, "MS Shell Dlg", 8,
    DS_CAPTION | DS_SYSMENU | DS_MODALFRAME,
    {
        {100, CtlKind::Label, 8, 7, 73, 12, "Mevcut parolayı gir.....:"},
        {101, CtlKind::Edit, 84, 7, 75, 11, "", CS_PASSWORD},
        {102, CtlKind::Label, 8, 25, 73, 11, "Yeni parola gir............:"},
        {103, CtlKind::Edit, 84, 25, 111, 11, "Password:", CS_PASSWORD | CS_UPPERCASE},
        {104, CtlKind::Label, 8, 44, 73, 11, "Yeni parolayı tekrar gir:"},
        {105, CtlKind::Edit, 84, 44, 111, 11, "Password:", CS_PASSWORD | CS_UPPERCASE},
        {106, CtlKind::Edit, 84, 62, 111, 11},
        {107, CtlKind::Label, 8, 62, 72, 11, "Yeni kullanıcı adı gir....:"},
        {108, CtlKind::PushButton, 204, 29, 46, 12, "&Tamam", CS_DEFAULT},
        {109, CtlKind::PushButton, 204, 51, 46, 13, "&İptal"},
        {110, CtlKind::Bitmap, 212, 3, 20, 19, "LOCKEDBITMAP"},
        {111, CtlKind::Bitmap, 212, 3, 20, 19, "UNLOCKEDBITMAP"},
    }};

namespace {

const DialogTemplate& withBitmaps(const DialogTemplate& tpl)
{
    initShellBitmaps();
    return tpl;
}

// Capitals with the Turkish rule in place of the builder's upper-casing.
void turkishCapitals(VQSLE* edit)
{
    edit->setValidator(new TurkishUpperValidator(edit));
}

}  // namespace

LOGONDIALOG::LOGONDIALOG(QWidget* owner, const QString& dataPath, UserPort* port)
    : TemplateDialog(kLogonDialogTemplate, owner), dataPath_(dataPath), port_(port)
{
    if (!port_) {
        ownPort_ = std::make_unique<QtUserPort>(this);
        port_ = ownPort_.get();
    }
    THEFIXEDTEXT1 = control<QLabel>(100);
    NAME = control<VQSLE>(101);
    THEFIXEDTEXT2 = control<QLabel>(102);
    PASSWORD = control<VQSLE>(103);
    pbTamam = control<QPushButton>(104);
    pbIptal = control<QPushButton>(105);
    turkishCapitals(PASSWORD);
    setObjectName(QStringLiteral("LOGONDIALOG"));
    setWindowTitle(QStringLiteral("Giriş"));
    setIcons(ZVXTOD());
    centreOnScreen(this);
    connect(pbTamam, &QPushButton::clicked, this, &LOGONDIALOG::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &LOGONDIALOG::PBIPTAL);

    // POSTINIT
    LOGONOK = false;
    LOGONID.clear();
    NAME->setFocus();
}

LOGONDIALOG::~LOGONDIALOG() = default;

void LOGONDIALOG::PBTAMAM()
{
    switch (attempts_.attempt(*port_, dataPath_, NAME->text(), PASSWORD->text())) {
    case LogonAttempts::Outcome::LoggedOn:
    case LogonAttempts::Outcome::Failed:
        LOGONOK = attempts_.LOGONOK;
        LOGONID = attempts_.LOGONID;
        done(QDialog::Accepted);
        return;
    case LogonAttempts::Outcome::TryAgain:
        LOGONOK = false;
        LOGONID = attempts_.LOGONID;
        NAME->clear();
        PASSWORD->clear();
        NAME->setFocus();
        return;
    }
}

void LOGONDIALOG::PBIPTAL()
{
    attempts_.cancel();
    LOGONOK = false;
    LOGONID.clear();
    done(QDialog::Rejected);
}

NEWPASSWORDDIALOG::NEWPASSWORDDIALOG(QWidget* owner, const QString& caption, bool addUser, ActiveProblem& problem,
                                     UserPort* port)
    : TemplateDialog(withBitmaps(kNewPasswordDialogTemplate), owner),
      problem_(problem),
      port_(port),
      change_(problem.CDATAPATH, addUser)
{
    if (!port_) {
        // A refusal to open is told over the owner; later boxes over the dialog.
        ownPort_ = std::make_unique<QtUserPort>(owner);
        port_ = ownPort_.get();
    }
    THEFIXEDTEXT1 = control<QLabel>(100);
    CURRENTPASSWORDSLE = control<VQSLE>(101);
    THEFIXEDTEXT2 = control<QLabel>(102);
    NEWPASSWORDSLE = control<VQSLE>(103);
    THEFIXEDTEXT3 = control<QLabel>(104);
    RETYPEPASSWORDSLE = control<VQSLE>(105);
    SLENEWUSER = control<VQSLE>(106);
    FIXEDTEXT3 = control<QLabel>(107);
    pbTamam = control<QPushButton>(108);
    pbIptal = control<QPushButton>(109);
    LOCKEDBMP = control<QLabel>(110);
    UNLOCKEDBMP = control<QLabel>(111);
    for (QLabel* bmp : {LOCKEDBMP, UNLOCKEDBMP})
        bmp->setScaledContents(true);
    turkishCapitals(NEWPASSWORDSLE);
    turkishCapitals(RETYPEPASSWORDSLE);
    CURRENTPASSWORDSLE->setStatusTip(QStringLiteral("Aktif parolayı gir"));
    NEWPASSWORDSLE->setStatusTip(QStringLiteral("Yeni kullanıcı parolasını gir"));
    RETYPEPASSWORDSLE->setStatusTip(QStringLiteral("Yeni kullanıcı parolasını tekrar gir"));
    SLENEWUSER->setStatusTip(QStringLiteral("Yeni kullanıcı adını gir"));
    setObjectName(QStringLiteral("NEWPASSWORDDIALOG"));
    setIcons(ZVXTOD());
    centreOnScreen(this);
    connect(pbTamam, &QPushButton::clicked, this, &NEWPASSWORDDIALOG::PBTAMAM);
    connect(pbIptal, &QPushButton::clicked, this, &NEWPASSWORDDIALOG::PBIPTAL);
    connect(CURRENTPASSWORDSLE, &QLineEdit::textChanged, this, &NEWPASSWORDDIALOG::EDITCHANGE);

    // POSTINIT
    setWindowTitle(caption);
    opened_ = change_.open(*port_, problem_.CUSERID);
    if (ownPort_)
        ownPort_->setOwner(this);
    CURRENTPASSWORDSLE->clear();
    NEWPASSWORDSLE->clear();
    RETYPEPASSWORDSLE->clear();
    UNLOCKEDBMP->hide();
    CURRENTPASSWORDSLE->setFocus();
}

NEWPASSWORDDIALOG::~NEWPASSWORDDIALOG()
{
    change_.cancel();
}

void NEWPASSWORDDIALOG::EDITCHANGE(const QString& text)
{
    if (text.trimmed().isEmpty())
        return;
    if (change_.currentPasswordMatches(text)) {
        LOCKEDBMP->hide();
        UNLOCKEDBMP->show();
        NEWPASSWORDSLE->setFocus();
    } else {
        UNLOCKEDBMP->hide();
        LOCKEDBMP->show();
    }
}

void NEWPASSWORDDIALOG::PBTAMAM()
{
    const PasswordChange::Result result =
        change_.confirm(*port_, CURRENTPASSWORDSLE->text(), NEWPASSWORDSLE->text(), RETYPEPASSWORDSLE->text(),
                        SLENEWUSER->text());
    switch (result) {
    case PasswordChange::Result::Done:
        if (!change_.renamedId().isEmpty())
            problem_.CUSERID = change_.renamedId();
        done(QDialog::Accepted);
        return;
    case PasswordChange::Result::Refused:
        switch (change_.focus()) {
        case PasswordChange::Field::CurrentPassword:
            CURRENTPASSWORDSLE->setFocus();
            break;
        case PasswordChange::Field::NewPassword:
            NEWPASSWORDSLE->setFocus();
            break;
        case PasswordChange::Field::Name:
            SLENEWUSER->setFocus();
            break;
        case PasswordChange::Field::None:
            break;
        }
        return;
    case PasswordChange::Result::WriteFailed:
        return;
    case PasswordChange::Result::UserGone:
        done(QDialog::Rejected);
        return;
    }
}

void NEWPASSWORDDIALOG::PBIPTAL()
{
    change_.cancel();
    done(QDialog::Rejected);
}

LogonOutcome runLogon(QWidget* owner, ActiveProblem& problem, UserPort* port, const DialogRunner& runner)
{
    LOGONDIALOG dialog(owner, problem.CDATAPATH, port);
    runModal(dialog, runner);
    LogonOutcome outcome{dialog.LOGONOK, dialog.LOGONID};
    if (outcome.LOGONOK)
        problem.CUSERID = outcome.LOGONID;
    return outcome;
}

namespace {

void runUserDialog(QWidget* owner, const QString& caption, bool addUser, ActiveProblem& problem, UserPort* port,
                   const DialogRunner& runner)
{
    NEWPASSWORDDIALOG dialog(owner, caption, addUser, problem, port);
    if (dialog.opened())
        runModal(dialog, runner);
}

}  // namespace

void ADDNEWUSER(QWidget* owner, ActiveProblem& problem, UserPort* port, const DialogRunner& runner)
{
    runUserDialog(owner, QStringLiteral("Yeni Kullanıcı Ekle"), true, problem, port, runner);
}

void CHANGEUANDP(QWidget* owner, ActiveProblem& problem, UserPort* port, const DialogRunner& runner)
{
    runUserDialog(owner, QStringLiteral("Ad ve Parola Değiştir"), false, problem, port, runner);
}

}  // namespace zeva
