#pragma once
// The problem entry windows, children of the main window's MDI area: the
// nutrient window BM_GIRISWIN, the feed window YM_GIRISWIN, the ratio window
// BMO_GIRISWIN and the active matrix window AMAT_GIRISWIN. Each shows a copy
// of its part of the active problem in a grid, carries its own menu, toolbar
// and keys (shown in the frame while it is the active child) and a context
// menu on the grid, and hands its copy back to the problem when it closes
// after a change (see editing/entrytables.h and editing/activematrix.h).
//
// Menu commands reach the window by symbol (dispatch); what it does not
// handle goes on to its owner, the main window. Closing from the menu, from
// Esc in the grid or from the close box runs the close work once.

#include "editing/activematrix.h"
#include "editing/entrytables.h"
#include "editing/problemwindows.h"
#include "editing/ui/celleditor.h"
#include "editing/ui/oabsbrowser.h"
#include "resources/menus.h"
#include "shell/menuowner.h"
#include "shell/ui/dialogsupport.h"
#include "shell/ui/menuhost.h"
#include "shell/ui/shellmenu.h"

#include <QMdiSubWindow>

#include <functional>
#include <memory>

namespace zeva {

class UserPort;

class ProblemEntryWindow : public QMdiSubWindow, public MenuHostClient, public MenuOwner {
    Q_OBJECT
public:
    ~ProblemEntryWindow() override;

    ProblemWindowKind kind() const { return kind_; }
    OABS_BROWSER* browser() const { return browser_; }
    // The window menu (with its toolbar and keys) and the grid's context menu.
    ShellMenu* windowMenu() const { return menu_.get(); }
    ShellMenu* contextMenu() const { return context_.get(); }
    // FALSE when the window could not attach its data; it is then not shown.
    virtual bool usable() const { return true; }
    // TRUE once the close work has run (the window is going).
    bool isClosing() const { return closed_; }

    // MenuHostClient
    ShellMenu* childMenu() override;
    // MenuOwner: the window's own commands; the rest goes to the owner.
    bool dispatch(const QString& symbol) override;
    MenuOwner* menuOwnerParent() override { return owner_; }

    // Hands the copy back to the problem now, the window staying open; TRUE
    // when it wrote.
    virtual bool writeBack() = 0;

    // How the about box is run (tests drive it without a modal loop).
    void setDialogRunner(DialogRunner runner) { runner_ = std::move(runner); }
    // Where help topics go (the program's help display). Without a handler
    // "&İndeks" goes on to the main window and context help shows nothing.
    static void setHelpHandler(std::function<void(const QString& topic)> handler);

    // Small commands shared by every entry window.
    void CLOSE();
    void HELPINDEX();
    void CONTEXTHELP();
    void ZVXHAKKINDA();

protected:
    ProblemEntryWindow(ProblemWindowKind kind, MenuOwner* owner, UserPort& port, const QString& className,
                       const QString& caption, const QString& helpTopic);

    // The menus from their tables: the window menu with its live keys and
    // toolbar, the context menu with its keys as text only.
    void buildMenus(const res::MenuTable& window, const res::MenuTable& context);
    // The kind's own commands; FALSE when it has none of that name.
    virtual bool runCommand(const QString& symbol) = 0;
    // The kind's close work (its QUERYCLOSE).
    virtual void closing() = 0;

    // An editor left open in the grid is committed (and a row that it
    // emptied removed) before a command reads or moves the copy.
    void commitOpenEdit();
    void suspendUpdate();
    void restoreUpdate();
    // The owner's menu state, after a write-back.
    void sendMenuState();

    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    UserPort& port_;
    MenuOwner* owner_;
    OABS_BROWSER* browser_ = nullptr;

private:
    void showContextMenu(const QPoint& pos);

    ProblemWindowKind kind_;
    QString helpTopic_;
    QWidget* canvas_ = nullptr;
    std::unique_ptr<ShellMenu> menu_;
    std::unique_ptr<ShellMenu> context_;
    DialogRunner runner_;
    bool closed_ = false;
};

// The nutrient, feed and ratio windows.
class TableEntryWindow : public ProblemEntryWindow {
    Q_OBJECT
public:
    TableEntryWindow(EntryKind kind, MenuOwner* owner, UserPort& port);
    ~TableEntryWindow() override;

    EntryTableEditor& editor() { return *editor_; }
    bool writeBack() override;

    bool APPEND();
    void DELETE_ROW();
    void ORANSEC();

protected:
    bool runCommand(const QString& symbol) override;
    void closing() override;

private:
    std::unique_ptr<EntryTableEditor> editor_;
};

class BM_GIRISWIN : public TableEntryWindow {
    Q_OBJECT
public:
    BM_GIRISWIN(MenuOwner* owner, UserPort& port) : TableEntryWindow(EntryKind::Nutrient, owner, port) {}
};

class YM_GIRISWIN : public TableEntryWindow {
    Q_OBJECT
public:
    YM_GIRISWIN(MenuOwner* owner, UserPort& port) : TableEntryWindow(EntryKind::Feed, owner, port) {}
};

class BMO_GIRISWIN : public TableEntryWindow {
    Q_OBJECT
public:
    BMO_GIRISWIN(MenuOwner* owner, UserPort& port) : TableEntryWindow(EntryKind::Ratio, owner, port) {}
};

// The active matrix window.
class AMAT_GIRISWIN : public ProblemEntryWindow {
    Q_OBJECT
public:
    AMAT_GIRISWIN(MenuOwner* owner, UserPort& port);
    ~AMAT_GIRISWIN() override;

    ActiveMatrixEditor& editor() { return *editor_; }
    bool usable() const override { return editor_->server() != nullptr; }
    bool writeBack() override;

    void PBSPLIT();
    void BMBAGLA();

protected:
    bool runCommand(const QString& symbol) override;
    void closing() override;

private:
    std::unique_ptr<ActiveMatrixEditor> editor_;
};

}  // namespace zeva
