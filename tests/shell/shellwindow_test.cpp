// The main window's commands of the start-up work: the new-problem dialog and
// New through it, the solve from the menu and the formula item 3564, the help
// items, the about box and the user items.
#include "shell/ui/standardshellwindow.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problembuilder.h"
#include "core/problemfile.h"
#include "core/ui/paramdialogs.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "platform/ui/controls.h"
#include "shell/menustate.h"
#include "shell/ui/newproblemdialog.h"
#include "shell/ui/qtuserport.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/splashabout.h"
#include "shell/ui/userdialogs.h"
#include "shell/usertable.h"
#include "support/agree.h"
#include "support/fakeport.h"
#include "support/heldtonesink.h"
#include "support/programenv.h"
#include "support/tempdir.h"
#include "support/typing.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::FakePort;

constexpr int kAddFormula = 3564;
constexpr int kSolve = 3550;

// ---------------------------------------------------------------- new-problem dialog

TEST(NewProblemDialog, BuiltFromItsTemplate)
{
    YENIDOSYAWINDOW dlg(nullptr);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Yeni..."));
    EXPECT_EQ(dlg.RADIOBUTTONGROUP1->title(), QStringLiteral("Formülasyon tipi"));
    EXPECT_EQ(dlg.KYEMBUTTON->text(), QStringLiteral("&Karma yem"));
    EXPECT_EQ(dlg.GRASBUTTON->text(), QStringLiteral("&Rasyon"));
    EXPECT_EQ(dlg.FT_DADI->text(), QStringLiteral("Dosya Adı:"));
    EXPECT_EQ(dlg.pbTamam->text(), QStringLiteral("&Tamam"));
    EXPECT_EQ(dlg.pbIptal->text(), QStringLiteral("&İptal"));
    EXPECT_TRUE(dlg.pbTamam->isDefault());
    EXPECT_TRUE(dlg.KYEMBUTTON->isChecked());
    EXPECT_EQ(dlg.DOSYAADILINE->maxLength(), 65);
    EXPECT_EQ(dlg.CDOSYA, QString());
    EXPECT_EQ(dlg.NFTIP, 0);
}

TEST(NewProblemDialog, AnswersAndCancel)
{
    const struct {
        const char* name;
        QString typed;
        bool ration;
        bool esc;
        int result;
        QString file;
        int type;
    } cases[] = {
        {"default type", "  yem 1 ", false, false, 1, "  yem 1 ", 1},  // as typed, not trimmed
        {"daily ration", "inek", true, false, 1, "inek", 2},
        {"empty name", "", false, false, 1, "", 1},
        {"Esc in the edit", "iptal", true, true, 0, "", 0},
    };
    for (const auto& c : cases) {
        YENIDOSYAWINDOW dlg(nullptr);
        dlg.open();
        QApplication::setActiveWindow(&dlg);
        if (c.ration) {
            dlg.GRASBUTTON->click();
            // Choosing the type puts the caret into the name.
            EXPECT_EQ(QApplication::focusWidget(), dlg.DOSYAADILINE) << c.name;
        }
        test::typeText(dlg.DOSYAADILINE, c.typed);
        if (c.esc)
            QTest::keyClick(dlg.DOSYAADILINE, Qt::Key_Escape);
        else
            dlg.pbTamam->click();
        EXPECT_FALSE(dlg.isVisible()) << c.name;
        EXPECT_EQ(dlg.result(), c.result) << c.name;
        EXPECT_EQ(dlg.CDOSYA, c.file) << c.name;
        EXPECT_EQ(dlg.NFTIP, c.type) << c.name;
    }
    YENIDOSYAWINDOW dlg(nullptr);
    test::typeText(dlg.DOSYAADILINE, QString(70, QLatin1Char('a')));
    EXPECT_EQ(dlg.DOSYAADILINE->text().size(), 65);
}

// ---------------------------------------------------------------- the window

class ShellWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().CUSERID.clear();
        QDir(tmp_.path()).mkdir(QStringLiteral("Data"));
    }
    void TearDown() override
    {
        window_.reset();
        G().CUSERID.clear();
    }

    STANDARDSHELLWINDOW& window(UserPort* port)
    {
        window_ = std::make_unique<STANDARDSHELLWINDOW>(nullptr, port);
        return *window_;
    }
    STANDARDSHELLWINDOW& window() { return window(&port_); }

    QString data(const QString& name) const { return tmp_.file(QStringLiteral("Data/") + name); }

    // Writes the problem that `build` puts into G() as a problem file.
    void saveProblem(const QString& name, const test::ProblemBuilder& build)
    {
        const int type = 1;
        DbfTable t = newProblemTable(type);
        ASSERT_TRUE(writeDbfFile(data(name), t));
        build.apply();
        G().OPROBSERVER = std::make_shared<ProblemServer>(data(name), t);
        G().LPARAMCHANGED = G().LYMCHANGED = G().LBMCHANGED = G().LBMOCHANGED = G().LMATCHANGED = true;
        FakePort quiet;
        ASSERT_TRUE(PROBDBFUPDATE(quiet));
        G().reset();
    }

    static test::ProblemBuilder problem(const QString& type)
    {
        return test::ProblemBuilder(type)
            .feed("Arpa", 4.0)
            .feed("Soya", 12.0)
            .nutrient("HP", {}, 16.0, {}, {10.0, 44.0})
            .nutrient("YAG", {}, {}, {}, {2.0, 1.5});
    }

    test::TempDir tmp_;
    test::ProgramEnvironment env_{tmp_.path()};
    FakePort port_;
    std::unique_ptr<STANDARDSHELLWINDOW> window_;
};

// New through the menu with the window's own dialogs: a daily ration gets
// 11-wide feed-limit fields and its header record.
TEST_F(ShellWindowTest, NewDailyRationThroughTheDialog)
{
    STANDARDSHELLWINDOW& w = window(nullptr);
    int dialogs = 0;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        ++dialogs;
        auto* dlg = qobject_cast<YENIDOSYAWINDOW*>(&d);
        EXPECT_NE(dlg, nullptr) << d.metaObject()->className();
        if (!dlg)
            return 0;
        dlg->open();
        dlg->GRASBUTTON->click();
        test::typeText(dlg->DOSYAADILINE, QStringLiteral("süt ineği"));
        dlg->pbTamam->click();
        return dlg->result();
    });
    w.mainMenu()->action(3527)->trigger();  // "&Yeni..."
    EXPECT_EQ(dialogs, 1);
    ASSERT_TRUE(G().isOpen());
    const QString file = data(QStringLiteral("süt ineği.ZVF"));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("ZEVA 2.0 - ") + file);
    DbfTable t;
    ASSERT_TRUE(readDbfFile(file, &t));
    for (const char* field : {"YMSABIT", "YMALTLIM", "YMUSTLIM"})
        EXPECT_EQ(t.fields().at(t.fieldIndex(QString::fromLatin1(field))).length, 11) << field;
    ASSERT_EQ(t.recordCount(), 1);
    EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), QStringLiteral("G,1.000,TL,Kg,"));
    EXPECT_TRUE(w.mainMenu()->isEnabled(3548));
    EXPECT_EQ(w.statusBar()->currentMessage(), QStringLiteral("Dosya oluşturuldu!"));

    // Cancel creates nothing.
    w.qtPort()->setDialogRunner([](QDialog& d) {
        d.open();
        d.reject();
        return d.result();
    });
    const QStringList before = QDir(tmp_.file("Data")).entryList(QDir::Files);
    w.mainMenu()->action(3527)->trigger();
    EXPECT_EQ(QDir(tmp_.file("Data")).entryList(QDir::Files), before);
}

