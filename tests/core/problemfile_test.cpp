#include "core/problemfile.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "platform/atomicfile.h"
#include "platform/runtime.h"
#include "problemtestutil.h"
#include "support/fakeport.h"
#include "support/tempdir.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonObject>

#include <functional>

#include <gtest/gtest.h>

using namespace zeva;
using namespace zeva::test;

namespace {

const QString kHeaderK = QStringLiteral("K,1000.00,TL,Kg,");

QString rowText(const Row& row)
{
    QString t;
    for (const QString& c : row)
        t += c + QLatin1Char(',');
    return t;
}

// The cells without their padding: the file pads to its own field widths.
Table trimmedCells(Table t)
{
    for (Row& r : t)
        for (QString& c : r)
            c = AllTrim(c);
    return t;
}

}  // namespace

class ProblemFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        testhooks::clearAtomicWriteFault();
        path = tmp.file(QStringLiteral("PROBLEM.ZVF"));
    }
    void TearDown() override
    {
        G().reset();
        testhooks::clearAtomicWriteFault();
    }

    // An empty problem file of `type`, open as the active problem.
    void openEmpty(int type = 1)
    {
        DbfTable t = newProblemTable(type);
        ASSERT_TRUE(writeDbfFile(path, t));
        G().OPROBSERVER = std::make_shared<ProblemServer>(path, t);
    }

    // A table of `type` built from cells given per record: {field, text}.
    void writeTable(const QList<QList<QPair<QString, QString>>>& records, int type = 1,
                    const QList<int>& deleted = {})
    {
        DbfTable t = newProblemTable(type);
        for (const auto& rec : records) {
            const int r = t.appendRecord();
            for (const auto& cell : rec)
                t.setValue(r, cell.first, cell.second);
        }
        for (int r : deleted)
            t.setDeleted(r, true);
        ASSERT_TRUE(writeDbfFile(path, t));
    }

    // Reads the file at `path` into the active problem as the open step does.
    void readBack()
    {
        G().reset();
        const DbfTable t = readTable(path);
        G().OPROBSERVER = std::make_shared<ProblemServer>(path, t);
        AKTPRODIZOLUSTUR(t);
    }

    TempDir tmp;
    QString path;
    FakePort port;
};

TEST_F(ProblemFileTest, NewFilesHaveTheStandardHeaderBytes)
{
    for (int type : {1, 2}) {
        ASSERT_TRUE(writeDbfFile(path, newProblemTable(type)));
        const QByteArray b = fileBytes(path);
        EXPECT_EQ(byteAt(b, 0), 0x03);
        EXPECT_EQ(byteAt(b, 8), 0x21);  // header 545 bytes
        EXPECT_EQ(byteAt(b, 9), 0x02);
        EXPECT_EQ(byteAt(b, 10), type == 1 ? 0xB5 : 0xB2);  // record 1205 / 1202 bytes
        EXPECT_EQ(byteAt(b, 11), 0x04);
        EXPECT_EQ(byteAt(b, 29), 0xCA);
        // YMBMAT is the sixteenth descriptor: 1020 as FC 03.
        const int ymbmat = 32 * 16;
        EXPECT_EQ(b.mid(ymbmat, 7), QByteArray("YMBMAT\0", 7));
        EXPECT_EQ(byteAt(b, ymbmat + 16), 0xFC);
        EXPECT_EQ(byteAt(b, ymbmat + 17), 0x03);
        EXPECT_EQ(byteAt(b, 32 * 3 + 16), type == 1 ? 12 : 11);  // YMSABIT
        EXPECT_EQ(b.size(), 545 + 1);                             // no record, end-of-file byte
    }
}

