#include "utility/serial.h"

#include "platform/runtime.h"
#include "platform/windowmessage.h"
#include "utility/serialrate.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <system_error>
#include <termios.h>
#include <unistd.h>

namespace zeva {

namespace {

std::atomic<bool> g_failWatcherStart{false};
std::atomic<bool> g_failFlush{false};

// The watcher's own message box, shown on the owner's thread.
class WatcherBoxEvent : public QEvent {
public:
    WatcherBoxEvent() : QEvent(eventType()) {}
    static QEvent::Type eventType()
    {
        static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
};

// Lives on the owner's thread: receives what the watcher posts and hands it
// on there, to the window (if it still exists) or to the user port.
class SerialRelay : public QObject {
public:
    SerialRelay(QObject* window, UserPort* port) : window_(window), port_(port) {}

    bool event(QEvent* e) override
    {
        if (e->type() == WindowMessageEvent::eventType()) {
            auto* m = static_cast<WindowMessageEvent*>(e);
            if (window_) {
                WindowMessageEvent copy(m->message(), m->wParam(), m->lParam());
                QCoreApplication::sendEvent(window_, &copy);
            }
            return true;
        }
        if (e->type() == WatcherBoxEvent::eventType()) {
            if (port_)
                port_->messageBox(QStringLiteral("CommWatchProc Error"), QStringLiteral("SetCommMask failed!"),
                                  0, false);
            return true;
        }
        return QObject::event(e);
    }

private:
    QPointer<QObject> window_;
    UserPort* port_;
};

bool acceptedRate(quint32 rate)
{
    static const quint32 rates[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 128000, 256000};
    return std::find(std::begin(rates), std::end(rates), rate) != std::end(rates);
}

// The termios constant of a rate, or 0 when there is none.
speed_t speedConstant(quint32 rate)
{
    switch (rate) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return 0;
    }
}

int remainingMs(const QElapsedTimer& timer, qint64 limit)
{
    const qint64 left = limit - timer.elapsed();
    if (left <= 0)
        return 0;
    return int(std::min<qint64>(left, 1 << 30));
}

}  // namespace

// Shared with the watcher thread: written before it starts, then only read,
// except `stop`.
struct SERIAL::Watch {
    int port = -1;
    int epoll = -1;
    int wake = -1;  // eventfd that ends the wait
    quint32 mask = 0;
    QObject* relay = nullptr;
    std::atomic<bool> stop{false};
};

namespace testhooks {
void failNextWatcherStart()
{
    g_failWatcherStart = true;
}
void failNextFlush()
{
    g_failFlush = true;
}
}  // namespace testhooks

SERIAL::SERIAL(QObject* window, UserPort* port)
    : port_(port), relay_(std::make_unique<SerialRelay>(window, port))
{
}

SERIAL::~SERIAL()
{
    DISABLEEVENTS();
    CLOSE();
    if (fd_ >= 0)  // CLOSE failed: the descriptor goes anyway
        closeDevice();
}

void SERIAL::fail(const char* text, int error)
{
    errorText_ = QString::fromLatin1(text);
    errorCode_ = error;
}

QString SERIAL::ERRORCODE() const
{
    return AsString(errorCode_);
}

void SERIAL::closeDevice()
{
    if (fd_ < 0)
        return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    open_ = false;
}

bool SERIAL::OPEN(const QString& portName)
{
    if (fd_ >= 0) {
        DISABLEEVENTS();
        if (!CLOSE())
            closeDevice();
    }
    open_ = false;
    const QByteArray path = QFile::encodeName(portName);
    fd_ = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) {
        fail("CreateFile failed in Open.", errno);
        return false;
    }
    // Share mode 0: one opener at a time.
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        fail("CreateFile failed in Open.", errno);
        closeDevice();
        return false;
    }
    // The device must be a terminal line; then it is made exclusive and raw.
    termios t {};
    if (!::isatty(fd_) || ::ioctl(fd_, TIOCEXCL) != 0 || ::tcgetattr(fd_, &t) != 0) {
        fail("SetupComm failed in Open.", errno);
        closeDevice();
        return false;
    }
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) {
        fail("SetupComm failed in Open.", errno);
        closeDevice();
        return false;
    }
    bool ok = FLUSH();
    if (ok) {
        READINTERVALTIMEOUT(0xFFFFFFFFu);
        READTIMEOUTMULTIPLIER(500);
        READTIMEOUTCONSTANT(1000);
        WRITETIMEOUTMULTIPLIER(0);
        WRITETIMEOUTCONSTANT(1000);
        ok = SETTIMEOUT();
    }
    ok = ok && GETPROTOCOL();
    if (ok) {
        BAUD(9600);
        PARITY(0);
        BYTESIZE(8);
        STOPBITS(0);
        ok = SETPROTOCOL();
    }
    if (!ok) {
        closeDevice();
        return false;
    }
    open_ = true;
    return true;
}

