// The solution reports of both optimisers, compared byte for byte with the
// golden files in tests/data/reports under a fixed clock.
//
// The problem files are opened under a relative name inside a fresh temporary
// folder (the current folder of the test), so that the file lines of the
// reports read the same wherever the tests run. ZEVA_UPDATE_GOLDEN=1 writes the
// golden files anew instead of comparing.
#include "core/activeproblem.h"
#include "core/optimizer.h"
#include "core/problemfile.h"
#include "platform/atomicfile.h"
#include "platform/codec.h"

#include "problembuilder.h"
#include "support/fakeport.h"
#include "support/tempdir.h"
#include "support/qstringprint.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <tuple>
#include <memory>
#include <ostream>

using namespace zeva;
using zeva::test::FakePort;
using zeva::test::ProblemBuilder;

namespace {

const std::nullopt_t none = std::nullopt;

const QDateTime kClock(QDate(2024, 3, 7), QTime(9, 5, 3));

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The report's lines as text, without their CR LF.
QStringList reportLines(const QByteArray& bytes)
{
    QStringList lines = cp1254::decode(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

ParamAnswer ok(const QString& amount, const QString& currency = QStringLiteral("TL"),
               const QString& weight = QStringLiteral("Kg"), bool edited = false)
{
    return ParamAnswer{true, edited, amount, currency, weight};
}

// A compound feed with every line of the report: feeds left out, a nutrient
// with two limits, one without a limit, and a reached value exactly on a half
// at 4 decimals (39.3 x 0.0025 = 0.09825, stored just below the half).
void compoundFound()
{
    ProblemBuilder()
        .feed("MISIR", 10.5)
        .feed("SOYA KÜSPESİ 48", 21.5)
        .feed("BALIK UNU", 62)
        .feed("KİREÇ TAŞI", 1.4)
        .feed("TUZ", 4, 0.0025)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1, 1, 1}, "Kg/Kg")
        .nutrient("ME_KA", none, 2900, none, {3350, 2440, 2850, 0, 0}, "KCal/Kg")
        .nutrient("HP", none, 19, 22, {8.5, 48.5, 65, 0, 0})
        .nutrient("HAM YAG", none, none, none, {3.8, 1.2, 9, 0, 0})
        .nutrient("KALSIYUM", none, 0.9, none, {0.02, 0.27, 4, 38, 0})
        .nutrient("SODYUM", none, 0.09, none, {0, 0, 0, 0, 39.3})
        .apply();
}

// Not to be met: the protein asked for is above what any feed holds.
void compoundNotFound()
{
    ProblemBuilder()
        .feed("ARPA", 9)
        .feed("MISIR", 10.5)
        .feed("BUĞDAY", 11)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1}, "Kg/Kg")
        .nutrient("ME_KA", none, 2800, none, {2640, 3350, 3100}, "KCal/Kg")
        .nutrient("HP", none, 20, none, {11.5, 8.5, 13})
        .nutrient("HAM LIF", none, none, 4, {5, 2.2, 2.6})
        .apply();
}

// Ratios (one with two limits, one without a limit whose divisor the mix does
// not hold), feed limits of every kind, and two feeds of the same name.
void compoundRatiosAndFeedLimits()
{
    ProblemBuilder()
        .feed("MISIR", 10.5)
        .feed("BUĞDAY", 11, none, none, 0.2)
        .feed("SOYA KÜSPESİ 48", 21.5)
        .feed("TAM YAĞLI SOYA", 24, none, 0.05, none)
        .feed("TAM YAĞLI SOYA", 30, none, none, 0.1)
        .feed("KİREÇ TAŞI", 1.4)
        .feed("DİKALS.FOSFAT", 30)
        .feed("TUZ", 4, 0.003)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1, 1, 1, 1, 1, 1}, "Kg/Kg")
        .nutrient("ME_KA", none, 2950, none, {3350, 3100, 2440, 3300, 3300, 0, 0, 0}, "KCal/Kg")
        .nutrient("HP", none, 21, none, {8.5, 13, 48.5, 36, 36, 0, 0, 0})
        .nutrient("KALSIYUM", none, 0.9, 1.1, {0.02, 0.05, 0.27, 0.25, 0.25, 38, 23, 0})
        .nutrient("FOSFOR", none, 0.45, none, {0.08, 0.13, 0.24, 0.2, 0.2, 0, 18, 0})
        .nutrient("LIF", none, none, none, {0, 0, 0, 0, 0, 0, 0, 0})
        .ratio("KALSIYUM", "FOSFOR", none, 1.8, 2.2)
        .ratio("HP", "LIF", none, none, none)
        .apply();
}

// Every feed enters the mix.
void compoundAllSelected()
{
    ProblemBuilder()
        .feed("ARPA", 9)
        .feed("SOYA KÜSPESİ 48", 21.5)
        .nutrient("AGIRLIK", 1, none, none, {1, 1}, "Kg/Kg")
        .nutrient("HP", 20, none, none, {11.5, 48.5})
        .apply();
}

