// The reference-matrix commands on the active problem, through the recording
// port: creating a missing table, building the problem from a table, adding
// feeds and nutrients with name matching, and what each leaves behind when
// the user stops half way.
#include "refmatrix/refcommands.h"

#include "core/activeproblem.h"
#include "core/feedlimit.h"
#include "core/numeric.h"
#include "core/problemtestutil.h"
#include "platform/dbf.h"
#include "platform/runtime.h"
#include "refmatrix/reftables.h"
#include "reftestutil.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::FakePort;
using test::RefRecord;

const QString kAsFedMissing = QStringLiteral("MATNRC.DBF dosyası yok..!");
const QString kTwenty = QStringLiteral("SOYA KÜSPESİ 44 YENİ");  // 20 characters

class RefCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        G().CDATAPATH = tmp_.path();
        ASSERT_EQ(kTwenty.size(), 20);
        // As fed: a longer name before its exact one, a deleted and a nameless
        // record, a 20-character name.
        ASSERT_TRUE(test::writeReference(
            tmp_.file(QStringLiteral("MATNRC.DBF")),
            {QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("HPX"), QStringLiteral("NB")},
            {QStringLiteral("%"), QStringLiteral(" % "), QString(), QStringLiteral("Kcal/Kg")},
            {{QStringLiteral("ARPA KIRMA"), QStringLiteral("8.5"), {"88", "11.5", "1", "2600"}},
             {QStringLiteral("ARPA"), QStringLiteral("9"), {"89", "11", "2", "2700"}},
             {QStringLiteral("SILINMIS"), QStringLiteral("1"), {"1", "1", "1", "1"}, true},
             {QStringLiteral("   "), QStringLiteral("2"), {"90", "50", "0", "1"}},
             {QStringLiteral("MISIR"), QStringLiteral("10.5"), {"87", "8.5", "3", "3300"}},
             {kTwenty, QString(), {"90", "44", "4", "2250"}}}));
        ASSERT_TRUE(test::writeReference(
            tmp_.file(QStringLiteral("MATKUMAD.DBF")), {QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("NB")},
            {QStringLiteral("%"), QStringLiteral("%"), QStringLiteral("Mcal/Kg")},
            {{QStringLiteral("ARPA"), QStringLiteral("9"), {"89", "12.4", "3000"}},
             {QStringLiteral("MISIR"), QStringLiteral("10"), {"87", "9.8", "3500"}},
             {QStringLiteral("YONCA KURU OTU"), QStringLiteral("6"), {"90", "17", "2100"}}}));
        problemPath_ = tmp_.file(QStringLiteral("DENEME.ZVF"));
    }
    void TearDown() override
    {
        G().reset();
        G().CDATAPATH.clear();
    }

    // Every list the port was offered holds names only.
    void expectNoEmptyNameOffered() const
    {
        for (const QStringList& list : port_.offered)
            for (const QString& item : list)
                EXPECT_FALSE(AllTrim(item).isEmpty()) << "an empty line was offered";
    }

    static QString hp(const QString& v) { return test::cell4(v); }

    test::TempDir tmp_;
    FakePort port_;
    QString problemPath_;
};

// ---------------------------------------------------------------- creation

TEST_F(RefCommandsTest, CreatedTablesHaveTheStandardLayoutAndOneUnitRow)
{
    test::TempDir dir;
    G().CDATAPATH = dir.path();
    ASSERT_TRUE(RMAT_CREATE1(port_));
    ASSERT_TRUE(RMAT_CREATE2(port_));
    EXPECT_TRUE(port_.boxes.isEmpty());

    const struct {
        const char* file;
        QList<DbfField> fields;
        int recordLength;
        int headerLength;
    } cases[] = {{"MATNRC.DBF", HKM_STRCREATE(), 609, 1761}, {"MATKUMAD.DBF", KMM_STRCREATE(), 510, 1473}};
    for (const auto& c : cases) {
        const QString path = dir.file(QString::fromLatin1(c.file));
        const QByteArray bytes = test::fileBytes(path);
        ASSERT_GT(bytes.size(), 32) << c.file;
        EXPECT_EQ(test::byteAt(bytes, 8) | (test::byteAt(bytes, 9) << 8), c.headerLength) << c.file;
        EXPECT_EQ(test::byteAt(bytes, 10) | (test::byteAt(bytes, 11) << 8), c.recordLength) << c.file;

        // An independent reader sees the standard fields in order and one
        // record, "BIRIM" with every unit blank.
        const QString script = QStringLiteral(
            "import json, sys, dbfread\n"
            "t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')\n"
            "print(json.dumps({'fields': [[f.name, f.type, f.length] for f in t.fields],\n"
            "                  'records': [dict(r) for r in t]}))\n");
        QString error;
        const QJsonDocument doc = test::runPython(script, {path}, &error);
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        const QJsonArray fields = doc.object().value(QStringLiteral("fields")).toArray();
        ASSERT_EQ(fields.size(), c.fields.size()) << c.file;
        for (int i = 0; i < fields.size(); ++i) {
            const QJsonArray f = fields.at(i).toArray();
            EXPECT_EQ(f.at(0).toString(), c.fields.at(i).name);
            EXPECT_EQ(f.at(1).toString(), QStringLiteral("C"));
            EXPECT_EQ(f.at(2).toInt(), c.fields.at(i).length);
        }
        const QJsonArray records = doc.object().value(QStringLiteral("records")).toArray();
        ASSERT_EQ(records.size(), 1) << c.file;
        const QJsonObject unitRow = records.at(0).toObject();
        for (const DbfField& f : c.fields)
            EXPECT_EQ(unitRow.value(f.name).toString(),
                      f.name == QLatin1String("YM_ADI") ? QStringLiteral("BIRIM") : QString())
                << f.name.toStdString();
    }
}

