#include "requirements/estimationrun.h"

#include "core/messages.h"
#include "platform/atomicfile.h"
#include "platform/dbf.h"

#include <QDir>

namespace zeva {

QString requirementReportPath(const ActiveProblem& p)
{
    if (p.CDATAPATH.isEmpty())
        return QString();
    return pathForWriting(QDir(p.CDATAPATH).filePath(QStringLiteral("Data/") + kRequirementReportName));
}

bool runRequirementEstimate(NUTREQESTIMATE& e, RequirementDialogs& dialogs, UserPort& port, int destination,
                            ActiveProblem& p)
{
    e.LDDEG = false;
    const AnimalTypeAnswer type = dialogs.askAnimalType(destination);
    if (type.NSTIPI == 0)
        return false;
    e.NSTIPI = type.NSTIPI;
    e.NRTIPI = static_cast<std::uint16_t>(type.NRTIPI == 2 ? 2 : 1);

    switch (e.NSTIPI) {
    case NUTREQESTIMATE::kYoung: {
        const YoungCattleAnswer a = dialogs.askYoungCattle();
        if (a.result != 1)
            return false;
        e.NCANAGIR = static_cast<float>(a.NCANAGIR);
        e.NENECONS = a.NENECONS;
        e.NBEKCAAR = static_cast<float>(a.NBEKCAAR);
        e.NCESTYPE = a.NCESTYPE;
        break;
    }
    case NUTREQESTIMATE::kCow: {
        const CowAnswer a = dialogs.askCow();
        if (a.result != 1)
            return false;
        e.NCANAGIR = static_cast<float>(a.NCANAGIR);
        e.NENECONS = a.NENECONS;
        e.NSUTVERI = static_cast<float>(a.NSUTVERI);
        e.NSYAGTES = a.NSYAGTES;
        e.NGEBEGUN = a.NGEBEGUN;
        e.NGEBESAY = a.NGEBESAY;
        e.NYEMTUKE = a.NYEMTUKE;
        e.NENGKARO = static_cast<float>(a.NENGKARO);
        e.NISTAGKA = a.NISTAGKA;
        break;
    }
    case NUTREQESTIMATE::kBull: {
        const BullAnswer a = dialogs.askBull();
        if (a.result != 1)
            return false;
        e.NCANAGIR = static_cast<float>(a.NCANAGIR);
        e.NENECONS = a.NENECONS;
        break;
    }
    default:
        return false;
    }

    // The zero tests, the share of the intake states, the models and the rows
    // or the report text.
    if (!e.compute(destination == NUTREQESTIMATE::kRows ? NUTREQESTIMATE::kRows : NUTREQESTIMATE::kReport))
        return false;
    if (destination == NUTREQESTIMATE::kRows)
        return true;

    const QString path = requirementReportPath(p);
    if (path.isEmpty() || !writeFileAtomically(path, e.reportBytes())) {
        ERRMESS(port, kRequirementReportFailed);
        return false;
    }
    p.CREPORTFILE = path;
    return true;
}

}  // namespace zeva
