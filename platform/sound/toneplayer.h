#pragma once
// Tones through the desktop's sound server. A tone is a sine of the asked
// frequency and length, faded in and out, written to a playback stream and
// drained: the call returns once it has been heard. Where no server answers
// (no desktop, a test run, a server that hangs) the tone is a silent pause of
// the same length instead, and the server is not tried again for the run.

#include <cstdint>
#include <functional>
#include <string>
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

// The samples of a sine of `frequency` hertz lasting `milliseconds` at `rate`
// samples a second, rising from and falling back to zero over a few
// milliseconds at each end so that it starts and stops without a click.
// A frequency the rate cannot carry (zero or less, half the rate or more)
// gives silence of that length; a length of zero or less gives no samples.
std::vector<std::int16_t> toneSamples(int frequency, int milliseconds, int rate = kToneRate);

class TonePlayer {
public:
    // What a call to play() did.
    enum class Path { Nothing, Sound, Pause };
    // What is known of the sound server.
    enum class Server { Untried, Answers, Failed };
    using PauseFunction = std::function<void(int milliseconds)>;

    // `pause` takes the place of a tone that cannot sound; by default it
    // sleeps for the given time.
    explicit TonePlayer(PauseFunction pause = {});

    // Sounds one tone and returns when it has played, or when its silent
    // pause has passed. A length of zero or less does nothing.
    Path play(int frequency, int milliseconds);

    Server server() const { return server_; }

private:
    bool serverAnswers();
    bool sound(int frequency, int milliseconds);

    PauseFunction pause_;
    Server server_ = Server::Untried;
    // The server the first try reached; the streams go to that one.
    std::string serverName_;
};

// The player of the program's windows, one for the run, so that a server
// that failed once is not tried again.
TonePlayer& desktopTonePlayer();

}  // namespace zeva
