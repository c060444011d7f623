#include "utility/serial.h"

#include "platform/windowmessage.h"
#include "support/fakeport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <memory>
#include <thread>

using namespace zeva;

namespace {

int openDescriptors()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System).size());
}

// Processes events until `done` holds or a generous limit passes.
template <typename F>
bool eventually(F done, int limitMs = 20000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

// A pseudo terminal: the test holds the master, the class opens the slave by name.
struct Pty {
    int master = -1;
    QString slave;
    Pty()
    {
        int s = -1;
        char name[128] = {};
        if (::openpty(&master, &s, name, nullptr, nullptr) == 0) {
            slave = QString::fromLocal8Bit(name);
            ::close(s);
            ::fcntl(master, F_SETFD, FD_CLOEXEC);
        }
    }
    ~Pty() { hangUp(); }
    void hangUp()
    {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    void send(const QByteArray& bytes) { ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size()); }
};

// Records the window messages it receives.
class Window : public QObject {
public:
    struct Message {
        quint32 message;
        quintptr wParam;
        qintptr lParam;
    };
    QList<Message> messages;
    bool event(QEvent* e) override
    {
        if (e->type() == WindowMessageEvent::eventType()) {
            auto* m = static_cast<WindowMessageEvent*>(e);
            messages.append({m->message(), m->wParam(), m->lParam()});
            return true;
        }
        return QObject::event(e);
    }
};

// The fake port, also noting on which thread each box was shown.
class ThreadNotingPort : public test::FakePort {
public:
    QList<QThread*> threads;
    int messageBox(const QString& title, const QString& text, int type, bool owned) override
    {
        threads.append(QThread::currentThread());
        return FakePort::messageBox(title, text, type, owned);
    }
};

// Short read timeouts so that a test never waits seconds.
void shortTimeouts(SERIAL& s)
{
    s.READTIMEOUTMULTIPLIER(0);
    s.READTIMEOUTCONSTANT(200);
    ASSERT_TRUE(s.SETTIMEOUT());
}

}  // namespace

TEST(Serial, NewObjectAnswersClosed)
{
    SERIAL s;
    EXPECT_FALSE(s.ISOPEN());
    EXPECT_EQ(s.ERRORDESC(), QString());
    EXPECT_EQ(s.ERRORCODE(), QStringLiteral("0"));
    EXPECT_EQ(s.TRANSMITBUFFERSIZE(), 4096u);
    EXPECT_EQ(s.RECEIVEBUFFERSIZE(), 4096u);
    EXPECT_FALSE(s.SETPROTOCOL());
    EXPECT_FALSE(s.GETPROTOCOL());
    EXPECT_FALSE(s.SETTIMEOUT());
    EXPECT_FALSE(s.GETTIMEOUT());
    EXPECT_FALSE(s.CLOSE());
    EXPECT_EQ(s.RECEIVERPENDING(), 0u);
    EXPECT_EQ(s.ERRORDESC(), QString());
    EXPECT_TRUE(s.DISABLEEVENTS());
}

TEST(Serial, AssignsKeepOnlyAcceptedValues)
{
    SERIAL s;
    EXPECT_EQ(s.BAUD(19200), 19200u);
    EXPECT_EQ(s.BAUD(115200), 19200u);
    EXPECT_EQ(s.BAUD(57600), 19200u);
    EXPECT_EQ(s.BAUD(256000), 256000u);
    EXPECT_EQ(s.BYTESIZE(7), 7);
    EXPECT_EQ(s.BYTESIZE(6), 7);
    EXPECT_EQ(s.PARITY(4), 4);
    EXPECT_EQ(s.PARITY(5), 4);
    EXPECT_EQ(s.PARITY(-1), 4);
    EXPECT_EQ(s.STOPBITS(2), 2);
    EXPECT_EQ(s.STOPBITS(3), 2);
    EXPECT_EQ(s.READINTERVALTIMEOUT(17), 17u);
    EXPECT_EQ(s.RECEIVEBUFFERSIZE(100), 100u);
}

