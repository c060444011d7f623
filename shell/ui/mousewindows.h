#pragma once
// Windows that tell the control under the mouse pointer when the pointer enters
// and leaves it: the control receives MOUSEENTER() and MOUSEEXIT() when it has
// slots (or invokable methods) of these names; other controls are left alone.

#include "platform/ui/dialogtemplate.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace zeva {

// Watches one window and everything in it.
class MouseOverTracker : public QObject {
    Q_OBJECT
public:
    explicit MouseOverTracker(QWidget* window);

    // The check: finds the object under `globalPos` and sends MOUSEEXIT to the
    // one the pointer left and MOUSEENTER to the one it entered.
    void check(const QPoint& globalPos);

    QObject* OMOUSEOVER() const { return over_.data(); }
    bool LMOUSEBUSY() const { return busy_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);

    QWidget* window_;
    QPointer<QObject> over_;
    bool busy_ = false;
};

class NEWDIALOGWINDOW : public TemplateDialog {
    Q_OBJECT
public:
    explicit NEWDIALOGWINDOW(const DialogTemplate& tpl, QWidget* owner = nullptr, qreal dpi = 0);
    MouseOverTracker* mouseTracker() const { return tracker_; }

private:
    MouseOverTracker* tracker_;
};

class NEWDATADIALOG : public TemplateDialog {
    Q_OBJECT
public:
    explicit NEWDATADIALOG(const DialogTemplate& tpl, QWidget* owner = nullptr, qreal dpi = 0);
    MouseOverTracker* mouseTracker() const { return tracker_; }

private:
    MouseOverTracker* tracker_;
};

class NEWDATAWINDOW : public QWidget {
    Q_OBJECT
public:
    explicit NEWDATAWINDOW(QWidget* owner = nullptr);
    MouseOverTracker* mouseTracker() const { return tracker_; }

private:
    MouseOverTracker* tracker_;
};

}  // namespace zeva
