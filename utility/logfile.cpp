#include "utility/logfile.h"

#include "platform/atomicfile.h"
#include "platform/codec.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace zeva {

namespace {

std::mutex g_sinkMutex;
DebugOutputSink g_sink;
QString g_exePath;

QString executablePath()
{
    if (!g_exePath.isEmpty())
        return g_exePath;
    return QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
}

void debugOutput(const QString& text)
{
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    if (g_sink) {
        g_sink(text);
        return;
    }
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

// Position of the extension's dot in the file-name part of a path, or -1.
int extensionDot(const QString& path)
{
    const int dot = path.lastIndexOf(QLatin1Char('.'));
    return dot > path.lastIndexOf(QLatin1Char('/')) ? dot : -1;
}

QString withExtension(const QString& path, const QString& extension)
{
    const int dot = extensionDot(path);
    return dot >= 0 ? path.left(dot + 1) + extension : path + QLatin1Char('.') + extension;
}

QString fallbackLogFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    const QString folder = state + QStringLiteral("/zeva/LogFiles");
    QDir().mkpath(folder);
    return folder;
}

QString hex8(const QVariant& v)
{
    return QStringLiteral("%1").arg(v.toULongLong() & 0xFFFFFFFFull, 8, 16, QLatin1Char('0')).toUpper();
}

// The runtime's text for a generic error code.
QString errString(int code)
{
    switch (code) {
    case 0: return QStringLiteral("No error");
    case 1: return QStringLiteral("Argument error");
    case 2: return QStringLiteral("Bound error");
    case 3: return QStringLiteral("String overflow");
    case 4: return QStringLiteral("Numeric overflow");
    case 5: return QStringLiteral("Zero divisor");
    case 6: return QStringLiteral("Numeric error");
    case 7: return QStringLiteral("Syntax error");
    case 8: return QStringLiteral("Operation too complex");
    case 11: return QStringLiteral("Memory low");
    case 12: return QStringLiteral("Undefined function");
    case 13: return QStringLiteral("No exported method");
    case 14: return QStringLiteral("Variable does not exist");
    case 15: return QStringLiteral("Alias does not exist");
    case 16: return QStringLiteral("No exported variable");
    case 20: return QStringLiteral("Create error");
    case 21: return QStringLiteral("Open error");
    case 22: return QStringLiteral("Close error");
    case 23: return QStringLiteral("Read error");
    case 24: return QStringLiteral("Write error");
    case 25: return QStringLiteral("Print error");
    case 30: return QStringLiteral("Operation not supported");
    case 31: return QStringLiteral("Limit exceeded");
    case 32: return QStringLiteral("Corruption detected");
    case 33: return QStringLiteral("Data type error");
    case 34: return QStringLiteral("Data width error");
    case 40: return QStringLiteral("Append lock failed");
    case 41: return QStringLiteral("Lock failure");
    default: return QStringLiteral("Unknown error");
    }
}

// The runtime's text for a value type.
QString typeString(int type)
{
    switch (type) {
    case 0: return QStringLiteral("NIL");
    case 1: return QStringLiteral("LONGINT");
    case 2: return QStringLiteral("DATE");
    case 3: return QStringLiteral("FLOAT");
    case 5: return QStringLiteral("ARRAY");
    case 6: return QStringLiteral("OBJECT");
    case 7: return QStringLiteral("STRING");
    case 8: return QStringLiteral("LOGIC");
    case 9: return QStringLiteral("CODEBLOCK");
    case 10: return QStringLiteral("SYMBOL");
    case 11: return QStringLiteral("BYTE");
    case 12: return QStringLiteral("SHORTINT");
    case 13: return QStringLiteral("WORD");
    case 14: return QStringLiteral("DWORD");
    case 15: return QStringLiteral("REAL4");
    case 16: return QStringLiteral("REAL8");
    case 17: return QStringLiteral("PSZ");
    case 18: return QStringLiteral("PTR");
    default: return QStringLiteral("UNKNOWN");
    }
}

QString versionText()
{
    QString text = QCoreApplication::applicationName();
    if (text.isEmpty())
        text = QStringLiteral("zeva");
    const QString version = QCoreApplication::applicationVersion();
    return version.isEmpty() ? text : text + QLatin1Char(' ') + version;
}

QString label(const char* name)
{
    return QString::fromLatin1(name).leftJustified(16, QLatin1Char(' ')) + QLatin1Char(':');
}

}  // namespace

