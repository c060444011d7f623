#pragma once
// Plain text straight to a printer, without a printer driver: text lines and
// printer control bytes collect in a private buffer file in the temporary
// folder, and PRINTIT sends the whole buffer to the printer port and removes
// it. One object serves one print job.
//
// Printer ports: a path (a printer device such as /dev/usb/lp0, or a file),
// "lp" for the default print queue or "lp:QUEUE" for a named one (both sent
// raw through the lp command), or one of the old port names "LPT1" to "LPT3"
// and "PRN", each standing for the port that the settings value of that name
// under HKEY_CURRENT_USER\Software\zeva\PrinterPorts gives, "lp" when none.
//
// Nothing is raised or shown; the last failure is kept for lastError().

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace zeva {

// Where the old port names are mapped.
inline const QString kPrinterPortsKey = QStringLiteral("Software\\zeva\\PrinterPorts");

class PRINTQUICK {
public:
    // Opens a new buffer file (owner-only) in the temporary folder.
    PRINTQUICK();
    // A buffer not printed is removed.
    ~PRINTQUICK();
    PRINTQUICK(const PRINTQUICK&) = delete;
    PRINTQUICK& operator=(const PRINTQUICK&) = delete;

    // Blanks in front of every text QQOUT writes (5 at the start).
    PRINTQUICK& MARGIN(int margin);
    // Margin, then `count` line ends.
    PRINTQUICK& SKIPLINES(int count);
    // Escape "E", the printer reset, without margin.
    PRINTQUICK& RESETPRINTER();
    // Margin, the value as text (Windows-1254), and a line end when asked.
    PRINTQUICK& QQOUT(const QVariant& value, bool lineEnd = false);
    PRINTQUICK& QOUT(const QVariant& value) { return QQOUT(value, true); }
    // Form feed, then a carriage return when asked; without margin.
    PRINTQUICK& EJECTPAGE(bool carriageReturn = true);
    // Ends the job: the page is ejected (when asked), the buffer goes to the
    // port (empty: "LPT1") and is removed. Writes afterwards are ignored.
    PRINTQUICK& PRINTIT(const QString& port = QString(), bool eject = true);

    // The buffer file while the job is open, else empty.
    QString bufferPath() const { return fd_ >= 0 ? path_ : QString(); }
    // The last failure, empty when none.
    QString lastError() const { return error_; }

private:
    void write(const QByteArray& bytes);
    bool sendToPort(const QString& port, const QByteArray& bytes);
    void discardBuffer();

    int fd_ = -1;
    QString path_;
    quint16 margin_ = 5;
    QString error_;
};

// The port an old port name stands for (the name itself for any other port).
QString resolvePrinterPort(const QString& port);

}  // namespace zeva
