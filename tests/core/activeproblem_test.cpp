#include "core/activeproblem.h"
#include "core/numeric.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zeva;

namespace {

Table matrix(int rows, int cells)
{
    Table m;
    for (int r = 0; r < rows; ++r) {
        Row row;
        for (int c = 0; c < cells; ++c)
            row << QStringLiteral("%1").arg(r * 10 + c, 11);
        m << row;
    }
    return m;
}

QStringList names(int n, const char* prefix)
{
    QStringList l;
    for (int i = 1; i <= n; ++i)
        l << QStringLiteral("%1%2").arg(QLatin1String(prefix)).arg(i);
    return l;
}

}  // namespace

class ActiveProblemTest : public ::testing::Test {
protected:
    void SetUp() override { G().reset(); }
    void TearDown() override { G().reset(); }
};

TEST_F(ActiveProblemTest, MatrixOperations)
{
    struct Case {
        const char* what;
        int rows, cells, nutrients, feeds;
        std::function<void()> op;
        QList<int> shape;      // rows, then cells of each row
        bool flag;
    };
    const Case cases[] = {
        {"DELMATROW past the end", 2, 3, 2, 3, [] { DELMATROW(3); }, {2, 3, 3}, false},
        {"DELMATROW on empty", 0, 0, 0, 0, [] { DELMATROW(1); }, {0}, false},
        {"DELMATROW middle", 3, 2, 3, 2, [] { DELMATROW(2); }, {2, 2, 2}, true},
        {"DELMATCOL last cell", 2, 1, 2, 1, [] { DELMATCOL(1); }, {2, 0, 0}, true},
        {"DELMATCOL past the end", 2, 2, 2, 2, [] { DELMATCOL(3); }, {2, 2, 2}, false},
        {"ADDMATCOL empty, 3 nutrients", 0, 0, 3, 0, [] { ADDMATCOL(1); }, {3, 1, 1, 1}, true},
        {"ADDMATCOL empty, no nutrient", 0, 0, 0, 0, [] { ADDMATCOL(1); }, {1, 1}, true},
        {"ADDMATCOL far beyond", 2, 2, 2, 2, [] { ADDMATCOL(5); }, {2, 3, 3}, true},
        {"ADDMATCOL inside", 2, 2, 2, 2, [] { ADDMATCOL(2); }, {2, 2, 2}, true},
        {"ADDMATROW empty, 4 feeds", 0, 0, 0, 4, [] { ADDMATROW(1); }, {1, 4}, true},
        {"ADDMATROW empty, no feed", 0, 0, 0, 0, [] { ADDMATROW(1); }, {1, 0}, true},
        {"ADDMATROW far beyond", 2, 5, 2, 5, [] { ADDMATROW(4); }, {3, 5, 5, 5}, true},
        {"ADDMATROW inside", 2, 5, 2, 5, [] { ADDMATROW(2); }, {2, 5, 5}, true},
    };
    for (const Case& c : cases) {
        G().reset();
        G().AMATRIX = matrix(c.rows, c.cells);
        G().ABMNAMES = names(c.nutrients, "BM");
        G().AYMNAMES = names(c.feeds, "YM");
        c.op();
        QList<int> shape{static_cast<int>(G().AMATRIX.size())};
        for (const Row& r : G().AMATRIX)
            shape << static_cast<int>(r.size());
        EXPECT_EQ(shape, c.shape) << c.what;
        EXPECT_EQ(G().LMATCHANGED, c.flag) << c.what;
    }
}

TEST_F(ActiveProblemTest, RemovalsKeepTheRightCellsAndAddsAreBlank)
{
    G().AMATRIX = matrix(3, 3);
    DELMATROW(2);
    DELMATCOL(1);
    ASSERT_EQ(G().AMATRIX.size(), 2);
    EXPECT_EQ(G().AMATRIX[0], (Row{QStringLiteral("%1").arg(1, 11), QStringLiteral("%1").arg(2, 11)}));
    EXPECT_EQ(G().AMATRIX[1], (Row{QStringLiteral("%1").arg(21, 11), QStringLiteral("%1").arg(22, 11)}));
    ADDMATCOL(3);
    ADDMATROW(3);
    EXPECT_EQ(G().AMATRIX[0][2], blankCell());
    EXPECT_EQ(G().AMATRIX[2], (Row{blankCell(), blankCell(), blankCell()}));
}

TEST_F(ActiveProblemTest, AkillReturnsACopy)
{
    const QStringList a{"a", "b", "c"};
    EXPECT_EQ(AKILL(a, 1), (QStringList{"b", "c"}));
    EXPECT_EQ(AKILL(a, 3), (QStringList{"a", "b"}));
    EXPECT_EQ(a.size(), 3);
}

TEST_F(ActiveProblemTest, ResetEmptiesTheProblemButKeepsReportAndUser)
{
    ActiveProblem& p = G();
    p.AYMTABLE = {{"MISIR", "", "", "", ""}};
    p.ABMTABLE = {{"HP", "%", "", "", ""}};
    p.ABMOTABLE = {{"CA", "P", "", "", ""}};
    p.AMATRIX = matrix(1, 1);
    p.rebuildFeedNames();
    p.rebuildNutrientNames();
    p.APARAMS = {"K", "1000.00", "TL", "Kg"};
    p.AKMMDATA = {{"HP", "    18.0000"}};
    p.LPARAMCHANGED = p.LYMCHANGED = p.LBMCHANGED = p.LBMOCHANGED = p.LMATCHANGED = true;
    p.CREPORTFILE = "/tmp/x.TXT";
    p.CUSERID = "ADMIN";
    p.reset();
    EXPECT_TRUE(p.AYMTABLE.isEmpty() && p.ABMTABLE.isEmpty() && p.ABMOTABLE.isEmpty() && p.AMATRIX.isEmpty());
    EXPECT_TRUE(p.AYMNAMES.isEmpty() && p.ABMNAMES.isEmpty() && p.ABMUNITS.isEmpty());
    EXPECT_TRUE(p.APARAMS.isEmpty() && p.AKMMDATA.isEmpty());
    EXPECT_FALSE(p.isOpen());
    EXPECT_FALSE(p.anyChanged());
    EXPECT_EQ(p.CREPORTFILE, "/tmp/x.TXT");
    EXPECT_EQ(p.CUSERID, "ADMIN");
}

TEST_F(ActiveProblemTest, DerivedListsAreTrimmed)
{
    G().AYMTABLE = {{"  ARPA      ", "", "", "", ""}};
    G().ABMTABLE = {{"HP             ", "          %", "", "", ""}};
    G().rebuildFeedNames();
    G().rebuildNutrientNames();
    EXPECT_EQ(G().AYMNAMES, QStringList{"ARPA"});
    EXPECT_EQ(G().ABMNAMES, QStringList{"HP"});
    EXPECT_EQ(G().ABMUNITS, QStringList{"%"});
}
