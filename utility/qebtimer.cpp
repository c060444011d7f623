#include "utility/qebtimer.h"

#include "platform/runtime.h"
#include "platform/windowmessage.h"

#include <QCoreApplication>
#include <QSet>
#include <QTimer>

#include <algorithm>

namespace zeva {

namespace {

constexpr int kFirstId = 2032;
constexpr int kLastId = 65535;
// The window timers this one stands for fire at least this far apart, whatever
// shorter interval they are given (0 included).
constexpr int kShortestPeriod = 10;

int& lastTimerId()
{
    static int last = kFirstId - 1;
    return last;
}

QSet<int>& idsInUse()
{
    static QSet<int> ids;
    return ids;
}

int nextTimerId()
{
    int id = lastTimerId();
    for (int tries = 0; tries <= kLastId - kFirstId; ++tries) {
        id = id >= kLastId ? kFirstId : id + 1;
        if (!idsInUse().contains(id))
            break;
    }
    lastTimerId() = id;
    idsInUse().insert(id);
    return id;
}

}  // namespace

QEBTIMER::QEBTIMER(QObject* owner, const QVariant& interval) : owner_(owner), id_(nextTimerId())
{
    // Anything but a number counts as no interval: 1000.
    if (isNumberValue(interval))
        interval_ = static_cast<quint16>(interval.toLongLong());
}

QEBTIMER::~QEBTIMER()
{
    STOP();
    idsInUse().remove(id_);
}

QObject* QEBTIMER::setOWNER(QObject* owner)
{
    if (!owner)
        return owner_;
    const bool wasRunning = running_;
    STOP();
    owner_ = owner;
    if (wasRunning)
        START();
    return owner_;
}

bool QEBTIMER::START()
{
    if (running_ || !owner_)
        return false;
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        QObject::connect(timer_.get(), &QTimer::timeout, [this] {
            if (owner_)
                QCoreApplication::postEvent(owner_, new WindowMessageEvent(wm::Timer, quintptr(id_), 0));
        });
    }
    timer_->start(std::max<int>(interval_, kShortestPeriod));
    running_ = true;
    return true;
}

QEBTIMER& QEBTIMER::STOP()
{
    if (running_) {
        timer_->stop();
        running_ = false;
    }
    return *this;
}

int QEBTIMER::setINTERVAL(const QVariant& interval)
{
    if (!isNumberValue(interval))
        return interval_;
    const bool wasRunning = running_;
    STOP();
    interval_ = static_cast<quint16>(interval.toLongLong());
    if (wasRunning)
        START();
    return interval_;
}

int QEBTIMER::NLASTTIMERID() { return lastTimerId(); }

void QEBTIMER::resetTimerIdsForTest() { lastTimerId() = kFirstId - 1; }

}  // namespace zeva
