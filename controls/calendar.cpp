#include "controls/calendar.h"

#include <algorithm>

namespace zeva::controls {

bool POINTINSIDE(const CalRect& rect, int x, int y)
{
    return rect.left <= x && x <= rect.right && rect.top <= y && y <= rect.bottom;
}

QDate FIRSTDAYOFMONTH(const QDate& date)
{
    return QDate(date.year(), date.month(), 1);
}

QDate LASTDAYOFMONTH(const QDate& date)
{
    return QDate(date.year(), date.month(), date.daysInMonth());
}

QDate DATEDEC(const QDate& date, unsigned n)
{
    return date.addDays(-static_cast<qint64>(n));
}

bool ISLEAPYEAR(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned GETMONTH(unsigned id)
{
    if (id < CalendarModel::kFirstMonthId || id > CalendarModel::kFirstMonthId + 11)
        return 0;
    return id - CalendarModel::kFirstMonthId + 1;
}

int weekdayNumber(const QDate& date)
{
    // QDate counts Monday 1 to Sunday 7.
    return date.dayOfWeek() % 7 + 1;
}

CalendarModel::CalendarModel(int width, int height, const QDate& today)
{
    setSize(width, height);
    current_ = today.isValid() ? today : QDate::currentDate();
    displayedYear_ = current_.year();
    displayedMonth_ = current_.month();
}

void CalendarModel::setSize(int width, int height)
{
    controlRight_ = std::max(0, width);
    controlBottom_ = std::max(0, height);
    gridTop_ = kTopOffset;
    gridLeft_ = 0;
    gridWidth_ = (controlRight_ - gridLeft_) / 7 * 7;
    gridRight_ = gridLeft_ + gridWidth_;
    gridHeight_ = std::max(0, (controlBottom_ - gridTop_) / 6 * 6);
    gridBottom_ = gridTop_ + gridHeight_;
}

CalRect CalendarModel::cell(int row, int column) const
{
    CalRect r;
    r.left = gridLeft_ + (column - 1) * cellWidth();
    r.top = gridTop_ + row * cellHeight();
    r.right = r.left + cellWidth();
    r.bottom = r.top + cellHeight();
    return r;
}

CalendarChange CalendarModel::setCURRENTDATE(const QDate& date)
{
    if (!date.isValid() || date == current_)
        return CalendarChange::None;
    return moveTo(date, false);
}

void CalendarModel::setFIRSTDAYOFTHEWEEK(unsigned day)
{
    firstDay_ = (day >= 1 && day <= 7) ? day : 1;
}

int CalendarModel::CASTDATE2COLUMN(const QDate& date) const
{
    int column = weekdayNumber(date) - (static_cast<int>(firstDay_) - 1);
    if (column < 1)
        column += 7;
    return column;
}

int CalendarModel::CURRENTROWNUMBER() const
{
    return (current_.day() + CASTDATE2COLUMN(FIRSTDAYOFMONTH(current_)) - 2) / 7 + 1;
}

QDate CalendarModel::CASTROWCOL2DATE(int row, int column) const
{
    const QDate first = FIRSTDAYOFMONTH(current_);
    return first.addDays(static_cast<qint64>(row - 1) * 7 + (column - CASTDATE2COLUMN(first)));
}

void CalendarModel::cellOf(const QDate& date, int* row, int* column) const
{
    const QDate first = FIRSTDAYOFMONTH(date);
    *column = CASTDATE2COLUMN(date);
    *row = (date.day() + CASTDATE2COLUMN(first) - 2) / 7 + 1;
}

CalendarHit CalendarModel::hitTest(int x, int y) const
{
    CalendarHit hit;
    if (y <= kTopOffset) {
        hit.band = true;
        return hit;
    }
    if (cellWidth() <= 0 || cellHeight() <= 0)
        return hit;
    const int row = (y - gridTop_) / cellHeight();
    const int column = x / cellWidth() + 1;
    // Right of the grid (a width that is no multiple of 7) or under the last
    // week there is no cell.
    if (x < gridLeft_ || column > 7 || row > 6)
        return hit;
    hit.row = row;
    hit.column = column;
    return hit;
}

QDate CalendarModel::dayAt(int x, int y) const
{
    const CalendarHit hit = hitTest(x, y);
    if (hit.band || hit.row < 1 || hit.column < 1)
        return QDate();
    const QDate d = CASTROWCOL2DATE(hit.row, hit.column);
    if (d < FIRSTDAYOFMONTH(current_) || d > LASTDAYOFMONTH(current_))
        return QDate();
    return d;
}

CalendarChange CalendarModel::moveTo(const QDate& date, bool forceRepaint)
{
    if (!date.isValid())
        return CalendarChange::None;
    const bool otherMonth = date.year() != displayedYear_ || date.month() != displayedMonth_;
    current_ = date;
    displayedYear_ = date.year();
    displayedMonth_ = date.month();
    if (otherMonth || forceRepaint)
        return CalendarChange::Month;
    return CalendarChange::Within;
}

CalendarChange CalendarModel::MOVEDAYS(int n)
{
    if (n == 0)
        return CalendarChange::None;
    return moveTo(current_.addDays(n), false);
}

CalendarChange CalendarModel::MOVEMONTHS(int n)
{
    // Months counted from year 0, so a step of any size lands in the right
    // year; the day is kept where the target month has it.
    const qint64 months = static_cast<qint64>(current_.year()) * 12 + (current_.month() - 1) + n;
    qint64 year = months / 12;
    qint64 month = months % 12;
    if (month < 0) {
        month += 12;
        --year;
    }
    if (year < 1 || year > 9999)
        return CalendarChange::None;
    const QDate first(static_cast<int>(year), static_cast<int>(month) + 1, 1);
    const QDate target(first.year(), first.month(), std::min(current_.day(), first.daysInMonth()));
    return moveTo(target, true);
}

CalendarChange CalendarModel::MOVEYEARS(int n)
{
    const qint64 year = static_cast<qint64>(current_.year()) + n;
    if (year < 1 || year > 9999)
        return CalendarChange::None;
    int day = current_.day();
    if (current_.month() == 2 && day == 29 && !ISLEAPYEAR(static_cast<int>(year)))
        day = 28;
    return moveTo(QDate(static_cast<int>(year), current_.month(), day), true);
}

CalendarChange CalendarModel::chooseMonth(unsigned id)
{
    const unsigned month = GETMONTH(id);
    if (month == 0)
        return CalendarChange::None;
    return MOVEMONTHS(static_cast<int>(month) - current_.month());
}

}  // namespace zeva::controls
