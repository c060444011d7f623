#pragma once
// The month calendar without its widget: the grid geometry of a control of a
// given size, the mapping between days and grid cells, the hit test of a
// point, and the moves of the current date by days, months and years.
//
// Coordinates are the control's client pixels, origin at the top-left corner,
// y growing downward. Integer division truncates toward zero throughout.

#include <QDate>

namespace zeva::controls {

// A rectangle as the calendar's drawing code keeps it: left, top, right and
// bottom edges. Fills and lines leave out the right and bottom edge; the hit
// test of a point counts all four edges as inside.
struct CalRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const CalRect&) const = default;
};

// True when left <= x <= right and top <= y <= bottom.
bool POINTINSIDE(const CalRect& rect, int x, int y);

// Day 1 of the date's month.
QDate FIRSTDAYOFMONTH(const QDate& date);
// The last day of the date's month.
QDate LASTDAYOFMONTH(const QDate& date);
// The date minus n days.
QDate DATEDEC(const QDate& date, unsigned n);
bool ISLEAPYEAR(int year);
// The month of a month-menu item (3001 January ... 3012 December); 0 for any
// other id.
unsigned GETMONTH(unsigned id);

// The weekday as the calendar numbers it: 1 Sunday, 2 Monday, ... 7 Saturday.
int weekdayNumber(const QDate& date);

// Where a point of the control falls: the caption band (y <= top offset), a
// cell of the grid (row 0 the weekday row, rows 1-6 the weeks, columns 1-7),
// or neither (the strip right of the grid, the space under the last row).
struct CalendarHit {
    bool band = false;
    int row = 0;
    int column = 0;
};

// How a change of the current date has to be shown.
enum class CalendarChange {
    None,   // the same date: nothing to show
    Within, // another day of the shown month: the highlight moves
    Month,  // another month: the whole control is drawn again
};

class CalendarModel {
public:
    static constexpr int kTopOffset = 25;  // height of the caption band
    static constexpr unsigned kFirstMonthId = 3001;

    // A calendar `width` x `height` pixels on `today`.
    CalendarModel(int width = 0, int height = 0, const QDate& today = QDate::currentDate());

    // The grid follows the control's size.
    void setSize(int width, int height);

    int controlRight() const { return controlRight_; }
    int controlBottom() const { return controlBottom_; }
    int gridLeft() const { return gridLeft_; }
    int gridTop() const { return gridTop_; }
    int gridRight() const { return gridRight_; }
    int gridBottom() const { return gridBottom_; }
    int gridWidth() const { return gridWidth_; }
    int gridHeight() const { return gridHeight_; }
    int cellWidth() const { return gridWidth_ / 7; }
    // The grid height is a multiple of 6 but holds seven rows: what is left
    // stays empty under the last week.
    int cellHeight() const { return gridHeight_ / 7; }

    // The cell of row r and column c.
    CalRect cell(int row, int column) const;

    QDate CURRENTDATE() const { return current_; }
    int displayedYear() const { return displayedYear_; }
    int displayedMonth() const { return displayedMonth_; }
    // Sets the current date; an invalid date changes nothing.
    CalendarChange setCURRENTDATE(const QDate& date);

    // The weekday of the first column, 1 Sunday to 7 Saturday. Anything
    // outside 1-7 (a locale whose week starts on another day reports 0)
    // counts as Sunday.
    void setFIRSTDAYOFTHEWEEK(unsigned day);
    unsigned FIRSTDAYOFWEEK() const { return firstDay_; }

    int CASTDATE2COLUMN(const QDate& date) const;
    int CURRENTROWNUMBER() const;
    int CURRENTCOLUMNNUMBER() const { return CASTDATE2COLUMN(current_); }
    // The date of a cell of the shown month's grid; outside the month for
    // cells before day 1 or after the last day.
    QDate CASTROWCOL2DATE(int row, int column) const;
    // The cell of a day of the shown month.
    void cellOf(const QDate& date, int* row, int* column) const;

    CalendarHit hitTest(int x, int y) const;
    // The day of the shown month under a point of the grid, or a null date.
    QDate dayAt(int x, int y) const;

    // The moves. Days go where the arithmetic takes them; months land on the
    // same day of the target month, or its last day when the month is
    // shorter; years keep the day, 29 February becoming 28 in a common year.
    CalendarChange MOVEDAYS(int n);
    CalendarChange MOVEMONTHS(int n);
    CalendarChange MOVEYEARS(int n);
    // A month-menu item: the shown year's month of that item.
    CalendarChange chooseMonth(unsigned id);

private:
    CalendarChange moveTo(const QDate& date, bool forceRepaint);

    int controlRight_ = 0;
    int controlBottom_ = 0;
    int gridLeft_ = 0;
    int gridTop_ = kTopOffset;
    int gridRight_ = 0;
    int gridBottom_ = 0;
    int gridWidth_ = 0;
    int gridHeight_ = 0;
    QDate current_;
    int displayedYear_ = 0;
    int displayedMonth_ = 0;
    unsigned firstDay_ = 1;
};

}  // namespace zeva::controls