// A daily ration for a dairy cow on dry matter, with a ratio and feed limits.
void dailyRation(bool withKmo)
{
    ProblemBuilder b(QStringLiteral("G"));
    b.feed("MISIR SİLAJI", 2.75, none, 5, 8)
        .feed("YONCA KURU OTU", 7.5, none, none, 4)
        .feed("BUĞDAY SAMANI", 4, none, none, 1.5)
        .feed("ARPA", 9.25)
        .feed("SOYA KÜSPESİ 44", 19.5)
        .feed("PAMUK ÇİĞİDİ", 15, none, none, 2)
        .feed("KİREÇ TAŞI", 1.4, none, none, 0.2)
        .feed("DİKALS.FOSFAT", 30)
        .feed("TUZ", 4, 0.1)
        .nutrient("KMT", 20, none, none, {1, 1, 1, 1, 1, 1, 1, 1, 1}, "Kg/Kg");
    if (withKmo)
        b.nutrient("KMO", none, none, none, {35, 89, 91, 89, 89, 90, 99, 97, 99});
    b.nutrient("NEL", none, 30, none, {1.57, 1.3, 0.93, 1.94, 1.94, 2.08, 0, 0, 0}, "MCal/Kg")
        .nutrient("HP", none, 3300, none, {85, 180, 40, 123.6, 494.38, 235, 0, 0, 0}, "g/Kg")
        .nutrient("NDF", none, 5.6, 7.2, {0.45, 0.46, 0.78, 0.21, 0.15, 0.47, 0, 0, 0}, "Kg/Kg")
        .nutrient("KALSIYUM", none, 110, none, {2.8, 14, 3, 0.34, 3.26, 1.6, 383.84, 237.11, 0}, "g/Kg")
        .nutrient("FOSFOR", none, 70, none, {2.4, 2.5, 0.8, 4.04, 7.3, 6.2, 0, 185.57, 0}, "g/Kg")
        .ratio("KALSIYUM", "FOSFOR", none, 1.5, none)
        .apply();
}

class SolutionReportTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(tmp_.valid());
        oldCwd_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(tmp_.path()));
        ASSERT_TRUE(QDir().mkdir(QStringLiteral("Data")));
        G().reset();
        G().CREPORTFILE.clear();
    }
    void TearDown() override
    {
        testhooks::clearAtomicWriteFault();
        QDir::setCurrent(oldCwd_);
        G().reset();
        G().CREPORTFILE.clear();
    }

    // The problem built in G() becomes the open problem "Data/<name>.ZVF".
    static QString open(const QString& name)
    {
        const QString path = QStringLiteral("Data/") + name + QStringLiteral(".ZVF");
        G().OPROBSERVER = std::make_shared<ProblemServer>(path, newProblemTable(1));
        return QStringLiteral("Data/") + name + QStringLiteral(".TXT");
    }

    struct Run {
        FakePort port;
        std::unique_ptr<Optimizer> opt;
        QString file;  // where the report goes
        QByteArray bytes() const { return readFile(file); }
        bool result() const { return static_cast<const KY_OPTIMIZER&>(*opt).RESULT(); }
    };

    // Solves the open problem with the parameter dialog answered by `answer`;
    // `beforeReport` may change the solved state before the report step.
    static std::unique_ptr<Run> solve(bool daily, const QString& file, const ParamAnswer& answer,
                                      std::function<void(Optimizer&)> beforeReport = {})
    {
        auto run = std::make_unique<Run>();
        run->file = file;
        run->port.params << answer;
        OptimizerOptions o;
        o.clock = [] { return kClock; };
        if (beforeReport)
            o.reportStep = [beforeReport](Optimizer& opt) {
                beforeReport(opt);
                return opt.SONUCDOSYA();
            };
        if (daily)
            run->opt = std::make_unique<GR_OPTIMIZER>(run->port, o);
        else
            run->opt = std::make_unique<KY_OPTIMIZER>(run->port, o);
        return run;
    }

    // Compares the report with its golden file (or writes the golden file).
    static void expectGolden(const QByteArray& bytes, const QString& golden)
    {
        const QString path = QStringLiteral(ZEVA_TEST_DATA "/reports/") + golden;
        if (qEnvironmentVariableIntValue("ZEVA_UPDATE_GOLDEN") == 1) {
            ASSERT_TRUE(writeFileAtomically(path, bytes));
            return;
        }
        const QByteArray want = readFile(path);
        ASSERT_FALSE(want.isEmpty()) << path.toStdString();
        if (bytes == want)
            return;
        const QStringList got = reportLines(bytes);
        const QStringList exp = reportLines(want);
        for (int i = 0; i < std::max(got.size(), exp.size()); ++i)
            if (got.value(i) != exp.value(i)) {
                ADD_FAILURE() << golden.toStdString() << " line " << i + 1 << "\n  got:  ["
                              << got.value(i).toStdString() << "]\n  want: [" << exp.value(i).toStdString() << "]";
                return;
            }
        ADD_FAILURE() << golden.toStdString() << ": same lines, different bytes";
    }

    // Lines of one section of the limit block: from the line after `heading`
    // to the next empty line.
    static QStringList section(const QStringList& lines, const QString& heading)
    {
        QStringList out;
        const int at = static_cast<int>(lines.indexOf(QRegularExpression(QStringLiteral("^ {7}")
                                                                         + QRegularExpression::escape(heading)
                                                                         + QStringLiteral(" *$"))));
        for (int i = at + 1; at >= 0 && i < lines.size() && !lines.at(i).trimmed().isEmpty(); ++i)
            out << lines.at(i);
        return out;
    }

    test::TempDir tmp_;
    QString oldCwd_;
};

