#pragma once
// One serial port driven through termios: opened exclusively, raw, with the
// line protocol (rate, data bits, parity, stop bits) and the read timeouts of
// the old communications interface. Every operation reports failure by its
// result (FALSE, empty, 0) and keeps the last failure's text (ERRORDESC) and
// system error number (ERRORCODE); a later success does not clear them.
//
// A watcher thread can tell a window that bytes have arrived: ENABLEEVENTS
// starts it, DISABLEEVENTS (and CLOSE) stop it. The thread posts to a relay
// object living on the owner's thread, which hands each message on to the
// window there; the window then reads the bytes with RECEIVERPENDING and READ.

#include "core/userport.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtGlobal>

#include <atomic>
#include <memory>
#include <thread>

namespace zeva {

// Events of the port as ENABLEEVENTS takes them.
enum SerialEvent : quint32 {
    EV_RXCHAR = 0x0001,   // bytes arrived
    EV_TXEMPTY = 0x0004,  // the output can take more bytes
};

// The message the watcher posts to the window: number, wParam, lParam.
constexpr quint32 WM_COMMNOTIFY = 68;

class SERIAL {
public:
    // `window` receives the watcher's messages as WindowMessageEvent (none:
    // they are dropped); `port` shows the class's message boxes (none: no box
    // is shown).
    explicit SERIAL(QObject* window = nullptr, UserPort* port = nullptr);
    // Stops the watcher and closes the port.
    ~SERIAL();
    SERIAL(const SERIAL&) = delete;
    SERIAL& operator=(const SERIAL&) = delete;

    // Opens the device: exclusive, raw, queues flushed, default timeouts
    // (interval 4294967295, read multiplier 500, read constant 1000, write
    // multiplier 0, write constant 1000) and 9600 baud, 8 data bits, no
    // parity, one stop bit. TRUE only when every step succeeded; otherwise
    // the device is closed again. A port already open is closed first.
    bool OPEN(const QString& portName);
    // Stops the watcher, flushes and closes. FALSE when no port is open.
    bool CLOSE();
    bool ISOPEN() const { return open_; }

    // Line settings to and from the device (FALSE when no port is open).
    bool SETPROTOCOL();
    bool GETPROTOCOL();
    // Discards what waits in both directions.
    bool FLUSH();
    // Timeouts to and from the device (FALSE when no port is open).
    bool SETTIMEOUT();
    bool GETTIMEOUT();

    // Reads up to `count` bytes, waiting at most read multiplier x count +
    // read constant milliseconds. A short read shows the "ReadTest" box. A
    // read that fails returns the bytes that had arrived.
    QByteArray READ(int count = 1);
    // Writes the bytes, waiting at most 1000 ms for the device to take them;
    // returns how many it took.
    quint32 WRITE(const QByteArray& data);
    // Bytes waiting to be read; 0 when no port is open.
    quint32 RECEIVERPENDING() const;

    QString ERRORDESC() const { return errorText_; }
    // The error number as text.
    QString ERRORCODE() const;
    int errorNumber() const { return errorCode_; }

    // Line settings. An assign stores only an accepted value and returns the
    // field after the store; the device sees them at the next SETPROTOCOL.
    quint32 BAUD() const { return dcb_.BaudRate; }
    quint32 BAUD(quint32 rate);
    quint8 BYTESIZE() const { return dcb_.ByteSize; }
    quint8 BYTESIZE(int size);
    quint8 PARITY() const { return dcb_.Parity; }
    quint8 PARITY(int parity);
    quint8 STOPBITS() const { return dcb_.StopBits; }
    quint8 STOPBITS(int stopBits);

    // Timeouts in milliseconds; the device sees them at the next SETTIMEOUT.
    quint32 READINTERVALTIMEOUT() const { return timeouts_.ReadIntervalTimeout; }
    quint32 READINTERVALTIMEOUT(quint32 v) { return timeouts_.ReadIntervalTimeout = v; }
    quint32 READTIMEOUTMULTIPLIER() const { return timeouts_.ReadTotalTimeoutMultiplier; }
    quint32 READTIMEOUTMULTIPLIER(quint32 v) { return timeouts_.ReadTotalTimeoutMultiplier = v; }
    quint32 READTIMEOUTCONSTANT() const { return timeouts_.ReadTotalTimeoutConstant; }
    quint32 READTIMEOUTCONSTANT(quint32 v) { return timeouts_.ReadTotalTimeoutConstant = v; }
    quint32 WRITETIMEOUTMULTIPLIER() const { return timeouts_.WriteTotalTimeoutMultiplier; }
    quint32 WRITETIMEOUTMULTIPLIER(quint32 v) { return timeouts_.WriteTotalTimeoutMultiplier = v; }
    quint32 WRITETIMEOUTCONSTANT() const { return timeouts_.WriteTotalTimeoutConstant; }
    quint32 WRITETIMEOUTCONSTANT(quint32 v) { return timeouts_.WriteTotalTimeoutConstant = v; }

    // Queue sizes, kept; a terminal device has queues of its own.
    quint32 TRANSMITBUFFERSIZE() const { return transmitSize_; }
    quint32 TRANSMITBUFFERSIZE(quint32 v) { return transmitSize_ = v; }
    quint32 RECEIVEBUFFERSIZE() const { return receiveSize_; }
    quint32 RECEIVEBUFFERSIZE(quint32 v) { return receiveSize_ = v; }

    // Starts the watcher for the events of `mask`; FALSE when it already runs
    // or cannot start. Each wake with new bytes posts WM_COMMNOTIFY (wParam 1,
    // lParam 0) to the window.
    bool ENABLEEVENTS(quint32 mask);
    // Stops the watcher and waits for it; TRUE when none runs any more.
    bool DISABLEEVENTS();

    // The descriptor of the open port, -1 when closed.
    int descriptor() const { return fd_; }

    struct LineSettings {
        quint32 BaudRate = 0;
        quint8 ByteSize = 0;
        quint8 Parity = 0;
        quint8 StopBits = 0;
    };
    struct CommTimeouts {
        quint32 ReadIntervalTimeout = 0;
        quint32 ReadTotalTimeoutMultiplier = 0;
        quint32 ReadTotalTimeoutConstant = 0;
        quint32 WriteTotalTimeoutMultiplier = 0;
        quint32 WriteTotalTimeoutConstant = 0;
    };

    // The block the watcher thread works on.
    struct Watch;

private:
    void fail(const char* text, int error);
    void closeDevice();

    int fd_ = -1;
    bool open_ = false;
    LineSettings dcb_;
    CommTimeouts timeouts_;
    CommTimeouts deviceTimeouts_;  // what the open device was given
    int errorCode_ = 0;
    QString errorText_;
    quint32 transmitSize_ = 4096;
    quint32 receiveSize_ = 4096;
    UserPort* port_ = nullptr;

    std::unique_ptr<QObject> relay_;
    std::unique_ptr<Watch> watch_;
    std::thread thread_;
    bool eventsOn_ = false;
};

// The watcher thread's procedure: 1 when it stopped on request, 0 when the
// port could not be watched or the wait failed.
quint32 COMMWATCHPROC(void* watchBlock);

namespace testhooks {
// The next ENABLEEVENTS fails as if no thread could be started.
void failNextWatcherStart();
// The next FLUSH fails (EIO).
void failNextFlush();
}  // namespace testhooks

}  // namespace zeva