// "Yem &Formülü" keeps the formula of a compound-feed optimum and offers
// 3564; a daily ration and a cancelled report leave both alone; a report
// without an optimum and Close take both away.
TEST_F(ShellWindowTest, SolveFromTheMenuAndTheFormulaItem)
{
    saveProblem(QStringLiteral("KARMA.ZVF"), problem("K"));
    saveProblem(QStringLiteral("RASYON.ZVF"), problem("G"));
    STANDARDSHELLWINDOW& w = window();
    ShellMenu* m = w.mainMenu();
    const QList<KmmPair> formula = {{"HP", SDAYA("16", 4)}, {"YAG", SDAYA("1.8", 4)}};
    bool answer = true;
    int reports = 0;
    OptimizerOptions options;
    options.reportStep = [&](Optimizer& o) {
        ++reports;
        o.closeWait();
        if (answer)
            o.AKMM_DATA = formula;
        return answer;
    };
    w.setSolveOptions(options);

    ASSERT_TRUE(w.DOOPENFILE(data(QStringLiteral("RASYON.ZVF"))));
    ASSERT_TRUE(m->isEnabled(kSolve));
    m->action(kSolve)->trigger();
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(G().AKMMDATA.isEmpty());
    EXPECT_FALSE(m->isEnabled(kAddFormula));

    ASSERT_TRUE(w.DOOPENFILE(data(QStringLiteral("KARMA.ZVF"))));
    answer = false;  // the parameter dialog cancelled
    m->action(kSolve)->trigger();
    EXPECT_TRUE(G().AKMMDATA.isEmpty());
    EXPECT_FALSE(m->isEnabled(kAddFormula));

    answer = true;
    m->action(kSolve)->trigger();
    EXPECT_EQ(G().AKMMDATA, formula);
    EXPECT_TRUE(m->isEnabled(kAddFormula));

    // A later solve without a result keeps the formula and the item.
    answer = false;
    m->action(kSolve)->trigger();
    EXPECT_EQ(G().AKMMDATA, formula);
    EXPECT_TRUE(m->isEnabled(kAddFormula));
    EXPECT_EQ(reports, 4);

    // A report that found no optimum (at least 50 of HP with at most 1 of
    // YAG) takes the earlier formula and the item away.
    answer = true;
    G().ABMTABLE[static_cast<int>(G().ABMNAMES.indexOf(QStringLiteral("HP")))][BMLLIMIT] = SDAYA("50", 4);
    G().ABMTABLE[static_cast<int>(G().ABMNAMES.indexOf(QStringLiteral("YAG")))][BMULIMIT] = SDAYA("1", 4);
    m->action(kSolve)->trigger();
    EXPECT_EQ(reports, 5);
    EXPECT_TRUE(G().AKMMDATA.isEmpty());
    EXPECT_FALSE(m->isEnabled(kAddFormula));

    m->action(3530)->trigger();  // "Ka&pat..."
    EXPECT_FALSE(m->isEnabled(kAddFormula));
    EXPECT_TRUE(G().AKMMDATA.isEmpty());
    EXPECT_EQ(port_.log.count(QStringLiteral("wait open")), 5);
}

// Return in the parameter dialog to the report: the window is held for the
// job-done tones' own length only, while a sound server that has stopped
// answering holds the player's thread; the tones reach it later, in order.
TEST_F(ShellWindowTest, SolveFromTheMenuIsNotHeldByTheSoundServer)
{
    saveProblem(QStringLiteral("KARMA.ZVF"), problem("K"));
    STANDARDSHELLWINDOW& w = window(nullptr);
    auto server = std::make_shared<test::HeldSink::State>();
    std::vector<int> pauses;
    TonePlayer player(std::make_unique<test::HeldSink>(server), [&](int ms) { pauses.push_back(ms); });
    w.qtPort()->setTonePlayer(&player);
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        auto* dlg = qobject_cast<ParamDialog*>(&d);
        EXPECT_NE(dlg, nullptr) << d.metaObject()->className();
        if (!dlg)
            return 0;
        dlg->open();
        QTest::keyClick(dlg->amountField(), Qt::Key_Return);
        return dlg->result();
    });
    ASSERT_TRUE(w.DOOPENFILE(data(QStringLiteral("KARMA.ZVF"))));
    G().CREPORTFILE.clear();
    {
        test::Watchdog watchdog(server);
        w.mainMenu()->action(kSolve)->trigger();
        // The report is written and the menu answers again while the server
        // still holds the first tone (the player's thread may reach the
        // server only after the menu has answered).
        ASSERT_TRUE(server->waitFor([&] { return server->inside; }));
        std::lock_guard lock(server->mutex);
        EXPECT_TRUE(server->held);
    }
    EXPECT_EQ(pauses, (std::vector<int>{56, 56, 56, 56}));
    ASSERT_EQ(G().CREPORTFILE, data(QStringLiteral("KARMA.TXT")));
    QFile report(G().CREPORTFILE);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("Optimum \xC7\xF6z\xFCm Bulundu."));

    server->release();
    player.flush();
    EXPECT_EQ(server->tones, (std::vector<Tone>{{300, 56}, {100, 56}, {300, 56}, {100, 56}}));
    w.qtPort()->setTonePlayer(nullptr);
}