// The tableau row of constraint row r: the rows with a limit before it.
int tableauRowOf(const Optimizer& o, int r)
{
    int k = 0;
    for (int i = 0; i < r; ++i)
        k += o.ACTSINVALUE(i).has_value();
    return k;
}

// A number printed in a column of the report stands for `value`: rounded to
// the column's decimals, or to fewer only where one more would not fit, or
// all asterisks where not even its whole part fits. A cut number fails.
void expectShows(const QString& field, double value, int decimals, const std::string& where)
{
    SCOPED_TRACE(where + " [" + field.toStdString() + "] for " + std::to_string(value));
    const int w = static_cast<int>(field.size());
    if (field == QString(w, QLatin1Char('*'))) {
        EXPECT_GT(QString::number(std::round(value), 'f', 0).size(), w);
        return;
    }
    const QString t = field.trimmed();
    ASSERT_FALSE(t.isEmpty());
    EXPECT_TRUE(field.endsWith(t));  // right-aligned
    const int point = static_cast<int>(t.indexOf(QLatin1Char('.')));
    const int shown = point < 0 ? 0 : static_cast<int>(t.size()) - point - 1;
    EXPECT_LE(shown, decimals);
    if (shown < decimals) {
        EXPECT_GT(QString::number(value, 'f', shown + 1).size(), w);
    }
    bool ok = false;
    EXPECT_NEAR(t.toDouble(&ok), value, 0.5 * std::pow(10.0, -shown) + std::abs(value) * 1e-12);
    EXPECT_TRUE(ok);
}

// Where the feed limits, the shadow prices and the marks are read from.
int lineWith(const QStringList& lines, const QString& start)
{
    for (int i = 0; i < lines.size(); ++i)
        if (lines.at(i).startsWith(start))
            return i;
    return -1;
}

}  // namespace

// ---------------------------------------------------------------------------
// Compound feed

TEST_F(SolutionReportTest, CompoundFeedFound)
{
    compoundFound();
    const QString file = open(QStringLiteral("KARMA1"));
    // A shadow price just below 0, within the solve's tolerance: "0.0000".
    auto run = solve(false, file, ok(QStringLiteral("1000.00")), [](Optimizer& o) {
        ASSERT_EQ(o.AROWNAMES.at(5), QStringLiteral("SODYUM"));
        const int column = o.AINITBASIS[tableauRowOf(o, 5)];
        ASSERT_LT(std::abs(o.AZROW[column]), 1e-9);
        o.AZROW[column] = -0.00000005;
    });
    ASSERT_TRUE(run->opt->optimumFound);
    EXPECT_TRUE(run->result());
    expectGolden(run->bytes(), QStringLiteral("KARMA1.TXT"));
    EXPECT_EQ(G().CREPORTFILE, file);

    const QStringList lines = reportLines(run->bytes());
    // 39.3 x 0.0025 lies just below 0.09825 as a double; the report rounds it up.
    EXPECT_LT(39.3 * 0.0025, 0.09825);
    const int sodium = lineWith(lines, QStringLiteral("       SODYUM"));
    ASSERT_GE(sodium, 0);
    EXPECT_EQ(lines.at(sodium).mid(49, 11), QStringLiteral("     0.0983"));
    EXPECT_EQ(lines.at(sodium).mid(61, 11), QStringLiteral("     0.0000"));

    // The parameter dialog comes after the please-wait box is closed, the
    // job-done tones after the dialog.
    const QStringList log = run->port.log;
    EXPECT_EQ(log, (QStringList{"wait close", "params K 1000.00|TL|Kg", "tone 300 1", "tone 100 1", "tone 300 1",
                                "tone 100 1"}));
}

TEST_F(SolutionReportTest, CompoundFeedNotFoundMarksTheBrokenLimits)
{
    compoundNotFound();
    const QString file = open(QStringLiteral("KARMA2"));
    auto run = solve(false, file, ok(QStringLiteral("    2500.00"), QStringLiteral(" TL "), QStringLiteral(" Kg")));
    ASSERT_FALSE(run->opt->optimumFound);
    EXPECT_TRUE(run->result());
    expectGolden(run->bytes(), QStringLiteral("KARMA2.TXT"));
    EXPECT_TRUE(run->port.logLines(QStringLiteral("tone")).isEmpty());  // no job-done tones
    // No formula to add to the dry-matter table.
    EXPECT_TRUE(run->opt->AKMM_DATA.isEmpty());

    const QStringList limits = section(reportLines(run->bytes()), QStringLiteral("Besin Maddesi:"));
    QStringList marked;
    for (const QString& l : limits)
        if (l.startsWith(QStringLiteral("      *")))
            marked << l.mid(7, 20).trimmed();
    EXPECT_EQ(marked, (QStringList{"HP"}));
}

