#pragma once
// A whole requirement estimate, as the two menu commands run it: the animal
// type, the animal's data, the models, then the requirement rows for the daily
// ration (destination 1) or the requirement report "ZVXSBIH.TXT" in the data
// folder's "Data", which becomes the current report (any other destination).
//
// The four dialogs are asked through RequirementDialogs: the windows give the
// Qt dialogs, tests a scripted fake. Messages go through the UserPort.

#include "core/activeproblem.h"
#include "core/userport.h"
#include "requirements/nutreqestimate.h"

#include <QString>

namespace zeva {

// What the animal-type dialog hands back. NSTIPI 0: cancelled.
struct AnimalTypeAnswer {
    int NSTIPI = 0;  // 1 growing young cattle, 2 pregnant or lactating cow, 3 mature bull
    int NRTIPI = 1;  // 1 summary, 2 detailed
};

// The input dialogs' fields; they count only when `result` is 1 (OK).
struct YoungCattleAnswer {
    int result = 0;
    double NENECONS = 0;
    double NCANAGIR = 0;
    double NBEKCAAR = 0;
    int NCESTYPE = 0;
};

struct CowAnswer {
    int result = 0;
    double NENECONS = 0;
    double NCANAGIR = 0;
    double NSUTVERI = 0;
    double NSYAGTES = 0;
    int NGEBEGUN = 0;
    int NGEBESAY = 0;
    int NYEMTUKE = 0;
    double NENGKARO = 0;
    double NISTAGKA = 0;
};

struct BullAnswer {
    int result = 0;
    double NENECONS = 0;
    double NCANAGIR = 0;
};

class RequirementDialogs {
public:
    virtual ~RequirementDialogs() = default;
    // STIPISECW: the report-kind buttons are only offered for the report.
    virtual AnimalTypeAnswer askAnimalType(int destination) = 0;
    virtual YoungCattleAnswer askYoungCattle() = 0;  // GROWCATLEDW
    virtual CowAnswer askCow() = 0;                  // LACTCATLEDW
    virtual BullAnswer askBull() = 0;                // MATBULDW
};

inline const QString kRequirementReportName = QStringLiteral("ZVXSBIH.TXT");
// The requirement report's own failure text (two carriage returns, no line feed).
inline const QString kRequirementReportFailed =
    QStringLiteral("Rapor dosyası oluşturmada hata!\r\rSonra tekrar deneyiniz..");

// "ZVXSBIH.TXT" in the "Data" folder of the data directory, under the spelling
// the folder and file already have on disk. Empty without a data directory.
QString requirementReportPath(const ActiveProblem& p = G());

// Runs the estimate into `e` (a fresh estimator; its clock may be set). A
// cancelled dialog or an essential input missing ends it silently with LDDEG
// false. Destination 1 leaves the rows in ABMREQM with LDDEG true and writes
// nothing. Otherwise the report is written whole through a temporary file and
// a rename; on success CREPORTFILE names it, on failure the error box tells so
// and CREPORTFILE and the old report stay. Answers TRUE when rows were made or
// the report was written.
bool runRequirementEstimate(NUTREQESTIMATE& e, RequirementDialogs& dialogs, UserPort& port, int destination,
                            ActiveProblem& p = G());

}  // namespace zeva
