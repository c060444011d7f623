// The work of the nutrient, feed and ratio entry windows without widgets:
// appending, deleting with the matrix following at once, the ratio pick, and
// the write-back into the active problem.
#include "editing/entrytables.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problemfile.h"
#include "core/problemtestutil.h"
#include "platform/runtime.h"
#include "support/fakeport.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::FakePort;

Row nutrientRow(const QString& name, const QString& unit = QString())
{
    return Row{PadR(name, kBmNameWidth), PadL(unit, kCellWidth), blankCell(), blankCell(), blankCell()};
}

Row feedRow(const QString& name)
{
    return Row{PadR(name, kYmNameWidth), SDAYA(QStringLiteral("1"), 3), blankCell(), blankCell(), blankCell()};
}

class EntryTablesTest : public ::testing::Test {
protected:
    void SetUp() override { G().reset(); }
    void TearDown() override { G().reset(); }

    // An editor whose menu-state hook counts its calls.
    std::unique_ptr<EntryTableEditor> editor(EntryKind kind)
    {
        EntryTableEditor::Hooks hooks;
        hooks.menuState = [this] { ++menuStates_; };
        return std::make_unique<EntryTableEditor>(kind, port_, hooks);
    }

    FakePort port_;
    int menuStates_ = 0;
};

TEST_F(EntryTablesTest, AppendAddsARowOnlyWhenNoRowLacksAName)
{
    // Empty table: the first row is appended.
    auto e = editor(EntryKind::Nutrient);
    EXPECT_TRUE(e->APPEND());
    EXPECT_EQ(e->server()->LastRec(), 1);
    EXPECT_EQ(e->server()->RecNo(), 1);

    // A row whose name holds only blanks is used again, values and all.
    G().ABMTABLE = {nutrientRow(QStringLiteral("A")), nutrientRow(QStringLiteral("B")),
                    Row{QStringLiteral("   "), PadL(QStringLiteral("%"), kCellWidth), blankCell(), blankCell(),
                        blankCell()},
                    nutrientRow(QStringLiteral("D"))};
    e = editor(EntryKind::Nutrient);
    e->server()->GoTop();
    EXPECT_FALSE(e->APPEND());
    EXPECT_EQ(e->server()->LastRec(), 4);
    EXPECT_EQ(e->server()->RecNo(), 3);
    EXPECT_EQ(e->server()->FieldGet(2), PadL(QStringLiteral("%"), kCellWidth));
    EXPECT_FALSE(e->LDATACHANGED);  // moving is no change

    // Every row named: a row is appended and the copy is changed.
    G().ABMTABLE.removeAt(2);
    e = editor(EntryKind::Nutrient);
    EXPECT_TRUE(e->APPEND());
    EXPECT_EQ(e->server()->LastRec(), 4);
    EXPECT_EQ(e->server()->RecNo(), 4);
    EXPECT_TRUE(e->LDATACHANGED);
}

TEST_F(EntryTablesTest, TheFeedWindowRefusesMoreFeedsThanTheProblemFileHolds)
{
    for (int i = 1; i <= 84; ++i)
        G().AYMTABLE << feedRow(QStringLiteral("Y%1").arg(i));
    auto e = editor(EntryKind::Feed);
    EXPECT_TRUE(e->APPEND());  // the 85th
    e->server()->FieldPut(1, QStringLiteral("Y85"));
    e->server()->GoTo(10);
    EXPECT_FALSE(e->APPEND());  // the 86th
    EXPECT_EQ(e->server()->LastRec(), 85);
    EXPECT_EQ(e->server()->RecNo(), 10);
    EXPECT_EQ(port_.boxTexts(BOX_ERROR),
              QStringList{QStringLiteral("Problem dosyasına en çok 85 yem maddesi kaydedilebilir!")});

    // A row without a name is still there to be used.
    e->server()->GoTo(85);
    e->server()->FieldPut(1, QString());
    port_.boxes.clear();
    EXPECT_FALSE(e->APPEND());
    EXPECT_EQ(e->server()->RecNo(), 85);
    EXPECT_TRUE(port_.boxes.isEmpty());

    // An open file with a narrower matrix field holds fewer, and says so.
    QList<DbfField> fields = problemFileFields(1);
    fields.last().length = 36;
    G().OPROBSERVER = std::make_shared<ProblemServer>(QStringLiteral("DAR.ZVF"), DbfTable(fields));
    G().AYMTABLE = Table{feedRow(QStringLiteral("A")), feedRow(QStringLiteral("B")), feedRow(QStringLiteral("C"))};
    e = editor(EntryKind::Feed);
    EXPECT_FALSE(e->APPEND());
    EXPECT_EQ(port_.boxTexts(BOX_ERROR),
              QStringList{QStringLiteral("Problem dosyasına en çok 3 yem maddesi kaydedilebilir!")});
}

