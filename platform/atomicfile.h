#pragma once
// Whole-file replacement that never leaves a half-written file behind: the
// bytes go into a temporary file in the target's folder, are flushed to disk,
// and the temporary file is renamed over the target. When any step fails the
// target keeps its old content (or stays absent) and the temporary file is
// removed.
//
// A file its user may not write is never replaced, although the rename would
// let anyone who may write the folder do it: the write fails and the file
// keeps its bytes. A file with no write bit at all counts as read-only for
// everyone, root included. A target that is a symbolic link is written
// through: the file it names is replaced (or created, when the link points to
// a file not there yet) and the link stays.

#include <QByteArray>
#include <QString>

namespace zeva {

// Writes `bytes` to `path` through a temporary file and a rename. An existing
// target keeps its permission bits. Returns false and sets `error` (when given)
// on failure.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// TRUE when `path` (through any symbolic links) names an existing file that
// writeFileAtomically refuses to replace: one without any write bit, or one
// this process may not write.
bool writeProtected(const QString& path);

// The file `path` stands for once its symbolic links are followed; `path`
// itself, made absolute, when it is no link.
QString linkedFilePath(const QString& path);

// Test-only fault injection. Tests run as root, where permission bits stop
// nothing, so a failure is made on request instead.
namespace testhooks {

enum class WriteFault {
    None,    // no fault pending
    Write,   // writing the temporary file fails
    Rename,  // the rename over the target fails
};

// The next call of writeFileAtomically after `skip` calls that succeed fails at
// `stage`. One fault at a time; a new request replaces a pending one.
void failAtomicWrite(WriteFault stage, int skip = 0);
// Drops a pending fault.
void clearAtomicWriteFault();
// TRUE while a requested fault has not fired yet.
bool atomicWriteFaultPending();

}  // namespace testhooks
}  // namespace zeva
