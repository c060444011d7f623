#include "utility/jstimer.h"

#include <QMetaMethod>

#include <cmath>
#include <limits>

namespace zeva {

namespace {

QPointer<JSTIMERCONTAINER>& registeredContainer()
{
    static QPointer<JSTIMERCONTAINER> container;
    return container;
}

// Ticks a frequency needs: due once the count reaches it.
qint64 ticksFor(double frequency)
{
    const double ticks = std::ceil(10.0 * frequency - 1e-9);
    if (!(ticks < 1e18))
        return std::numeric_limits<qint64>::max();
    return static_cast<qint64>(ticks);
}

// The client's invokable method or slot of that name without arguments.
QMetaMethod methodOf(const QObject* client, const QString& name)
{
    const QMetaObject* meta = client->metaObject();
    for (int i = 0; i < meta->methodCount(); ++i) {
        const QMetaMethod m = meta->method(i);
        if ((m.methodType() == QMetaMethod::Method || m.methodType() == QMetaMethod::Slot) &&
            m.parameterCount() == 0 &&
            QString::fromLatin1(m.name()).compare(name, Qt::CaseInsensitive) == 0)
            return m;
    }
    return {};
}

}  // namespace

double JSTIMEDMETHOD::COUNTDOWN() const { return on_ ? frequency_ - double(ticks_) * 0.1 : 0.0; }

bool JSTIMEDMETHOD::ISTIMETOSEND()
{
    if (!on_)
        return false;
    if (ticks_ >= ticksFor(frequency_)) {
        ticks_ = 0;
        return true;
    }
    ++ticks_;
    return false;
}

JSTIMERCONTAINER::JSTIMERCONTAINER(QObject* parent) : QObject(parent)
{
    TIMEREVENT(this);
    // Every container serves its own clients on its own tick.
    timer_.setInterval(100);
    connect(&timer_, &QTimer::timeout, this, [this] { RECEIVETIMER(); });
    timer_.start();
}

JSTIMERCONTAINER::~JSTIMERCONTAINER() { timer_.stop(); }

bool JSTIMERCONTAINER::UNREGISTERCLIENT(QObject* client, const JSTIMEDMETHOD& method)
{
    const int pos = GETOBJECTELEMENT(client, method.METHODNAME());
    if (pos == 0)
        return false;
    entries_.removeAt(pos - 1);
    return true;
}

bool JSTIMERCONTAINER::REGISTERCLIENT(QObject* client, const QVariant& method, const QVariant& frequency,
                                      const QVariant& onOff)
{
    auto record = std::make_shared<JSTIMEDMETHOD>();
    if (frequency.isValid())
        record->setTIMERFREQUENCY(frequency.toDouble());
    if (method.isValid())
        record->setMETHODNAME(method.toString());
    if (onOff.isValid())
        record->setONOFF(onOff.toBool());
    if (!ISVALIDOBJECT(client))
        return false;
    entries_.append({client, record});
    return true;
}

JSTIMERCONTAINER& JSTIMERCONTAINER::RECEIVETIMER()
{
    // A client may register, unregister or delete during its call, this
    // container included: the size is read afresh each step and the
    // container's own life is checked after every call.
    QPointer<JSTIMERCONTAINER> self(this);
    qsizetype i = 0;
    while (self && i < entries_.size()) {
        const std::shared_ptr<JSTIMEDMETHOD> record = entries_[i].method;
        if (!record->ISTIMETOSEND()) {
            ++i;
            continue;
        }
        QPointer<QObject> client = entries_[i].client;
        const QMetaMethod m = ISVALIDOBJECT(client) ? methodOf(client, record->METHODNAME()) : QMetaMethod();
        if (!m.isValid()) {
            entries_.removeAt(i);
            continue;
        }
        m.invoke(client, Qt::DirectConnection);
        if (!self)
            break;
        // Step past this entry wherever the call moved it.
        const qsizetype at = [&] {
            for (qsizetype k = 0; k < entries_.size(); ++k)
                if (entries_[k].method == record)
                    return k;
            return qsizetype(-1);
        }();
        i = at >= 0 ? at + 1 : i;
    }
    return *this;
}

int JSTIMERCONTAINER::GETOBJECTELEMENT(QObject* client, const QString& method) const
{
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (entries_[i].client && entries_[i].client == client &&
            entries_[i].method->METHODNAME().compare(method, Qt::CaseInsensitive) == 0)
            return int(i + 1);
    }
    return 0;
}

double JSTIMERCONTAINER::GETCOUNTDOWN(QObject* client, const QString& method) const
{
    const int pos = GETOBJECTELEMENT(client, method);
    return pos == 0 ? 0.0 : entries_[pos - 1].method->COUNTDOWN();
}

JSTIMERCONTAINER& JSTIMERCONTAINER::ENABLETIMER(QObject* client, const QString& method, bool on)
{
    const int pos = GETOBJECTELEMENT(client, method);
    if (pos != 0)
        entries_[pos - 1].method->setONOFF(on);
    return *this;
}

bool ISVALIDOBJECT(const QObject* object) { return object != nullptr; }

void TIMEREVENT(JSTIMERCONTAINER* container)
{
    QPointer<JSTIMERCONTAINER>& reg = registeredContainer();
    if (!container) {
        if (reg)
            reg->RECEIVETIMER();
        return;
    }
    if (!reg)
        reg = container;
}

JSTIMERCONTAINER* OTIMERCONTAINER() { return registeredContainer(); }

}  // namespace zeva
