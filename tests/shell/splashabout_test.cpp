// The splash screen's life with an injected clock, and the about box.
#include "shell/ui/splashabout.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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
