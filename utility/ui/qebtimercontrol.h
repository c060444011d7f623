#pragma once
// An invisible label that runs a 100 ms window timer and on each tick calls
// ONQEBTIMER of the window that holds it. The answer FALSE leaves the timer
// stopped; anything else starts it again, so ticks never pile up behind a slow
// callback.

#include "utility/qebtimer.h"

#include <QLabel>
#include <QVariant>

namespace zeva {

class QEBTIMERCONTROL;

// What a window that holds a timer control implements to hear its ticks.
class QebTimerOwner {
public:
    virtual ~QebTimerOwner() = default;
    // FALSE stops the timer; TRUE or no answer (an invalid QVariant) keeps it.
    virtual QVariant ONQEBTIMER(QEBTIMERCONTROL* control) = 0;
};

class QEBTIMERCONTROL : public QLabel {
    Q_OBJECT
public:
    QEBTIMERCONTROL(QWidget* owner, int id = 0, const QPoint& origin = {}, const QSize& size = {},
                    const QString& text = {});
    ~QEBTIMERCONTROL() override;

    QEBTIMER& TIMER() { return timer_; }
    int controlId() const { return id_; }
    void DESTROY();
    void START();
    void STOP();
    bool RUNNING() const { return timer_.RUNNING(); }

protected:
    bool event(QEvent* event) override;

private:
    QebTimerOwner* timerOwner() const;

    int id_;
    QEBTIMER timer_;
};

}  // namespace zeva
