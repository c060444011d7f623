// The work of the active matrix window without widgets: the labelled copy,
// the rescaling of linked nutrients and the write-back over the matrix it was
// taken from.
#include "editing/activematrix.h"

#include "core/activeproblem.h"
#include "core/numeric.h"
#include "core/problemtestutil.h"
#include "platform/runtime.h"
#include "support/fakeport.h"

#include <gtest/gtest.h>

namespace zeva {
namespace {

using test::FakePort;

QString num(const char* text)
{
    return SDAYA(QString::fromLatin1(text), 4);
}

class ActiveMatrixTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        G().reset();
        // Three nutrients by two feeds.
        G().ABMNAMES = {QStringLiteral("HP"), QStringLiteral("CA"), QStringLiteral("P")};
        G().ABMUNITS = {QStringLiteral("%"), QString(), QStringLiteral("g/kg")};
        G().AYMNAMES = {QStringLiteral("ARPA"), QStringLiteral("MISIR")};
        G().AMATRIX = {{num("20"), num("9")}, {num("5"), num("1")}, {blankCell(), num("3")}};
        G().LMATCHANGED = false;
    }
    void TearDown() override { G().reset(); }

    std::unique_ptr<ActiveMatrixEditor> editor()
    {
        ActiveMatrixEditor::Hooks hooks;
        hooks.menuState = [this] { ++menuStates_; };
        return std::make_unique<ActiveMatrixEditor>(port_, hooks);
    }
    QString cell(ActiveMatrixEditor& e, int row, int col)
    {
        return e.server()->cellAt(row, col);
    }

    FakePort port_;
    int menuStates_ = 0;
};

TEST_F(ActiveMatrixTest, TheCopyCarriesALabelColumnAndOneFieldPerFeed)
{
    G().ABMUNITS = {QStringLiteral(" % "), QStringLiteral("  ")};  // the third nutrient has no unit entry
    auto e = editor();
    BARRAYSERVER& s = *e->server();
    ASSERT_EQ(s.FCount(), 3);
    EXPECT_EQ(s.fieldSpec(1).name, QStringLiteral("MATFNAMEUNIT"));
    EXPECT_EQ(s.fieldSpec(1).length, 20);
    EXPECT_EQ(s.fieldSpec(3).name, QStringLiteral("MATYMNAME2"));
    EXPECT_EQ(s.fieldSpec(3).length, 11);
    EXPECT_EQ(cell(*e, 1, 1), QStringLiteral("HP, %"));
    EXPECT_EQ(cell(*e, 2, 1), QStringLiteral("CA"));
    EXPECT_EQ(cell(*e, 3, 1), QStringLiteral("P"));
    EXPECT_EQ(cell(*e, 2, 2), num("5"));
    EXPECT_FALSE(G().LMATCHANGED);
}

TEST_F(ActiveMatrixTest, ClosingAfterAnEditReplacesTheMatrixWithoutTheLabels)
{
    auto e = editor();
    e->server()->GoTo(3);
    e->server()->FieldPut(2, num("7"));
    EXPECT_TRUE(G().LMATCHANGED);
    e->QUERYCLOSE();
    const Table want = {{num("20"), num("9")}, {num("5"), num("1")}, {num("7"), num("3")}};
    EXPECT_EQ(G().AMATRIX, want);
    EXPECT_EQ(menuStates_, 1);

    // No change: the matrix stays as it was and the menu is not touched.
    G().LMATCHANGED = false;
    G().AMATRIX[0][0] = num("21");
    auto quiet = editor();
    G().AMATRIX[0][0] = num("22");  // not through the matrix operations: the flag stays down
    quiet->QUERYCLOSE();
    EXPECT_EQ(G().AMATRIX[0][0], num("22"));
    EXPECT_EQ(menuStates_, 1);
}

TEST_F(ActiveMatrixTest, ACopyOfAnOlderMatrixIsNotWrittenBack)
{
    auto e = editor();
    e->server()->GoTo(1);
    e->server()->FieldPut(2, num("30"));
    DELMATCOL(1);  // a feed deleted elsewhere while the window is open
    const Table after = G().AMATRIX;
    e->QUERYCLOSE();
    EXPECT_EQ(G().AMATRIX, after);
    EXPECT_EQ(port_.boxTexts(BOX_WARNING), QStringList{kMatrixChangedMeanwhile});
    EXPECT_EQ(menuStates_, 0);

    // A window that changed nothing goes quietly.
    port_.boxes.clear();
    auto quiet = editor();
    ADDMATCOL(2);
    quiet->QUERYCLOSE();
    EXPECT_TRUE(port_.boxes.isEmpty());

    // A write-back without closing keeps the window on the matrix it wrote.
    auto open = editor();
    open->server()->GoTo(2);
    open->server()->FieldPut(2, num("6"));
    EXPECT_TRUE(open->WRITEBACK());
    open->server()->FieldPut(2, num("8"));
    open->QUERYCLOSE();
    EXPECT_EQ(G().AMATRIX[1][0], num("8"));
}

