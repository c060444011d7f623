#include "platform/sound/toneplayer.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/sample.h>
#include <pulse/simple.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>
#include <thread>

namespace zeva {

namespace {

constexpr pa_usec_t kLatencyMicroseconds = 30000;

}  // namespace

std::vector<std::int16_t> toneSamples(int frequency, int milliseconds, int rate)
{
    if (milliseconds <= 0 || rate <= 0)
        return {};
    const auto count = static_cast<std::size_t>(static_cast<long long>(milliseconds) * rate / 1000);
    std::vector<std::int16_t> samples(count, 0);
    if (frequency <= 0 || 2LL * frequency >= rate)
        return samples;
    // A raised-cosine ramp at each end, no longer than half the tone.
    const std::size_t fade = std::min<std::size_t>(static_cast<std::size_t>(rate) * kToneFadeMilliseconds / 1000,
                                                   count / 2);
    const double step = 2 * std::numbers::pi * frequency / rate;
    const double peak = kToneLevel * 32767;
    for (std::size_t n = 0; n < count; ++n) {
        double gain = 1;
        const std::size_t fromEnd = count - 1 - n;
        if (fade > 0 && std::min(n, fromEnd) < fade)
            gain = 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(std::min(n, fromEnd)) / fade);
        samples[n] = static_cast<std::int16_t>(std::lround(peak * gain * std::sin(step * static_cast<double>(n))));
    }
    return samples;
}

TonePlayer::TonePlayer(PauseFunction pause) : pause_(std::move(pause))
{
    if (!pause_)
        pause_ = [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
}

TonePlayer::Path TonePlayer::play(int frequency, int milliseconds)
{
    if (milliseconds <= 0)
        return Path::Nothing;
    if (server_ == Server::Untried)
        server_ = serverAnswers() ? Server::Answers : Server::Failed;
    if (server_ == Server::Answers) {
        if (sound(frequency, milliseconds))
            return Path::Sound;
        server_ = Server::Failed;
    }
    pause_(milliseconds);
    return Path::Pause;
}

// Connects once to the server, without starting one, and waits for it at
// most kToneServerLimitMilliseconds: the simple API has no time limit of its
// own, so it is only used once the server has answered here.
bool TonePlayer::serverAnswers()
{
    using Clock = std::chrono::steady_clock;
    pa_mainloop* loop = pa_mainloop_new();
    if (!loop)
        return false;
    bool ready = false;
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "zeva");
    if (context && pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const auto deadline = Clock::now() + std::chrono::milliseconds(kToneServerLimitMilliseconds);
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (state == PA_CONTEXT_READY) {
                ready = true;
                break;
            }
            if (!PA_CONTEXT_IS_GOOD(state))
                break;
            const auto left =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now()).count();
            if (left <= 0)
                break;
            if (pa_mainloop_prepare(loop, static_cast<int>(left)) < 0 || pa_mainloop_poll(loop) < 0 ||
                pa_mainloop_dispatch(loop) < 0)
                break;
        }
        if (ready) {
            const char* name = pa_context_get_server(context);
            serverName_ = name ? name : "";
        }
        pa_context_disconnect(context);
    }
    if (context)
        pa_context_unref(context);
    pa_mainloop_free(loop);
    return ready;
}

// One stream per tone: written whole, then drained, so the call returns once
// the tone has been played out.
bool TonePlayer::sound(int frequency, int milliseconds)
{
    const std::vector<std::int16_t> samples = toneSamples(frequency, milliseconds);
    pa_sample_spec sampleFormat{};
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = kToneRate;
    sampleFormat.channels = 1;
    const std::size_t bytes = samples.size() * sizeof(std::int16_t);
    // The server holds the whole tone before it starts, so a late write
    // cannot break it up; a buffer no longer than that keeps the latency
    // short (the server's default of seconds would keep the drain, and so
    // the caller, waiting long after the tone has been heard).
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = static_cast<std::uint32_t>(std::max(bytes, pa_usec_to_bytes(kLatencyMicroseconds, &sampleFormat)));
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    int error = 0;
    // Naming the server that answered keeps the library from starting one.
    pa_simple* stream = pa_simple_new(serverName_.empty() ? nullptr : serverName_.c_str(), "zeva",
                                      PA_STREAM_PLAYBACK, nullptr, "tone", &sampleFormat, nullptr, &buffer, &error);
    if (!stream)
        return false;
    const bool played = pa_simple_write(stream, samples.data(), bytes, &error) >= 0 &&
                        pa_simple_drain(stream, &error) >= 0;
    pa_simple_free(stream);
    return played;
}

TonePlayer& desktopTonePlayer()
{
    static TonePlayer player;
    return player;
}

}  // namespace zeva
