#pragma once
// The requirement estimate in the program: the Qt dialogs behind
// RequirementDialogs, and the estimator of the main window's commands
// "Süt Sığırı BM İhtiyaçları &Girişi" (NRESTOFDC1, Ctrl+G: rows into the daily
// ration) and "&Süt Sığırı BM İhtiyaçları Raporu" (NRESTOFDC2: the report).
//
// The start-up calls installRequirementCommands once, after the main window
// is built. The dialogs are owned by the main window, run through its dialog
// runner, and tell their messages through its port.

#include "requirements/estimationrun.h"
#include "shell/shellcommands.h"
#include "shell/ui/dialogsupport.h"

class QWidget;

namespace zeva {

class STANDARDSHELLWINDOW;

class QtRequirementDialogs : public RequirementDialogs {
public:
    // `runner` empty: each dialog's own modal loop.
    QtRequirementDialogs(QWidget* owner, UserPort& port, DialogRunner runner = {});

    AnimalTypeAnswer askAnimalType(int destination) override;
    YoungCattleAnswer askYoungCattle() override;
    CowAnswer askCow() override;
    BullAnswer askBull() override;

private:
    QWidget* owner_;
    UserPort& port_;
    DialogRunner runner_;
};

// One estimate for the destination, its dialogs owned by `w`.
RequirementEstimate estimateRequirements(STANDARDSHELLWINDOW& w, int destination);

void installRequirementCommands(STANDARDSHELLWINDOW& w);

}  // namespace zeva
