#include "editing/ui/entrywindowopeners.h"

#include "core/activeproblem.h"
#include "editing/ui/entrywindows.h"
#include "shell/ui/standardshellwindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

namespace zeva {

namespace {

QList<ProblemEntryWindow*> openWindows(QMdiArea* area)
{
    QList<ProblemEntryWindow*> windows;
    if (!area)
        return windows;
    for (QMdiSubWindow* sub : area->subWindowList())
        if (auto* w = qobject_cast<ProblemEntryWindow*>(sub); w && !w->isClosing())
            windows.append(w);
    return windows;
}

ProblemEntryWindow* makeWindow(ProblemWindowKind kind, STANDARDSHELLWINDOW& w)
{
    switch (kind) {
    case ProblemWindowKind::Nutrient:
        return new BM_GIRISWIN(&w, w.port());
    case ProblemWindowKind::Feed:
        return new YM_GIRISWIN(&w, w.port());
    case ProblemWindowKind::Ratio:
        return new BMO_GIRISWIN(&w, w.port());
    case ProblemWindowKind::Matrix:
        break;
    }
    return new AMAT_GIRISWIN(&w, w.port());
}

}  // namespace

ProblemEntryWindow* findProblemWindow(QMdiArea* area, ProblemWindowKind kind)
{
    for (ProblemEntryWindow* w : openWindows(area))
        if (w->kind() == kind)
            return w;
    return nullptr;
}

void writeBackProblemWindows(QMdiArea* area)
{
    for (ProblemEntryWindow* w : openWindows(area))
        w->writeBack();
}

void closeProblemWindows(QMdiArea* area, const QList<ProblemWindowKind>& kinds)
{
    for (ProblemEntryWindow* w : openWindows(area))
        if (kinds.contains(w->kind()))
            w->close();
}

void closeAllProblemWindows(QMdiArea* area)
{
    for (ProblemEntryWindow* w : openWindows(area))
        w->close();
}

ProblemEntryWindow* openEntryWindow(STANDARDSHELLWINDOW& w, ProblemWindowKind kind)
{
    if (!G().isOpen())
        return nullptr;
    QMdiArea* area = w.mdiArea();
    if (ProblemEntryWindow* open = findProblemWindow(area, kind)) {
        // One window per table: a second copy would write back over the first.
        w.bringChildForward(open);
        return open;
    }
    closeProblemWindows(area, kindsClosedBeforeOpening(kind));

    ProblemEntryWindow* window = makeWindow(kind, w);
    if (!window->usable()) {
        delete window;
        return nullptr;
    }
    w.showChildWindow(window);
    return window;
}

void installEntryWindowCommands(STANDARDSHELLWINDOW& w)
{
    const QList<QPair<const char*, ProblemWindowKind>> openers = {
        {"YM_GIRIS", ProblemWindowKind::Feed},
        {"BM_GIRIS", ProblemWindowKind::Nutrient},
        {"AMAT_GIRIS", ProblemWindowKind::Matrix},
        {"BMO_GIRIS", ProblemWindowKind::Ratio},
    };
    for (const auto& [symbol, kind] : openers)
        w.setCommand(QString::fromLatin1(symbol), [&w, kind = kind] { openEntryWindow(w, kind); });

    // The windows' help keys: "&İndeks" (F1) and "İl&gili Yardım" (F2) show
    // their topic in the main window's help display.
    QPointer<STANDARDSHELLWINDOW> main(&w);
    ProblemEntryWindow::setHelpHandler([main](const QString& topic) {
        if (main)
            main->showHelp(topic);
    });

    QPointer<QMdiArea> area = w.mdiArea();
    w.addBeforeCommand([area](const QString& symbol) {
        switch (problemWindowStepBefore(symbol)) {
        case ProblemWindowStep::kWriteBack:
            writeBackProblemWindows(area);
            break;
        case ProblemWindowStep::kClose:
            closeAllProblemWindows(area);
            break;
        case ProblemWindowStep::kNone:
            break;
        }
    });
}

}  // namespace zeva
