// The calendar dialog under a date edit, and the date edit with its button
// and context menu. Dialogs are shown, never run modally.
#include "controls/ui/calendardialog.h"
#include "controls/ui/pecalendar.h"
#include "controls/ui/rightsle.h"
#include "controls/ui/wmbitmapbutton.h"
#include "platform/runtime.h"
#include "qtwarnings.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace zeva {
namespace {

// A window holding one date edit 120 pixels wide.
struct EditWindow {
    QWidget window;
    DATESLE* edit = nullptr;

    explicit EditWindow(const QPoint& where = QPoint(60, 60))
    {
        edit = new DATESLE(&window, 100, QRect(10, 10, 120, 22));
        window.resize(300, 120);
        window.move(where);
        window.show();
        QApplication::setActiveWindow(&window);
    }
};

void showDialog(DLGPECALENDAR& dialog)
{
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.calendar()->setFocus();
}

}  // namespace

TEST(CalendarDialog, OpensOnTheEditsDate)
{
    test::QtWarningCatcher warnings;
    EditWindow w;
    w.edit->setText(QStringLiteral("31.12.2008"));
    DLGPECALENDAR dialog(&w.window, w.edit);
    showDialog(dialog);
    PECALENDAR* cal = dialog.calendar();
    ASSERT_NE(cal, nullptr);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Calendar"));
    EXPECT_EQ(dialog.control(DLGPECALENDAR::kCalendarId), cal);
    EXPECT_EQ(cal->CURRENTDATE(), QDate(2008, 12, 31));
    EXPECT_EQ(cal->model().displayedYear(), 2008);
    EXPECT_EQ(cal->model().displayedMonth(), 12);
    EXPECT_EQ(cal->FIRSTDAYOFWEEK(), 1u);
    EXPECT_FALSE(dialog.DSELECTED.isValid());
    EXPECT_TRUE(cal->hasFocus());

    // The template's control 100: 248 x 140 with a border; the calendar
    // draws inside it, 246 x 138, so its cells are 35 x 15.
    EXPECT_EQ(cal->geometry(), QRect(3, 3, 248, 140));
    EXPECT_EQ(cal->model().cellWidth(), 35);
    EXPECT_EQ(cal->model().cellHeight(), 15);
    const QImage img = cal->grab().toImage();
    EXPECT_EQ(img.pixelColor(0, 25), QColor(Qt::black)) << "the border";
    EXPECT_EQ(img.pixelColor(1, 25), QColor(255, 255, 255)) << "the band frame's left edge inside the border";
    EXPECT_EQ(img.pixelColor(20, 25), QColor(128, 128, 128)) << "the band frame's bottom edge";
    EXPECT_EQ(img.pixelColor(20, 0), QColor(Qt::black));

    // A blank edit opens on today.
    w.edit->setVALUE(QDate());
    DLGPECALENDAR blank(&w.window, w.edit);
    EXPECT_EQ(blank.calendar()->CURRENTDATE(), QDate::currentDate());
    w.edit->setText(QStringLiteral("no date"));
    DLGPECALENDAR unreadable(&w.window, w.edit);
    EXPECT_EQ(unreadable.calendar()->CURRENTDATE(), QDate::currentDate());
}

TEST(CalendarDialog, Placement)
{
    test::QtWarningCatcher warnings;
    EditWindow w(QPoint(60, 60));
    DLGPECALENDAR left(&w.window, w.edit);
    EXPECT_EQ(left.pos(), w.edit->mapToGlobal(QPoint(0, w.edit->height())));

    w.edit->LALIGNCALENDARLEFT = false;
    DLGPECALENDAR right(&w.window, w.edit);
    EXPECT_EQ(right.pos(), w.edit->mapToGlobal(QPoint(w.edit->width(), w.edit->height())));

    // An edit at the screen's bottom gets its calendar above it; at the
    // screen's right edge the calendar stays on the screen.
    const QRect area = w.edit->screen()->availableGeometry();
    EditWindow low(QPoint(area.right() - 200, area.bottom() - 50));
    low.edit->LALIGNCALENDARLEFT = false;
    DLGPECALENDAR above(&low.window, low.edit);
    const int editTop = low.edit->mapToGlobal(QPoint(0, 0)).y();
    EXPECT_EQ(above.frameGeometry().bottom() + 1, editTop);
    EXPECT_LE(above.frameGeometry().right(), area.right());
    EXPECT_GE(above.frameGeometry().top(), area.top());
    above.show();
    EXPECT_EQ(above.frameGeometry().bottom() + 1, editTop) << "placed again when shown";
    above.hide();
}

