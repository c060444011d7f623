#pragma once
// The menu host of the main window: the frame shows one menu at a time, on
// its menu bar and as its toolbar. Normally that is the frame's own menu (the
// main menu, or the pad menu while report pads are open); while an MDI child
// that declares a menu of its own is the active one, the child's menu and
// toolbar take its place. Only the menu on show has live keys: the main
// menu's Ctrl+X is Exit, an editing window's Ctrl+X is Cut, never both.
//
// A child declares its menu by implementing MenuHostClient, either on the
// widget it puts into the MDI area or on its QMdiSubWindow. The actions of
// that menu should live in the ShellMenu only (not also added to the child
// widget), or their keys would stay live while another menu is on show.

#include <QObject>
#include <QPointer>

class QMainWindow;
class QMdiArea;
class QMdiSubWindow;

namespace zeva {

class ShellMenu;

class MenuHostClient {
public:
    virtual ~MenuHostClient() = default;
    // The menu this window shows in the frame while it is active; null: the
    // frame's own menu stays.
    virtual ShellMenu* childMenu() = 0;
};

class MenuHost : public QObject {
    Q_OBJECT
public:
    MenuHost(QMainWindow* frame, QMdiArea* area);
    ~MenuHost() override;

    // The frame's own menu, shown whenever no active child brings one. The
    // host does not own it. Null shows an empty menu bar.
    void setFrameMenu(ShellMenu* menu);
    ShellMenu* frameMenu() const { return frameMenu_.data(); }

    // The menu on show now.
    ShellMenu* shownMenu() const { return shown_.data(); }

    // Looks at the active child again and shows the menu it calls for. The
    // host does this itself when the active child changes or a menu goes.
    void refresh();

    // The menu that `window` declares; null when it declares none.
    static ShellMenu* menuOf(QMdiSubWindow* window);

signals:
    // After the menu on show changed.
    void menuShown(ShellMenu* menu);

private:
    void show(ShellMenu* menu);
    ShellMenu* wanted() const;
    void track(ShellMenu* menu);
    void menuDestroyed();

    QMainWindow* frame_;
    QPointer<QMdiArea> area_;
    QPointer<ShellMenu> frameMenu_;
    QPointer<ShellMenu> shown_;
};

}  // namespace zeva
