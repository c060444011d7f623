#pragma once
// A tone sink that stands for a sound server that is slow or has stopped
// answering: it records the tones it is given and does not return while it is
// held. The watchdog lets it go when a test has not, so that a player that
// waits for its sink fails the test instead of hanging the suite.

#include "platform/sound/toneplayer.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zeva::test {

// A sink that records the tones it is given and, while it is held, does not
// return: a sound server that is slow or has stopped answering.
class HeldSink : public ToneSink {
public:
    struct State {
        std::mutex mutex;
        std::condition_variable changed;
        bool held = true;
        bool answer = true;
        int calls = 0;
        bool inside = false;
        bool gone = false;
        std::vector<Tone> tones;

        // Waits for `done`; gives up (and fails) rather than hang the suite
        // when the player never gets there.
        template <typename Done>
        bool waitFor(Done done)
        {
            std::unique_lock lock(mutex);
            return changed.wait_for(lock, std::chrono::seconds(60), done);
        }
        void release()
        {
            std::lock_guard lock(mutex);
            held = false;
            changed.notify_all();
        }
    };

    explicit HeldSink(std::shared_ptr<State> state) : s_(std::move(state)) {}
    ~HeldSink() override
    {
        std::lock_guard lock(s_->mutex);
        s_->gone = true;
        s_->changed.notify_all();
    }
    bool sound(const std::vector<Tone>& tones) override
    {
        std::unique_lock lock(s_->mutex);
        ++s_->calls;
        s_->inside = true;
        s_->tones.insert(s_->tones.end(), tones.begin(), tones.end());
        s_->changed.notify_all();
        s_->changed.wait(lock, [&] { return !s_->held; });
        s_->inside = false;
        s_->changed.notify_all();
        return s_->answer;
    }

private:
    std::shared_ptr<State> s_;
};

// Lets a held sink go when a test has not done so in time: a player that
// waits for its sink then fails the test instead of hanging the suite.
class Watchdog {
public:
    explicit Watchdog(std::shared_ptr<HeldSink::State> state)
        : state_(std::move(state)), thread_([this] {
              std::unique_lock lock(mutex_);
              if (!changed_.wait_for(lock, std::chrono::seconds(20), [this] { return done_; }))
                  state_->release();
          })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

private:
    std::shared_ptr<HeldSink::State> state_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    std::thread thread_;
};

}  // namespace zeva::test
