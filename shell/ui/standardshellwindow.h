#pragma once
// STANDARDSHELLWINDOW: the program's main window, the multiple-document frame
// in which every other window opens. It carries the main menu with its
// toolbar and keys (through the menu host), a status bar with the time, the
// program's icon and title, and accepts dropped files. Choosing a main-menu
// item sends its symbol here (dispatch); the window runs the commands it
// knows: the file commands, exit, the start-up options, the menu-state update
// and the arrangement of the child windows. Commands of other parts of the
// program are added with setCommand; a symbol nobody added is not handled.
//
// The window talks to the user through a UserPort: its own QtUserPort unless
// the caller gives one (tests give a scripted port).

#include "core/filecommands.h"
#include "core/optimizer.h"
#include "platform/helpdisplay.h"
#include "shell/menuowner.h"
#include "shell/settings.h"
#include "shell/shellcommands.h"
#include "shell/ui/dialogsupport.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QTimer;

namespace zeva {

class MenuHost;
class QtUserPort;
class ShellMenu;

class STANDARDSHELLWINDOW : public QMainWindow, public MenuOwner {
    Q_OBJECT
public:
    // Builds the whole window (menu, toolbar, status bar, icon, caption, the
    // option ticks of POSTINIT) from the settings values in G(); it is not
    // shown. `port` null: the window's own QtUserPort.
    explicit STANDARDSHELLWINDOW(QWidget* owner = nullptr, UserPort* port = nullptr);
    ~STANDARDSHELLWINDOW() override;

    // ---- menu dispatch
    bool dispatch(const QString& symbol) override;
    // Adds (or replaces) the command run for `symbol`; an empty handler
    // removes it.
    void setCommand(const QString& symbol, std::function<void()> handler);
    bool hasCommand(const QString& symbol) const { return commands_.contains(symbol); }
    // Adds a step run before every command the window carries, with the
    // command's symbol (the problem windows hand back their edits there).
    void addBeforeCommand(std::function<void(const QString&)> step);

    // ---- construction
    // The ticks of the start-up option items from the stored options, and the
    // user items greyed when the logon was off at start.
    void POSTINIT();
    // A new main menu in place of the one the window carries (the pad's return
    // to the main menu builds one): start state, then the option ticks as last
    // stored. The menu-state update is the caller's.
    ShellMenu* newMainMenu();

    // ---- closing
    // Asks before the window closes; TRUE lets it close. After the exit is
    // confirmed the child windows are closed through their own close first
    // (so that they hand back their edits), then a changed problem is offered
    // for saving. A child that refuses to close, or a save that fails, keeps
    // the window open.
    bool QUERYCLOSE();
    // "&Çıkış...": asks the window to close (through QUERYCLOSE).
    void FILEEXIT();

    // ---- child windows
    void WINDOWCASCADE();
    void WINDOWTILE();
    // Lines the minimised child windows up along the bottom of the area.
    void WINDOWICON();
    // Adds `widget` to the MDI area as a child window (not shown).
    QMdiSubWindow* addChildWindow(QWidget* widget);
    // Shows a new child window: added to the MDI area, filling it, placed,
    // made the active one, its menu in the frame.
    void showChildWindow(QMdiSubWindow* window);
    // Brings an open child window forward (restored when minimised).
    void bringChildForward(QMdiSubWindow* window);

    // ---- menu state and options
    // The menu state from the active problem, applied to the main menu and
    // the caption; with no problem file open the problem is emptied.
    void MI_ENADISABLE();
    void TUYOGOSTER();
    void LOGOGOSTER();
    void ADPAROLASOR();
    // The reference-table selection ("&Havada Kuru" 3567, "&Kuru Madde
    // Esaslı" 3569): choosing the ticked item removes its tick, choosing the
    // other moves the tick; "Matris &İşlemleri" follows.
    void RMSEC_HK();
    void RMSEC_KME();

