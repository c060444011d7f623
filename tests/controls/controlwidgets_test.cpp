#include "controls/ui/bitmapfromdisk.h"
#include "controls/ui/blinking.h"
#include "controls/ui/hyperlink.h"
#include "controls/ui/iconpushbutton.h"
#include "controls/ui/typededits.h"
#include "controls/ui/xtabcontrol.h"
#include "shell/ui/mousewindows.h"
#include "support/tempdir.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimerEvent>

#include <gtest/gtest.h>

namespace zeva {
namespace {

void activate(QWidget* w)
{
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
}

TEST(OdiSle, NumericAndDateTypingThroughKeys)
{
    QWidget w;
    auto* num = new ODI_SLE(&w, 1);
    num->SETLEN(10, 2);
    auto* date = new ODI_SLE(&w, 2, QStringLiteral("D"));
    QDate today(2024, 6, 15);
    date->setClock([&] { return today; });
    activate(&w);
    num->setFocus();
    QTest::keyClicks(num, QStringLiteral("12345,678"));
    EXPECT_EQ(num->text(), QStringLiteral("12,345.67"));
    EXPECT_EQ(num->rawText(), QStringLiteral("12345.67"));
    QTest::keyClick(num, Qt::Key_Home);
    QTest::keyClick(num, Qt::Key_Minus);
    EXPECT_EQ(num->text(), QStringLiteral("-12,345.67"));
    QTest::keyClick(num, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(num->text(), QStringLiteral("-2,345.67")) << "Ctrl+Delete is Delete";

    date->setFocus();
    QTest::keyClick(date, Qt::Key_Asterisk);
    EXPECT_EQ(date->text(), QStringLiteral("15.06.2024"));
    QTest::keyClick(date, Qt::Key_Plus);
    EXPECT_EQ(date->text(), QStringLiteral("16.06.2024"));
    QTest::keyClick(date, Qt::Key_Space);
    EXPECT_EQ(date->text(), QStringLiteral("  .  .    "));
    today = today.addDays(1);  // the edit stays open past midnight
    QTest::keyClick(date, Qt::Key_Asterisk);
    EXPECT_EQ(date->text(), QStringLiteral("16.06.2024")) << "\"*\" reads the day when it is typed";
    QTest::keyClick(date, Qt::Key_Space);
    date->setCursorPosition(1);
    QTest::keyClick(date, Qt::Key_1);
    EXPECT_EQ(date->text(), QStringLiteral(" 1.  .    "));
    EXPECT_EQ(date->cursorPosition(), 3);
    QTest::keyClicks(date, QStringLiteral(".x"));
    EXPECT_EQ(date->text(), QStringLiteral(" 1.  .    "));

    auto* plain = new ODI_SLE(&w, 3, QStringLiteral("C"));
    plain->setFocus();
    QTest::keyClicks(plain, QStringLiteral("ab.,"));
    EXPECT_EQ(plain->text(), QStringLiteral("ab.,")) << "another type types plainly";
}

TEST(OdiSle, OnlyCopyLeavesTheRulesAlone)
{
    QWidget w;
    auto* num = new ODI_SLE(&w);
    num->SETLEN(10, 0);
    activate(&w);
    num->setFocus();
    QTest::keyClicks(num, QStringLiteral("1234"));
    QApplication::clipboard()->setText(QStringLiteral("99abc"));
    QTest::keyClick(num, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(num, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(num, Qt::Key_Backspace, Qt::ControlModifier);
    QTest::keyClick(num, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(num->text(), QStringLiteral("1,234"));
    QTest::keyClick(num, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(num->text(), QStringLiteral("1,234")) << "no cut";
    num->selectAll();
    QTest::keyClick(num, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1,234"));
    EXPECT_EQ(num->text(), QStringLiteral("1,234"));
    EXPECT_FALSE(num->acceptDrops());
}

TEST(OdiSle, EnterAndEscStillReachTheDialog)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        QDialog dlg;
        auto* edit = new ODI_SLE(&dlg);
        edit->SETLEN(10, 0);
        auto* ok = new QPushButton(QStringLiteral("Tamam"), &dlg);
        ok->setDefault(true);
        QObject::connect(ok, &QPushButton::clicked, &dlg, &QDialog::accept);
        activate(&dlg);
        edit->setFocus();
        QTest::keyClick(edit, key);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), key == Qt::Key_Return ? QDialog::Accepted : QDialog::Rejected);
    }
}

struct ThreeSmart {
    QDialog dlg;
    SMARTSLE* a = new SMARTSLE(&dlg, 1);
    SMARTSLE* b = new SMARTSLE(&dlg, 2);
    SMARTSLE* c = new SMARTSLE(&dlg, 3);
};

TEST(SmartSle, TheFirstCharacterReplacesTheShownText)
{
    ThreeSmart f;
    f.a->setText(QStringLiteral("Ali"));
    activate(&f.dlg);
    f.a->setFocus();
    QTest::keyClick(f.a, Qt::Key_Left);
    QTest::keyClick(f.a, Qt::Key_Right);
    EXPECT_EQ(f.a->text(), QStringLiteral("Ali"));
    EXPECT_FALSE(f.a->LEMPTIED);
    QTest::keyClicks(f.a, QStringLiteral("Ve"));
    EXPECT_EQ(f.a->text(), QStringLiteral("Ve"));
    EXPECT_TRUE(f.a->LEMPTIED);
    f.a->LEMPTIED = false;
    QTest::keyClick(f.a, Qt::Key_X);
    EXPECT_EQ(f.a->text(), QStringLiteral("x")) << "re-armed";
}

TEST(SmartSle, EnterMovesOnAndWraps)
{
    ThreeSmart f;
    auto* ok = new QPushButton(QStringLiteral("Tamam"), &f.dlg);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &f.dlg, &QDialog::accept);
    f.a->setText(QStringLiteral("Ali"));
    f.b->setText(QStringLiteral("Veli"));
    activate(&f.dlg);
    f.a->setFocus();
    QTest::keyClick(f.a, Qt::Key_Return);
    EXPECT_EQ(f.a->text(), QStringLiteral("Ali")) << "Enter clears nothing";
    EXPECT_TRUE(f.b->hasFocus());
    EXPECT_EQ(f.b->selectedText(), QStringLiteral("Veli"));
    EXPECT_TRUE(f.dlg.isVisible()) << "the dialog's default button is not pressed";
    f.c->setFocus();
    QTest::keyClick(f.c, Qt::Key_Enter);
    EXPECT_TRUE(f.c->hasFocus()) << "the control after the last is a push button: nothing";

    QDialog wrap;
    auto* first = new SMARTSLE(&wrap);
    new QLineEdit(&wrap);
    auto* last = new SMARTSLE(&wrap);
    first->setText(QStringLiteral("bir"));
    activate(&wrap);
    last->setFocus();
    QTest::keyClick(last, Qt::Key_Return);
    EXPECT_TRUE(first->hasFocus());
    EXPECT_EQ(first->selectedText(), QStringLiteral("bir"));
}

TEST(Blinking, IntervalsTicksAndStops)
{
    QWidget w;
    auto* label = new BLINKINGFIXEDTEXT(&w, 1, QStringLiteral("Dikkat"));
    w.show();
    EXPECT_TRUE(label->isBlinking());
    EXPECT_EQ(label->interval(), 333);
    label->BLINKING(true, 50);
    EXPECT_EQ(label->interval(), 200);
    label->BLINKING(true, 1000);
    EXPECT_EQ(label->interval(), 1000);
    label->BLINKING(true);
    EXPECT_EQ(label->interval(), 1000);

    auto tick = [](QObject* o, int id) {
        QTimerEvent e(id);
        QApplication::sendEvent(o, &e);
    };
    tick(label, label->blinkTimerId());
    EXPECT_TRUE(label->isHidden());
    tick(label, label->blinkTimerId());
    EXPECT_FALSE(label->isHidden());
    tick(label, label->blinkTimerId() + 1000);
    EXPECT_FALSE(label->isHidden()) << "another timer's event goes to the label";
    tick(label, label->blinkTimerId());
    label->BLINKING(false);
    EXPECT_FALSE(label->isBlinking());
    EXPECT_TRUE(label->isHidden()) << "stopped while hidden stays hidden";
    label->BLINKING(true);
    label->BLINKING();
    EXPECT_FALSE(label->isBlinking());

    auto* edit = new BLINKINGSLE(&w, 2);
    edit->show();
    activate(&w);
    edit->setFocus();
    tick(edit, edit->blinkTimerId());
    EXPECT_TRUE(edit->blinkHidden());
    EXPECT_TRUE(edit->hasFocus()) << "the edit keeps its focus while blinked away";
    EXPECT_FALSE(edit->isHidden());
}

TEST(Blinking, ShowBringsBackWhatAStopLeftHidden)
{
    QWidget w;
    auto* label = new BLINKINGFIXEDTEXT(&w, 1, QStringLiteral("Dikkat"));
    auto* edit = new BLINKINGSLE(&w, 2);
    edit->setText(QStringLiteral("Uyarı"));
    edit->move(0, 40);
    w.show();
    const QImage shown = edit->grab().toImage();

    auto tick = [](QObject* o, int id) {
        QTimerEvent e(id);
        QApplication::sendEvent(o, &e);
    };
    tick(label, label->blinkTimerId());
    tick(edit, edit->blinkTimerId());
    label->BLINKING(false);
    edit->BLINKING(false);
    ASSERT_TRUE(label->isHidden());
    ASSERT_TRUE(edit->blinkHidden());
    EXPECT_NE(edit->grab().toImage(), shown) << "blinked away";

    label->show();
    edit->show();
    EXPECT_FALSE(label->isHidden());
    EXPECT_FALSE(edit->blinkHidden());
    EXPECT_EQ(edit->grab().toImage(), shown) << "the edit draws itself again";
    EXPECT_FALSE(edit->isBlinking()) << "SHOW does not start the blinking";
}

struct ThreeTabs {
    QDialog dlg;
    XTABCONTROL* tabs = new XTABCONTROL(&dlg, 1);
    QLineEdit* page0 = new QLineEdit;
    ThreeTabs()
    {
        tabs->APPENDTAB(QStringLiteral("bir"), QStringLiteral("&Bir"), page0);
        tabs->APPENDTAB(QStringLiteral("iki"), QStringLiteral("&İki"), new QWidget);
        tabs->APPENDTAB(QStringLiteral("uc"), QStringLiteral("&Üç"), new QWidget);
        tabs->resize(300, 200);
    }
    void click(int index)
    {
        QTabBar* bar = tabs->xTabBar();
        const QPoint p = bar->tabRect(index).center();
        QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, p);
    }
};

TEST(XTabControl, BlockedTabsRefuseClicks)
{
    ThreeTabs f;
    activate(&f.dlg);
    f.tabs->PREVENTSELECTION(1);
    f.click(1);
    EXPECT_EQ(f.tabs->currentIndex(), 0);
    f.click(2);
    EXPECT_EQ(f.tabs->currentIndex(), 2);
    f.tabs->ALLOWSELECTION(1);
    f.click(1);
    EXPECT_EQ(f.tabs->currentIndex(), 1);
    f.tabs->PREVENTSELECTION(7);
    f.tabs->ALLOWSELECTION(-1);
    EXPECT_TRUE(f.tabs->isAllowed(7)) << "a tab without an entry counts as allowed";
}

TEST(XTabControl, TheKeyboardAndWheelNeverChangeTheTab)
{
    ThreeTabs f;
    activate(&f.dlg);
    f.tabs->PREVENTSELECTION(1);
    QTabBar* bar = f.tabs->xTabBar();
    bar->setFocus();
    for (Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_End, Qt::Key_Home})
        QTest::keyClick(bar, key);
    EXPECT_EQ(f.tabs->currentIndex(), 0);
    QWheelEvent wheel(QPointF(5, 5), bar->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    EXPECT_EQ(f.tabs->currentIndex(), 0);
    f.page0->setFocus();
    QTest::keyClick(f.page0, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyClick(f.page0, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClick(f.page0, Qt::Key_I, Qt::AltModifier);
    EXPECT_EQ(f.tabs->currentIndex(), 0);
    bar->setFocus();
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_FALSE(f.dlg.isVisible()) << "Esc still closes the dialog";
}

TEST(Hyperlink, AClickOpensTheLinkOrTheCaption)
{
    QWidget w;
    auto* label = new FIXEDTEXTHYPERLINK(&w, 1, QStringLiteral("www.example.com"));
    QList<QUrl> opened;
    label->setLinkOpener([&](const QUrl& u) {
        opened.append(u);
        return true;
    });
    label->resize(150, 20);
    w.show();
    QTest::mouseClick(label, Qt::LeftButton);
    label->LINK = QStringLiteral("https://example.org/yem");
    QTest::mouseClick(label, Qt::LeftButton);
    QTest::mouseClick(label, Qt::RightButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("http://www.example.com")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://example.org/yem")));
}

// The addresses opened, one after another.
std::string shown(const QList<QUrl>& urls)
{
    QStringList all;
    for (const QUrl& u : urls)
        all << u.toString();
    return all.join(QLatin1Char(' ')).toStdString();
}

// Runs a test in another working folder.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& path) { QDir::setCurrent(path); }
    ~WorkingFolder() { QDir::setCurrent(saved_); }

private:
    QString saved_ = QDir::currentPath();
};

TEST(Hyperlink, WhatATargetNames)
{
    test::TempDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("belge")));
    for (const char* name : {"Zeva.chm", "belge/yardım.txt", "www.yem.org"}) {
        QFile f(dir.file(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    WorkingFolder here(dir.path());
    QWidget w;
    auto* label = new FIXEDTEXTHYPERLINK(&w, 1, QStringLiteral("Yardım"));
    QList<QUrl> opened;
    label->setLinkOpener([&](const QUrl& u) {
        opened.append(u);
        return true;
    });
    label->resize(150, 20);
    w.show();

    const QUrl none;
    const struct {
        QString link;
        QUrl opens;
    } cases[] = {
        {QStringLiteral("https://example.org/yem"), QUrl(QStringLiteral("https://example.org/yem"))},
        {QStringLiteral("mailto:zeva@example.org"), QUrl(QStringLiteral("mailto:zeva@example.org"))},
        {QStringLiteral("Zeva.chm"), QUrl::fromLocalFile(dir.file(QStringLiteral("Zeva.chm")))},
        {QStringLiteral("belge/yardım.txt"), QUrl::fromLocalFile(dir.file(QStringLiteral("belge/yardım.txt")))},
        {dir.file(QStringLiteral("Zeva.chm")), QUrl::fromLocalFile(dir.file(QStringLiteral("Zeva.chm")))},
        {QStringLiteral("www.yem.org"), QUrl::fromLocalFile(dir.file(QStringLiteral("www.yem.org")))},
        {QStringLiteral("www.example.com"), QUrl(QStringLiteral("http://www.example.com"))},
        {QStringLiteral("WWW.example.com:8080/yem"), QUrl(QStringLiteral("http://WWW.example.com:8080/yem"))},
        {QStringLiteral("Eksik.chm"), none},
        {QStringLiteral("example.com"), none},
        {dir.file(QStringLiteral("Eksik.chm")), none},
    };
    for (const auto& c : cases) {
        opened.clear();
        label->LINK = c.link;
        QTest::mouseClick(label, Qt::LeftButton);
        EXPECT_EQ(shown(opened), c.opens.toString().toStdString()) << c.link.toStdString();
    }

    // Without a link the caption is the target: "Yardım" names nothing here.
    label->LINK.clear();
    opened.clear();
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(shown(opened), "");
    label->setText(QStringLiteral("Zeva.chm"));
    QTest::mouseClick(label, Qt::LeftButton);
    EXPECT_EQ(shown(opened), QUrl::fromLocalFile(dir.file(QStringLiteral("Zeva.chm"))).toString().toStdString());
}

const DialogTemplate kLinkTemplate{
    "Link", "Link", 0, 0, 200, 100, "MS Shell Dlg", 8, DS_CAPTION | DS_SYSMENU, {}};

TEST(Hyperlink, TheHandFollowsTheHoverProtocolOnlyForThisLabel)
{
    NEWDIALOGWINDOW dlg(kLinkTemplate, nullptr, 96);
    auto* link = new FIXEDTEXTHYPERLINK(&dlg, 1, QStringLiteral("www.example.com"));
    auto* other = new QLabel(QStringLiteral("düz"), &dlg);
    link->setGeometry(10, 10, 120, 20);
    other->setGeometry(10, 50, 120, 20);
    other->setCursor(Qt::IBeamCursor);
    dlg.move(100, 100);
    dlg.show();
    dlg.mouseTracker()->check(link->mapToGlobal(link->rect().center()));
    EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(other->cursor().shape(), Qt::IBeamCursor);
    dlg.mouseTracker()->check(other->mapToGlobal(other->rect().center()));
    EXPECT_FALSE(link->testAttribute(Qt::WA_SetCursor)) << "its own cursor is back";
    EXPECT_EQ(other->cursor().shape(), Qt::IBeamCursor);

    QDialog plain;
    auto* quiet = new FIXEDTEXTHYPERLINK(&plain, 1, QStringLiteral("www.example.com"));
    int opens = 0;
    quiet->setLinkOpener([&](const QUrl&) { return ++opens > 0; });
    plain.show();
    QTest::mouseMove(quiet);
    EXPECT_FALSE(quiet->testAttribute(Qt::WA_SetCursor));
    QTest::mouseClick(quiet, Qt::LeftButton);
    EXPECT_EQ(opens, 1);
}

TEST(BitmapFromDisk, BitmapsOnly)
{
    test::TempDir dir;
    QImage image(13, 7, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(dir.file(QStringLiteral("a.bmp")), "BMP"));
    ASSERT_TRUE(image.save(dir.file(QStringLiteral("b.png")), "PNG"));
    const VOBITMAPFROMDISK bmp(dir.file(QStringLiteral("a.bmp")));
    EXPECT_FALSE(bmp.isNull());
    EXPECT_EQ(bmp.size(), QSize(13, 7));
    EXPECT_TRUE(VOBITMAPFROMDISK(dir.file(QStringLiteral("missing.bmp"))).isNull());
    EXPECT_TRUE(VOBITMAPFROMDISK(dir.file(QStringLiteral("b.png"))).isNull());
}

TEST(IconPushButton, LayoutByState)
{
    const QSize size(100, 24);
    const IconButtonLayout released = iconButtonLayout(size, false, false, true, 4);
    EXPECT_EQ(released.icon, QRect(4, 2, 20, 20));
    EXPECT_EQ(released.text.left(), 24);
    EXPECT_FALSE(released.outline);
    EXPECT_EQ(iconButtonLayout(size, false, true, true, 4).text.left(), 25);
    const IconButtonLayout pressed = iconButtonLayout(size, true, false, true, 4);
    EXPECT_EQ(pressed.text.left(), 26);
    EXPECT_TRUE(pressed.sunken);
    EXPECT_TRUE(pressed.outline);
    EXPECT_EQ(pressed.icon, QRect(4, 2, 20, 20)) << "the icon does not move when pressed";
    EXPECT_EQ(iconButtonLayout(size, false, false, false, 4).text.left(), 4) << "no icon: the whole width";
    for (const IconButtonLayout& l : {released, pressed})
        EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(l.frame));
    EXPECT_EQ(iconButtonTextColor(255, QPalette()), QColor(255, 0, 0));
    EXPECT_EQ(iconButtonTextColor(0xFF0000, QPalette()), QColor(0, 0, 255));
    QPalette pal;
    pal.setColor(QPalette::ButtonText, QColor(1, 2, 3));
    EXPECT_EQ(iconButtonTextColor(0, pal), QColor(1, 2, 3));
}

QIcon solid(QColor c)
{
    QPixmap p(32, 32);
    p.fill(c);
    return QIcon(p);
}

QColor pixelAt(QWidget* w, QPoint p) { return w->grab().toImage().pixelColor(p); }

TEST(IconPushButton, IconsFollowTheState)
{
    QWidget w;
    auto* onlyUp = new ICONPUSHBUTTON(&w, 1, QStringLiteral("Tamam"));
    onlyUp->resize(100, 24);
    onlyUp->ICONUP(solid(Qt::green));
    auto* onlyDown = new ICONPUSHBUTTON(&w, 2, QStringLiteral("Tamam"));
    onlyDown->resize(100, 24);
    onlyDown->move(0, 30);
    onlyDown->ICONDOWN(solid(Qt::blue));
    w.show();
    const QPoint iconCentre(14, 12);
    EXPECT_EQ(pixelAt(onlyUp, iconCentre), QColor(Qt::green));
    onlyUp->setDown(true);
    EXPECT_EQ(pixelAt(onlyUp, iconCentre), QColor(Qt::green)) << "up shown pressed too";
    EXPECT_EQ(pixelAt(onlyDown, iconCentre), QColor(Qt::blue)) << "down shown released too";

    onlyUp->setDown(false);
    onlyUp->ICONDISABLED(solid(Qt::gray));
    onlyUp->DISABLE();
    EXPECT_EQ(pixelAt(onlyUp, iconCentre), QColor(Qt::gray));
    onlyUp->ENABLE();
    onlyUp->setEnabled(false);
    EXPECT_EQ(pixelAt(onlyUp, iconCentre), QColor(Qt::gray)) << "disabled however it was disabled";
    onlyDown->setEnabled(false);
    EXPECT_EQ(pixelAt(onlyDown, iconCentre), QColor(Qt::blue)) << "no disabled icon: the up icon";
}

int countPixels(const QImage& image, const QRect& area, const QColor& colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

// The focus rectangle is dotted round the caption however the button got the
// focus: a mouse click as well as Tab.
TEST(IconPushButton, TheFocusRectangleFollowsTheFocus)
{
    QWidget w;
    auto* other = new QPushButton(QStringLiteral("Vazgeç"), &w);
    auto* button = new OKPUSHBUTTON(&w, 1, QStringLiteral("Tamam"));
    button->setGeometry(0, 30, 100, 24);
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, QColor(10, 20, 30));
    button->setPalette(pal);
    activate(&w);
    const QColor ink(10, 20, 30);
    // The focus rectangle's top and left edge, inside the caption's rectangle
    // and clear of the caption itself.
    auto edgeDots = [&] {
        const QImage image = button->grab().toImage();
        const QRect text = button->currentLayout().text;
        return countPixels(image, QRect(text.left(), text.top(), text.width(), 1), ink) +
               countPixels(image, QRect(text.left(), text.top(), 1, text.height()), ink);
    };

    other->setFocus();
    EXPECT_EQ(edgeDots(), 0);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_TRUE(button->hasFocus());
    const QRect text = button->currentLayout().text;
    const int edge = text.width() + text.height();
    EXPECT_GE(edgeDots(), edge / 3) << "after a click";
    EXPECT_LE(edgeDots(), edge * 2 / 3) << "dotted";
    other->setFocus();
    EXPECT_EQ(edgeDots(), 0);
    QTest::keyClick(other, Qt::Key_Tab);
    ASSERT_TRUE(button->hasFocus());
    EXPECT_GE(edgeDots(), edge / 3) << "after Tab";
}

TEST(IconPushButton, CaptionColours)
{
    QWidget w;
    auto* button = new OKPUSHBUTTON(&w, 1, QStringLiteral("Tamam"));
    button->resize(100, 24);
    QPalette pal = button->palette();
    pal.setColor(QPalette::ButtonText, QColor(10, 20, 30));
    pal.setColor(QPalette::Light, QColor(250, 240, 5));
    pal.setColor(QPalette::Dark, QColor(90, 80, 70));
    button->setPalette(pal);
    w.show();
    const QRect text = button->currentLayout().text;
    button->BUTTONTEXTCOLOR(255);
    EXPECT_GT(countPixels(button->grab().toImage(), text, QColor(255, 0, 0)), 10);
    button->BUTTONTEXTCOLOR(0);
    QImage plain = button->grab().toImage();
    EXPECT_EQ(countPixels(plain, text, QColor(255, 0, 0)), 0);
    EXPECT_GT(countPixels(plain, text, QColor(10, 20, 30)), 10);
    EXPECT_EQ(countPixels(plain, text, QColor(250, 240, 5)), 0);
    button->DISABLE();
    EXPECT_GT(countPixels(button->grab().toImage(), text.adjusted(0, 0, 1, 1), QColor(250, 240, 5)), 5)
        << "the embossed caption";
    button->ENABLE();
    EXPECT_EQ(countPixels(button->grab().toImage(), text.adjusted(0, 0, 1, 1), QColor(250, 240, 5)), 0);
    EXPECT_FALSE(buttonIcon(QStringLiteral("ICOOKUP")).isNull());
    EXPECT_FALSE(buttonIcon(QStringLiteral("ICOHELPDISABLED")).isNull());
    EXPECT_TRUE(buttonIcon(QStringLiteral("Z1_UZOVERAR")).isNull());
    EXPECT_EQ(buttonIcon(QStringLiteral("ICONODOWN")).availableSizes().value(0), QSize(32, 32));
}

}  // namespace
}  // namespace zeva