// A ratio typed with a name that is no nutrient of the problem: "Yem
// &Formülü" names it in a warning before the please-wait box goes up, and the
// solve goes on to its report when the box is closed.
TEST_F(ShellWindowTest, SolveFromTheMenuNamesTheRatiosItCannotUse)
{
    test::ProblemBuilder build = problem("K");
    build.nutrient("FFOSFOR", {}, {}, {}, {0.3, 0.6}).ratio("HP", "FOSFOR", {}, 5.0, {});
    saveProblem(QStringLiteral("KARMA.ZVF"), build);

    STANDARDSHELLWINDOW& w = window(nullptr);
    w.qtPort()->setToneWait(false);
    QStringList boxes;
    bool waitBoxWithTheWarning = false;
    int dialogs = 0;
    w.qtPort()->setDialogRunner([&](QDialog& d) {
        d.open();
        if (dialogs++ == 0)
            waitBoxWithTheWarning = w.qtPort()->OALERTWIN() && w.qtPort()->OALERTWIN()->isVisible();
        return test::agree(d, &boxes, true);
    });
    ASSERT_TRUE(w.DOOPENFILE(data(QStringLiteral("KARMA.ZVF"))));
    G().CREPORTFILE.clear();
    w.mainMenu()->action(kSolve)->trigger();

    ASSERT_EQ(dialogs, 2);  // the warning, then the parameter dialog
    EXPECT_EQ(boxes, QStringList{QStringLiteral(
                         "Uyarı...: HP/FOSFOR: FOSFOR besin maddesi problemde yok; bu oran çözümde kullanılmadı.")});
    EXPECT_FALSE(waitBoxWithTheWarning);
    ASSERT_EQ(G().CREPORTFILE, data(QStringLiteral("KARMA.TXT")));
    QFile report(G().CREPORTFILE);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("Optimum \xC7\xF6z\xFCm Bulundu."));
}

