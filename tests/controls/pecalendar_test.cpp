// The month calendar widget: its pixels, its mouse and keys, the month menu
// and the year edit.
#include "controls/ui/pecalendar.h"
#include "qtwarnings.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace zeva {
namespace {

const QColor kFace(212, 208, 200);
const QColor kHighlight(0, 0, 128);
const QColor kHighlightText(255, 255, 255);
const QColor kWhite(255, 255, 255);
const QColor kGrey(128, 128, 128);
const QColor kRed(255, 0, 0);

QPalette fixedPalette()
{
    QPalette pal;
    pal.setColor(QPalette::Button, kFace);
    pal.setColor(QPalette::Window, kFace);
    pal.setColor(QPalette::Highlight, kHighlight);
    pal.setColor(QPalette::HighlightedText, kHighlightText);
    pal.setColor(QPalette::WindowText, Qt::black);
    return pal;
}

QLocale turkish()
{
    return QLocale(QLocale::Turkish, QLocale::Turkey);
}

QLocale american()
{
    return QLocale(QLocale::English, QLocale::UnitedStates);
}

// A calendar 247 x 139 on its own, fixed colours and locale.
std::unique_ptr<PECALENDAR> makeCalendar(const QDate& date, const QLocale& locale = turkish())
{
    auto cal = std::make_unique<PECALENDAR>(nullptr, 0, QRect(100, 100, 247, 139));
    cal->setPalette(fixedPalette());
    cal->setCalendarLocale(locale);
    cal->setCURRENTDATE(date);
    return cal;
}

void showActive(QWidget* w)
{
    w->show();
    QApplication::setActiveWindow(w->window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
}

QColor at(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

// Records the regions of the paint events a widget receives.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    int events = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++events;
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

QPoint centre(const QRect& r)
{
    return r.center();
}

QPoint centreOf(const controls::CalRect& r)
{
    return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// A double click as the window system delivers it: a click, then the second
// press as a double click, then its release (QTest's double click alone is
// only the middle event).
void doubleClick(QWidget* w, QPoint p)
{
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(w, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, p);
}

}  // namespace

TEST(PeCalendar, PaintsTheGridAndTheCurrentDay)
{
    test::QtWarningCatcher warnings;
    auto cal = makeCalendar(QDate(2024, 12, 17));  // Monday first: row 4, column 2
    ASSERT_EQ(cal->CURRENTROWNUMBER(), 4);
    ASSERT_EQ(cal->CURRENTCOLUMNNUMBER(), 2);
    const QImage img = cal->grab().toImage();
    ASSERT_EQ(img.size(), QSize(247, 139));

    // The current cell (35, 89)-(70, 105) filled inside its lines.
    EXPECT_EQ(at(img, 36, 90), kHighlight);
    EXPECT_EQ(at(img, 68, 90), kHighlight);
    EXPECT_EQ(at(img, 36, 103), kHighlight);
    EXPECT_EQ(at(img, 35, 89), kWhite);
    EXPECT_EQ(at(img, 69, 95), kFace) << "the fill stops two pixels short of the right line";
    EXPECT_EQ(at(img, 50, 104), kFace) << "and two pixels short of the bottom line";

    // Etched lines, sampled between crossings and away from the current cell.
    for (int i = 1; i <= 6; ++i) {
        const int y = 25 + 16 * i;
        EXPECT_EQ(at(img, 17, y), kWhite) << "y " << y;
        EXPECT_EQ(at(img, 17, y + 1), kGrey) << "y " << y;
        EXPECT_EQ(at(img, 227, y), kWhite) << "y " << y;
        const int x = 35 * i;
        EXPECT_EQ(at(img, x, 65), kWhite) << "x " << x;
        EXPECT_EQ(at(img, x + 1, 65), kGrey) << "x " << x;
        EXPECT_EQ(at(img, x, 137), kWhite) << "the vertical lines run to the grid's bottom";
    }
    EXPECT_EQ(at(img, 17, 25 + 16 * 7), kFace) << "no line under the last week";

    // The caption band: filled, its frame's bottom edge grey from x 1 to 245.
    for (int x = 1; x <= 245; ++x)
        ASSERT_EQ(at(img, x, 24), kGrey) << x;
    EXPECT_EQ(at(img, 0, 24), kWhite);
    EXPECT_EQ(at(img, 246, 24), kFace);
    EXPECT_EQ(at(img, 245, 23), kGrey);
    EXPECT_EQ(at(img, 30, 5), kFace);
    EXPECT_EQ(at(img, 12, 13), QColor(Qt::black)) << "the left arrow";
    EXPECT_EQ(at(img, 233, 13), QColor(Qt::black)) << "the right arrow";
}

TEST(PeCalendar, WeekdayRowRedAtBothEnds)
{
    test::QtWarningCatcher warnings;
    struct Case {
        QLocale locale;
        unsigned first;
        const char* firstName;
    };
    const Case cases[] = {{american(), 1, "Sun"}, {turkish(), 2, "Pzt"}};
    for (const Case& c : cases) {
        auto cal = makeCalendar(QDate(2024, 12, 17), c.locale);
        EXPECT_EQ(cal->FIRSTDAYOFWEEK(), c.first);
        EXPECT_EQ(cal->weekdayAbbreviation(static_cast<int>(c.first)), QString::fromUtf8(c.firstName));
        const QImage img = cal->grab().toImage();
        const QRect first = cal->cellRect(0, 1);
        const QRect last = cal->cellRect(0, 7);
        int inFirst = 0;
        int inLast = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                if (at(img, x, y) != kRed)
                    continue;
                if (first.contains(x, y))
                    ++inFirst;
                else if (last.contains(x, y))
                    ++inLast;
                else
                    ADD_FAILURE() << "red at " << x << "," << y;
            }
        }
        EXPECT_GT(inFirst, 0) << c.first;
        EXPECT_GT(inLast, 0) << c.first;
    }

    // Turkish abbreviations are the locale's own and all differ.
    auto cal = makeCalendar(QDate(2024, 12, 17));
    QStringList names;
    for (int day = 1; day <= 7; ++day)
        names << cal->weekdayAbbreviation(day);
    EXPECT_EQ(names.join(QLatin1Char(' ')), QStringLiteral("Paz Pzt Sal Çar Per Cum Cmt"));
    EXPECT_EQ(cal->monthName(3), QStringLiteral("Mart"));
}

// The program sets a Turkish default locale for Qt's own dialogs; the
// calendar keeps reading the system's.
TEST(PeCalendar, ReadsTheSystemLocaleNotTheDefault)
{
    const QLocale before;
    const QLocale other = QLocale::system().language() == QLocale::Turkish ? american() : turkish();
    QLocale::setDefault(other);
    PECALENDAR cal(nullptr, 0, QRect(100, 100, 247, 139));
    QLocale::setDefault(before);
    EXPECT_EQ(cal.calendarLocale(), QLocale::system());
    EXPECT_NE(cal.calendarLocale(), other);
}

TEST(PeCalendar, AMoveInTheMonthRepaintsOnlyTwoDays)
{
    test::QtWarningCatcher warnings;
    auto cal = makeCalendar(QDate(2024, 12, 17));
    showActive(cal.get());
    cal->setFocus();
    QApplication::processEvents();
    const QImage before = cal->grab().toImage();

    PaintRecorder recorder;
    cal->installEventFilter(&recorder);
    QTest::keyClick(cal.get(), Qt::Key_Home);
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 12, 1));
    QApplication::processEvents();
    cal->removeEventFilter(&recorder);
    ASSERT_GT(recorder.events, 0);
    const QRegion both = QRegion(cal->cellRect(4, 2)) + QRegion(cal->cellRect(1, 7));
    EXPECT_TRUE(recorder.painted.subtracted(both).isEmpty()) << "painted outside the two days";
    EXPECT_FALSE(recorder.painted.intersects(QRect(0, 0, 247, 25))) << "the caption was drawn again";

    // The old picture with only that region drawn again equals a fresh
    // calendar on the 1st.
    QImage patched = before;
    cal->render(&patched, recorder.painted.boundingRect().topLeft(), recorder.painted);
    auto fresh = makeCalendar(QDate(2024, 12, 1));
    const QImage expected = fresh->grab().toImage().convertToFormat(patched.format());
    EXPECT_TRUE(patched == expected);

    // The same date again draws nothing.
    PaintRecorder again;
    cal->installEventFilter(&again);
    cal->setCURRENTDATE(QDate(2024, 12, 1));
    QApplication::processEvents();
    cal->removeEventFilter(&again);
    EXPECT_EQ(again.events, 0);
}

