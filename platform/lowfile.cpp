#include "platform/lowfile.h"

#include "platform/codec.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace zeva {

namespace {

thread_local int lastError = 0;

void succeed() { lastError = 0; }
void failWith(int code) { lastError = code; }
void failFromErrno() { lastError = errno == ENOSPC ? kDiskFull : errno; }

int accessFlags(int mode)
{
    switch (mode & 3) {
    case fo::Write:
        return O_WRONLY;
    case fo::ReadWrite:
        return O_RDWR;
    default:
        return O_RDONLY;
    }
}

// Reads up to `count` bytes; sets the error: 0, the system's, or "read at the
// end" when nothing was left to read.
QByteArray readBytes(int handle, qint64 count)
{
    QByteArray bytes;
    if (count <= 0) {
        succeed();
        return bytes;
    }
    bytes.resize(count);
    qint64 done = 0;
    while (done < count) {
        const ssize_t n = ::read(handle, bytes.data() + done, size_t(count - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failFromErrno();
            bytes.resize(done);
            return bytes;
        }
        if (n == 0)
            break;
        done += n;
    }
    bytes.resize(done);
    if (done == 0)
        failWith(kReadAtEof);
    else
        succeed();
    return bytes;
}

qint64 writeBytes(int handle, const QByteArray& bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(handle, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failFromErrno();
            return done;
        }
        if (n == 0)
            break;
        done += n;
    }
    if (done < bytes.size())
        failWith(kDiskFull);
    else
        succeed();
    return done;
}

QString clampedLeft(const QString& text, qint64 count)
{
    if (count < 0 || count >= text.size())
        return text;
    return text.left(count);
}

// The read bytes over the first characters of the caller's buffer; the rest of
// the buffer stays.
qint64 fillBuffer(int handle, QString& buffer, qint64 count)
{
    count = std::clamp<qint64>(count, 0, buffer.size());
    const QString read = cp1254::decode(readBytes(handle, count));
    buffer.replace(0, read.size(), read);
    return read.size();
}

}  // namespace

int FOpen(const QString& path, int mode)
{
    const int fd = ::open(QFile::encodeName(path).constData(), accessFlags(mode) | O_CLOEXEC);
    if (fd < 0)
        failFromErrno();
    else
        succeed();
    return fd < 0 ? -1 : fd;
}

int FCreate(const QString& path, int attribute)
{
    const mode_t perms = (attribute & fo::ReadOnly) ? 0444 : 0666;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, perms);
    if (fd < 0)
        failFromErrno();
    else
        succeed();
    return fd < 0 ? -1 : fd;
}

bool FClose(int handle)
{
    if (handle < 0) {
        failWith(EBADF);
        return false;
    }
    if (::close(handle) != 0) {
        failFromErrno();
        return false;
    }
    succeed();
    return true;
}

bool FCommit(int handle)
{
    if (::fsync(handle) != 0 && errno != EINVAL) {
        failFromErrno();
        return false;
    }
    succeed();
    return true;
}

bool FEof(int handle)
{
    struct stat st {};
    if (handle < 0 || ::fstat(handle, &st) != 0)
        return true;
    const off_t pos = ::lseek(handle, 0, SEEK_CUR);
    if (pos < 0)
        return true;
    // Devices and pipes have no size: their end is not known beforehand.
    if (!S_ISREG(st.st_mode))
        return false;
    return pos >= st.st_size;
}

QString FGetS(int handle, int maxLength)
{
    if (handle < 0) {
        failWith(EBADF);
        return {};
    }
    const off_t start = ::lseek(handle, 0, SEEK_CUR);
    // One byte more than the line may hold, so a CR LF right behind a full
    // line is still taken with it.
    const QByteArray bytes = readBytes(handle, qint64(std::max(maxLength, 0)) + 2);
    if (bytes.isEmpty())
        return {};
    const int saved = lastError;
    qsizetype end = bytes.indexOf('\n');
    qsizetype next = end + 1;
    if (end < 0 || end > maxLength + 1) {
        end = std::min<qsizetype>(bytes.size(), maxLength);
        next = end;
    }
    QByteArray line = bytes.left(end);
    if (line.endsWith('\r') && next == end + 1)
        line.chop(1);
    if (line.size() > maxLength) {
        line.truncate(maxLength);
        next = maxLength;
    }
    if (start >= 0)
        ::lseek(handle, start + next, SEEK_SET);
    lastError = saved;
    return cp1254::decode(line);
}

qint64 FPutS(int handle, const QString& text, qint64 count)
{
    return writeBytes(handle, cp1254::encode(clampedLeft(text, count)) + "\r\n");
}

qint64 FRead(int handle, QString& buffer, qint64 count) { return fillBuffer(handle, buffer, count); }

QString FReadStr(int handle, qint64 count) { return cp1254::decode(readBytes(handle, count)); }

qint64 FReadText(int handle, QString& buffer, qint64 count) { return fillBuffer(handle, buffer, count); }

bool FRewind(int handle) { return FSeek(handle, 0, fo::FromStart) == 0; }

qint64 FSeek(int handle, qint64 offset, int origin)
{
    const int whence = origin == fo::FromCurrent ? SEEK_CUR : origin == fo::FromEnd ? SEEK_END : SEEK_SET;
    const off_t pos = ::lseek(handle, offset, whence);
    if (pos < 0) {
        failFromErrno();
        return -1;
    }
    succeed();
    return pos;
}

qint64 FTell(int handle)
{
    const int saved = lastError;
    const off_t pos = ::lseek(handle, 0, SEEK_CUR);
    lastError = saved;
    return pos;
}

qint64 FWrite(int handle, const QString& text, qint64 count)
{
    return writeBytes(handle, cp1254::encode(clampedLeft(text, count)));
}

qint64 FWriteText(int handle, const QString& text, qint64 count) { return FWrite(handle, text, count); }

int FError() { return lastError; }

QString DosErrString(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

bool FILESPEC::FIND() const { return !path_.isEmpty() && QFileInfo::exists(path_); }

}  // namespace zeva
