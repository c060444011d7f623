// The requirement report: line counts and widths of every kind of report,
// selected lines, and whole reports compared byte for byte with the golden
// files in tests/data/requirements under a fixed clock. ZEVA_UPDATE_GOLDEN=1
// writes the golden files anew instead of comparing.
#include "animals.h"

#include "platform/atomicfile.h"
#include "platform/codec.h"
#include "core/numeric.h"
#include "support/qstringprint.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <ostream>

namespace zeva {
namespace {

using test::bull;
using test::cow;
using test::youngAnimal;

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

// The report of an animal as the estimation run makes it.
QByteArray report(NUTREQESTIMATE e, int kind)
{
    e.NRTIPI = static_cast<std::uint16_t>(kind);
    e.clock = [] { return kClock; };
    EXPECT_TRUE(e.compute(NUTREQESTIMATE::kReport));
    return e.reportBytes();
}

void expectGolden(const QByteArray& bytes, const QString& golden)
{
    const QString path = QStringLiteral(ZEVA_TEST_DATA "/requirements/") + golden;
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
            ADD_FAILURE() << golden.toStdString() << " line " << i + 1 << "\n  got:  [" << got.value(i).toStdString()
                          << "]\n  want: [" << exp.value(i).toStdString() << "]";
            return;
        }
    ADD_FAILURE() << golden.toStdString() << ": same lines, different bytes";
}

const QString kEndMark = QString(49, QLatin1Char(' ')) + QStringLiteral("<>") + QString(49, QLatin1Char(' '));

// Every kind of report: its number of lines, each 100 characters ended by
// CR LF, and the end mark where one belongs.
TEST(RequirementReport, SizesOfEveryKind)
{
    const struct {
        const char* name;
        NUTREQESTIMATE animal;
        int kind;
        int lines;
        bool endMark;
    } cases[] = {
        {"young, summary", youngAnimal(300, 800, 1), 1, 26, false},
        {"young, detailed", youngAnimal(300, 800, 1), 2, 85, true},
        {"cow, summary", cow(600, 30, 3.5, 100, 3), 1, 29, false},
        {"cow, detailed", cow(600, 30, 3.5, 100, 3), 2, 88, true},
        {"bull, summary", bull(500), 1, 26, true},
        {"bull, detailed", bull(500), 2, 26, true},
    };
    for (const auto& c : cases) {
        const QByteArray bytes = report(c.animal, c.kind);
        EXPECT_EQ(bytes.count("\r\n"), c.lines) << c.name;
        EXPECT_EQ(bytes.size(), c.lines * 102) << c.name;
        EXPECT_TRUE(bytes.endsWith("\r\n")) << c.name;
        const QStringList lines = reportLines(bytes);
        ASSERT_EQ(lines.size(), c.lines) << c.name;
        for (const QString& l : lines)
            EXPECT_EQ(l.size(), 100) << c.name << ": [" << l.toStdString() << "]";
        EXPECT_EQ(lines.last() == kEndMark, c.endMark) << c.name;
        if (c.endMark) {
            EXPECT_EQ(lines[lines.size() - 2], QString(100, QLatin1Char(' '))) << c.name;
        }
        EXPECT_FALSE(bytes.contains('*')) << c.name;
    }
}

TEST(RequirementReport, GoldenReports)
{
    expectGolden(report(youngAnimal(300, 800, 1), 2), QStringLiteral("GENC_DETAYLI.TXT"));
    expectGolden(report(cow(600, 30, 3.5, 100, 3), 2), QStringLiteral("INEK_DETAYLI.TXT"));
    expectGolden(report(bull(500), 2), QStringLiteral("BOGA.TXT"));
    expectGolden(report(cow(400, 0, 0, 0, 1, 0.70f), 2), QStringLiteral("INEK_AC_KURU.TXT"));
}

// Lines of the worked example: the cow's absorbed-protein requirement and
// intake, the share of absorbed protein, milk protein and the small
// intestine, in the columns of the layout.
TEST(RequirementReport, CowLines)
{
    const QStringList lines = reportLines(report(cow(600, 30, 3.5, 100, 3), 2));
    ASSERT_EQ(lines.size(), 88);
    const int detail = 29;  // the detail section's first line, 0-based
    auto amount = [&](int n) { return lines[detail + n - 1].mid(55, 5); };
    EXPECT_EQ(amount(10), QStringLiteral(" 2134"));
    EXPECT_EQ(amount(20), QStringLiteral(" 2855"));
    EXPECT_EQ(lines[detail + 20].mid(55, 7), QStringLiteral("% 74.76"));
    EXPECT_EQ(amount(39), QStringLiteral("  990"));
    EXPECT_EQ(amount(52), QStringLiteral(" 3063"));
    EXPECT_EQ(amount(54), QStringLiteral(" 2418"));
    EXPECT_EQ(lines[detail + 9].mid(60, 2), QStringLiteral(" g"));
    // A cow prints zeros on the growth lines: 9, 30, 42 and 47.
    for (int n : {9, 30, 42})
        EXPECT_EQ(amount(n), QStringLiteral("    0")) << n;
    EXPECT_EQ(lines[detail + 46].mid(56, 7), QStringLiteral("%  0.00"));

    // The cow's TSBM label fills its 45 columns.
    EXPECT_EQ(lines[19].mid(5, 50), QStringLiteral("TOPLAM SİNDİRİLEBİLİR BESİN MADDELERİ (TSBM):13.31"));
    // The ratio: " %PT " in columns 60-64, the ratio in 65-69.
    EXPECT_EQ(lines[28].mid(59), QStringLiteral(" %PT 38.03") + QString(31, QLatin1Char(' ')));
}

// The underfed dry cow: the weight loss with its sign, the negative RUP and
// its share of the intake printed whole, wider than their fields.
TEST(RequirementReport, NegativeValuesPrintWhole)
{
    const QStringList lines = reportLines(report(cow(400, 0, 0, 0, 1, 0.70f), 2));
    ASSERT_EQ(lines.size(), 88);
    EXPECT_EQ(lines[13].trimmed(), QStringLiteral("LAKTASYONDA AĞIRLIK DEĞİŞİMİ (Kg): -0.524"));
    EXPECT_TRUE(lines[21].startsWith(QStringLiteral("     RUMENDE PARÇALANMAYAN PROTEİN (RUP):")));
    EXPECT_EQ(lines[21].mid(50, 19), QStringLiteral("  -85 g & %KM -2.36"));
    EXPECT_EQ(lines[28].mid(59, 11), QStringLiteral(" %PT -54.70"));
    // Protein detail: the weight-change protein's share needs six characters.
    EXPECT_EQ(lines[29 + 45].mid(5, 59),
              QStringLiteral("EMİLEN FARK (Difference) PROTEİNİ/PROTEİN TÜKETİMİ:% -86.44"));
}

// Over the whole input range every report line is 100 characters and every
// number shows whole, and every row value is normalised.
TEST(RequirementReport, EveryInputGivesWholeLinesAndRows)
{
    const QRegularExpression fourDecimals(QStringLiteral("^ *[0-9]+\\.[0-9]{4}$"));
    int failures = 0;
    for (const NUTREQESTIMATE& animal : test::inputGrid()) {
        NUTREQESTIMATE e = animal;
        e.NRTIPI = 2;
        ASSERT_TRUE(e.compute(NUTREQESTIMATE::kReport));
        const QByteArray bytes = e.reportBytes();
        NUTREQESTIMATE r = animal;
        ASSERT_TRUE(r.compute(NUTREQESTIMATE::kRows));
        bool ok = !bytes.contains('*') && !bytes.contains("nan") && !bytes.contains("inf")
                  && bytes.size() == e.CREPORTTEXT.lines().size() * 102;
        for (const QString& l : e.CREPORTTEXT.lines())
            ok = ok && l.size() == 100;
        for (const Row& row : r.ABMREQM)
            for (int c = BMFIX; c <= BMLLIMIT; ++c)
                ok = ok && row[c].size() == kCellWidth
                     && (isBlankCell(row[c]) || fourDecimals.match(row[c]).hasMatch());
        if (!ok && ++failures <= 3)
            ADD_FAILURE() << "type " << e.NSTIPI << " W " << e.NCANAGIR << " milk " << e.NSUTVERI << " share "
                          << e.NENGKARO << "\n" << bytes.toStdString();
    }
    EXPECT_EQ(failures, 0);
}

// Each summary starts the text anew: a second run leaves only its own report.
TEST(RequirementReport, SecondRunReplacesTheText)
{
    NUTREQESTIMATE e = cow(600, 30, 3.5, 100, 3);
    e.NRTIPI = 2;
    e.clock = [] { return kClock; };
    ASSERT_TRUE(e.compute(NUTREQESTIMATE::kReport));
    e.OUTPUT2();
    EXPECT_EQ(e.CREPORTTEXT.lines().size(), 29);
    EXPECT_EQ(e.reportBytes(), report(cow(600, 30, 3.5, 100, 3), 1));
}

}  // namespace
}  // namespace zeva
