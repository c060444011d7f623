// The please-wait box, the single-value form and the windows that report the
// mouse entering and leaving their controls.
#include "platform/ui/controls.h"
#include "shell/tones.h"
#include "shell/ui/mousewindows.h"
#include "shell/ui/smallforms.h"
#include "support/typing.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeva;
using zeva::test::typeText;

namespace {

const QString kPreset = QStringLiteral("     1.2500");

void show(QDialog& dlg)
{
    dlg.open();
    QApplication::setActiveWindow(&dlg);
}

}  // namespace

TEST(ActAlert, ModelessBoxThatOnlyItsOwnerTakesDown)
{
    ACTALERT box(nullptr);
    box.show();
    EXPECT_FALSE(box.isModal());
    EXPECT_EQ(box.windowTitle(), QStringLiteral("İşlem Mesajı"));
    EXPECT_EQ(box.FIXEDTEXT1->text(), QStringLiteral("İşlemler yürütülüyor. Lütfen bekleyiniz!"));
    EXPECT_TRUE(box.FIXEDTEXT1->font().bold());
    EXPECT_EQ(box.FIXEDTEXT1->font().pointSize(), 10);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(box.windowFlags() & Qt::WindowSystemMenuHint);
    EXPECT_TRUE(box.windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(box.windowIcon().isNull());
    EXPECT_EQ(box.clientSize(), QSize(300, 34));

    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    box.close();
    EXPECT_TRUE(box.isVisible());
}

TEST(MbmWind, OkHandsBackTheNormalisedValue)
{
    MBM_WIND dlg(nullptr, QStringLiteral("NEL yeni değeri:"), kPreset);
    show(dlg);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Makro BM Yeni Değer Girişi"));
    EXPECT_EQ(dlg.FIXEDTEXT1->text(), QStringLiteral("NEL yeni değeri:"));
    EXPECT_EQ(dlg.FIXEDTEXT1->font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(dlg.MBM_EDIT->text(), kPreset);
    EXPECT_EQ(dlg.CTXTVAL, kPreset);

    dlg.MBM_EDIT->setFocus();
    dlg.MBM_EDIT->selectAll();
    typeText(dlg.MBM_EDIT, QStringLiteral("2,5"));
    dlg.pbTamam->setFocus(Qt::MouseFocusReason);  // a click moves the focus first
    EXPECT_EQ(dlg.MBM_EDIT->text(), QStringLiteral("     2.5000"));
    dlg.pbTamam->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.CTXTVAL, QStringLiteral("     2.5000"));

    // Enter while the edit still has the focus gives the same.
    MBM_WIND enter(nullptr, QStringLiteral("x"), kPreset);
    show(enter);
    enter.MBM_EDIT->setFocus();
    enter.MBM_EDIT->selectAll();
    typeText(enter.MBM_EDIT, QStringLiteral("2,5"));
    QTest::keyClick(enter.MBM_EDIT, Qt::Key_Return);
    EXPECT_EQ(enter.result(), QDialog::Accepted);
    EXPECT_EQ(enter.CTXTVAL, QStringLiteral("     2.5000"));

    // A cleared edit gives 11 blanks; OK without typing hands back the preset.
    MBM_WIND cleared(nullptr, QStringLiteral("x"), kPreset);
    show(cleared);
    cleared.MBM_EDIT->setFocus();
    cleared.MBM_EDIT->selectAll();
    QTest::keyClick(cleared.MBM_EDIT, Qt::Key_Delete);
    cleared.pbTamam->click();
    EXPECT_EQ(cleared.CTXTVAL, QString(11, QLatin1Char(' ')));
    MBM_WIND untouched(nullptr, QStringLiteral("x"), kPreset);
    show(untouched);
    untouched.pbTamam->click();
    EXPECT_EQ(untouched.CTXTVAL, kPreset);
}

TEST(MbmWind, MinusSignIsNotTaken)
{
    MBM_WIND dlg(nullptr, QStringLiteral("x"), kPreset);
    show(dlg);
    dlg.MBM_EDIT->setFocus();
    dlg.MBM_EDIT->selectAll();
    typeText(dlg.MBM_EDIT, QStringLiteral("-2,5"));
    EXPECT_EQ(dlg.MBM_EDIT->text(), QStringLiteral("2,5"));
    dlg.pbTamam->click();
    EXPECT_EQ(dlg.CTXTVAL, QStringLiteral("     2.5000"));
}

TEST(MbmWind, CancelEscAndCloseKeepThePreset)
{
    for (int way = 0; way < 3; ++way) {
        MBM_WIND dlg(nullptr, QStringLiteral("x"), kPreset);
        show(dlg);
        dlg.MBM_EDIT->setFocus();
        dlg.MBM_EDIT->selectAll();
        typeText(dlg.MBM_EDIT, QStringLiteral("7"));
        if (way == 0)
            dlg.pbIptal->click();
        else if (way == 1)
            QTest::keyClick(dlg.MBM_EDIT, Qt::Key_Escape);
        else
            dlg.close();
        EXPECT_FALSE(dlg.isVisible()) << way;
        EXPECT_EQ(dlg.result(), QDialog::Rejected) << way;
        EXPECT_EQ(dlg.CTXTVAL, kPreset) << way;
    }
}

TEST(Tones, DurationsInEighteenths)
{
    EXPECT_EQ(toneMilliseconds(18), 1000);
    EXPECT_EQ(toneMilliseconds(3), 167);
    EXPECT_EQ(toneMilliseconds(1), 56);
    EXPECT_EQ(toneMilliseconds(0), 0);
    EXPECT_EQ(toneMilliseconds(-2), 0);
}

// A control that wants to hear about the pointer.
class HoverProbe : public QWidget {
    Q_OBJECT
public:
    HoverProbe(const QString& name, QStringList* log, QWidget* parent) : QWidget(parent), name_(name), log_(log) {}
    std::function<void()> onEnter;

    Q_INVOKABLE void MOUSEENTER()
    {
        *log_ << name_ + QStringLiteral(" enter");
        if (onEnter)
            onEnter();
    }
    Q_INVOKABLE void MOUSEEXIT() { *log_ << name_ + QStringLiteral(" exit"); }

private:
    QString name_;
    QStringList* log_;
};

namespace {

const DialogTemplate kHoverTemplate{
    "Hover", "Hover", 0, 0, 200, 100, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU,
    {
        {100, CtlKind::Label, 120, 60, 60, 20, "plain"},
    }};

// A mouse move over `target` at its centre, as the platform would deliver it.
void moveOver(QWidget* target)
{
    const QPointF local = QRectF(target->rect()).center();
    QMouseEvent move(QEvent::MouseMove, local, target->mapToGlobal(local), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(target, &move);
}

}  // namespace

TEST(MouseWindows, EnterAndExitGoToTheControlsThatWantThem)
{
    QStringList log;
    NEWDIALOGWINDOW dlg(kHoverTemplate, nullptr, 96);
    auto* a = new HoverProbe(QStringLiteral("A"), &log, &dlg);
    auto* b = new HoverProbe(QStringLiteral("B"), &log, &dlg);
    a->setGeometry(10, 10, 50, 30);
    b->setGeometry(70, 10, 50, 30);
    QWidget* plain = dlg.control(100);
    dlg.move(100, 100);
    dlg.show();
    ASSERT_EQ(QApplication::widgetAt(a->mapToGlobal(a->rect().center())), a);

    moveOver(a);
    moveOver(a);  // within one control: nothing after the first
    EXPECT_EQ(log, (QStringList{"A enter"}));
    EXPECT_EQ(dlg.mouseTracker()->OMOUSEOVER(), a);

    moveOver(b);
    EXPECT_EQ(log, (QStringList{"A enter", "A exit", "B enter"}));

    // A control without the methods becomes the one under the pointer silently.
    moveOver(plain);
    EXPECT_EQ(dlg.mouseTracker()->OMOUSEOVER(), plain);
    moveOver(a);
    EXPECT_EQ(log, (QStringList{"A enter", "A exit", "B enter", "B exit", "A enter"}));

    // Nothing of ours under the pointer: the reference empties.
    dlg.mouseTracker()->check(QPoint(5000, 5000));
    EXPECT_EQ(dlg.mouseTracker()->OMOUSEOVER(), nullptr);
    EXPECT_EQ(log.last(), QStringLiteral("A exit"));

    // A handler whose own work brings more pointer messages starts no nested check.
    log.clear();
    b->onEnter = [&] { moveOver(a); };
    moveOver(b);
    EXPECT_EQ(log, (QStringList{"B enter"}));
    EXPECT_EQ(dlg.mouseTracker()->OMOUSEOVER(), b);
    EXPECT_FALSE(dlg.mouseTracker()->LMOUSEBUSY());
}

TEST(MouseWindows, DataWindowAndDataDialogWatchLateChildrenToo)
{
    QStringList log;
    NEWDATAWINDOW win;
    win.resize(200, 100);
    win.move(50, 400);
    win.show();
    auto* holder = new QWidget(&win);
    holder->setGeometry(0, 0, 200, 100);
    holder->show();
    auto* late = new HoverProbe(QStringLiteral("L"), &log, holder);
    late->setGeometry(20, 20, 40, 40);
    late->show();
    moveOver(late);
    EXPECT_EQ(log, (QStringList{"L enter"}));

    NEWDATADIALOG dd(kHoverTemplate, nullptr, 96);
    auto* p = new HoverProbe(QStringLiteral("P"), &log, &dd);
    p->setGeometry(10, 10, 40, 40);
    dd.move(400, 100);
    dd.show();
    moveOver(p);
    EXPECT_EQ(log, (QStringList{"L enter", "P enter"}));
}

#include "smallforms_test.moc"