TEST(PeCalendar, CaptionClicks)
{
    test::QtWarningCatcher warnings;
    auto cal = makeCalendar(QDate(2024, 10, 15));
    showActive(cal.get());
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 12));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 9, 15));
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(19, 12));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 8, 15));
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(226, 12));
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(240, 25));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 10, 15));
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(225, 12));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 10, 15)) << "neither arrow nor caption";

    // A double click on an arrow steps one month: its first press did.
    doubleClick(cal.get(), QPoint(10, 12));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 9, 15));
    doubleClick(cal.get(), QPoint(240, 12));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 10, 15));

    // The month's name opens the months; "Mart" goes back to March.
    const controls::CalRect month = cal->monthCaptionRect();
    const controls::CalRect year = cal->yearCaptionRect();
    EXPECT_EQ(month.right, year.left);
    EXPECT_LT(month.left, 123);
    EXPECT_GT(year.right, 123);
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centreOf(month));
    QMenu* menu = cal->monthMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), cal->mapToGlobal(QPoint(month.left, month.bottom)));
    ASSERT_EQ(menu->actions().size(), 12);
    EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("Ocak"));
    EXPECT_EQ(menu->actions().at(11)->data().toInt(), 3012);
    QAction* march = menu->actions().at(2);
    EXPECT_EQ(march->text(), QStringLiteral("Mart"));
    march->trigger();
    menu->hide();
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 3, 15));
    cal->EDITMONTH();
    cal->monthMenu()->actions().at(2)->trigger();  // the shown month
    cal->monthMenu()->hide();
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 3, 15));
}

