#pragma once
// A periodic window timer bound to an owner object: each tick reaches the
// owner as the window message 275 with the timer's id in wParam. Ids are
// program-wide, from 2032 upward. The interval is kept as a 16-bit number
// (65536 is 0); like the window timers, a running timer fires at least 10 ms
// apart, whatever shorter interval it holds.

#include <QObject>
#include <QPointer>
#include <QVariant>

#include <memory>

class QTimer;

namespace zeva {

class QEBTIMER {
public:
    // The interval defaults to 1000 ms, also for anything but a number; the
    // timer is not started.
    explicit QEBTIMER(QObject* owner, const QVariant& interval = {});
    ~QEBTIMER();
    QEBTIMER(const QEBTIMER&) = delete;
    QEBTIMER& operator=(const QEBTIMER&) = delete;

    int ID() const { return id_; }
    bool RUNNING() const { return running_; }
    QObject* OWNER() const { return owner_; }
    int INTERVAL() const { return interval_; }

    // A null owner is ignored; otherwise a running timer restarts on the new one.
    QObject* setOWNER(QObject* owner);
    // FALSE when the timer runs already or has no owner.
    bool START();
    QEBTIMER& STOP();
    // A non-number is ignored; a running timer restarts with the new interval.
    int setINTERVAL(const QVariant& interval);

    // The last id handed out (2031 at start). Ids past 65535 start again at
    // 2032, skipping ids of timers still alive.
    static int NLASTTIMERID();
    static void resetTimerIdsForTest();

private:
    QPointer<QObject> owner_;
    int id_ = 0;
    quint16 interval_ = 1000;
    bool running_ = false;
    std::unique_ptr<QTimer> timer_;
};

}  // namespace zeva