TEST_F(SolutionReportTest, CompoundFeedWithRatiosAndFeedLimits)
{
    compoundRatiosAndFeedLimits();
    const QString file = open(QStringLiteral("KARMA3"));
    auto run = solve(false, file, ok(QStringLiteral("1000.00")));
    ASSERT_TRUE(run->opt->optimumFound);
    expectGolden(run->bytes(), QStringLiteral("KARMA3.TXT"));

    const QStringList lines = reportLines(run->bytes());
    // The two feeds of the same name each show their own share.
    const QStringList feeds = section(lines, QStringLiteral("Yem Maddesi:"));
    QStringList soya;
    for (const QString& l : feeds)
        if (l.mid(7, 20).trimmed() == QStringLiteral("TAM YAĞLI SOYA"))
            soya << l.mid(28, 8).trimmed() + QLatin1Char(' ') + l.mid(49, 11).trimmed();
    const Optimizer& o = *run->opt;
    const double first = o.basicRow(3) >= 0 ? o.ARHS[o.basicRow(3)] : 0.0;
    const double second = o.basicRow(4) >= 0 ? o.ARHS[o.basicRow(4)] : 0.0;
    ASSERT_NE(QString::number(first, 'f', 5), QString::number(second, 'f', 5));
    EXPECT_EQ(soya, (QStringList{"Alt " + QString::number(first, 'f', 5), "Üst " + QString::number(second, 'f', 5)}));

    // A ratio whose divisor the mix does not hold has no reached value.
    const QStringList ratios = section(lines, QStringLiteral("Besin Maddesi Oranı:"));
    ASSERT_EQ(ratios.size(), 3);
    EXPECT_EQ(ratios.at(1).mid(7, 20).trimmed(), QStringLiteral("HP/LIF"));
    for (int column : {37, 49, 61})
        EXPECT_EQ(ratios.at(1).mid(column, 11), QStringLiteral("      -    ")) << column;
}

TEST_F(SolutionReportTest, CompoundFeedWithEveryFeedSelected)
{
    compoundAllSelected();
    // A character Windows-1254 cannot hold in the file's name becomes "?".
    const QString file = open(QStringLiteral("Karma ő"));
    auto run = solve(false, file, ok(QStringLiteral("1000.00")));
    ASSERT_TRUE(run->opt->optimumFound);
    expectGolden(run->bytes(), QStringLiteral("KARMA4.TXT"));
    EXPECT_EQ(G().CREPORTFILE, file);
    const QStringList lines = reportLines(run->bytes());
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("Seçilmeyen")));
    EXPECT_FALSE(lines.join(QLatin1Char('\n')).contains(QStringLiteral("GİMFD")));
}

// A mixer capacity whose amounts the amount column cannot hold: the amounts
// and their total are asterisks, never their first digits; every other
// column and every amount that fits stays as it was.
TEST_F(SolutionReportTest, CompoundFeedAmountsTooWideForTheirColumnAreAsterisks)
{
    for (const char* capacity : {"1000.00", "12345678.90", "99999999999"}) {
        SCOPED_TRACE(capacity);
        compoundFound();
        const QString file = open(QStringLiteral("KARMA1"));
        auto run = solve(false, file, ok(QString::fromLatin1(capacity)));
        const QStringList lines = reportLines(run->bytes());
        const double amount = QString::fromLatin1(capacity).toDouble();
        const int first = lineWith(lines, QStringLiteral("          --------------------"));
        ASSERT_GE(first, 0);
        int feeds = 0;
        for (int i = first + 1; i < lines.size() && !lines.at(i).startsWith(QStringLiteral("          ---")); ++i) {
            const QString& l = lines.at(i);
            const double share = l.mid(43, 11).toDouble();
            EXPECT_GT(share, 0.0) << l.toStdString();
            expectShows(l.mid(55, 10), share * amount, 2, l.mid(10, 20).trimmed().toStdString());
            EXPECT_TRUE(l.mid(65).trimmed().isEmpty()) << l.toStdString();
            ++feeds;
        }
        EXPECT_EQ(feeds, 4);
        const int total = lineWith(lines, QStringLiteral("          TOPLAM:"));
        ASSERT_GE(total, 0);
        expectShows(lines.at(total).mid(55, 10), lines.at(total).mid(43, 11).toDouble() * amount, 2, "TOPLAM");
    }
    // Typed in the dialog, the capacity is taken as it is; its amounts are
    // asterisks, never "6063099999" for about 60,630,999,999.
    compoundFound();
    auto run = solve(false, open(QStringLiteral("KARMA1")),
                     ok(QStringLiteral("99999999999"), QStringLiteral("TL"), QStringLiteral("Kg"), true));
    const QStringList lines = reportLines(run->bytes());
    EXPECT_EQ(lines.at(lineWith(lines, QStringLiteral("          TOPLAM:"))).mid(43),
              QStringLiteral("    1.00000 **********") + QString(35, QLatin1Char(' ')));
    EXPECT_EQ(G().APARAMS.at(PRM_AMOUNT), QStringLiteral("99999999999"));
}

