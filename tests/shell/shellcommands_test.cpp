// The shell's commands without windows: the requirement hand-over in its two
// modes, the solve's effect on the kept formula, and the help display.
#include "shell/shellcommands.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problembuilder.h"
#include "platform/runtime.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::FakePort;

QString num(double v, int d = 4)
{
    return SDAYA(QString::number(v, 'f', d), 4);
}

// A requirement row as the estimator lays it out: code, unit, fixed, lower,
// upper.
Row requirement(const QString& code, const QString& unit, const QString& fix, const QString& low)
{
    return Row{PadR(code, kBmNameWidth), PadL(unit, kCellWidth), fix, low, blankCell()};
}

Row nutrient(const QString& name, const QString& unit, const QString& low = blankCell())
{
    return Row{PadR(name, kBmNameWidth), PadL(unit, kCellWidth), blankCell(), low, blankCell()};
}

const Table kRequirements = {
    requirement("KMT", "Kg/Kg", num(7.06), blankCell()),
    requirement("KMO", "%", blankCell(), blankCell()),
    requirement("SE", "MCal/Kg", blankCell(), num(12.5)),
    requirement("HP", "g/Kg", blankCell(), num(848)),
    requirement("KALSIYUM", "g/Kg", blankCell(), num(24.7)),
};

class HandOverTest : public ::testing::Test {
protected:
    void SetUp() override { G().reset(); }
    void TearDown() override { G().reset(); }

    // A daily ration of two feeds over the given nutrients (matrix 1, 2, ...).
    void problem(const Table& nutrients)
    {
        ActiveProblem& p = G();
        p.AYMTABLE = {Row{PadR("Arpa", kYmNameWidth), num(4, 3), blankCell(), blankCell(), blankCell()},
                      Row{PadR("Yonca kuru otu", kYmNameWidth), num(3, 3), blankCell(), blankCell(), blankCell()}};
        p.ABMTABLE = nutrients;
        p.AMATRIX.clear();
        for (int r = 0; r < nutrients.size(); ++r)
            p.AMATRIX << Row{num(r + 1), num(r + 10)};
        p.APARAMS = {"G", "1.000", "TL", "Kg"};
        p.rebuildFeedNames();
        p.rebuildNutrientNames();
    }

    int menuUpdates = 0;
    std::function<void()> menuState = [this] { ++menuUpdates; };
    FakePort port;
};

// Replace mode: a requirement replaces only the nutrient of exactly its name;
// the lists follow the table.
TEST_F(HandOverTest, ReplaceModeMatchesWholeNamesAndRebuildsTheLists)
{
    problem({nutrient("SELENYUM", "mg/Kg"), nutrient("kmt", "Kg/Kg"), nutrient("HP", "%"),
             nutrient("KALSIYUM", "%")});
    const Table matrixBefore = G().AMATRIX;
    ASSERT_TRUE(handOverRequirements(port, kRequirements, menuState));

    const ActiveProblem& p = G();
    EXPECT_TRUE(port.log.isEmpty()) << "no limits: no question";
    ASSERT_EQ(p.ABMTABLE.size(), 4);
    EXPECT_EQ(p.ABMTABLE[0], nutrient("SELENYUM", "mg/Kg")) << "SE is not SELENYUM";
    EXPECT_EQ(p.ABMTABLE[1], nutrient("kmt", "Kg/Kg")) << "KMT is not kmt";
    EXPECT_EQ(p.ABMTABLE[2], kRequirements[3]);
    EXPECT_EQ(p.ABMTABLE[3], kRequirements[4]);
    EXPECT_EQ(p.ABMNAMES, (QStringList{"SELENYUM", "kmt", "HP", "KALSIYUM"}));
    EXPECT_EQ(p.ABMUNITS, (QStringList{"mg/Kg", "Kg/Kg", "g/Kg", "g/Kg"}));
    EXPECT_EQ(p.AMATRIX, matrixBefore);
    EXPECT_EQ(p.AYMNAMES.size(), 2);
    EXPECT_TRUE(p.LBMCHANGED);
    EXPECT_FALSE(p.LYMCHANGED || p.LMATCHANGED);
    EXPECT_EQ(menuUpdates, 1);
}

