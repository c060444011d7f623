// The sample reference matrices and example problems shipped in data/.
#include "core/activeproblem.h"
#include "core/filecommands.h"
#include "core/numeric.h"
#include "platform/runtime.h"
#include "refmatrix/reftables.h"
#include "support/fakeport.h"
#include "support/tempdir.h"
#include "tools/consoleport.h"
#include "tools/exampleproblem.h"

#include <QDir>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zeva;

namespace {

const QString kSource = QStringLiteral(ZEVA_SOURCE_DIR "/data");

void checkTable(const QString& csv, const QList<DbfField>& fields, int fieldCount)
{
    test::TempDir dir;
    const QString out = dir.file(QStringLiteral("T.DBF"));
    QString error;
    ASSERT_TRUE(buildReferenceTable(kSource + QLatin1Char('/') + csv, fields, out, &error))
        << error.toStdString();
    DbfTable t;
    ASSERT_TRUE(readDbfFile(out, &t, &error)) << error.toStdString();
    ASSERT_EQ(t.fieldCount(), fieldCount);
    for (int f = 0; f < fieldCount; ++f) {
        EXPECT_EQ(t.fields()[f].name, fields[f].name);
        EXPECT_EQ(t.fields()[f].type, 'C');
        EXPECT_EQ(t.fields()[f].length, f == 0 ? 25 : 11);
    }
    const QList<int> recs = t.liveRecords();
    ASSERT_GE(recs.size(), 30);
    EXPECT_EQ(AllTrim(t.value(recs[0], 0)), kUnitRowName);
    EXPECT_FALSE(AllTrim(t.value(recs[0], QStringLiteral("KMO"))).isEmpty());

    const QRegularExpression price(QStringLiteral("^ *[0-9]+\\.[0-9]{3}$"));
    const QRegularExpression value(QStringLiteral("^ *[0-9]+\\.[0-9]{4}$"));
    QStringList names;
    for (int i = 1; i < recs.size(); ++i) {
        const QString name = AllTrim(t.value(recs[i], 0));
        EXPECT_FALSE(name.isEmpty()) << "record " << i + 1;
        names << name.left(15);
        for (int f = 1; f < fieldCount; ++f) {
            const QString cell = t.value(recs[i], f);
            ASSERT_EQ(cell.size(), 11);
            if (isBlankCell(cell))
                continue;
            EXPECT_TRUE((f == 1 ? price : value).match(cell).hasMatch())
                << name.toStdString() << " " << fields[f].name.toStdString() << " '" << cell.toStdString() << "'";
        }
        const QString kmo = t.value(recs[i], QStringLiteral("KMO"));
        if (!isBlankCell(kmo)) {
            EXPECT_GT(Val(kmo), 0.0) << name.toStdString();
            EXPECT_LE(Val(kmo), 100.0) << name.toStdString();
        }
    }
    names.removeDuplicates();
    EXPECT_EQ(names.size(), recs.size() - 1) << "feed names must differ in their first 15 characters";
}

// The cattle energies of a feed, per kg of dry matter, from its TDN (kg per
// kg of dry matter) by the equations the requirement model builds its rows
// with; the net energies for maintenance and gain from the metabolisable
// energy as the model takes them from the energy density of a ration.
struct CattleEnergies {
    double de, me, nem, neg, nel;
};

CattleEnergies cattleEnergies(double tdn)
{
    const double de = 4.409 * tdn;
    const double me = 1.01 * de - 0.45;
    return {de,
            me,
            1.37 * me - 0.138 * me * me + 0.0105 * me * me * me - 1.12,
            1.42 * me - 0.174 * me * me + 0.0122 * me * me * me - 1.65,
            2.45 * tdn - 0.12};
}

DbfTable builtTable(const QString& csv, const QList<DbfField>& fields)
{
    test::TempDir dir;
    const QString out = dir.file(QStringLiteral("T.DBF"));
    QString error;
    DbfTable t;
    EXPECT_TRUE(buildReferenceTable(kSource + QLatin1Char('/') + csv, fields, out, &error)) << error.toStdString();
    EXPECT_TRUE(readDbfFile(out, &t, &error)) << error.toStdString();
    return t;
}

}  // namespace

TEST(SampleData, AsFedReferenceTable)
{
    checkTable(QStringLiteral("MATNRC.csv"), HKM_STRCREATE(), 54);
}

TEST(SampleData, DryMatterReferenceTable)
{
    checkTable(QStringLiteral("MATKUMAD.csv"), KMM_STRCREATE(), 45);
}

