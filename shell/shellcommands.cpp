#include "shell/shellcommands.h"

#include "core/messages.h"
#include "core/numeric.h"
#include "platform/runtime.h"
#include "platform/system.h"

#include <QDir>
#include <QFileInfo>

namespace zeva {

namespace {

constexpr int kRowCells = 5;

// A requirement row with exactly the five cells of a nutrient row.
Row nutrientRow(const Row& row)
{
    Row r = row.mid(0, kRowCells);
    while (r.size() < kRowCells)
        r << blankCell();
    return r;
}

bool hasValue(const QString& cell)
{
    return !AllTrim(cell).isEmpty();
}

bool anyLimit(const Table& nutrients)
{
    for (const Row& r : nutrients)
        if (hasValue(r.value(BMFIX)) || hasValue(r.value(BMLLIMIT)) || hasValue(r.value(BMULIMIT)))
            return true;
    return false;
}

}  // namespace

// ---------------------------------------------------------------- solve

bool COZUM(UserPort& port, const OptimizerOptions& options)
{
    ActiveProblem& p = G();
    const QString type = p.APARAMS.value(PRM_TYPE);
    // A ratio the solve has to pass over is named before the solve begins.
    if (ExactEqual(type, QStringLiteral("K")) || ExactEqual(type, QStringLiteral("G")))
        warnUnusedRatios(port);
    AALERT(port);
    bool kept = false;
    if (ExactEqual(type, QStringLiteral("K"))) {
        KY_OPTIMIZER optimizer(port, options);
        if (optimizer.RESULT()) {
            // The report is written. Only an optimum gives a formula to add
            // to the dry-matter table; no earlier one outlives a solve that
            // found none.
            p.AKMMDATA = optimizer.optimumFound ? optimizer.AKMM_DATA : QList<KmmPair>{};
            kept = !p.AKMMDATA.isEmpty();
        }
        optimizer.DESTROY_OLDS();
    } else if (ExactEqual(type, QStringLiteral("G"))) {
        GR_OPTIMIZER optimizer(port, options);
        optimizer.DESTROY_OLDS();
    }
    // The optimisers take the box down themselves; a problem of no known type
    // never reaches one, and the box must not stay up.
    port.waitClose();
    return kept;
}

// ---------------------------------------------------------------- requirements

bool handOverRequirements(UserPort& port, const Table& rows, const std::function<void()>& menuState,
                          ActiveProblem& p)
{
    if (p.ABMTABLE.size() >= 2 && p.ABMNAMES.size() >= 2) {
        if (anyLimit(p.ABMTABLE)
            && ASK(port, QStringLiteral("Uyarı"), kReplaceQuestion, BOX_YESNO_QUESTION) == REPLY_NO)
            return false;
        for (const Row& requirement : rows) {
            const QString code = AllTrim(requirement.value(BMNAME));
            if (code.isEmpty())
                continue;
            for (Row& nutrient : p.ABMTABLE) {
                if (AllTrim(nutrient.value(BMNAME)) == code) {
                    nutrient = nutrientRow(requirement);
                    break;
                }
            }
        }
        p.rebuildNutrientNames();
    } else {
        if (!p.AYMTABLE.isEmpty()
            && ASK(port, QStringLiteral("Uyarı"), kDiscardFeedsQuestion, BOX_YESNO_QUESTION) == REPLY_NO)
            return false;
        p.ABMTABLE.clear();
        for (const Row& requirement : rows)
            p.ABMTABLE << nutrientRow(requirement);
        p.rebuildNutrientNames();
        p.AYMTABLE.clear();
        p.AYMNAMES.clear();
        p.AMATRIX.clear();
        for (qsizetype i = 0; i < p.ABMTABLE.size(); ++i)
            p.AMATRIX << Row{};
        p.matrixReplaced();
        p.LYMCHANGED = true;
        p.LMATCHANGED = true;
    }
    p.LBMCHANGED = true;
    if (menuState)
        menuState();
    return true;
}

bool NRESTOFDC1(UserPort& port, const RequirementEstimator& estimator, const std::function<void()>& menuState,
                ActiveProblem& p)
{
    if (!estimator)
        return false;
    AALERT(port);
    port.waitClose();
    const RequirementEstimate estimate = estimator(1);
    if (!estimate.LDDEG)
        return false;
    return handOverRequirements(port, estimate.ABMREQM, menuState, p);
}

void NRESTOFDC2(UserPort& port, const RequirementEstimator& estimator)
{
    if (!estimator)
        return;
    AALERT(port);
    port.waitClose();
    estimator(2);
}

// ---------------------------------------------------------------- help

QString helpFilePath(const ActiveProblem& p)
{
    return QDir(p.CDATAPATH).filePath(QStringLiteral("Zeva.chm"));
}

namespace {

bool bareHelpOnHelp()
{
    return ISWIN98() || ISWINME() || GETWINDOWSDIR().isEmpty();
}

}  // namespace

QString helpOnHelpFilePath(const ActiveProblem& p)
{
    if (bareHelpOnHelp())
        return QDir(p.CDATAPATH).filePath(QStringLiteral("winhelp.hlp"));
    return QDir(GETWINDOWSDIR()).filePath(QStringLiteral("System32/winhelp.hlp"));
}

QString helpOnHelpTopic()
{
    return bareHelpOnHelp() ? QStringLiteral("HelpOnHelp") : QStringLiteral("HelpContents");
}

void showHelpTopic(UserPort& port, const HelpDisplay& display, const QString& topic)
{
    switch (display.show(topic)) {
    case HelpDisplay::Shown::Opened:
        return;
    case HelpDisplay::Shown::Missing:
        ERRMESS(port, kHelpMissing + QLatin1Char('\n') + QFileInfo(display.fileName()).absoluteFilePath());
        return;
    case HelpDisplay::Shown::NoViewer:
        ERRMESS(port, kHelpNoViewer + QLatin1Char('\n') + display.existingFile());
        return;
    }
}

}  // namespace zeva
