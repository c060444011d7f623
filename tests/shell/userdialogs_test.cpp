// The login dialog and the user and password dialog, driven through their
// widgets over a user table in a temporary folder.
#include "shell/ui/userdialogs.h"

#include "platform/atomicfile.h"
#include "platform/filelock.h"
#include "platform/ui/controls.h"
#include "support/fakeport.h"
#include "support/tempdir.h"
#include "support/typing.h"
#include "usertestutil.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace zeva;
using namespace zeva::test;

namespace {

QString pad20(const QString& s) { return s.leftJustified(20, QLatin1Char(' '), true); }

void show(QDialog& dlg)
{
    dlg.open();
    QApplication::setActiveWindow(&dlg);
}

class UserDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        writeUsers(dir_.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")},
                                 {QStringLiteral("ALİ"), QStringLiteral("GİZLİ")}});
        p_.CDATAPATH = dir_.path();
        p_.CUSERID = pad20(QStringLiteral("QAVE"));
    }
    QByteArray tableBytes() const { return fileBytes(userTablePath(dir_.path())); }
    QByteArray indexBytes() const { return fileBytes(userIndexPath(dir_.path())); }

    TempDir dir_;
    ActiveProblem p_;
    FakePort port_;
};

// Types the two texts and presses OK (or Enter in the password edit).
void logon(LOGONDIALOG& dlg, const QString& name, const QString& password, bool enter = false)
{
    typeText(dlg.NAME, name);
    typeText(dlg.PASSWORD, password);
    if (enter)
        QTest::keyClick(dlg.PASSWORD, Qt::Key_Return);
    else
        dlg.pbTamam->click();
}

}  // namespace

