// The tones: their samples; the player that holds its caller for the tone's
// length only, whatever the sink does; and the silent pause that stands in for
// them where no sound server answers. No test here opens a sound device: the
// sinks that block are fakes.
#include "platform/sound/toneplayer.h"

#include "support/envguard.h"
#include "support/heldtonesink.h"
#include "support/tempdir.h"

#include <QProcess>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <numbers>
#include <thread>

#include <gtest/gtest.h>

using namespace zeva;
using zeva::test::HeldSink;
using zeva::test::Watchdog;

namespace zeva {
void PrintTo(const Tone& t, std::ostream* os)
{
    *os << t.frequency << " Hz " << t.milliseconds << " ms";
}
}  // namespace zeva

namespace {

// Sign changes, skipping samples that are exactly zero.
int zeroCrossings(const std::vector<std::int16_t>& s)
{
    int crossings = 0;
    int last = 0;
    for (std::int16_t v : s) {
        const int sign = (v > 0) - (v < 0);
        if (sign != 0 && last != 0 && sign != last)
            ++crossings;
        if (sign != 0)
            last = sign;
    }
    return crossings;
}

// The frequency, in whole hertz, at which the spectrum of the samples peaks.
int spectrumPeak(const std::vector<std::int16_t>& s, int from, int to)
{
    int best = from;
    double bestPower = -1;
    for (int f = from; f <= to; ++f) {
        std::complex<double> sum;
        const double w = 2 * std::numbers::pi * f / kToneRate;
        for (std::size_t n = 0; n < s.size(); ++n)
            sum += static_cast<double>(s[n]) * std::polar(1.0, -w * static_cast<double>(n));
        if (std::norm(sum) > bestPower) {
            bestPower = std::norm(sum);
            best = f;
        }
    }
    return best;
}

const std::vector<Tone> kDoneTones{{300, 56}, {100, 56}, {300, 56}, {100, 56}};

}  // namespace

TEST(ToneSamples, FrequencyLengthLevelAndFades)
{
    struct Case {
        int frequency;
        int ms;
    };
    // The error tone, the two job-done tones, and a long one.
    for (const Case c : {Case{100, 167}, Case{300, 56}, Case{100, 56}, Case{440, 250}}) {
        SCOPED_TRACE(testing::Message() << c.frequency << " Hz, " << c.ms << " ms");
        const std::vector<std::int16_t> s = toneSamples(c.frequency, c.ms);
        ASSERT_EQ(s.size(), static_cast<std::size_t>(c.ms * kToneRate / 1000));
        const double seconds = static_cast<double>(s.size()) / kToneRate;

        // Two sign changes a period, give or take the one cut by an end.
        EXPECT_NEAR(zeroCrossings(s), 2 * c.frequency * seconds, 1.0);
        EXPECT_NEAR(spectrumPeak(s, c.frequency / 2, c.frequency * 2), c.frequency, c.frequency * 0.02);

        // Full level in the middle, from nothing at each end, never a jump
        // larger than the sine's own steepest step.
        const double peak = kToneLevel * 32767;
        const std::size_t fade = kToneRate * kToneFadeMilliseconds / 1000;
        int loudest = 0;
        int loudestEnd = 0;
        int steepest = 0;
        for (std::size_t n = 0; n < s.size(); ++n) {
            loudest = std::max(loudest, std::abs(int{s[n]}));
            if (n < fade / 5 || s.size() - n <= fade / 5)
                loudestEnd = std::max(loudestEnd, std::abs(int{s[n]}));
            if (n > 0)
                steepest = std::max(steepest, std::abs(s[n] - s[n - 1]));
        }
        EXPECT_NEAR(loudest, peak, peak * 0.01);
        EXPECT_LT(loudestEnd, peak * 0.1);  // the first and last millisecond
        EXPECT_EQ(s.front(), 0);
        EXPECT_LT(std::abs(int{s.back()}), peak * 0.01);
        EXPECT_LE(steepest, std::ceil(2 * std::numbers::pi * c.frequency / kToneRate * peak) + 1);
    }
}

TEST(ToneSamples, NothingToSoundGivesSilenceOrNothing)
{
    EXPECT_TRUE(toneSamples(300, 0).empty());
    EXPECT_TRUE(toneSamples(300, -5).empty());
    for (int frequency : {0, -100, kToneRate / 2}) {
        const std::vector<std::int16_t> s = toneSamples(frequency, 56);
        EXPECT_EQ(s.size(), static_cast<std::size_t>(56 * kToneRate / 1000));
        EXPECT_TRUE(std::all_of(s.begin(), s.end(), [](std::int16_t v) { return v == 0; })) << frequency;
    }
}

