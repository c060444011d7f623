// The splash screen's life with an injected clock, and the about box.
#include "shell/ui/splashabout.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <QTest>

#include <gtest/gtest.h>

using namespace zeva;

namespace {

struct FakeClock {
    qint64 now = 1000;
    QList<int> sleeps;
    MonotonicClock clock() { return [this] { return now; }; }
    // A sleep moves the clock on, as the real one would.
    Sleeper sleeper()
    {
        return [this](int ms) {
            sleeps << ms;
            now += ms;
        };
    }
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

TEST(Splash, ShownOnTopAndGoneThreeSecondsLater)
{
    FakeClock t;
    ActiveProblem p;
    p.LSHOWLOGO = true;
    QPointer<SPLASHSCREEN> splash = showSplashIfEnabled(p, t.clock(), t.sleeper());
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(splash->isModal());
    EXPECT_TRUE(splash->windowTitle().isEmpty());
    EXPECT_EQ(t.sleeps, QList<int>{2000});  // the start-up is held 2 seconds
    EXPECT_TRUE(splash->closeTimer().isActive());

    EXPECT_EQ(splash->title->text(), QStringLiteral("ZEVA S 2.0"));
    EXPECT_TRUE(splash->title->font().underline());
    EXPECT_TRUE(splash->title->font().bold());
    EXPECT_EQ(splash->description->text(),
              QStringLiteral("EN DÜŞÜK MALİYETLİ KARMA YEM VE RASYON FORMÜLÜ HAZIRLAMA PROGRAMI"));
    EXPECT_EQ(splash->description->font().family(), QStringLiteral("EB Garamond"));
    ASSERT_FALSE(splash->picture->pixmap().isNull());
    EXPECT_EQ(splash->picture->pixmap().size(), QSize(350, 282));
    EXPECT_FALSE(splash->icon->pixmap().isNull());

    // Esc or a close request does not take it down early.
    QTest::keyClick(splash.data(), Qt::Key_Escape);
    EXPECT_TRUE(splash->isVisible());

    t.now += 999;  // 2999 ms after it was shown
    splash->TIMER();
    flushDeletes();
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_TRUE(splash->closeTimer().isActive());

    t.now += 1;
    splash->TIMER();
    flushDeletes();
    EXPECT_FALSE(splash);
}

// The window system lets the window paint a little after it was shown (on a
// real display, once the server has mapped it): the hold must not begin
// before that paint, or the splash stays black for its two seconds.
class LateExpose : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Expose || held_)
            return false;
        held_ = true;
        auto* window = static_cast<QWindow*>(watched);
        const QRegion region = static_cast<QExposeEvent*>(event)->region();
        QTimer::singleShot(50, window, [window, region] {
            QExposeEvent late(region);
            QCoreApplication::sendEvent(window, &late);
        });
        return true;
    }

private:
    bool held_ = false;
};

TEST(Splash, PaintedBeforeTheHold)
{
    FakeClock t;
    QImage seen;
    QPointer<SPLASHSCREEN> splash;
    Sleeper sleeper = [&](int ms) {
        t.sleeps << ms;
        // What the screen holds of the splash while the start-up is held.
        seen = splash->screen()->grabWindow(splash->winId()).toImage();
    };
    splash = new SPLASHSCREEN(nullptr, t.clock(), sleeper);
    splash->winId();
    LateExpose late;
    splash->windowHandle()->installEventFilter(&late);
    splash->SHOW();
    EXPECT_EQ(t.sleeps, QList<int>{2000});
    ASSERT_FALSE(seen.isNull());
    ASSERT_EQ(seen.size(), splash->size() * splash->devicePixelRatio());
    // The cyan behind the title and the description, and the picture.
    for (QLabel* label : {splash->title, splash->description}) {
        const QPoint corner = label->geometry().topLeft() + QPoint(4, 4);
        EXPECT_EQ(seen.pixelColor(corner), QColor(0, 255, 255)) << label->text().toStdString();
    }
    const QImage picture = splash->picture->pixmap().toImage();
    const QPoint inPicture = splash->picture->geometry().center();
    const QPoint fromPicture = inPicture - splash->picture->geometry().topLeft()
                               - QPoint((splash->picture->width() - picture.width()) / 2,
                                        (splash->picture->height() - picture.height()) / 2);
    EXPECT_EQ(seen.pixelColor(inPicture), picture.pixelColor(fromPicture));
    delete splash.data();
}

TEST(Splash, NoSplashAndNoPauseWhenTheOptionIsOff)
{
    FakeClock t;
    ActiveProblem p;
    p.LSHOWLOGO = false;
    const int before = static_cast<int>(QApplication::topLevelWidgets().size());
    EXPECT_FALSE(showSplashIfEnabled(p, t.clock(), t.sleeper()));
    EXPECT_TRUE(t.sleeps.isEmpty());
    EXPECT_EQ(QApplication::topLevelWidgets().size(), before);
}

TEST(AboutBox, TermsInThreeLinesAndTamamEndsIt)
{
    QWidget owner;
    int runs = 0;
    OHAKKINDA(&owner, [&](QDialog& d) {
        ++runs;
        auto& box = static_cast<ZVXHAKKINDA&>(d);
        d.open();
        EXPECT_EQ(box.parentWidget(), &owner);
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Hakkında..."));
        EXPECT_EQ(box.name->text(), QStringLiteral("ZEVA 2.0"));
        EXPECT_TRUE(box.name->font().underline());
        EXPECT_EQ(box.description->text(), QStringLiteral("EN DÜŞÜK MALİYETLİ KARMA YEM VE RASYON") + QString(12, QLatin1Char(' '))
                                               + QStringLiteral("FORMÜLÜ HAZIRLAMA PROGRAMI"));
        EXPECT_EQ(box.terms->title(), QStringLiteral("Kullanım Şartları"));
        const QStringList lines = box.termsText->text().split(QLatin1Char('\n'));
        EXPECT_EQ(lines.size(), 3);
        EXPECT_EQ(lines.value(0), QStringLiteral("Bu programda; çok sayıda değişken bulunmakta, girdilerin seçimi ve "));
        EXPECT_EQ(lines.value(2),
                  QStringLiteral("her kullanıcı kendi riskini taşır. Yazar hiç bir sorumluluk kabul etmez."));
        EXPECT_TRUE(box.terms->geometry().contains(box.termsText->geometry()));
        EXPECT_TRUE(box.pbTamam->isDefault());
        EXPECT_FALSE(box.icon->pixmap().isNull());
        box.pbTamam->click();
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), 1);
        return box.result();
    });
    EXPECT_EQ(runs, 1);

    ZVXHAKKINDA esc(nullptr);
    esc.open();
    QTest::keyClick(&esc, Qt::Key_Escape);
    EXPECT_FALSE(esc.isVisible());
}
