#pragma once
// The main window's openers of the problem entry windows, and the steps that
// keep those windows and the main window's other commands in step (see
// editing/problemwindows.h).
//
// The start-up calls installEntryWindowCommands once, after the main window
// is built:
//   - "Yem Maddesi &Verileri" (YM_GIRIS), "&Besin Maddesi Verileri"
//     (BM_GIRIS), "Aktif &Matris Yazımı" (AMAT_GIRIS) and "Besin Maddesi
//     &Oranları" (BMO_GIRIS) open their windows, one per kind;
//   - before every main-window command the open problem windows hand back
//     their copies or close, as the command needs;
//   - the windows' help keys show their topics in the main window's help
//     display.

#include "editing/problemwindows.h"

#include <QList>

class QMdiArea;

namespace zeva {

class ProblemEntryWindow;
class STANDARDSHELLWINDOW;

void installEntryWindowCommands(STANDARDSHELLWINDOW& w);

// Opens the window of `kind` as a child of `w`, sized to its client area at
// its top left, or brings forward the one already open. Opening the matrix
// window first closes the nutrient and feed windows, and the other way
// round. Null when no problem is open or the window could not be made.
ProblemEntryWindow* openEntryWindow(STANDARDSHELLWINDOW& w, ProblemWindowKind kind);

// The open window of `kind`; null when there is none.
ProblemEntryWindow* findProblemWindow(QMdiArea* area, ProblemWindowKind kind);

// Every open problem window hands its copy back and stays open.
void writeBackProblemWindows(QMdiArea* area);
// The open problem windows of the given kinds close through their normal close.
void closeProblemWindows(QMdiArea* area, const QList<ProblemWindowKind>& kinds);
// Every open problem window closes through its normal close.
void closeAllProblemWindows(QMdiArea* area);

}  // namespace zeva
