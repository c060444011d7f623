#pragma once
// The runtime's low-level file functions on POSIX descriptors. A handle is a
// descriptor, -1 for a failed open or create. FError() answers the last error
// of the calling thread (0 after a success); text goes in and out as
// Windows-1254.

#include <QByteArray>
#include <QString>

namespace zeva {

namespace fo {
// Open modes: the access bits count; the sharing bits (16, 32, 48, 64) are
// accepted and ignored, there is no mandatory sharing here.
constexpr int Read = 0;
constexpr int Write = 1;
constexpr int ReadWrite = 2;
// Create attributes: 1 makes the file read-only once closed.
constexpr int Normal = 0;
constexpr int ReadOnly = 1;
// Seek origins.
constexpr int FromStart = 0;
constexpr int FromCurrent = 1;
constexpr int FromEnd = 2;
}  // namespace fo

// The runtime's own error codes beside the system's.
constexpr int kDiskFull = 256;    // a full device, or fewer bytes written than asked
constexpr int kReadAtEof = 257;   // a read at the end of the file

// The default maximum line length of FGetS.
constexpr int kDefaultLineLength = 256;

int FOpen(const QString& path, int mode = fo::Read);
int FCreate(const QString& path, int attribute = fo::Normal);
bool FClose(int handle);
bool FCommit(int handle);
// TRUE at or past the end of the file, and for a handle that is not open.
bool FEof(int handle);
// One line without its CR LF or LF, at most `maxLength` bytes of it.
QString FGetS(int handle, int maxLength = kDefaultLineLength);
// The text (its first `count` characters when count >= 0) and CR LF; the
// number of bytes written, line end included.
qint64 FPutS(int handle, const QString& text, qint64 count = -1);
// Reads up to `count` bytes into the first characters of `buffer` (count is
// clamped to the buffer's length); the number of bytes read.
qint64 FRead(int handle, QString& buffer, qint64 count);
QString FReadStr(int handle, qint64 count);
qint64 FReadText(int handle, QString& buffer, qint64 count);
bool FRewind(int handle);
// The new position, -1 on failure.
qint64 FSeek(int handle, qint64 offset, int origin = fo::FromStart);
// The current position; does not change FError.
qint64 FTell(int handle);
// Writes the first `count` characters of `text` (clamped to its length); the
// number of bytes written.
qint64 FWrite(int handle, const QString& text, qint64 count);
qint64 FWriteText(int handle, const QString& text, qint64 count);
int FError();
QString DosErrString(int code);

// A file's full name: what the file object's base class holds.
class FILESPEC {
public:
    explicit FILESPEC(QString path = {}) : path_(std::move(path)) {}
    QString FULLPATH() const { return path_; }
    void setFullPath(const QString& path) { path_ = path; }
    bool FIND() const;

private:
    QString path_;
};

}  // namespace zeva
