#include "shell/ui/shellmenu.h"

#include "shell/ui/toolbarimages.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QToolBar>
#include <QWidget>

#include <QSet>

namespace zeva {

namespace {
QString text(const char* utf8)
{
    return utf8 ? QString::fromUtf8(utf8) : QString();
}
}  // namespace

ShellMenu::ShellMenu(const res::MenuTable& table, MenuOwner* owner, QObject* parent)
    : QObject(parent), name_(QString::fromLatin1(table.name)), owner_(owner)
{
    QList<QMenu*> stack;
    for (const res::MenuEntry& e : table.entries) {
        switch (e.kind) {
        case res::MenuEntryKind::Popup: {
            // A submenu belongs to its parent popup; the top popups to this menu.
            auto* menu = new QMenu(text(e.caption), stack.isEmpty() ? nullptr : stack.last());
            if (stack.isEmpty())
                topMenus_.append(menu);
            else
                stack.last()->addMenu(menu);
            QAction* a = menu->menuAction();
            a->setStatusTip(text(e.status));
            a->setData(e.id);
            actions_.insert(e.id, a);
            symbols_.insert(e.id, text(e.symbol));
            if (e.help)
                help_.insert(e.id, text(e.help));
            stack.append(menu);
            break;
        }
        case res::MenuEntryKind::EndPopup:
            if (!stack.isEmpty())
                stack.removeLast();
            break;
        case res::MenuEntryKind::Separator:
            if (!stack.isEmpty())
                stack.last()->addSeparator();
            break;
        case res::MenuEntryKind::Item: {
            auto* a = new QAction(text(e.caption), this);
            a->setStatusTip(text(e.status));
            a->setData(e.id);
            a->setIconVisibleInMenu(false);
            actions_.insert(e.id, a);
            symbols_.insert(e.id, text(e.symbol));
            if (e.help)
                help_.insert(e.id, text(e.help));
            if (!stack.isEmpty())
                stack.last()->addAction(a);
            connect(a, &QAction::triggered, this, [this, a] { send(a); });
            break;
        }
        }
    }

    toolBar_ = new QToolBar;
    toolBar_->setObjectName(name_ + QStringLiteral("_ToolBar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const res::ToolbarButton& b : table.toolbar) {
        QAction* a = b.image == 0 ? nullptr : actions_.value(b.id);
        if (!a) {
            toolBar_->addSeparator();
            continue;
        }
        a->setIcon(toolbarImage(b.image));
        a->setToolTip(text(b.tip));
        images_.insert(b.id, b.image);
        toolBar_->addAction(a);
    }

    // One shortcut per key: the first entry that names it.
    QSet<int> taken;
    for (const res::AccelEntry& k : table.accelerators) {
        const int combo = (k.ctrl ? int(Qt::CTRL) : 0) | int(k.key);
        if (taken.contains(combo))
            continue;
        taken.insert(combo);
        if (QAction* a = actions_.value(k.id))
            a->setShortcut(QKeySequence(combo));
    }

    for (int id : table.startGreyed)
        setEnabled(id, false);
}

ShellMenu::~ShellMenu()
{
    // The popups have no parent widget; the toolbar may have been taken over
    // by a window, which then deletes it itself.
    for (const QPointer<QMenu>& m : std::as_const(topMenus_))
        delete m.data();
    delete toolBar_.data();
}

QList<QMenu*> ShellMenu::topMenus() const
{
    QList<QMenu*> menus;
    for (const QPointer<QMenu>& m : topMenus_)
        if (m)
            menus.append(m.data());
    return menus;
}

void ShellMenu::install(QMenuBar* bar) const
{
    bar->clear();
    for (QMenu* m : topMenus())
        bar->addMenu(m);
}

void ShellMenu::setEnabled(int id, bool enabled)
{
    if (QAction* a = action(id))
        a->setEnabled(enabled);
}

bool ShellMenu::isEnabled(int id) const
{
    QAction* a = action(id);
    return a && a->isEnabled();
}

void ShellMenu::setChecked(int id, bool checked)
{
    if (QAction* a = action(id)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

bool ShellMenu::ISCHECKED(int id) const
{
    QAction* a = action(id);
    return a && a->isCheckable() && a->isChecked();
}

void ShellMenu::apply(const MenuStateChange& change, QWidget* window)
{
    applyMenuState(change, actions_, window);
}

void ShellMenu::send(QAction* a)
{
    // A tick changes only when the command sets it: the command sees the item
    // as it was before the choice.
    if (a->isCheckable()) {
        const QSignalBlocker block(a);
        a->setChecked(!a->isChecked());
    }
    const QString symbol = symbols_.value(a->data().toInt());
    const bool handled = sendMenuCommand(owner_, symbol);
    emit commandSent(symbol, handled);
}

void applyMenuState(const MenuStateChange& change, const QHash<int, QAction*>& actions, QWidget* window)
{
    for (const auto& [id, on] : change.enable)
        if (QAction* a = actions.value(id))
            a->setEnabled(on);
    for (const auto& [id, on] : change.check) {
        if (QAction* a = actions.value(id)) {
            a->setCheckable(true);
            a->setChecked(on);
        }
    }
    if (window && !change.caption.isNull())
        window->setWindowTitle(change.caption);
}

}  // namespace zeva