    // ---- file commands
    void YENIDOSYAGIR();
    void FILEOPEN();
    void FILECLOSE();
    void KAYDET();
    void FKAYDET();
    bool DOOPENFILE(const QString& fileName);

    // ---- solve, requirements, help, about, users
    // "Yem &Formülü": solves the problem; after a compound-feed optimum the
    // formula is kept and 3564 "&KM Esaslı Matrise Ekle" enabled, after a
    // compound-feed report without one both are gone.
    void COZUM();
    // The requirement commands; without an estimator they do nothing.
    void NRESTOFDC1();
    void NRESTOFDC2();
    void setRequirementEstimator(RequirementEstimator estimator) { estimator_ = std::move(estimator); }
    // The help display on "Zeva.chm" of the data directory.
    void HELPOPEN();
    void HELPINDEX();
    void HELPCONTENTS();
    // Help on help through a display of its own; the program's stays.
    void HELPUSINGHELP();
    // A topic of the program's help display (the child windows' help keys).
    void showHelp(const QString& topic);
    const HelpDisplay* helpDisplay() const { return help_.get(); }
    // Who shows help files: the desktop's handler unless set (tests).
    void setHelpLauncher(std::shared_ptr<HelpLauncher> launcher);
    // The about box (main menu, and the child menus' command of that name).
    void OHAKKINDA();
    void ADDNEWUSER();
    void CHANGEUANDP();
    // What the solve passes to the optimisers (tests replace the report step).
    void setSolveOptions(OptimizerOptions options) { solveOptions_ = std::move(options); }
    // How the window's own modal dialogs (about box, user dialogs) are run;
    // empty: their own loop.
    void setDialogRunner(DialogRunner runner) { dialogRunner_ = std::move(runner); }
    const DialogRunner& dialogRunner() const { return dialogRunner_; }

    // ---- drops
    // Files dropped on the window (local paths), wherever they land in it:
    // on the window area, a report pad's text or any other child window.
    // They are for the report pad, which adds its handler with
    // setDropHandler; without one the window accepts no drag of files at all
    // (the cursor shows that nothing will happen). A drop is always taken as
    // a copy, so the program that sends the files keeps them.
    void DROP(const QStringList& files);
    void setDropHandler(std::function<void(const QStringList&)> handler);
    bool hasDropHandler() const { return static_cast<bool>(dropHandler_); }

    // ---- parts
    UserPort& port() { return *port_; }
    // The window's own Qt port; null when the caller gave a port.
    QtUserPort* qtPort() const { return ownPort_.get(); }
    QMdiArea* mdiArea() const { return mdi_; }
    MenuHost* menuHost() const { return host_.get(); }
    // The main menu (EMPTYSHELLMENU) the window carries now.
    ShellMenu* mainMenu() const { return mainMenu_.get(); }
    FileCommands& fileCommands() { return *files_; }
    StartupOptionTicks& optionTicks() { return ticks_; }
    // The time shown in the status bar.
    QString clockText() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Drags of files over the window's children come to the window's rule.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Answers a drag of files: TRUE when it is taken (as a copy).
    bool takeDrag(QDropEvent* event) const;
    void toggleOption(int item);
    void selectReferenceTable(int item);
    void tickClock();

    std::unique_ptr<QtUserPort> ownPort_;
    UserPort* port_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QLabel* clock_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    std::unique_ptr<MenuHost> host_;
    std::unique_ptr<ShellMenu> mainMenu_;
    std::unique_ptr<FileCommands> files_;
    StartupOptionTicks ticks_;
    bool logonAtStart_ = false;
    QHash<QString, std::function<void()>> commands_;
    QList<std::function<void(const QString&)>> beforeCommand_;
    std::function<void(const QStringList&)> dropHandler_;
    RequirementEstimator estimator_;
    OptimizerOptions solveOptions_;
    DialogRunner dialogRunner_;
    std::shared_ptr<HelpLauncher> helpLauncher_;
    std::unique_ptr<HelpDisplay> help_;
};

}  // namespace zeva
