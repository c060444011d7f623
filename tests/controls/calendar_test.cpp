// The month calendar's grid, hit test and moves, and the bitmap list box's
// node store, without widgets.
#include "controls/calendar.h"
#include "controls/listnodes.h"

#include <gtest/gtest.h>

using namespace zeva::controls;

namespace {

QDate d(int day, int month, int year)
{
    return QDate(year, month, day);
}

CalendarModel modelOn(const QDate& date, unsigned firstDay = 2)
{
    CalendarModel m(247, 139, date);
    m.setFIRSTDAYOFTHEWEEK(firstDay);
    return m;
}

}  // namespace

TEST(CalendarModel, GridGeometry)
{
    CalendarModel m(247, 139, d(1, 12, 2024));
    EXPECT_EQ(m.gridWidth(), 245);
    EXPECT_EQ(m.gridRight(), 245);
    EXPECT_EQ(m.cellWidth(), 35);
    EXPECT_EQ(m.gridHeight(), 114);
    EXPECT_EQ(m.gridBottom(), 139);
    EXPECT_EQ(m.cellHeight(), 16);
    EXPECT_EQ(m.cell(4, 2), (CalRect{35, 89, 70, 105}));

    // Inside a one-pixel border: 246 x 138.
    m.setSize(246, 138);
    EXPECT_EQ(m.cellWidth(), 35);
    EXPECT_EQ(m.gridHeight(), 108);
    EXPECT_EQ(m.cellHeight(), 15);
}

TEST(CalendarModel, DaysInTheGrid)
{
    struct Case {
        QDate date;
        unsigned firstDay;
        int row;
        int column;
    };
    const Case cases[] = {
        {d(1, 12, 2024), 2, 1, 7},   // a Sunday, Monday first
        {d(30, 12, 2024), 2, 6, 1},
        {d(31, 12, 2024), 2, 6, 2},
        {d(1, 12, 2024), 1, 1, 1},   // Sunday first
        {d(31, 12, 2024), 1, 5, 3},
        {d(1, 2, 2021), 2, 1, 1},    // 28 days from a Monday: rows 1 to 4
        {d(28, 2, 2021), 2, 4, 7},
        {d(17, 12, 2024), 2, 4, 2},
        {d(1, 12, 2024), 0, 1, 1},   // no first day from the locale: Sunday
        {d(1, 12, 2024), 9, 1, 1},
        {d(1, 12, 2024), 7, 1, 2},   // Saturday first
    };
    for (const Case& c : cases) {
        const CalendarModel m = modelOn(c.date, c.firstDay);
        EXPECT_EQ(m.CURRENTROWNUMBER(), c.row) << c.date.toString().toStdString() << " first " << c.firstDay;
        EXPECT_EQ(m.CURRENTCOLUMNNUMBER(), c.column) << c.date.toString().toStdString() << " first " << c.firstDay;
        EXPECT_EQ(m.CASTROWCOL2DATE(c.row, c.column), c.date);
    }

    // Every day of a few months, under every first day, maps to a cell and back.
    for (unsigned first = 1; first <= 7; ++first) {
        for (const QDate& month : {d(1, 2, 2021), d(1, 2, 2024), d(1, 9, 2024), d(1, 3, 2025)}) {
            CalendarModel m = modelOn(month, first);
            for (int day = 1; day <= month.daysInMonth(); ++day) {
                const QDate date(month.year(), month.month(), day);
                int row = 0;
                int column = 0;
                m.cellOf(date, &row, &column);
                ASSERT_GE(row, 1);
                ASSERT_LE(row, 6);
                ASSERT_EQ(m.CASTROWCOL2DATE(row, column), date) << first << " " << day;
            }
        }
    }
    EXPECT_EQ(modelOn(d(1, 12, 2024), 0).FIRSTDAYOFWEEK(), 1u);
}

