// The start-up with the program's windows (offscreen): the two titles of the
// main window, the three early ends, the login, the tip of the day and the
// splash screen in their places.
#include "shell/ui/application.h"

#include "platform/ui/controls.h"

#include "core/activeproblem.h"
#include "core/problemfile.h"
#include "platform/dbf.h"
#include "platform/settingsstore.h"
#include "platform/ui/programicons.h"
#include "shell/menustate.h"
#include "shell/registry.h"
#include "shell/settings.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/splashabout.h"
#include "shell/ui/standardshellwindow.h"
#include "shell/ui/tipofdaydialog.h"
#include "shell/ui/userdialogs.h"
#include "shell/usertable.h"
#include "support/envguard.h"
#include "support/fakeport.h"
#include "support/hangguard.h"
#include "support/qstringprint.h"
#include "support/tempdir.h"
#include "support/typing.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zeva {
namespace {

using test::FakePort;

const QString kNotInstalled =
    QStringLiteral("box 16 Hata...: Program tam kurulu değil!\r\rÖnce CD'den ZVX-setup.EXE ile programı kurunuz.");

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        startFolder_ = QDir::currentPath();
        store_ = std::make_shared<MemorySettingsStore>();
        previousStore_ = setSettingsStore(store_);
        G().reset();
        G().CDATAPATH.clear();
        G().CUSERID.clear();
        QDir(tmp_.path()).mkdir(QStringLiteral("Data"));
        DbfTable t = newProblemTable(1);
        ASSERT_TRUE(writeDbfFile(tmp_.file(QStringLiteral("Data/ORNEK.ZVF")), t));
    }
    void TearDown() override
    {
        host_.reset();
        G().reset();
        G().CDATAPATH.clear();
        G().CUSERID.clear();
        G().LLOGON = G().LSHOWTIPS = G().LSHOWLOGO = false;
        setSettingsStore(previousStore_);
        QDir::setCurrent(startFolder_);
    }

    void store(const QString& name, const QString& value)
    {
        CLASS_HKLM reg;
        reg.WORKING_SUBKEY(kSettingsKey);
        ASSERT_EQ(reg.WRITESTRING(QString(), name, value), 0);
    }
    QString stored(const QString& name)
    {
        CLASS_HKLM reg;
        reg.WORKING_SUBKEY(kSettingsKey);
        return reg.GETSTRING(QString(), name);
    }
    void installed() { store(kOptPath, tmp_.path()); }

    // One run of the program; `atLoop` sees the main window when the message
    // loop would start.
    int run(const QStringList& args, const std::function<void(STANDARDSHELLWINDOW&)>& atLoop = {})
    {
        QtStartupOptions options;
        options.port = &port_;
        options.isAppRunning = [this] { return running_; };
        options.runner = [this](QDialog& d) { return runner_ ? runner_(d) : 0; };
        options.clock = [this] { return now_; };
        options.sleeper = [this](int ms) { held_ += ms; };
        options.exec = [this, atLoop] {
            ++loops_;
            if (atLoop)
                atLoop(*host_->mainWindow());
            return 0;
        };
        host_ = std::make_unique<QtStartupHost>(options);
        APP app(*host_);
        return app.START(QStringList{QStringLiteral("zeva")} + args);
    }

    test::TempDir tmp_;
    QString startFolder_;
    FakePort port_;
    std::shared_ptr<MemorySettingsStore> store_;
    std::shared_ptr<SettingsStore> previousStore_;
    std::unique_ptr<QtStartupHost> host_;
    bool running_ = false;
    DialogRunner runner_;
    qint64 now_ = 0;
    int held_ = 0;
    int loops_ = 0;
};

TEST_F(ApplicationTest, TitleWithoutAndWithAProblemFile)
{
    installed();
    const QString path = tmp_.file(QStringLiteral("Data/ORNEK.ZVF"));
    // A relative name is found from the folder the program was started in,
    // though the settings make the data directory the current one; the title
    // shows it as given.
    const QString relative = QStringLiteral("ORNEK.ZVF");
    const struct {
        QStringList args;
        QString title;
        bool open;
    } cases[] = {
        {{}, kProgramTitle, false},
        {{path}, QStringLiteral("ZEVA 2.0 - ") + path, true},
        {{'"' + path + '"'}, QStringLiteral("ZEVA 2.0 - ") + path, true},
        {{relative}, QStringLiteral("ZEVA 2.0 - ") + relative, true},
    };
    for (const auto& c : cases) {
        QDir::setCurrent(c.args.value(0) == relative ? tmp_.file(QStringLiteral("Data")) : startFolder_);
        G().reset();
        QString title;
        bool visible = false;
        EXPECT_EQ(run(c.args,
                      [&](STANDARDSHELLWINDOW& w) {
                          title = w.windowTitle();
                          visible = w.isVisible();
                      }),
                  0);
        EXPECT_EQ(loops_, 1);
        loops_ = 0;
        EXPECT_EQ(title, c.title);
        EXPECT_TRUE(visible);
        EXPECT_EQ(G().isOpen(), c.open);
        EXPECT_TRUE(G().CUSERID.isEmpty());
        EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
        host_.reset();
    }
    // The user table was made at the first start.
    EXPECT_TRUE(QFile::exists(tmp_.file(kUserTableFile)));
    EXPECT_TRUE(QFile::exists(tmp_.file(kUserIndexFile)));
}