TEST(Serial, OpenSetsItsDefaultsWhateverWasSetBefore)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    SERIAL s;
    s.BAUD(19200);
    s.PARITY(2);
    s.STOPBITS(2);
    s.READINTERVALTIMEOUT(1);
    s.READTIMEOUTMULTIPLIER(2);
    s.READTIMEOUTCONSTANT(3);
    s.WRITETIMEOUTMULTIPLIER(4);
    s.WRITETIMEOUTCONSTANT(5);
    s.TRANSMITBUFFERSIZE(1024);
    ASSERT_TRUE(s.OPEN(pty.slave)) << s.ERRORDESC().toStdString();
    EXPECT_TRUE(s.ISOPEN());
    EXPECT_EQ(s.READINTERVALTIMEOUT(), 4294967295u);
    EXPECT_EQ(s.READTIMEOUTMULTIPLIER(), 500u);
    EXPECT_EQ(s.READTIMEOUTCONSTANT(), 1000u);
    EXPECT_EQ(s.WRITETIMEOUTMULTIPLIER(), 0u);
    EXPECT_EQ(s.WRITETIMEOUTCONSTANT(), 1000u);
    EXPECT_EQ(s.TRANSMITBUFFERSIZE(), 1024u);

    // The timeouts come back from the device, not from the record.
    s.READTIMEOUTCONSTANT(7);
    ASSERT_TRUE(s.GETTIMEOUT());
    EXPECT_EQ(s.READTIMEOUTCONSTANT(), 1000u);

    // The protocol is read back from the line. A pseudo terminal forces 8
    // data bits and no parity, so those two are checked on the record.
    s.BAUD(19200);
    ASSERT_TRUE(s.GETPROTOCOL());
    EXPECT_EQ(s.BAUD(), 9600u);
    EXPECT_EQ(s.BYTESIZE(), 8);
    EXPECT_EQ(s.PARITY(), 0);
    EXPECT_EQ(s.STOPBITS(), 0);

    for (quint32 rate : {14400u, 19200u, 256000u}) {
        s.BAUD(rate);
        s.STOPBITS(2);
        ASSERT_TRUE(s.SETPROTOCOL()) << rate;
        s.BAUD(110);
        s.STOPBITS(0);
        ASSERT_TRUE(s.GETPROTOCOL());
        EXPECT_EQ(s.BAUD(), rate);
        EXPECT_EQ(s.STOPBITS(), 2);
    }

    s.STOPBITS(1);  // one and a half: no such setting here
    EXPECT_FALSE(s.SETPROTOCOL());
    EXPECT_EQ(s.ERRORDESC(), QStringLiteral("SetCommState failed in SetProtocol."));
    EXPECT_EQ(s.ERRORCODE(), QString::number(EINVAL));
}

TEST(Serial, FailedOpensLeaveNoDescriptor)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    const int before = openDescriptors();
    {
        SERIAL s;
        EXPECT_FALSE(s.OPEN(QStringLiteral("/dev/zeva-no-such-port")));
        EXPECT_FALSE(s.ISOPEN());
        EXPECT_EQ(s.ERRORDESC(), QStringLiteral("CreateFile failed in Open."));
        EXPECT_EQ(s.ERRORCODE(), QStringLiteral("2"));
        EXPECT_EQ(s.descriptor(), -1);

        EXPECT_FALSE(s.OPEN(QStringLiteral("/dev/null")));
        EXPECT_FALSE(s.ISOPEN());
        EXPECT_EQ(s.ERRORDESC(), QStringLiteral("SetupComm failed in Open."));
        EXPECT_EQ(s.ERRORCODE(), QStringLiteral("25"));
        EXPECT_EQ(s.descriptor(), -1);
        EXPECT_EQ(openDescriptors(), before);

        // One opener at a time.
        SERIAL first;
        ASSERT_TRUE(first.OPEN(pty.slave));
        SERIAL second;
        EXPECT_FALSE(second.OPEN(pty.slave));
        EXPECT_FALSE(second.ISOPEN());
        EXPECT_EQ(second.ERRORDESC(), QStringLiteral("CreateFile failed in Open."));
        EXPECT_EQ(second.ERRORCODE(), QString::number(EWOULDBLOCK));
        EXPECT_EQ(second.descriptor(), -1);
        EXPECT_TRUE(first.CLOSE());
        EXPECT_TRUE(second.OPEN(pty.slave));
        // A later success keeps the last failure.
        EXPECT_EQ(second.ERRORDESC(), QStringLiteral("CreateFile failed in Open."));
    }  // destroying an open object closes it
    EXPECT_EQ(openDescriptors(), before);
}

TEST(Serial, FailingLaterStepClosesTheDevice)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    SERIAL s;
    const int before = openDescriptors();
    testhooks::failNextFlush();
    EXPECT_FALSE(s.OPEN(pty.slave));
    EXPECT_FALSE(s.ISOPEN());
    EXPECT_EQ(s.ERRORDESC(), QStringLiteral("PurgeComm failed."));
    EXPECT_EQ(s.ERRORCODE(), QString::number(EIO));
    EXPECT_EQ(s.descriptor(), -1);
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_TRUE(s.OPEN(pty.slave));  // nothing held the line
}

