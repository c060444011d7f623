#include "controls/ui/xtabcontrol.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

namespace zeva {

bool XTabBar::event(QEvent* event)
{
    // Mnemonics of the tab captions would switch tabs from the keyboard.
    if (event->type() == QEvent::Shortcut) {
        event->accept();
        return true;
    }
    return QTabBar::event(event);
}

void XTabBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && !isAllowed(tabAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}

void XTabBar::mouseReleaseEvent(QMouseEvent* event)
{
    // Some styles select a tab when the button is released.
    if (event->button() == Qt::LeftButton && !isAllowed(tabAt(event->position().toPoint()))) {
        event->accept();
        return;
    }
    QTabBar::mouseReleaseEvent(event);
}

void XTabBar::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    event->accept();
}

void XTabBar::wheelEvent(QWheelEvent* event) { event->accept(); }

XTABCONTROL::XTABCONTROL(QWidget* owner, int id) : QTabWidget(owner), bar_(new XTabBar(this)), id_(id)
{
    setTabBar(bar_);
}

int XTABCONTROL::APPENDTAB(const QString& name, const QString& caption, QWidget* page, int)
{
    if (page && !name.isEmpty() && page->objectName().isEmpty())
        page->setObjectName(name);
    bar_->allowed.append(true);
    return addTab(page, caption);
}

XTABCONTROL& XTABCONTROL::ALLOWSELECTION(int tab)
{
    if (tab >= 0 && tab < bar_->allowed.size())
        bar_->allowed[tab] = true;
    return *this;
}

XTABCONTROL& XTABCONTROL::PREVENTSELECTION(int tab)
{
    if (tab >= 0 && tab < bar_->allowed.size())
        bar_->allowed[tab] = false;
    return *this;
}

void XTABCONTROL::keyPressEvent(QKeyEvent* event)
{
    // The tab widget's own Ctrl+Tab, Ctrl+Shift+Tab and Ctrl+PgUp/PgDn.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int key = event->key();
    if (ctrl && (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        event->accept();
        return;
    }
    QTabWidget::keyPressEvent(event);
}

}  // namespace zeva
