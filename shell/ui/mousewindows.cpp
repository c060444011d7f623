#include "shell/ui/mousewindows.h"

#include <QApplication>
#include <QChildEvent>
#include <QCursor>
#include <QEvent>
#include <QMetaObject>
#include <QSinglePointEvent>

namespace zeva {

namespace {

bool hasMethod(QObject* object, const char* signature)
{
    return object && object->metaObject()->indexOfMethod(signature) >= 0;
}

// The object that stands for the widget under the pointer: Qt's own inner
// parts of a control (a list's viewport, a scroll bar's container) count as
// the control.
QObject* objectAt(const QPoint& globalPos)
{
    QWidget* w = QApplication::widgetAt(globalPos);
    while (w && w->parentWidget() && !w->isWindow() && w->objectName().startsWith(QLatin1String("qt_")))
        w = w->parentWidget();
    return w;
}

}  // namespace

MouseOverTracker::MouseOverTracker(QWidget* window) : QObject(window), window_(window)
{
    watch(window_);
}

void MouseOverTracker::watch(QObject* object)
{
    if (!object->isWidgetType())
        return;
    // Pointer moves reach a control only when it tracks the mouse.
    static_cast<QWidget*>(object)->setMouseTracking(true);
    object->installEventFilter(this);
    for (QObject* child : object->children())
        watch(child);
}

bool MouseOverTracker::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        watch(static_cast<QChildEvent*>(event)->child());
        break;
    case QEvent::MouseMove:
    case QEvent::HoverMove:
    case QEvent::Enter:
        if (!busy_)
            check(static_cast<QSinglePointEvent*>(event)->globalPosition().toPoint());
        break;
    case QEvent::Leave:
        if (!busy_)
            check(QCursor::pos());
        break;
    default:
        break;
    }
    // The event itself goes on unchanged.
    return QObject::eventFilter(watched, event);
}

void MouseOverTracker::check(const QPoint& globalPos)
{
    if (busy_)
        return;
    busy_ = true;
    QObject* now = objectAt(globalPos);
    if (now != over_.data()) {
        if (hasMethod(over_, "MOUSEEXIT()"))
            QMetaObject::invokeMethod(over_, "MOUSEEXIT", Qt::DirectConnection);
        over_ = now;
        if (hasMethod(over_, "MOUSEENTER()"))
            QMetaObject::invokeMethod(over_, "MOUSEENTER", Qt::DirectConnection);
    }
    busy_ = false;
}

NEWDIALOGWINDOW::NEWDIALOGWINDOW(const DialogTemplate& tpl, QWidget* owner, qreal dpi)
    : TemplateDialog(tpl, owner, dpi), tracker_(new MouseOverTracker(this))
{
}

NEWDATADIALOG::NEWDATADIALOG(const DialogTemplate& tpl, QWidget* owner, qreal dpi)
    : TemplateDialog(tpl, owner, dpi), tracker_(new MouseOverTracker(this))
{
}

NEWDATAWINDOW::NEWDATAWINDOW(QWidget* owner) : QWidget(owner), tracker_(new MouseOverTracker(this)) {}

}  // namespace zeva