TEST_F(ProblemFileTest, SaveWritesGroupsSideBySideAndNeverShrinks)
{
    openEmpty();
    fillProblem(3, 2, 1);
    ASSERT_TRUE(PROBDBFUPDATE(port));
    EXPECT_FALSE(G().anyChanged());
    EXPECT_TRUE(port.log.isEmpty());

    DbfTable t = readTable(path);
    ASSERT_EQ(t.recordCount(), 3);
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(t.value(r, QStringLiteral("YMADI")), PadR(feedName(r + 1), 15));
    EXPECT_EQ(t.value(0, QStringLiteral("BMADI")), PadR(nutrientName(1), 15));
    EXPECT_EQ(t.value(1, QStringLiteral("BMALTLIM")), SDAYA(QStringLiteral("4"), 4));
    EXPECT_TRUE(isBlankCell(t.value(2, QStringLiteral("BMADI"))));
    EXPECT_EQ(t.value(0, QStringLiteral("BMADIB")), PadR(nutrientName(2), 15));
    EXPECT_TRUE(isBlankCell(t.value(1, QStringLiteral("BMADIA"))));
    EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), rowText(G().AMATRIX.at(0)));
    EXPECT_EQ(RTrim(t.value(1, QStringLiteral("YMBMAT"))), rowText(G().AMATRIX.at(1)));
    EXPECT_EQ(t.value(2, QStringLiteral("YMBMAT")), kHeaderK.leftJustified(1020));
    const QString nutrientsBefore = t.value(0, QStringLiteral("BMADI")) + t.value(1, QStringLiteral("BMUSTLIM"));
    const QString ratioBefore = t.value(0, QStringLiteral("OALTLIM"));

    // Two feeds go: only the feed and matrix groups are written again.
    ActiveProblem& p = G();
    p.AYMTABLE.removeLast();
    p.AYMTABLE.removeLast();
    DELMATCOL(3);
    DELMATCOL(2);
    p.rebuildFeedNames();
    p.LYMCHANGED = true;
    ASSERT_TRUE(PROBDBFUPDATE(port));
    t = readTable(path);
    ASSERT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.value(0, QStringLiteral("YMADI")), PadR(feedName(1), 15));
    for (int r : {1, 2})
        for (const char* f : {"YMADI", "YMFIAT", "YMSABIT", "YMALTLIM", "YMUSTLIM"})
            EXPECT_TRUE(isBlankCell(t.value(r, QString::fromLatin1(f)))) << f << r;
    EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), SDAYA(QStringLiteral("11"), 4) + QLatin1Char(','));
    EXPECT_EQ(t.value(2, QStringLiteral("YMBMAT")), kHeaderK.leftJustified(1020));
    EXPECT_EQ(t.value(0, QStringLiteral("BMADI")) + t.value(1, QStringLiteral("BMUSTLIM")), nutrientsBefore);
    EXPECT_EQ(t.value(0, QStringLiteral("OALTLIM")), ratioBefore);

    // Fewer nutrients: the header moves up, later YMBMAT fields are emptied.
    p.ABMTABLE.removeLast();
    DELMATROW(2);
    p.rebuildNutrientNames();
    p.LBMCHANGED = true;
    ASSERT_TRUE(PROBDBFUPDATE(port));
    t = readTable(path);
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(AllTrim(t.value(1, QStringLiteral("YMBMAT"))), kHeaderK);
    EXPECT_TRUE(isBlankCell(t.value(2, QStringLiteral("YMBMAT"))));
}