TEST_F(RefCommandsTest, CreationNeverReplacesATableAndReportsAFailure)
{
    // A table whose name on disk differs in letter case is the table.
    test::TempDir dir;
    G().CDATAPATH = dir.path();
    const QString lower = dir.file(QStringLiteral("matnrc.dbf"));
    ASSERT_TRUE(test::writeReference(lower, {QStringLiteral("KMO")}, {QStringLiteral("%")},
                                     {{QStringLiteral("ARPA"), QStringLiteral("9"), {"89"}}}));
    const QByteArray before = test::fileBytes(lower);
    EXPECT_TRUE(RMAT_CREATE1(port_));
    EXPECT_EQ(test::fileBytes(lower), before);
    EXPECT_EQ(findExistingPath(dir.file(QStringLiteral("MATNRC.DBF"))), lower);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("matnrc.dbf")});

    // A data directory that is not there: the error box and FALSE.
    G().CDATAPATH = dir.file(QStringLiteral("yok/klasor"));
    EXPECT_FALSE(RMAT_CREATE1(port_));
    EXPECT_FALSE(RMAT_CREATE2(port_));
    EXPECT_EQ(port_.boxTexts(BOX_ERROR),
              (QStringList{QStringLiteral("Referans matris dosyası (MATNRC.DBF) oluşturulamadı!"),
                           QStringLiteral("Referans matris dosyası (MATKUMAD.DBF) oluşturulamadı!")}));
    EXPECT_EQ(port_.boxes.first().title, QStringLiteral("Hata..."));
}

// ---------------------------------------------------------------- building

TEST_F(RefCommandsTest, CompoundFeedBuildTakesTheMarkedColumnsAndFeeds)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    G().ABMOTABLE = Table{Row{PadR(QStringLiteral("HP"), 15), PadR(QStringLiteral("NB"), 15), blankCell(),
                              blankCell(), blankCell()}};
    port_.markings = {{2, 4}, {2, 3, 4}};  // HP, NB; ARPA, MISIR and the 20-character name
    int menuStates = 0;
    AMAT_OLUSTUR(port_, [&] { ++menuStates; });
    EXPECT_EQ(menuStates, 1);
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_EQ(port_.logLines(QStringLiteral("chooseMany")),
              (QStringList{QStringLiteral("chooseMany Besin Maddesi Seçimi"),
                           QStringLiteral("chooseMany Yem Maddesi Seçimi")}));
    EXPECT_EQ(port_.offered.at(0), (QStringList{"KMO", "HP", "HPX", "NB"}));
    // Deleted and nameless records are not offered; names as stored.
    ASSERT_EQ(port_.offered.at(1).size(), 4);
    EXPECT_EQ(port_.offered.at(1).at(0), PadR(QStringLiteral("ARPA KIRMA"), 25));
    expectNoEmptyNameOffered();

    const ActiveProblem& p = G();
    // A feed is known by what the problem file keeps of its name.
    EXPECT_EQ(p.AYMNAMES, (QStringList{"ARPA", "MISIR", kTwenty.left(15)}));
    EXPECT_EQ(p.AYMTABLE.at(2), (Row{kTwenty.left(15), blankCell(), blankCell(), blankCell(), blankCell()}));
    EXPECT_EQ(p.AYMTABLE.at(0), (Row{PadR("ARPA", 15), test::cell3("9"), blankCell(), blankCell(), blankCell()}));
    EXPECT_EQ(p.ABMNAMES, (QStringList{"AGIRLIK", "HP", "NB"}));
    EXPECT_EQ(p.ABMUNITS, (QStringList{"Kg/Kg", "%", "Kcal/Kg"}));
    EXPECT_EQ(p.ABMTABLE.at(0),
              (Row{PadR("AGIRLIK", 15), PadL("Kg/Kg", 11), QStringLiteral("     1.0000"), blankCell(), blankCell()}));
    EXPECT_EQ(p.ABMTABLE.at(1), (Row{PadR("HP", 15), PadL("%", 11), blankCell(), blankCell(), blankCell()}));
    ASSERT_EQ(p.AMATRIX.size(), 3);
    EXPECT_EQ(p.AMATRIX.at(0), (Row{"     1.0000", "     1.0000", "     1.0000"}));
    EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("11"), hp("8.5"), hp("44")}));
    EXPECT_EQ(p.AMATRIX.at(2), (Row{hp("2700"), hp("3300"), hp("2250")}));
    EXPECT_TRUE(p.LYMCHANGED && p.LBMCHANGED && p.LMATCHANGED);
    EXPECT_FALSE(p.LBMOCHANGED || p.LPARAMCHANGED);
    EXPECT_EQ(p.ABMOTABLE.size(), 1);  // ratios stay
}