// The whole road of a solve on the example problems that the installation
// step puts into the data folder: the parameter dialog answered, the report
// written beside the problem and made the current report.
TEST_F(ShellWindowTest, SolvingTheExamplesFromTheMenuWritesTheirReports)
{
    QProcess setup;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZEVA_SETTINGS", tmp_.file("zeva.ini"));
    setup.setProcessEnvironment(env);
    setup.start(QStringLiteral(ZEVA_BIN_DIR "/zeva-setup"), {tmp_.path()});
    ASSERT_TRUE(setup.waitForFinished(60000));
    ASSERT_EQ(setup.exitCode(), 0) << setup.readAllStandardError().toStdString();

    STANDARDSHELLWINDOW& w = window();
    ShellMenu* m = w.mainMenu();
    const QString broiler = data(QStringLiteral("BROYLER.ZVF"));
    const QString broilerReport = data(QStringLiteral("BROYLER.TXT"));
    ASSERT_TRUE(w.DOOPENFILE(broiler));
    G().CREPORTFILE = QStringLiteral("/eski/rapor.TXT");

    // Cancel in the parameter dialog: no report, nothing kept.
    port_.params = {ParamAnswer{}};
    m->action(kSolve)->trigger();
    EXPECT_FALSE(QFile::exists(broilerReport));
    EXPECT_EQ(G().CREPORTFILE, QStringLiteral("/eski/rapor.TXT"));
    EXPECT_TRUE(G().AKMMDATA.isEmpty());
    EXPECT_FALSE(m->isEnabled(kAddFormula));

    port_.params = {ParamAnswer{true, false, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")}};
    m->action(kSolve)->trigger();
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_TRUE(port_.boxTexts(BOX_ERROR).isEmpty()) << port_.boxTexts(BOX_ERROR).join('\n').toStdString();
    ASSERT_TRUE(QFile::exists(broilerReport));
    EXPECT_EQ(G().CREPORTFILE, broilerReport);
    QFile report(broilerReport);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    EXPECT_TRUE(text.contains("\r\n"));
    // The formula: one value per nutrient of the problem, and 3564 offered.
    QStringList kept;
    for (const KmmPair& pair : G().AKMMDATA)
        kept << pair.first;
    QStringList nutrients = G().ABMNAMES;
    nutrients.removeDuplicates();
    EXPECT_EQ(kept, nutrients);
    EXPECT_TRUE(m->isEnabled(kAddFormula));

    // The daily ration: its own report; no formula kept, 3564 stays grey.
    const QString ration = data(QStringLiteral("SUTINEGI.ZVF"));
    ASSERT_TRUE(w.DOOPENFILE(ration));
    EXPECT_FALSE(m->isEnabled(kAddFormula)) << "closing the broiler greyed it";
    port_.params = {ParamAnswer{true, false, QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")}};
    m->action(kSolve)->trigger();
    EXPECT_EQ(G().CREPORTFILE, data(QStringLiteral("SUTINEGI.TXT")));
    EXPECT_TRUE(QFile::exists(G().CREPORTFILE));
    EXPECT_TRUE(G().AKMMDATA.isEmpty());
    EXPECT_FALSE(m->isEnabled(kAddFormula));
}

class Launcher : public HelpLauncher {
public:
    QStringList calls;
    bool launch(const QString& file, const QString& topic) override
    {
        calls << QFileInfo(file).fileName() + "#" + topic;
        return true;
    }
};

TEST_F(ShellWindowTest, HelpItemsAndHelpOnHelpLeaveTheProgramsHelpAlone)
{
    QFile chm(tmp_.file(QStringLiteral("Zeva.chm")));
    ASSERT_TRUE(chm.open(QIODevice::WriteOnly));
    chm.close();
    STANDARDSHELLWINDOW& w = window();
    auto launcher = std::make_shared<Launcher>();
    w.setHelpLauncher(launcher);
    const HelpDisplay* help = w.helpDisplay();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->fileName(), tmp_.file(QStringLiteral("Zeva.chm")));

    w.mainMenu()->action(3577)->trigger();  // "&İndeks\tF1"
    w.mainMenu()->action(3578)->trigger();  // "İ&çindekiler\tF2"
    EXPECT_EQ(launcher->calls, (QStringList{"Zeva.chm#HelpIndex", "Zeva.chm#HelpContents"}));
    EXPECT_TRUE(port_.log.isEmpty());

    w.mainMenu()->action(3579)->trigger();  // "Yardım &Kullanımı\tF3": no such file here
    EXPECT_EQ(port_.log,
              QStringList{"box 16 Hata...: Yardım dosyası bulunamadı:\n" + tmp_.file(QStringLiteral("winhelp.hlp"))});
    EXPECT_EQ(w.helpDisplay(), help);
    w.mainMenu()->action(3577)->trigger();
    EXPECT_EQ(launcher->calls.last(), QStringLiteral("Zeva.chm#HelpIndex"));
}

TEST_F(ShellWindowTest, AboutBoxAndUserItems)
{
    ASSERT_TRUE(CREAPWDBF(tmp_.path()));
    G().LLOGON = true;  // the user items are offered while the logon is on
    G().CUSERID = QStringLiteral("QAVE").leftJustified(20);
    STANDARDSHELLWINDOW& w = window();
    QStringList shown;
    w.setDialogRunner([&](QDialog& d) {
        shown << d.metaObject()->className() + QStringLiteral(" ") + d.windowTitle();
        d.open();
        d.reject();
        return d.result();
    });
    w.mainMenu()->action(3592)->trigger();  // "&Hakkında...\tF4"
    w.dispatch(QStringLiteral("ZVXHAKKINDA"));  // a child menu's about command
    w.mainMenu()->action(3587)->trigger();  // "Yeni Kullanıcı &Ekle"
    w.mainMenu()->action(3588)->trigger();  // "Ad ve &Parola Değiştir"
    EXPECT_EQ(shown, (QStringList{"zeva::ZVXHAKKINDA Hakkında...", "zeva::ZVXHAKKINDA Hakkında...",
                                  "zeva::NEWPASSWORDDIALOG Yeni Kullanıcı Ekle",
                                  "zeva::NEWPASSWORDDIALOG Ad ve Parola Değiştir"}));
    EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();

    // The logged-on user's record is gone: the change dialog does not open.
    G().CUSERID = QStringLiteral("KIMSE").leftJustified(20);
    shown.clear();
    w.mainMenu()->action(3588)->trigger();
    EXPECT_TRUE(shown.isEmpty());
    EXPECT_EQ(port_.boxTexts(BOX_ERROR), QStringList{QStringLiteral("Aktif kullanıcının kaydı bulunamadı!")});
}

}  // namespace
}  // namespace zeva
