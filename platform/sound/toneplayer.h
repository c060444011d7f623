#pragma once
// Tones through the desktop's sound server. A tone is a sine of the asked
// frequency and length, faded in and out.
//
// The caller's wait is the tone's own length and nothing more: play() hands
// the tone to the player's thread, which sounds the tones one after the other
// in the order they came, and the caller pauses for the tone's length. A
// server that is slow or stops answering holds that thread, never the caller:
// its tones come late or not at all. Where no server answers (no desktop, a
// test run) the tones are only their silent pauses, and the server is not
// tried again for the run.

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace zeva {

// Samples per second of the tones: mono, signed 16-bit.
inline constexpr int kToneRate = 48000;
// Peak of a tone, as a part of full scale.
inline constexpr double kToneLevel = 0.5;
// Length of the fade at each end of a tone.
inline constexpr int kToneFadeMilliseconds = 5;
// How long the server has to answer the first time it is tried.
inline constexpr int kToneServerLimitMilliseconds = 500;
// Tones waiting for a server that is behind: more are dropped.
inline constexpr int kToneQueueLimit = 8;

// The samples of a sine of `frequency` hertz lasting `milliseconds` at `rate`
// samples a second, rising from and falling back to zero over a few
// milliseconds at each end so that it starts and stops without a click.
// A frequency the rate cannot carry (zero or less, half the rate or more)
// gives silence of that length; a length of zero or less gives no samples.
std::vector<std::int16_t> toneSamples(int frequency, int milliseconds, int rate = kToneRate);

struct Tone {
    int frequency = 0;
    int milliseconds = 0;
    bool operator==(const Tone&) const = default;
};

// What makes the tones heard. Called on the player's thread only, one call at
// a time, with the tones that are waiting, in their order.
class ToneSink {
public:
    virtual ~ToneSink() = default;
    // Sounds the tones one after the other and returns once they have
    // played. False when they cannot be: no more tones are sent then.
    virtual bool sound(const std::vector<Tone>& tones) = 0;
};

// The desktop's sound server, reached without starting one.
std::unique_ptr<ToneSink> makeServerToneSink();

class TonePlayer {
public:
    // What is known of the sink.
    enum class Server { Untried, Answers, Failed };
    using PauseFunction = std::function<void(int milliseconds)>;

    // `pause` is the caller's wait for each tone; by default it sleeps for
    // the given time. The tones go to the desktop's sound server, or to `sink`.
    explicit TonePlayer(PauseFunction pause = {});
    TonePlayer(std::unique_ptr<ToneSink> sink, PauseFunction pause = {});
    // Never waits for a sink that is still sounding: its thread is let go and
    // ends when the sink returns, dropping the tones still waiting.
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    // Hands one tone to the player's thread (dropped when the sink failed or
    // kToneQueueLimit tones are still waiting), then pauses for its length.
    // A length of zero or less does nothing.
    void play(int frequency, int milliseconds);

    Server server() const;

    // Waits until every tone handed over so far has gone to the sink or been
    // dropped. Blocks for as long as the sink does.
    void flush();

private:
    struct Shared;
    // The player's thread: hands the waiting tones to the sink, in their
    // order, until told to stop. It holds the shared state, never the player.
    static void playTones(std::shared_ptr<Shared> s);

    PauseFunction pause_;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

// The player of the program's windows, one for the run, so that a server
// that failed once is not tried again.
TonePlayer& desktopTonePlayer();

}  // namespace zeva
