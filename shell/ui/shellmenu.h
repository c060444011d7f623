#pragma once
// A menu table built into actions: the popups of the menu bar, the toolbar and
// the accelerator keys share one QAction per id, so greying an id greys its
// menu item, its button and its key. Ids belong to one ShellMenu: two menus
// may use the same number for different items. Choosing an item, pressing its
// key or clicking its button sends the item's symbol to the menu's owner
// (shell/menuowner.h), and from there up the owners.

#include "resources/menus.h"
#include "shell/menustate.h"
#include "shell/menuowner.h"

#include <QHash>
#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QToolBar>

class QAction;
class QMenuBar;
class QWidget;

namespace zeva {

class ShellMenu : public QObject {
    Q_OBJECT
public:
    // Registers the popups and items of `table`, builds its toolbar, gives the
    // first item that names each accelerator key that key (a key that a later
    // entry names again stays text in that item's caption), then greys the
    // table's start list.
    ShellMenu(const res::MenuTable& table, MenuOwner* owner, QObject* parent = nullptr);
    ~ShellMenu() override;

    QString name() const { return name_; }
    MenuOwner* owner() const { return owner_; }
    void setOwner(MenuOwner* owner) { owner_ = owner; }

    // The popups of the menu bar, in order.
    QList<QMenu*> topMenus() const;
    // The toolbar; a window shows it with QMainWindow::addToolBar. It goes
    // with this menu: deleting the menu deletes its popups and its toolbar.
    QToolBar* toolBar() const { return toolBar_; }
    // Puts this menu's popups on `bar` in place of what it showed.
    void install(QMenuBar* bar) const;

    // The action of an item or popup; null when this menu has no such id.
    QAction* action(int id) const { return actions_.value(id); }
    const QHash<int, QAction*>& actions() const { return actions_; }
    QString symbol(int id) const { return symbols_.value(id); }
    QString helpContext(int id) const { return help_.value(id); }
    // The toolbar image number of an id's button; 0 when it has none.
    int image(int id) const { return images_.value(id); }

    void setEnabled(int id, bool enabled);
    bool isEnabled(int id) const;
    void setChecked(int id, bool checked);
    // TRUE when the item carries a check mark.
    bool ISCHECKED(int id) const;
    void apply(const MenuStateChange& change, QWidget* window = nullptr);

signals:
    // After every command this menu sent: its symbol and whether an owner ran it.
    void commandSent(const QString& symbol, bool handled);

private:
    void send(QAction* action);

    QString name_;
    MenuOwner* owner_ = nullptr;
    QList<QPointer<QMenu>> topMenus_;
    QPointer<QToolBar> toolBar_;
    QHash<int, QAction*> actions_;
    QHash<int, QString> symbols_;
    QHash<int, QString> help_;
    QHash<int, int> images_;
};

// Applies a menu-state change to actions found by id (ids that are not there
// are skipped) and sets the window's caption when the change names one.
void applyMenuState(const MenuStateChange& change, const QHash<int, QAction*>& actions,
                    QWidget* window = nullptr);

}  // namespace zeva