TEST_F(RefCommandsTest, DailyRationBuildPutsKmoSecondUnlessMarked)
{
    const struct {
        QList<int> nutrients;
        QStringList names;
    } cases[] = {
        {{2}, {"KMT", "KMO", "HP"}},        // KMO not marked: second, after KMT
        {{1, 3}, {"KMT", "KMO", "NB"}},     // marked: at its field position
        {{3, 1}, {"KMT", "KMO", "NB"}},     // the port's order does not matter
    };
    for (const auto& c : cases) {
        test::openEmptyProblem(problemPath_, QStringLiteral("G"));
        port_.markings = {c.nutrients, {1, 3}};
        AMAT_OLUSTUR(port_, {});
        const ActiveProblem& p = G();
        EXPECT_EQ(p.ABMNAMES, c.names);
        EXPECT_EQ(p.ABMTABLE.at(0), (Row{PadR("KMT", 15), PadL("Kg/Kg", 11), blankCell(), blankCell(), blankCell()}));
        ASSERT_EQ(p.AMATRIX.size(), 3);
        EXPECT_EQ(p.AMATRIX.at(0), (Row{"     1.0000", "     1.0000"}));
        EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("89"), hp("90")}));  // KMO of ARPA and YONCA
    }
}

TEST_F(RefCommandsTest, BuildStoppedOrRefusedChangesNothing)
{
    const struct {
        const char* what;
        QList<QList<int>> markings;
        int matrixWidth;
        QStringList errors;
    } cases[] = {
        {"nutrient list cancelled", {{}}, 1020, {}},
        {"feed list cancelled", {{2}, {}}, 1020, {}},
        {"more feeds than the file holds", {{2}, {1, 2, 3}}, 24,
         {QStringLiteral("Problem dosyasına en çok 2 yem maddesi kaydedilebilir!")}},
    };
    for (const auto& c : cases) {
        test::openEmptyProblem(problemPath_, QStringLiteral("K"), c.matrixWidth);
        test::setProblem({"ESKI"}, {"AGIRLIK"});
        const ActiveProblem before = G();
        FakePort port;
        port.markings = c.markings;
        int menuStates = 0;
        AMAT_OLUSTUR(port, [&] { ++menuStates; });
        EXPECT_EQ(menuStates, 1) << c.what;
        EXPECT_TRUE(port.allAnswersUsed()) << c.what;
        EXPECT_EQ(port.boxTexts(BOX_ERROR), c.errors) << c.what;
        EXPECT_EQ(G().AYMTABLE, before.AYMTABLE) << c.what;
        EXPECT_EQ(G().ABMTABLE, before.ABMTABLE) << c.what;
        EXPECT_EQ(G().AMATRIX, before.AMATRIX) << c.what;
        EXPECT_FALSE(G().anyChanged()) << c.what;
    }
}

