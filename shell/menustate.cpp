#include "shell/menustate.h"

#include "platform/runtime.h"

namespace zeva {

int MenuStateChange::enabledState(int id) const
{
    int state = -1;
    for (const auto& [itemId, on] : enable)
        if (itemId == id)
            state = on ? 1 : 0;
    return state;
}

int MenuStateChange::checkedState(int id) const
{
    int state = -1;
    for (const auto& [itemId, on] : check)
        if (itemId == id)
            state = on ? 1 : 0;
    return state;
}

MenuStateChange& MenuStateChange::operator+=(const MenuStateChange& other)
{
    enable += other.enable;
    check += other.check;
    emptiesProblem = emptiesProblem || other.emptiesProblem;
    if (!other.caption.isNull())
        caption = other.caption;
    return *this;
}

MenuStateChange computeMenuState(const ActiveProblem& p)
{
    MenuStateChange s;
    auto set = [&s](std::initializer_list<int> ids, bool on) {
        for (int id : ids)
            s.enable.append({id, on});
    };

    if (!p.isOpen()) {
        // close, save, save as, add formula, solve, matrix report, requirement
        // entry, the three reference-matrix builders, the four entry windows
        set({3530, 3532, 3533, 3564, 3550, 3552, 3548, 3546, 3545, 3543, 3540, 3539, 3538, 3537}, false);
        s.caption = kProgramTitle;
        s.emptiesProblem = true;
        return s;
    }

    const qsizetype rows = p.AMATRIX.size();
    const qsizetype cells = rows > 0 ? p.AMATRIX.first().size() : 0;
    const bool fullMatrix = rows >= 2 && cells >= 2;

    set({3530, 3532, 3533, 3538, 3537}, true);
    set({3539, 3540, 3550, 3552, 3543, 3545, 3546}, false);
    if (!p.APARAMS.isEmpty() && ExactEqual(p.APARAMS.first(), QStringLiteral("G")))
        set({3548}, true);
    if (!fullMatrix)
        set({3543}, true);
    if (p.AYMNAMES.size() >= 1)
        set({3546}, true);
    if (p.ABMNAMES.size() >= 1)
        set({3545}, true);
    if (p.AYMNAMES.size() >= 2 && p.ABMNAMES.size() >= 2)
        set({3539, 3540}, true);
    if (fullMatrix)
        set({3550, 3552}, true);
    return s;
}

MenuStateChange MI_ENADISABLE(ActiveProblem& problem)
{
    MenuStateChange s = computeMenuState(problem);
    if (s.emptiesProblem) {
        // Fresh empty arrays, header and last formula gone, flags lowered.
        problem.reset();
    }
    return s;
}

MenuStateChange referenceSelection(int chosen, bool hkTicked, bool kmeTicked)
{
    MenuStateChange s;
    const int other = chosen == ITEM_RMSEC_HK ? ITEM_RMSEC_KME : ITEM_RMSEC_HK;
    const bool chosenTicked = chosen == ITEM_RMSEC_HK ? hkTicked : kmeTicked;
    const bool otherTicked = chosen == ITEM_RMSEC_HK ? kmeTicked : hkTicked;
    const bool select = !chosenTicked;
    s.check.append({chosen, select});
    for (int id : {3572, 3573, 3575})
        s.enable.append({id, select});
    if (select && otherTicked)
        s.check.append({other, false});
    return s;
}

}  // namespace zeva
