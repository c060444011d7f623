// The start-up's order with a recording host, its three early ends, and the
// rule for the command-line argument.
#include "shell/startup.h"

#include "core/activeproblem.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

class FakeHost : public StartupHost {
public:
    QStringList calls;
    bool running = false;
    bool settingsOk = true;
    // What the settings read sets.
    bool logonOption = false, tipsOption = false, logoOption = false;
    bool logonOk = true;
    QString shownText;

    bool isAppRunning() override { calls << "isAppRunning"; return running; }
    void alreadyRunning(const QString& text) override { calls << "alreadyRunning"; shownText = text; }
    bool readSettings() override
    {
        calls << "readSettings";
        G().LLOGON = logonOption;
        G().LSHOWTIPS = tipsOption;
        G().LSHOWLOGO = logoOption;
        return settingsOk;
    }
    void checkUserTable() override
    {
        // The problem is already empty when the user table is checked.
        calls << (G().AYMTABLE.isEmpty() && !G().LYMCHANGED ? "checkUserTable" : "checkUserTable(not empty)");
    }
    void showSplash() override { calls << "showSplash"; }
    void createMainWindow() override { calls << "createMainWindow"; }
    void openFile(const QString& fileName) override { calls << "openFile " + fileName; }
    void showMainWindow() override { calls << "showMainWindow"; }
    bool logon(QString& userId) override
    {
        calls << "logon";
        if (logonOk)
            userId = QStringLiteral("QAVE                ");
        return logonOk;
    }
    void tipOfDay() override { calls << "tipOfDay"; }
    int exec() override { calls << "exec"; return 0; }
};

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        G().CUSERID.clear();
        // Left over from an earlier problem: the start-up must empty it.
        G().AYMTABLE = {Row{QStringLiteral("Arpa")}};
        G().AYMNAMES = {QStringLiteral("Arpa")};
        G().LYMCHANGED = true;
    }
    void TearDown() override
    {
        G().reset();
        G().CUSERID.clear();
        G().LLOGON = G().LSHOWTIPS = G().LSHOWLOGO = false;
    }
};

TEST_F(StartupTest, RunsTheStepsInOrder)
{
    struct Case {
        const char* name;
        bool running, settingsOk, logon, logonOk, tips, logo;
        QStringList args;
        QStringList calls;
        int exitCode;
        bool loggedOn;
    };
    const QStringList program{QStringLiteral("zeva")};
    const QStringList withFile{QStringLiteral("zeva"), QStringLiteral("/veri/Data/BROYLER.ZVF")};
    const QString open = QStringLiteral("openFile /veri/Data/BROYLER.ZVF");
    const Case cases[] = {
        {"all options off, no file", false, true, false, true, false, false, program,
         {"isAppRunning", "readSettings", "checkUserTable", "createMainWindow", "showMainWindow", "exec"}, 0, false},
        {"all options on, a file", false, true, true, true, true, true, withFile,
         {"isAppRunning", "readSettings", "checkUserTable", "showSplash", "createMainWindow", open, "showMainWindow",
          "logon", "tipOfDay", "exec"},
         0, true},
        {"second copy", true, true, true, true, true, true, withFile, {"isAppRunning", "alreadyRunning"}, 1, false},
        {"no data directory", false, false, true, true, true, true, withFile, {"isAppRunning", "readSettings"}, 1,
         false},
        {"failed login: the file is open, no tip, no loop", false, true, true, false, true, false, withFile,
         {"isAppRunning", "readSettings", "checkUserTable", "createMainWindow", open, "showMainWindow", "logon"}, 1,
         false},
        {"tips only", false, true, false, true, true, false, program,
         {"isAppRunning", "readSettings", "checkUserTable", "createMainWindow", "showMainWindow", "tipOfDay", "exec"},
         0, false},
    };
    for (const Case& c : cases) {
        SetUp();
        FakeHost host;
        host.running = c.running;
        host.settingsOk = c.settingsOk;
        host.logonOption = c.logon;
        host.logonOk = c.logonOk;
        host.tipsOption = c.tips;
        host.logoOption = c.logo;
        APP app(host);
        EXPECT_EQ(app.START(c.args), c.exitCode) << c.name;
        EXPECT_EQ(host.calls, c.calls) << c.name << ": " << host.calls.join(", ").toStdString();
        EXPECT_EQ(G().CUSERID, c.loggedOn ? QStringLiteral("QAVE                ") : QString()) << c.name;
        if (c.running) {
            EXPECT_EQ(host.shownText, QStringLiteral("ZEVA 2.0 hazır yüklü...\nGörev çubuğunda olabilir!"));
        }
    }
}

TEST_F(StartupTest, InitializeEmptiesTheProblemAndLowersTheFlags)
{
    G().ABMTABLE = {Row{QStringLiteral("HP")}};
    G().AMATRIX = {Row{QStringLiteral("1")}};
    G().ABMUNITS = {QStringLiteral("%")};
    G().LMATCHANGED = G().LPARAMCHANGED = true;
    G().CDATAPATH = QStringLiteral("/veri");
    FakeHost host;
    APP(host).INITIALIZE();
    const ActiveProblem& p = G();
    EXPECT_TRUE(p.AYMTABLE.isEmpty() && p.ABMTABLE.isEmpty() && p.AMATRIX.isEmpty() && p.AYMNAMES.isEmpty()
                && p.ABMUNITS.isEmpty());
    EXPECT_FALSE(p.anyChanged());
    EXPECT_EQ(p.CDATAPATH, QStringLiteral("/veri"));
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("checkUserTable")});
}

// The argument is taken as it is: never evaluated, one pair of quotes around
// it removed.
TEST(CommandLine, TheFirstArgumentTakenLiterally)
{
    const struct {
        QStringList args;
        QString file;
    } cases[] = {
        {{"zeva"}, QString()},
        {{"zeva", ""}, QString()},
        {{"zeva", "   "}, QString()},
        {{"zeva", "\"\""}, QString()},
        {{"zeva", "/veri/Data/ÖRNEK.ZVF"}, "/veri/Data/ÖRNEK.ZVF"},
        {{"zeva", "\"/veri/Data/İki Kelime.ZVF\""}, "/veri/Data/İki Kelime.ZVF"},
        {{"zeva", "\"\"a.ZVF\"\""}, "\"a.ZVF\""},                 // one pair only
        {{"zeva", "\"a.ZVF"}, "\"a.ZVF"},                         // no closing quote: as it is
        {{"zeva", "\"+FErase(\"x\")+\""}, "+FErase(\"x\")+"},      // text, never run
        {{"zeva", "BROYLER.ZVF", "ikinci"}, "BROYLER.ZVF"},
        {{"zeva", " bosluklu.ZVF "}, " bosluklu.ZVF "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(commandLineFile(c.args), c.file) << c.args.join(QLatin1Char('|')).toStdString();
}

}  // namespace
}  // namespace zeva
