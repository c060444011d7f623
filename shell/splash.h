#pragma once
// The timing of the splash screen: it closes itself 3 seconds after it was
// shown, and the start-up is held for 2 seconds after showing it so that it is
// seen. The clock is injected so that tests run without waiting.

#include <QtGlobal>

#include <functional>

namespace zeva {

constexpr int kSplashLifeMs = 3000;
constexpr int kSplashHoldMs = 2000;
// How long the splash waits, at most, for the window system to let it paint.
constexpr int kSplashPaintWaitMs = 1000;

// Milliseconds on a monotonic clock.
using MonotonicClock = std::function<qint64()>;
// Blocks the thread for that many milliseconds.
using Sleeper = std::function<void(int)>;

MonotonicClock steadyClock();
Sleeper threadSleeper();

class SplashTiming {
public:
    explicit SplashTiming(MonotonicClock clock = steadyClock()) : clock_(std::move(clock)) {}

    // The splash is on screen from now.
    void shown() { shownAt_ = clock_(); started_ = true; }
    bool started() const { return started_; }
    // TRUE once 3 seconds have passed since shown().
    bool expired() const;
    // Milliseconds left until then (0 when expired, the whole life before shown()).
    int remainingMs() const;

private:
    MonotonicClock clock_;
    qint64 shownAt_ = 0;
    bool started_ = false;
};

}  // namespace zeva