// A sink that does not return holds the player's thread, never the caller:
// every call returns after the pause of its own tone's length while the sink
// is still held, and the tones reach the sink in their order.
TEST(TonePlayer, CallerPausesForTheToneWhileTheSinkIsHeld)
{
    auto state = std::make_shared<HeldSink::State>();
    std::vector<int> pauses;
    {
        TonePlayer player(std::make_unique<HeldSink>(state), [&](int ms) { pauses.push_back(ms); });
        EXPECT_EQ(player.server(), TonePlayer::Server::Untried);
        auto sinkIsHeld = [&] {
            std::lock_guard lock(state->mutex);
            return state->inside && state->held;
        };
        {
            Watchdog watchdog(state);
            // The error tone: the sink takes it and holds on to it.
            player.play(100, 167);
            ASSERT_TRUE(state->waitFor([&] { return state->inside; }));
            EXPECT_TRUE(sinkIsHeld());
            // The four job-done tones, each returning with the sink held.
            for (const Tone& t : kDoneTones) {
                player.play(t.frequency, t.milliseconds);
                EXPECT_TRUE(sinkIsHeld());
            }
            EXPECT_EQ(pauses, (std::vector<int>{167, 56, 56, 56, 56}));
            std::lock_guard lock(state->mutex);
            EXPECT_EQ(state->calls, 1);
        }

        // Once the server answers again the tones come, late, in their order.
        state->release();
        player.flush();
        EXPECT_EQ(player.server(), TonePlayer::Server::Answers);
        std::vector<Tone> all{{100, 167}};
        all.insert(all.end(), kDoneTones.begin(), kDoneTones.end());
        EXPECT_EQ(state->tones, all);
        EXPECT_EQ(state->calls, 2);  // the four came while the first was held

        // A tone of no length neither sounds nor pauses.
        player.play(300, 0);
        player.play(300, -1);
        player.flush();
        EXPECT_EQ(state->tones.size(), all.size());
        EXPECT_EQ(pauses.size(), 5u);
    }
    EXPECT_TRUE(state->gone);  // an idle thread is ended with its player
}

// A server that never comes back: the tones beyond the few that wait are
// lost, and the player goes without waiting for its thread, which ends when
// the sink returns and sounds nothing more.
TEST(TonePlayer, StalledSinkLosesTonesAndLetsThePlayerGo)
{
    auto state = std::make_shared<HeldSink::State>();
    int pauses = 0;
    bool heldWhenGone = false;
    {
        Watchdog watchdog(state);
        {
            TonePlayer player(std::make_unique<HeldSink>(state), [&](int) { ++pauses; });
            player.play(300, 56);
            ASSERT_TRUE(state->waitFor([&] { return state->inside; }));
            for (int i = 0; i < 3 * kToneQueueLimit; ++i)
                player.play(100, 56);
            EXPECT_EQ(pauses, 1 + 3 * kToneQueueLimit);
        }  // the player ends while its sink is held
        std::lock_guard lock(state->mutex);
        heldWhenGone = state->held && !state->gone;
    }
    EXPECT_TRUE(heldWhenGone);
    state->release();
    ASSERT_TRUE(state->waitFor([&] { return state->gone; }));
    EXPECT_EQ(state->calls, 1);
    EXPECT_EQ(state->tones, (std::vector<Tone>{{300, 56}}));
}

// While the server is stalled only kToneQueueLimit tones wait: those that
// come later are dropped, those kept go to the server in their order once it
// answers, and the player takes tones again after that.
TEST(TonePlayer, StalledSinkKeepsTheFirstTonesUpToTheLimit)
{
    auto state = std::make_shared<HeldSink::State>();
    int pauses = 0;
    TonePlayer player(std::make_unique<HeldSink>(state), [&](int) { ++pauses; });
    {
        Watchdog watchdog(state);
        player.play(50, 10);
        ASSERT_TRUE(state->waitFor([&] { return state->inside; }));
        // Each tone its own frequency, so the kept ones can be told apart.
        for (int i = 1; i <= 3 * kToneQueueLimit; ++i)
            player.play(1000 + i, 10);
        EXPECT_EQ(pauses, 1 + 3 * kToneQueueLimit);
        std::lock_guard lock(state->mutex);
        EXPECT_EQ(state->calls, 1);
        EXPECT_TRUE(state->held);
    }
    state->release();
    player.flush();

    std::vector<Tone> expected{{50, 10}};
    for (int i = 1; i <= kToneQueueLimit; ++i)
        expected.push_back({1000 + i, 10});
    EXPECT_EQ(state->tones, expected);
    EXPECT_EQ(state->calls, 2);  // the kept tones came together, once
    EXPECT_EQ(player.server(), TonePlayer::Server::Answers);

    // Room again: the next tone is taken.
    player.play(2000, 10);
    player.flush();
    ASSERT_FALSE(state->tones.empty());
    EXPECT_EQ(state->tones.back(), (Tone{2000, 10}));
    EXPECT_EQ(state->tones.size(), expected.size() + 1);
}

