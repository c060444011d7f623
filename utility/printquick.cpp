#include "utility/printquick.h"

#include "platform/atomicfile.h"
#include "platform/codec.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeva {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

bool writeAll(int fd, const QByteArray& bytes, int* error)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t r = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            *error = errno;
            return false;
        }
        done += r;
    }
    return true;
}

}  // namespace

QString resolvePrinterPort(const QString& port)
{
    QString name = port.isEmpty() ? QStringLiteral("LPT1") : port;
    QString key = name.toUpper();
    if (key.endsWith(QLatin1Char(':')))
        key.chop(1);
    if (key == QLatin1String("LPT1") || key == QLatin1String("LPT2") || key == QLatin1String("LPT3") ||
        key == QLatin1String("PRN")) {
        quint32 type = 0;
        SettingsValue value;
        if (settingsStore()->queryValue(HKEY_CURRENT_USER, kPrinterPortsKey, key, 1 << 16, &type, &value) ==
                SETTINGS_OK &&
            value.isString() && !value.text.trimmed().isEmpty())
            return value.text.trimmed();
        return QStringLiteral("lp");
    }
    return name;
}

PRINTQUICK::PRINTQUICK()
{
    QByteArray name = QFile::encodeName(QDir::tempPath() + QStringLiteral("/Printer.Buf.XXXXXX"));
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);  // a fresh file, mode 0600, never an existing name
    if (fd_ < 0) {
        error_ = systemError(errno);
        return;
    }
    path_ = QFile::decodeName(name);
}

PRINTQUICK::~PRINTQUICK()
{
    discardBuffer();
}

void PRINTQUICK::discardBuffer()
{
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    QFile::remove(path_);
}

void PRINTQUICK::write(const QByteArray& bytes)
{
    if (fd_ < 0)
        return;  // the job has ended
    int error = 0;
    if (!writeAll(fd_, bytes, &error))
        error_ = systemError(error);
}

PRINTQUICK& PRINTQUICK::MARGIN(int margin)
{
    margin_ = quint16(margin);
    return *this;
}

PRINTQUICK& PRINTQUICK::SKIPLINES(int count)
{
    return QQOUT(QString(QStringLiteral("\r\n")).repeated(qMax(count, 0)));
}

PRINTQUICK& PRINTQUICK::RESETPRINTER()
{
    write(QByteArray("\x1b" "E"));
    return *this;
}

PRINTQUICK& PRINTQUICK::QQOUT(const QVariant& value, bool lineEnd)
{
    QString text = value.typeId() == QMetaType::QString ? value.toString() : AsString(value);
    if (margin_ > 0)
        text.prepend(QString(margin_, QLatin1Char(' ')));
    if (lineEnd)
        text += QStringLiteral("\r\n");
    write(cp1254::encode(text));
    return *this;
}

PRINTQUICK& PRINTQUICK::EJECTPAGE(bool carriageReturn)
{
    write(carriageReturn ? QByteArray("\f\r") : QByteArray("\f"));
    return *this;
}

PRINTQUICK& PRINTQUICK::PRINTIT(const QString& port, bool eject)
{
    if (fd_ < 0)
        return *this;
    if (eject)
        EJECTPAGE();
    ::close(fd_);
    fd_ = -1;
    QFile buffer(path_);
    if (buffer.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = buffer.readAll();
        buffer.close();
        sendToPort(resolvePrinterPort(port), bytes);
    } else {
        error_ = buffer.errorString();
    }
    QFile::remove(path_);
    return *this;
}

bool PRINTQUICK::sendToPort(const QString& port, const QByteArray& bytes)
{
    if (port == QLatin1String("lp") || port.startsWith(QLatin1String("lp:"))) {
        QStringList args;
        if (port.size() > 3)
            args << QStringLiteral("-d") << port.mid(3);
        args << QStringLiteral("-o") << QStringLiteral("raw");
        QProcess lp;
        lp.setStandardInputFile(path_);
        lp.setProcessChannelMode(QProcess::MergedChannels);
        lp.start(QStringLiteral("lp"), args);
        if (!lp.waitForStarted(30000)) {
            error_ = QStringLiteral("lp: ") + lp.errorString();
            return false;
        }
        if (!lp.waitForFinished(120000)) {
            lp.kill();
            lp.waitForFinished();
            error_ = QStringLiteral("lp: ") + lp.errorString();
            return false;
        }
        if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0) {
            const QString said = QString::fromLocal8Bit(lp.readAll()).trimmed();
            error_ = QStringLiteral("lp: ") + (said.isEmpty() ? QString::number(lp.exitCode()) : said);
            return false;
        }
        return true;
    }
    const QByteArray path = QFile::encodeName(port);
    struct stat st {};
    if (::stat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        // A device (or a pipe): the bytes go to it as they are. A pipe with
        // no reader fails at once instead of blocking.
        const int fd = ::open(path.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) {
            error_ = systemError(errno);
            return false;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        int error = 0;
        const bool ok = writeAll(fd, bytes, &error);
        ::close(fd);
        if (!ok)
            error_ = systemError(error);
        return ok;
    }
    // A file: replaced whole, or left as it was.
    QString why;
    if (!writeFileAtomically(port, bytes, &why)) {
        error_ = why;
        return false;
    }
    return true;
}

}  // namespace zeva