// The cattle figures of the dry-matter table hang together: every feed with
// crude fat has its TDN, the energies of a feed follow from its TDN by the
// equations of the requirement model (so that a least-cost ration meets its
// energy rows together, not one of them far past the others), and the crude
// protein of every feed is split into its undegraded and degraded parts,
// which the requirement rows of a daily ration ask for.
TEST(SampleData, DryMatterEnergiesAndProteinSplitAgree)
{
    const DbfTable t = builtTable(QStringLiteral("MATKUMAD.csv"), KMM_STRCREATE());
    const QList<int> recs = t.liveRecords();
    int withEnergy = 0;
    int withProtein = 0;
    for (int i = 1; i < recs.size(); ++i) {
        const auto cell = [&](const char* field) { return t.value(recs[i], QString::fromLatin1(field)); };
        SCOPED_TRACE(AllTrim(cell("YM_ADI")).toStdString());
        if (Val(cell("HY")) > 0) {
            EXPECT_FALSE(isBlankCell(cell("TSBM"))) << "crude fat without TDN";
        }
        if (!isBlankCell(cell("TSBM"))) {
            ++withEnergy;
            const CattleEnergies e = cattleEnergies(Val(cell("TSBM")));
            const struct {
                const char* field;
                double value;
            } energies[] = {{"SE", e.de}, {"ME_BB", e.me}, {"NEY", e.nem}, {"NEK", e.neg}, {"NEL", e.nel}};
            for (const auto& energy : energies) {
                EXPECT_FALSE(isBlankCell(cell(energy.field))) << energy.field;
                // Written with two decimals.
                EXPECT_NEAR(Val(cell(energy.field)), energy.value, 0.0051) << energy.field;
            }
        }
        if (Val(cell("HP")) > 0) {
            ++withProtein;
            const bool split = !isBlankCell(cell("RUP")) && !isBlankCell(cell("RDP"));
            EXPECT_TRUE(split) << "crude protein without its RUP and RDP";
            if (split) {
                EXPECT_NEAR(Val(cell("RUP")) + Val(cell("RDP")), Val(cell("HP")), 0.02);
            }
        }
    }
    EXPECT_GE(withEnergy, 30);
    EXPECT_GE(withProtein, 30);
}

// The as-fed table gives the cattle energies in kcal per kg as fed, with TDN
// in per cent as fed: the same equations on the dry matter of the feed.
TEST(SampleData, AsFedCattleEnergiesFollowTheirTdn)
{
    const DbfTable t = builtTable(QStringLiteral("MATNRC.csv"), HKM_STRCREATE());
    const QList<int> recs = t.liveRecords();
    int withEnergy = 0;
    for (int i = 1; i < recs.size(); ++i) {
        const auto cell = [&](const char* field) { return t.value(recs[i], QString::fromLatin1(field)); };
        SCOPED_TRACE(AllTrim(cell("YM_ADI")).toStdString());
        if (isBlankCell(cell("TSBM"))) {
            EXPECT_TRUE(isBlankCell(cell("NEL")));
            EXPECT_TRUE(isBlankCell(cell("ME_BB")));
            continue;
        }
        ++withEnergy;
        const double dryMatter = Val(cell("KMO")) / 100;
        ASSERT_GT(dryMatter, 0.0);
        const CattleEnergies e = cattleEnergies(Val(cell("TSBM")) / 100 / dryMatter);
        // Whole kilocalories.
        EXPECT_NEAR(Val(cell("ME_BB")), e.me * dryMatter * 1000, 0.51);
        EXPECT_NEAR(Val(cell("NEL")), e.nel * dryMatter * 1000, 0.51);
    }
    EXPECT_GE(withEnergy, 20);
}

TEST(SampleData, ExampleProblemsRoundTripThroughTheProblemFile)
{
    for (const char* name : {"BROYLER", "SUTINEGI"}) {
        test::TempDir dir;
        QString error;
        G().reset();
        ASSERT_TRUE(loadExampleProblem(kSource + QStringLiteral("/examples/") + name + ".txt", &error))
            << error.toStdString();
        const ActiveProblem loaded = G();
        ConsolePort port;
        port.quiet = true;
        const QString path = dir.file(QString::fromLatin1(name) + ".ZVF");
        ASSERT_TRUE(writeExampleProblem(path, port, &error)) << error.toStdString();
        EXPECT_TRUE(port.errors.isEmpty());

        test::FakePort fake;
        FileCommands files(fake);
        ASSERT_TRUE(files.DOOPENFILE(path));
        EXPECT_EQ(G().APARAMS, loaded.APARAMS);
        EXPECT_EQ(G().ABMTABLE, loaded.ABMTABLE);
        EXPECT_EQ(G().ABMOTABLE, loaded.ABMOTABLE);
        EXPECT_EQ(G().AMATRIX, loaded.AMATRIX);
        EXPECT_EQ(G().AYMNAMES, loaded.AYMNAMES);  // every name fits in 15
        EXPECT_FALSE(G().anyChanged());
        files.FILECLOSE();
    }
    G().reset();
}