// With limits in the table the user is asked; No changes nothing.
TEST_F(HandOverTest, ReplaceModeAsksWhenLimitsExist)
{
    const QString question = QStringLiteral(
        "box 36 Uyarı: Yeni sığır Besin Maddesi (BM) ihtiyaç tahmin hesapları yürüttünüz...\n"
        "Mevcut ihtiyaçlarla ikame edilsin mi?\n\nNOT: Sadece aynı tip hayvan ve standart BM isimleri için "
        "geçerlidir.");
    for (int reply : {REPLY_NO, REPLY_YES}) {
        SetUp();
        problem({nutrient("HP", "%", num(18)), nutrient("KALSIYUM", "%")});
        const ActiveProblem before = G();
        port = FakePort();
        port.replies = {reply};
        menuUpdates = 0;
        EXPECT_EQ(handOverRequirements(port, kRequirements, menuState), reply == REPLY_YES);
        EXPECT_EQ(port.log, QStringList{question});
        if (reply == REPLY_NO) {
            EXPECT_EQ(G().ABMTABLE, before.ABMTABLE);
            EXPECT_FALSE(G().LBMCHANGED);
            EXPECT_EQ(menuUpdates, 0);
        } else {
            EXPECT_EQ(G().ABMTABLE, (Table{kRequirements[3], kRequirements[4]}));
            EXPECT_TRUE(G().LBMCHANGED);
            EXPECT_EQ(menuUpdates, 1);
        }
    }
}

// New mode: the rows become the nutrient table; feeds and matrix go, after a
// question when there were feeds.
TEST_F(HandOverTest, NewModeWithAndWithoutFeeds)
{
    const QString question =
        QStringLiteral("box 36 Uyarı: Mevcut yem maddeleri ve matris silinecek!\n\nDevam edilsin mi?");
    struct Case {
        const char* name;
        bool feeds;
        int nutrients;
        QList<int> replies;
        bool changed;
    };
    const Case cases[] = {
        {"empty problem: no question", false, 0, {}, true},
        {"one nutrient, no feeds: no question", false, 1, {}, true},
        {"feeds, Yes", true, 1, {REPLY_YES}, true},
        {"feeds, No", true, 0, {REPLY_NO}, false},
    };
    for (const Case& c : cases) {
        SetUp();
        if (c.feeds)
            problem(c.nutrients ? Table{nutrient("HP", "%", num(18))} : Table{});
        else if (c.nutrients)
            G().ABMTABLE = {nutrient("HP", "%", num(18))}, G().rebuildNutrientNames();
        const ActiveProblem before = G();
        port = FakePort();
        port.replies = c.replies;
        menuUpdates = 0;
        EXPECT_EQ(handOverRequirements(port, kRequirements, menuState), c.changed) << c.name;
        // Windows holding a copy of the matrix learn that it was replaced.
        EXPECT_EQ(G().matrixRevision > before.matrixRevision, c.changed) << c.name;
        EXPECT_EQ(port.log, c.feeds ? QStringList{question} : QStringList{}) << c.name;
        const ActiveProblem& p = G();
        if (!c.changed) {
            EXPECT_EQ(p.ABMTABLE, before.ABMTABLE) << c.name;
            EXPECT_EQ(p.AYMTABLE, before.AYMTABLE) << c.name;
            EXPECT_EQ(p.AMATRIX, before.AMATRIX) << c.name;
            EXPECT_FALSE(p.LBMCHANGED || p.LYMCHANGED || p.LMATCHANGED) << c.name;
            EXPECT_EQ(menuUpdates, 0) << c.name;
            continue;
        }
        EXPECT_EQ(p.ABMTABLE, kRequirements) << c.name;
        EXPECT_EQ(p.ABMNAMES, (QStringList{"KMT", "KMO", "SE", "HP", "KALSIYUM"})) << c.name;
        EXPECT_EQ(p.ABMUNITS, (QStringList{"Kg/Kg", "%", "MCal/Kg", "g/Kg", "g/Kg"})) << c.name;
        EXPECT_TRUE(p.AYMTABLE.isEmpty() && p.AYMNAMES.isEmpty()) << c.name;
        EXPECT_EQ(p.AMATRIX, Table(5, Row{})) << c.name;
        EXPECT_TRUE(p.LBMCHANGED && p.LYMCHANGED && p.LMATCHANGED) << c.name;
        EXPECT_EQ(menuUpdates, 1) << c.name;
    }
}

// The command around the hand-over: the please-wait box up and down before
// the estimator; nothing without rows or without an estimator.
TEST_F(HandOverTest, TheCommandsCallTheEstimatorForTheirDestination)
{
    QList<int> destinations;
    RequirementEstimate answer;
    const RequirementEstimator estimator = [&](int destination) {
        destinations << destination;
        port.log << QStringLiteral("estimator");
        return answer;
    };
    problem({nutrient("HP", "%"), nutrient("KALSIYUM", "%")});
    const Table before = G().ABMTABLE;

    EXPECT_FALSE(NRESTOFDC1(port, estimator, menuState));  // cancelled: LDDEG false
    EXPECT_EQ(G().ABMTABLE, before);
    answer = {true, kRequirements};
    EXPECT_TRUE(NRESTOFDC1(port, estimator, menuState));
    EXPECT_EQ(G().ABMTABLE, (Table{kRequirements[3], kRequirements[4]}));
    NRESTOFDC2(port, estimator);
    EXPECT_EQ(destinations, (QList<int>{1, 1, 2}));
    const QStringList round{"wait open", "wait close", "estimator"};
    EXPECT_EQ(port.log, round + round + round);

    port.log.clear();
    EXPECT_FALSE(NRESTOFDC1(port, RequirementEstimator{}, menuState));
    NRESTOFDC2(port, RequirementEstimator{});
    EXPECT_TRUE(port.log.isEmpty());
    EXPECT_EQ(menuUpdates, 1);
}

