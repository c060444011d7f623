#pragma once
// A message posted to a window, as the old window system numbered them: the
// message number with its two parameters. Every such message travels as this
// one event type (registered with Qt once); the number is data, never a
// QEvent::Type of its own, since the small numbers are Qt's own event types.

#include <QEvent>
#include <QtGlobal>

namespace zeva {

class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(quint32 message, quintptr wParam, qintptr lParam)
        : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam)
    {
    }

    // The registered event type shared by all window messages.
    static QEvent::Type eventType()
    {
        static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

    quint32 message() const { return message_; }
    quintptr wParam() const { return wParam_; }
    qintptr lParam() const { return lParam_; }

private:
    quint32 message_;
    quintptr wParam_;
    qintptr lParam_;
};

}  // namespace zeva
