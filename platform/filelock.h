#pragma once
// An exclusive lock on a shared file or folder for the time of one
// read-test-write, so that two copies of the program working on one data
// folder do not interleave their updates. The lock is an advisory flock on the
// file or folder itself: nothing is left beside it, and the kernel drops the
// lock when its holder ends, also on a crash. Writers replace files through a
// temporary file and a rename; a taker whose lock landed on a file no longer
// at the name takes it again on the file there now.

#include <QString>

namespace zeva {

class FileLock {
public:
    enum class State {
        Held,         // the lock is ours until the object goes
        Unsupported,  // the file system keeps no locks: go on without one
        Busy,         // another holder kept it for the whole wait
        NoFile,       // it cannot be opened (missing, unreadable, neither a
                      // plain file nor a folder)
    };

    // Waits at most `waitMs` milliseconds for the lock (0: one try).
    FileLock(const QString& path, int waitMs);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    State state() const { return state_; }
    bool busy() const { return state_ == State::Busy; }

private:
    int fd_ = -1;
    State state_ = State::NoFile;
};

// TRUE when a lock call's failure (its errno `error`) says that the file
// system keeps no locks for descriptor `fd`: none at all (ENOLCK,
// EOPNOTSUPP), or, on an NFS mount, none of the exclusive kind on a
// descriptor open only for reading (EBADF).
bool lockUnsupported(int error, int fd);

}  // namespace zeva
