#pragma once
// The state of the main menu's items as a plain value: which ids to enable or
// grey, which to tick, in the order they are applied, and what else goes with
// it. The window applies it to its actions (shell/ui/menuactions.h); the
// engine computes it without any widget.

#include "core/activeproblem.h"

#include <QList>
#include <QPair>
#include <QString>

namespace zeva {

// The main window's caption while no problem file is open.
inline const QString kProgramTitle =
    QStringLiteral("ZEVA 2.0 - ZAZ Karma Yem & Rasyon Formülü Hazırlama Programı");

struct MenuStateChange {
    QList<QPair<int, bool>> enable;  // id, enabled (false: greyed); later entries win
    QList<QPair<int, bool>> check;   // id, ticked
    bool emptiesProblem = false;     // the active problem was emptied (no file open)
    QString caption;                 // new caption of the main window; null: unchanged

    // What this change leaves id at: 1 enabled, 0 greyed, -1 untouched.
    int enabledState(int id) const;
    // 1 ticked, 0 unticked, -1 untouched.
    int checkedState(int id) const;
    // Appends the entries of `other` after these.
    MenuStateChange& operator+=(const MenuStateChange& other);
};

// The menu state that the active problem calls for (MI_ENADISABLE without its
// side effects). With a file open: the problem items by the sizes of the
// problem; 3548 is only ever enabled here (for a daily ration), and 3564 is
// never touched. With no file open: the fourteen problem items greyed, the
// program title as caption, and `emptiesProblem` set.
MenuStateChange computeMenuState(const ActiveProblem& problem);

// MI_ENADISABLE: the state above; with no problem file open the active problem
// is emptied as well (tables, lists, matrix, header, last formula, flags).
// The caller applies the answer to the main menu and caption.
MenuStateChange MI_ENADISABLE(ActiveProblem& problem);

// The reference-table selection of "Referans &Matrisler" -> "Bir Matris &Seç":
// none, as fed (3567 ticked) or dry matter (3569 ticked), kept only in the
// ticks. While one is selected the items of "Matris &İşlemleri" (3572, 3573,
// 3575) are enabled. A new main menu starts with none.
enum ReferenceSelectionItem : int {
    ITEM_RMSEC_HK = 3567,   // "&Havada Kuru"
    ITEM_RMSEC_KME = 3569,  // "&Kuru Madde Esaslı"
};

// RMSEC_HK (`chosen` 3567) and RMSEC_KME (3569): choosing the ticked item
// selects none; choosing the other selects it. `hkTicked` and `kmeTicked` are
// the ticks before the choice.
MenuStateChange referenceSelection(int chosen, bool hkTicked, bool kmeTicked);

}  // namespace zeva