namespace testhooks {
void setExecutablePath(const QString& path)
{
    g_exePath = path;
}
}  // namespace testhooks

DebugOutputSink setDebugOutputSink(DebugOutputSink sink)
{
    std::lock_guard<std::mutex> lock(g_sinkMutex);
    DebugOutputSink old = std::move(g_sink);
    g_sink = std::move(sink);
    return old;
}

QString serverLogFolder()
{
    quint32 type = 0;
    SettingsValue value;
    // Read only: a missing key is not created.
    if (settingsStore()->queryValue(HKEY_LOCAL_MACHINE, kServerLogKey, kServerLogValue, 1 << 16, &type, &value) !=
            SETTINGS_OK ||
        !value.isString() || value.text.isEmpty())
        return fallbackLogFolder();
    QString folder = value.text;
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    static const QString placeholder = QStringLiteral("%SystemRoot%");
    const int at = folder.indexOf(placeholder, 0, Qt::CaseInsensitive);
    if (at >= 0) {
        QString root = qEnvironmentVariable("SystemRoot");
        if (root.isEmpty())
            return fallbackLogFolder();
        root.replace(QLatin1Char('\\'), QLatin1Char('/'));
        folder = root + folder.mid(at + placeholder.size());
    }
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

LOGFILE::LOGFILE(const QVariant& name, const QVariant& serverFolder, const QVariant& append)
{
    const QString exe = executablePath();
    serverPath_ = exe.left(exe.lastIndexOf(QLatin1Char('/')) + 1);
    const bool server = serverFolder.typeId() == QMetaType::Bool && serverFolder.toBool();
    append_ = append.typeId() == QMetaType::Bool ? append.toBool() : true;

    QString base = exe;
    if (name.typeId() == QMetaType::QString && !name.toString().isEmpty()) {
        QString given = name.toString();
        given.replace(QLatin1Char('\\'), QLatin1Char('/'));
        base = given.contains(QLatin1Char('/')) ? given : serverPath_ + given;
    }
    if (!server) {
        fileName_ = withExtension(base, QStringLiteral("log"));
    } else {
        QString file = base.mid(base.lastIndexOf(QLatin1Char('/')) + 1);
        const int dot = file.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            file.truncate(dot);
        fileName_ = serverLogFolder() + QLatin1Char('/') + file + QStringLiteral(".log");
    }

    const QByteArray path = QFile::encodeName(fileName_);
    int fd = -1;
    if (QFileInfo::exists(fileName_)) {
        if (!append_) {
            if (backupName_.isEmpty())
                backupName_ = withExtension(fileName_, QStringLiteral("bak"));
            // The old log is emptied only once its copy is safely in place.
            QFile old(fileName_);
            bool saved = false;
            if (old.open(QIODevice::ReadOnly)) {
                const QByteArray bytes = old.readAll();
                saved = old.error() == QFileDevice::NoError && writeFileAtomically(backupName_, bytes);
            }
            if (saved)
                fd = ::open(path.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        }
        if (fd < 0)
            fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
    } else {
        fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    }
    toFile_ = fd >= 0;
    if (fd >= 0)
        ::close(fd);
}

QString LOGFILE::FNAME(const QVariant& name)
{
    if (name.typeId() == QMetaType::QString)
        fileName_ = name.toString();
    return fileName_;
}

QString LOGFILE::LOGPATH() const
{
    const int slash = fileName_.lastIndexOf(QLatin1Char('/'));
    return slash >= 0 ? fileName_.left(slash) : fileName_;
}

QString LOGFILE::BACKUPNAME(const QVariant& name)
{
    if (name.typeId() == QMetaType::QString)
        backupName_ = name.toString();
    return backupName_;
}

bool LOGFILE::APPEND(const QVariant& flag)
{
    if (flag.typeId() == QMetaType::Bool)
        append_ = flag.toBool();
    return append_;
}

bool LOGFILE::LOG2FILE(const QVariant& flag)
{
    if (flag.typeId() == QMetaType::Bool)
        toFile_ = flag.toBool();
    return toFile_;
}

bool LOGFILE::appendBytes(const QByteArray& bytes)
{
    int fd;
    do {
        fd = ::open(QFile::encodeName(fileName_).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    // One write: appending writers of other processes never split a message.
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t r = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (r < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        done += r;
    }
    ::close(fd);
    return done > 0;
}

bool LOGFILE::DEBUGMSG(const QString& text)
{
    if (toFile_)
        return appendBytes(cp1254::encode(text + QStringLiteral("\r\n")));
    debugOutput(text);
    return !text.isEmpty();
}

LOGFILE& LOGFILE::DUMPERROR(const ErrorInfo& e)
{
    QStringList lines;
    lines << QStringLiteral("***********************ERROR********************************") << versionText()
          << DateText(QDate::currentDate()) + QLatin1Char(' ') + QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))
          << QStringLiteral(" ") << QStringLiteral("Error Object created:") << QStringLiteral("--------------------")
          << label("SubSystem") + AsString(e.SUBSYSTEM) << label("SubCode") + AsString(e.SUBCODE)
          << label("GenCode") + errString(e.GENCODE);
    if (!e.STACK.isEmpty()) {
        const QStringList stack = e.STACK.split(QStringLiteral("\r\n"));
        for (int i = 0; i < stack.size() && !stack[i].isEmpty(); ++i)
            lines << (i == 0 ? label("Stack") : label("")) + QLatin1Char('\'') + stack[i] + QLatin1Char('\'');
    }
    if (e.SUBCODE.toLongLong() == 5333) {
        lines << label("ExceptionCode") + hex8(e.OSCODE) << label("ExceptionFlags") + hex8(e.ARGTYPE)
              << label("ExceptionAddress") + hex8(e.FUNCPTR) << label("ParamNumber") + AsString(e.ARGNUM)
              << label("ExceptionInfo") + hex8(e.FUNCSYM);
    } else {
        lines << label("OsCode") + AsString(e.OSCODE) << label("ArgType") + typeString(e.ARGTYPE)
              << label("FuncPtr") + AsString(e.FUNCPTR) << label("ArgNum") + AsString(e.ARGNUM)
              << label("FuncSym") + AsString(e.FUNCSYM);
    }
    lines << label("Severity") + AsString(e.SEVERITY) << label("CanDefault") + AsString(e.CANDEFAULT)
          << label("CanRetry") + AsString(e.CANRETRY) << label("CanSubstitute") + AsString(e.CANSUBSTITUTE)
          << label("Operation") + AsString(e.OPERATION) << label("Description") + AsString(e.DESCRIPTION)
          << label("FileName") + AsString(e.FILENAME) << label("Tries") + AsString(e.TRIES)
          << label("FileHandle") + AsString(e.FILEHANDLE) << label("SubCodeText") + AsString(e.SUBCODETEXT)
          << label("Arg") + AsString(e.ARG) << label("ArgTypeReq") + typeString(e.ARGTYPEREQ)
          << label("MaxSize") + AsString(e.MAXSIZE) << label("SubstituteType") + typeString(e.SUBSTITUTETYPE)
          << label("CallFuncSym") + AsString(e.CALLFUNCSYM) << QStringLiteral("--------------------");
    appendBytes(cp1254::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
    return *this;
}

}  // namespace zeva
