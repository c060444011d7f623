#include "platform/windowmessage.h"
#include "utility/jstimer.h"
#include "utility/qebtimer.h"
#include "utility/ui/qebtimercontrol.h"

#include <QCoreApplication>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <new>

namespace zeva {
namespace {

// Counts the window messages it receives.
class Receiver : public QObject {
public:
    QList<quintptr> timerIds;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == WindowMessageEvent::eventType()) {
            const auto* m = static_cast<WindowMessageEvent*>(e);
            if (m->message() == wm::Timer)
                timerIds.append(m->wParam());
            return true;
        }
        return QObject::event(e);
    }
};

TEST(QebTimer, IdsStartAt2032AndStartTwiceIsRefused)
{
    QEBTIMER::resetTimerIdsForTest();
    Receiver owner;
    QEBTIMER first(&owner, 20);
    QEBTIMER second(&owner);
    EXPECT_EQ(first.ID(), 2032);
    EXPECT_EQ(second.ID(), 2033);
    EXPECT_EQ(second.INTERVAL(), 1000);
    EXPECT_TRUE(first.START());
    EXPECT_FALSE(first.START());
    EXPECT_TRUE(first.RUNNING());
    QTRY_VERIFY_WITH_TIMEOUT(!owner.timerIds.isEmpty(), 10000);
    EXPECT_EQ(owner.timerIds.front(), quintptr(2032));
    first.STOP();
    EXPECT_FALSE(first.RUNNING());

    QEBTIMER orphan(nullptr);
    EXPECT_FALSE(orphan.START()) << "no owner";
}

TEST(QebTimer, IntervalRestartsOnlyARunningTimer)
{
    Receiver owner;
    QEBTIMER running(&owner, 1000);
    ASSERT_TRUE(running.START());
    EXPECT_EQ(running.setINTERVAL(500), 500);
    EXPECT_TRUE(running.RUNNING());
    EXPECT_EQ(running.setINTERVAL(QStringLiteral("fast")), 500) << "a non-number is ignored";
    QEBTIMER stopped(&owner, 1000);
    EXPECT_EQ(stopped.setINTERVAL(500), 500);
    EXPECT_FALSE(stopped.RUNNING());
    Receiver other;
    EXPECT_EQ(running.setOWNER(nullptr), &owner);
    EXPECT_EQ(running.setOWNER(&other), &other);
    EXPECT_TRUE(running.RUNNING());
}

TEST(QebTimer, IdsWrapPastTheLastSkippingLiveOnes)
{
    QEBTIMER::resetTimerIdsForTest();
    Receiver owner;
    QEBTIMER keep(&owner);  // 2032 stays alive
    EXPECT_EQ(keep.ID(), 2032);
    {
        std::vector<std::unique_ptr<QEBTIMER>> many;
        for (int id = 2033; id <= 65535; ++id)
            many.push_back(std::make_unique<QEBTIMER>(&owner));
        EXPECT_EQ(many.back()->ID(), 65535);
    }
    QEBTIMER next(&owner);
    EXPECT_EQ(next.ID(), 2033);
}

// A call to a deleted owner is made visible without touching freed memory:
// the next owner is built where the deleted one stood, so a timer that kept
// the old address would reach it there.
TEST(QebTimer, ADeletedOwnerIsNeverCalled)
{
    alignas(Receiver) std::byte place[sizeof(Receiver)];
    auto* owner = new (place) Receiver;
    QEBTIMER timer(owner, 10);
    ASSERT_TRUE(timer.START());
    QTRY_VERIFY_WITH_TIMEOUT(owner->timerIds.size() >= 2, 10000);
    owner->~Receiver();

    auto* stranger = new (place) Receiver;
    ASSERT_EQ(static_cast<QObject*>(stranger), static_cast<void*>(place));
    QTest::qWait(100);
    EXPECT_EQ(stranger->timerIds.size(), 0) << "calls after the owner went";
    EXPECT_EQ(timer.OWNER(), nullptr);
    stranger->~Receiver();
}

class OwnerWindow : public QWidget, public QebTimerOwner {
public:
    std::function<QVariant(QEBTIMERCONTROL*)> answer = [](QEBTIMERCONTROL*) { return QVariant(); };
    int calls = 0;
    QVariant ONQEBTIMER(QEBTIMERCONTROL* control) override
    {
        ++calls;
        return answer(control);
    }
};

void tick(QEBTIMERCONTROL* control)
{
    WindowMessageEvent e(wm::Timer, quintptr(control->TIMER().ID()), 0);
    QCoreApplication::sendEvent(control, &e);
}

TEST(QebTimerControl, TheOwnersAnswerDecidesTheRestart)
{
    OwnerWindow window;
    auto* control = new QEBTIMERCONTROL(&window, 7);
    EXPECT_TRUE(control->isHidden());
    EXPECT_EQ(control->TIMER().INTERVAL(), 100);
    EXPECT_EQ(control->TIMER().OWNER(), control);
    control->START();
    tick(control);
    EXPECT_EQ(window.calls, 1);
    EXPECT_TRUE(control->RUNNING()) << "no answer keeps it";
    window.answer = [](QEBTIMERCONTROL*) { return QVariant(false); };
    tick(control);
    EXPECT_FALSE(control->RUNNING());
    window.answer = [](QEBTIMERCONTROL*) { return QVariant(true); };
    tick(control);
    EXPECT_TRUE(control->RUNNING());

    // Another timer's message goes on to the label.
    WindowMessageEvent other(wm::Timer, 1, 0);
    QCoreApplication::sendEvent(control, &other);
    EXPECT_EQ(window.calls, 3);

    // A callback that deletes the control is survived.
    window.answer = [](QEBTIMERCONTROL* c) {
        delete c;
        return QVariant(true);
    };
    tick(control);
    EXPECT_EQ(window.calls, 4);
    EXPECT_TRUE(window.findChildren<QEBTIMERCONTROL*>().isEmpty());
}