TEST(PeCalendar, YearEdit)
{
    test::QtWarningCatcher warnings;
    auto cal = makeCalendar(QDate(2024, 3, 15));
    showActive(cal.get());
    const QPoint yearPoint = centreOf(cal->yearCaptionRect());
    QSignalSpy picks(cal.get(), &PECALENDAR::picked);

    // A year typed, then a click on the calendar applies it.
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, yearPoint);
    QLineEdit* edit = cal->yearEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isVisible());
    EXPECT_EQ(edit->text(), QStringLiteral("2024"));
    EXPECT_EQ(edit->geometry().topLeft(), QPoint(cal->yearCaptionRect().left, cal->yearCaptionRect().top));
    ASSERT_NE(cal->yearSpinner(), nullptr);
    EXPECT_EQ(cal->yearSpinner()->size(), QSize(20, 20));
    EXPECT_EQ(cal->yearSpinner()->x(), edit->geometry().right() + 1);
    edit->setText(QStringLiteral("2030"));
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2030, 3, 15));
    EXPECT_EQ(cal->yearEdit(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(cal->findChild<QLineEdit*>(), nullptr);

    // Anything but a year of 1752-2999 keeps the date.
    for (const char* text : {"abc", "", "1751", "3000", "-5", "20 30"}) {
        QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centreOf(cal->yearCaptionRect()));
        ASSERT_NE(cal->yearEdit(), nullptr);
        cal->yearEdit()->setText(QString::fromLatin1(text));
        QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
        EXPECT_EQ(cal->CURRENTDATE(), QDate(2030, 3, 15)) << text;
        EXPECT_EQ(cal->yearEdit(), nullptr);
    }

    // The up-down steps from the year in the edit; Enter applies it, and the
    // Enter's release picks nothing.
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centreOf(cal->yearCaptionRect()));
    edit = cal->yearEdit();
    ASSERT_NE(edit, nullptr);
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("2031"));
    auto* down = cal->yearSpinner()->findChild<QToolButton*>(QStringLiteral("down"));
    ASSERT_NE(down, nullptr);
    QTest::mouseClick(down, Qt::LeftButton);
    QTest::mouseClick(down, Qt::LeftButton);
    EXPECT_EQ(edit->text(), QStringLiteral("2029"));
    EXPECT_TRUE(edit->hasFocus());
    edit->setText(QStringLiteral("2999"));
    QTest::keyClick(edit, Qt::Key_Up);
    EXPECT_EQ(edit->text(), QStringLiteral("2999"));
    edit->setText(QStringLiteral("2029"));
    QTest::keyPress(edit, Qt::Key_Return);
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2029, 3, 15));
    EXPECT_EQ(cal->yearEdit(), nullptr);
    QTest::keyRelease(cal.get(), Qt::Key_Return);
    EXPECT_EQ(picks.count(), 0);

    // Leap day into a common year.
    cal->setCURRENTDATE(QDate(2028, 2, 29));
    cal->EDITYEAR();
    cal->yearEdit()->setText(QStringLiteral("2029"));
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 30));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2029, 2, 28));
}

