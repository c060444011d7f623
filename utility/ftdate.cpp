#include "utility/ftdate.h"

#include "platform/runtime.h"

#include <QMetaType>

#include <algorithm>
#include <cmath>

namespace zeva {

namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

// Sunday 1, Monday 2, ... Saturday 7.
int dayOfWeekNumber(const QDate& date) { return date.dayOfWeek() % 7 + 1; }

bool isDate(const QVariant& value) { return value.typeId() == QMetaType::QDate; }

QString yearLabel(int year) { return PadL(QString::number(year), 4); }

QString twoDigits(qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// A period number given as a number, moved into 1..count (anything outside
// becomes the last period).
int periodNumber(const QVariant& value, int count)
{
    const double v = std::trunc(value.toDouble());
    if (!(v >= 1 && v <= count))
        return count;
    return static_cast<int>(v);
}

int labelYear(const PeriodRecord& r) { return r.labelText().left(4).trimmed().toInt(); }
int labelPart(const PeriodRecord& r) { return r.labelText().mid(4, 2).toInt(); }

}  // namespace

FT_DATE::FT_DATE() = default;

QDate FT_DATE::today() const { return clock_ ? clock_() : QDate::currentDate(); }

QDate FT_DATE::dateOrToday(const QVariant& value) const
{
    if (!value.isValid())
        return today();
    if (isDate(value))
        return value.toDate();
    return {};
}

QDate FT_DATE::yearStart(int year) const
{
    // The start is kept as "yyyy.mm.dd"; only its month and day count.
    const int month = start_.mid(5, 2).toInt();
    const int day = start_.mid(8, 2).toInt();
    return QDate(year, month, day);
}

QDate FT_DATE::monthsFrom(const QDate& date, qint64 months, bool endOfMonth) const
{
    if (!date.isValid())
        return {};
    const int dayOffset = date.day() - 1;
    endOfMonth = endOfMonth && date.day() == date.daysInMonth();
    const qint64 total = qint64(date.year()) * 12 + (date.month() - 1) + months;
    const qint64 year = total >= 0 ? total / 12 : -((-total + 11) / 12);
    const int month = int(total - year * 12) + 1;
    if (year < kFirstYear || year > kLastYear)
        return {};
    const QDate first(int(year), month, 1);
    const int last = first.daysInMonth();
    return QDate(int(year), month, endOfMonth ? last : std::min(dayOffset + 1, last));
}

QDate FT_DATE::MADD(const QVariant& date, const QVariant& months, const QVariant& endOfMonth) const
{
    const QDate d = isDate(date) ? date.toDate() : today();
    qint64 steps = 0;
    if (isNumberValue(months)) {
        const double m = std::trunc(months.toDouble());
        // Far beyond any representable date either way.
        if (!std::isfinite(m) || std::fabs(m) > 1e9 * 12)
            return {};
        steps = qint64(m);
    }
    return monthsFrom(d, steps, endOfMonth.typeId() == QMetaType::Bool && endOfMonth.toBool());
}

int FT_DATE::DAYTOBOW(const QVariant& date) const
{
    const QDate d = dateOrToday(date);
    if (!d.isValid())
        return -1;
    int n = dayOfWeekNumber(d) - firstDay_;
    if (n < 0)
        n += 7;
    return n;
}

PeriodRecord FT_DATE::YEAR(const QVariant& date) const
{
    const QDate d = dateOrToday(date);
    if (!d.isValid())
        return {};
    // The fiscal year holding the date: the start in the date's calendar year,
    // or the one before when the date comes earlier.
    QDate first = yearStart(d.year());
    if (d < first)
        first = yearStart(d.year() - 1);
    if (!first.isValid())
        return {};
    const QDate next = monthsFrom(first, 12, false);
    if (!next.isValid())
        return {};
    const QDate last = next.addDays(-1);
    return {yearLabel(last.year()), first, last};
}

PeriodRecord FT_DATE::fiscalPart(const QDate& date, int length, int count, const QVariant& number) const
{
    const PeriodRecord year = YEAR(QVariant(date));
    if (year.isEmpty())
        return {};
    // Period i runs from `length` x i months after the year's start to the day
    // before `length` x (i + 1) months after it, so the periods of a year meet
    // without gap or overlap whatever the start day.
    int i = 0;
    if (isNumberValue(number)) {
        i = periodNumber(number, count) - 1;
    } else {
        while (i < count - 1 && monthsFrom(year.first, qint64(i + 1) * length, false) <= date)
            ++i;
    }
    const QDate first = monthsFrom(year.first, qint64(i) * length, false);
    const QDate next = monthsFrom(year.first, qint64(i + 1) * length, false);
    if (!first.isValid() || !next.isValid())
        return {};
    return {year.labelText() + twoDigits(i + 1), first, next.addDays(-1)};
}

PeriodRecord FT_DATE::QTR(const QVariant& date, const QVariant& quarter) const
{
    if (isNumberValue(date))
        return fiscalPart(today(), 3, 4, date);
    return fiscalPart(isDate(date) ? date.toDate() : today(), 3, 4, quarter);
}

PeriodRecord FT_DATE::MONTH(const QVariant& date, const QVariant& month) const
{
    const QDate d = dateOrToday(date);
    if (!d.isValid())
        return {};
    return fiscalPart(d, 1, 12, month);
}

PeriodRecord FT_DATE::weekOf(const QDate& date, const QVariant& week) const
{
    PeriodRecord a = YEAR(QVariant(date));
    if (a.isEmpty())
        return {};
    const QDate yearFirst = a.first;
    const QDate base = a.first.addDays(-DAYTOBOW(QVariant(a.first)));
    QDate d = date;
    if (isNumberValue(week)) {
        const int count = int(base.daysTo(a.last) / 7) + 1;
        d = base.addDays(7 * qint64(periodNumber(week, count) - 1));
    }
    const QDate e = d.addDays(6 - DAYTOBOW(QVariant(d)));
    a.label = a.labelText() + twoDigits(base.daysTo(e) / 7 + 1);
    a.first = std::max(e.addDays(-6), yearFirst);
    a.last = std::min(e, a.last);
    return a;
}

PeriodRecord FT_DATE::WEEK(const QVariant& date, const QVariant& week) const
{
    if (isNumberValue(date))
        return weekOf(today(), date);
    return weekOf(isDate(date) ? date.toDate() : today(), week);
}

PeriodRecord FT_DATE::DAYOFYR(const QVariant& date, const QVariant& day, const QVariant& accounting) const
{
    QDate d;
    QVariant n = day;
    QVariant acct = accounting;
    if (isNumberValue(date)) {
        n = date;
        d = today();
    } else if (date.typeId() == QMetaType::Bool) {
        acct = date;
        d = today();
    } else {
        d = isDate(date) ? date.toDate() : today();
    }
    const bool useAccounting = acct.typeId() == QMetaType::Bool && acct.toBool();
    PeriodRecord a = useAccounting ? ACCTYEAR(QVariant(d)) : YEAR(QVariant(d));
    if (a.isEmpty())
        return {};
    if (isNumberValue(n)) {
        const qint64 days = a.first.daysTo(a.last) + 1;
        const int k = periodNumber(n, int(days));
        a.label = QVariant(a.first.addDays(k - 1));
    } else {
        a.label = a.labelText() + QStringLiteral("%1").arg(a.first.daysTo(d) + 1, 3, 10, QLatin1Char('0'));
    }
    return a;
}

QVariantList FT_DATE::CNFG(const QVariant& start, const QVariant& firstDay)
{
    if (start.typeId() == QMetaType::QString) {
        QDate d = DateFromText(start.toString());
        if (d.isValid()) {
            if (d.month() == 2 && d.day() == 29)
                d = QDate(d.year(), 2, 28);
            start_ = d.toString(QStringLiteral("yyyy.MM.dd"));
        }
    }
    if (isNumberValue(firstDay)) {
        const double v = firstDay.toDouble();
        if (v >= 1 && v <= 7 && v == std::trunc(v))
            firstDay_ = int(v);
    }
    return {start_, firstDay_};
}

QDate FT_DATE::ACCTADJ(const QVariant& date, const QVariant& isEnd) const
{
    QDate d = dateOrToday(date);
    if (!d.isValid())
        return {};
    const bool end = isEnd.typeId() == QMetaType::Bool && isEnd.toBool();
    const int n = DAYTOBOW(QVariant(d));
    const int limit = end ? 2 : 3;
    d = n > limit ? d.addDays(7 - n) : d.addDays(-n);
    return end ? d.addDays(-1) : d;
}

PeriodRecord FT_DATE::adjusted(PeriodRecord record) const
{
    record.first = ACCTADJ(QVariant(record.first));
    record.last = ACCTADJ(QVariant(record.last), QVariant(true));
    return record;
}

PeriodRecord FT_DATE::ACCTYEAR(const QVariant& date) const
{
    const QDate d = dateOrToday(date);
    if (!d.isValid())
        return {};
    const PeriodRecord fiscal = YEAR(QVariant(d));
    if (fiscal.isEmpty())
        return {};
    PeriodRecord a = adjusted(fiscal);
    int y = labelYear(fiscal);
    // A date in the few days the adjustment moved into a neighbouring year is
    // counted to that year.
    if (d < a.first) {
        a = adjusted(YEAR(QVariant(fiscal.first.addDays(-1))));
        --y;
    } else if (d > a.last) {
        a = adjusted(YEAR(QVariant(fiscal.last.addDays(1))));
        ++y;
    }
    if (a.isEmpty() || !a.first.isValid() || !a.last.isValid())
        return {};
    a.label = yearLabel(y);
    return a;
}

PeriodRecord FT_DATE::ACCTWEEK(const QVariant& date, const QVariant& week) const
{
    QDate d;
    QVariant w = week;
    if (isNumberValue(date)) {
        w = date;
        d = today();
    } else {
        d = isDate(date) ? date.toDate() : today();
    }
    PeriodRecord a = ACCTYEAR(QVariant(d));
    if (a.isEmpty())
        return {};
    if (isNumberValue(w)) {
        const int count = int(a.first.daysTo(a.last) / 7) + 1;
        d = a.first.addDays(7 * qint64(periodNumber(w, count) - 1));
    }
    a.label = a.labelText() + twoDigits(a.first.daysTo(d) / 7 + 1);
    const QDate e = d.addDays(6 - DAYTOBOW(QVariant(d)));
    a.first = e.addDays(-6);
    a.last = e;
    return a;
}

PeriodRecord FT_DATE::accountingPart(const QVariant& dateArg, const QVariant& number, int length,
                                     int count) const
{
    QDate d = dateOrToday(dateArg);
    if (!d.isValid())
        return {};
    PeriodRecord fiscal = fiscalPart(d, length, count, {});
    if (fiscal.isEmpty())
        return {};
    PeriodRecord a = adjusted(fiscal);
    // A date that the week adjustment moved out of its fiscal period belongs to
    // the neighbouring period.
    if (d < a.first) {
        d = fiscal.first.addDays(-1);
        fiscal = fiscalPart(d, length, count, {});
    } else if (d > a.last) {
        d = fiscal.last.addDays(1);
        fiscal = fiscalPart(d, length, count, {});
    }
    if (isNumberValue(number))
        fiscal = fiscalPart(d, length, count, number);
    if (fiscal.isEmpty())
        return {};
    a = adjusted(fiscal);
    if (!a.first.isValid() || !a.last.isValid())
        return {};
    a.label = yearLabel(labelYear(fiscal)) + twoDigits(labelPart(fiscal));
    return a;
}

PeriodRecord FT_DATE::ACCTQTR(const QVariant& date, const QVariant& quarter) const
{
    if (isNumberValue(date))
        return accountingPart(QVariant(today()), date, 3, 4);
    return accountingPart(isDate(date) ? date : QVariant(today()), quarter, 3, 4);
}

PeriodRecord FT_DATE::ACCTMONTH(const QVariant& date, const QVariant& month) const
{
    return accountingPart(date, month, 1, 12);
}

}  // namespace zeva
