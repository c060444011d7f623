// The estimation run with scripted dialogs: what each answer leads to (rows,
// the report file, nothing), the inputs as the model receives them, and the
// report written through a temporary file with CREPORTFILE set only after a
// successful write.
#include "animals.h"

#include "core/activeproblem.h"
#include "platform/atomicfile.h"
#include "requirements/estimationrun.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

namespace zeva {
namespace {

using test::FakePort;

const QDateTime kClock(QDate(2024, 3, 7), QTime(9, 5, 3));
const QString kOldReport = QStringLiteral("/eski/rapor.TXT");

// Dialogs answering from a script; a dialog that was not scripted fails the test.
struct ScriptedDialogs : RequirementDialogs {
    AnimalTypeAnswer type;
    std::optional<YoungCattleAnswer> young;
    std::optional<CowAnswer> cow;
    std::optional<BullAnswer> bull;
    QStringList asked;

    AnimalTypeAnswer askAnimalType(int destination) override
    {
        asked << QStringLiteral("STIPISECW %1").arg(destination);
        return type;
    }
    YoungCattleAnswer askYoungCattle() override
    {
        asked << QStringLiteral("GROWCATLEDW");
        EXPECT_TRUE(young.has_value());
        return young.value_or(YoungCattleAnswer{});
    }
    CowAnswer askCow() override
    {
        asked << QStringLiteral("LACTCATLEDW");
        EXPECT_TRUE(cow.has_value());
        return cow.value_or(CowAnswer{});
    }
    BullAnswer askBull() override
    {
        asked << QStringLiteral("MATBULDW");
        EXPECT_TRUE(bull.has_value());
        return bull.value_or(BullAnswer{});
    }
};

ScriptedDialogs youngDialogs(int kind = 1)
{
    ScriptedDialogs d;
    d.type = {1, kind};
    d.young = YoungCattleAnswer{1, 1.0, 300, 800, 1};
    return d;
}

ScriptedDialogs cowDialogs(int state = 1, double share = 0, double gain = 0, int kind = 1)
{
    ScriptedDialogs d;
    d.type = {2, kind};
    d.cow = CowAnswer{1, 1.0, 600, 30, 3.5, 100, 3, state, share, gain};
    return d;
}

ScriptedDialogs bullDialogs(int kind = 1)
{
    ScriptedDialogs d;
    d.type = {3, kind};
    d.bull = BullAnswer{1, 1.0, 900};
    return d;
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The report text of an animal computed directly, for comparison.
QByteArray directReport(NUTREQESTIMATE e, bool detail)
{
    e.clock = [] { return kClock; };
    if (e.NSTIPI == NUTREQESTIMATE::kCow)
        e.CALC_PREG_LACTATION();
    else
        e.CALC_GROW_BULL();
    e.CALC_ALLPROTEIN();
    if (e.NSTIPI == NUTREQESTIMATE::kYoung)
        e.OUTPUT1();
    else if (e.NSTIPI == NUTREQESTIMATE::kCow)
        e.OUTPUT2();
    else
        e.OUTPUT3();
    if (detail)
        e.OUTPUT4();
    return e.reportBytes();
}

class EstimationRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        p_.CDATAPATH = tmp_.path();
        p_.CREPORTFILE = kOldReport;
        ASSERT_TRUE(QDir(tmp_.path()).mkdir(QStringLiteral("Data")));
    }
    void TearDown() override { testhooks::clearAtomicWriteFault(); }

    bool run(ScriptedDialogs& d, int destination)
    {
        e_ = NUTREQESTIMATE();
        e_.clock = [] { return kClock; };
        return runRequirementEstimate(e_, d, port_, destination, p_);
    }

    QString reportPath() const { return tmp_.file(QStringLiteral("Data/ZVXSBIH.TXT")); }
    bool reportExists() const { return QFile::exists(reportPath()); }

