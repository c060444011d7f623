#include "platform/filelock.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace zeva {

namespace {

bool sameFile(int fd, const QByteArray& name)
{
    struct stat held;
    struct stat named;
    return ::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

}  // namespace

bool lockUnsupported(int error, int fd)
{
    if (error == ENOLCK || error == EOPNOTSUPP)
        return true;
#if defined(ENOTSUP) && ENOTSUP != EOPNOTSUPP
    if (error == ENOTSUP)
        return true;
#endif
    if (error == EBADF) {
        const int flags = ::fcntl(fd, F_GETFL);
        return flags >= 0 && (flags & O_ACCMODE) == O_RDONLY;
    }
    return false;
}

FileLock::FileLock(const QString& path, int waitMs)
{
    const QByteArray name = QFile::encodeName(path);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        // Non-blocking open, so that a pipe planted under the name does not
        // hang the program; the lock is taken only on a plain file or a
        // folder (a folder opens for reading only).
        int fd = ::open(name.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno != ENOENT)
            fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            state_ = State::NoFile;
            return;
        }
        struct stat st;
        if (::fstat(fd, &st) != 0 || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
            ::close(fd);
            state_ = State::NoFile;
            return;
        }
        int rc;
        do {
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (rc != 0 && errno == EINTR);
        if (rc != 0) {
            const int error = errno;
            if (lockUnsupported(error, fd)) {
                ::close(fd);
                state_ = State::Unsupported;
                return;
            }
            ::close(fd);
            if (error != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
                state_ = State::Busy;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        if (sameFile(fd, name)) {
            fd_ = fd;
            state_ = State::Held;
            return;
        }
        // The file was replaced while we waited: lock the one there now.
        ::close(fd);
    }
}

FileLock::~FileLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace zeva