TEST(Serial, ReopenClosesTheOldPortAndItsWatcher)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    Window window;
    SERIAL s(&window);
    ASSERT_TRUE(s.OPEN(pty.slave));
    ASSERT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));
    const int before = openDescriptors();
    ASSERT_TRUE(s.OPEN(pty.slave));
    EXPECT_EQ(openDescriptors(), before - 2);  // the watcher's epoll and wake-up descriptors went too
    EXPECT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));    // the old watcher was stopped
    EXPECT_EQ(openDescriptors(), before);
}

TEST(Serial, CloseTwice)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    SERIAL s;
    ASSERT_TRUE(s.OPEN(pty.slave));
    EXPECT_TRUE(s.CLOSE());
    EXPECT_FALSE(s.ISOPEN());
    EXPECT_FALSE(s.CLOSE());
    EXPECT_EQ(s.ERRORDESC(), QString());
}

TEST(Serial, ReadsWhatArrivesAndReportsAShortRead)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    test::FakePort port;
    SERIAL s(nullptr, &port);
    ASSERT_TRUE(s.OPEN(pty.slave));
    shortTimeouts(s);

    EXPECT_EQ(s.READ(), QByteArray());  // nothing arrives: empty after the timeout, no box
    EXPECT_TRUE(port.boxes.isEmpty());

    pty.send("wxyz");
    ASSERT_TRUE(eventually([&] { return s.RECEIVERPENDING() == 4; }));
    EXPECT_EQ(s.READ(10), QByteArray("wxyz"));
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes[0].title, QStringLiteral("ReadTest"));
    EXPECT_EQ(port.boxes[0].text, QStringLiteral("Not all bytes requested returned."));
    EXPECT_EQ(port.boxes[0].type, 0);
    EXPECT_FALSE(port.boxes[0].owned);

    pty.send("12345");
    EXPECT_EQ(s.READ(3), QByteArray("123"));
    EXPECT_EQ(s.READ(2), QByteArray("45"));
    EXPECT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(s.ERRORDESC(), QString());

    // A read that fails keeps what had arrived.
    s.READTIMEOUTCONSTANT(20000);
    ASSERT_TRUE(s.SETTIMEOUT());
    pty.send("ab");
    ASSERT_TRUE(eventually([&] { return s.RECEIVERPENDING() == 2; }));
    std::thread hangUp([&] {
        QThread::msleep(100);
        pty.hangUp();
    });
    EXPECT_EQ(s.READ(10), QByteArray("ab"));
    hangUp.join();
    EXPECT_EQ(s.ERRORDESC(), QStringLiteral("ReadFile failed in Serial:ReadCommBlock(1)."));
    EXPECT_EQ(s.ERRORCODE(), QString::number(EIO));
    EXPECT_EQ(port.boxes.size(), 2);
    ASSERT_TRUE(s.CLOSE());
    Pty pty2;
    ASSERT_GE(pty2.master, 0);

    // Without a port the short read shows nothing.
    SERIAL quiet;
    ASSERT_TRUE(quiet.OPEN(pty2.slave));
    shortTimeouts(quiet);
    pty2.send("ab");
    ASSERT_TRUE(eventually([&] { return quiet.RECEIVERPENDING() == 2; }));
    EXPECT_EQ(quiet.READ(5), QByteArray("ab"));

    // A closed port lets the read fail.
    ASSERT_TRUE(quiet.CLOSE());
    EXPECT_EQ(quiet.READ(5), QByteArray());
    EXPECT_EQ(quiet.ERRORDESC(), QStringLiteral("ReadFile failed in Serial:ReadCommBlock(2)."));
    EXPECT_EQ(quiet.ERRORCODE(), QString::number(EBADF));
}

TEST(Serial, WritesAndReportsWhatTheDeviceDidNotTake)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    SERIAL s;
    ASSERT_TRUE(s.OPEN(pty.slave));
    EXPECT_EQ(s.WRITE(QByteArray()), 0u);
    EXPECT_EQ(s.ERRORDESC(), QString());
    EXPECT_EQ(s.WRITE("hello"), 5u);
    char buf[16] = {};
    ASSERT_EQ(::read(pty.master, buf, sizeof buf), 5);
    EXPECT_EQ(QByteArray(buf, 5), QByteArray("hello"));

    const QByteArray big(1 << 20, 'x');
    const quint32 taken = s.WRITE(big);  // nobody reads the master: the line fills up
    EXPECT_GT(taken, 0u);
    EXPECT_LT(taken, quint32(big.size()));
    EXPECT_EQ(s.ERRORDESC(), QStringLiteral("Error writing to device."));

    ASSERT_TRUE(s.CLOSE());
    EXPECT_EQ(s.WRITE("x"), 0u);
    EXPECT_EQ(s.ERRORDESC(), QStringLiteral("WriteFile failed in Serial:Write."));
}