TEST(CalendarModel, HitTest)
{
    const CalendarModel m = modelOn(d(15, 12, 2024));  // Monday first
    EXPECT_TRUE(m.hitTest(100, 25).band);
    EXPECT_FALSE(m.hitTest(100, 26).band);
    EXPECT_EQ(m.hitTest(100, 30).row, 0);
    EXPECT_EQ(m.dayAt(100, 30), QDate());  // the weekday row
    EXPECT_EQ(m.dayAt(210, 50), d(1, 12, 2024));
    EXPECT_EQ(m.dayAt(10, 50), QDate());  // before day 1
    EXPECT_EQ(m.dayAt(40, 130), d(31, 12, 2024));
    EXPECT_EQ(m.dayAt(120, 130), QDate());  // after the last day
    // The strip right of the grid is no cell.
    EXPECT_EQ(m.hitTest(244, 60).column, 7);
    EXPECT_EQ(m.hitTest(245, 60).column, 0);
    EXPECT_EQ(m.dayAt(245, 60), QDate());
    EXPECT_EQ(m.dayAt(246, 60), QDate());
}

TEST(CalendarModel, Moves)
{
    enum Op { Days, Months, Years, First, Last };
    struct Case {
        QDate from;
        Op op;
        int n;
        QDate to;
        CalendarChange change;
    };
    const Case cases[] = {
        {d(31, 1, 2024), Months, 1, d(29, 2, 2024), CalendarChange::Month},    // Page Down
        {d(31, 1, 2023), Months, 1, d(28, 2, 2023), CalendarChange::Month},
        {d(31, 3, 2024), Months, -1, d(29, 2, 2024), CalendarChange::Month},   // Page Up
        {d(15, 12, 2023), Months, 1, d(15, 1, 2024), CalendarChange::Month},
        {d(15, 1, 2024), Months, -1, d(15, 12, 2023), CalendarChange::Month},
        {d(15, 3, 2024), Months, -14, d(15, 1, 2023), CalendarChange::Month},
        {d(31, 10, 2024), Months, 16, d(28, 2, 2026), CalendarChange::Month},
        {d(15, 3, 2024), Months, 0, d(15, 3, 2024), CalendarChange::Month},    // drawn again
        {d(29, 2, 2008), Years, 1, d(28, 2, 2009), CalendarChange::Month},
        {d(29, 2, 2008), Years, 4, d(29, 2, 2012), CalendarChange::Month},
        {d(29, 2, 2000), Years, 100, d(28, 2, 2100), CalendarChange::Month},
        {d(28, 1, 2024), Days, 7, d(4, 2, 2024), CalendarChange::Month},       // Down
        {d(30, 4, 2024), Days, 1, d(1, 5, 2024), CalendarChange::Month},       // Right
        {d(1, 5, 2024), Days, -1, d(30, 4, 2024), CalendarChange::Month},      // Left
        {d(17, 5, 2024), Days, -7, d(10, 5, 2024), CalendarChange::Within},    // Up
        {d(17, 5, 2024), First, 0, d(1, 5, 2024), CalendarChange::Within},     // Home
        {d(17, 2, 2024), Last, 0, d(29, 2, 2024), CalendarChange::Within},     // End
    };
    for (const Case& c : cases) {
        CalendarModel m = modelOn(c.from);
        CalendarChange change = CalendarChange::None;
        switch (c.op) {
        case Days: change = m.MOVEDAYS(c.n); break;
        case Months: change = m.MOVEMONTHS(c.n); break;
        case Years: change = m.MOVEYEARS(c.n); break;
        case First: change = m.setCURRENTDATE(FIRSTDAYOFMONTH(m.CURRENTDATE())); break;
        case Last: change = m.setCURRENTDATE(LASTDAYOFMONTH(m.CURRENTDATE())); break;
        }
        const std::string what = c.from.toString(Qt::ISODate).toStdString() + " op " + std::to_string(c.op) + " "
                                 + std::to_string(c.n);
        EXPECT_EQ(m.CURRENTDATE(), c.to) << what;
        EXPECT_EQ(m.displayedYear(), c.to.year()) << what;
        EXPECT_EQ(m.displayedMonth(), c.to.month()) << what;
        EXPECT_EQ(change, c.change) << what;
    }
}

