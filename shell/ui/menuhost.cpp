#include "shell/ui/menuhost.h"

#include "shell/ui/shellmenu.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QToolBar>

namespace zeva {

MenuHost::MenuHost(QMainWindow* frame, QMdiArea* area) : QObject(frame), frame_(frame), area_(area)
{
    if (area)
        connect(area, &QMdiArea::subWindowActivated, this, &MenuHost::refresh);
}

MenuHost::~MenuHost() = default;

ShellMenu* MenuHost::menuOf(QMdiSubWindow* window)
{
    if (!window)
        return nullptr;
    if (auto* client = dynamic_cast<MenuHostClient*>(window))
        return client->childMenu();
    if (auto* client = dynamic_cast<MenuHostClient*>(window->widget()))
        return client->childMenu();
    return nullptr;
}

void MenuHost::setFrameMenu(ShellMenu* menu)
{
    frameMenu_ = menu;
    track(menu);
    refresh();
}

ShellMenu* MenuHost::wanted() const
{
    // The current child counts even while the frame itself is not the active
    // window (a dialog of the program is up): its menu stays on show.
    QMdiSubWindow* current = area_ ? area_->currentSubWindow() : nullptr;
    if (current && !current->isHidden())
        if (ShellMenu* menu = menuOf(current))
            return menu;
    return frameMenu_.data();
}

void MenuHost::refresh()
{
    ShellMenu* menu = wanted();
    track(menu);
    show(menu);
}

void MenuHost::track(ShellMenu* menu)
{
    if (menu)
        connect(menu, &QObject::destroyed, this, &MenuHost::menuDestroyed, Qt::UniqueConnection);
}

void MenuHost::menuDestroyed()
{
    // The menu on show went with its window: the frame's own menu takes its
    // place at once, and the next active child, if any, gets its turn after.
    if (shown_)
        return;
    show(frameMenu_.data());
    QMetaObject::invokeMethod(this, &MenuHost::refresh, Qt::QueuedConnection);
}

void MenuHost::show(ShellMenu* menu)
{
    if (menu && menu == shown_.data())
        return;
    if (ShellMenu* old = shown_.data())
        if (QToolBar* toolBar = old->toolBar())
            frame_->removeToolBar(toolBar);  // hides it: its buttons and keys go quiet
    QMenuBar* bar = frame_->menuBar();
    bar->clear();
    shown_ = menu;
    if (menu) {
        menu->install(bar);
        if (QToolBar* toolBar = menu->toolBar()) {
            frame_->addToolBar(toolBar);
            toolBar->show();
        }
    }
    emit menuShown(menu);
}

}  // namespace zeva