// Prices and the price changes of a feed whose price fills its whole cell
// keep their columns; a limit and a reached value wider than 4 decimals
// allow keep as many decimals as fit, and the formula's value keeps them all.
TEST_F(SolutionReportTest, CompoundFeedWideValuesKeepTheirColumns)
{
    ProblemBuilder()
        .feed("ARPA", 9)
        .feed("PREMİKS", 500)
        .feed("ALTIN", 1)
        .nutrient("AGIRLIK", 1, none, none, {1, 1, 1}, "Kg/Kg")
        .nutrient("VIT A", none, 1, none, {0, 1, 1}, "IU/Kg")
        .nutrient("VIT E", none, none, none, {0, 1, 1}, "IU/Kg")
        .apply();
    ActiveProblem& p = G();
    p.AYMTABLE[2][1] = QStringLiteral("99999999999");
    p.ABMTABLE[1][3] = QStringLiteral("12345678.90");
    p.AMATRIX[1][1] = QStringLiteral("99999999.99");
    p.AMATRIX[1][2] = QStringLiteral("99999999.99");
    p.AMATRIX[2][1] = QStringLiteral("87654321.99");
    p.AMATRIX[2][2] = QStringLiteral("87654321.99");
    auto run = solve(false, open(QStringLiteral("KARMA5")), ok(QStringLiteral("1000.00")));
    ASSERT_TRUE(run->opt->optimumFound);
    const QStringList lines = reportLines(run->bytes());

    // The feed left out: its price fills the price column, the price change
    // (about -99999999499) drops its decimals, and the highest price follows
    // in its own column.
    const int gold = lineWith(lines, QStringLiteral("          ALTIN"));
    ASSERT_GE(gold, 0);
    const QString& g = lines.at(gold);
    EXPECT_EQ(g.mid(31, 11), QStringLiteral("99999999999"));
    const double highest = g.mid(57, 11).toDouble();
    EXPECT_GT(highest, 9.0);
    expectShows(g.mid(43, 13), highest - 99999999999.0, 4, "GİMFD");
    EXPECT_TRUE(g.mid(68).trimmed().isEmpty());

    // The vitamin rows: requested and reached values in their columns.
    const QStringList nutrients = section(lines, QStringLiteral("Besin Maddesi:"));
    ASSERT_EQ(nutrients.size(), 3);
    const QString& a = nutrients.at(1);
    EXPECT_EQ(a.mid(37, 11), QStringLiteral("12345678.90"));
    expectShows(a.mid(49, 11), 12345678.90, 4, "VIT A");
    const QString& e = nutrients.at(2);
    const double premix = 12345678.90 / 99999999.99;
    expectShows(e.mid(49, 11), premix * 87654321.99, 4, "VIT E");
    for (const QString& l : nutrients)
        EXPECT_TRUE(l.mid(72).trimmed().isEmpty()) << l.toStdString();
    // The formula for the dry-matter matrix keeps every decimal of the value.
    ASSERT_EQ(run->opt->AKMM_DATA.size(), 3);
    EXPECT_NEAR(run->opt->AKMM_DATA.at(2).second.toDouble(), premix * 87654321.99, 0.00005);
    EXPECT_EQ(run->opt->AKMM_DATA.at(2).second.trimmed().section(QLatin1Char('.'), 1).size(), 4);
}

TEST_F(SolutionReportTest, CompoundFeedLinesAre100CharactersAndAkmmDataHoldsThePrintedValues)
{
    compoundFound();
    const QString file = open(QStringLiteral("KARMA1"));
    auto run = solve(false, file, ok(QStringLiteral("1000.00")));
    const QByteArray bytes = run->bytes();
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_EQ(bytes.size() % 102, 0);
    for (int at = 0; at < bytes.size(); at += 102)
        EXPECT_EQ(bytes.mid(at + 100, 2), QByteArray("\r\n")) << "line " << at / 102 + 1;

    // One pair per distinct nutrient name, in row order, limitless rows
    // included; the value is the printed 11-character text.
    QList<KmmPair> printed;
    QStringList seen;
    for (const QString& l : section(reportLines(bytes), QStringLiteral("Besin Maddesi:"))) {
        const QString name = l.mid(7, 20).trimmed();
        if (!seen.contains(name)) {
            seen << name;
            printed.append({name, l.mid(49, 11)});
        }
    }
    EXPECT_EQ(seen, (QStringList{"AGIRLIK", "ME_KA", "HP", "HAM YAG", "KALSIYUM", "SODYUM"}));
    EXPECT_EQ(run->opt->AKMM_DATA, printed);
    EXPECT_EQ(run->opt->AKMM_DATA.at(5), KmmPair("SODYUM", "     0.0983"));
}

