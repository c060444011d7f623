#pragma once
// Whole-file replacement that never leaves a half-written file behind: the
// bytes go into a temporary file in the target's folder, are flushed to disk,
// and the temporary file is renamed over the target. When any step fails the
// target keeps its old content (or stays absent) and the temporary file is
// removed.

#include <QByteArray>
#include <QString>

namespace zeva {

// Writes `bytes` to `path` through a temporary file and a rename. An existing
// target keeps its permission bits. Returns false and sets `error` (when given)
// on failure.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

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