TEST_F(RefCommandsTest, MissingOrBrokenTableAndOtherTypes)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    QFile::remove(tmp_.file(QStringLiteral("MATNRC.DBF")));
    AMAT_OLUSTUR(port_, {});
    AMAT_YMEKLE(port_, {});
    AMAT_BMEKLE(port_, {});
    ASSERT_EQ(port_.boxes.size(), 3);
    EXPECT_EQ(port_.boxes.at(0).title, QStringLiteral("Uyarı"));
    EXPECT_EQ(port_.boxes.at(1).title, QStringLiteral("Uyarı"));
    EXPECT_EQ(port_.boxes.at(2).title, QStringLiteral("Uyarı..."));
    for (const auto& b : port_.boxes)
        EXPECT_EQ(b.text, kAsFedMissing);

    // Not a table: the open error.
    QFile f(tmp_.file(QStringLiteral("MATNRC.DBF")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("bu bir tablo degil");
    f.close();
    FakePort port;
    AMAT_OLUSTUR(port, {});
    EXPECT_EQ(port.boxTexts(BOX_ERROR), QStringList{QStringLiteral("MATNRC.DBF referans matris dosyasını açmada hata!")});

    // Neither "K" nor "G": only the menu state.
    G().APARAMS = QStringList{QStringLiteral("k")};
    FakePort quiet;
    int menuStates = 0;
    AMAT_OLUSTUR(quiet, [&] { ++menuStates; });
    AMAT_YMEKLE(quiet, [&] { ++menuStates; });
    AMAT_BMEKLE(quiet, [&] { ++menuStates; });
    EXPECT_EQ(menuStates, 3);
    EXPECT_TRUE(quiet.log.isEmpty());
}

// ---------------------------------------------------------------- adding feeds

TEST_F(RefCommandsTest, AddedFeedsGetTheirColumnByNameWeightAndMatching)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    test::setProblem({"ARPA"}, {"Ağırlık", "HP", "Ham Yağ", "AGIRLIK"});
    port_.markings = {{3, 4, 2}};              // MISIR, the 20-character name, ARPA (already there)
    port_.replies = {REPLY_YES};
    port_.matches = {{2, 0}};                  // "Atla" for "Ham Yağ": asked once
    AMAT_YMEKLE(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_EQ(port_.logLines(QStringLiteral("match")), QStringList{QStringLiteral("match Ham Yağ")});
    EXPECT_EQ(port_.logLines(QStringLiteral("box 52")),
              QStringList{QStringLiteral("box 52 Uyarı...: Seçilen yem maddeleri aktif girişlere eklenecek!")});
    // The feed name is no candidate; the price is.
    const QStringList candidates = port_.offered.last();
    EXPECT_FALSE(candidates.contains(QStringLiteral("YM_ADI")));
    EXPECT_TRUE(candidates.contains(QStringLiteral("FIATI")));
    EXPECT_EQ(candidates.first(), QStringLiteral("FIATI"));
    expectNoEmptyNameOffered();

    const ActiveProblem& p = G();
    EXPECT_EQ(p.AYMNAMES, (QStringList{"ARPA", "MISIR", kTwenty.left(15)}));
    EXPECT_EQ(p.AYMTABLE.at(2).at(YMNAME), kTwenty.left(15));
    EXPECT_EQ(p.AYMTABLE.at(1), (Row{PadR("MISIR", 15), test::cell3("10.5"), blankCell(), blankCell(), blankCell()}));
    ASSERT_TRUE(test::matrixIsRectangular());
    // "AGIRLIK" wins over "Ağırlık", which stays blank; "Ham Yağ" was skipped.
    EXPECT_EQ(p.AMATRIX.at(0), (Row{blankCell(), blankCell(), blankCell()}));
    EXPECT_EQ(p.AMATRIX.at(1), (Row{blankCell(), hp("8.5"), hp("44")}));
    EXPECT_EQ(p.AMATRIX.at(2), (Row{blankCell(), blankCell(), blankCell()}));
    EXPECT_EQ(p.AMATRIX.at(3), (Row{blankCell(), test::one(), test::one()}));
    EXPECT_TRUE(p.LYMCHANGED && p.LMATCHANGED);
    EXPECT_FALSE(p.LBMCHANGED);
}

TEST_F(RefCommandsTest, AMatchedNutrientIsRenamedAndAskedOnlyOnce)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("G"));
    test::setProblem({}, {"KMT", "KMO", "hp", "Enerji"});
    G().AMATRIX.clear();  // nutrients entered before any feed
    port_.markings = {{1, 2}};
    port_.replies = {REPLY_YES};
    // "hp" differs in letter case from HP: asked; matched to HP. "Enerji"
    // matched to NB.
    port_.matches = {{1, 3}, {1, 4}};
    AMAT_YMEKLE(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_EQ(port_.offered.last(), (QStringList{"FIATI", "KMO", "HP", "NB"}));
    const ActiveProblem& p = G();
    EXPECT_EQ(p.ABMNAMES, (QStringList{"KMT", "KMO", "HP", "NB"}));
    EXPECT_EQ(p.ABMTABLE.at(2).at(BMNAME), PadR("HP", 15));
    ASSERT_TRUE(test::matrixIsRectangular());
    EXPECT_EQ(p.AMATRIX.at(0), (Row{test::one(), test::one()}));
    EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("89"), hp("87")}));
    EXPECT_EQ(p.AMATRIX.at(2), (Row{hp("12.4"), hp("9.8")}));
    EXPECT_EQ(p.AMATRIX.at(3), (Row{hp("3000"), hp("3500")}));
    // The nutrient table changed too.
    EXPECT_TRUE(p.LYMCHANGED && p.LMATCHANGED && p.LBMCHANGED);
}

TEST_F(RefCommandsTest, CancelHalfWayKeepsTheAddedFeedWithAFullColumn)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    test::setProblem({"ESKI"}, {"AGIRLIK", "HP", "XX", "NB"});
    port_.markings = {{2, 3}};  // ARPA, MISIR
    port_.replies = {REPLY_YES};
    port_.matches = {{0, 0}};   // "İptal" at XX for ARPA
    AMAT_YMEKLE(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    const ActiveProblem& p = G();
    EXPECT_EQ(p.AYMNAMES, (QStringList{"ESKI", "ARPA"}));
    ASSERT_TRUE(test::matrixIsRectangular());
    EXPECT_EQ(p.AMATRIX.at(0).at(1), test::one());
    EXPECT_EQ(p.AMATRIX.at(1).at(1), hp("11"));
    EXPECT_EQ(p.AMATRIX.at(2).at(1), blankCell());
    EXPECT_EQ(p.AMATRIX.at(3).at(1), blankCell());
    // What was added reaches the next save.
    EXPECT_TRUE(p.LYMCHANGED && p.LMATCHANGED);
}

