// The tones: their samples, and the silent pause that stands in for them
// where no sound server answers. No test here opens a sound device.
#include "platform/sound/toneplayer.h"

#include "support/envguard.h"
#include "support/tempdir.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <numbers>

#include <gtest/gtest.h>

using namespace zeva;

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

// Without a server each tone is a pause of its own length, in order, and the
// server is not tried again after the first failure.
TEST(TonePlayer, NoServerGivesThePauseOfEachTone)
{
    test::TempDir tmp;
    const QByteArray missing = "unix:" + tmp.file(QStringLiteral("no-server")).toUtf8();
    test::EnvGuard server("PULSE_SERVER", &missing);

    std::vector<int> pauses;
    TonePlayer player([&](int ms) { pauses.push_back(ms); });
    EXPECT_EQ(player.server(), TonePlayer::Server::Untried);
    EXPECT_EQ(player.play(100, 167), TonePlayer::Path::Pause);
    EXPECT_EQ(player.server(), TonePlayer::Server::Failed);
    for (auto [frequency, ms] : {std::pair{300, 56}, {100, 56}, {300, 56}, {100, 56}})
        EXPECT_EQ(player.play(frequency, ms), TonePlayer::Path::Pause);
    EXPECT_EQ(pauses, (std::vector<int>{167, 56, 56, 56, 56}));

    // A tone of no length neither sounds nor pauses.
    EXPECT_EQ(player.play(300, 0), TonePlayer::Path::Nothing);
    EXPECT_EQ(pauses.size(), 5u);
}

TEST(TonePlayer, ToneOfNoLengthTriesNoServer)
{
    int pauses = 0;
    TonePlayer player([&](int) { ++pauses; });
    EXPECT_EQ(player.play(300, 0), TonePlayer::Path::Nothing);
    EXPECT_EQ(player.play(300, -1), TonePlayer::Path::Nothing);
    EXPECT_EQ(player.server(), TonePlayer::Server::Untried);
    EXPECT_EQ(pauses, 0);
}

// A server that takes the connection and never answers: the player gives up
// after its time limit, pauses instead, and never connects again.
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
    EXPECT_EQ(player.play(100, 167), TonePlayer::Path::Pause);
    EXPECT_EQ(player.play(300, 56), TonePlayer::Path::Pause);
    EXPECT_EQ(player.server(), TonePlayer::Server::Failed);
    EXPECT_EQ(pauses, (std::vector<int>{167, 56}));

    int connections = 0;
    for (int fd; (fd = ::accept(listener, nullptr, nullptr)) >= 0; ++connections)
        ::close(fd);
    EXPECT_EQ(connections, 1);
    ::close(listener);
}
