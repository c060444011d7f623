#pragma once
// The login dialog LOGONDIALOG and the user and password dialog
// NEWPASSWORDDIALOG, with the calls the start-up and the main window make.

#include "core/activeproblem.h"
#include "core/userport.h"
#include "platform/ui/dialogtemplate.h"
#include "shell/ui/dialogsupport.h"
#include "shell/usertable.h"

#include <memory>

class QLabel;
class QPushButton;

namespace zeva {

class QtUserPort;
class VQSLE;

extern const DialogTemplate kLogonDialogTemplate;
extern const DialogTemplate kNewPasswordDialogTemplate;

// Asks the user name and password; three attempts. Messages go through `port`
// (a Qt port owned by the dialog when none is given).
class LOGONDIALOG : public TemplateDialog {
    Q_OBJECT
public:
    explicit LOGONDIALOG(QWidget* owner, const QString& dataPath = G().CDATAPATH, UserPort* port = nullptr);
    ~LOGONDIALOG() override;

    QLabel* THEFIXEDTEXT1 = nullptr;
    VQSLE* NAME = nullptr;
    QLabel* THEFIXEDTEXT2 = nullptr;
    VQSLE* PASSWORD = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;

    // Read after the dialog has ended.
    bool LOGONOK = false;
    QString LOGONID;
    int NLOGONTRY() const { return attempts_.NLOGONTRY; }

public slots:
    void PBTAMAM();
    void PBIPTAL() override;

private:
    QString dataPath_;
    UserPort* port_;
    std::unique_ptr<QtUserPort> ownPort_;
    LogonAttempts attempts_;
};

// Changes the logged-on user's id and password (change mode) or adds a user
// (add mode). When the table cannot be read or the logged-on user's record is
// missing it says so while being built, and opened() is false: the caller does
// not show it. OK acts on the table as it is then (see PasswordChange); when
// the record has gone meanwhile it says so and ends without writing.
class NEWPASSWORDDIALOG : public TemplateDialog {
    Q_OBJECT
public:
    NEWPASSWORDDIALOG(QWidget* owner, const QString& caption, bool addUser, ActiveProblem& problem = G(),
                      UserPort* port = nullptr);
    ~NEWPASSWORDDIALOG() override;

    bool opened() const { return opened_; }
    bool LADDUSER() const { return change_.addUser(); }

    QLabel* THEFIXEDTEXT1 = nullptr;
    VQSLE* CURRENTPASSWORDSLE = nullptr;
    QLabel* THEFIXEDTEXT2 = nullptr;
    VQSLE* NEWPASSWORDSLE = nullptr;
    QLabel* THEFIXEDTEXT3 = nullptr;
    VQSLE* RETYPEPASSWORDSLE = nullptr;
    VQSLE* SLENEWUSER = nullptr;
    QLabel* FIXEDTEXT3 = nullptr;
    QPushButton* pbTamam = nullptr;
    QPushButton* pbIptal = nullptr;
    QLabel* LOCKEDBMP = nullptr;
    QLabel* UNLOCKEDBMP = nullptr;

public slots:
    void PBTAMAM();
    void PBIPTAL() override;

private:
    void EDITCHANGE(const QString& text);

    ActiveProblem& problem_;
    UserPort* port_;
    std::unique_ptr<QtUserPort> ownPort_;
    PasswordChange change_;
    bool opened_ = false;
};

// What the login hands back.
struct LogonOutcome {
    bool LOGONOK = false;
    QString LOGONID;  // the stored id (20 characters) when LOGONOK
};

// The start-up's login: runs LOGONDIALOG over the user table of
// problem.CDATAPATH, owned by `owner` (the main window). When the login
// succeeds problem.CUSERID becomes the id; when it fails the start-up ends the
// program.
LogonOutcome runLogon(QWidget* owner, ActiveProblem& problem = G(), UserPort* port = nullptr,
                      const DialogRunner& runner = {});

// The two user commands of the main menu ("Yeni Kullanıcı &Ekle" and
// "Ad ve &Parola Değiştir"); `owner` is the main window.
void ADDNEWUSER(QWidget* owner, ActiveProblem& problem = G(), UserPort* port = nullptr,
                const DialogRunner& runner = {});
void CHANGEUANDP(QWidget* owner, ActiveProblem& problem = G(), UserPort* port = nullptr,
                 const DialogRunner& runner = {});

}  // namespace zeva
