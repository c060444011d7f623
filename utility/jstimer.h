#pragma once
// Periodic method calls by name: clients register a method with a frequency
// (in seconds), and a container's 100 ms tick sends each due method to its
// client. Clients are QObjects; a method is any invokable or slot without
// arguments, its name matched without letter case. A client that is gone or
// lacks the method is dropped at its due tick.

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QVariant>

#include <memory>

namespace zeva {

class JSTIMEDMETHOD {
public:
    JSTIMEDMETHOD() = default;

    // What is left until the next send while on; 0 while off.
    double COUNTDOWN() const;
    double TIMERFREQUENCY() const { return frequency_; }
    void setTIMERFREQUENCY(double frequency) { frequency_ = frequency; }
    bool ONOFF() const { return on_; }
    void setONOFF(bool on) { on_ = on; }
    QString METHODNAME() const { return method_; }
    void setMETHODNAME(const QString& method) { method_ = method; }

    // One tick: TRUE when due (the count starts again), else the count advances.
    bool ISTIMETOSEND();

private:
    QString method_ = QStringLiteral("JSTIMEREVENT");
    double frequency_ = 1.0;
    bool on_ = true;
    // Whole ticks of 0.1 s, so the count never drifts.
    qint64 ticks_ = 0;
};

class JSTIMERCONTAINER : public QObject {
    Q_OBJECT
public:
    explicit JSTIMERCONTAINER(QObject* parent = nullptr);
    ~JSTIMERCONTAINER() override;

    // The entry of that client and method name; FALSE when there is none.
    bool UNREGISTERCLIENT(QObject* client, const JSTIMEDMETHOD& method);
    // Missing values keep the defaults: JSTIMEREVENT, 1.0, on. FALSE for no client.
    bool REGISTERCLIENT(QObject* client, const QVariant& method = {}, const QVariant& frequency = {},
                        const QVariant& onOff = {});
    // One tick over the entries in registration order.
    JSTIMERCONTAINER& RECEIVETIMER();
    // Position from 1 of the first entry of that client and method; 0 for none.
    int GETOBJECTELEMENT(QObject* client, const QString& method) const;
    double GETCOUNTDOWN(QObject* client, const QString& method) const;
    JSTIMERCONTAINER& ENABLETIMER(QObject* client, const QString& method, bool on);

    int entryCount() const { return int(entries_.size()); }
    const QTimer& tickTimer() const { return timer_; }

private:
    struct Entry {
        QPointer<QObject> client;
        std::shared_ptr<JSTIMEDMETHOD> method;
    };
    QList<Entry> entries_;
    QTimer timer_;
};

// FALSE for no object or one that is gone.
bool ISVALIDOBJECT(const QObject* object);
// Without a container: one tick of the registered container. With one: it
// becomes the registered container when none is.
void TIMEREVENT(JSTIMERCONTAINER* container = nullptr);
// The first container built; null once it is gone.
JSTIMERCONTAINER* OTIMERCONTAINER();

}  // namespace zeva