TEST_F(ApplicationTest, SecondCopyAndMissingInstallationEndTheRunBeforeAnyWindow)
{
    installed();
    running_ = true;
    EXPECT_EQ(run({}), 1);
    EXPECT_EQ(port_.log, QStringList{QStringLiteral("box 16 Hata...: ZEVA 2.0 hazır yüklü...\nGörev çubuğunda olabilir!")});
    EXPECT_FALSE(port_.boxes.first().owned);
    // A box without an owner, as this one is, carries the program's icon.
    QMessageBox box;
    EXPECT_EQ(box.windowIcon().pixmap(32, 32).toImage(), ZVXTOD().pixmap(32, 32).toImage());
    EXPECT_TRUE(G().CDATAPATH.isEmpty()) << "no settings read";
    EXPECT_EQ(host_->mainWindow(), nullptr);

    running_ = false;
    port_ = FakePort();
    store_ = std::make_shared<MemorySettingsStore>();
    setSettingsStore(store_);
    EXPECT_EQ(run({tmp_.file(QStringLiteral("Data/ORNEK.ZVF"))}), 1);
    EXPECT_EQ(port_.log, QStringList{kNotInstalled});
    EXPECT_FALSE(port_.boxes.first().owned);
    EXPECT_EQ(host_->mainWindow(), nullptr);
    EXPECT_FALSE(QFile::exists(tmp_.file(kUserTableFile)));
    EXPECT_EQ(loops_, 0);
}

TEST_F(ApplicationTest, LoginAfterTheFileIsOpenAndTheTipAfterTheLogin)
{
    installed();
    store(kOptLogon, QStringLiteral("1"));
    store(kOptTips, QStringLiteral("1"));
    store(kOptLastTip, QStringLiteral(" 7"));
    QStringList order;
    runner_ = [&](QDialog& d) {
        d.open();
        if (auto* logon = qobject_cast<LOGONDIALOG*>(&d)) {
            order << QStringLiteral("logon, open: %1").arg(G().isOpen());
            test::typeText(logon->NAME, QStringLiteral("qave"));
            test::typeText(logon->PASSWORD, QStringLiteral("wn83"));
            logon->pbTamam->click();
        } else if (auto* tip = qobject_cast<WTIPOFDAY*>(&d)) {
            order << QStringLiteral("tip %1").arg(tip->LASTTIP);
            tip->ODCSHOWONSTARTUP->click();  // do not show at start any more
            tip->OCCPBCLOSE->click();
        } else {
            order << d.metaObject()->className();
            d.reject();
        }
        return d.result();
    };
    bool tipTicked = true;
    EXPECT_EQ(run({tmp_.file(QStringLiteral("Data/ORNEK.ZVF"))},
                  [&](STANDARDSHELLWINDOW& w) {
                      order << QStringLiteral("loop");
                      tipTicked = w.mainMenu()->ISCHECKED(ITEM_TUYOGOSTER);
                      // The user items are offered while the logon is on.
                      EXPECT_TRUE(w.mainMenu()->isEnabled(ITEM_ADDNEWUSER));
                  }),
              0);
    EXPECT_EQ(order, (QStringList{"logon, open: 1", "tip 8", "loop"}));
    EXPECT_EQ(G().CUSERID, QStringLiteral("QAVE").leftJustified(20));
    EXPECT_FALSE(tipTicked);
    EXPECT_EQ(stored(kOptTips), QStringLiteral("0"));
    EXPECT_EQ(stored(kOptLastTip), QStringLiteral(" 8"));
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
}

TEST_F(ApplicationTest, AFailedLoginEndsTheRunWithoutTheLoop)
{
    installed();
    store(kOptLogon, QStringLiteral("1"));
    store(kOptTips, QStringLiteral("1"));
    int dialogs = 0;
    runner_ = [&](QDialog& d) {
        ++dialogs;
        d.open();
        d.reject();  // Esc: the login is cancelled
        return d.result();
    };
    EXPECT_EQ(run({tmp_.file(QStringLiteral("Data/ORNEK.ZVF"))}), 1);
    EXPECT_EQ(dialogs, 1) << "no tip after a failed login";
    EXPECT_EQ(loops_, 0);
    EXPECT_TRUE(G().CUSERID.isEmpty());
    EXPECT_TRUE(G().isOpen()) << "the file was opened before the login";
}

