#include "shell/splash.h"

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

namespace zeva {

MonotonicClock steadyClock()
{
    return [] {
        static QElapsedTimer timer = [] {
            QElapsedTimer t;
            t.start();
            return t;
        }();
        return timer.elapsed();
    };
}

Sleeper threadSleeper()
{
    return [](int ms) { QThread::msleep(static_cast<unsigned long>(std::max(ms, 0))); };
}

bool SplashTiming::expired() const
{
    return started_ && clock_() - shownAt_ >= kSplashLifeMs;
}

int SplashTiming::remainingMs() const
{
    if (!started_)
        return kSplashLifeMs;
    const qint64 left = kSplashLifeMs - (clock_() - shownAt_);
    return static_cast<int>(std::clamp<qint64>(left, 0, kSplashLifeMs));
}

}  // namespace zeva
