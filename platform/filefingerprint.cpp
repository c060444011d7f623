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

qint64 modifiedNs(const struct stat& st)
{
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

}  // namespace

bool FileFingerprint::read(const QString& path, QByteArray* bytes, FileFingerprint* fingerprint, QString* error)
{
    *fingerprint = unread(path);
    // The time of the file opened, the one whose bytes are read.
    struct stat st;
    QByteArray data;
    if (readRegularFile(path, &data, kMaxDataFileSize, error, &st) != FileRead::Read)
        return false;
    fingerprint->read_ = true;
    fingerprint->size_ = data.size();
    fingerprint->modified_ = modifiedNs(st);
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
    f.modified_ = modifiedNs(st);
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
    if (qint64(st.st_size) != size_ || modifiedNs(st) != modified_)
        return true;
    // Same size and time: the bytes decide.
    QByteArray now;
    if (readRegularFile(path_, &now) != FileRead::Read)
        return true;
    return digestOf(now) != digest_;
}

}  // namespace zeva