// The save reads the file afresh and writes only what changed here: what
// another program wrote into the rest after the open stays, records it
// appended included. The feed and nutrient tables and the matrix go together;
// the header and the ratio table each on their own flag. A file gone
// meanwhile is written whole again.
TEST_F(ProblemFileTest, SaveKeepsWhatAnotherProgramWroteIntoGroupsNotChanged)
{
    openEmpty();
    fillProblem(3, 2, 1);
    ASSERT_TRUE(PROBDBFUPDATE(port));
    const QString row1 = RTrim(readTable(path).value(0, QStringLiteral("YMBMAT")));

    // Another program renames a nutrient, changes a ratio limit and appends a
    // record of its own.
    DbfTable other = readTable(path);
    other.setValue(0, QStringLiteral("BMADI"), QStringLiteral("DISARIDAN"));
    other.setValue(0, QStringLiteral("OALTLIM"), SDAYA(QStringLiteral("0.75"), 4));
    const int added = other.appendRecord();
    other.setValue(added, QStringLiteral("BMADI"), QStringLiteral("EKLENEN"));
    ASSERT_TRUE(writeDbfFile(path, other));

    // Here only the header changes: the user is told of the other
    // program's change, and on Evet the header alone is written, in its place.
    G().APARAMS[PRM_CURRENCY] = QStringLiteral("EUR");
    G().LPARAMCHANGED = true;
    port.replies = {REPLY_YES};
    ASSERT_TRUE(PROBDBFUPDATE(port));
    EXPECT_EQ(port.log, QStringList{QStringLiteral("box 308 Uyarı...: ") + path
                                    + QStringLiteral(" Dosyası açıldıktan veya son kaydedildikten sonra diskte "
                                                     "değiştirilmiş.\n\nÜzerine yazarsanız dosyadaki bu "
                                                     "değişiklikler kaybolacak. Üzerine yazılmasını istiyor musunuz?")});
    DbfTable t = readTable(path);
    ASSERT_EQ(t.recordCount(), 4);
    EXPECT_EQ(AllTrim(t.value(0, QStringLiteral("BMADI"))), QStringLiteral("DISARIDAN"));
    EXPECT_EQ(AllTrim(t.value(3, QStringLiteral("BMADI"))), QStringLiteral("EKLENEN"));
    EXPECT_EQ(t.value(0, QStringLiteral("OALTLIM")), SDAYA(QStringLiteral("0.75"), 4));
    EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), row1);
    EXPECT_EQ(RTrim(t.value(2, QStringLiteral("YMBMAT"))), QStringLiteral("K,1000.00,EUR,Kg,"));
    EXPECT_TRUE(isBlankCell(t.value(3, QStringLiteral("YMBMAT"))));

    // The other program changes the amount; here only a feed price changes.
    // The feeds, the nutrients and the matrix are written from this copy (the
    // rename and the appended nutrient go, the record stays, blank); the
    // ratio table and the header keep what the file holds.
    other = readTable(path);
    other.setValue(2, QStringLiteral("YMBMAT"), QStringLiteral("K,2000.00,EUR,Kg,"));
    ASSERT_TRUE(writeDbfFile(path, other));
    G().AYMTABLE[1][YMPRICE] = SDAYA(QStringLiteral("7.5"), 3);
    G().LYMCHANGED = true;
    port.replies = {REPLY_YES};
    ASSERT_TRUE(PROBDBFUPDATE(port));
    EXPECT_TRUE(port.allAnswersUsed());
    t = readTable(path);
    ASSERT_EQ(t.recordCount(), 4);
    EXPECT_EQ(t.value(1, QStringLiteral("YMFIAT")), SDAYA(QStringLiteral("7.5"), 3));
    EXPECT_EQ(t.value(0, QStringLiteral("BMADI")), PadR(nutrientName(1), 15));
    EXPECT_EQ(t.value(0, QStringLiteral("OALTLIM")), SDAYA(QStringLiteral("0.75"), 4));
    for (const char* f : {"YMADI", "YMFIAT", "BMADI", "BMBIRIM", "BMALTLIM", "YMBMAT"})
        EXPECT_TRUE(isBlankCell(t.value(3, QString::fromLatin1(f)))) << f;
    EXPECT_EQ(RTrim(t.value(0, QStringLiteral("YMBMAT"))), row1);
    EXPECT_EQ(RTrim(t.value(2, QStringLiteral("YMBMAT"))), QStringLiteral("K,2000.00,EUR,Kg,"));

    // The file removed meanwhile: nothing of it to lose, no question; the
    // save writes it again from the open copy and what it last saved.
    ASSERT_TRUE(QFile::remove(path));
    G().AYMTABLE[0][YMPRICE] = SDAYA(QStringLiteral("2"), 3);
    G().LYMCHANGED = true;
    port.log.clear();
    ASSERT_TRUE(PROBDBFUPDATE(port));
    EXPECT_TRUE(port.log.isEmpty());
    readBack();
    EXPECT_EQ(G().AYMNAMES, (QStringList{feedName(1), feedName(2), feedName(3)}));
    EXPECT_EQ(G().AYMTABLE[0][YMPRICE], SDAYA(QStringLiteral("2"), 3));
    EXPECT_EQ(G().AYMTABLE[1][YMPRICE], SDAYA(QStringLiteral("7.5"), 3));
    EXPECT_EQ(G().ABMNAMES, (QStringList{nutrientName(1), nutrientName(2)}));
    EXPECT_EQ(G().APARAMS, (QStringList{"K", "2000.00", "EUR", "Kg"}));
}

