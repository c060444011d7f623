#include "support/printqueue.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QStringList>
#include <QThread>

#include <optional>

#include <dlfcn.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace zeva::test {
namespace {

// Where cupsd finds its filters and backends on Debian.
const char kFilter[] = "/usr/lib/cups/filter/pdftopdf";

// A PostScript printer description for a printer that takes PDF as it is
// given and makes no copies itself, so the filters make them.
const char kPpd[] = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "TESTPDF.PPD"
*Manufacturer: "Test"
*Product: "(PDF file)"
*ModelName: "PDF file"
*ShortNickName: "PDF file"
*NickName: "PDF file"
*PSVersion: "(3010.000) 0"
*LanguageLevel: "3"
*ColorDevice: True
*DefaultColorSpace: RGB
*FileSystem: False
*Throughput: "1"
*LandscapeOrientation: Plus90
*TTRasterizer: Type42
*cupsManualCopies: True
*cupsFilter2: "application/vnd.cups-pdf application/pdf 0 -"
*OpenUI *PageSize/Page Size: PickOne
*OrderDependency: 10 AnySetup *PageSize
*DefaultPageSize: A4
*PageSize A4/A4: "<</PageSize[595 842]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
)ppd";

bool writeText(const QString& path, const QString& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text.toUtf8()) == text.toUtf8().size()
        && f.flush();
}

// Whether every folder from the root down to `path` lets others pass: the
// scheduler started by root runs its filters as the print user.
bool othersReach(const QString& path)
{
    QString at = QFileInfo(path).absoluteFilePath();
    for (;;) {
        struct stat st {};
        if (::stat(QFile::encodeName(at).constData(), &st) != 0 || !(st.st_mode & S_IXOTH))
            return false;
        const QString up = QFileInfo(at).path();
        if (up == at)
            return true;
        at = up;
    }
}

bool answers(const QString& socketPath)
{
    const QByteArray path = QFile::encodeName(socketPath);
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    if (size_t(path.size()) >= sizeof addr.sun_path)
        return false;
    memcpy(addr.sun_path, path.constData(), size_t(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool ok = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
    ::close(fd);
    return ok;
}

// lpstat's answer in the C locale; none when it fails.
std::optional<QString> lpstat(const QStringList& arguments)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("lpstat"));
    if (program.isEmpty())
        return std::nullopt;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The print library keeps the server it was first told of; where it is
// already loaded it is told again. It is not linked into the tests.
void tellPrintLibrary(const char* server)
{
    void* lib = ::dlopen("libcups.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!lib)
        return;
    using SetServer = void (*)(const char*);
    if (auto set = reinterpret_cast<SetServer>(::dlsym(lib, "cupsSetServer")))
        set(server);
    ::dlclose(lib);
}

}  // namespace

LocalPrintQueue::LocalPrintQueue()
{
    missing = start();
    if (!missing.isEmpty() && scheduler_.state() != QProcess::NotRunning) {
        scheduler_.kill();
        scheduler_.waitForFinished(5000);
    }
}

LocalPrintQueue::~LocalPrintQueue()
{
    if (pointed_) {
        if (hadServer_)
            qputenv("CUPS_SERVER", previousServer_);
        else
            qunsetenv("CUPS_SERVER");
        tellPrintLibrary(nullptr);  // back to what the environment says
    }
    if (scheduler_.state() != QProcess::NotRunning) {
        scheduler_.terminate();
        if (!scheduler_.waitForFinished(10000)) {
            scheduler_.kill();
            scheduler_.waitForFinished(5000);
        }
    }
}

QString LocalPrintQueue::name()
{
    return QStringLiteral("TestPDF");
}

QString LocalPrintQueue::output() const
{
    return dir_ ? dir_->filePath(QStringLiteral("cikti.pdf")) : QString();
}

void LocalPrintQueue::clearOutput() const
{
    QFile::remove(output());
}

bool LocalPrintQueue::waitUntilIdle() const
{
    QDeadlineTimer deadline(60000);
    for (;;) {
        const std::optional<QString> jobs = lpstat({QStringLiteral("-o"), name()});
        if (!jobs)
            return false;
        if (jobs->trimmed().isEmpty())
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);  // the scheduler has no wait of its own to offer
    }
}

QString LocalPrintQueue::errorLog() const
{
    if (!dir_)
        return {};
    QFile log(dir_->filePath(QStringLiteral("log/error_log")));
    QString text = log.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(log.readAll()) : QString();
    QFile out(dir_->filePath(QStringLiteral("log/cupsd.out")));
    if (out.open(QIODevice::ReadOnly))
        text += QString::fromLocal8Bit(out.readAll());
    return text;
}

bool LocalPrintQueue::required()
{
    return !qEnvironmentVariableIsEmpty("ZEVA_PRINT_QUEUE_REQUIRED");
}