TEST_F(RefCommandsTest, FeedAdditionRefusedOrDeclinedChangesNothing)
{
    const struct {
        const char* what;
        QStringList feeds;
        QStringList nutrients;
        bool brokenMatrix;
        int matrixWidth;
        QList<int> replies;
        QStringList errors;
    } cases[] = {
        {"No to the question", {"ESKI"}, {"HP"}, false, 1020, {REPLY_NO}, {}},
        {"more feeds than the file holds", {"ESKI", "YENI"}, {"HP"}, false, 36, {},
         {QStringLiteral("Problem dosyasına en çok 3 yem maddesi kaydedilebilir!")}},
        {"matrix out of step", {"ESKI"}, {"HP", "NB"}, true, 1020, {REPLY_YES}, {kMatrixShapeError}},
    };
    for (const auto& c : cases) {
        test::openEmptyProblem(problemPath_, QStringLiteral("K"), c.matrixWidth);
        test::setProblem(c.feeds, c.nutrients);
        if (c.brokenMatrix)
            G().AMATRIX.removeLast();
        const ActiveProblem before = G();
        FakePort port;
        port.markings = {{2, 3}};
        port.replies = c.replies;
        AMAT_YMEKLE(port, {});
        EXPECT_TRUE(port.allAnswersUsed()) << c.what;
        EXPECT_EQ(port.boxTexts(BOX_ERROR), c.errors) << c.what;
        EXPECT_EQ(G().AYMTABLE, before.AYMTABLE) << c.what;
        EXPECT_EQ(G().AYMNAMES, before.AYMNAMES) << c.what;
        EXPECT_EQ(G().AMATRIX, before.AMATRIX) << c.what;
        EXPECT_FALSE(G().anyChanged()) << c.what;
    }
}

TEST_F(RefCommandsTest, FeedNamesAreComparedExactly)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    test::setProblem({"arpa", "MISIR"}, {"HP"});
    port_.markings = {{2, 3}};
    port_.replies = {REPLY_YES};
    AMAT_YMEKLE(port_, {});
    EXPECT_EQ(G().AYMNAMES, (QStringList{"arpa", "MISIR", "ARPA"}));
    EXPECT_EQ(G().AMATRIX.at(0), (Row{blankCell(), blankCell(), hp("11")}));
}

// ---------------------------------------------------------------- adding nutrients

TEST_F(RefCommandsTest, NutrientsAfterFeedsLandOnTheirOwnValues)
{
    // Feeds entered first leave one blank matrix row without a nutrient.
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    test::setProblem({"ARPA", "MISIR"}, {});
    G().AMATRIX = Table{Row(2, blankCell())};
    port_.markings = {{4, 2}};  // NB, HP
    port_.replies = {REPLY_YES};
    int menuStates = 0;
    AMAT_BMEKLE(port_, [&] { ++menuStates; });
    EXPECT_EQ(menuStates, 1);
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_EQ(port_.logLines(QStringLiteral("box 52")),
              QStringList{QStringLiteral("box 52 Uyarı...: Seçilen besin maddeleri aktif girişlere eklenecek!")});
    const ActiveProblem& p = G();
    EXPECT_EQ(p.ABMNAMES, (QStringList{"AGIRLIK", "HP", "NB"}));
    EXPECT_EQ(p.ABMUNITS, (QStringList{"Kg/Kg", "%", "Kcal/Kg"}));
    EXPECT_EQ(p.ABMTABLE.at(0),
              (Row{PadR("AGIRLIK", 15), PadL("Kg/Kg", 11), test::one(), blankCell(), blankCell()}));
    ASSERT_TRUE(test::matrixIsRectangular());
    EXPECT_EQ(p.AMATRIX.at(0), (Row{test::one(), test::one()}));
    EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("11"), hp("8.5")}));
    EXPECT_EQ(p.AMATRIX.at(2), (Row{hp("2700"), hp("3300")}));
    EXPECT_TRUE(p.LBMCHANGED && p.LMATCHANGED);
    EXPECT_FALSE(p.LYMCHANGED);

    // Nutrients without any matrix row get blank rows first; a weight row
    // already named is not added again.
    test::setProblem({"ARPA"}, {"AGIRLIK"});
    G().AMATRIX.clear();
    FakePort port;
    port.markings = {{4}};
    port.replies = {REPLY_YES};
    AMAT_BMEKLE(port, {});
    EXPECT_EQ(p.ABMNAMES, (QStringList{"AGIRLIK", "NB"}));
    ASSERT_TRUE(test::matrixIsRectangular());
    EXPECT_EQ(p.AMATRIX.at(1), Row{hp("2700")});
}

TEST_F(RefCommandsTest, DailyRationOnAnEmptyMatrixGetsKmtAndKmo)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("G"));
    test::setProblem({"ARPA", "YONCA KURU OTU"}, {});
    G().AMATRIX.clear();
    port_.markings = {{2}};  // HP
    port_.replies = {REPLY_YES};
    AMAT_BMEKLE(port_, {});
    const ActiveProblem& p = G();
    EXPECT_EQ(p.ABMNAMES, (QStringList{"KMT", "KMO", "HP"}));
    EXPECT_EQ(p.ABMTABLE.at(0), (Row{PadR("KMT", 15), PadL("Kg/Kg", 11), blankCell(), blankCell(), blankCell()}));
    ASSERT_TRUE(test::matrixIsRectangular());
    EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("89"), hp("90")}));
    EXPECT_EQ(p.AMATRIX.at(2), (Row{hp("12.4"), hp("17")}));

    // With rows already there, no weight row and no forced KMO.
    FakePort port;
    port.markings = {{3}};
    port.replies = {REPLY_YES};
    AMAT_BMEKLE(port, {});
    EXPECT_EQ(G().ABMNAMES, (QStringList{"KMT", "KMO", "HP", "NB"}));
    EXPECT_EQ(G().ABMTABLE.at(3).at(BMUNIT), PadL("Mcal/Kg", 11));
}