// ---------------------------------------------------------------- solve

class SolveTest : public ::testing::Test {
protected:
    void TearDown() override { G().reset(); }

    // `feasible` FALSE: at least 50 of HP with at most 1 of YAG, which no
    // mix of the two feeds gives.
    static void compoundFeed(const QString& type = QStringLiteral("K"), bool feasible = true)
    {
        test::ProblemBuilder(type)
            .feed("Arpa", 4.0)
            .feed("Soya", 12.0)
            .nutrient("HP", {}, feasible ? 16.0 : 50.0, {}, {10.0, 44.0})
            .nutrient("YAG", {}, {}, feasible ? test::Num{} : test::Num{1.0}, {2.0, 1.5})
            .apply();
    }
};

TEST_F(SolveTest, AnOptimumOfACompoundFeedKeepsTheFormula)
{
    const QList<KmmPair> previous = {{"ESKI", num(1)}};
    struct Case {
        const char* name;
        QString type;
        bool reportResult;
        bool kept;
        bool feasible = true;
        bool emptied = false;  // the formula of an earlier optimum is gone
    };
    const Case cases[] = {
        {"compound feed with a result", "K", true, true},
        {"compound feed without one (dialog cancelled)", "K", false, false},
        {"compound feed without an optimum", "K", true, false, false, true},
        {"daily ration", "G", true, false},
        {"no known type", "X", true, false},
    };
    for (const Case& c : cases) {
        compoundFeed(c.type, c.feasible);
        G().AKMMDATA = previous;
        FakePort port;
        int reports = 0;
        OptimizerOptions options;
        options.reportStep = [&](Optimizer& o) {
            ++reports;
            o.closeWait();
            o.AKMM_DATA = {{"HP", num(16)}, {"YAG", num(1.8)}};
            return c.reportResult;
        };
        EXPECT_EQ(COZUM(port, options), c.kept) << c.name;
        const QList<KmmPair> formula = {{"HP", num(16)}, {"YAG", num(1.8)}};
        EXPECT_EQ(G().AKMMDATA, c.kept ? formula : c.emptied ? QList<KmmPair>{} : previous) << c.name;
        EXPECT_EQ(reports, c.type == QLatin1String("X") ? 0 : 1) << c.name;
        // The box is down at the end whoever took it down.
        EXPECT_EQ(port.log.first(), QStringLiteral("wait open")) << c.name;
        EXPECT_EQ(port.log.count(QStringLiteral("wait open")), 1) << c.name;
        EXPECT_EQ(port.log.last(), QStringLiteral("wait close")) << c.name;
    }
}

// ---------------------------------------------------------------- help

class RecordingLauncher : public HelpLauncher {
public:
    QStringList launched;
    bool works = true;
    bool launch(const QString& file, const QString& topic) override
    {
        launched << file + QLatin1Char('#') + topic;
        return works;
    }
};

TEST(HelpTest, TheHelpFileIsShownWhenItExistsElseItsPathIsTold)
{
    test::TempDir dir;
    ActiveProblem p;
    p.CDATAPATH = dir.path();
    auto launcher = std::make_shared<RecordingLauncher>();
    const HelpDisplay display(helpFilePath(p), launcher);
    EXPECT_EQ(display.fileName(), dir.file("Zeva.chm"));

    FakePort port;
    showHelpTopic(port, display, QStringLiteral("HelpIndex"));
    EXPECT_EQ(port.log, QStringList{"box 16 Hata...: Yardım dosyası bulunamadı:\n" + dir.file("Zeva.chm")});
    EXPECT_TRUE(launcher->launched.isEmpty());

    // Found whatever the letter case of its name on disk.
    QFile f(dir.file("ZEVA.CHM"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    port = FakePort();
    showHelpTopic(port, display, QStringLiteral("HelpContents"));
    EXPECT_TRUE(port.log.isEmpty());
    EXPECT_EQ(launcher->launched, QStringList{dir.file("ZEVA.CHM") + "#HelpContents"});

    launcher->works = false;
    showHelpTopic(port, display, QStringLiteral("HelpIndex"));
    EXPECT_EQ(port.log, QStringList{"box 16 Hata...: Yardım dosyası açılamadı:\n" + dir.file("ZEVA.CHM")});

    // Help on help: no Windows directory here, so its bare name in the data
    // directory.
    EXPECT_EQ(helpOnHelpFilePath(p), dir.file("winhelp.hlp"));
    EXPECT_EQ(helpOnHelpTopic(), QStringLiteral("HelpOnHelp"));
}

}  // namespace
}  // namespace zeva
