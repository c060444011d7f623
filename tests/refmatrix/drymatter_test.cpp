// The solved formula as a dry-matter feed without widgets: the conversion of
// one value, the conversion of the grid's rows, and pairing the formula's
// nutrients with the fields of MATKUMAD.DBF.
#include "refmatrix/drymatter.h"

#include "core/activeproblem.h"
#include "platform/runtime.h"
#include "reftestutil.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::FakePort;

struct ConvCase {
    const char* kmo;
    const char* name2;
    const char* from;
    const char* value;
    const char* to;
    ConvOutcome outcome;
    const char* text;  // trimmed
};

TEST(NewFieldValue, ConvertsByTheTableOfUnits)
{
    const ConvCase cases[] = {
        {"88", "HP", "%", "18", "g/Kg", ConvOutcome::Converted, "204.5455"},
        {"88", "HP", "%", "18", "mg/Kg", ConvOutcome::Converted, "204545.4545"},
        {"88", "HP", "%", "18", "Kg/Kg", ConvOutcome::Converted, "0.2045"},
        {"88", "HP", "%", "18", "g/Kg ham", ConvOutcome::Converted, "204.5455"},
        {"88", "HP", "%", "18", "G/KG", ConvOutcome::Converted, "204.5455"},
        {"88", "ME", "KCal/Kg", "2800", "MCal/Kg", ConvOutcome::Converted, "3.1818"},
        {"88", "ME", "KCal/Kg", "2800", "MJ/Kg", ConvOutcome::Converted, "13.3130"},
        {"88", "ME", "kcal/kg", "2800", "MCal/Kg", ConvOutcome::Converted, "3.1818"},
        {"88", "ME", "KCal/Kg", "2800", "kcal/KG", ConvOutcome::Converted, "3181.8182"},
        {"88", "HP", "%", "18", "%", ConvOutcome::Converted, "20.4545"},
        {"88", "CU", "mg/Kg", "22", "MG/KG", ConvOutcome::Converted, "25.0000"},
        {"88", "KMO", "%", "88.0000", "%", ConvOutcome::Converted, "88.0000"},
        {"88", "HP", "%", "18", "IU/Kg", ConvOutcome::UnknownPair, ""},
        {"88", "ME", "KCal/Kg", "2800", "g/Kg", ConvOutcome::UnknownPair, ""},
        {"88", "VITA", "IU/Kg", "12000", "mg/Kg", ConvOutcome::UnknownPair, ""},
        {"88", "HP", "%", "0.0001", "ng/Kg", ConvOutcome::TooWide, ""},
        {"0", "HP", "%", "18", "g/Kg", ConvOutcome::ZeroRatio, ""},
        {"abc", "ME", "KCal/Kg", "2800", "MCal/Kg", ConvOutcome::ZeroRatio, ""},
    };
    for (const ConvCase& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2 -> %3").arg(QString::fromUtf8(c.value), QString::fromUtf8(c.from),
                                                         QString::fromUtf8(c.to)).toStdString());
        const ConvResult r = NEWFLD_VAL(QString::fromUtf8(c.kmo), QString::fromUtf8(c.name2), QString::fromUtf8(c.from),
                                        QString::fromUtf8(c.value), QString::fromUtf8(c.to));
        EXPECT_EQ(r.outcome, c.outcome);
        EXPECT_EQ(AllTrim(r.text), QString::fromUtf8(c.text));
        if (c.outcome == ConvOutcome::Converted && !ExactEqual(QString::fromUtf8(c.name2), QStringLiteral("KMO"))) {
            EXPECT_EQ(r.text.size(), 11);
        }
        if (c.outcome != ConvOutcome::Converted) {
            EXPECT_TRUE(r.text.isEmpty());
        }
    }
    // The dry-matter ratio's own row keeps its text, not re-formatted.
    EXPECT_EQ(NEWFLD_VAL("88", "KMO", "%", "88", "%").text, QStringLiteral("88"));
}

ConvRow row(const char* name, const char* unit1, const char* value, const char* name2, const char* unit2)
{
    return {QString::fromUtf8(name), PadL(QString::fromUtf8(unit1), 11), PadL(QString::fromUtf8(value), 11),
            QString::fromUtf8(name2), PadR(QString::fromUtf8(unit2), 11), QString(11, QLatin1Char(' '))};
}

TEST(Hesapla, ConvertsEveryRowAndWarnsAboutTheEmptyOnes)
{
    ConvRows rows{row("KMO", "%", "88.0000", "KMO", "%"), row("HP", "%", "18.0000", "HP", "g/Kg"),
                  row("ME", "KCal/Kg", "2800.0000", "ME", "MCal/Kg"), row("VITA", "IU/Kg", "12000", "VITA", "mg/Kg"),
                  row("SE", "%", "0.0003", "SE", "ng/Kg"), row("NA", "%", "0.2000", "NA", "")};
    FakePort port;
    ASSERT_TRUE(PBHESAP(port, rows));
    const ConvRows first = rows;
    EXPECT_EQ(rows.at(0).SLE_VALUE2, QStringLiteral("88.0000"));
    EXPECT_EQ(rows.at(1).SLE_VALUE2, QStringLiteral("   204.5455"));
    EXPECT_EQ(rows.at(2).SLE_VALUE2, QStringLiteral("     3.1818"));
    EXPECT_TRUE(rows.at(3).SLE_VALUE2.isEmpty());
    EXPECT_TRUE(rows.at(4).SLE_VALUE2.isEmpty());
    EXPECT_EQ(rows.at(5).SLE_VALUE2, QString(11, QLatin1Char(' ')));  // no target unit: untouched
    const QStringList warnings = port.boxTexts(BOX_WARNING);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings.first().contains(QStringLiteral("VITA (IU/Kg -> mg/Kg)")));
    EXPECT_TRUE(warnings.first().contains(QStringLiteral("SE (% -> ng/Kg): sonuç 11 karaktere sığmıyor")));
    EXPECT_FALSE(warnings.first().contains(QStringLiteral("HP")));

    // A second run converts again from the formula's values.
    ASSERT_TRUE(PBHESAP(port, rows));
    for (int i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows.at(i).SLE_VALUE2, first.at(i).SLE_VALUE2);
}