// Another program removes a feed and its matrix column, or adds a nutrient
// and its matrix row, while this copy changes a matrix cell, a feed price or
// a nutrient limit. Whatever changed here, the save never pairs this copy's
// matrix with the other writer's tables: the file comes back as this copy,
// every feed with its own column.
TEST_F(ProblemFileTest, SaveWritesTheTablesAndTheMatrixAsOneUnit)
{
    const QStringList feeds = {QStringLiteral("MISIR"), QStringLiteral("BUĞDAY"), QStringLiteral("SOYA KÜSPESİ 48")};
    const Table matrix = {{SDAYA("3350", 4), SDAYA("3100", 4), SDAYA("2440", 4)},
                          {SDAYA("8.5", 4), SDAYA("13", 4), SDAYA("48.5", 4)}};
    auto build = [&] {
        fillProblem(3, 2, 0);
        ActiveProblem& p = G();
        for (int i = 0; i < 3; ++i)
            p.AYMTABLE[i][YMNAME] = PadR(feeds.at(i), kYmNameWidth);
        p.ABMTABLE[0][BMNAME] = PadR(QStringLiteral("ME_KA"), kBmNameWidth);
        p.ABMTABLE[1][BMNAME] = PadR(QStringLiteral("HP"), kBmNameWidth);
        p.AMATRIX = matrix;
        p.rebuildFeedNames();
        p.rebuildNutrientNames();
    };
    auto removeSecondFeed = [](DbfTable& t) {
        // The feed group moves up one record; every matrix row loses cell 2.
        const QStringList names = {"YMADI", "YMFIAT", "YMSABIT", "YMALTLIM", "YMUSTLIM"};
        for (const QString& f : names) {
            t.setValue(1, f, t.value(2, f));
            t.setValue(2, f, QString());
        }
        for (int r : {0, 1}) {
            QStringList cells = t.value(r, QStringLiteral("YMBMAT")).split(QLatin1Char(','));
            cells.removeAt(1);
            t.setValue(r, QStringLiteral("YMBMAT"), cells.join(QLatin1Char(',')));
        }
    };
    auto addNutrient = [](DbfTable& t) {
        // The header moves down a record to make room for the new row.
        t.setValue(2, QStringLiteral("BMADI"), QStringLiteral("KALSIYUM"));
        const QString header = t.value(2, QStringLiteral("YMBMAT"));
        t.setValue(2, QStringLiteral("YMBMAT"), QStringLiteral("0.02,0.05,0.27,"));
        t.setValue(t.appendRecord(), QStringLiteral("YMBMAT"), header);
    };
    auto editCell = [] {
        G().AMATRIX[1][0] = SDAYA("9", 4);
        G().LMATCHANGED = true;
    };
    auto editPrice = [] {
        G().AYMTABLE[2][YMPRICE] = SDAYA("21.5", 3);
        G().LYMCHANGED = true;
    };
    auto editLimit = [] {
        G().ABMTABLE[1][BMLLIMIT] = SDAYA("20", 4);
        G().LBMCHANGED = true;
    };
    const struct {
        const char* what;
        std::function<void(DbfTable&)> elsewhere;
        std::function<void()> here;
    } cases[] = {
        {"feed removed there, matrix cell here", removeSecondFeed, editCell},
        {"feed removed there, feed price here", removeSecondFeed, editPrice},
        {"feed removed there, nutrient limit here", removeSecondFeed, editLimit},
        {"nutrient added there, matrix cell here", addNutrient, editCell},
        {"nutrient added there, feed price here", addNutrient, editPrice},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        G().reset();
        openEmpty();
        build();
        ASSERT_TRUE(PROBDBFUPDATE(port));

        DbfTable other = readTable(path);
        c.elsewhere(other);
        ASSERT_TRUE(writeDbfFile(path, other));
        c.here();
        const ActiveProblem before = G();
        port.replies = {REPLY_YES};  // to the question on the other writer's change
        ASSERT_TRUE(PROBDBFUPDATE(port));
        EXPECT_TRUE(port.allAnswersUsed());

        EXPECT_TRUE(matrixFit(readTable(path)).fits());
        readBack();
        EXPECT_EQ(G().AYMNAMES, feeds);
        EXPECT_EQ(G().ABMNAMES, before.ABMNAMES);
        EXPECT_EQ(trimmedCells(G().AYMTABLE), trimmedCells(before.AYMTABLE));
        EXPECT_EQ(trimmedCells(G().ABMTABLE), trimmedCells(before.ABMTABLE));
        EXPECT_EQ(G().AMATRIX, before.AMATRIX);
        EXPECT_FALSE(G().anyChanged());
    }

    // The first case read by an independent reader: one cell per feed in
    // every matrix row, and the soya meal with its own energy.
    const QString script = QStringLiteral(R"PY(
import sys, json, dbfread
t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')
recs = list(t)
feeds = [r['YMADI'] for r in recs if r['YMADI'].strip()]
nutrients = [r['BMADI'] for r in recs if r['BMADI'].strip()]
rows = [r['YMBMAT'].split(',')[:-1] for r in recs if r['YMBMAT'].strip()][:len(nutrients)]
print(json.dumps({'feeds': feeds, 'rows': rows}))
)PY");
    G().reset();
    openEmpty();
    build();
    ASSERT_TRUE(PROBDBFUPDATE(port));
    DbfTable other = readTable(path);
    removeSecondFeed(other);
    ASSERT_TRUE(writeDbfFile(path, other));
    editCell();
    port.replies = {REPLY_YES};
    ASSERT_TRUE(PROBDBFUPDATE(port));
    QString error;
    const QJsonDocument doc = runPython(script, {path}, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();
    const QJsonArray savedFeeds = doc.object().value(QStringLiteral("feeds")).toArray();
    const QJsonArray rows = doc.object().value(QStringLiteral("rows")).toArray();
    ASSERT_EQ(savedFeeds.size(), 3);
    EXPECT_EQ(savedFeeds.at(2).toString(), QStringLiteral("SOYA KÜSPESİ 48"));
    ASSERT_EQ(rows.size(), 2);
    for (const QJsonValue& row : rows)
        EXPECT_EQ(row.toArray().size(), savedFeeds.size());
    EXPECT_EQ(AllTrim(rows.at(0).toArray().at(2).toString()), QStringLiteral("2440.0000"));
    EXPECT_EQ(AllTrim(rows.at(1).toArray().at(0).toString()), QStringLiteral("9.0000"));
}

TEST_F(ProblemFileTest, RoundTripGivesTheSameProblem)
{
    openEmpty(2);
    fillProblem(4, 3, 2, QStringLiteral("G"));
    ActiveProblem& p = G();
    p.AYMTABLE[1][YMNAME] = QStringLiteral("Şeker pancarı küs");  // 17: the file keeps 15
    p.ABMTABLE[2][BMNAME] = PadR(QStringLiteral("KALSİYUM"), 15);
    p.AMATRIX[1][2] = blankCell();
    p.rebuildFeedNames();
    p.rebuildNutrientNames();
    const ActiveProblem before = p;
    ASSERT_TRUE(PROBDBFUPDATE(port));

    readBack();
    EXPECT_FALSE(p.anyChanged());
    EXPECT_EQ(p.APARAMS, before.APARAMS);
    EXPECT_EQ(p.ABMTABLE, before.ABMTABLE);
    EXPECT_EQ(p.ABMOTABLE, before.ABMOTABLE);
    EXPECT_EQ(p.AMATRIX, before.AMATRIX);
    EXPECT_EQ(p.ABMNAMES, before.ABMNAMES);
    EXPECT_EQ(p.ABMUNITS, before.ABMUNITS);
    QStringList names = before.AYMNAMES;
    names[1] = QStringLiteral("Şeker pancarı k");
    EXPECT_EQ(p.AYMNAMES, names);
    ASSERT_EQ(p.AYMTABLE.size(), 4);
    EXPECT_EQ(p.AYMTABLE[1][YMNAME], QStringLiteral("Şeker pancarı k"));
    EXPECT_EQ(p.AYMTABLE[0][YMPRICE], before.AYMTABLE[0][YMPRICE]);
}

TEST_F(ProblemFileTest, AnEighteenCharacterFeedNameComesBackAsItsFirstFifteen)
{
    openEmpty();
    fillProblem(1, 0, 0);
    G().AYMTABLE[0][YMNAME] = PadR(QStringLiteral("ABCDEFGHIJKLMNOPQR"), 20);
    ASSERT_TRUE(PROBDBFUPDATE(port));
    readBack();
    EXPECT_EQ(G().AYMNAMES, QStringList{QStringLiteral("ABCDEFGHIJKLMNO")});
}

// How the reader recognises the header and shapes the matrix.
TEST_F(ProblemFileTest, ReaderHeaderMatrixAndCompletion)
{
    using Rec = QList<QPair<QString, QString>>;
    const QString Y = QStringLiteral("YMADI"), B = QStringLiteral("BMADI"), M = QStringLiteral("YMBMAT"),
                  U = QStringLiteral("BMBIRIM");
    struct Case {
        const char* what;
        QList<Rec> records;
        QList<int> deleted;
        QStringList params;
        Table matrix;
        bool paramChanged;
    };
    const QString b11 = blankCell();
    const QList<Case> cases = {
        {"three cells, the middle one empty",
         {{{Y, "A"}, {B, "N"}, {M, "1.2,,3.4,"}}, {{Y, "B"}, {M, "G,1.000,TL,Kg,"}}, {{Y, "C"}}},
         {}, {"G", "1.000", "TL", "Kg"}, {{"1.2", "", "3.4"}}, false},
        {"as many matrix rows as nutrients: default header",
         {{{Y, "A"}, {B, "N1"}, {M, "1,"}}, {{B, "N2"}, {M, "2,"}}},
         {}, {"K", "1000.00", "TL", "Kg"}, {{"1"}, {"2"}}, true},
        {"one nutrient, no feed, daily ration: the header is kept",
         {{{B, "KMT"}, {M, "G,1.000,TL,Kg,"}}},
         {}, {"G", "1.000", "TL", "Kg"}, {{}}, false},
        {"matrix cut and padded to nutrients x feeds",
         {{{Y, "A"}, {B, "N1"}, {M, "1,2,3,"}}, {{Y, "B"}, {B, "N2"}, {M, "K,500.00,USD,Ton,"}}},
         {}, {"K", "500.00", "USD", "Ton"}, {{"1", "2"}, {b11, b11}}, false},
        {"feeds and nutrients without any matrix record",
         {{{Y, "A"}, {B, "N1"}}},
         {}, {"K", "1000.00", "TL", "Kg"}, {{b11}}, true},
        {"a last row that is no header is a matrix row: the default header",
         {{{Y, "A"}, {B, "N1"}, {M, "5,"}}, {{M, "6,"}}, {{M, "x,"}}},
         {}, {"K", "1000.00", "TL", "Kg"}, {{"5"}}, true},
        {"a last row that begins with a type is taken as the header, as four values",
         {{{Y, "A"}, {B, "N1"}, {M, "5,"}}, {{M, "6,"}}, {{M, "G,2.000,"}}},
         {}, {"G", "2.000", "", ""}, {{"5"}}, false},
        {"deleted records are not seen",
         {{{Y, "A"}, {B, "N1"}, {M, "7,"}}, {{Y, "GONE"}, {B, "GONE"}, {M, "9,9,"}}, {{M, "K,1000.00,TL,Kg,"}}},
         {1}, {"K", "1000.00", "TL", "Kg"}, {{"7"}}, false},
    };
    for (const Case& c : cases) {
        writeTable(c.records, 1, c.deleted);
        readBack();
        const ActiveProblem& p = G();
        EXPECT_EQ(p.APARAMS, c.params) << c.what;
        EXPECT_EQ(p.AMATRIX, c.matrix) << c.what;
        EXPECT_EQ(p.LPARAMCHANGED, c.paramChanged) << c.what;
        EXPECT_FALSE(p.LMATCHANGED || p.LBMCHANGED || p.LYMCHANGED) << c.what;
        EXPECT_FALSE(p.AYMNAMES.contains(QStringLiteral("GONE"))) << c.what;
    }

    // An empty file (just made by New): nothing read, the header left alone.
    writeTable({});
    G().reset();
    G().APARAMS = {QStringLiteral("G"), QStringLiteral("1.000"), QStringLiteral("TL"), QStringLiteral("Kg")};
    AKTPRODIZOLUSTUR(readTable(path));
    EXPECT_EQ(G().APARAMS.value(0), QStringLiteral("G"));
    EXPECT_TRUE(G().AMATRIX.isEmpty());
    EXPECT_FALSE(G().anyChanged());

    // Nutrients without feeds: one empty row per nutrient.
    writeTable({{{B, "N1"}, {U, "%"}}, {{B, "N2"}, {M, "K,1000.00,TL,Kg,"}}});
    readBack();
    EXPECT_EQ(G().AMATRIX, (Table{{}, {}}));
    EXPECT_EQ(G().ABMUNITS, (QStringList{QStringLiteral("%"), QString()}));
}

TEST_F(ProblemFileTest, FeedsWithoutNutrientsGetTheWeightRow)
{
    const QString M = QStringLiteral("YMBMAT"), Y = QStringLiteral("YMADI");
    const QString one = PadL(QStringLiteral("1.0000"), 11);
    for (const char* type : {"K", "G"}) {
        writeTable({{{Y, "A"}, {M, QStringLiteral("%1,1.000,TL,Kg,").arg(QLatin1String(type))}}, {{Y, "B"}}});
        readBack();
        const ActiveProblem& p = G();
        const bool compound = QLatin1String(type) == QLatin1String("K");
        const QString name = compound ? QStringLiteral("AGIRLIK") : QStringLiteral("KMT");
        EXPECT_EQ(p.ABMNAMES, QStringList{name});
        EXPECT_EQ(p.ABMUNITS, QStringList{QStringLiteral("Kg/Kg")});
        ASSERT_EQ(p.ABMTABLE.size(), 1);
        EXPECT_EQ(p.ABMTABLE[0],
                  (Row{PadR(name, 15), QStringLiteral("      Kg/Kg"), compound ? one : blankCell(), blankCell(),
                       blankCell()}));
        EXPECT_EQ(p.AMATRIX, (Table{{one, one}}));
        EXPECT_TRUE(p.LMATCHANGED && p.LBMCHANGED);
        EXPECT_FALSE(p.LPARAMCHANGED);
    }
}

TEST_F(ProblemFileTest, CommasNeverReachTheFile)
{
    openEmpty();
    fillProblem(2, 1, 0);
    ActiveProblem& p = G();
    p.APARAMS = {QStringLiteral("K"), QStringLiteral("1250,5"), QStringLiteral("T,L"), QStringLiteral("K,g")};
    p.AMATRIX[0][1] = QStringLiteral("1,5");  // as another tool might have written it
    ASSERT_TRUE(PROBDBFUPDATE(port));
    const DbfTable t = readTable(path);
    EXPECT_EQ(AllTrim(t.value(1, QStringLiteral("YMBMAT"))), QStringLiteral("K,1250.50,TL,Kg,"));
    readBack();
    EXPECT_EQ(p.APARAMS, (QStringList{QStringLiteral("K"), QStringLiteral("1250.50"), QStringLiteral("TL"),
                                      QStringLiteral("Kg")}));
    EXPECT_EQ(p.AMATRIX[0], (Row{SDAYA(QStringLiteral("11"), 4), QStringLiteral("     1.5000")}));

    p.APARAMS = {QStringLiteral("G"), QStringLiteral("2,5"), QStringLiteral("TL"), QStringLiteral("Kg")};
    p.LPARAMCHANGED = true;
    ASSERT_TRUE(PROBDBFUPDATE(port));
    readBack();
    EXPECT_EQ(p.APARAMS.value(1), QStringLiteral("2.500"));
}

TEST_F(ProblemFileTest, MoreThan85FeedsAreRefused)
{
    openEmpty();
    fillProblem(85, 1, 0);
    ASSERT_TRUE(PROBDBFUPDATE(port));
    EXPECT_EQ(readTable(path).value(0, QStringLiteral("YMBMAT")).size(), 1020);
    readBack();
    EXPECT_EQ(G().AMATRIX.value(0).size(), 85);
    EXPECT_EQ(G().AMATRIX.value(0).value(84), SDAYA(QStringLiteral("95"), 4));

    const QByteArray before = fileBytes(path);
    fillProblem(86, 1, 0);
    EXPECT_FALSE(PROBDBFUPDATE(port));
    EXPECT_EQ(port.boxTexts(BOX_ERROR),
              QStringList{QStringLiteral("Problem dosyasına en çok 85 yem maddesi kaydedilebilir!\nKayıt yapılmadı.")});
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_TRUE(G().LYMCHANGED && G().LMATCHANGED && G().LBMCHANGED && G().LPARAMCHANGED && G().LBMOCHANGED);

    // A file with a narrower matrix field holds fewer, and the refusal says
    // how many.
    QList<DbfField> fields = problemFileFields(1);
    fields.last().length = 36;
    ASSERT_TRUE(writeDbfFile(path, DbfTable(fields)));
    G().OPROBSERVER = std::make_shared<ProblemServer>(path, DbfTable(fields));
    fillProblem(4, 1, 0);
    FakePort narrow;
    EXPECT_FALSE(PROBDBFUPDATE(narrow));
    EXPECT_EQ(narrow.boxTexts(BOX_ERROR),
              QStringList{QStringLiteral("Problem dosyasına en çok 3 yem maddesi kaydedilebilir!\nKayıt yapılmadı.")});
}

TEST_F(ProblemFileTest, FailedSaveKeepsFlagsAndFile)
{
    openEmpty();
    fillProblem(3, 2, 1);
    ASSERT_TRUE(PROBDBFUPDATE(port));
    const QByteArray before = fileBytes(path);

    for (auto stage : {testhooks::WriteFault::Write, testhooks::WriteFault::Rename}) {
        port.boxes.clear();
        fillProblem(2, 2, 0);
        testhooks::failAtomicWrite(stage);
        EXPECT_FALSE(PROBDBFUPDATE(port));
        ASSERT_EQ(port.boxes.size(), 1);
        EXPECT_EQ(port.boxes[0].type, BOX_ERROR);
        EXPECT_EQ(port.boxes[0].title, QStringLiteral("Hata..."));
        EXPECT_EQ(port.boxes[0].text, path + QStringLiteral(" dosyasını kaydetmede hata!\n\nDeğişiklikler kaydedilmedi."));
        EXPECT_TRUE(G().LYMCHANGED && G().LBMCHANGED && G().LBMOCHANGED && G().LMATCHANGED && G().LPARAMCHANGED);
        EXPECT_EQ(fileBytes(path), before);
        EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("PROBLEM.ZVF")});
    }
    // The next save writes everything that is still pending.
    ASSERT_TRUE(PROBDBFUPDATE(port));
    readBack();
    EXPECT_EQ(G().AYMTABLE.size(), 2);
    EXPECT_EQ(G().ABMOTABLE.size(), 0);
}