TEST_F(RefCommandsTest, NutrientNamesAreExactAndFeedsFoundByExactNameFirst)
{
    // "HP" is added beside "HP2"; "ARPA" takes ARPA's values although
    // "ARPA KIRMA" stands first; "MIS" takes MISIR's as the only name that
    // begins with it; "ARP" begins two names, so the user says which, and the
    // feed takes the chosen name.
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    test::setProblem({"ARPA", "MIS", "ARP"}, {"AGIRLIK", "HP2"});
    G().AMATRIX = Table{Row(3, test::one()), Row(3, blankCell())};
    port_.markings = {{2}};
    port_.replies = {REPLY_YES};
    port_.matches = {{1, 1}};
    AMAT_BMEKLE(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_EQ(port_.logLines(QStringLiteral("match")), QStringList{QStringLiteral("match ARP")});
    EXPECT_EQ(port_.offered.last(), (QStringList{"ARPA KIRMA", "ARPA"}));
    EXPECT_EQ(G().AYMNAMES, (QStringList{"ARPA", "MIS", "ARPA KIRMA"}));
    EXPECT_EQ(G().ABMNAMES, (QStringList{"AGIRLIK", "HP2", "HP"}));
    EXPECT_EQ(G().AMATRIX.at(2), (Row{hp("11"), hp("8.5"), hp("11.5")}));

    // Picking a field that is a nutrient already changes nothing.
    FakePort again;
    again.markings = {{2}};
    again.replies = {REPLY_YES};
    const Table matrix = G().AMATRIX;
    AMAT_BMEKLE(again, {});
    EXPECT_EQ(G().AMATRIX, matrix);
    EXPECT_EQ(G().ABMNAMES.size(), 3);
}

TEST_F(RefCommandsTest, UnknownFeedsAreMatchedRenamedOrSkipped)
{
    // Daily ration: exact names only. "arpa" is matched to ARPA and renamed;
    // "Saman" is skipped once for both nutrients.
    test::openEmptyProblem(problemPath_, QStringLiteral("G"));
    test::setProblem({"arpa", "Saman", "MISIR"}, {"KMT"});
    port_.markings = {{2, 3}};  // HP, NB
    port_.replies = {REPLY_YES};
    port_.matches = {{1, 1}, {2, 0}};
    AMAT_BMEKLE(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_EQ(port_.logLines(QStringLiteral("match")),
              (QStringList{QStringLiteral("match arpa"), QStringLiteral("match Saman")}));
    EXPECT_EQ(port_.offered.last(), (QStringList{"ARPA", "MISIR", "YONCA KURU OTU"}));
    const ActiveProblem& p = G();
    EXPECT_EQ(p.AYMNAMES, (QStringList{"ARPA", "Saman", "MISIR"}));
    EXPECT_EQ(p.AYMTABLE.at(0).at(YMNAME), PadR("ARPA", 15));
    EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("12.4"), blankCell(), hp("9.8")}));
    EXPECT_EQ(p.AMATRIX.at(2), (Row{hp("3000"), blankCell(), hp("3500")}));
    EXPECT_TRUE(p.LYMCHANGED && p.LBMCHANGED && p.LMATCHANGED);
}

TEST_F(RefCommandsTest, NutrientCancelHalfWayKeepsAFullRow)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    test::setProblem({"MISIR", "SAMAN", "ARPA"}, {"AGIRLIK"});
    port_.markings = {{2, 4}};
    port_.replies = {REPLY_YES};
    port_.matches = {{0, 0}};  // "İptal" at SAMAN while HP is added
    AMAT_BMEKLE(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    const ActiveProblem& p = G();
    EXPECT_EQ(p.ABMNAMES, (QStringList{"AGIRLIK", "HP"}));
    ASSERT_TRUE(test::matrixIsRectangular());
    EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("8.5"), blankCell(), blankCell()}));
    EXPECT_TRUE(p.LBMCHANGED && p.LMATCHANGED);
    expectNoEmptyNameOffered();
}

// ---------------------------------------------------------------- names the problem file cuts

// Reference feeds whose names the problem file cuts to 15 characters: one
// alone under its cut name, two that the cut makes one name.
class CutNamesTest : public RefCommandsTest {
protected:
    void SetUp() override
    {
        RefCommandsTest::SetUp();
        ASSERT_EQ(kByProduct.left(15), QStringLiteral("KANATLI YAN ÜRÜ"));
        ASSERT_EQ(kFarmA.left(15), kFarmA.left(14) + QStringLiteral("1"));
        for (const char* table : {"MATNRC.DBF", "MATKUMAD.DBF"})
            ASSERT_TRUE(test::writeReference(tmp_.file(QString::fromLatin1(table)),
                                             {QStringLiteral("KMO"), QStringLiteral("HP"), QStringLiteral("KALSIYUM")},
                                             {QStringLiteral("%"), QStringLiteral("%"), QStringLiteral("%")},
                                             {{QStringLiteral("ARPA"), QStringLiteral("9"), {"89", "11", "0.05"}},
                                              {kByProduct, QStringLiteral("34"), {"93", "60", "3"}},
                                              {kFarmA, QStringLiteral("10"), {"87", "8", "0.02"}},
                                              {kFarmB, QStringLiteral("10"), {"86", "9", "0.9"}},
                                              {kBeetPulp, QStringLiteral("1.75"), {"22", "10", "0.7"}},
                                              {QStringLiteral("ARPA"), QStringLiteral("8"), {"88", "10", "0.06"}}}));
    }

