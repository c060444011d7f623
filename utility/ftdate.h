#pragma once
// Calendar questions about a date: the week, month, quarter and year (fiscal or
// accounting) that hold it, its day of the year, and month arithmetic. The year
// may start on any month and day, the week on any weekday.
//
// Arguments are QVariants because the methods take what they are given the way
// the class always has: a QDate is a date (an invalid QDate is the empty date),
// a number in the date position of WEEK, QTR, ACCTWEEK, ACCTQTR and DAYOFYR is
// the period number, a missing value means today. An empty date gives an empty
// result (an empty date from MADD, a record with nothing in it from the period
// methods).

#include <QDate>
#include <QString>
#include <QVariant>
#include <QVariantList>

#include <functional>

namespace zeva {

// {label, first day, last day}. The label is text ("2024", "202405",
// "2024061"), or for DAYOFYR with a day number that day's date.
struct PeriodRecord {
    QVariant label;
    QDate first;
    QDate last;

    bool isEmpty() const { return !label.isValid() && !first.isValid() && !last.isValid(); }
    QString labelText() const { return label.toString(); }
    bool operator==(const PeriodRecord&) const = default;
};

class FT_DATE {
public:
    // Configuration {"1980.01.01", 1}: calendar years, weeks from Sunday.
    FT_DATE();

    PeriodRecord WEEK(const QVariant& date = {}, const QVariant& week = {}) const;
    QDate MADD(const QVariant& date = {}, const QVariant& months = {}, const QVariant& endOfMonth = {}) const;
    PeriodRecord YEAR(const QVariant& date = {}) const;
    PeriodRecord QTR(const QVariant& date = {}, const QVariant& quarter = {}) const;
    PeriodRecord MONTH(const QVariant& date = {}, const QVariant& month = {}) const;
    // 0 to 6: days since the first day of the date's week (-1 for the empty date).
    int DAYTOBOW(const QVariant& date = {}) const;
    PeriodRecord DAYOFYR(const QVariant& date = {}, const QVariant& day = {}, const QVariant& accounting = {}) const;
    // Fiscal-year start as dd.mm.yyyy text, first day of the week 1 (Sunday) to
    // 7 (Saturday); values that fail their test change nothing. Returns a copy
    // of the configuration {"yyyy.mm.dd", first day}.
    QVariantList CNFG(const QVariant& start = {}, const QVariant& firstDay = {});
    PeriodRecord ACCTYEAR(const QVariant& date = {}) const;
    PeriodRecord ACCTWEEK(const QVariant& date = {}, const QVariant& week = {}) const;
    PeriodRecord ACCTQTR(const QVariant& date = {}, const QVariant& quarter = {}) const;
    PeriodRecord ACCTMONTH(const QVariant& date = {}, const QVariant& month = {}) const;
    QDate ACCTADJ(const QVariant& date = {}, const QVariant& isEnd = {}) const;

    // Today's date; the system date unless a test sets its own clock.
    void setClock(std::function<QDate()> clock) { clock_ = std::move(clock); }

private:
    QDate today() const;
    // A missing value means today; a date is itself; anything else is the
    // empty date.
    QDate dateOrToday(const QVariant& value) const;
    QDate yearStart(int year) const;
    QDate monthsFrom(const QDate& date, qint64 months, bool endOfMonth) const;
    PeriodRecord fiscalPart(const QDate& date, int length, int count, const QVariant& number) const;
    PeriodRecord weekOf(const QDate& date, const QVariant& week) const;
    PeriodRecord accountingPart(const QVariant& dateArg, const QVariant& number, int length, int count) const;
    PeriodRecord adjusted(PeriodRecord record) const;

    QString start_ = QStringLiteral("1980.01.01");
    int firstDay_ = 1;
    std::function<QDate()> clock_;
};

}  // namespace zeva