TEST_F(UserDialogTest, LogonWithTheIdInSmallLettersSetsTheUser)
{
    int runs = 0;
    const LogonOutcome outcome = runLogon(nullptr, p_, &port_, [&](QDialog& d) {
        ++runs;
        auto& dlg = static_cast<LOGONDIALOG&>(d);
        show(dlg);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Giriş"));
        EXPECT_EQ(dlg.THEFIXEDTEXT1->text(), QStringLiteral("Kullanıcı adı:"));
        EXPECT_EQ(dlg.THEFIXEDTEXT2->text(), QStringLiteral("Parola.........:"));
        EXPECT_EQ(dlg.PASSWORD->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(dlg.pbTamam->isDefault());
        EXPECT_EQ(QApplication::focusWidget(), dlg.NAME);
        typeText(dlg.NAME, QStringLiteral("qave"));
        typeText(dlg.PASSWORD, QStringLiteral("wn83"));
        EXPECT_EQ(dlg.NAME->text(), QStringLiteral("qave"));
        EXPECT_EQ(dlg.PASSWORD->text(), QStringLiteral("WN83"));
        QTest::keyClick(dlg.PASSWORD, Qt::Key_Return);
        EXPECT_FALSE(dlg.isVisible());
        return dlg.result();
    });
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(outcome.LOGONOK);
    EXPECT_EQ(outcome.LOGONID, pad20(QStringLiteral("QAVE")));
    EXPECT_EQ(p_.CUSERID, pad20(QStringLiteral("QAVE")));
    EXPECT_TRUE(port_.log.isEmpty());
}

TEST_F(UserDialogTest, LogonEditsAndTheirOutcomes)
{
    const struct {
        const char* name;
        const char* password;
        bool ok;
        bool message;
    } cases[] = {
        {"QAVE", "WN83", true, false},
        {"QAVE", "  wn83 ", true, false},  // blanks around the password do not count
        {"ali", "gizli", true, false},     // the password edit turns it into GİZLİ
        {"ALI", "GIZLI", true, false},
        {"Q", "WN83", false, true},        // no logon on a beginning of an id
        {"QAVE", "WN84", false, true},
        {"", "WN83", false, false},        // an empty name is never found, and not told
        {"qave", "", false, true},
    };
    for (const auto& c : cases) {
        LOGONDIALOG dlg(nullptr, dir_.path(), &port_);
        show(dlg);
        port_.boxes.clear();
        logon(dlg, QString::fromUtf8(c.name), QString::fromUtf8(c.password));
        EXPECT_EQ(dlg.LOGONOK, c.ok) << c.name << "/" << c.password;
        EXPECT_EQ(dlg.isVisible(), !c.ok) << c.name;
        EXPECT_EQ(port_.boxes.size(), c.message ? 1 : 0) << c.name;
        if (c.message) {
            EXPECT_EQ(port_.boxes.at(0).text, QStringLiteral("Geçersiz giriş teşebbüsü!"));
            EXPECT_EQ(port_.boxes.at(0).title, QStringLiteral("Hata..."));
            EXPECT_EQ(port_.boxes.at(0).type, BOX_ERROR);
        }
        if (!c.ok) {
            // Both fields emptied, the focus back on the name, the next attempt counted.
            EXPECT_TRUE(dlg.NAME->text().isEmpty());
            EXPECT_TRUE(dlg.PASSWORD->text().isEmpty());
            EXPECT_EQ(QApplication::focusWidget(), dlg.NAME) << c.name;
            EXPECT_EQ(dlg.NLOGONTRY(), 2);
        }
    }
}

TEST_F(UserDialogTest, ThreeFailuresEndTheLogonAfterTwoMessages)
{
    const LogonOutcome outcome = runLogon(nullptr, p_, &port_, [&](QDialog& d) {
        auto& dlg = static_cast<LOGONDIALOG&>(d);
        show(dlg);
        logon(dlg, QStringLiteral("QAVE"), QStringLiteral("X"));
        logon(dlg, QStringLiteral("NOBODY"), QStringLiteral("WN83"), true);
        EXPECT_TRUE(dlg.isVisible());
        logon(dlg, QStringLiteral("QAVE"), QStringLiteral("Y"));
        EXPECT_FALSE(dlg.isVisible());
        return dlg.result();
    });
    EXPECT_FALSE(outcome.LOGONOK);
    EXPECT_EQ(port_.boxTexts(BOX_ERROR),
              QStringList(2, QStringLiteral("Geçersiz giriş teşebbüsü!")));
    EXPECT_TRUE(p_.CUSERID == pad20(QStringLiteral("QAVE")));  // untouched by a failed login
}

TEST_F(UserDialogTest, CancelEscAndCloseBoxEndTheLogonWithoutAUser)
{
    for (int way = 0; way < 4; ++way) {
        ActiveProblem p;
        p.CDATAPATH = dir_.path();
        const LogonOutcome outcome = runLogon(nullptr, p, &port_, [&](QDialog& d) {
            auto& dlg = static_cast<LOGONDIALOG&>(d);
            show(dlg);
            logon(dlg, QStringLiteral("QAVE"), QStringLiteral("WRONG"));  // finds the id
            typeText(dlg.NAME, QStringLiteral("QAVE"));
            typeText(dlg.PASSWORD, QStringLiteral("WN83"));
            switch (way) {
            case 0: dlg.pbIptal->click(); break;
            case 1: QTest::keyClick(dlg.NAME, Qt::Key_Escape); break;
            case 2: QTest::keyClick(dlg.PASSWORD, Qt::Key_Escape); break;
            default: dlg.close(); break;
            }
            EXPECT_FALSE(dlg.isVisible()) << way;
            EXPECT_TRUE(dlg.LOGONID.isEmpty()) << way;
            return dlg.result();
        });
        EXPECT_FALSE(outcome.LOGONOK) << way;
        EXPECT_TRUE(outcome.LOGONID.isEmpty()) << way;
        EXPECT_TRUE(p.CUSERID.isEmpty()) << way;
    }
}

TEST_F(UserDialogTest, TheSafeOpensWhileTheRightPasswordIsTyped)
{
    NEWPASSWORDDIALOG dlg(nullptr, QStringLiteral("Ad ve Parola Değiştir"), false, p_, &port_);
    ASSERT_TRUE(dlg.opened());
    show(dlg);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Ad ve Parola Değiştir"));
    EXPECT_TRUE(dlg.NEWPASSWORDSLE->text().isEmpty());
    EXPECT_TRUE(dlg.RETYPEPASSWORDSLE->text().isEmpty());
    EXPECT_EQ(dlg.CURRENTPASSWORDSLE->echoMode(), QLineEdit::Password);
    EXPECT_FALSE(dlg.LOCKEDBMP->isHidden());
    EXPECT_TRUE(dlg.UNLOCKEDBMP->isHidden());
    ASSERT_FALSE(dlg.LOCKEDBMP->pixmap().isNull());
    ASSERT_FALSE(dlg.UNLOCKEDBMP->pixmap().isNull());
    EXPECT_NE(dlg.LOCKEDBMP->pixmap().toImage(), dlg.UNLOCKEDBMP->pixmap().toImage());

    dlg.CURRENTPASSWORDSLE->setFocus();
    typeText(dlg.CURRENTPASSWORDSLE, QStringLiteral("wn8"));
    EXPECT_TRUE(dlg.UNLOCKEDBMP->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), dlg.CURRENTPASSWORDSLE);
    typeText(dlg.CURRENTPASSWORDSLE, QStringLiteral("3"));
    EXPECT_TRUE(dlg.LOCKEDBMP->isHidden());
    EXPECT_FALSE(dlg.UNLOCKEDBMP->isHidden());
    EXPECT_EQ(QApplication::focusWidget(), dlg.NEWPASSWORDSLE);
    QTest::keyClick(dlg.CURRENTPASSWORDSLE, Qt::Key_Backspace);
    EXPECT_FALSE(dlg.LOCKEDBMP->isHidden());
    EXPECT_TRUE(dlg.UNLOCKEDBMP->isHidden());
    // Emptied: the picture stays as it was.
    dlg.CURRENTPASSWORDSLE->clear();
    EXPECT_FALSE(dlg.LOCKEDBMP->isHidden());
    EXPECT_TRUE(port_.log.isEmpty());
}