    const QString kByProduct = QStringLiteral("KANATLI YAN ÜRÜN UNU");
    const QString kFarmA = QStringLiteral("MISIR ÇİFTLİK-1 A");
    const QString kFarmB = QStringLiteral("MISIR ÇİFTLİK-1 B");
    const QString kBeetPulp = QStringLiteral("YAŞ PANCAR POSASI");
};

TEST_F(CutNamesTest, AddedFeedsAreLeftOutWhenTheFileWouldKeepTheSameName)
{
    // The problem as a reopened file gives it: the by-product under the 15
    // characters its name cell keeps.
    const struct {
        const char* what;
        QList<int> picked;
        QStringList warned;       // left out and named: a feed of the problem has the name
        QStringList warnedByPick; // left out and named: another pick has it
        bool asked;               // the question before the addition
        QStringList feeds;        // the problem's feeds afterwards
    } cases[] = {
        {"again after a reopen", {2}, {"KANATLI YAN ÜRÜN UNU"}, {}, false, {"ARPA", "KANATLI YAN ÜRÜ"}},
        {"the same whole name: without a word", {1}, {}, {}, false, {"ARPA", "KANATLI YAN ÜRÜ"}},
        {"two picks that the cut makes one", {3, 4}, {}, {"MISIR ÇİFTLİK-1 B"}, true,
         {"ARPA", "KANATLI YAN ÜRÜ", "MISIR ÇİFTLİK-1"}},
        {"both kinds, and a second ARPA record",
         {1, 2, 3, 4, 5, 6},
         {"KANATLI YAN ÜRÜN UNU"},
         {"MISIR ÇİFTLİK-1 B"},
         true,
         {"ARPA", "KANATLI YAN ÜRÜ", "MISIR ÇİFTLİK-1", "YAŞ PANCAR POSA"}},
    };
    for (const auto& c : cases) {
        test::openEmptyProblem(problemPath_, QStringLiteral("K"));
        test::setProblem({"ARPA", "KANATLI YAN ÜRÜ"}, {"AGIRLIK", "HP"});
        FakePort port;
        port.markings = {c.picked};
        port.replies = {REPLY_YES};
        AMAT_YMEKLE(port, {});
        QStringList expectedLog{QStringLiteral("chooseMany Yem Maddesi Ekle")};
        QStringList warning;
        if (!c.warned.isEmpty())
            warning << kFeedsLeftOut + c.warned.join(QStringLiteral(", "));
        if (!c.warnedByPick.isEmpty())
            warning << kFeedsLeftOutByPick + c.warnedByPick.join(QStringLiteral(", "));
        if (!warning.isEmpty())
            expectedLog << QStringLiteral("box 48 Uyarı...: ") + warning.join(QLatin1Char('\n'));
        if (c.asked)
            expectedLog << QStringLiteral("box 52 Uyarı...: Seçilen yem maddeleri aktif girişlere eklenecek!");
        EXPECT_EQ(port.log, expectedLog) << c.what;
        EXPECT_EQ(G().AYMNAMES, c.feeds) << c.what;
        QStringList cells;
        for (const Row& r : G().AYMTABLE)
            cells << r.at(YMNAME);
        QStringList padded;
        for (const QString& f : c.feeds)
            padded << PadR(f, 15);
        EXPECT_EQ(cells, padded) << c.what;
        EXPECT_TRUE(test::matrixIsRectangular()) << c.what;
        EXPECT_EQ(G().LYMCHANGED, c.asked) << c.what;
        if (c.asked) {
            // The first of the two farm batches went in, with its own values.
            EXPECT_EQ(G().AMATRIX.at(1).at(2), hp("8")) << c.what;
            if (c.feeds.size() > 3) {
                EXPECT_EQ(G().AMATRIX.at(1).at(3), hp("10")) << c.what;
            }
        }
    }
}

TEST_F(CutNamesTest, TheFeedLimitCountsTheFeedsThatGoIn)
{
    // Room for three feeds: two are there, the by-product is one of them.
    test::openEmptyProblem(problemPath_, QStringLiteral("K"), 36);
    ASSERT_EQ(maxFeedsOfOpenFile(), 3);
    test::setProblem({"KANATLI YAN ÜRÜ", "ARPA"}, {"AGIRLIK", "HP"});
    port_.markings = {{2, 3}};
    port_.replies = {REPLY_YES};
    AMAT_YMEKLE(port_, {});
    EXPECT_TRUE(port_.boxTexts(BOX_ERROR).isEmpty());
    EXPECT_EQ(port_.boxTexts(BOX_WARNING), QStringList{kFeedsLeftOut + kByProduct});
    EXPECT_EQ(G().AYMNAMES, (QStringList{"KANATLI YAN ÜRÜ", "ARPA", "MISIR ÇİFTLİK-1"}));
}