QString LocalPrintQueue::start()
{
    const QString cupsd = QStandardPaths::findExecutable(
        QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"), QStringLiteral("/sbin")});
    if (cupsd.isEmpty())
        return QStringLiteral("no CUPS scheduler (cupsd, Debian's cups-daemon) on this machine");
    if (QStandardPaths::findExecutable(QStringLiteral("lpstat")).isEmpty())
        return QStringLiteral("no CUPS client (lpstat, Debian's cups-client) on this machine");
    if (!QFileInfo(QString::fromLatin1(kFilter)).isExecutable())
        return QStringLiteral("no PDF print filter (%1, Debian's cups-filters) on this machine").arg(kFilter);

    const bool root = ::geteuid() == 0;
    QString parent = QDir::tempPath();
    // The socket's path must fit its address; a scheduler run by root hands
    // the jobs to filters run as the print user, who must reach them.
    if (parent.size() > 64 || (root && !othersReach(parent)))
        parent = QStringLiteral("/tmp");
    dir_ = std::make_unique<QTemporaryDir>(parent + QStringLiteral("/zeva-cups-XXXXXX"));
    if (!dir_->isValid())
        return QStringLiteral("no temporary folder for the print system: ") + dir_->errorString();
    const QString base = dir_->path();
    ::chmod(QFile::encodeName(base).constData(), 0755);
    QDir d(base);
    for (const char* sub : {"spool/tmp", "log", "cache", "state", "ppd"})
        if (!d.mkpath(QLatin1String(sub)))
            return QStringLiteral("cannot make the print system's folders in ") + base;

    QString users;
    if (root) {
        users = QStringLiteral("SystemGroup root\n");  // jobs run as the print user
    } else {
        const passwd* pw = ::getpwuid(::geteuid());
        const group* gr = ::getgrgid(::getegid());
        if (!pw || !gr)
            return QStringLiteral("this user or group has no name");
        const QString groupName = QFile::decodeName(gr->gr_name);
        users = QStringLiteral("User %1\nGroup %2\nSystemGroup %2\n").arg(QFile::decodeName(pw->pw_name), groupName);
    }
    const QString files = QStringLiteral(
                              "ServerRoot %1\nStateDir %1/state\nCacheDir %1/cache\nRequestRoot %1/spool\n"
                              "TempDir %1/spool/tmp\nErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                              "PageLog %1/log/page_log\nPrintcap %1/printcap\nFileDevice Yes\n")
                              .arg(base)
        + users;
    const QString conf = QStringLiteral(
                             "Listen %1/sock\nBrowsing No\nLogLevel warn\nMaxLogSize 0\nPreserveJobHistory No\n"
                             "DefaultPolicy open\n<Policy open>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n")
                             .arg(base);
    // A job a filter fails on is given up, rather than stopping the queue
    // with the job kept for later.
    const QString printers = QStringLiteral(
                                 "<DefaultPrinter %1>\nDeviceURI file://%2\nState Idle\nAccepting Yes\nShared No\n"
                                 "ErrorPolicy abort-job\n</DefaultPrinter>\n")
                                 .arg(name(), output());
    if (!writeText(d.filePath(QStringLiteral("cups-files.conf")), files)
        || !writeText(d.filePath(QStringLiteral("cupsd.conf")), conf)
        || !writeText(d.filePath(QStringLiteral("printers.conf")), printers)
        || !writeText(d.filePath(QStringLiteral("ppd/%1.ppd").arg(name())), QString::fromLatin1(kPpd)))
        return QStringLiteral("cannot write the print system's configuration in ") + base;

    const QString socketPath = d.filePath(QStringLiteral("sock"));
    scheduler_.setProcessChannelMode(QProcess::MergedChannels);
    scheduler_.setStandardOutputFile(d.filePath(QStringLiteral("log/cupsd.out")));
    // The scheduler ends with the test, even one that crashes.
    scheduler_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    scheduler_.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), d.filePath(QStringLiteral("cupsd.conf")),
                             QStringLiteral("-s"), d.filePath(QStringLiteral("cups-files.conf"))});
    if (!scheduler_.waitForStarted(10000))
        return QStringLiteral("the CUPS scheduler does not start: ") + scheduler_.errorString();
    QDeadlineTimer deadline(20000);
    while (!answers(socketPath)) {
        if (scheduler_.state() == QProcess::NotRunning || deadline.hasExpired())
            return QStringLiteral("the CUPS scheduler does not come up:\n") + errorLog();
        QThread::msleep(20);
    }
    pointAt(QFile::encodeName(socketPath));
    return {};
}

void LocalPrintQueue::pointAt(const QByteArray& server)
{
    hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
    previousServer_ = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", server);
    tellPrintLibrary(server.constData());
    pointed_ = true;
}

}  // namespace zeva::test
