#pragma once
// Single instance: one copy of the program per user holds an exclusive lock on
// a file in the runtime folder for as long as it runs. The kernel drops the
// lock when the process ends, also when it crashes or is killed.

#include <QString>

namespace zeva {

// The lock file for `name`: $XDG_RUNTIME_DIR/<name>.lock, or, when that is not
// set, <temporary folder>/<name>-<user id>.lock.
QString instanceLockPath(const QString& name);

// Takes the lock for `name` and keeps it for the rest of the process. TRUE
// when another holder has it, also a second call in the same process, and when
// the lock file cannot be opened (the program then refuses to start rather than
// run twice).
bool takeInstanceLock(const QString& name);

}  // namespace zeva