bool SERIAL::CLOSE()
{
    if (fd_ < 0)
        return false;
    if (eventsOn_)
        DISABLEEVENTS();
    FLUSH();
    ::ioctl(fd_, TIOCNXCL);
    const int rc = ::close(fd_);
    const int error = errno;
    // The descriptor is released even when close reports an error.
    fd_ = -1;
    open_ = false;
    if (rc != 0) {
        fail("CloseHandle failed.", error);
        return false;
    }
    return true;
}

bool SERIAL::FLUSH()
{
    if (g_failFlush.exchange(false)) {
        fail("PurgeComm failed.", EIO);
        return false;
    }
    if (::tcflush(fd_, TCIOFLUSH) != 0) {
        fail("PurgeComm failed.", errno);
        return false;
    }
    return true;
}

bool SERIAL::SETTIMEOUT()
{
    if (fd_ < 0)
        return false;
    deviceTimeouts_ = timeouts_;
    return true;
}

bool SERIAL::GETTIMEOUT()
{
    if (fd_ < 0)
        return false;
    timeouts_ = deviceTimeouts_;
    return true;
}

bool SERIAL::GETPROTOCOL()
{
    if (fd_ < 0)
        return false;
    termios t {};
    if (::tcgetattr(fd_, &t) != 0) {
        fail("GetCommState failed in GetProtocol.", errno);
        return false;
    }
    quint32 rate = 0;
    if (const int e = serialrate::readRate(fd_, &rate)) {
        fail("GetCommState failed in GetProtocol.", e);
        return false;
    }
    dcb_.BaudRate = rate;
    switch (t.c_cflag & CSIZE) {
    case CS5: dcb_.ByteSize = 5; break;
    case CS6: dcb_.ByteSize = 6; break;
    case CS7: dcb_.ByteSize = 7; break;
    default: dcb_.ByteSize = 8; break;
    }
    if (!(t.c_cflag & PARENB))
        dcb_.Parity = 0;
    else if (t.c_cflag & CMSPAR)
        dcb_.Parity = (t.c_cflag & PARODD) ? 3 : 4;
    else
        dcb_.Parity = (t.c_cflag & PARODD) ? 1 : 2;
    dcb_.StopBits = (t.c_cflag & CSTOPB) ? 2 : 0;
    return true;
}