TEST_F(EntryTablesTest, DeletingANutrientOrFeedTakesItsMatrixPartAtOnce)
{
    struct Case {
        EntryKind kind;
        QString question;
        int reply;
        Table matrixAfter;  // filled below from the 3 x 4 matrix
    };
    test::fillProblem(4, 4, 0);
    const Table matrix = G().AMATRIX;
    Table withoutRow2 = matrix;
    withoutRow2.removeAt(1);
    Table withoutCol2 = matrix;
    for (Row& r : withoutCol2)
        r.removeAt(1);
    const Case cases[] = {
        {EntryKind::Nutrient, QStringLiteral("Seçili besin maddesi siliniyor!"), REPLY_YES, withoutRow2},
        {EntryKind::Nutrient, QStringLiteral("Seçili besin maddesi siliniyor!"), REPLY_NO, matrix},
        {EntryKind::Feed, QStringLiteral("Seçili Yem Maddesi Siliniyor!"), REPLY_YES, withoutCol2},
        {EntryKind::Feed, QStringLiteral("Seçili Yem Maddesi Siliniyor!"), REPLY_NO, matrix},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind) * 10 + c.reply);
        test::fillProblem(4, 4, 0);
        G().LMATCHANGED = false;
        const Table table = entryProblemTable(c.kind);
        port_ = FakePort();
        port_.replies = {c.reply};
        auto e = editor(c.kind);
        e->server()->GoTo(2);
        e->DELETE_ROW();
        EXPECT_EQ(port_.log, QStringList{QStringLiteral("box 36 Uyarı: ") + c.question});
        EXPECT_EQ(G().AMATRIX, c.matrixAfter);
        const bool yes = c.reply == REPLY_YES;
        EXPECT_EQ(G().LMATCHANGED, yes);
        EXPECT_EQ(e->server()->LastRec(), yes ? 3 : 4);
        EXPECT_EQ(e->LDATACHANGED, yes);
        if (yes) {
            EXPECT_EQ(e->server()->FieldGet(1), table.at(2).at(0));  // the third row moved up
        }
        // The problem's own table waits for the close.
        EXPECT_EQ(entryProblemTable(c.kind), table);
    }

    // An empty table: no question, nothing happens.
    G().reset();
    port_ = FakePort();
    auto e = editor(EntryKind::Nutrient);
    e->DELETE_ROW();
    EXPECT_TRUE(port_.log.isEmpty());
}

TEST_F(EntryTablesTest, RatioDeleteLeavesTheMatrixAlone)
{
    test::fillProblem(2, 2, 3);
    G().LBMOCHANGED = G().LMATCHANGED = false;
    const Table matrix = G().AMATRIX;
    port_.replies = {REPLY_YES};
    auto e = editor(EntryKind::Ratio);
    e->server()->GoTo(1);
    e->DELETE_ROW();
    EXPECT_EQ(port_.boxTexts(BOX_YESNO_QUESTION), QStringList{QStringLiteral("Seçili Besin Maddesi Oranı Siliniyor!")});
    EXPECT_EQ(e->server()->LastRec(), 2);
    EXPECT_EQ(G().AMATRIX, matrix);
    EXPECT_FALSE(G().LMATCHANGED);
    EXPECT_TRUE(G().LBMOCHANGED);
}

