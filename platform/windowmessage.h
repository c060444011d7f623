#pragma once
// A window message posted to a QObject: the message number with its two
// parameters, as the timers, the tray icon and the serial watcher send them.
// All of them travel as one registered event type; the message number lives in
// the event, never in QEvent::type() (Qt's own types would collide with it).

#include <QEvent>
#include <QtGlobal>

namespace zeva {

class WindowMessageEvent : public QEvent {
public:
    WindowMessageEvent(quint32 message, quintptr wParam, qintptr lParam)
        : QEvent(eventType()), message_(message), wParam_(wParam), lParam_(lParam)
    {
    }

    // The one event type of every posted window message.
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

// Window message numbers the program's classes post.
namespace wm {
constexpr quint32 Timer = 275;           // a window timer's tick, wParam = the timer id
constexpr quint32 TrayCallback = 32770;  // the tray icon's default callback message
constexpr quint32 LButtonUp = 0x202;
constexpr quint32 LButtonDblClk = 0x203;
constexpr quint32 RButtonUp = 0x205;
}  // namespace wm

}  // namespace zeva