TEST_F(SolutionReportTest, CancelledDialogWritesNothing)
{
    compoundFound();
    const QString file = open(QStringLiteral("KARMA1"));
    G().CREPORTFILE = QStringLiteral("/eski/rapor.TXT");
    G().LPARAMCHANGED = true;
    auto run = solve(false, file, ParamAnswer{});
    EXPECT_FALSE(run->result());
    EXPECT_TRUE(run->opt->AKMM_DATA.isEmpty());
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(G().CREPORTFILE, QStringLiteral("/eski/rapor.TXT"));
    EXPECT_EQ(run->port.log, (QStringList{"wait close", "params K 1000.00|TL|Kg"}));
    EXPECT_TRUE(G().LPARAMCHANGED);  // Cancel keeps the flag
}

TEST_F(SolutionReportTest, FailedWriteKeepsTheOldReport)
{
    compoundFound();
    const QString file = open(QStringLiteral("KARMA1"));
    ASSERT_TRUE(writeFileAtomically(file, "eski rapor"));
    G().CREPORTFILE = QStringLiteral("/eski/rapor.TXT");
    // A failure on the disk, and a report file the user made read-only.
    for (auto stage : {testhooks::WriteFault::Write, testhooks::WriteFault::Rename, testhooks::WriteFault::None}) {
        if (stage == testhooks::WriteFault::None)
            ASSERT_TRUE(QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        else
            testhooks::failAtomicWrite(stage);
        auto run = solve(false, file, ok(QStringLiteral("1000.00")));
        EXPECT_TRUE(run->result());
        EXPECT_EQ(run->port.boxTexts(BOX_ERROR),
                  (QStringList{"Rapor dosyası oluşturmada hata!\nSonra tekrar deneyin.."}));
        EXPECT_EQ(run->port.boxes.value(0).title, QStringLiteral("Hata..."));
        EXPECT_EQ(readFile(file), QByteArray("eski rapor"));
        EXPECT_EQ(QDir(QStringLiteral("Data")).entryList(QDir::Files).size(), 1);  // no temporary file left
        EXPECT_EQ(G().CREPORTFILE, QStringLiteral("/eski/rapor.TXT"));
        EXPECT_EQ(run->opt->AKMM_DATA.size(), 6);
    }
}

// A report that exists in another letter case is written over, not beside,
// and the report's header names it as it is on disk.
void expectReportWrittenOverInItsCase(bool daily)
{
    const QString name = daily ? QStringLiteral("Rasyon") : QStringLiteral("Cased");
    const QString upper = SolutionReportTest::open(name);
    const QString cased = QStringLiteral("Data/") + name + QStringLiteral(".txt");
    ASSERT_TRUE(writeFileAtomically(cased, "eski rapor"));
    auto run = SolutionReportTest::solve(daily, upper, ok(daily ? QStringLiteral("1.000") : QStringLiteral("1000.00")));
    ASSERT_TRUE(run->opt->optimumFound);
    EXPECT_EQ(QDir(QStringLiteral("Data"))
                  .entryList({name + QStringLiteral(".txt"), name + QStringLiteral(".TXT")},
                             QDir::Files | QDir::CaseSensitive),
              QStringList{name + QStringLiteral(".txt")});
    const QByteArray report = readFile(cased);
    EXPECT_GT(report.size(), 1000);
    QStringList lines = reportLines(report);
    for (QString& line : lines)
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
    EXPECT_TRUE(lines.contains(QStringLiteral("     § DOSYA: Veri Dosyasi..: Data/") + name + QStringLiteral(".ZVF")));
    EXPECT_TRUE(lines.contains(QString(14, QLatin1Char(' ')) + QStringLiteral("Rapor Dosyası.: ") + cased))
        << lines.mid(0, 8).join(QLatin1Char('\n')).toStdString();
    // The report now current is the file that holds it.
    EXPECT_EQ(QFileInfo(G().CREPORTFILE).fileName(), name + QStringLiteral(".txt"));
    EXPECT_EQ(readFile(G().CREPORTFILE), report);
}

TEST_F(SolutionReportTest, ReportReplacesItsNameInAnyLetterCase)
{
    compoundFound();
    expectReportWrittenOverInItsCase(false);
}

TEST_F(SolutionReportTest, DailyReportReplacesItsNameInAnyLetterCase)
{
    dailyRation(true);
    expectReportWrittenOverInItsCase(true);
}

// ---------------------------------------------------------------------------
// Daily ration

TEST_F(SolutionReportTest, DailyRationWithDryMatterRatios)
{
    dailyRation(true);
    const QString file = open(QStringLiteral("RASYON1"));
    auto run = solve(true, file, ok(QStringLiteral("1.000")));
    ASSERT_TRUE(run->opt->optimumFound);
    expectGolden(run->bytes(), QStringLiteral("RASYON1.TXT"));
    EXPECT_EQ(G().CREPORTFILE, file);
    EXPECT_TRUE(run->opt->AKMM_DATA.isEmpty());

    // Every line is 100 characters but the empty line and the heading that
    // open the ratio block.
    const QByteArray bytes = run->bytes();
    QList<int> widths;
    for (const QByteArray& l : bytes.split('\n'))
        if (!l.isEmpty())
            widths << static_cast<int>(l.size()) - 1;
    QList<int> odd;
    for (int i = 0; i < widths.size(); ++i)
        if (widths.at(i) != 100)
            odd << i;
    ASSERT_EQ(odd.size(), 2);
    const QStringList lines = reportLines(bytes);
    EXPECT_EQ(lines.at(odd.at(0)), QString());
    EXPECT_EQ(lines.at(odd.at(1)), QStringLiteral("       Besin Maddesi Oranı:"));
    EXPECT_EQ(odd.at(1), odd.at(0) + 1);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
}

TEST_F(SolutionReportTest, DailyRationWithoutDryMatterRatios)
{
    dailyRation(false);
    const QString file = open(QStringLiteral("RASYON2"));
    auto run = solve(true, file, ok(QStringLiteral("1.000")));
    expectGolden(run->bytes(), QStringLiteral("RASYON2.TXT"));
    EXPECT_EQ(run->port.boxTexts(BOX_ERROR), (QStringList{optimizer_text::kNoKmoRow}));
}

TEST_F(SolutionReportTest, DailyRationForTenAnimalsScalesOnlyTheAsFedColumn)
{
    dailyRation(true);
    const QString file = open(QStringLiteral("RASYON3"));
    auto ten = solve(true, file, ok(QStringLiteral("     10.000"), QStringLiteral("TL"), QStringLiteral("Kg"), true));
    expectGolden(ten->bytes(), QStringLiteral("RASYON3.TXT"));

    const QString oneFile = open(QStringLiteral("RASYON1"));
    auto one = solve(true, oneFile, ok(QStringLiteral("1.000")));
    const QStringList a = reportLines(one->bytes());
    const QStringList b = reportLines(ten->bytes());
    ASSERT_EQ(a.size(), b.size());
    int scaled = 0;
    for (int i = 0; i < a.size(); ++i) {
        if (i == 4 || i == 5)
            continue;  // the file names
        if (a.at(i) == b.at(i))
            continue;
        // Only columns 67-78 differ: the herd text and the as-fed amounts.
        EXPECT_EQ(a.at(i).left(66), b.at(i).left(66)) << "line " << i + 1;
        EXPECT_EQ(a.at(i).mid(78), b.at(i).mid(78)) << "line " << i + 1;
        if (a.at(i).contains(QStringLiteral("Hay/Gün"))) {
            EXPECT_EQ(a.at(i).mid(66, 12).trimmed(), QStringLiteral("1 Hay/Gün"));
            EXPECT_EQ(b.at(i).mid(66, 12).trimmed(), QStringLiteral("10 Hay/Gün"));
            continue;
        }
        const double x = a.at(i).mid(66, 11).toDouble();
        const double y = b.at(i).mid(66, 11).toDouble();
        EXPECT_NEAR(y, 10 * x, 0.006) << "line " << i + 1;
        ++scaled;
    }
    EXPECT_GE(scaled, 5);

    // A fractional herd: the as-fed amounts use the number as typed, the
    // herd text shows its whole part; half an animal still gets its half.
    for (const auto& [typed, animals, herd] :
         {std::tuple{"     10.750", 10.75, "10 Hay/Gün"}, std::tuple{"      0.500", 0.5, "0 Hay/Gün"}}) {
        const QString fracFile = open(QStringLiteral("RASYON3"));
        auto frac = solve(true, fracFile, ok(QString::fromLatin1(typed), QStringLiteral("TL"), QStringLiteral("Kg"), true));
        const QStringList c = reportLines(frac->bytes());
        ASSERT_EQ(a.size(), c.size()) << typed;
        int fracScaled = 0;
        for (int i = 0; i < a.size(); ++i) {
            if (i == 4 || i == 5 || a.at(i) == c.at(i))
                continue;
            EXPECT_EQ(a.at(i).left(66), c.at(i).left(66)) << typed << " line " << i + 1;
            if (a.at(i).contains(QStringLiteral("Hay/Gün"))) {
                EXPECT_EQ(c.at(i).mid(66, 12).trimmed(), QString::fromUtf8(herd)) << typed;
                continue;
            }
            const double x = a.at(i).mid(66, 11).toDouble();
            const double y = c.at(i).mid(66, 11).toDouble();
            EXPECT_GT(x, 0.0) << "line " << i + 1;
            EXPECT_NEAR(y, animals * x, 0.006 * animals + 0.001) << typed << " line " << i + 1;
            ++fracScaled;
        }
        EXPECT_EQ(fracScaled, scaled) << typed;
    }
}

// A herd whose as-fed amounts the column cannot hold: asterisks there and in
// the total, nothing else changes; a herd whose amounts lose only decimals
// keeps them in their column.
TEST_F(SolutionReportTest, DailyRationAsFedAmountsTooWideForTheirColumn)
{
    dailyRation(true);
    auto one = solve(true, open(QStringLiteral("RASYON1")), ok(QStringLiteral("1.000")));
    const QStringList a = reportLines(one->bytes());
    for (const char* herd : {"99999999999", "1234567.891"}) {
        SCOPED_TRACE(herd);
        const double animals = QString::fromLatin1(herd).toDouble();
        auto many = solve(true, open(QStringLiteral("RASYON1")), ok(QString::fromLatin1(herd)));
        const QStringList b = reportLines(many->bytes());
        ASSERT_EQ(a.size(), b.size());
        int scaled = 0;
        for (int i = 0; i < a.size(); ++i) {
            if (a.at(i) == b.at(i) || a.at(i).contains(QStringLiteral("Hay/Gün")))
                continue;
            EXPECT_EQ(a.at(i).left(66), b.at(i).left(66)) << "line " << i + 1;
            EXPECT_TRUE(b.at(i).mid(77).trimmed().isEmpty()) << b.at(i).toStdString();
            // Per animal with 3 decimals, so the herd's amount is known to
            // half a thousandth of an animal's.
            const double perAnimal = a.at(i).mid(66, 11).toDouble();
            const QString field = b.at(i).mid(66, 11);
            if (field == QStringLiteral("***********"))
                EXPECT_GT(perAnimal * animals, 1e11) << "line " << i + 1;
            else
                EXPECT_NEAR(field.toDouble(), perAnimal * animals, 0.0005 * animals + 0.01) << "line " << i + 1;
            ++scaled;
        }
        EXPECT_GE(scaled, 5);
    }
    auto many = solve(true, open(QStringLiteral("RASYON1")), ok(QStringLiteral("99999999999")));
    const QStringList b = reportLines(many->bytes());
    const int total = lineWith(b, QStringLiteral("          TOPLAM (Kg)"));
    ASSERT_GE(total, 0);
    EXPECT_EQ(b.at(total).mid(66, 11), QStringLiteral("***********"));
}

// The herd's heading is 12 characters wide: a count that fills them shows
// its digits alone, one a digit wider the asterisks of a number too wide for
// its field, never the first twelve of its digits. The rest of the heading
// line does not move. (Typed in the dialog a count keeps at most 11 digits;
// the header of a problem file may hold a wider one, which the dialog keeps
// when it is left as shown.)
TEST_F(SolutionReportTest, DailyRationHerdCountAtTheWidthOfItsHeading)
{
    dailyRation(true);
    auto one = solve(true, open(QStringLiteral("RASYON1")), ok(QStringLiteral("1.000")));
    const QStringList a = reportLines(one->bytes());
    const int heading = lineWith(a, QStringLiteral("              Yem Maddesi"));
    ASSERT_GE(heading, 0);
    ASSERT_EQ(a.at(heading).mid(66, 12), QStringLiteral(" 1 Hay/Gün  "));

    const struct {
        const char* animals;  // the header's number of animals
        const char* shown;  // columns 67-78
    } cases[] = {
        {"99999999999", "99999999999 "},        // the blank before "Hay/Gün" is the last that fits
        {"999999999999", "999999999999"},       // exactly fills the column
        {"999999999999.999", "999999999999"},   // its fraction does not make it wider
        {"1000000000000", "************"},      // a digit wider
        {"12345678901234", "************"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.animals);
        ASSERT_EQ(G().APARAMS.size(), 4);
        G().APARAMS[PRM_AMOUNT] = QString::fromLatin1(c.animals);
        auto many = solve(true, open(QStringLiteral("RASYON1")), ok(QString::fromLatin1(c.animals)));
        const QStringList b = reportLines(many->bytes());
        ASSERT_EQ(b.size(), a.size());
        const QString line = b.at(heading);
        EXPECT_EQ(line.mid(66, 12), QString::fromLatin1(c.shown));
        EXPECT_EQ(line.left(66), a.at(heading).left(66));
        EXPECT_EQ(line.mid(78), a.at(heading).mid(78));
        EXPECT_EQ(line.size(), 100);
    }
}

// A ration without any dry matter: no per cent and no dry-matter ratio to
// divide out, dashes in their place.
TEST_F(SolutionReportTest, DailyRationWithoutDryMatterShowsDashes)
{
    ProblemBuilder(QStringLiteral("G"))
        .feed("ARPA", 9.25)
        .feed("SAMAN", 4)
        .nutrient("KMT", 0, none, none, {1, 1}, "Kg/Kg")
        .nutrient("KMO", none, none, none, {89, 91})
        .apply();
    const QString file = open(QStringLiteral("BOS"));
    auto run = solve(true, file, ok(QStringLiteral("1.000")));
    const QStringList lines = reportLines(run->bytes());
    ASSERT_FALSE(lines.isEmpty());
    const int total = lineWith(lines, QStringLiteral("          TOPLAM (Kg)"));
    ASSERT_GE(total, 0);
    EXPECT_EQ(lines.at(total).mid(42, 11), QStringLiteral("      0.000"));
    EXPECT_EQ(lines.at(total).mid(54, 11), QStringLiteral("      -    "));
    const int kmo = lineWith(lines, QStringLiteral("       KMO"));
    ASSERT_GE(kmo, 0);
    EXPECT_EQ(lines.at(kmo).mid(49, 11), QStringLiteral("      -    "));
}
