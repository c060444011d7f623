#pragma once
// Keeps a reader that waits for good from holding up the test run: a reader
// that waits on a named pipe, or one that never comes to the end of a device.
//
// PipeGuard watches a call made on the test's own thread: when the call has
// not returned within the limit, the guard notes the hang and opens the pipes
// for writing and closes them again, over and over, so that every reader
// waiting on them sees the end and the test can go on to report it.
// returnsPromptly() runs a call on a thread of its own; a call still running
// after the limit fails the test and ends the test program, as nothing can
// stop it. Neither is a timing check: the limit is many times what the call
// needs.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace zeva::test {

inline constexpr std::chrono::seconds kHangLimit{20};

class PipeGuard {
public:
    explicit PipeGuard(QStringList pipes) : pipes_(std::move(pipes))
    {
        watcher_ = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (wake_.wait_for(lock, kHangLimit, [this] { return stopped_; }))
                return;
            hung_ = true;
            while (!stopped_) {
                lock.unlock();
                for (const QString& p : pipes_) {
                    const int fd = ::open(QFile::encodeName(p).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                    if (fd >= 0)
                        ::close(fd);
                }
                lock.lock();
                wake_.wait_for(lock, std::chrono::milliseconds(10), [this] { return stopped_; });
            }
        });
    }
    ~PipeGuard() { stop(); }
    PipeGuard(const PipeGuard&) = delete;
    PipeGuard& operator=(const PipeGuard&) = delete;

    // TRUE when the call did not return within the limit. Stops the watch.
    bool hung()
    {
        stop();
        return hung_;
    }

private:
    void stop()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
        }
        wake_.notify_all();
        if (watcher_.joinable())
            watcher_.join();
    }

    QStringList pipes_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopped_ = false;
    std::atomic<bool> hung_{false};
    std::thread watcher_;
};

// Runs `call` on a thread of its own; false (after failing the test) when it
// throws. A call that has not returned within twice the limit (a PipeGuard
// around it lets its pipes go after one) ends the program.
inline bool returnsPromptly(const std::function<void()>& call, const char* what)
{
    auto done = std::async(std::launch::async, call);
    if (done.wait_for(2 * kHangLimit) != std::future_status::ready) {
        const long long seconds = (2 * kHangLimit).count();
        ADD_FAILURE() << what << ": still reading after " << seconds << " s";
        std::fprintf(stderr, "%s: still reading after %lld s\n", what, seconds);
        std::fflush(nullptr);
        std::_Exit(1);
    }
    try {
        done.get();
    } catch (const std::exception& e) {
        ADD_FAILURE() << what << ": " << e.what();
        return false;
    }
    return true;
}

}  // namespace zeva::test