TEST_F(EntryTablesTest, KayitBosmuCountsTheOtherFilledCells)
{
    G().ABMTABLE = {Row{PadR(QStringLiteral("CA"), kBmNameWidth), QStringLiteral("   "), blankCell(),
                        SDAYA(QStringLiteral("2"), 4), blankCell()}};
    auto e = editor(EntryKind::Nutrient);
    e->server()->GoTop();
    EXPECT_EQ(e->KAYITBOSMU(0, 5), 2);
    EXPECT_EQ(e->KAYITBOSMU(4, 5), 1);  // the cell being emptied still holds its old value
    EXPECT_EQ(e->KAYITBOSMU(1, 5), 1);
    EXPECT_EQ(e->KAYITBOSMU(1, 3), 0);
}

TEST_F(EntryTablesTest, ClosingWithoutAnEditChangesNothing)
{
    test::fillProblem(3, 3, 2);
    G().LYMCHANGED = G().LBMCHANGED = G().LBMOCHANGED = G().LMATCHANGED = G().LPARAMCHANGED = false;
    const ActiveProblem before = G();
    for (EntryKind kind : {EntryKind::Nutrient, EntryKind::Feed, EntryKind::Ratio}) {
        auto e = editor(kind);
        e->server()->GoBottom();
        e->server()->Skip(-1);
        e->QUERYCLOSE();
        EXPECT_TRUE(e->server()->isClosed());
    }
    EXPECT_EQ(menuStates_, 0);
    EXPECT_EQ(G().ABMTABLE, before.ABMTABLE);
    EXPECT_EQ(G().AYMTABLE, before.AYMTABLE);
    EXPECT_EQ(G().ABMOTABLE, before.ABMOTABLE);
    EXPECT_EQ(G().ABMNAMES, before.ABMNAMES);
    EXPECT_FALSE(G().anyChanged());
}

TEST_F(EntryTablesTest, WriteBackRebuildsTheNamesAndDropsEmptyRows)
{
    G().ABMTABLE = {nutrientRow(QStringLiteral("KMT"), QStringLiteral("Kg/Kg"))};
    G().rebuildNutrientNames();
    auto e = editor(EntryKind::Nutrient);
    ASSERT_TRUE(e->APPEND());
    e->server()->FieldPut(1, QStringLiteral("  Ca  "));
    ASSERT_TRUE(e->APPEND());  // left empty
    e->QUERYCLOSE();

    EXPECT_EQ(G().ABMNAMES, (QStringList{QStringLiteral("KMT"), QStringLiteral("Ca")}));
    EXPECT_EQ(G().ABMUNITS, (QStringList{QStringLiteral("Kg/Kg"), QString()}));
    ASSERT_EQ(G().ABMTABLE.size(), 2);
    EXPECT_EQ(G().ABMTABLE.at(1).at(0), QStringLiteral("  Ca  "));
    EXPECT_TRUE(G().LBMCHANGED);
    EXPECT_EQ(menuStates_, 1);

    // Feeds: the same, without units.
    G().AYMTABLE = {feedRow(QStringLiteral("ARPA")), feedRow(QStringLiteral("MISIR"))};
    G().rebuildFeedNames();
    auto f = editor(EntryKind::Feed);
    f->server()->GoTo(1);
    f->server()->FieldPut(1, QStringLiteral(" BUGDAY"));
    f->QUERYCLOSE();
    EXPECT_EQ(G().AYMNAMES, (QStringList{QStringLiteral("BUGDAY"), QStringLiteral("MISIR")}));
    EXPECT_TRUE(G().LYMCHANGED);
    EXPECT_EQ(menuStates_, 2);
}

TEST_F(EntryTablesTest, WriteBackWithoutClosingCountsOnlyLaterEdits)
{
    test::fillProblem(2, 2, 0);
    auto e = editor(EntryKind::Feed);
    e->server()->GoTo(2);
    e->server()->FieldPut(2, SDAYA(QStringLiteral("7"), 3));
    EXPECT_TRUE(e->WRITEBACK());
    EXPECT_EQ(G().AYMTABLE.at(1).at(YMPRICE), SDAYA(QStringLiteral("7"), 3));
    EXPECT_FALSE(e->server()->isClosed());
    G().LYMCHANGED = false;  // saved
    e->QUERYCLOSE();
    EXPECT_FALSE(G().LYMCHANGED);
    EXPECT_EQ(menuStates_, 1);
}

