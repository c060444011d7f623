#include "platform/filefingerprint.h"

#include <QCryptographicHash>
#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace zeva {

namespace {

QByteArray digestOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

}  // namespace

bool FileFingerprint::read(const QString& path, QByteArray* bytes, FileFingerprint* fingerprint, QString* error)
{
    *fingerprint = unread(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        return false;
    }
    fingerprint->read_ = true;
    fingerprint->size_ = data.size();
    fingerprint->digest_ = digestOf(data);
    *bytes = std::move(data);
    return true;
}

FileFingerprint FileFingerprint::of(const QString& path, const QByteArray& bytes)
{
    FileFingerprint f = unread(path);
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return f;
    f.read_ = true;
    f.size_ = bytes.size();
    f.digest_ = digestOf(bytes);
    return f;
}

FileFingerprint FileFingerprint::unread(const QString& path)
{
    FileFingerprint f;
    f.path_ = path;
    return f;
}

bool FileFingerprint::changedOnDisk() const
{
    if (path_.isEmpty())
        return false;
    struct stat st;
    if (::stat(QFile::encodeName(path_).constData(), &st) != 0)
        return errno != ENOENT && errno != ENOTDIR;  // gone: nothing of it to lose
    if (!read_)
        return true;
    if (qint64(st.st_size) != size_)
        return true;
    // Same size: the bytes decide, whatever the time says. A file only
    // touched holds nothing to lose, and a change whose writer set the old
    // time back is still seen.
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return true;
    const QByteArray now = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return true;
    return digestOf(now) != digest_;
}

}  // namespace zeva
