#pragma once
// The rules that keep the problem windows (the nutrient, feed, ratio and
// matrix entry windows, which edit copies of the active problem) and the
// main window's commands in step:
//   - one window per kind; opening it again brings the open one forward;
//   - the matrix window and the nutrient or feed window are never open
//     together: each closes the other (through its normal close, so its
//     copy goes back first), because the nutrient and feed windows change
//     the matrix's shape at once;
//   - a command that reads the problem has the open windows hand their
//     copies back first (they stay open); a command that replaces the
//     problem or its tables has them closed first.

#include <QList>
#include <QString>

namespace zeva {

enum class ProblemWindowKind { Nutrient, Feed, Ratio, Matrix };

// The kinds that must close before a window of `kind` opens.
QList<ProblemWindowKind> kindsClosedBeforeOpening(ProblemWindowKind kind);

enum class ProblemWindowStep {
    kNone,       // the command leaves the problem windows alone
    kWriteBack,  // the windows hand their copies back and stay open
    kClose,      // the windows close through their normal close
};

// What the open problem windows do before the main-window command `symbol`.
ProblemWindowStep problemWindowStepBefore(const QString& symbol);

}  // namespace zeva
