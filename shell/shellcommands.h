#pragma once
// The main window's commands that run the solve, hand estimated cattle
// requirements to the nutrient table, and show the help. They talk to the
// user only through the UserPort, so they run without a display.

#include "core/activeproblem.h"
#include "core/optimizer.h"
#include "core/userport.h"
#include "platform/helpdisplay.h"

#include <functional>

namespace zeva {

// ---------------------------------------------------------------- solve

// Before anything else, for a problem of type "K" or "G", COZUM names the
// ratios the solve cannot use in one warning box (warnUnusedRatios).
//
// COZUM: the please-wait box, then the optimiser of the problem's type (its
// constructor solves, asks the report parameters and writes the report). After
// a compound-feed solve whose report says "Optimum Çözüm Bulundu." the
// formula's nutrient values go into AKMMDATA and the answer is TRUE. A
// compound-feed report that found no optimum empties AKMMDATA. A daily ration,
// a cancelled parameter dialog, a refused solve and a problem of any other
// type leave AKMMDATA as it was. The caller offers 3564 "&KM Esaslı Matrise
// Ekle" exactly while AKMMDATA holds a formula. The please-wait box is always
// down afterwards.
bool COZUM(UserPort& port, const OptimizerOptions& options = {});

// ---------------------------------------------------------------- requirements

// What the cattle requirement estimator (NUTREQESTIMATE) hands back: LDDEG
// TRUE when it produced the rows of ABMREQM, each laid out as a row of the
// nutrient table (code, unit, fixed, lower and upper limit).
struct RequirementEstimate {
    bool LDDEG = false;
    Table ABMREQM;
};

// Runs the estimator for a destination (1: rows for the nutrient table, 2: the
// requirement report) with its dialogs owned by the main window.
using RequirementEstimator = std::function<RequirementEstimate(int destination)>;

// Texts of the hand-over's questions.
inline const QString kReplaceQuestion = QStringLiteral(
    "Yeni sığır Besin Maddesi (BM) ihtiyaç tahmin hesapları yürüttünüz...\n"
    "Mevcut ihtiyaçlarla ikame edilsin mi?\n\n"
    "NOT: Sadece aynı tip hayvan ve standart BM isimleri için geçerlidir.");
inline const QString kDiscardFeedsQuestion =
    QStringLiteral("Mevcut yem maddeleri ve matris silinecek!\n\nDevam edilsin mi?");

// Puts requirement rows into the problem.
// Replace mode (at least two nutrients): when any nutrient has a limit the
// user is asked first; each row replaces the nutrient whose trimmed name
// equals its trimmed code exactly (letter case counts), rows without one are
// dropped, and the name and unit lists are rebuilt from the table.
// New mode (fewer than two nutrients): the rows become the nutrient table, the
// feeds go and the matrix is one empty row per nutrient; when there are feeds
// the user is asked first.
// A No changes nothing and answers FALSE. Otherwise LBMCHANGED is raised (with
// LYMCHANGED and LMATCHANGED in new mode), `menuState` is called and the
// answer is TRUE.
bool handOverRequirements(UserPort& port, const Table& rows, const std::function<void()>& menuState,
                          ActiveProblem& p = G());

// NRESTOFDC1: the please-wait box up and down, the estimator for destination
// 1, then the hand-over when it produced rows. Without an estimator it does
// nothing. Answers whether the problem was changed.
bool NRESTOFDC1(UserPort& port, const RequirementEstimator& estimator, const std::function<void()>& menuState,
                ActiveProblem& p = G());
// NRESTOFDC2: the same up to the estimator for destination 2, which writes the
// requirement report itself.
void NRESTOFDC2(UserPort& port, const RequirementEstimator& estimator);

// ---------------------------------------------------------------- help

// The program's help file: "Zeva.chm" in the data directory.
QString helpFilePath(const ActiveProblem& p = G());
// The help-on-help file. Without a Windows directory (always here) it is the
// bare name "winhelp.hlp", looked for in the data directory as the older
// systems looked for it.
QString helpOnHelpFilePath(const ActiveProblem& p = G());
// Its topic: "HelpOnHelp" for the bare name, "HelpContents" for the file of
// the Windows directory.
QString helpOnHelpTopic();

// Shows a topic of a help display; a missing file or one nothing can show is
// told in an error box with its path.
void showHelpTopic(UserPort& port, const HelpDisplay& display, const QString& topic);

inline const QString kHelpMissing = QStringLiteral("Yardım dosyası bulunamadı:");
inline const QString kHelpNoViewer = QStringLiteral("Yardım dosyası açılamadı:");

}  // namespace zeva
