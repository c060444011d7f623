#pragma once
// PECALENDAR: a month calendar drawn by the program itself. A caption band
// shows the month and year between two arrows, then a row of weekday
// abbreviations and the days of the month in seven columns and six weeks,
// the current date filled in the highlight colour.
//
// Mouse: the arrows step a month, the month name opens a menu of the months,
// the year opens a small year edit with an up-down; a click on a day makes it
// current, a double click picks it. Keys: arrows move by a day or a week,
// Page Up and Page Down by a month, Home and End to the month's first and last
// day, Enter (pressed and released on the calendar) picks the current date,
// Esc asks to close. The calendar keeps Tab, arrows, Enter and Esc to itself.
//
// Colours come from the palette: Button for the background and the caption
// band, Highlight and HighlightedText for the current day, WindowText for the
// caption. Names of months and weekdays and the first day of the week come
// from the calendar's locale (the program's default locale unless set).

#include "controls/calendar.h"

#include <QDate>
#include <QFrame>
#include <QLocale>
#include <QPointer>

class QLineEdit;
class QMenu;

namespace zeva {

class PECALENDAR : public QFrame {
    Q_OBJECT
public:
    static constexpr int kYearEditId = 1101;
    static constexpr int kSpinnerId = 1102;
    static constexpr int kFirstYear = 1752;
    static constexpr int kLastYear = 2999;

    // With a null `geometry` and a TemplateDialog owner that has a control
    // `id`, the calendar takes that control's place.
    explicit PECALENDAR(QWidget* owner = nullptr, int id = 0, const QRect& geometry = QRect());
    ~PECALENDAR() override;

    int id() const { return id_; }
    const controls::CalendarModel& model() const { return model_; }

    // A one-pixel border round the calendar, which then draws inside it.
    void setBordered(bool bordered);

    QDate CURRENTDATE() const { return model_.CURRENTDATE(); }
    // Another day of the shown month redraws only the two days; another month
    // redraws the control; the same date draws nothing.
    void setCURRENTDATE(const QDate& date);

    // 1 Sunday ... 7 Saturday; anything else counts as Sunday. Nothing is
    // redrawn.
    void setFIRSTDAYOFTHEWEEK(unsigned day) { model_.setFIRSTDAYOFTHEWEEK(day); }
    unsigned FIRSTDAYOFWEEK() const { return model_.FIRSTDAYOFWEEK(); }

    // Month and weekday names and the first day of the week.
    void setCalendarLocale(const QLocale& locale);
    QLocale calendarLocale() const { return locale_; }
    QString monthName(int month) const;
    // The abbreviation of a weekday, 1 Sunday ... 7 Saturday.
    QString weekdayAbbreviation(int weekday) const;

    int CURRENTROWNUMBER() const { return model_.CURRENTROWNUMBER(); }
    int CURRENTCOLUMNNUMBER() const { return model_.CURRENTCOLUMNNUMBER(); }
    QDate CASTROWCOL2DATE(int row, int column) const { return model_.CASTROWCOL2DATE(row, column); }
    int CASTDATE2COLUMN(const QDate& date) const { return model_.CASTDATE2COLUMN(date); }

    void MOVEDAYS(int n);
    void MOVEMONTHS(int n);
    void MOVEYEARS(int n);

    // Opens the month menu under the month's name.
    void EDITMONTH();
    // Opens the year edit on the year.
    void EDITYEAR();
    // A command of the month menu (3001 January ... 3012 December).
    void command(int id);

    // Where the month name and the year are drawn (calendar pixels, inside
    // the frame); what the caption clicks are tested against.
    controls::CalRect monthCaptionRect() const;
    controls::CalRect yearCaptionRect() const;
    // A cell in widget pixels.
    QRect cellRect(int row, int column) const;
    // The widget pixel of a calendar pixel.
    QPoint toWidget(int x, int y) const;

    QMenu* monthMenu() const { return monthMenu_; }
    QLineEdit* yearEdit() const { return yearEdit_; }
    QWidget* yearSpinner() const { return spinner_; }

    QSize sizeHint() const override;

signals:
    // The user picked a day (double click, or Enter).
    void picked(const QDate& date);
    // Esc: the calendar's window should close without a pick.
    void closeRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct Caption {
        QString text;
        int x = 0;
        int y = 0;
        controls::CalRect month;
        controls::CalRect year;
    };
    Caption caption() const;
    QFont gridFont() const;
    QFont captionFont() const;

    void showChange(controls::CalendarChange change, const QDate& before);
    void updateDay(const QDate& date);
    void press(int x, int y);
    void stepYearEdit(int n);
    void applyYearEdit();

    int id_ = 0;
    controls::CalendarModel model_;
    QLocale locale_;
    QPointer<QMenu> monthMenu_;
    QPointer<QLineEdit> yearEdit_;
    QPointer<QWidget> spinner_;
    bool enterDown_ = false;  // the Enter now held went down on the calendar
};

}  // namespace zeva
