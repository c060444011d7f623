#pragma once
// Reading a whole file that must be a plain file on disk: a table, a settings
// or initialisation file, a report. A name may stand for something else: a
// named pipe (whose open waits for a writer for good), a device such as
// /dev/zero (whose reading never ends) or a folder. Those are refused before
// a byte is read, and so is a file larger than its kind can be, so that a
// reader always returns, with the bytes or with a reason it can show.

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace zeva {

// The largest file the program reads whole: a dBASE table's own limit.
inline constexpr qint64 kMaxDataFileSize = 0x7FFFFFFFLL;
// The largest settings or initialisation file.
inline constexpr qint64 kMaxSettingsFileSize = 16LL * 1024 * 1024;

enum class FileRead {
    Read,        // the bytes were read
    Missing,     // nothing at the name
    NotRegular,  // a pipe, a device, a socket or a folder
    TooLarge,    // larger than `maxSize`
    Failed,      // no permission, an input/output error
};

// Reads the file at `path` (a link is followed) into `bytes`. A name that
// does not stand for a plain file, or one larger than `maxSize`, is refused
// without waiting on it. Anything but Read leaves `bytes` empty and, when
// `error` is given, says why in the program's words. `opened`, when given,
// gets the state of the very file read.
FileRead readRegularFile(const QString& path, QByteArray* bytes, qint64 maxSize = kMaxDataFileSize,
                         QString* error = nullptr, struct stat* opened = nullptr);

// The reason readRegularFile would refuse the name for, found by a look
// alone (nothing is opened): the name stands for no plain file, or for one
// larger than `maxSize`. Empty when it is a plain file of a fitting size or
// nothing is there. For callers that show it under their own message.
QString plainFileRefusal(const QString& path, qint64 maxSize = kMaxDataFileSize);

}  // namespace zeva
