#include "platform/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
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

void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const testhooks::WriteFault fault = takeFault();
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (target.isDir()) {
        fail(error, path + QStringLiteral(": bir klasör"));
        return false;
    }

    QTemporaryFile temp(folder + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
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
        temp.setPermissions(QFile::permissions(path));
    else
        temp.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    const QString tempName = temp.fileName();
    temp.close();

    if (fault == testhooks::WriteFault::Rename) {
        fail(error, QStringLiteral("yeniden adlandırma hatası (deneme)"));
        return false;
    }
    if (std::rename(QFile::encodeName(tempName).constData(), QFile::encodeName(path).constData()) != 0) {
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
