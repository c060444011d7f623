// The requirement rows handed to a daily ration: layout, order, exact cells.
#include "animals.h"

#include "core/numeric.h"
#include "platform/runtime.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::bull;
using test::computed;
using test::cow;
using test::youngAnimal;

QStringList codes(const Table& rows)
{
    QStringList out;
    for (const Row& r : rows)
        out << AllTrim(r[BMNAME]);
    return out;
}

const Row* find(const Table& rows, const QString& code)
{
    for (const Row& r : rows)
        if (AllTrim(r[BMNAME]) == code)
            return &r;
    return nullptr;
}

// Every row is a nutrient-table row: code in 15, unit and values in 11
// characters; only the dry-matter row has a fixed amount, no row has an upper
// limit, the dry-matter-ratio row carries nothing, every other row a lower
// limit with four decimals.
void expectLayout(const Table& rows, const char* animal)
{
    for (const Row& r : rows) {
        const QString code = AllTrim(r[BMNAME]);
        ASSERT_EQ(r.size(), 5) << animal << " " << code.toStdString();
        EXPECT_EQ(r[BMNAME].size(), kBmNameWidth) << animal;
        EXPECT_TRUE(r[BMNAME].startsWith(code)) << animal;
        for (int c = BMUNIT; c <= BMULIMIT; ++c)
            EXPECT_EQ(r[c].size(), kCellWidth) << animal << " " << code.toStdString() << " cell " << c;
        EXPECT_TRUE(isBlankCell(r[BMULIMIT])) << animal << " " << code.toStdString();
        const bool dm = code == QLatin1String("KMT");
        const bool ratio = code == QLatin1String("KMO");
        EXPECT_EQ(isBlankCell(r[BMFIX]), !dm) << animal << " " << code.toStdString();
        EXPECT_EQ(isBlankCell(r[BMLLIMIT]), dm || ratio) << animal << " " << code.toStdString();
        const QString value = dm ? r[BMFIX] : r[BMLLIMIT];
        if (!ratio) {
            EXPECT_EQ(value, SDAYA(value, 4)) << animal << " " << code.toStdString() << ": [" << value.toStdString()
                                              << "] is not normalised";
        }
    }
}

TEST(RequirementRows, GrowingAnimalAndBull)
{
    NUTREQESTIMATE e = computed(youngAnimal(300, 800, 1));
    e.REQ_GROW_BULL();
    EXPECT_TRUE(e.LDDEG);
    const QStringList order{"KMT", "KMO",  "NEY", "NEK", "ME_BB",    "SE",     "TSBM", "HP",
                            "RUP", "RDP", "NDF", "ADF", "KALSIYUM", "FOSFOR", "VITA", "VITD"};
    EXPECT_EQ(codes(e.ABMREQM), order);
    expectLayout(e.ABMREQM, "heifer");

    const Table& rows = e.ABMREQM;
    EXPECT_EQ(rows[0], (Row{"KMT            ", "      Kg/Kg", "     7.0600", blankCell(), blankCell()}));
    EXPECT_EQ(rows[1], (Row{"KMO            ", "          %", blankCell(), blankCell(), blankCell()}));
    EXPECT_EQ(rows[2], (Row{"NEY            ", "    MCal/Kg", blankCell(), "     6.2000", blankCell()}));
    EXPECT_EQ(rows[7], (Row{"HP             ", "       g/Kg", blankCell(), "   848.0000", blankCell()}));
    EXPECT_EQ(rows[12], (Row{"KALSIYUM       ", "       g/Kg", blankCell(), "    24.7000", blankCell()}));
    EXPECT_EQ(rows[14], (Row{"VITA           ", "      IU/Kg", blankCell(), " 12720.0000", blankCell()}));
    // The rest of the heifer's figures at their row decimals.
    const struct {
        int row;
        const char* cell;
    } more[] = {{3, "     2.7700"},   {4, "    16.9700"},  {5, "    19.9500"}, {6, "     4.5200"},
                {10, "     2.1200"},  {11, "     1.4100"}, {13, "    18.5000"}, {15, "  1980.0000"}};
    for (const auto& m : more)
        EXPECT_EQ(rows[m.row][BMLLIMIT], QString::fromLatin1(m.cell)) << order[m.row].toStdString();

    NUTREQESTIMATE b = computed(bull(500));
    b.REQ_GROW_BULL();
    EXPECT_EQ(codes(b.ABMREQM), order);
    expectLayout(b.ABMREQM, "bull");
    EXPECT_EQ(b.ABMREQM[3][BMLLIMIT], QStringLiteral("     0.0000")) << "a bull gains nothing";
    EXPECT_EQ(b.ABMREQM[7][BMLLIMIT], QStringLiteral("   789.0000"));
}