TEST_F(UserDialogTest, PasswordDialogOkTable)
{
    const QByteArray table = tableBytes();
    enum Focus { Current, New, Name, Closed };
    const auto unchanged = QList<QPair<QString, QString>>{{pad20(QStringLiteral("QAVE")), pad20(QStringLiteral("WN83"))},
                                                          {pad20(QStringLiteral("ALİ")), pad20(QStringLiteral("GİZLİ"))}};
    const struct {
        const char* what;
        bool add;
        const char* current;
        const char* newPassword;
        const char* retyped;
        const char* name;
        int boxType;          // 0: no box
        const char* box;
        Focus focus;
        const char* storedId;  // the changed or added record; null: table unchanged
        const char* storedPassword;
        const char* userId;    // CUSERID afterwards
    } cases[] = {
        {"current empty", false, "", "ABC", "ABC", "", 0, nullptr, Current, nullptr, nullptr, "QAVE"},
        {"current blanks", false, "   ", "ABC", "ABC", "", 0, nullptr, Current, nullptr, nullptr, "QAVE"},
        {"current wrong", false, "WN8", "ABC", "ABC", "", BOX_ERROR, "Mevcut parola girişi geçersiz!", Current,
         nullptr, nullptr, "QAVE"},
        {"new blank", false, "wn83", "   ", "   ", "", BOX_ERROR, "Yeni parola girmeniz gerekir!", New, nullptr,
         nullptr, "QAVE"},
        {"retyped differs", false, "WN83", "ABC", "ABD", "", BOX_ERROR, "Yeni parola girişi geçersiz!", New, nullptr,
         nullptr, "QAVE"},
        {"leading blank differs", false, "WN83", " ABC", "ABC", "", BOX_ERROR, "Yeni parola girişi geçersiz!", New,
         nullptr, nullptr, "QAVE"},
        {"trailing blanks do not count; empty name keeps the id", false, "WN83", "abc  ", "ABC", "", 0, nullptr,
         Closed, "QAVE", "ABC", "QAVE"},
        {"own id again", false, "WN83", "ABC", "ABC", " qave ", 0, nullptr, Closed, "QAVE", "ABC", "QAVE"},
        {"rename", false, "WN83", "sır", "SIR", "yeni", 0, nullptr, Closed, "YENİ", "SIR", "YENİ"},
        {"rename onto another user", false, "WN83", "ABC", "ABC", "ali", BOX_INFO, "Aynı isimde bir kullanıcı var!",
         Name, nullptr, nullptr, "QAVE"},
        {"add without a name", true, "WN83", "ABC", "ABC", "  ", BOX_INFO, "Yeni kullanıcı ismi girilmedi!", Name,
         nullptr, nullptr, "QAVE"},
        {"add a taken name", true, "WN83", "ABC", "ABC", "QaVe", BOX_INFO, "Aynı isimde bir kullanıcı var!", Name,
         nullptr, nullptr, "QAVE"},
        {"add a name taken under the other i", true, "WN83", "ABC", "ABC", "ALI", BOX_INFO,
         "Aynı isimde bir kullanıcı var!", Name, nullptr, nullptr, "QAVE"},
        {"add", true, "wn83", "gizli", "gizli", "veli", 0, nullptr, Closed, "VELİ", "GİZLİ", "QAVE"},
        {"add, cut to 20", true, "WN83", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
         "uzun bir kullanici adi", 0, nullptr, Closed, "UZUN BİR KULLANİCİ A", "ABCDEFGHIJKLMNOPQRST", "QAVE"},
    };
    for (const auto& c : cases) {
        writeFileAtomically(userTablePath(dir_.path()), table);
        p_.CUSERID = pad20(QStringLiteral("QAVE"));
        FakePort port;
        NEWPASSWORDDIALOG dlg(nullptr, QStringLiteral("x"), c.add, p_, &port);
        ASSERT_TRUE(dlg.opened()) << c.what;
        show(dlg);
        typeText(dlg.CURRENTPASSWORDSLE, QString::fromUtf8(c.current));
        typeText(dlg.NEWPASSWORDSLE, QString::fromUtf8(c.newPassword));
        typeText(dlg.RETYPEPASSWORDSLE, QString::fromUtf8(c.retyped));
        typeText(dlg.SLENEWUSER, QString::fromUtf8(c.name));
        EXPECT_EQ(dlg.NEWPASSWORDSLE->text(), turkishUpper(QString::fromUtf8(c.newPassword))) << c.what;
        dlg.pbTamam->setFocus();
        dlg.pbTamam->click();

        EXPECT_EQ(port.boxes.size(), c.boxType ? 1 : 0) << c.what;
        if (c.boxType && !port.boxes.isEmpty()) {
            EXPECT_EQ(port.boxes.at(0).type, c.boxType) << c.what;
            EXPECT_EQ(port.boxes.at(0).text, QString::fromUtf8(c.box)) << c.what;
            EXPECT_EQ(port.boxes.at(0).title,
                      c.boxType == BOX_INFO ? QStringLiteral("Uyarı") : QStringLiteral("Hata..."));
        }
        EXPECT_EQ(dlg.isVisible(), c.focus != Closed) << c.what;
        QWidget* const focus[] = {dlg.CURRENTPASSWORDSLE, dlg.NEWPASSWORDSLE, dlg.SLENEWUSER};
        if (c.focus != Closed) {
            EXPECT_EQ(QApplication::focusWidget(), focus[c.focus]) << c.what;
        }

        const auto users = storedUsers(dir_.path());
        if (!c.storedId) {
            EXPECT_EQ(tableBytes(), table) << c.what;
        } else {
            QList<QPair<QString, QString>> expected = unchanged;
            const auto row = qMakePair(pad20(QString::fromUtf8(c.storedId)), pad20(QString::fromUtf8(c.storedPassword)));
            if (c.add)
                expected << row;
            else
                expected[0] = row;
            EXPECT_EQ(users, expected) << c.what;
            // The index follows the table, with its unique flag.
            const WalkedIndex index = walkIndex(userIndexPath(dir_.path()));
            EXPECT_TRUE(index.ok && index.unique) << c.what;
            EXPECT_EQ(index.keys.size(), expected.size()) << c.what;
            for (qsizetype i = 1; i < index.keys.size(); ++i)
                EXPECT_LE(cp1254::encode(index.keys.at(i - 1).first), cp1254::encode(index.keys.at(i).first));
        }
        EXPECT_EQ(p_.CUSERID, pad20(QString::fromUtf8(c.userId))) << c.what;
    }
}

