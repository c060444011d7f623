#include "utility/ui/qebtimercontrol.h"

#include "platform/windowmessage.h"

#include <QPointer>

namespace zeva {

QEBTIMERCONTROL::QEBTIMERCONTROL(QWidget* owner, int id, const QPoint& origin, const QSize& size,
                                 const QString& text)
    : QLabel(text, owner), id_(id), timer_(this, 100)
{
    move(origin);
    if (size.isValid())
        resize(size);
    hide();
}

QEBTIMERCONTROL::~QEBTIMERCONTROL() { timer_.STOP(); }

void QEBTIMERCONTROL::DESTROY() { timer_.STOP(); }

void QEBTIMERCONTROL::START() { timer_.START(); }

void QEBTIMERCONTROL::STOP() { timer_.STOP(); }

QebTimerOwner* QEBTIMERCONTROL::timerOwner() const
{
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* owner = dynamic_cast<QebTimerOwner*>(w))
            return owner;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

bool QEBTIMERCONTROL::event(QEvent* e)
{
    if (e->type() == WindowMessageEvent::eventType()) {
        const auto* message = static_cast<WindowMessageEvent*>(e);
        if (message->message() == wm::Timer && message->wParam() == quintptr(timer_.ID())) {
            if (QebTimerOwner* owner = timerOwner()) {
                STOP();
                // The callback may delete this control or its window.
                QPointer<QEBTIMERCONTROL> self(this);
                const QVariant r = owner->ONQEBTIMER(this);
                if (self && !(r.typeId() == QMetaType::Bool && !r.toBool()))
                    START();
            }
            return true;
        }
    }
    return QLabel::event(e);
}

}  // namespace zeva