bool SERIAL::SETPROTOCOL()
{
    if (fd_ < 0)
        return false;
    // No one and a half stop bits here, and rate 0 would hang the line up.
    if (dcb_.StopBits == 1 || dcb_.StopBits > 2 || dcb_.BaudRate == 0 || dcb_.ByteSize < 5 ||
        dcb_.ByteSize > 8 || dcb_.Parity > 4) {
        fail("SetCommState failed in SetProtocol.", EINVAL);
        return false;
    }
    termios t {};
    if (::tcgetattr(fd_, &t) != 0) {
        fail("SetCommState failed in SetProtocol.", errno);
        return false;
    }
    t.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= sizes[dcb_.ByteSize - 5] | CLOCAL | CREAD;
    switch (dcb_.Parity) {
    case 1: t.c_cflag |= PARENB | PARODD; break;
    case 2: t.c_cflag |= PARENB; break;
    case 3: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case 4: t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    if (dcb_.StopBits == 2)
        t.c_cflag |= CSTOPB;
    const speed_t speed = speedConstant(dcb_.BaudRate);
    if (speed != 0) {
        ::cfsetispeed(&t, speed);
        ::cfsetospeed(&t, speed);
    }
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) {
        fail("SetCommState failed in SetProtocol.", errno);
        return false;
    }
    if (speed == 0) {
        if (const int e = serialrate::setRate(fd_, dcb_.BaudRate)) {
            fail("SetCommState failed in SetProtocol.", e);
            return false;
        }
    }
    return true;
}

quint32 SERIAL::BAUD(quint32 rate)
{
    if (acceptedRate(rate))
        dcb_.BaudRate = rate;
    return dcb_.BaudRate;
}

quint8 SERIAL::BYTESIZE(int size)
{
    if (size == 7 || size == 8)
        dcb_.ByteSize = quint8(size);
    return dcb_.ByteSize;
}

quint8 SERIAL::PARITY(int parity)
{
    if (parity >= 0 && parity <= 4)
        dcb_.Parity = quint8(parity);
    return dcb_.Parity;
}

quint8 SERIAL::STOPBITS(int stopBits)
{
    if (stopBits >= 0 && stopBits <= 2)
        dcb_.StopBits = quint8(stopBits);
    return dcb_.StopBits;
}

quint32 SERIAL::RECEIVERPENDING() const
{
    if (fd_ < 0)
        return 0;
    int n = 0;
    if (::ioctl(fd_, TIOCINQ, &n) != 0 || n < 0)
        return 0;
    return quint32(n);
}

QByteArray SERIAL::READ(int count)
{
    if (count <= 0)
        return {};
    const qint64 limit = qint64(deviceTimeouts_.ReadTotalTimeoutMultiplier) * count +
                         qint64(deviceTimeouts_.ReadTotalTimeoutConstant);
    QByteArray buffer(count, '\0');
    int got = 0;
    bool first = true;
    QElapsedTimer timer;
    timer.start();
    while (got < count) {
        const ssize_t r = ::read(fd_, buffer.data() + got, size_t(count - got));
        if (r > 0) {
            got += int(r);
            first = false;
            continue;
        }
        if (r == 0) {
            // A raw terminal answers 0 only when the line was hung up.
            fail(first ? "ReadFile failed in Serial:ReadCommBlock(2)." : "ReadFile failed in Serial:ReadCommBlock(1).",
                 EIO);
            break;
        }
        if (errno == EINTR)
            continue;
        if (errno != EAGAIN) {
            fail(first ? "ReadFile failed in Serial:ReadCommBlock(2)." : "ReadFile failed in Serial:ReadCommBlock(1).",
                 errno);
            break;
        }
        first = false;
        const int wait = remainingMs(timer, limit);
        if (wait == 0)
            break;
        pollfd p{fd_, POLLIN, 0};
        if (::poll(&p, 1, wait) < 0 && errno != EINTR) {
            fail("ReadFile failed in Serial:ReadCommBlock(1).", errno);
            break;
        }
    }
    buffer.truncate(got);
    if (got > 0 && got < count && port_)
        port_->messageBox(QStringLiteral("ReadTest"), QStringLiteral("Not all bytes requested returned."), 0, false);
    return buffer;
}