TEST(RequirementRows, Cow)
{
    NUTREQESTIMATE e = computed(cow(600, 30, 3.5, 100, 3));
    e.REQ_DAIRY();
    EXPECT_TRUE(e.LDDEG);
    EXPECT_EQ(codes(e.ABMREQM), (QStringList{"KMT", "KMO", "NEL", "ME_BB", "SE", "TSBM", "HP", "RUP", "RDP", "NDF",
                                             "ADF", "KALSIYUM", "FOSFOR", "VITA", "VITD"}));
    expectLayout(e.ABMREQM, "cow");
    const Table& rows = e.ABMREQM;
    EXPECT_EQ(rows[0][BMFIX], QStringLiteral("    18.9700"));
    EXPECT_EQ(rows[2][BMLLIMIT], QStringLiteral("    30.3400"));
    EXPECT_EQ(rows[3][BMLLIMIT], QStringLiteral("    50.7400"));
    EXPECT_EQ(rows[6][BMLLIMIT], QStringLiteral("  3072.0000"));
    EXPECT_EQ(rows[7][BMLLIMIT], QStringLiteral("  1086.0000"));
    EXPECT_EQ(rows[8][BMLLIMIT], QStringLiteral("  1769.0000"));
    EXPECT_EQ(rows[11][BMLLIMIT], QStringLiteral("   113.4000"));
    EXPECT_EQ(rows[13][BMLLIMIT], QStringLiteral(" 45600.0000"));

    // The largest cow's vitamin A still fits its field.
    NUTREQESTIMATE big = computed(cow(800, 66, 5.5, 282, 1));
    big.REQ_DAIRY();
    expectLayout(big.ABMREQM, "800 kg cow");
    EXPECT_EQ(big.ABMREQM[13][BMLLIMIT], QStringLiteral(" 60800.0000"));
}

// A negative undegraded-protein requirement means there is none: the row
// must not turn it into a positive minimum.
TEST(RequirementRows, NegativeRupIsNoRequirement)
{
    NUTREQESTIMATE e = computed(cow(400, 0, 0, 0, 1, 0.70f));
    ASSERT_LT(e.NRUP, -80);
    e.REQ_DAIRY();
    const Row* rup = find(e.ABMREQM, QStringLiteral("RUP"));
    ASSERT_NE(rup, nullptr);
    EXPECT_EQ((*rup)[BMLLIMIT], QStringLiteral("     0.0000"));
    expectLayout(e.ABMREQM, "underfed dry cow");
}

// Each call starts the rows afresh, and the estimation run makes them for
// destination 1 only.
TEST(RequirementRows, EachRunStartsAfresh)
{
    NUTREQESTIMATE e = computed(cow(600, 30, 3.5, 100, 3));
    e.REQ_DAIRY();
    e.REQ_DAIRY();
    EXPECT_EQ(e.ABMREQM.size(), 15);

    NUTREQESTIMATE rows = youngAnimal(300, 800, 1);
    rows.NRTIPI = 2;
    ASSERT_TRUE(rows.compute(NUTREQESTIMATE::kRows));
    EXPECT_TRUE(rows.LDDEG);
    EXPECT_EQ(rows.ABMREQM.size(), 16);
    EXPECT_TRUE(rows.CREPORTTEXT.lines().isEmpty());

    NUTREQESTIMATE report = youngAnimal(300, 800, 1);
    ASSERT_TRUE(report.compute(NUTREQESTIMATE::kReport));
    EXPECT_FALSE(report.LDDEG);
    EXPECT_TRUE(report.ABMREQM.isEmpty());
}

}  // namespace
}  // namespace zeva
