#include "utility/tktask.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char** environ;

namespace zeva {

namespace {

quint32 statusCode(int status)
{
    if (WIFEXITED(status))
        return quint32(WEXITSTATUS(status));
    if (WIFSIGNALED(status))
        return 128u + quint32(WTERMSIG(status));
    return 0;
}

// Waits for one child in a thread of its own. Only this pid is waited for.
void reapLater(pid_t pid)
{
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace

QString LASTPROCERRORASTEXT(int error)
{
    if (error < 0)
        error = errno;
    return QString::fromLocal8Bit(std::strerror(error));
}

TKTASK::~TKTASK()
{
    releaseChild();
}

void TKTASK::releaseChild()
{
    if (pid_ > 0 && !reaped_) {
        int status = 0;
        const pid_t r = ::waitpid(pid_, &status, WNOHANG);
        if (r == 0)
            reapLater(pid_);
    }
}

TKTASK& TKTASK::CREATE()
{
    return LAUNCH();
}

bool TKTASK::ISTASK()
{
    exitCode_ = 0;
    if (pid_ <= 0)
        return false;
    if (!reaped_) {
        int status = 0;
        pid_t r;
        do {
            r = ::waitpid(pid_, &status, WNOHANG);
        } while (r < 0 && errno == EINTR);
        if (r == 0) {
            exitCode_ = STILL_ACTIVE;
            return true;
        }
        if (r < 0)
            return false;
        reaped_ = true;
        finalCode_ = statusCode(status);
    }
    exitCode_ = finalCode_;
    return exitCode_ != 0;
}

quint32 TKTASK::RETURNCODE()
{
    ISTASK();
    return exitCode_;
}

TKTASK& TKTASK::COMMANDLINE(const QString& line)
{
    if (!line.isEmpty()) {
        commandLine_ = line;
        taskName_ = line;
    }
    return *this;
}

TKTASK& TKTASK::TASKNAME(const QString& name)
{
    if (!name.isEmpty())
        taskName_ = name;
    return *this;
}

TKTASK& TKTASK::TITLE(const QString& title)
{
    title_ = title;
    return *this;
}

TKTASK& TKTASK::LAUNCH()
{
    if (commandLine_.isEmpty())
        return *this;
    QStringList words = QProcess::splitCommand(commandLine_);
    if (words.isEmpty()) {
        errorText_ = LASTPROCERRORASTEXT(ENOENT);
        return *this;
    }
    const QString program = words.takeFirst();
    spawn(program, words, !program.contains(QLatin1Char('/')));
    return *this;
}

TKTASK& TKTASK::LAUNCH1()
{
    if (taskName_.isEmpty())
        return *this;
    spawn(taskName_, {}, false);
    return *this;
}

bool TKTASK::spawn(const QString& program, const QStringList& arguments, bool searchPath)
{
    std::vector<QByteArray> words;
    words.push_back(QFile::encodeName(program));
    for (const QString& a : arguments)
        words.push_back(QFile::encodeName(a));
    std::vector<char*> argv;
    for (QByteArray& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    // The child gets the standard descriptors only: a file or lock that
    // happens to be open here must not stay held by a long-running child.
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    // A clean signal state: nothing blocked, SIGPIPE back to its default.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attr, &none);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = 0;
    const int rc = searchPath ? ::posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ)
                              : ::posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        errorText_ = LASTPROCERRORASTEXT(rc);
        return false;
    }
    releaseChild();
    pid_ = pid;
    reaped_ = false;
    finalCode_ = 0;
    return true;
}

}  // namespace zeva