TEST_F(UserDialogTest, CancelAfterRefusalsWritesNothing)
{
    const QByteArray table = tableBytes();
    const QByteArray index = indexBytes();
    for (int way = 0; way < 3; ++way) {
        NEWPASSWORDDIALOG dlg(nullptr, QStringLiteral("Yeni Kullanıcı Ekle"), true, p_, &port_);
        ASSERT_TRUE(dlg.opened());
        show(dlg);
        typeText(dlg.CURRENTPASSWORDSLE, QStringLiteral("WN83"));
        typeText(dlg.NEWPASSWORDSLE, QStringLiteral("ABC"));
        typeText(dlg.RETYPEPASSWORDSLE, QStringLiteral("ABC"));
        typeText(dlg.SLENEWUSER, QStringLiteral("QAVE"));
        dlg.pbTamam->click();
        dlg.SLENEWUSER->clear();
        dlg.pbTamam->click();
        EXPECT_TRUE(dlg.isVisible());
        switch (way) {
        case 0: dlg.pbIptal->click(); break;
        case 1: QTest::keyClick(dlg.SLENEWUSER, Qt::Key_Escape); break;
        default: dlg.close(); break;
        }
        EXPECT_FALSE(dlg.isVisible()) << way;
        EXPECT_EQ(tableBytes(), table) << way;
        EXPECT_EQ(indexBytes(), index) << way;
    }
}

