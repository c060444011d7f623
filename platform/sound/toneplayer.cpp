#include "platform/sound/toneplayer.h"

#include <pulse/context.h>
#include <pulse/mainloop.h>
#include <pulse/sample.h>
#include <pulse/simple.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <numbers>
#include <string>
#include <system_error>

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

namespace {

// The desktop's sound server through libpulse's simple API.
class ServerToneSink : public ToneSink {
public:
    bool sound(const std::vector<Tone>& tones) override
    {
        if (!tried_) {
            tried_ = true;
            answers_ = serverAnswers();
        }
        return answers_ && play(tones);
    }

private:
    bool serverAnswers();
    bool play(const std::vector<Tone>& tones);

    bool tried_ = false;
    bool answers_ = false;
    // The server the first try reached; the streams go to that one.
    std::string serverName_;
};

// Connects once to the server, without starting one, and waits for it at
// most kToneServerLimitMilliseconds: the simple API has no time limit of its
// own, so it is only used once the server has answered here.
bool ServerToneSink::serverAnswers()
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

// One stream for the tones that are waiting: written whole, one tone after
// the other, then drained, so the call returns once they have been played.
bool ServerToneSink::play(const std::vector<Tone>& tones)
{
    std::vector<std::int16_t> samples;
    for (const Tone& t : tones) {
        const std::vector<std::int16_t> s = toneSamples(t.frequency, t.milliseconds);
        samples.insert(samples.end(), s.begin(), s.end());
    }
    if (samples.empty())
        return true;
    pa_sample_spec sampleFormat{};
    sampleFormat.format = PA_SAMPLE_S16LE;
    sampleFormat.rate = kToneRate;
    sampleFormat.channels = 1;
    const std::size_t bytes = samples.size() * sizeof(std::int16_t);
    // The server holds all the tones before they start, so a late write
    // cannot break them up; a buffer no longer than that keeps the latency
    // short.
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

}  // namespace

std::unique_ptr<ToneSink> makeServerToneSink()
{
    return std::make_unique<ServerToneSink>();
}

// What the caller and the player's thread share. The thread holds it too, so
// it outlives a player that let its thread go.
struct TonePlayer::Shared {
    std::unique_ptr<ToneSink> sink;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Tone> waiting;
    bool sounding = false;  // the sink has tones and has not returned
    bool stop = false;
    Server server = Server::Untried;
};

TonePlayer::TonePlayer(PauseFunction pause) : TonePlayer(makeServerToneSink(), std::move(pause)) {}

TonePlayer::TonePlayer(std::unique_ptr<ToneSink> sink, PauseFunction pause)
    : pause_(std::move(pause)), shared_(std::make_shared<Shared>())
{
    shared_->sink = std::move(sink);
    if (!pause_)
        pause_ = [](int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); };
}

TonePlayer::~TonePlayer()
{
    if (!thread_.joinable())
        return;
    bool sounding = false;
    {
        std::lock_guard lock(shared_->mutex);
        shared_->stop = true;
        shared_->waiting.clear();
        sounding = shared_->sounding;
    }
    shared_->changed.notify_all();
    // A thread between two sinks' calls ends at once; one inside the sink
    // may never come back (a server that stopped answering).
    if (sounding)
        thread_.detach();
    else
        thread_.join();
}

void TonePlayer::play(int frequency, int milliseconds)
{
    if (milliseconds <= 0)
        return;
    {
        std::lock_guard lock(shared_->mutex);
        if (shared_->sink && shared_->server != Server::Failed &&
            shared_->waiting.size() < static_cast<std::size_t>(kToneQueueLimit)) {
            shared_->waiting.push_back({frequency, milliseconds});
            if (!thread_.joinable()) {
                try {
                    thread_ = std::thread(playTones, shared_);
                } catch (const std::system_error&) {
                    // No thread to play on: the tones stay silent.
                    shared_->waiting.clear();
                    shared_->server = Server::Failed;
                }
            }
        }
    }
    shared_->changed.notify_all();
    pause_(milliseconds);
}

TonePlayer::Server TonePlayer::server() const
{
    std::lock_guard lock(shared_->mutex);
    return shared_->server;
}

void TonePlayer::flush()
{
    std::unique_lock lock(shared_->mutex);
    shared_->changed.wait(lock, [&] { return shared_->waiting.empty() && !shared_->sounding; });
}

void TonePlayer::playTones(std::shared_ptr<Shared> s)
{
    std::unique_lock lock(s->mutex);
    for (;;) {
        s->changed.wait(lock, [&] { return s->stop || !s->waiting.empty(); });
        if (s->stop)
            return;
        const std::vector<Tone> tones(s->waiting.begin(), s->waiting.end());
        s->waiting.clear();
        s->sounding = true;
        lock.unlock();
        const bool played = s->sink->sound(tones);
        lock.lock();
        s->sounding = false;
        s->server = played ? Server::Answers : Server::Failed;
        if (!played)
            s->waiting.clear();
        s->changed.notify_all();
    }
}

TonePlayer& desktopTonePlayer()
{
    static TonePlayer player;
    return player;
}

}  // namespace zeva
