// The reference-table selection of the main menu: three states kept in the
// ticks of 3567 and 3569, with the items of "Matris &İşlemleri" following.
#include "core/activeproblem.h"
#include "platform/settingsstore.h"
#include "shell/menustate.h"
#include "shell/ui/shellmenu.h"
#include "shell/ui/standardshellwindow.h"
#include "support/fakeport.h"
#include "support/programenv.h"
#include "support/tempdir.h"

#include <QAction>

#include <gtest/gtest.h>

#include <memory>

namespace zeva {
namespace {

const QList<int> kMatrixItems{3572, 3573, 3575};

// 0 none, 1 as fed, 2 dry matter; checks the three items go with it.
int selection(const ShellMenu& menu)
{
    const bool hk = menu.ISCHECKED(3567);
    const bool kme = menu.ISCHECKED(3569);
    EXPECT_FALSE(hk && kme);
    for (int id : kMatrixItems)
        EXPECT_EQ(menu.isEnabled(id), hk || kme) << id;
    return hk ? 1 : kme ? 2 : 0;
}

TEST(ReferenceSelection, ChangesFromEachState)
{
    // {chosen, hk before, kme before} -> ticks after and the items enabled.
    const struct {
        int chosen;
        bool hk, kme;
        int hkAfter, kmeAfter;  // -1 untouched
        bool enabled;
    } cases[] = {
        {3567, false, false, 1, -1, true},  {3567, false, true, 1, 0, true}, {3567, true, false, 0, -1, false},
        {3569, false, false, -1, 1, true},  {3569, true, false, 0, 1, true}, {3569, false, true, -1, 0, false},
    };
    for (const auto& c : cases) {
        const MenuStateChange s = referenceSelection(c.chosen, c.hk, c.kme);
        EXPECT_EQ(s.checkedState(3567), c.hkAfter) << c.chosen << c.hk << c.kme;
        EXPECT_EQ(s.checkedState(3569), c.kmeAfter) << c.chosen << c.hk << c.kme;
        for (int id : kMatrixItems)
            EXPECT_EQ(s.enabledState(id), c.enabled ? 1 : 0);
    }
}

TEST(ReferenceSelection, FromTheMainMenu)
{
    test::TempDir tmp;
    test::ProgramEnvironment env(tmp.path());
    {
        test::FakePort port;
        STANDARDSHELLWINDOW w(nullptr, &port);
        ShellMenu* menu = w.mainMenu();
        EXPECT_EQ(selection(*menu), 0);
        menu->action(3567)->trigger();
        EXPECT_EQ(selection(*menu), 1);
        menu->action(3569)->trigger();  // the tick moves
        EXPECT_EQ(selection(*menu), 2);
        menu->action(3567)->trigger();
        EXPECT_EQ(selection(*menu), 1);
        menu->action(3567)->trigger();  // the ticked one again: none
        EXPECT_EQ(selection(*menu), 0);
        menu->action(3569)->trigger();
        EXPECT_EQ(selection(*menu), 2);

        // The problem's menu state leaves the selection alone.
        w.MI_ENADISABLE();
        EXPECT_EQ(selection(*menu), 2);

        // A rebuilt main menu starts with none.
        ShellMenu* rebuilt = w.newMainMenu();
        EXPECT_EQ(selection(*rebuilt), 0);
        rebuilt->action(3569)->trigger();
        EXPECT_EQ(selection(*rebuilt), 2);
        EXPECT_TRUE(port.log.isEmpty());
    }
}

}  // namespace
}  // namespace zeva