TEST_F(UserDialogTest, AcceptedPasswordStillCountsAfterARefusedName)
{
    NEWPASSWORDDIALOG dlg(nullptr, QStringLiteral("Yeni Kullanıcı Ekle"), true, p_, &port_);
    show(dlg);
    typeText(dlg.CURRENTPASSWORDSLE, QStringLiteral("wn83"));
    typeText(dlg.NEWPASSWORDSLE, QStringLiteral("P"));
    typeText(dlg.RETYPEPASSWORDSLE, QStringLiteral("P"));
    typeText(dlg.SLENEWUSER, QStringLiteral("ALİ"));
    dlg.pbTamam->click();
    EXPECT_EQ(port_.boxTexts(BOX_INFO), QStringList{QStringLiteral("Aynı isimde bir kullanıcı var!")});
    dlg.SLENEWUSER->clear();
    typeText(dlg.SLENEWUSER, QStringLiteral("AYŞE"));
    dlg.pbTamam->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(storedUsers(dir_.path()).constLast(), qMakePair(pad20(QStringLiteral("AYŞE")), pad20(QStringLiteral("P"))));
}

TEST_F(UserDialogTest, TheDialogDoesNotOpenWithoutTheLoggedOnUsersRecord)
{
    const struct {
        const char* what;
        QString userId;
        QString folder;
        QString message;
    } cases[] = {
        {"renamed away", pad20(QStringLiteral("GONE")), dir_.path(), QStringLiteral("Aktif kullanıcının kaydı bulunamadı!")},
        {"login off", QString(), dir_.path(), QStringLiteral("Aktif kullanıcının kaydı bulunamadı!")},
        {"no table", pad20(QStringLiteral("QAVE")), dir_.file(QStringLiteral("none")), kUserTableOpenError},
    };
    for (const auto& c : cases) {
        for (bool add : {false, true}) {
            ActiveProblem p;
            p.CDATAPATH = c.folder;
            p.CUSERID = c.userId;
            FakePort port;
            int runs = 0;
            auto runner = [&](QDialog&) { return ++runs; };
            if (add)
                ADDNEWUSER(nullptr, p, &port, runner);
            else
                CHANGEUANDP(nullptr, p, &port, runner);
            EXPECT_EQ(runs, 0) << c.what;
            EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{c.message}) << c.what;
        }
    }
}

