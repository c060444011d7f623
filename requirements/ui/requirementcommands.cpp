#include "requirements/ui/requirementcommands.h"

#include "requirements/ui/requirementdialogs.h"
#include "shell/ui/standardshellwindow.h"

namespace zeva {

QtRequirementDialogs::QtRequirementDialogs(QWidget* owner, UserPort& port, DialogRunner runner)
    : owner_(owner), port_(port), runner_(std::move(runner))
{
}

AnimalTypeAnswer QtRequirementDialogs::askAnimalType(int destination)
{
    STIPISECW dialog(owner_, destination);
    runModal(dialog, runner_);
    return {dialog.NSTIPI, dialog.NRTIPI};
}

YoungCattleAnswer QtRequirementDialogs::askYoungCattle()
{
    GROWCATLEDW dialog(owner_);
    YoungCattleAnswer a;
    a.result = runModal(dialog, runner_);
    if (a.result == 1) {
        a.NENECONS = dialog.NENECONS;
        a.NCANAGIR = dialog.NCANAGIR;
        a.NBEKCAAR = dialog.NBEKCAAR;
        a.NCESTYPE = dialog.NCESTYPE;
    }
    return a;
}

CowAnswer QtRequirementDialogs::askCow()
{
    LACTCATLEDW dialog(owner_, port_);
    CowAnswer a;
    a.result = runModal(dialog, runner_);
    if (a.result == 1) {
        a.NENECONS = dialog.NENECONS;
        a.NCANAGIR = dialog.NCANAGIR;
        a.NSUTVERI = dialog.NSUTVERI;
        a.NSYAGTES = dialog.NSYAGTES;
        a.NGEBEGUN = dialog.NGEBEGUN;
        a.NGEBESAY = dialog.NGEBESAY;
        a.NYEMTUKE = dialog.NYEMTUKE;
        a.NENGKARO = dialog.NENGKARO;
        a.NISTAGKA = dialog.NISTAGKA;
    }
    return a;
}

BullAnswer QtRequirementDialogs::askBull()
{
    MATBULDW dialog(owner_);
    BullAnswer a;
    a.result = runModal(dialog, runner_);
    if (a.result == 1) {
        a.NENECONS = dialog.NENECONS;
        a.NCANAGIR = dialog.NCANAGIR;
    }
    return a;
}

RequirementEstimate estimateRequirements(STANDARDSHELLWINDOW& w, int destination)
{
    QtRequirementDialogs dialogs(&w, w.port(), w.dialogRunner());
    NUTREQESTIMATE e;
    runRequirementEstimate(e, dialogs, w.port(), destination);
    return {e.LDDEG, e.ABMREQM};
}

void installRequirementCommands(STANDARDSHELLWINDOW& w)
{
    w.setRequirementEstimator([&w](int destination) { return estimateRequirements(w, destination); });
}

}  // namespace zeva
