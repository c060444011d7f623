#pragma once
// Right-aligned single-line edits and their subclasses:
//
// RIGHTSLE   follows the type of its field format: "N" numbers typed calculator
//            fashion (see controls/rightsle.h), "D" dates stepped with the
//            keypad's + and - and picked from the calendar, anything else (or
//            no field format) a plain edit;
// DATESLE    a date edit with a calendar button;
// FILESLE    a file or folder name chosen in a dialog on a double-click;
// PBFILESLE  the same with a browse button;
// SEARCHSLE  asks its owner window to search (double-click or the button);
// TIMERSLE   shows a running stopwatch or the clock.

#include "controls/rightsle.h"
#include "platform/ui/controls.h"

#include <QBasicTimer>
#include <QDate>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <optional>

class QMenu;

namespace zeva {

class WMBITMAPBUTTON;
class PEDATESLECONTEXTMENU;

// The simple beep of the control classes; counted, so tests can see it.
void controlBeep();
int controlBeepCount();

// Picks a date for a date edit: the chosen date, or a null date for none. The
// program-wide picker runs the calendar dialog (DLGPECALENDAR) modally unless
// another is installed (a null one goes back to the dialog).
using CalendarPicker = std::function<QDate(class RIGHTSLE& edit)>;
void setCalendarPicker(CalendarPicker picker);

class RIGHTSLE : public VQSLE {
    Q_OBJECT
public:
    // The command ids of the date context menu.
    static constexpr int kCmdToday = 7754;
    static constexpr int kCmdCalendar = 7755;

    // With a null `geometry` and a TemplateDialog owner that has a control
    // `id`, the edit takes that control's place, font and tab position.
    explicit RIGHTSLE(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());
    ~RIGHTSLE() override;

    int id() const { return id_; }
    QWidget* OWNER() const { return owner_; }

    bool hasFieldSpec() const { return format_.has_value(); }
    controls::FieldSpec FIELDSPEC() const { return format_.value_or(controls::FieldSpec{}); }
    void setFIELDSPEC(const controls::FieldSpec& format);
    void clearFIELDSPEC();

    // The value by the field format's type (double, QDate, or the text).
    QVariant VALUE() const;
    void setVALUE(const QVariant& value);
    QString TEXTVALUE() const { return text(); }
    void setTEXTVALUE(const QString& value) { setText(value); }
    bool READONLY() const { return isReadOnly(); }

    bool LALIGNCALENDARLEFT = true;
    unsigned FIRSTDAYOFTHEWEEK = 0;

    // One keystroke of a numeric edit.
    void PROCESSNUM(controls::NumKey key);
    // Keypad + (107) and - (109) step a date edit by one day.
    void CALKEYDOWN(int code);
    // Opens the calendar of a date edit; the chosen date becomes the value and
    // the focus comes back to the edit.
    void SHOWCALENDAR();
    void INVALIDACTION() { controlBeep(); }
    QString SETFIELD(const QString& value, double factor = 1) const;
    QString ZEROPAD() const;
    // ENABLE and DISABLE keep READONLY in step with the enabled state.
    void ENABLE();
    void DISABLE();
    void SHOW() { show(); }

    // A command sent to the edit (the date context menu and the calendar
    // button): today and calendar for a writable date edit.
    virtual void command(int id);

    // The button at the edit's right end, if a subclass attached one.
    WMBITMAPBUTTON* attachedButton() const;
    void setAttachedButton(WMBITMAPBUTTON* button);

    // A picker for this edit alone (tests); a null one goes back to the
    // program's.
    void setCalendarPickerOverride(CalendarPicker picker) { picker_ = std::move(picker); }

    bool isFresh() const { return fresh_; }

    // The context menu of a numeric edit: the standard one without the items
    // that would change the text.
    QMenu* createNumericContextMenu();

    void setVisible(bool visible) override;

protected:
    // A left double-click; true when handled (the edit's own handling then
    // does not run).
    virtual bool leftDoubleClick();

    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool isNumeric() const { return format_ && format_->isNumber(); }
    bool isDate() const { return format_ && format_->isDate(); }
    void numericKey(QKeyEvent* event);
    void dateKey(QKeyEvent* event);

