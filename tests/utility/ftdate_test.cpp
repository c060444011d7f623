#include "utility/ftdate.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zeva {
namespace {

QVariant D(int y, int m, int d) { return QVariant(QDate(y, m, d)); }

std::string show(const PeriodRecord& r)
{
    const QString label = r.label.typeId() == QMetaType::QDate ? r.label.toDate().toString(Qt::ISODate)
                                                                : r.labelText();
    return (label + QLatin1Char(' ') + r.first.toString(Qt::ISODate) + QLatin1Char(' ') +
            r.last.toString(Qt::ISODate))
        .toStdString();
}

struct Case {
    const char* what;
    std::function<PeriodRecord(const FT_DATE&)> call;
    const char* expected;
};

FT_DATE withClock(QDate today)
{
    FT_DATE f;
    f.setClock([today] { return today; });
    return f;
}

TEST(FtDate, CalendarYearsWeeksFromSunday)
{
    const FT_DATE f = withClock(QDate(2024, 6, 1));
    const Case cases[] = {
        {"year", [](const FT_DATE& f) { return f.YEAR(D(2024, 5, 15)); }, "2024 2024-01-01 2024-12-31"},
        {"first week cut at the year's start", [](const FT_DATE& f) { return f.WEEK(D(2024, 1, 1)); },
         "202401 2024-01-01 2024-01-06"},
        {"last week cut at the year's end", [](const FT_DATE& f) { return f.WEEK(D(2024, 12, 31)); },
         "202453 2024-12-29 2024-12-31"},
        {"week 60 is the last week", [](const FT_DATE& f) { return f.WEEK(60); }, "202453 2024-12-29 2024-12-31"},
        {"a number first is the week, today the date", [](const FT_DATE& f) { return f.WEEK(5, 7); },
         "202405 2024-01-28 2024-02-03"},
        {"quarter", [](const FT_DATE& f) { return f.QTR(D(2024, 5, 15)); }, "202402 2024-04-01 2024-06-30"},
        {"quarter 9 is the fourth", [](const FT_DATE& f) { return f.QTR(D(2024, 5, 15), 9); },
         "202404 2024-10-01 2024-12-31"},
        {"month", [](const FT_DATE& f) { return f.MONTH(D(2024, 2, 10)); }, "202402 2024-02-01 2024-02-29"},
        {"day of the year", [](const FT_DATE& f) { return f.DAYOFYR(D(2024, 3, 1)); },
         "2024061 2024-01-01 2024-12-31"},
        {"day 400 is the last day", [](const FT_DATE& f) { return f.DAYOFYR(D(2024, 6, 1), 400); },
         "2024-12-31 2024-01-01 2024-12-31"},
        {"accounting year", [](const FT_DATE& f) { return f.ACCTYEAR(D(2024, 6, 1)); },
         "2024 2023-12-31 2024-12-28"},
        {"accounting year of a late December day", [](const FT_DATE& f) { return f.ACCTYEAR(D(2024, 12, 30)); },
         "2025 2024-12-29 2026-01-03"},
        {"accounting week", [](const FT_DATE& f) { return f.ACCTWEEK(D(2024, 12, 30)); },
         "202501 2024-12-29 2025-01-04"},
        {"accounting month", [](const FT_DATE& f) { return f.ACCTMONTH(D(2024, 12, 30)); },
         "202501 2024-12-29 2025-02-01"},
        {"accounting quarter", [](const FT_DATE& f) { return f.ACCTQTR(D(2024, 12, 30)); },
         "202501 2024-12-29 2025-03-29"},
        {"accounting month moved back", [](const FT_DATE& f) { return f.ACCTMONTH(D(2024, 3, 1)); },
         "202402 2024-02-04 2024-03-02"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(c.call(f)), c.expected) << c.what;

    EXPECT_EQ(f.MADD(D(2024, 1, 31), 1), QDate(2024, 2, 29));
    EXPECT_EQ(f.MADD(D(2024, 3, 31), -13), QDate(2023, 2, 28));
    EXPECT_EQ(f.MADD(D(2024, 5, 15), 2.7), QDate(2024, 7, 15));
    EXPECT_EQ(f.MADD(D(2024, 2, 29), 1), QDate(2024, 3, 29));
    EXPECT_EQ(f.MADD(D(2024, 2, 29), 1, true), QDate(2024, 3, 31));
    EXPECT_EQ(f.MADD(D(2024, 1, 30), 1, true), QDate(2024, 2, 29)) << "the flag counts only on a month's last day";
    EXPECT_EQ(f.MADD(QVariant(QStringLiteral("x")), 1), QDate(2024, 7, 1)) << "not a date: today";
    EXPECT_EQ(f.ACCTADJ(D(2024, 1, 1)), QDate(2023, 12, 31));
    EXPECT_EQ(f.ACCTADJ(D(2024, 1, 4)), QDate(2024, 1, 7));
    EXPECT_EQ(f.ACCTADJ(D(2024, 12, 31), true), QDate(2024, 12, 28));
}

TEST(FtDate, FiscalYearFromAprilWeeksFromMonday)
{
    FT_DATE f = withClock(QDate(2024, 6, 1));
    const QVariantList config = f.CNFG(QStringLiteral("01.04.1980"), 2);
    EXPECT_EQ(config, (QVariantList{QStringLiteral("1980.04.01"), 2}));
    const Case cases[] = {
        {"year", [](const FT_DATE& f) { return f.YEAR(D(2024, 2, 10)); }, "2024 2023-04-01 2024-03-31"},
        {"quarter", [](const FT_DATE& f) { return f.QTR(D(2024, 2, 10)); }, "202404 2024-01-01 2024-03-31"},
        {"month", [](const FT_DATE& f) { return f.MONTH(D(2024, 2, 10)); }, "202411 2024-02-01 2024-02-29"},
        {"month of the next year", [](const FT_DATE& f) { return f.MONTH(D(2024, 5, 15)); },
         "202502 2024-05-01 2024-05-31"},
        {"week", [](const FT_DATE& f) { return f.WEEK(D(2024, 4, 1)); }, "202501 2024-04-01 2024-04-07"},
        {"accounting year", [](const FT_DATE& f) { return f.ACCTYEAR(D(2024, 2, 10)); },
         "2024 2023-04-03 2024-03-31"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(show(c.call(f)), c.expected) << c.what;
    EXPECT_EQ(f.DAYTOBOW(D(2024, 6, 2)), 6);
}

TEST(FtDate, AStartInMidMonthGivesTheYearHoldingTheDate)
{
    FT_DATE f = withClock(QDate(2024, 6, 1));
    f.CNFG(QStringLiteral("15.04.2000"));
    EXPECT_EQ(show(f.YEAR(D(2024, 4, 10))), "2024 2023-04-15 2024-04-14");
    EXPECT_EQ(show(f.MONTH(D(2024, 5, 10))), "202501 2024-04-15 2024-05-14");
    EXPECT_EQ(show(f.QTR(D(2024, 4, 14))), "202404 2024-01-15 2024-04-14");
}

TEST(FtDate, ConfigurationRefusesWhatFailsItsTest)
{
    FT_DATE f;
    EXPECT_EQ(f.CNFG(), (QVariantList{QStringLiteral("1980.01.01"), 1}));
    EXPECT_EQ(f.CNFG(QStringLiteral("29.02.2024")), (QVariantList{QStringLiteral("2024.02.28"), 1}));
    EXPECT_EQ(f.CNFG(QStringLiteral("31.02.2024"), 0), (QVariantList{QStringLiteral("2024.02.28"), 1}));
    EXPECT_EQ(f.CNFG({}, 8), (QVariantList{QStringLiteral("2024.02.28"), 1}));
    QVariantList copy = f.CNFG({}, 3);
    copy[1] = 5;
    EXPECT_EQ(f.CNFG()[1].toInt(), 3) << "the result is a copy";
}

TEST(FtDate, EmptyDatesAndFarMonthsGiveEmptyResults)
{
    const FT_DATE f;
    const QVariant empty = QVariant(QDate());
    EXPECT_FALSE(f.MADD(empty, 1).isValid());
    EXPECT_TRUE(f.YEAR(empty).isEmpty());
    EXPECT_TRUE(f.WEEK(empty).isEmpty());
    EXPECT_TRUE(f.QTR(empty).isEmpty());
    EXPECT_TRUE(f.MONTH(empty).isEmpty());
    EXPECT_TRUE(f.DAYOFYR(empty).isEmpty());
    EXPECT_TRUE(f.ACCTYEAR(empty).isEmpty());
    EXPECT_TRUE(f.ACCTWEEK(empty).isEmpty());
    EXPECT_TRUE(f.ACCTQTR(empty).isEmpty());
    EXPECT_TRUE(f.ACCTMONTH(empty).isEmpty());
    EXPECT_FALSE(f.ACCTADJ(empty).isValid());
    EXPECT_TRUE(f.YEAR(QVariant(QStringLiteral("2024"))).isEmpty()) << "a text is no date";
    // Computed at once, not month by month.
    EXPECT_FALSE(f.MADD(D(2024, 1, 1), 1e9).isValid());
    EXPECT_FALSE(f.MADD(D(2024, 1, 1), -1e9).isValid());
    EXPECT_EQ(f.MADD(D(2024, 1, 31), 12 * 100 + 1), QDate(2124, 2, 29));
}

// Every day of a fiscal year lies in exactly one month, quarter and week, and
// that period holds it; the months and quarters cover the year without a gap.
TEST(FtDate, EveryDayLiesInExactlyOnePeriodThatHoldsIt)
{
    for (const char* start : {"01.01.2000", "15.03.2000", "31.01.2000", "30.11.2000"}) {
        FT_DATE f;
        f.CNFG(QString::fromLatin1(start), 2);
        const PeriodRecord year = f.YEAR(D(2024, 6, 15));
        for (QDate d = year.first; d <= year.last; d = d.addDays(1)) {
            for (const PeriodRecord& p : {f.MONTH(QVariant(d)), f.QTR(QVariant(d)), f.WEEK(QVariant(d))}) {
                ASSERT_FALSE(p.isEmpty()) << start << " " << d.toString(Qt::ISODate).toStdString();
                EXPECT_TRUE(p.first <= d && d <= p.last)
                    << start << " " << d.toString(Qt::ISODate).toStdString() << " in " << show(p);
            }
        }
        for (auto [count, part] : {std::pair{12, 1}, std::pair{4, 3}}) {
            QDate expectedFirst = year.first;
            for (int k = 1; k <= count; ++k) {
                const PeriodRecord p = part == 1 ? f.MONTH(QVariant(year.first), k) : f.QTR(QVariant(year.first), k);
                EXPECT_EQ(p.first, expectedFirst) << start << " period " << k;
                expectedFirst = p.last.addDays(1);
            }
            EXPECT_EQ(expectedFirst, year.last.addDays(1)) << start;
        }
    }
}

TEST(FtDate, AccountingPeriodsMeetWithoutGap)
{
    FT_DATE f;
    f.CNFG(QStringLiteral("15.03.2000"), 2);
    QDate d(2023, 1, 1);
    PeriodRecord previous = f.ACCTMONTH(QVariant(d));
    for (int i = 0; i < 800; ++i) {
        d = d.addDays(1);
        const PeriodRecord p = f.ACCTMONTH(QVariant(d));
        ASSERT_TRUE(p.first <= d && d <= p.last) << d.toString(Qt::ISODate).toStdString() << " " << show(p);
        if (p.first != previous.first) {
            EXPECT_EQ(p.first, previous.last.addDays(1)) << show(previous) << " then " << show(p);
        }
        previous = p;
    }
}

}  // namespace
}  // namespace zeva