TEST(Hesapla, RefusesWithoutAUsableDryMatterRatio)
{
    struct Case {
        ConvRows rows;
        QString error;
    };
    const Case cases[] = {
        {{row("HP", "%", "18", "HP", "g/Kg")}, kNoKmoText},
        {{row("kmo", "%", "88", "kmo", "%"), row("HP", "%", "18", "HP", "g/Kg")}, kNoKmoText},
        {{row("KMO", "%", "", "KMO", "%"), row("HP", "%", "18", "HP", "g/Kg")}, kNoKmoText},
        {{row("KMO", "%", "0.0000", "KMO", "%"), row("HP", "%", "18", "HP", "g/Kg")}, kZeroKmoText},
    };
    for (const Case& c : cases) {
        ConvRows rows = c.rows;
        FakePort port;
        EXPECT_FALSE(PBHESAP(port, rows));
        EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{c.error});
        for (int i = 0; i < rows.size(); ++i)
            EXPECT_EQ(rows.at(i).SLE_VALUE2, c.rows.at(i).SLE_VALUE2);
    }
}

class PairingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        G().CDATAPATH = tmp_.path();
        ASSERT_TRUE(test::writeReference(tmp_.file(QStringLiteral("MATKUMAD.DBF")),
                                         {QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("ME")},
                                         {QStringLiteral("%"), QStringLiteral("g/Kg"), QStringLiteral("MCal/Kg")},
                                         {{QStringLiteral("ARPA"), QStringLiteral("9"), {"89", "124", "3.1"}}}));
        ActiveProblem& p = G();
        p.ABMNAMES = {QStringLiteral("AGIRLIK"), QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("ENERJI")};
        p.ABMUNITS = {QStringLiteral("Kg/Kg"), QStringLiteral("%"), QStringLiteral("%"), QStringLiteral("KCal/Kg")};
    }
    void TearDown() override { G().reset(); }
    static void formula(const QStringList& names)
    {
        G().AKMMDATA.clear();
        for (const QString& n : names)
            G().AKMMDATA << KmmPair{n, PadL(QStringLiteral("1.0000"), 11)};
    }
    test::TempDir tmp_;
};

TEST_F(PairingTest, SameNamedFieldsPairWithoutAQuestion)
{
    formula({QStringLiteral("AGIRLIK"), QStringLiteral("KMO"), QStringLiteral("HP")});
    FakePort port;
    const ConvRows rows = GET_DON_DIZ(port);
    EXPECT_TRUE(port.log.isEmpty()) << port.log.join(QLatin1Char('\n')).toStdString();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(0).SLE_NAME2, QStringLiteral("KMO"));
    EXPECT_EQ(AllTrim(rows.at(0).SLE_UNIT2), QStringLiteral("%"));
    EXPECT_EQ(rows.at(1).SLE_NAME1, QStringLiteral("HP"));
    EXPECT_EQ(rows.at(1).SLE_UNIT1, QStringLiteral("%"));
    EXPECT_EQ(AllTrim(rows.at(1).SLE_UNIT2), QStringLiteral("g/Kg"));
    EXPECT_EQ(rows.at(1).SLE_VALUE2, QString(11, QLatin1Char(' ')));
}

TEST_F(PairingTest, AskedNamesPairOnlyWithNutrientFields)
{
    // "ENERJI" is asked: the list leaves out the name and the price.
    formula({QStringLiteral("KMO"), QStringLiteral("ENERJI")});
    FakePort port;
    port.matches = {{1, 3}};
    ConvRows rows = GET_DON_DIZ(port);
    ASSERT_EQ(port.offered.size(), 1);
    EXPECT_EQ(port.offered.first(), (QStringList{QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("ME")}));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.at(1).SLE_NAME2, QStringLiteral("ME"));
    EXPECT_EQ(rows.at(1).SLE_UNIT1, QStringLiteral("KCal/Kg"));

    // A nutrient named like the name field is asked too, never paired with it.
    G().ABMNAMES << QStringLiteral("YM_ADI");
    G().ABMUNITS << QStringLiteral("%");
    formula({QStringLiteral("KMO"), QStringLiteral("YM_ADI")});
    FakePort skip;
    skip.matches = {{2, 0}};
    rows = GET_DON_DIZ(skip);
    EXPECT_EQ(skip.logLines(QStringLiteral("match")), QStringList{QStringLiteral("match YM_ADI")});
    EXPECT_EQ(rows.size(), 1);

    // "İptal" drops what was built: nothing opens.
    formula({QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("ENERJI")});
    FakePort cancel;
    cancel.matches = {{0, 0}};
    EXPECT_TRUE(GET_DON_DIZ(cancel).isEmpty());
}

TEST_F(PairingTest, AMissingTableShowsItsError)
{
    QFile::remove(tmp_.file(QStringLiteral("MATKUMAD.DBF")));
    formula({QStringLiteral("KMO")});
    FakePort port;
    EXPECT_TRUE(GET_DON_DIZ(port).isEmpty());
    EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{kTableOpenText});
}

}  // namespace
}  // namespace zeva