// The place with a real frame round the dialog: a title bar of 24 pixels and
// borders of 4 (the offscreen platform draws none).
TEST(CalendarDialog, PlacementCountsTheFrame)
{
    const QSize content(260, 150);
    const QMargins frame(4, 24, 4, 4);  // the frame: 268 x 178
    const QRect screen(0, 30, 1280, 970);  // a panel above, bottom at 999
    const struct {
        QRect edit;
        bool alignLeft;
        QRect area;
        QPoint corner;
        const char* why;
    } cases[] = {
        {QRect(100, 100, 120, 22), true, screen, QPoint(100, 122), "under the edit, left on its left"},
        {QRect(100, 100, 120, 22), false, screen, QPoint(220, 122), "left on the edit's right"},
        {QRect(100, 800, 120, 22), true, screen, QPoint(100, 822), "just fits: frame bottom on 999"},
        {QRect(100, 801, 120, 22), true, screen, QPoint(100, 623), "no room below: frame bottom on the edit's top"},
        {QRect(100, 960, 120, 22), false, screen, QPoint(220, 782), "at the screen's bottom"},
        {QRect(1150, 400, 120, 22), false, screen, QPoint(1012, 422), "kept inside the right edge"},
        {QRect(-40, 400, 120, 22), true, screen, QPoint(0, 422), "kept inside the left edge"},
        {QRect(100, 100, 120, 22), true, QRect(0, 30, 800, 250), QPoint(100, 30), "no room above either: the top"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calendarFramePosition(c.edit, c.alignLeft, content, frame, c.area), c.corner) << c.why;
}

TEST(CalendarDialog, WaysToClose)
{
    test::QtWarningCatcher warnings;
    EditWindow w;
    w.edit->setText(QStringLiteral("31.12.2008"));

    {  // Esc
        DLGPECALENDAR dialog(&w.window, w.edit);
        showDialog(dialog);
        QTest::keyClick(dialog.calendar(), Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_FALSE(dialog.DSELECTED.isValid());
    }
    {  // the close box
        DLGPECALENDAR dialog(&w.window, w.edit);
        showDialog(dialog);
        dialog.close();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_FALSE(dialog.DSELECTED.isValid());
    }
    {  // a double click on the 5th (Sunday first: row 1, column 6)
        DLGPECALENDAR dialog(&w.window, w.edit);
        showDialog(dialog);
        PECALENDAR* cal = dialog.calendar();
        QTest::mouseDClick(cal, Qt::LeftButton, Qt::NoModifier, cal->cellRect(1, 6).center());
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.DSELECTED, QDate(2008, 12, 5));
    }
    {  // Enter pressed and released on the calendar; a lone release first
        DLGPECALENDAR dialog(&w.window, w.edit);
        showDialog(dialog);
        PECALENDAR* cal = dialog.calendar();
        QTest::keyRelease(cal, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.DSELECTED.isValid());
        QTest::keyClick(cal, Qt::Key_Left);
        QTest::keyPress(cal, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter picks on its release";
        QTest::keyRelease(cal, Qt::Key_Return);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.DSELECTED, QDate(2008, 12, 30));
    }
}

TEST(DateSle, NewEditAndItsButton)
{
    test::QtWarningCatcher warnings;
    EditWindow w;
    DATESLE* e = w.edit;
    EXPECT_EQ(e->text(), QStringLiteral("  .  .    "));
    EXPECT_FALSE(e->VALUE().toDate().isValid());
    EXPECT_TRUE(e->FIELDSPEC().isDate());
    EXPECT_EQ(e->FIRSTDAYOFTHEWEEK, 1u);
    EXPECT_EQ(e->width(), 90);
    ASSERT_NE(e->attachedButton(), nullptr);
    EXPECT_EQ(e->attachedButton()->id(), DATESLE::kButtonId);
    EXPECT_EQ(e->attachedButton()->geometry(), QRect(102, 10, 30, 23));
    EXPECT_TRUE(e->attachedButton()->isVisible());
}

TEST(DateSle, ContextMenu)
{
    test::QtWarningCatcher warnings;
    EditWindow w;
    DATESLE* e = w.edit;
    int picks = 0;
    e->setCalendarPickerOverride([&](RIGHTSLE&) {
        ++picks;
        return QDate(2024, 6, 15);
    });

    PEDATESLECONTEXTMENU* menu = e->CONTEXTMENU();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_EQ(items.at(0)->text(), QStringLiteral("&Today"));
    EXPECT_EQ(items.at(1)->text(), QStringLiteral("&Calendar..."));
    EXPECT_EQ(items.at(0)->data().toInt(), 7754);
    EXPECT_EQ(items.at(1)->data().toInt(), 7755);
    for (QAction* item : items) {
        EXPECT_FALSE(item->statusTip().isEmpty());
        EXPECT_FALSE(item->statusTip().contains(QStringLiteral("file")));
    }

    // A right click shows it.
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), e->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(e, &click);
    EXPECT_TRUE(menu->isVisible());
    menu->hide();

    items.at(0)->trigger();
    EXPECT_EQ(e->text(), DateText(QDate::currentDate()));
    items.at(1)->trigger();
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(e->text(), QStringLiteral("15.06.2024"));

    // Read-only: the button, the double click and both commands do nothing.
    e->setReadOnly(true);
    items.at(0)->trigger();
    items.at(1)->trigger();
    QTest::mouseClick(e->attachedButton(), Qt::LeftButton);
    QTest::mouseDClick(e, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(picks, 1);
    EXPECT_EQ(e->text(), QStringLiteral("15.06.2024"));
}

TEST(DateSle, ItsCalendarStartsOnSunday)
{
    test::QtWarningCatcher warnings;
    // A plain calendar follows the system's locale (the C locale and most
    // European ones start the week on Monday); the dialog's starts on Sunday.
    const QLocale system = QLocale::system();
    PECALENDAR plain;
    EXPECT_EQ(plain.FIRSTDAYOFWEEK(), system.firstDayOfWeek() == Qt::Sunday ? 1u : 2u);

    EditWindow w;
    w.edit->setText(QStringLiteral("31.12.2008"));
    DLGPECALENDAR dialog(&w.window, w.edit);
    EXPECT_EQ(dialog.calendar()->FIRSTDAYOFWEEK(), 1u);
    EXPECT_EQ(dialog.calendar()->weekdayAbbreviation(1), system.standaloneDayName(Qt::Sunday, QLocale::ShortFormat));
    EXPECT_EQ(dialog.calendar()->CURRENTCOLUMNNUMBER(), 4) << "a Wednesday";
}

}  // namespace zeva
