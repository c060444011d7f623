#pragma once
// The main window's side of the report pad: entering pad mode (the pad menu
// STANDARDPADMENU on the main window) and leaving it when the last pad
// closes, opening, creating and registering the pads (APADWINS, at most 10),
// files dropped on the main window, the printer set-up and the pad's help.
//
// The pad menu's commands go to the active pad first, then here, then to the
// main window (window arrangement, help, about).
//
// installReportPadCommands is called once by the program after the main
// window is built: "Rapor &Editörü" (Ctrl+E, REPORTPAD) and the drop handler.

#include "reports/ui/padwin.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

class QMdiArea;
class QPrinter;

namespace zeva {

class ShellMenu;
class STANDARDSHELLWINDOW;

class ReportPads : public QObject, public PadHost {
    Q_OBJECT
public:
    explicit ReportPads(STANDARDSHELLWINDOW& window);
    ~ReportPads() override;

    // ---- state
    // The open pads in the order they were registered.
    QList<PADWIN*> APADWINS() const;
    int NUNTITLED = 0;
    // The pad menu while the main window carries it; null in main mode.
    ShellMenu* padMenu() const { return padMenu_.get(); }
    bool padMode() const;
    // The active pad; null when the active child window is no pad.
    PADWIN* activePad() const;

    // Tests answer the pad's dialogs; the default is Qt's.
    void setDialogs(PadDialogs* dialogs) { dialogs_ = dialogs ? dialogs : ownDialogs_.get(); }

    // ---- commands
    // Ctrl+E: the pad menu on the main window, then the current report in a
    // pad (an untitled pad when there is none).
    void REPORTPAD();
    bool RE_FILENEW();
    bool RE_FILEOPEN();
    bool RE_DOOPENFILE(const QString& name);
    // Creates, fills and shows one pad; null when its file cannot be read
    // (said so; no pad stays).
    PADWIN* RE_NEWEDITWINDOW(const QString& name);
    void RE_ADDCHILD(PADWIN* pad);
    void RE_REMOVECHILD(PADWIN* pad);
    // The main menu back, with its item states.
    void RETURNTOMAIN();
    void RE_FILEEXIT() { RETURNTOMAIN(); }
    // Files dropped on the main window.
    void DROP(const QStringList& files);
    void FILEPRINTERSETUP();
    void RE_CONTEXTHELP();

    // ---- MenuOwner
    bool dispatch(const QString& symbol) override;
    MenuOwner* menuOwnerParent() override;

    // ---- PadHost
    UserPort& padPort() override;
    PadDialogs& padDialogs() override { return *dialogs_; }
    QPrinter& padPrinter() override;
    QString padFolder() const override;
    void padChanged(PADWIN* pad) override;
    void padClosed(PADWIN* pad) override;
    void closeAllPads() override;

private:
    // The pad open on `name` (same caption); null when there is none.
    PADWIN* openPadOf(const QString& name) const;
    bool atLimit();
    void activate(PADWIN* pad);
    void updateSaveItem();

    STANDARDSHELLWINDOW& window_;
    // The main window's area; the pads are its child windows. Kept apart: it
    // reports its last changes while the main window is already going.
    QPointer<QMdiArea> area_;
    QList<QPointer<PADWIN>> pads_;
    std::unique_ptr<ShellMenu> padMenu_;
    std::unique_ptr<QtPadDialogs> ownDialogs_;
    PadDialogs* dialogs_ = nullptr;
    std::unique_ptr<QPrinter> printer_;
};

// Adds the report pad to the main window; the window owns it.
ReportPads& installReportPadCommands(STANDARDSHELLWINDOW& window);
// The report pad of the main window; null when it has none.
ReportPads* reportPadsOf(STANDARDSHELLWINDOW& window);

}  // namespace zeva