TEST_F(UserDialogTest, ABlankStoredPasswordIsNeverMatchedByAnEmptyField)
{
    writeUsers(dir_.path(), {{QStringLiteral("QAVE"), QString()}});
    NEWPASSWORDDIALOG dlg(nullptr, QStringLiteral("x"), false, p_, &port_);
    ASSERT_TRUE(dlg.opened());
    show(dlg);
    typeText(dlg.NEWPASSWORDSLE, QStringLiteral("NEW"));
    typeText(dlg.RETYPEPASSWORDSLE, QStringLiteral("NEW"));
    dlg.pbTamam->click();
    typeText(dlg.CURRENTPASSWORDSLE, QStringLiteral("  "));
    dlg.pbTamam->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_TRUE(port_.log.isEmpty());
    EXPECT_TRUE(dlg.UNLOCKEDBMP->isHidden());
    EXPECT_EQ(storedUsers(dir_.path()).at(0).second, pad20(QString()));
}

TEST_F(UserDialogTest, AFailedWriteIsToldAndTheNextOkWrites)
{
    const QByteArray table = tableBytes();
    int runs = 0;
    CHANGEUANDP(nullptr, p_, &port_, [&](QDialog& d) {
        ++runs;
        auto& dlg = static_cast<NEWPASSWORDDIALOG&>(d);
        show(dlg);
        EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Ad ve Parola Değiştir"));
        EXPECT_FALSE(dlg.LADDUSER());
        typeText(dlg.CURRENTPASSWORDSLE, QStringLiteral("WN83"));
        typeText(dlg.NEWPASSWORDSLE, QStringLiteral("NEW"));
        typeText(dlg.RETYPEPASSWORDSLE, QStringLiteral("NEW"));
        typeText(dlg.SLENEWUSER, QStringLiteral("RENAMED"));
        testhooks::failAtomicWrite(testhooks::WriteFault::Write);
        dlg.pbTamam->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(port_.boxTexts(BOX_ERROR), QStringList{kUserTableWriteError});
        EXPECT_EQ(tableBytes(), table);
        EXPECT_EQ(p_.CUSERID, pad20(QStringLiteral("QAVE")));
        dlg.pbTamam->click();
        EXPECT_FALSE(dlg.isVisible());
        return dlg.result();
    });
    testhooks::clearAtomicWriteFault();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(storedUsers(dir_.path()).at(0), qMakePair(pad20(QStringLiteral("RENAMED")), pad20(QStringLiteral("NEW"))));
    EXPECT_EQ(p_.CUSERID, pad20(QStringLiteral("RENAMED")));

    // The renamed user is found again by the next opening.
    int again = 0;
    ADDNEWUSER(nullptr, p_, &port_, [&](QDialog& d) {
        ++again;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Yeni Kullanıcı Ekle"));
        return 0;
    });
    EXPECT_EQ(again, 1);
}

namespace {

// One copy of the program on the shared data folder: its own logged-on user
// and its own message boxes.
struct Session {
    Session(const QString& folder, const QString& user)
    {
        problem.CDATAPATH = folder;
        problem.CUSERID = pad20(user);
    }
    ActiveProblem problem;
    FakePort port;
};

struct Entry {
    QString current;
    QString password;
    QString name;
};

// Fills the dialog the menu command opened; OK is left to the caller.
void fill(NEWPASSWORDDIALOG& dlg, const Entry& e)
{
    show(dlg);
    typeText(dlg.CURRENTPASSWORDSLE, e.current);
    typeText(dlg.NEWPASSWORDSLE, e.password);
    typeText(dlg.RETYPEPASSWORDSLE, e.password);
    typeText(dlg.SLENEWUSER, e.name);
}

// Runs one user command of the menu through to OK.
void runCommand(Session& s, bool add, const Entry& e, const std::function<void()>& beforeOk = {},
                bool* closed = nullptr)
{
    int runs = 0;
    const DialogRunner runner = [&](QDialog& d) {
        ++runs;
        auto& dlg = static_cast<NEWPASSWORDDIALOG&>(d);
        fill(dlg, e);
        if (beforeOk)
            beforeOk();
        dlg.pbTamam->click();
        if (closed)
            *closed = !dlg.isVisible();
        return dlg.result();
    };
    if (add)
        ADDNEWUSER(nullptr, s.problem, &s.port, runner);
    else
        CHANGEUANDP(nullptr, s.problem, &s.port, runner);
    EXPECT_EQ(runs, 1);
}

bool logsOn(const QString& folder, const QString& name, const QString& password)
{
    FakePort port;
    LOGONDIALOG dlg(nullptr, folder, &port);
    show(dlg);
    typeText(dlg.NAME, name);
    typeText(dlg.PASSWORD, password);
    dlg.pbTamam->click();
    return dlg.LOGONOK;
}

}  // namespace

