#pragma once
// Permission checks as an ordinary user. The tests may run as root, who
// passes every permission check; these helpers run part of a test in a forked
// child that gives up root for the user nobody (uid and gid 65534), on files
// in a folder everyone may write, and report the child's findings to
// GoogleTest in the parent. Run by an ordinary user, the child keeps that
// user.
//
// The child must not use GoogleTest's assertions (they would be counted in the
// child's copy of GoogleTest and lost): it reports through ChildChecks.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <string>

#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zeva::test {

constexpr uid_t kNobody = 65534;

// A fresh folder under /tmp that every user may write (mode 0777, no sticky
// bit, so the child may also replace the parent's files in it), removed
// afterwards.
class SharedTempDir {
public:
    SharedTempDir() : dir_(base() + QStringLiteral("/zeva-shared-XXXXXX"))
    {
        if (dir_.isValid())
            ::chmod(QFile::encodeName(dir_.path()).constData(), 0777);
    }
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.path() + QLatin1Char('/') + name; }
    bool valid() const { return dir_.isValid(); }

private:
    // /tmp is open to every user wherever the build folder lies.
    static QString base()
    {
        return QFileInfo(QStringLiteral("/tmp")).isDir() ? QStringLiteral("/tmp") : QDir::tempPath();
    }
    QTemporaryDir dir_;
};

// What failed in the child, one line per failed check.
class ChildChecks {
public:
    bool expect(bool ok, const char* what, int line)
    {
        if (!ok)
            failures_ += "line " + std::to_string(line) + ": " + what + '\n';
        return ok;
    }
    void fail(const std::string& text) { failures_ += text + '\n'; }
    const std::string& failures() const { return failures_; }

private:
    std::string failures_;
};

#define CHILD_EXPECT(checks, condition) (checks).expect(bool(condition), #condition, __LINE__)

// Plain file helpers for the child (no GoogleTest inside).
inline bool childWrite(const QString& path, const QByteArray& bytes, mode_t mode = 0644)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    return ::chmod(QFile::encodeName(path).constData(), mode) == 0;
}

inline QByteArray childRead(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Runs `body` in a forked child as nobody (when the tests run as root) and
// reports its failed checks, a failed drop of root or a crash as failures of
// the calling test.
inline void runUnprivileged(const std::function<void(ChildChecks&)>& body)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(fds[0]);
        ChildChecks checks;
        if (::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
                checks.fail("could not become the user nobody");
        }
        if (checks.failures().empty()) {
            if (::geteuid() == 0) {
                checks.fail("still root after the drop");
            } else {
                try {
                    body(checks);
                } catch (...) {
                    checks.fail("the child threw an exception");
                }
            }
        }
        const std::string& text = checks.failures();
        for (size_t at = 0; at < text.size();) {
            const ssize_t n = ::write(fds[1], text.data() + at, text.size() - at);
            if (n <= 0)
                break;
            at += size_t(n);
        }
        ::_exit(text.empty() ? 0 : 1);  // no exit handlers, no leak check
    }
    ::close(fds[1]);
    std::string report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        report.append(buffer, size_t(n));
    }
    ::close(fds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!report.empty())
        ADD_FAILURE() << "as an unprivileged user:\n" << report;
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        ADD_FAILURE() << "the unprivileged child ended abnormally (status " << status << ")";
}

}  // namespace zeva::test