TEST_F(ProblemFileTest, RecordsDeletedElsewhereStayInTheFile)
{
    const QString Y = QStringLiteral("YMADI"), M = QStringLiteral("YMBMAT");
    writeTable({{{Y, "A"}, {M, "K,1000.00,TL,Kg,"}}, {{Y, "GONE"}, {M, "9,"}}, {{Y, "B"}}}, 1, {1});
    readBack();
    EXPECT_EQ(G().AYMNAMES, (QStringList{QStringLiteral("A"), QStringLiteral("B"), }));
    ActiveProblem& p = G();
    p.AYMTABLE << Row{PadR(QStringLiteral("C"), 20), blankCell(), blankCell(), blankCell(), blankCell()};
    ADDMATCOL(3);
    p.rebuildFeedNames();
    p.LYMCHANGED = true;
    ASSERT_TRUE(PROBDBFUPDATE(port));
    const DbfTable t = readTable(path);
    ASSERT_EQ(t.recordCount(), 4);
    EXPECT_TRUE(t.isDeleted(1));
    EXPECT_EQ(AllTrim(t.value(1, Y)), QStringLiteral("GONE"));
    EXPECT_EQ(AllTrim(t.value(3, Y)), QStringLiteral("C"));
    readBack();
    EXPECT_EQ(G().AYMNAMES.size(), 3);
}