// A sink that fails is not given another tone; the caller still pauses for
// every tone.
TEST(TonePlayer, FailedSinkIsNotTriedAgain)
{
    auto state = std::make_shared<HeldSink::State>();
    state->held = false;
    state->answer = false;
    std::vector<int> pauses;
    TonePlayer player(std::make_unique<HeldSink>(state), [&](int ms) { pauses.push_back(ms); });
    player.play(100, 167);
    player.flush();
    EXPECT_EQ(player.server(), TonePlayer::Server::Failed);
    for (const Tone& t : kDoneTones)
        player.play(t.frequency, t.milliseconds);
    player.flush();
    EXPECT_EQ(state->calls, 1);
    EXPECT_EQ(pauses, (std::vector<int>{167, 56, 56, 56, 56}));
}

// A program whose player's thread is held by a stalled server when it ends
// ends at once, with its own status.
TEST(TonePlayer, ProgramEndsWhileThePlayerIsHeld)
{
    QProcess program;
    program.start(QStringLiteral(ZEVA_BIN_DIR "/zeva_tonestall"), {});
    ASSERT_TRUE(program.waitForStarted());
    // Only a guard against a hang: a sound program ends long before.
    const bool ended = program.waitForFinished(60000);
    if (!ended) {
        program.kill();
        program.waitForFinished();
    }
    ASSERT_TRUE(ended) << "the program did not end";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_EQ(program.readAllStandardOutput(), QByteArray("held\n"));
}

// Without a server each tone is only its pause, in order, and the server is
// not tried again after the first failure.
TEST(TonePlayer, NoServerGivesThePauseOfEachTone)
{
    test::TempDir tmp;
    const QByteArray missing = "unix:" + tmp.file(QStringLiteral("no-server")).toUtf8();
    test::EnvGuard server("PULSE_SERVER", &missing);

    std::vector<int> pauses;
    TonePlayer player([&](int ms) { pauses.push_back(ms); });
    EXPECT_EQ(player.server(), TonePlayer::Server::Untried);
    player.play(100, 167);
    player.flush();
    EXPECT_EQ(player.server(), TonePlayer::Server::Failed);
    for (const Tone& t : kDoneTones)
        player.play(t.frequency, t.milliseconds);
    player.flush();
    EXPECT_EQ(player.server(), TonePlayer::Server::Failed);
    EXPECT_EQ(pauses, (std::vector<int>{167, 56, 56, 56, 56}));
}

TEST(TonePlayer, ToneOfNoLengthTriesNoServer)
{
    auto state = std::make_shared<HeldSink::State>();
    int pauses = 0;
    TonePlayer player(std::make_unique<HeldSink>(state), [&](int) { ++pauses; });
    player.play(300, 0);
    player.play(300, -1);
    player.flush();
    EXPECT_EQ(player.server(), TonePlayer::Server::Untried);
    EXPECT_EQ(state->calls, 0);
    EXPECT_EQ(pauses, 0);
}

// A server that takes the connection and never answers: the player's thread
// gives up after its time limit and never connects again; the caller only
// pauses.
TEST(TonePlayer, ServerThatNeverAnswersIsTriedOnce)
{
    test::TempDir tmp;
    const QByteArray path = tmp.file(QStringLiteral("hung")).toUtf8();
    const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
    ASSERT_GE(listener, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof(address.sun_path));
    std::copy(path.begin(), path.end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 8), 0);
    const QByteArray server = "unix:" + path;
    test::EnvGuard guard("PULSE_SERVER", &server);

    std::vector<int> pauses;
    TonePlayer player([&](int ms) { pauses.push_back(ms); });
    player.play(100, 167);
    player.flush();
    player.play(300, 56);
    player.flush();
    EXPECT_EQ(player.server(), TonePlayer::Server::Failed);
    EXPECT_EQ(pauses, (std::vector<int>{167, 56}));

    int connections = 0;
    for (int fd; (fd = ::accept(listener, nullptr, nullptr)) >= 0; ++connections)
        ::close(fd);
    EXPECT_EQ(connections, 1);
    ::close(listener);
}