    test::TempDir tmp_;
    ActiveProblem p_;
    FakePort port_;
    NUTREQESTIMATE e_;
};

TEST_F(EstimationRunTest, RowsForTheDailyRation)
{
    const struct {
        const char* name;
        ScriptedDialogs dialogs;
        const char* inputDialog;
        int rows;
    } cases[] = {
        {"young cattle", youngDialogs(2), "GROWCATLEDW", 16},
        {"cow", cowDialogs(), "LACTCATLEDW", 15},
        {"bull", bullDialogs(), "MATBULDW", 16},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(run(c.dialogs, 1));
        EXPECT_EQ(c.dialogs.asked, (QStringList{"STIPISECW 1", c.inputDialog}));
        EXPECT_TRUE(e_.LDDEG);
        EXPECT_EQ(e_.ABMREQM.size(), c.rows);
        // The rows ignore the report kind and write nothing.
        EXPECT_FALSE(reportExists());
        EXPECT_EQ(p_.CREPORTFILE, kOldReport);
        EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
    }
    // The young animal's figures as the hand-over receives them.
    ScriptedDialogs d = youngDialogs();
    ASSERT_TRUE(run(d, 1));
    EXPECT_EQ(e_.ABMREQM[0], (Row{"KMT            ", "      Kg/Kg", "     7.0600", QString(11, ' '), QString(11, ' ')}));
    EXPECT_EQ(e_.ABMREQM[7][BMLLIMIT], QStringLiteral("   848.0000"));
}

TEST_F(EstimationRunTest, ReportFileBecomesTheCurrentReport)
{
    const struct {
        const char* name;
        ScriptedDialogs dialogs;
        bool detail;  // the protein detail section follows the summary
    } cases[] = {
        {"young cattle, summary", youngDialogs(1), false},
        {"young cattle, detailed", youngDialogs(2), true},
        {"cow, detailed", cowDialogs(1, 0, 0, 2), true},
        {"bull, summary", bullDialogs(1), false},
        {"bull, detailed: the summary only", bullDialogs(2), false},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        p_.CREPORTFILE = kOldReport;
        EXPECT_TRUE(run(c.dialogs, 2));
        EXPECT_FALSE(e_.LDDEG);
        EXPECT_EQ(p_.CREPORTFILE, reportPath());
        const QByteArray written = readFile(reportPath());
        EXPECT_EQ(written, e_.reportBytes());
        EXPECT_EQ(written, directReport(e_, c.detail));
        EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
    }
    // Only the last report stays in the file, and no temporary file is left.
    EXPECT_EQ(QDir(tmp_.file(QStringLiteral("Data"))).entryList(QDir::Files), QStringList{"ZVXSBIH.TXT"});
}

TEST_F(EstimationRunTest, ReportFolderKeepsItsSpellingOnDisk)
{
    ASSERT_TRUE(QDir(tmp_.path()).rmdir(QStringLiteral("Data")));
    ASSERT_TRUE(QDir(tmp_.path()).mkdir(QStringLiteral("DATA")));
    {
        QFile old(tmp_.file(QStringLiteral("DATA/zvxsbih.txt")));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("eski");
    }
    ScriptedDialogs d = bullDialogs();
    ASSERT_TRUE(run(d, 2));
    EXPECT_EQ(p_.CREPORTFILE, tmp_.file(QStringLiteral("DATA/zvxsbih.txt")));
    EXPECT_EQ(readFile(p_.CREPORTFILE), e_.reportBytes());
}

TEST_F(EstimationRunTest, FailedWriteKeepsTheOldReport)
{
    {
        QFile old(reportPath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("önceki rapor\r\n");
    }
    const QString expected =
        QStringLiteral("box 16 Hata...: Rapor dosyası oluşturmada hata!\r\rSonra tekrar deneyiniz..");
    for (auto fault : {testhooks::WriteFault::Write, testhooks::WriteFault::Rename}) {
        port_.log.clear();
        testhooks::failAtomicWrite(fault);
        ScriptedDialogs d = youngDialogs(2);
        EXPECT_FALSE(run(d, 2));
        EXPECT_EQ(port_.log, QStringList{expected});
        EXPECT_EQ(p_.CREPORTFILE, kOldReport);
        EXPECT_EQ(readFile(reportPath()), QByteArray("önceki rapor\r\n"));
        EXPECT_EQ(QDir(tmp_.file(QStringLiteral("Data"))).entryList(QDir::Files), QStringList{"ZVXSBIH.TXT"});
    }
    // No "Data" folder, or no data directory at all: the same box.
    ASSERT_TRUE(QDir(tmp_.file(QStringLiteral("Data"))).removeRecursively());
    for (const QString& dataPath : {tmp_.path(), QString()}) {
        port_.log.clear();
        p_.CDATAPATH = dataPath;
        ScriptedDialogs d = bullDialogs();
        EXPECT_FALSE(run(d, 2));
        EXPECT_EQ(port_.log, QStringList{expected});
        EXPECT_EQ(p_.CREPORTFILE, kOldReport);
    }
}

TEST_F(EstimationRunTest, CancelledOrIncompleteEndsSilently)
{
    struct Case {
        const char* name;
        ScriptedDialogs dialogs;
        QStringList asked;
    };
    std::vector<Case> cases;
    {
        ScriptedDialogs d;  // the type dialog cancelled
        cases.push_back({"type cancelled", d, {"STIPISECW 2"}});
    }
    for (int type = 1; type <= 3; ++type) {
        ScriptedDialogs d = type == 1 ? youngDialogs() : type == 2 ? cowDialogs() : bullDialogs();
        if (d.young)
            d.young->result = 0;
        if (d.cow)
            d.cow->result = 0;
        if (d.bull)
            d.bull->result = 0;
        cases.push_back({"input cancelled", d, {}});
    }
    const auto zero = [&](const char* name, auto change) {
        for (int type = 1; type <= 3; ++type) {
            ScriptedDialogs d = type == 1 ? youngDialogs() : type == 2 ? cowDialogs() : bullDialogs();
            if (change(d))
                cases.push_back({name, d, {}});
        }
    };
    zero("no live weight", [](ScriptedDialogs& d) {
        if (d.young) d.young->NCANAGIR = 0;
        if (d.cow) d.cow->NCANAGIR = 0;
        if (d.bull) d.bull->NCANAGIR = 0;
        return true;
    });
    zero("no energy concentration", [](ScriptedDialogs& d) {
        if (d.young) d.young->NENECONS = 0;
        if (d.cow) d.cow->NENECONS = 0;
        if (d.bull) d.bull->NENECONS = 0;
        return true;
    });
    zero("no gain", [](ScriptedDialogs& d) { return d.young && ((d.young->NBEKCAAR = 0), true); });
    zero("no size class", [](ScriptedDialogs& d) { return d.young && ((d.young->NCESTYPE = 0), true); });
    zero("no parity", [](ScriptedDialogs& d) { return d.cow && ((d.cow->NGEBESAY = 0), true); });
    zero("state 2 without share", [](ScriptedDialogs& d) {
        return d.cow && ((d.cow->NYEMTUKE = 2), (d.cow->NENGKARO = 0), true);
    });

    for (int destination : {1, 2})
        for (Case c : cases) {
            SCOPED_TRACE(std::string(c.name) + " destination " + std::to_string(destination));
            EXPECT_FALSE(run(c.dialogs, destination));
            EXPECT_FALSE(e_.LDDEG);
            EXPECT_TRUE(e_.ABMREQM.isEmpty());
            EXPECT_FALSE(reportExists());
            EXPECT_EQ(p_.CREPORTFILE, kOldReport);
            EXPECT_TRUE(port_.log.isEmpty()) << port_.log.join('\n').toStdString();
            if (!c.asked.isEmpty() && destination == 2) {
                EXPECT_EQ(c.dialogs.asked, c.asked);
            }
        }
}

TEST_F(EstimationRunTest, InputsAsTheModelReceivesThem)
{
    // A dry, open cow is computed; only live weight, energy and parity stop it.
    ScriptedDialogs dry = cowDialogs();
    dry.cow->NSUTVERI = 0;
    dry.cow->NGEBEGUN = 0;
    ASSERT_TRUE(run(dry, 1));
    EXPECT_EQ(e_.ABMREQM.size(), 15);

    // States 1 and 3 are computed with the whole energy requirement met,
    // whatever the dialog held; state 2 with the share entered.
    const struct {
        int state;
        double share, gain;
        float expected;
    } cases[] = {{1, 0.8, 0, 1.0f}, {3, 0.8, 1.5, 1.0f}, {2, 0.8, 0, 0.8f}};
    for (const auto& c : cases) {
        ScriptedDialogs d = cowDialogs(c.state, c.share, c.gain);
        ASSERT_TRUE(run(d, 1)) << c.state;
        EXPECT_EQ(e_.NENGKARO, c.expected) << c.state;
        EXPECT_EQ(e_.NYEMTUKE, c.state);
    }
    ScriptedDialogs young = youngDialogs();
    young.young->NCESTYPE = 4;
    ASSERT_TRUE(run(young, 1));
    EXPECT_EQ(e_.NCESTYPE, 4);
    EXPECT_EQ(e_.NBEKCAAR, 800.0f);
    EXPECT_EQ(e_.NENGKARO, 1.0f);
    ScriptedDialogs b = bullDialogs();
    ASSERT_TRUE(run(b, 1));
    EXPECT_EQ(e_.NBEKCAAR, 0.0f);
    EXPECT_EQ(e_.NCESTYPE, 0);
}

}  // namespace
}  // namespace zeva
