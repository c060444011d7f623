#include "core/ui/windowhelpers.h"

#include "core/windowplace.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace zeva {

QPoint VQMOVEWINDOW(QWidget* window, int placement, std::optional<int> ox, std::optional<int> oy)
{
    if (!window)
        return {};
    QRect area;  // in the coordinates move() takes
    QWidget* owner = window->parentWidget();
    if (!window->isWindow() && owner) {
        area = owner->contentsRect();
    } else if (owner) {
        QWidget* canvas = owner;
        if (auto* main = qobject_cast<QMainWindow*>(owner->window()); main && main->centralWidget())
            canvas = main->centralWidget();
        area = QRect(canvas->mapToGlobal(QPoint(0, 0)), canvas->size());
    } else {
        QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
        area = screen ? screen->geometry() : QRect(0, 0, 800, 600);
    }
    const QSize outer = window->frameGeometry().size();
    const QPoint origin = windowOrigin(area.size(), outer, placement, ox, oy);
    window->move(area.topLeft() + topLeftFromOrigin(area.size(), outer, origin));
    return origin;
}

}  // namespace zeva