    int id_ = 0;
    QPointer<QWidget> owner_;
    std::optional<controls::FieldSpec> format_;
    bool fresh_ = true;
    bool pendingMinus_ = false;
    QPointer<WMBITMAPBUTTON> button_;
    CalendarPicker picker_;
};

// A ready-made date entry: a date field format, the empty date, a calendar
// button and the "&Today" / "&Calendar..." context menu; its calendar weeks
// always begin on Sunday.
class DATESLE : public RIGHTSLE {
    Q_OBJECT
public:
    static constexpr int kButtonId = 10101;
    explicit DATESLE(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());

    PEDATESLECONTEXTMENU* CONTEXTMENU() const;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    QPointer<PEDATESLECONTEXTMENU> contextMenu_;
};

// The three dialogs a file edit opens. The program's own uses Qt's file
// dialog; tests hand an edit a recording fake.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen name, empty when cancelled. `filters` as Qt writes them
    // ("All FIles (*)").
    virtual QString openFileName(QWidget* owner, const QString& initialName, const QStringList& filters) = 0;
    virtual QString saveFileName(QWidget* owner, const QString& initialName, const QStringList& filters) = 0;
    // The chosen folder, empty when cancelled.
    virtual QString folderName(QWidget* owner, const QString& caption) = 0;
};
FileChooser& defaultFileChooser();

class FILESLE : public RIGHTSLE {
    Q_OBJECT
public:
    explicit FILESLE(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());

    int NDIALOGTYPE = 1;       // 1 open, 2 folder, any other save-as
    QString SFDIALOGCAPTION;   // caption of the folder dialog
    QString SDBFNAME;          // file name put after a chosen folder
    QVariant XFILTER;          // filter pattern(s); null: every file
    QVariant XFILTERDESC;      // their description(s)

    // Opens the dialog of NDIALOGTYPE; the choice becomes the text.
    void MOUSEBUTTONDOUBLECLICK();

    // Not owned; null goes back to the program's dialogs.
    void setFileChooser(FileChooser* chooser) { chooser_ = chooser; }

    // The filters offered by the file dialogs.
    QStringList filters() const;

protected:
    bool leftDoubleClick() override;

private:
    FileChooser* chooser_ = nullptr;
};

class PBFILESLE : public FILESLE {
    Q_OBJECT
public:
    static constexpr int kButtonId = 10102;
    explicit PBFILESLE(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());
};

// Asks the owner window to search: the owner's invokable method named by
// SYMMETHOD, taking (QWidget* edit, const QString& text), is called with the
// edit and its text. An owner without it makes nothing happen.
class SEARCHSLE : public RIGHTSLE {
    Q_OBJECT
public:
    static constexpr int kButtonId = 10103;
    explicit SEARCHSLE(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());

    QByteArray SYMMETHOD = "sleSearch";

    void MOUSEBUTTONDOUBLECLICK();

protected:
    bool leftDoubleClick() override;
};

// The clock a timer edit reads: seconds on a clock that never goes back, and
// the time of day.
class TimerClock {
public:
    virtual ~TimerClock() = default;
    virtual double seconds() const = 0;
    virtual QTime timeOfDay() const = 0;
};
TimerClock& systemTimerClock();

class TIMERSLE : public RIGHTSLE {
    Q_OBJECT
public:
    explicit TIMERSLE(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());

    // 0 time of day, 1 elapsed seconds, 2 elapsed whole minutes, 3 elapsed
    // minutes with two decimals.
    void setSTYLE(int style) { style_ = style; }
    int STYLE() const { return style_; }
    // Refresh period in milliseconds, used by the next START.
    void setINTERVAL(int ms) { interval_ = ms; }
    int INTERVAL() const { return interval_; }

    void TIMER();
    void START();
    void STOP();
    void RESET();
    bool isRunning() const { return timer_.isActive(); }

    // Not owned; null goes back to the system clock.
    void setClock(TimerClock* clock) { clock_ = clock; }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    const TimerClock& clock() const { return clock_ ? *clock_ : systemTimerClock(); }

    controls::Stopwatch watch_;
    QBasicTimer timer_;
    int style_ = 1;
    int interval_ = 500;
    TimerClock* clock_ = nullptr;
};

}  // namespace zeva
