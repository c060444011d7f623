#include "platform/instancelock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zeva {

QString instanceLockPath(const QString& name)
{
    QString safe = name;
    safe.replace(QLatin1Char('/'), QLatin1Char('_'));
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime))
        return runtime + QLatin1Char('/') + safe + QStringLiteral(".lock");
    return QDir::tempPath() + QLatin1Char('/') + safe + QStringLiteral("-%1.lock").arg(::getuid());
}

bool takeInstanceLock(const QString& name)
{
    const QByteArray path = QFile::encodeName(instanceLockPath(name));
    // A planted link is not followed, and the processes the program starts do
    // not inherit the lock.
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return true;
    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        ::close(fd);
        return true;
    }
    // The descriptor stays open on purpose: the lock lasts until the process ends.
    return false;
}

}  // namespace zeva