TEST_F(EntryTablesTest, RatioWindowWritesBackOnTheProblemsFlag)
{
    test::fillProblem(2, 2, 1);
    G().LBMOCHANGED = false;
    auto e = editor(EntryKind::Ratio);
    e->server()->GoTo(1);
    e->server()->FieldPut(3, SDAYA(QStringLiteral("1"), 4));
    EXPECT_TRUE(G().LBMOCHANGED);
    e->QUERYCLOSE();
    EXPECT_EQ(G().ABMOTABLE.at(0).at(BMOFIX), SDAYA(QStringLiteral("1"), 4));
    EXPECT_EQ(menuStates_, 0);

    // A change made before the window opened and not saved since is written
    // back too (here: the copy replaces a table that changed meanwhile).
    auto again = editor(EntryKind::Ratio);
    G().ABMOTABLE.clear();
    again->QUERYCLOSE();
    EXPECT_EQ(G().ABMOTABLE.size(), 1);
}

TEST_F(EntryTablesTest, OranSecWritesThePickedPairIntoAFreeRow)
{
    G().ABMNAMES = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    G().ABMOTABLE = {Row{PadR(QStringLiteral("A"), 15), PadR(QStringLiteral("C"), 15), blankCell(),
                         SDAYA(QStringLiteral("1"), 4), blankCell()},
                     Row{QString(), QString(), blankCell(), SDAYA(QStringLiteral("2"), 4), blankCell()}};
    auto e = editor(EntryKind::Ratio);
    port_.choices = {2, 2};  // B, then C of {A, C}
    e->ORANSEC();
    EXPECT_EQ(port_.log, (QStringList{QStringLiteral("chooseOne Bölünen Seçimi"),
                                      QStringLiteral("chooseOne Bölen Seçimi")}));
    e->server()->GoTo(2);
    EXPECT_EQ(e->server()->FieldGet(1), QStringLiteral("B              "));
    EXPECT_EQ(e->server()->FieldGet(2), QStringLiteral("C              "));
    EXPECT_EQ(e->server()->FieldGet(4), SDAYA(QStringLiteral("2"), 4));  // the reused row keeps its limit
    EXPECT_EQ(e->server()->LastRec(), 2);
    EXPECT_TRUE(G().LBMOCHANGED);
    EXPECT_EQ(G().ABMNAMES.size(), 3);

    // With every row taken a new row is appended.
    port_.choices = {1, 1};
    e->ORANSEC();
    EXPECT_EQ(e->server()->LastRec(), 3);
    EXPECT_EQ(e->server()->FieldGet(1), PadR(QStringLiteral("A"), 15));
    EXPECT_EQ(e->server()->FieldGet(2), PadR(QStringLiteral("B"), 15));

    // A cancelled first or second list writes nothing.
    for (const QList<int>& answers : {QList<int>{0}, QList<int>{3, 0}}) {
        G().LBMOCHANGED = false;
        port_.choices = answers;
        e->ORANSEC();
        EXPECT_EQ(e->server()->LastRec(), 3);
        EXPECT_FALSE(G().LBMOCHANGED);
    }
}

TEST_F(EntryTablesTest, OranSecNeedsTwoNutrients)
{
    auto e = editor(EntryKind::Ratio);
    e->ORANSEC();  // no nutrients: not even the list
    EXPECT_TRUE(port_.log.isEmpty());

    G().ABMNAMES = {QStringLiteral("A")};
    port_.choices = {1, 0};  // the second list is empty
    e->ORANSEC();
    EXPECT_EQ(port_.log.size(), 2);
    EXPECT_EQ(e->server()->LastRec(), 0);
}

}  // namespace
}  // namespace zeva