TEST(SerialWatcher, PostsOnArrivalAndStopsOnClose)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    Window window;
    ThreadNotingPort port;
    SERIAL s(&window, &port);
    ASSERT_TRUE(s.OPEN(pty.slave));
    shortTimeouts(s);
    ASSERT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));
    EXPECT_FALSE(s.ENABLEEVENTS(EV_RXCHAR));
    EXPECT_EQ(s.ERRORDESC(), QString());

    pty.send("abc");
    ASSERT_TRUE(eventually([&] { return !window.messages.isEmpty(); }));
    EXPECT_EQ(window.messages[0].message, 68u);
    EXPECT_EQ(window.messages[0].wParam, 1u);
    EXPECT_EQ(window.messages[0].lParam, 0);
    ASSERT_TRUE(eventually([&] { return s.RECEIVERPENDING() == 3; }));
    EXPECT_EQ(s.READ(3), QByteArray("abc"));
    EXPECT_TRUE(port.boxes.isEmpty());

    // CLOSE stops the watcher; a reopened port can be watched again.
    EXPECT_TRUE(s.CLOSE());
    ASSERT_TRUE(s.OPEN(pty.slave));
    ASSERT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));
    const int seen = window.messages.size();
    pty.send("d");
    EXPECT_TRUE(eventually([&] { return window.messages.size() > seen; }));
    EXPECT_TRUE(s.DISABLEEVENTS());
    EXPECT_TRUE(s.DISABLEEVENTS());
}

TEST(SerialWatcher, OtherEventsPostNothing)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    Window window;
    SERIAL s(&window);
    ASSERT_TRUE(s.OPEN(pty.slave));
    ASSERT_TRUE(s.ENABLEEVENTS(EV_TXEMPTY | 0x0080));
    pty.send("abc");
    ASSERT_TRUE(eventually([&] { return s.RECEIVERPENDING() == 3; }));
    settle(200);
    EXPECT_TRUE(window.messages.isEmpty());
}

TEST(SerialWatcher, ClosedPortShowsOneBoxOnTheOwnersThread)
{
    Window window;
    ThreadNotingPort port;
    SERIAL s(&window, &port);
    ASSERT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));  // the thread starts, then cannot watch
    ASSERT_TRUE(eventually([&] { return !port.boxes.isEmpty(); }));
    settle(50);
    ASSERT_EQ(port.boxes.size(), 1);
    EXPECT_EQ(port.boxes[0].title, QStringLiteral("CommWatchProc Error"));
    EXPECT_EQ(port.boxes[0].text, QStringLiteral("SetCommMask failed!"));
    EXPECT_EQ(port.boxes[0].type, 0);
    EXPECT_FALSE(port.boxes[0].owned);
    EXPECT_EQ(port.threads[0], QThread::currentThread());
    EXPECT_TRUE(s.DISABLEEVENTS());
    EXPECT_TRUE(window.messages.isEmpty());
}

TEST(SerialWatcher, ThreadThatCannotStartIsReported)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    SERIAL s;
    ASSERT_TRUE(s.OPEN(pty.slave));
    const int before = openDescriptors();
    testhooks::failNextWatcherStart();
    EXPECT_FALSE(s.ENABLEEVENTS(EV_RXCHAR));
    EXPECT_EQ(s.ERRORDESC(), QStringLiteral("CreateThread failed in EnableEvent."));
    EXPECT_EQ(openDescriptors(), before);
    EXPECT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));
}

TEST(SerialWatcher, EndsCleanlyOnHangUpDestructionAndAGoneWindow)
{
    Pty pty;
    ASSERT_GE(pty.master, 0);
    {
        Window window;
        SERIAL s(&window);
        ASSERT_TRUE(s.OPEN(pty.slave));
        ASSERT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));
        pty.hangUp();  // the wait fails, the thread ends by itself
        settle(100);
        EXPECT_TRUE(s.DISABLEEVENTS());
    }
    Pty other;
    ASSERT_GE(other.master, 0);
    auto window = std::make_unique<Window>();
    {
        SERIAL s(window.get());
        ASSERT_TRUE(s.OPEN(other.slave));
        ASSERT_TRUE(s.ENABLEEVENTS(EV_RXCHAR));
        other.send("x");
        ASSERT_TRUE(eventually([&] { return s.RECEIVERPENDING() == 1; }));
        QThread::msleep(50);
        window.reset();  // messages on their way find no window
        settle(50);
    }  // destroyed while watching
    SUCCEED();
}