quint32 SERIAL::WRITE(const QByteArray& data)
{
    if (data.isEmpty())
        return 0;
    qint64 written = 0;
    QElapsedTimer timer;
    timer.start();
    int lastError = 0;
    while (written < data.size()) {
        const ssize_t r = ::write(fd_, data.constData() + written, size_t(data.size() - written));
        if (r > 0) {
            written += r;
            continue;
        }
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0 && errno != EAGAIN) {
            fail("WriteFile failed in Serial:Write.", errno);
            return quint32(written);
        }
        lastError = errno;
        const int wait = remainingMs(timer, 1000);
        if (wait == 0)
            break;
        pollfd p{fd_, POLLOUT, 0};
        if (::poll(&p, 1, wait) < 0 && errno != EINTR) {
            lastError = errno;
            break;
        }
    }
    if (written != data.size())
        fail("Error writing to device.", lastError);
    return quint32(written);
}

quint32 COMMWATCHPROC(void* block)
{
    auto* w = static_cast<SERIAL::Watch*>(block);
    epoll_event ev{};
    ev.events = EPOLLET;
    if (w->mask & EV_RXCHAR)
        ev.events |= EPOLLIN;
    if (w->mask & EV_TXEMPTY)
        ev.events |= EPOLLOUT;
    ev.data.fd = w->port;
    if (::epoll_ctl(w->epoll, EPOLL_CTL_ADD, w->port, &ev) != 0) {
        QCoreApplication::postEvent(w->relay, new WatcherBoxEvent);
        return 0;
    }
    quint32 result = 1;
    while (!w->stop.load()) {
        epoll_event events[4];
        const int n = ::epoll_wait(w->epoll, events, 4, -1);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result = 0;
            break;
        }
        bool failed = false;
        for (int i = 0; i < n; ++i) {
            if (events[i].data.fd != w->port)
                continue;  // the wake-up: the loop looks at stop
            if ((events[i].events & EPOLLIN) && (w->mask & EV_RXCHAR))
                QCoreApplication::postEvent(w->relay, new WindowMessageEvent(WM_COMMNOTIFY, 1, 0));
            if (events[i].events & (EPOLLHUP | EPOLLERR))
                failed = true;
        }
        if (failed) {
            result = 0;
            break;
        }
    }
    return result;
}

bool SERIAL::ENABLEEVENTS(quint32 mask)
{
    if (eventsOn_)
        return false;
    auto watch = std::make_unique<Watch>();
    watch->port = fd_;
    watch->mask = mask;
    watch->relay = relay_.get();
    int error = 0;
    if (g_failWatcherStart.exchange(false)) {
        error = EAGAIN;
    } else {
        watch->epoll = ::epoll_create1(EPOLL_CLOEXEC);
        if (watch->epoll < 0)
            error = errno;
    }
    if (error == 0) {
        watch->wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        epoll_event ev{};
        ev.events = EPOLLIN;
        ev.data.fd = watch->wake;
        if (watch->wake < 0 || ::epoll_ctl(watch->epoll, EPOLL_CTL_ADD, watch->wake, &ev) != 0)
            error = errno;
    }
    if (error == 0) {
        try {
            thread_ = std::thread([w = watch.get()] { COMMWATCHPROC(w); });
        } catch (const std::system_error& e) {
            error = e.code().value();
        }
    }
    if (error != 0) {
        if (watch->wake >= 0)
            ::close(watch->wake);
        if (watch->epoll >= 0)
            ::close(watch->epoll);
        fail("CreateThread failed in EnableEvent.", error);
        return false;
    }
    watch_ = std::move(watch);
    eventsOn_ = true;
    return true;
}

bool SERIAL::DISABLEEVENTS()
{
    if (!eventsOn_)
        return true;
    watch_->stop.store(true);
    const quint64 one = 1;
    while (::write(watch_->wake, &one, sizeof one) < 0 && errno == EINTR) {
    }
    thread_.join();
    ::close(watch_->wake);
    ::close(watch_->epoll);
    watch_.reset();
    eventsOn_ = false;
    return true;
}

}  // namespace zeva
