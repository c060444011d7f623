#pragma once
// A push button painted from two bitmaps (released and pressed), which can
// latch (two-state mode), and the three small buttons that sit at the right
// end of a date, file or search edit and pass a click on to it.

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>

namespace zeva {

class RIGHTSLE;
class FILESLE;
class SEARCHSLE;

// A bitmap of the control classes by resource name ("IBM_CALUP", ...); a null
// pixmap when there is none.
QPixmap controlBitmap(const QString& name);

class WMBITMAPBUTTON : public QAbstractButton {
    Q_OBJECT
public:
    // `geometry` in the owner's pixels; a null rectangle leaves it to the caller.
    WMBITMAPBUTTON(QWidget* owner, int id, const QRect& geometry = QRect(), const QString& text = QString());

    int id() const { return id_; }

    bool LDOWN = false;      // shown pressed
    QPixmap HBITMAPUP;       // painted while released
    QPixmap HBITMAPDOWN;     // painted while pressed
    bool LTWOSTATE = false;  // a click latches the button down, the next releases it
    bool LINSTATE = false;   // two-state: the press now in progress put it down

    // Lets go of both bitmaps and destroys the button (later, from the event loop).
    void DESTROY();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // The button went down (true) or up (false) under the pointer or the key.
    void setState(bool pressed);

    int id_ = 0;
};

// The calendar button of a date edit: a click opens the calendar of a
// writable edit (the edit's calendar command).
class DATEPB : public WMBITMAPBUTTON {
    Q_OBJECT
public:
    DATEPB(QWidget* owner, int id, const QRect& geometry, RIGHTSLE* edit);

private:
    void act();
    QPointer<RIGHTSLE> edit_;
};

// The browse button of a file edit: a click opens the edit's file or folder
// dialog, unless the edit is read-only.
class FILEPB : public WMBITMAPBUTTON {
    Q_OBJECT
public:
    FILEPB(QWidget* owner, int id, const QRect& geometry, FILESLE* edit);

private:
    void act();
    QPointer<FILESLE> edit_;
};

// The magnifier button of a search edit: a click asks the owner to search,
// unless the edit is read-only. It takes the focus only when clicked.
class SEARCHPB : public WMBITMAPBUTTON {
    Q_OBJECT
public:
    SEARCHPB(QWidget* owner, int id, const QRect& geometry, SEARCHSLE* edit);

private:
    void act();
    QPointer<SEARCHSLE> edit_;
};

// Puts `button` at the right end of `edit`: the edit loses 30 pixels of width,
// the button takes the last 28 of them and 2 more, one pixel taller than the
// edit. Both stay siblings in the edit's owner; the button follows the edit
// in the tab order.
QRect attachedButtonGeometry(const QRect& edit);
void attachButton(RIGHTSLE* edit, WMBITMAPBUTTON* button, bool showFirst = false);

}  // namespace zeva
