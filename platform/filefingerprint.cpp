#include "platform/filefingerprint.h"

#include "platform/regularfile.h"

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

}  // namespace

bool FileFingerprint::read(const QString& path, QByteArray* bytes, FileFingerprint* fingerprint, QString* error)
{
    *fingerprint = unread(path);
    QByteArray data;
    if (readRegularFile(path, &data, kMaxDataFileSize, error) != FileRead::Read)
        return false;
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
    QByteArray now;
    if (readRegularFile(path_, &now) != FileRead::Read)
        return true;
    return digestOf(now) != digest_;
}

}  // namespace zeva