TEST_F(CutNamesTest, TheBuildKeepsOneFeedPerKeptName)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("G"));
    port_.markings = {{2}, {1, 2, 3, 4, 6}};
    AMAT_OLUSTUR(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    // Nothing of the problem is there yet: the names meet other picks.
    EXPECT_EQ(port_.boxTexts(BOX_WARNING), QStringList{kFeedsLeftOutByPick + kFarmB + QStringLiteral(", ARPA")});
    const ActiveProblem& p = G();
    EXPECT_EQ(p.AYMNAMES, (QStringList{"ARPA", "KANATLI YAN ÜRÜ", "MISIR ÇİFTLİK-1"}));
    EXPECT_EQ(p.AYMTABLE.at(1).at(YMNAME), QStringLiteral("KANATLI YAN ÜRÜ"));
    ASSERT_EQ(p.AMATRIX.size(), 3);
    EXPECT_EQ(p.AMATRIX.at(2), (Row{hp("11"), hp("60"), hp("8")}));
}

TEST_F(CutNamesTest, NutrientsFindAFeedByTheNameTheFileKeeps)
{
    // Both types: a cut name with one record takes its values without a
    // question; one that two records share is asked once for the run, among
    // those two only, and the answer holds for every nutrient added.
    for (const QString& type : {QStringLiteral("K"), QStringLiteral("G")}) {
        test::openEmptyProblem(problemPath_, type);
        test::setProblem({"YAŞ PANCAR POSA", "MISIR ÇİFTLİK-1", "KANATLI YAN ÜRÜ"},
                         {type == QLatin1String("K") ? "AGIRLIK" : "KMT"});
        FakePort port;
        port.markings = {{2, 3}};  // HP, KALSIYUM
        port.replies = {REPLY_YES};
        port.matches = {{1, 2}};   // the B batch
        AMAT_BMEKLE(port, {});
        EXPECT_TRUE(port.allAnswersUsed()) << type.toStdString();
        EXPECT_EQ(port.logLines(QStringLiteral("match")), QStringList{QStringLiteral("match MISIR ÇİFTLİK-1")});
        EXPECT_EQ(port.offered.last(), (QStringList{kFarmA, kFarmB}));
        const ActiveProblem& p = G();
        EXPECT_EQ(p.AYMNAMES, (QStringList{"YAŞ PANCAR POSA", "MISIR ÇİFTLİK-1", "KANATLI YAN ÜRÜ"}));
        EXPECT_EQ(p.AMATRIX.at(1), (Row{hp("10"), hp("9"), hp("60")})) << type.toStdString();
        EXPECT_EQ(p.AMATRIX.at(2), (Row{hp("0.7"), hp("0.9"), hp("3")})) << type.toStdString();
        EXPECT_FALSE(p.LYMCHANGED);
    }
}

TEST_F(CutNamesTest, AMatchedFeedTakesTheNameTheFileKeeps)
{
    // "Kanatlı" has no record (a daily ration compares whole names): it is
    // matched to the by-product and takes its cut name.
    test::openEmptyProblem(problemPath_, QStringLiteral("G"));
    test::setProblem({"Kanatlı"}, {"KMT"});
    port_.markings = {{2, 3}};
    port_.replies = {REPLY_YES};
    port_.matches = {{1, 2}};
    AMAT_BMEKLE(port_, {});
    EXPECT_TRUE(port_.allAnswersUsed());
    EXPECT_EQ(port_.offered.last(), (QStringList{"ARPA", kByProduct, kFarmA, kFarmB, kBeetPulp, "ARPA"}));
    EXPECT_EQ(G().AYMNAMES, QStringList{"KANATLI YAN ÜRÜ"});
    EXPECT_EQ(G().AYMTABLE.at(0).at(YMNAME), QStringLiteral("KANATLI YAN ÜRÜ"));
    EXPECT_EQ(G().AMATRIX.at(1), Row{hp("60")});
    EXPECT_EQ(G().AMATRIX.at(2), Row{hp("3")});
    EXPECT_TRUE(G().LYMCHANGED);
}

TEST_F(RefCommandsTest, NutrientAdditionWithABrokenMatrixChangesNothing)
{
    test::openEmptyProblem(problemPath_, QStringLiteral("K"));
    test::setProblem({"ARPA", "MISIR"}, {"AGIRLIK", "HP"});
    G().AMATRIX[1].removeLast();
    const ActiveProblem before = G();
    port_.markings = {{4}};
    port_.replies = {REPLY_YES};
    AMAT_BMEKLE(port_, {});
    EXPECT_EQ(port_.boxTexts(BOX_ERROR), QStringList{kMatrixShapeError});
    EXPECT_EQ(G().ABMTABLE, before.ABMTABLE);
    EXPECT_EQ(G().AMATRIX, before.AMATRIX);
    EXPECT_FALSE(G().anyChanged());
}

}  // namespace
}  // namespace zeva