TEST(PeCalendar, DayClicksAndDoubleClicks)
{
    test::QtWarningCatcher warnings;
    auto cal = makeCalendar(QDate(2024, 12, 17));  // Monday first
    showActive(cal.get());
    QSignalSpy picks(cal.get(), &PECALENDAR::picked);

    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centre(cal->cellRect(3, 3)));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 12, 11));
    EXPECT_TRUE(cal->hasFocus());
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centre(cal->cellRect(1, 1)));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 12, 11)) << "a day of November";
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(245, 60));
    QTest::mouseClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(246, 120));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 12, 11)) << "right of the grid";
    EXPECT_EQ(picks.count(), 0);

    QTest::mouseDClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(245, 60));
    QTest::mouseDClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centre(cal->cellRect(6, 4)));
    QTest::mouseDClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centre(cal->cellRect(0, 4)));
    EXPECT_EQ(picks.count(), 0) << "outside the month";
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 12, 11));

    // On the weekday row's lower edge the day becomes current but is not picked.
    QTest::mouseDClick(cal.get(), Qt::LeftButton, Qt::NoModifier, QPoint(220, 41));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 12, 1));
    EXPECT_EQ(picks.count(), 0);

    QTest::mouseDClick(cal.get(), Qt::LeftButton, Qt::NoModifier, centre(cal->cellRect(4, 5)));
    ASSERT_EQ(picks.count(), 1);
    EXPECT_EQ(picks.at(0).at(0).toDate(), QDate(2024, 12, 20));
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2024, 12, 20));
}

TEST(PeCalendar, Keys)
{
    test::QtWarningCatcher warnings;
    QWidget window;
    auto* cal = new PECALENDAR(&window, 0, QRect(0, 0, 247, 139));
    cal->setCalendarLocale(turkish());
    auto* other = new QLineEdit(&window);
    other->setGeometry(0, 150, 100, 22);
    window.resize(260, 190);
    showActive(&window);
    cal->setFocus();
    ASSERT_TRUE(cal->hasFocus());
    QSignalSpy picks(cal, &PECALENDAR::picked);
    QSignalSpy closes(cal, &PECALENDAR::closeRequested);

    struct Step {
        QDate from;
        Qt::Key key;
        QDate to;
    };
    const Step steps[] = {
        {QDate(2024, 4, 30), Qt::Key_Right, QDate(2024, 5, 1)},
        {QDate(2024, 5, 1), Qt::Key_Left, QDate(2024, 4, 30)},
        {QDate(2024, 1, 28), Qt::Key_Down, QDate(2024, 2, 4)},
        {QDate(2024, 2, 4), Qt::Key_Up, QDate(2024, 1, 28)},
        {QDate(2024, 1, 31), Qt::Key_PageDown, QDate(2024, 2, 29)},
        {QDate(2024, 3, 31), Qt::Key_PageUp, QDate(2024, 2, 29)},
        {QDate(2023, 12, 15), Qt::Key_PageDown, QDate(2024, 1, 15)},
        {QDate(2024, 1, 15), Qt::Key_PageUp, QDate(2023, 12, 15)},
        {QDate(2024, 2, 17), Qt::Key_Home, QDate(2024, 2, 1)},
        {QDate(2024, 2, 17), Qt::Key_End, QDate(2024, 2, 29)},
        {QDate(2024, 2, 17), Qt::Key_Tab, QDate(2024, 2, 17)},
        {QDate(2024, 2, 17), Qt::Key_Backtab, QDate(2024, 2, 17)},
    };
    for (const Step& s : steps) {
        cal->setCURRENTDATE(s.from);
        QTest::keyClick(cal, s.key);
        EXPECT_EQ(cal->CURRENTDATE(), s.to) << s.from.toString().toStdString() << " key " << s.key;
        EXPECT_EQ(cal->model().displayedMonth(), s.to.month());
        EXPECT_TRUE(cal->hasFocus()) << "the calendar keeps the focus";
    }
    EXPECT_EQ(picks.count(), 0);
    EXPECT_EQ(closes.count(), 0);

    // Enter picks on its release after its own press; a lone release or an
    // auto-repeated one does nothing.
    QTest::keyRelease(cal, Qt::Key_Return);
    EXPECT_EQ(picks.count(), 0);
    QTest::keyPress(cal, Qt::Key_Return);
    QTest::keyRelease(cal, Qt::Key_Return);
    ASSERT_EQ(picks.count(), 1);
    EXPECT_EQ(picks.at(0).at(0).toDate(), QDate(2024, 2, 17));
    QTest::keyRelease(cal, Qt::Key_Return);
    EXPECT_EQ(picks.count(), 1);
    QTest::keyPress(cal, Qt::Key_Enter, Qt::KeypadModifier);
    QKeyEvent repeat(QEvent::KeyRelease, Qt::Key_Enter, Qt::KeypadModifier, QString(), true);
    QApplication::sendEvent(cal, &repeat);
    EXPECT_EQ(picks.count(), 1);
    QTest::keyRelease(cal, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(picks.count(), 2);

    QTest::keyClick(cal, Qt::Key_Escape);
    EXPECT_EQ(closes.count(), 1);
    EXPECT_EQ(picks.count(), 2);
}

}  // namespace zeva