TEST(CalendarModel, CurrentDateAndMonthMenu)
{
    CalendarModel m = modelOn(d(15, 10, 2024));
    EXPECT_EQ(m.setCURRENTDATE(d(15, 10, 2024)), CalendarChange::None);
    EXPECT_EQ(m.setCURRENTDATE(QDate()), CalendarChange::None);
    EXPECT_EQ(m.CURRENTDATE(), d(15, 10, 2024));
    EXPECT_EQ(m.setCURRENTDATE(d(3, 10, 2024)), CalendarChange::Within);
    EXPECT_EQ(m.setCURRENTDATE(d(3, 10, 2025)), CalendarChange::Month);
    EXPECT_EQ(m.displayedYear(), 2025);

    m.setCURRENTDATE(d(31, 10, 2024));
    EXPECT_EQ(m.chooseMonth(3003), CalendarChange::Month);  // October to March
    EXPECT_EQ(m.CURRENTDATE(), d(31, 3, 2024));
    EXPECT_EQ(m.chooseMonth(3011), CalendarChange::Month);
    EXPECT_EQ(m.CURRENTDATE(), d(30, 11, 2024));
    EXPECT_EQ(m.chooseMonth(3011), CalendarChange::Month);  // the shown month: drawn again, same date
    EXPECT_EQ(m.CURRENTDATE(), d(30, 11, 2024));
    EXPECT_EQ(m.chooseMonth(3013), CalendarChange::None);
    EXPECT_EQ(m.chooseMonth(3000), CalendarChange::None);
}

TEST(CalendarModel, DateFunctions)
{
    EXPECT_EQ(FIRSTDAYOFMONTH(d(17, 12, 2024)), d(1, 12, 2024));
    EXPECT_EQ(LASTDAYOFMONTH(d(17, 12, 2024)), d(31, 12, 2024));
    EXPECT_EQ(LASTDAYOFMONTH(d(1, 2, 1900)), d(28, 2, 1900));
    EXPECT_EQ(DATEDEC(d(1, 3, 2024), 1), d(29, 2, 2024));
    EXPECT_TRUE(ISLEAPYEAR(2000));
    EXPECT_TRUE(ISLEAPYEAR(2024));
    EXPECT_FALSE(ISLEAPYEAR(1900));
    EXPECT_FALSE(ISLEAPYEAR(2023));
    EXPECT_EQ(GETMONTH(3001), 1u);
    EXPECT_EQ(GETMONTH(3012), 12u);
    EXPECT_EQ(GETMONTH(3013), 0u);
    EXPECT_EQ(weekdayNumber(d(20, 10, 1996)), 1);  // a Sunday
    EXPECT_EQ(weekdayNumber(d(26, 10, 1996)), 7);
    const CalRect r{10, 5, 20, 23};
    EXPECT_TRUE(POINTINSIDE(r, 10, 5));
    EXPECT_TRUE(POINTINSIDE(r, 20, 23));
    EXPECT_FALSE(POINTINSIDE(r, 21, 10));
    EXPECT_FALSE(POINTINSIDE(r, 15, 4));
}

TEST(ListNodes, IdsAndSeek)
{
    ListNodeStore store;
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(TREESEEK(store.nodes(), 2), 0);
    EXPECT_EQ(store.add(QStringLiteral("a"), 1, {}, kImageNone, {}), 2);
    EXPECT_EQ(store.add(QStringLiteral("b"), 2, {}, kImageNone, {}), 3);
    EXPECT_EQ(store.add(QStringLiteral("c"), 3, {}, kImageNone, {}), 4);
    EXPECT_EQ(TREESEEK(store.nodes(), 3), 2);
    EXPECT_EQ(TREESEEK(store.nodes(), 5), 0);
    EXPECT_EQ(TREESEEK(store.nodes(), 1), 0);
    EXPECT_TRUE(store.remove(3));
    EXPECT_FALSE(store.remove(3));
    EXPECT_EQ(store.find(3), nullptr);
    ASSERT_NE(store.find(4), nullptr);
    EXPECT_EQ(store.find(4)->text, QStringLiteral("c"));
    store.clear();
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.add(QStringLiteral("d"), 4, {}, kImageNone, {}), 5);  // ids go on counting

    // A long store is still searched right.
    ListNodeStore many;
    for (int i = 0; i < 1000; ++i)
        many.add(QString::number(i), i, {}, kImageNone, {});
    for (int i = 0; i < 1000; i += 37)
        many.remove(2 + i);
    for (int i = 0; i < 1000; ++i) {
        const ListNode* node = many.find(2 + i);
        if (i % 37 == 0)
            EXPECT_EQ(node, nullptr);
        else
            ASSERT_TRUE(node && node->value.toInt() == i);
    }
}