// The file is read by an independent reader (Debian's python3-dbfread) with
// the same fields, widths and cells.
TEST_F(ProblemFileTest, IndependentReaderSeesTheSameTable)
{
    openEmpty();
    fillProblem(3, 2, 1);
    G().AYMTABLE[0][YMNAME] = PadR(QStringLiteral("Buğday kepeği"), 20);
    G().ABMTABLE[1][BMNAME] = PadR(QStringLiteral("Ham yağ Ş"), 15);
    ASSERT_TRUE(PROBDBFUPDATE(port));

    const QString script = QStringLiteral(R"PY(
import sys, json, dbfread
t = dbfread.DBF(sys.argv[1], encoding='cp1254', char_decode_errors='strict')
print(json.dumps({'fields': [[f.name, f.type, f.length] for f in t.fields],
                  'records': [dict(r) for r in t]}))
)PY");
    QString error;
    const QJsonDocument doc = runPython(script, {path}, &error);
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    const DbfTable ours = readTable(path);
    const QJsonArray fields = doc.object().value(QStringLiteral("fields")).toArray();
    ASSERT_EQ(fields.size(), 16);
    for (int i = 0; i < 16; ++i) {
        const QJsonArray f = fields.at(i).toArray();
        EXPECT_EQ(f.at(0).toString(), ours.fields().at(i).name);
        EXPECT_EQ(f.at(1).toString(), QStringLiteral("C"));
        EXPECT_EQ(f.at(2).toInt(), ours.fields().at(i).length);
    }
    EXPECT_EQ(fields.at(15).toArray().at(2).toInt(), 1020);
    const QJsonArray records = doc.object().value(QStringLiteral("records")).toArray();
    ASSERT_EQ(records.size(), ours.recordCount());
    for (int r = 0; r < records.size(); ++r)
        for (const DbfField& f : ours.fields())  // the independent reader strips trailing blanks
            EXPECT_EQ(records.at(r).toObject().value(f.name).toString(), RTrim(ours.value(r, f.name)))
                << f.name.toStdString() << " record " << r;
    EXPECT_EQ(records.at(0).toObject().value(QStringLiteral("YMADI")).toString(), QStringLiteral("Buğday kepeği"));
    EXPECT_EQ(records.at(2).toObject().value(QStringLiteral("YMBMAT")).toString(), kHeaderK);
}
