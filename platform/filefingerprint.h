#pragma once
// What a file held when the program read it, kept so that a later write over
// it can tell whether someone else changed it in the meantime: another
// program, or another session of this one on a shared data folder.
//
// The fingerprint is the file's size and a digest of its bytes. Before a
// write the file is looked at again: another size is a change; otherwise its
// bytes decide, whatever its modification time says: a change that keeps the
// size and falls within one tick of the clock, or whose writer set the old
// time back, is still seen, and a file only touched (a new time, the same
// bytes) is no change.
//
// Take the fingerprint of the very bytes that were parsed (read() does both
// in one read), so that a change between a look and a read cannot pass.

#include <QByteArray>
#include <QString>

namespace zeva {

class FileFingerprint {
public:
    // Nothing to compare: no path.
    FileFingerprint() = default;

    // Reads the file at `path` whole into `bytes` and fingerprints what was
    // read. FALSE (with `error`) when it cannot be read or is no plain file
    // (see regularfile.h); `fingerprint` then stands for a file that was not
    // read (see unread()).
    static bool read(const QString& path, QByteArray* bytes, FileFingerprint* fingerprint,
                     QString* error = nullptr);
    // The fingerprint of `bytes`, just written to (or read from) `path`.
    static FileFingerprint of(const QString& path, const QByteArray& bytes);
    // A file at `path` of which nothing was read: whatever is found there
    // later is not what the program holds.
    static FileFingerprint unread(const QString& path);

    const QString& path() const { return path_; }
    bool wasRead() const { return read_; }

    // TRUE when the file at path() is no longer what was read: its size or its
    // bytes differ (its time alone does not count), or it cannot be read to tell;
    // also when a file stands where none was read. A file gone since is no
    // change: a write over it loses nothing.
    bool changedOnDisk() const;

private:
    QString path_;
    bool read_ = false;
    qint64 size_ = -1;
    QByteArray digest_;
};

}  // namespace zeva