TEST(QebTimerControl, TicksReachTheOwnerWhileRunning)
{
    OwnerWindow window;
    auto* control = new QEBTIMERCONTROL(&window);
    control->START();
    QTRY_VERIFY_WITH_TIMEOUT(window.calls >= 2, 10000);
    control->STOP();
}

class Client : public QObject {
    Q_OBJECT
public:
    int events = 0;
    int other = 0;
    std::function<void()> during;
    Q_INVOKABLE void JSTimerEvent()
    {
        ++events;
        if (during)
            during();
    }
    Q_INVOKABLE void otherMethod() { ++other; }
};

TEST(JsTimer, MethodRecordsCountWholeTicks)
{
    JSTIMEDMETHOD m;
    EXPECT_DOUBLE_EQ(m.COUNTDOWN(), 1.0);
    m.setONOFF(false);
    EXPECT_DOUBLE_EQ(m.COUNTDOWN(), 0.0);
    m.setONOFF(true);
    std::vector<int> due;
    for (int tick = 1; tick <= 22; ++tick)
        if (m.ISTIMETOSEND())
            due.push_back(tick);
    EXPECT_EQ(due, (std::vector<int>{11, 22}));

    JSTIMEDMETHOD fast;
    fast.setTIMERFREQUENCY(0.14);
    EXPECT_FALSE(fast.ISTIMETOSEND());
    EXPECT_FALSE(fast.ISTIMETOSEND());
    EXPECT_TRUE(fast.ISTIMETOSEND()) << "0.14 is due on tick 3";

    JSTIMEDMETHOD always;
    always.setTIMERFREQUENCY(0);
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_TRUE(always.ISTIMETOSEND());
}

TEST(JsTimer, ContainerServesDueClientsAndDropsThoseWithoutTheMethod)
{
    JSTIMERCONTAINER container;
    EXPECT_EQ(container.tickTimer().interval(), 100);
    Client a;
    QObject plain;  // no such method
    Client b;
    EXPECT_TRUE(container.REGISTERCLIENT(&a));
    EXPECT_EQ(container.GETOBJECTELEMENT(&a, QStringLiteral("jstimerevent")), 1);
    EXPECT_DOUBLE_EQ(container.GETCOUNTDOWN(&a, QStringLiteral("JSTIMEREVENT")), 1.0);
    EXPECT_TRUE(container.REGISTERCLIENT(&plain, QStringLiteral("JSTIMEREVENT"), 0.0));
    EXPECT_TRUE(container.REGISTERCLIENT(&b, QStringLiteral("othermethod"), 0.0));
    EXPECT_FALSE(container.REGISTERCLIENT(nullptr));
    EXPECT_EQ(container.GETOBJECTELEMENT(nullptr, QStringLiteral("JSTIMEREVENT")), 0);

    container.RECEIVETIMER();
    EXPECT_EQ(container.entryCount(), 2) << "the client without the method is dropped";
    EXPECT_EQ(b.other, 1) << "the entry behind it is served in the same tick";
    for (int i = 0; i < 10; ++i)
        container.RECEIVETIMER();
    EXPECT_EQ(a.events, 1);

    container.ENABLETIMER(&b, QStringLiteral("OTHERMETHOD"), false);
    container.RECEIVETIMER();
    EXPECT_EQ(b.other, 11);
    JSTIMEDMETHOD named;
    named.setMETHODNAME(QStringLiteral("otherMethod"));
    EXPECT_TRUE(container.UNREGISTERCLIENT(&b, named));
    EXPECT_FALSE(container.UNREGISTERCLIENT(&b, named));
}

TEST(JsTimer, EachContainerServesItsOwnClientsAndTheFirstStaysRegistered)
{
    auto first = std::make_unique<JSTIMERCONTAINER>();
    JSTIMERCONTAINER* registered = OTIMERCONTAINER();
    ASSERT_NE(registered, nullptr);
    JSTIMERCONTAINER second;
    TIMEREVENT(&second);
    EXPECT_EQ(OTIMERCONTAINER(), registered);
    Client c;
    second.REGISTERCLIENT(&c, {}, 0.0);
    QTRY_VERIFY_WITH_TIMEOUT(c.events >= 1, 10000);
}

TEST(JsTimer, ClientsChangingTheTableDuringATickAreSurvived)
{
    JSTIMERCONTAINER container;
    Client self;
    Client later;
    auto gone = std::make_unique<Client>();
    self.during = [&] {
        JSTIMEDMETHOD m;
        container.UNREGISTERCLIENT(&self, m);
        container.REGISTERCLIENT(&later, {}, 0.0);
    };
    container.REGISTERCLIENT(&self, {}, 0.0);
    container.REGISTERCLIENT(gone.get(), {}, 0.0);
    gone.reset();
    container.RECEIVETIMER();
    EXPECT_EQ(self.events, 1);
    EXPECT_EQ(container.GETOBJECTELEMENT(&self, QStringLiteral("JSTIMEREVENT")), 0);
    EXPECT_EQ(container.entryCount(), 1) << "the deleted client is dropped, never called";

    auto* doomed = new JSTIMERCONTAINER;
    Client killer;
    killer.during = [&] { delete doomed; };
    doomed->REGISTERCLIENT(&killer, {}, 0.0);
    doomed->REGISTERCLIENT(&later, {}, 0.0);
    doomed->RECEIVETIMER();
    EXPECT_EQ(killer.events, 1);
}

}  // namespace
}  // namespace zeva

#include "timers_test.moc"