TEST_F(ActiveMatrixTest, BmBaglaRescalesTheLinkedNutrientsOfOneFeed)
{
    auto e = editor();
    port_.choices = {1};             // macro HP
    port_.values = {QStringLiteral("22")};
    port_.markings = {{1, 2}};      // CA and P of {CA, P}
    e->BMBAGLA(2);                   // the feed ARPA
    EXPECT_EQ(port_.log, (QStringList{QStringLiteral("chooseOne Makro Besin Maddesi Seçimi"),
                                      QStringLiteral("value Makro BM Yeni Değer Girişi"),
                                      QStringLiteral("chooseMany Bağlı Besin Maddeleri Seçimi")}));
    EXPECT_EQ(cell(*e, 1, 2), num("22"));
    EXPECT_EQ(cell(*e, 2, 2), QStringLiteral("     5.5000"));
    EXPECT_EQ(cell(*e, 3, 2), QStringLiteral("     0.0000"));  // an empty linked cell
    // The other feed is untouched.
    EXPECT_EQ(cell(*e, 1, 3), num("9"));
    EXPECT_EQ(cell(*e, 2, 3), num("1"));
    EXPECT_TRUE(G().LMATCHANGED);
    EXPECT_TRUE(port_.allAnswersUsed());
}

TEST_F(ActiveMatrixTest, BmBaglaStopsWithoutAChangeWhenAnyAnswerIsMissing)
{
    struct Case {
        const char* what;
        QList<int> choices;
        QStringList values;
        QList<QList<int>> markings;
        int boxes;
    };
    const Case cases[] = {
        {"no macro", {0}, {}, {}, 0},
        {"macro cell empty", {3}, {}, {}, 1},
        {"value cancelled", {1}, {QString()}, {}, 0},
        {"value unchanged", {1}, {QStringLiteral("20")}, {}, 0},
        {"value empty", {1}, {QStringLiteral("x")}, {}, 0},
        {"nothing linked", {1}, {QStringLiteral("22")}, {{}}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        port_ = FakePort();
        port_.choices = c.choices;
        port_.values = c.values;
        port_.markings = c.markings;
        G().LMATCHANGED = false;
        auto e = editor();
        e->BMBAGLA(2);
        EXPECT_FALSE(G().LMATCHANGED);
        EXPECT_EQ(port_.boxes.size(), c.boxes);
        if (c.boxes) {
            EXPECT_EQ(port_.boxTexts(BOX_WARNING), QStringList{kEmptyMacro});
        }
        EXPECT_TRUE(port_.allAnswersUsed());
    }
}

TEST_F(ActiveMatrixTest, BmBaglaTreatsAMacroValueOfZeroAsEmpty)
{
    G().AMATRIX[0][0] = num("0");
    auto e = editor();
    port_.choices = {1};
    e->BMBAGLA(2);
    EXPECT_EQ(port_.boxTexts(BOX_WARNING), QStringList{kEmptyMacro});
    EXPECT_EQ(cell(*e, 2, 2), num("5"));
    EXPECT_FALSE(G().LMATCHANGED);
}

TEST_F(ActiveMatrixTest, BmBaglaRescalesTheRowsMarkedNotTheFirstOfTheirName)
{
    // Two rows named alike and a name that begins another: each marked
    // position stands for its own row.
    G().ABMNAMES = {QStringLiteral("CAL"), QStringLiteral("M"), QStringLiteral("CA"), QStringLiteral("CA")};
    G().ABMUNITS.clear();
    G().AMATRIX = {{num("1"), num("1")}, {num("10"), num("1")}, {num("2"), num("1")}, {num("4"), num("1")}};
    auto e = editor();
    port_.choices = {2};          // macro M
    port_.values = {QStringLiteral("30")};
    port_.markings = {{3}};       // the second CA of {CAL, CA, CA}
    e->BMBAGLA(2);
    EXPECT_EQ(cell(*e, 1, 2), num("1"));
    EXPECT_EQ(cell(*e, 3, 2), num("2"));
    EXPECT_EQ(cell(*e, 4, 2), QStringLiteral("    12.0000"));
}

TEST_F(ActiveMatrixTest, BmBaglaNeedsAFeedColumn)
{
    auto e = editor();
    e->BMBAGLA(1);  // the label column
    e->BMBAGLA(0);  // no focus
    EXPECT_TRUE(port_.log.isEmpty());
}

}  // namespace
}  // namespace zeva
