// MI_ENADISABLE: the main menu's problem items from the problem state.
#include "shell/menustate.h"

#include <QSet>

#include <gtest/gtest.h>

namespace zeva {
namespace {

// Stands for an open problem file: only whether OPROBSERVER is set counts here,
// and the server itself is never reached.
std::shared_ptr<ProblemServer> openFileMarker()
{
    static char marker;
    return std::shared_ptr<ProblemServer>(reinterpret_cast<ProblemServer*>(&marker), [](ProblemServer*) {});
}

const QList<int> kProblemItems = {3530, 3532, 3533, 3537, 3538, 3539, 3540, 3543,
                                  3545, 3546, 3548, 3550, 3552, 3564};

ActiveProblem problem(bool open, const QString& type, int feeds, int nutrients, int rows, int cells)
{
    ActiveProblem p;
    if (open)
        p.OPROBSERVER = openFileMarker();
    if (!type.isNull())
        p.APARAMS = QStringList{type, QStringLiteral("1000.00"), QStringLiteral("TL"), QStringLiteral("Kg")};
    for (int i = 0; i < feeds; ++i)
        p.AYMNAMES << QStringLiteral("YEM%1").arg(i);
    for (int i = 0; i < nutrients; ++i)
        p.ABMNAMES << QStringLiteral("BM%1").arg(i);
    for (int r = 0; r < rows; ++r)
        p.AMATRIX << QStringList(cells, QString(11, QLatin1Char(' ')));
    return p;
}

QSet<int> ids(std::initializer_list<int> list) { return QSet<int>(list); }

TEST(MenuState, EnaDisableTable)
{
    struct Case {
        const char* what;
        ActiveProblem p;
        QSet<int> enabled;  // every other item of kProblemItems is greyed, but
        QSet<int> untouched;
    };
    const QSet<int> openItems = ids({3530, 3532, 3533, 3537, 3538});
    const Case cases[] = {
        {"no file open", problem(false, QString(), 2, 2, 2, 2), {}, {}},
        {"1 feed, 3 nutrients, rows of 1 cell", problem(true, QStringLiteral("K"), 1, 3, 3, 1),
         openItems + ids({3543, 3545, 3546}), ids({3548, 3564})},
        {"2 by 2 compound feed", problem(true, QStringLiteral("K"), 2, 2, 2, 2),
         openItems + ids({3539, 3540, 3545, 3546, 3550, 3552}), ids({3548, 3564})},
        {"2 by 2 daily ration", problem(true, QStringLiteral("G"), 2, 2, 2, 2),
         openItems + ids({3539, 3540, 3545, 3546, 3548, 3550, 3552}), ids({3564})},
        {"type compared exactly", problem(true, QStringLiteral("g"), 2, 2, 2, 2),
         openItems + ids({3539, 3540, 3545, 3546, 3550, 3552}), ids({3548, 3564})},
        {"new file, no header yet", problem(true, QString(), 0, 0, 0, 0), openItems + ids({3543}),
         ids({3548, 3564})},
        {"nutrients only, rows without cells", problem(true, QStringLiteral("G"), 0, 3, 3, 0),
         openItems + ids({3543, 3545, 3548}), ids({3564})},
        {"one nutrient row of 5 feeds", problem(true, QStringLiteral("K"), 5, 1, 1, 5),
         openItems + ids({3543, 3545, 3546}), ids({3548, 3564})},
        {"3 by 3 names with an empty matrix", problem(true, QStringLiteral("K"), 3, 3, 0, 0),
         openItems + ids({3539, 3540, 3543, 3545, 3546}), ids({3548, 3564})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const MenuStateChange s = computeMenuState(c.p);
        for (int id : kProblemItems) {
            const int want = c.untouched.contains(id) ? -1 : c.enabled.contains(id) ? 1 : 0;
            EXPECT_EQ(s.enabledState(id), want) << "item " << id;
        }
        // Nothing outside the problem items is touched, nothing is ticked.
        for (const auto& [id, on] : s.enable)
            EXPECT_TRUE(kProblemItems.contains(id)) << id;
        EXPECT_TRUE(s.check.isEmpty());
        EXPECT_EQ(s.emptiesProblem, !c.p.isOpen());
        EXPECT_EQ(s.caption, c.p.isOpen() ? QString() : kProgramTitle);
    }
}

TEST(MenuState, NoFileOpenEmptiesTheProblem)
{
    ActiveProblem p = problem(false, QStringLiteral("K"), 2, 2, 2, 2);
    p.AYMTABLE = {QStringList{QStringLiteral("MISIR")}};
    p.ABMTABLE = {QStringList{QStringLiteral("HP")}};
    p.ABMOTABLE = {QStringList{QStringLiteral("CA"), QStringLiteral("P")}};
    p.ABMUNITS = {QStringLiteral("%")};
    p.AKMMDATA = {{QStringLiteral("HP"), QStringLiteral("    18.0000")}};
    p.LYMCHANGED = p.LBMCHANGED = p.LBMOCHANGED = p.LMATCHANGED = p.LPARAMCHANGED = true;
    p.CREPORTFILE = QStringLiteral("/data/X.TXT");
    p.CDATAPATH = QStringLiteral("/data");

    const MenuStateChange s = MI_ENADISABLE(p);
    EXPECT_TRUE(s.emptiesProblem);
    EXPECT_EQ(s.caption, QStringLiteral("ZEVA 2.0 - ZAZ Karma Yem & Rasyon Formülü Hazırlama Programı"));
    EXPECT_TRUE(p.AYMTABLE.isEmpty() && p.ABMTABLE.isEmpty() && p.ABMOTABLE.isEmpty() && p.AMATRIX.isEmpty());
    EXPECT_TRUE(p.AYMNAMES.isEmpty() && p.ABMNAMES.isEmpty() && p.ABMUNITS.isEmpty());
    EXPECT_TRUE(p.APARAMS.isEmpty());
    EXPECT_TRUE(p.AKMMDATA.isEmpty());
    EXPECT_FALSE(p.anyChanged());
    EXPECT_EQ(p.CREPORTFILE, QStringLiteral("/data/X.TXT"));
    EXPECT_EQ(p.CDATAPATH, QStringLiteral("/data"));

    // With a file open nothing of the problem changes.
    ActiveProblem open = problem(true, QStringLiteral("K"), 2, 2, 2, 2);
    open.LYMCHANGED = true;
    open.AKMMDATA = {{QStringLiteral("HP"), QStringLiteral("1")}};
    MI_ENADISABLE(open);
    EXPECT_EQ(open.AYMNAMES.size(), 2);
    EXPECT_TRUE(open.LYMCHANGED);
    EXPECT_EQ(open.AKMMDATA.size(), 1);
}

TEST(MenuState, ChangesCombineInOrder)
{
    MenuStateChange a;
    a.enable = {{3530, true}};
    MenuStateChange b;
    b.enable = {{3530, false}};
    b.check = {{3582, true}};
    a += b;
    EXPECT_EQ(a.enabledState(3530), 0);
    EXPECT_EQ(a.checkedState(3582), 1);
    EXPECT_TRUE(a.caption.isNull());
}

}  // namespace
}  // namespace zeva
