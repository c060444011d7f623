#include "platform/regularfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace zeva {

namespace {

void say(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString systemText(const QString& path, int code)
{
    return path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(code));
}

QString notRegularFileText(const QString& path)
{
    return path + QStringLiteral(" normal bir dosya değil...");
}

QString fileTooLargeText(const QString& path)
{
    return path + QStringLiteral(" dosyası çok büyük...");
}

// Sorts a look at the name (before it is opened) or at the open file.
FileRead judge(const struct stat& st, const QString& path, qint64 maxSize, QString* error)
{
    if (!S_ISREG(st.st_mode)) {
        say(error, notRegularFileText(path));
        return FileRead::NotRegular;
    }
    if (qint64(st.st_size) > maxSize) {
        say(error, fileTooLargeText(path));
        return FileRead::TooLarge;
    }
    return FileRead::Read;
}

}  // namespace

QString plainFileRefusal(const QString& path, qint64 maxSize)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    QString reason;
    judge(st, path, maxSize, &reason);
    return reason;
}

FileRead readRegularFile(const QString& path, QByteArray* bytes, qint64 maxSize, QString* error,
                         struct stat* opened)
{
    bytes->clear();
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (path.isEmpty() || ::stat(name.constData(), &st) != 0) {
        const int code = path.isEmpty() ? ENOENT : errno;
        say(error, code == ENOENT || code == ENOTDIR ? path + QStringLiteral(" dosyası bulunamıyor...")
                                                     : systemText(path, code));
        return code == ENOENT || code == ENOTDIR ? FileRead::Missing : FileRead::Failed;
    }
    // A pipe or a device is never opened: some answer an open by waiting.
    if (const FileRead r = judge(st, path, maxSize, error); r != FileRead::Read)
        return r;
    // The name may be given to something else between the look and the open:
    // the open does not wait (a pipe would make it), and the file opened is
    // judged again.
    int fd;
    while ((fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) < 0 && errno == EINTR) {
    }
    if (fd < 0) {
        const int code = errno;
        say(error, code == ENOENT ? path + QStringLiteral(" dosyası bulunamıyor...") : systemText(path, code));
        return code == ENOENT ? FileRead::Missing : FileRead::Failed;
    }
    auto fail = [&](FileRead r) {
        ::close(fd);
        bytes->clear();
        return r;
    };
    if (::fstat(fd, &st) != 0) {
        say(error, systemText(path, errno));
        return fail(FileRead::Failed);
    }
    if (const FileRead r = judge(st, path, maxSize, error); r != FileRead::Read)
        return fail(r);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    // Read to the end, which may lie beyond the size seen if the file grows
    // meanwhile, but never past the limit.
    bytes->reserve(qsizetype(st.st_size));
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            say(error, systemText(path, errno));
            return fail(FileRead::Failed);
        }
        if (n == 0)
            break;
        if (qint64(bytes->size()) + n > maxSize) {
            say(error, fileTooLargeText(path));
            return fail(FileRead::TooLarge);
        }
        bytes->append(chunk, qsizetype(n));
    }
    ::close(fd);
    if (opened)
        *opened = st;
    return FileRead::Read;
}

}  // namespace zeva