// Two copies of the program on one data folder, each with its user dialog
// open: what the one writes while the other's dialog is open is kept when the
// other presses OK.
TEST_F(UserDialogTest, TwoSessionsOnOneFolderKeepEachOthersUsers)
{
    const QString folder = dir_.path();
    const auto table = tableBytes();
    const struct {
        const char* what;
        const char* userA;
        bool addA;
        Entry a;
        const char* userB;
        bool addB;
        Entry b;
        const char* boxA;  // what A is told on OK; null: nothing, A's dialog ends
        // Who can log on afterwards with which password; a second pair for
        // the same name must be refused.
        QList<QPair<QString, QString>> logOn;
        QList<QPair<QString, QString>> refused;
    } cases[] = {
        {"add and add", "QAVE", true, {"WN83", "AP", "aaa"}, "ALİ", true, {"gizli", "CP", "ccc"}, nullptr,
         {{"AAA", "AP"}, {"CCC", "CP"}, {"QAVE", "WN83"}, {"ALİ", "GİZLİ"}}, {}},
        {"the same name added twice", "QAVE", true, {"WN83", "AP", "ddd"}, "ALİ", true, {"gizli", "BP", "DDD"},
         "Aynı isimde bir kullanıcı var!", {{"DDD", "BP"}}, {{"DDD", "AP"}}},
        {"a password changed while the other adds", "QAVE", true, {"WN83", "EP", "eee"}, "ALİ", false,
         {"gizli", "YENİ", ""}, nullptr, {{"EEE", "EP"}, {"ALİ", "YENİ"}, {"QAVE", "WN83"}},
         {{"ALİ", "GİZLİ"}}},
        {"a user added while the other changes the password", "QAVE", false, {"WN83", "NEW", ""}, "ALİ", true,
         {"gizli", "FP", "fff"}, nullptr, {{"FFF", "FP"}, {"QAVE", "NEW"}, {"ALİ", "GİZLİ"}}, {{"QAVE", "WN83"}}},
        {"a rename while the other adds", "QAVE", true, {"WN83", "GP", "ggg"}, "ALİ", false, {"gizli", "X", "veli"},
         nullptr, {{"GGG", "GP"}, {"VELİ", "X"}, {"QAVE", "WN83"}}, {{"ALİ", "GİZLİ"}}},
        // The same user in both: the password B set is the one A must know.
        {"own password changed in the other", "QAVE", false, {"WN83", "AP", ""}, "QAVE", false, {"WN83", "BP", ""},
         "Mevcut parola girişi geçersiz!", {{"QAVE", "BP"}}, {{"QAVE", "AP"}, {"QAVE", "WN83"}}},
    };
    for (const auto& c : cases) {
        writeFileAtomically(userTablePath(folder), table);
        Session a(folder, QString::fromUtf8(c.userA));
        Session b(folder, QString::fromUtf8(c.userB));
        bool closedA = false;
        bool closedB = false;
        runCommand(a, c.addA, c.a, [&] { runCommand(b, c.addB, c.b, {}, &closedB); }, &closedA);
        EXPECT_TRUE(closedB) << c.what;
        EXPECT_TRUE(b.port.log.isEmpty()) << c.what;
        if (c.boxA) {
            EXPECT_FALSE(closedA) << c.what;
            EXPECT_EQ(a.port.boxes.size(), 1) << c.what;
            if (!a.port.boxes.isEmpty()) {
                EXPECT_EQ(a.port.boxes.at(0).text, QString::fromUtf8(c.boxA)) << c.what;
            }
        } else {
            EXPECT_TRUE(closedA) << c.what;
            EXPECT_TRUE(a.port.log.isEmpty()) << c.what;
        }
        for (const auto& [name, password] : c.logOn)
            EXPECT_TRUE(logsOn(folder, name, password)) << c.what << ": " << name.toStdString() << "/" << password.toStdString();
        for (const auto& [name, password] : c.refused)
            EXPECT_FALSE(logsOn(folder, name, password)) << c.what << ": " << name.toStdString() << "/" << password.toStdString();

        // Every record once, and the index holds them all.
        const auto users = storedUsers(folder);
        QStringList ids;
        for (const auto& u : users)
            ids << userFold(u.first.trimmed());
        EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), ids.size()) << c.what;
        const WalkedIndex index = walkIndex(userIndexPath(folder));
        EXPECT_TRUE(index.ok && index.unique) << c.what;
        EXPECT_EQ(index.keys.size(), users.size()) << c.what;
    }
}

