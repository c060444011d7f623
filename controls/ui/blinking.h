#pragma once
// Controls that blink on a timer of their own: shown for one interval, hidden
// for the next. They start blinking when made, at 333 ms; BLINKING(TRUE, n)
// restarts with n ms (200 at least, 0 keeps the interval), BLINKING(FALSE) or
// BLINKING() stops in the current state; SHOW (show()) shows it again.
//
// The label hides and shows itself; the edit only stops painting while
// "hidden", so it keeps its place, its focus and what is typed into it.

#include <QBasicTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QTimerEvent>

#include <algorithm>

namespace zeva {

template <class Base>
class Blinking : public Base {
public:
    explicit Blinking(QWidget* owner) : Base(owner) { BLINKING(true); }

    Blinking& BLINKING(bool on = false, int interval = 0)
    {
        if (interval != 0)
            interval_ = interval;
        if (on) {
            interval_ = std::max(200, interval_);
            hidden_ = false;
            timer_.start(interval_, this);
        } else {
            timer_.stop();
        }
        return *this;
    }

    void DESTROY() { timer_.stop(); }

    int interval() const { return interval_; }
    bool isBlinking() const { return timer_.isActive(); }
    int blinkTimerId() const { return timer_.timerId(); }
    // TRUE while the blinking has the control hidden.
    bool blinkHidden() const { return hidden_; }

    // SHOW brings the control back, also one that the blinking left hidden
    // when it stopped.
    void setVisible(bool visible) override
    {
        if (visible && hidden_) {
            hidden_ = false;
            this->update();
        }
        Base::setVisible(visible);
    }

protected:
    void timerEvent(QTimerEvent* event) override
    {
        if (event->timerId() != timer_.timerId() || !timer_.isActive()) {
            Base::timerEvent(event);
            return;
        }
        hidden_ = !hidden_;
        showBlink(!hidden_);
    }

    virtual void showBlink(bool visible) = 0;

    bool hidden_ = false;

private:
    int interval_ = 333;
    QBasicTimer timer_;
};

class BLINKINGFIXEDTEXT : public Blinking<QLabel> {
    Q_OBJECT
public:
    explicit BLINKINGFIXEDTEXT(QWidget* owner, int id = 0, const QString& text = {})
        : Blinking<QLabel>(owner), id_(id)
    {
        setText(text);
    }
    int controlId() const { return id_; }

protected:
    void showBlink(bool visible) override { setVisible(visible); }

private:
    int id_;
};

class BLINKINGSLE : public Blinking<QLineEdit> {
    Q_OBJECT
public:
    explicit BLINKINGSLE(QWidget* owner, int id = 0) : Blinking<QLineEdit>(owner), id_(id) {}
    int controlId() const { return id_; }

protected:
    void showBlink(bool) override { update(); }
    void paintEvent(QPaintEvent* event) override
    {
        if (!hidden_)
            QLineEdit::paintEvent(event);
    }

private:
    int id_;
};

}  // namespace zeva
