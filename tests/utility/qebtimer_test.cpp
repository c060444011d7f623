// The shortest period of the window timer: whatever shorter interval it
// holds, a running timer fires at least 10 ms apart.
#include "platform/windowmessage.h"
#include "utility/qebtimer.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace zeva {
namespace {

class TickCounter : public QObject {
public:
    int ticks = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == WindowMessageEvent::eventType()) {
            ticks += static_cast<WindowMessageEvent*>(e)->message() == wm::Timer ? 1 : 0;
            return true;
        }
        return QObject::event(e);
    }
};

// Ticks counted over about 200 ms of running, with bounds generous enough
// for a loaded machine: at most one per 10 ms (and a few to spare), and at
// least one.
void expectFloor(TickCounter& owner, QEBTIMER& timer, const char* name)
{
    owner.ticks = 0;
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(200);
    timer.STOP();
    const qint64 elapsed = clock.elapsed();
    EXPECT_LE(owner.ticks, elapsed / 10 + 5) << name << ": " << owner.ticks << " ticks in " << elapsed << " ms";
    EXPECT_GE(owner.ticks, 1) << name;
}

TEST(QebTimer, ShortIntervalsFireAtMostEvery10Ms)
{
    const struct {
        const char* name;
        QVariant given;
        int stored;
    } cases[] = {
        {"0", 0, 0},
        {"65536, which wraps to 0", 65536, 0},
        {"1 ms", 1, 1},
    };
    for (const auto& c : cases) {
        TickCounter owner;
        QEBTIMER timer(&owner, c.given);
        EXPECT_EQ(timer.INTERVAL(), c.stored) << c.name;
        ASSERT_TRUE(timer.START()) << c.name;
        expectFloor(owner, timer, c.name);
        EXPECT_EQ(timer.INTERVAL(), c.stored) << c.name;
    }

    // A text given to the constructor counts as no interval; assigned later
    // it is ignored. An interval of 0 assigned to a running timer keeps the
    // floor too.
    TickCounter owner;
    QEBTIMER timer(&owner, QStringLiteral("abc"));
    EXPECT_EQ(timer.INTERVAL(), 1000);
    ASSERT_TRUE(timer.START());
    EXPECT_EQ(timer.setINTERVAL(0), 0);
    EXPECT_TRUE(timer.RUNNING());
    EXPECT_EQ(timer.setINTERVAL(QStringLiteral("5")), 0);
    expectFloor(owner, timer, "0 assigned while running");
}

}  // namespace
}  // namespace zeva