TEST_F(UserDialogTest, OkWhenTheOwnRecordWentMeanwhileWritesNothing)
{
    // A and B are both logged on as QAVE; B renames it while A's dialog is open.
    for (bool addA : {true, false}) {
        writeUsers(dir_.path(), {{QStringLiteral("QAVE"), QStringLiteral("WN83")},
                                 {QStringLiteral("ALİ"), QStringLiteral("GİZLİ")}});
        Session a(dir_.path(), QStringLiteral("QAVE"));
        Session b(dir_.path(), QStringLiteral("QAVE"));
        QByteArray afterB;
        QByteArray indexAfterB;
        bool closedA = false;
        runCommand(
            a, addA, {QStringLiteral("WN83"), QStringLiteral("AP"), QStringLiteral("aaa")},
            [&] {
                runCommand(b, false, {QStringLiteral("WN83"), QStringLiteral("BP"), QStringLiteral("yeni")});
                afterB = tableBytes();
                indexAfterB = indexBytes();
            },
            &closedA);
        EXPECT_EQ(a.port.boxTexts(BOX_ERROR), QStringList{QStringLiteral("Aktif kullanıcının kaydı bulunamadı!")});
        EXPECT_TRUE(closedA);
        EXPECT_EQ(tableBytes(), afterB);
        EXPECT_EQ(indexBytes(), indexAfterB);
        EXPECT_EQ(a.problem.CUSERID, pad20(QStringLiteral("QAVE")));
        EXPECT_TRUE(logsOn(dir_.path(), QStringLiteral("YENİ"), QStringLiteral("BP")));
    }
}

// While another copy holds the table for its own update, OK waits for it; when
// the wait runs out it says so, writes nothing and leaves the dialog open.
TEST_F(UserDialogTest, OkWhileTheTableIsLockedElsewhereWritesNothing)
{
    testhooks::setUserTableLockWait(0);
    const QByteArray table = tableBytes();
    int runs = 0;
    ADDNEWUSER(nullptr, p_, &port_, [&](QDialog& d) {
        ++runs;
        auto& dlg = static_cast<NEWPASSWORDDIALOG&>(d);
        fill(dlg, {QStringLiteral("WN83"), QStringLiteral("P"), QStringLiteral("hhh")});
        {
            const FileLock other(dir_.path(), 0);
            EXPECT_EQ(other.state(), FileLock::State::Held);
            dlg.pbTamam->click();
            EXPECT_TRUE(dlg.isVisible());
            EXPECT_EQ(port_.boxTexts(BOX_ERROR), QStringList{kUserTableBusy});
            EXPECT_EQ(tableBytes(), table);
        }
        dlg.pbTamam->click();
        EXPECT_FALSE(dlg.isVisible());
        return dlg.result();
    });
    testhooks::setUserTableLockWait(-1);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(logsOn(dir_.path(), QStringLiteral("HHH"), QStringLiteral("P")));
}
