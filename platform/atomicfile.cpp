#include "platform/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zeva {

namespace {

struct PendingFault {
    testhooks::WriteFault stage = testhooks::WriteFault::None;
    int skip = 0;
};

PendingFault& pending()
{
    static PendingFault fault;
    return fault;
}

// The fault that strikes this call, if any; counts down the skipped calls.
testhooks::WriteFault takeFault()
{
    PendingFault& f = pending();
    if (f.stage == testhooks::WriteFault::None)
        return testhooks::WriteFault::None;
    if (f.skip > 0) {
        --f.skip;
        return testhooks::WriteFault::None;
    }
    const testhooks::WriteFault stage = f.stage;
    f.stage = testhooks::WriteFault::None;
    return stage;
}

void fail(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QByteArray encoded(const QString& path)
{
    return QFile::encodeName(path);
}

// The most links followed before a chain counts as a loop (the kernel's own
// limit).
constexpr int kMaxLinks = 40;

bool isLink(const QString& path)
{
    struct stat st;
    return ::lstat(encoded(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// The temporary file of a write into `folder` over the file `name`: hidden,
// the target's name and six random characters. The folder's file system
// limits the length of a name (255 bytes on most); a target whose name is
// near that limit gets a temporary name cut short at a character, so that
// whenever the target's name fits, the temporary one fits too. The random
// part keeps it unique, and it stays in the target's folder for the rename.
QString temporaryTemplate(const QString& folder, const QString& name)
{
    const QString suffix = QStringLiteral(".XXXXXX");
    long limit = ::pathconf(encoded(folder).constData(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = NAME_MAX;
    QString stem = name;
    while (!stem.isEmpty() && encoded(QLatin1Char('.') + stem + suffix).size() > limit) {
        const qsizetype n = stem.size();
        stem.chop(n >= 2 && stem.at(n - 1).isLowSurrogate() && stem.at(n - 2).isHighSurrogate() ? 2 : 1);
    }
    return folder + QStringLiteral("/.") + stem + suffix;
}

}  // namespace

QString linkedFilePath(const QString& path)
{
    QString file = QFileInfo(path).absoluteFilePath();
    for (int hops = 0; hops < kMaxLinks && isLink(file); ++hops) {
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(encoded(file).constData(), buffer, sizeof buffer);
        if (n <= 0 || n >= ssize_t(sizeof buffer))
            break;
        const QString next = QFile::decodeName(QByteArray(buffer, int(n)));
        // A relative link counts from the folder that holds the link.
        file = next.startsWith(QLatin1Char('/')) ? next : QFileInfo(file).absolutePath() + QLatin1Char('/') + next;
    }
    return file;
}

bool writeProtected(const QString& path)
{
    const QByteArray file = encoded(linkedFilePath(path));
    struct stat st;
    if (::stat(file.constData(), &st) != 0)
        return false;  // not there: nothing to protect
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return true;
    return ::faccessat(AT_FDCWD, file.constData(), W_OK, AT_EACCESS) != 0;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const testhooks::WriteFault fault = takeFault();
    const QString file = linkedFilePath(path);
    const QFileInfo target(file);
    const QString folder = target.absolutePath();
    if (isLink(file)) {
        fail(error, path + QStringLiteral(": bağlantı zinciri çözülemedi"));
        return false;
    }
    if (target.isDir()) {
        fail(error, path + QStringLiteral(": bir klasör"));
        return false;
    }
    if (writeProtected(file)) {
        fail(error, path + QStringLiteral(": dosya yazmaya karşı korumalı"));
        return false;
    }

    QTemporaryFile temp(temporaryTemplate(folder, target.fileName()));
    temp.setAutoRemove(true);
    if (!temp.open()) {
        fail(error, temp.errorString());
        return false;
    }
    if (fault == testhooks::WriteFault::Write) {
        fail(error, QStringLiteral("yazma hatası (deneme)"));
        return false;
    }
    if (temp.write(bytes) != bytes.size() || !temp.flush()) {
        fail(error, temp.errorString());
        return false;
    }
    if (::fsync(temp.handle()) != 0) {
        fail(error, QStringLiteral("fsync"));
        return false;
    }
    if (target.exists())
        temp.setPermissions(QFile::permissions(file));
    else
        temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString tempName = temp.fileName();
    temp.close();

    if (fault == testhooks::WriteFault::Rename) {
        fail(error, QStringLiteral("yeniden adlandırma hatası (deneme)"));
        return false;
    }
    if (std::rename(encoded(tempName).constData(), encoded(file).constData()) != 0) {
        fail(error, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    temp.setAutoRemove(false);  // it is the target now
    syncFolder(folder);
    return true;
}

namespace testhooks {

void failAtomicWrite(WriteFault stage, int skip)
{
    pending() = {stage, skip < 0 ? 0 : skip};
}

void clearAtomicWriteFault()
{
    pending() = {};
}

bool atomicWriteFaultPending()
{
    return pending().stage != WriteFault::None;
}

}  // namespace testhooks
}  // namespace zeva