TEST_F(ApplicationTest, TheSplashIsUpBeforeTheMainWindowAndHoldsTheStart)
{
    installed();
    store(kOptLogo, QStringLiteral("1"));
    bool splashAtLoop = false;
    EXPECT_EQ(run({}, [&](STANDARDSHELLWINDOW&) { splashAtLoop = host_->splash() != nullptr; }), 0);
    EXPECT_TRUE(splashAtLoop);
    EXPECT_EQ(held_, 2000);
    ASSERT_NE(host_->splash(), nullptr);
    EXPECT_TRUE(host_->splash()->windowFlags() & Qt::WindowStaysOnTopHint);

    // Off: none is made.
    host_.reset();
    held_ = 0;
    store(kOptLogo, QStringLiteral("0"));
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(host_->splash(), nullptr);
    EXPECT_EQ(held_, 0);
}

// A named pipe where the user table should be: the start says so and goes on
// as for a damaged table, to the main window, or to the login when it is on.
TEST_F(ApplicationTest, APipeAtTheUserTableDoesNotHoldTheStart)
{
    installed();
    const QString table = tmp_.file(kUserTableFile);
    ASSERT_EQ(::mkfifo(QFile::encodeName(table).constData(), 0644), 0);
    const QString told = QStringLiteral("box 16 Hata...: ") + kUserTableOpenError + QStringLiteral("\r\r") + table
                         + QStringLiteral(" normal bir dosya değil...");
    for (const bool logon : {false, true}) {
        SCOPED_TRACE(logon ? "login on" : "login off");
        store(kOptLogon, logon ? QStringLiteral("1") : QStringLiteral("0"));
        port_ = FakePort();
        loops_ = 0;
        QStringList dialogs;
        runner_ = [&](QDialog& d) {
            d.open();
            dialogs << (qobject_cast<LOGONDIALOG*>(&d) ? QStringLiteral("login") : d.metaObject()->className());
            d.reject();
            return d.result();
        };
        bool visible = false;
        int code = -1;
        {
            test::PipeGuard guard({table});
            code = run({}, [&](STANDARDSHELLWINDOW& w) { visible = w.isVisible(); });
            EXPECT_FALSE(guard.hung()) << "the start waited on the pipe";
        }
        EXPECT_EQ(port_.log.value(0), told);
        if (logon) {
            EXPECT_EQ(dialogs, QStringList{QStringLiteral("login")});
            EXPECT_EQ(code, 1);
        } else {
            EXPECT_TRUE(dialogs.isEmpty());
            EXPECT_EQ(code, 0);
            EXPECT_EQ(loops_, 1);
            EXPECT_TRUE(visible);
        }
        host_.reset();
    }
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(table).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "the pipe is left where it was";
}

// The settings file named by ZEVA_SETTINGS is a pipe or a device: the start
// says that the settings cannot be read and ends, before any window.
TEST_F(ApplicationTest, ASettingsFileThatIsNoFileEndsTheStartWithItsReason)
{
    setSettingsStore(nullptr);  // the program's own file store
    for (const bool pipe : {true, false}) {
        SCOPED_TRACE(pipe ? "pipe" : "device");
        const QString settings = tmp_.file(pipe ? QStringLiteral("boru.ini") : QStringLiteral("aygit.ini"));
        const QByteArray name = QFile::encodeName(settings);
        ASSERT_EQ(pipe ? ::mkfifo(name.constData(), 0644) : ::symlink("/dev/zero", name.constData()), 0);
        const QByteArray value = name;
        test::EnvGuard env("ZEVA_SETTINGS", &value);
        port_ = FakePort();
        loops_ = 0;
        // The settings are read away from the windows first, where a reader
        // that does not end can be told.
        bool read = true;
        test::PipeGuard guard({settings});
        ASSERT_TRUE(test::returnsPromptly(
            [&] {
                FakePort quiet;
                ActiveProblem p;
                read = RSTATUSLAST(quiet, p);
            },
            "settings"));
        EXPECT_FALSE(read);
        EXPECT_EQ(run({}), 1);
        EXPECT_FALSE(guard.hung()) << "the start waited on the pipe";
        EXPECT_EQ(port_.log, QStringList{QStringLiteral("box 16 Hata...: Program ayarları okunamıyor!\r\r") + settings
                                         + QStringLiteral(" normal bir dosya değil...")});
        EXPECT_EQ(host_->mainWindow(), nullptr);
        EXPECT_EQ(loops_, 0);
        host_.reset();
    }
}

}  // namespace
}  // namespace zeva
