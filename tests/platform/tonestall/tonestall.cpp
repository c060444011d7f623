// A program that ends while its tone player is held by a sound server that
// stopped answering: the player is a static of the program, as the windows'
// player is, and its sink never returns. It writes "held" once the sink has
// the tone, returns from main, and must end at once with status 0.
#include "platform/sound/toneplayer.h"

#include <condition_variable>
#include <cstdio>
#include <mutex>

namespace {

// Never destroyed, as the socket of a stalled server is no object of ours:
// the player's thread still waits on them while the program ends.
std::mutex& mutex = *new std::mutex;
std::condition_variable& changed = *new std::condition_variable;
bool held = false;

class StalledServer : public zeva::ToneSink {
public:
    bool sound(const std::vector<zeva::Tone>&) override
    {
        std::unique_lock lock(mutex);
        held = true;
        changed.notify_all();
        changed.wait(lock, [] { return false; });  // never answers
        return true;
    }
};

zeva::TonePlayer& player()
{
    static zeva::TonePlayer p(std::make_unique<StalledServer>(), [](int) {});
    return p;
}

}  // namespace

int main()
{
    player().play(300, 56);
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [] { return held; });
    }
    // More tones for the stalled server: they wait, or are dropped.
    for (int i = 0; i < 2 * zeva::kToneQueueLimit; ++i)
        player().play(100, 56);
    std::puts("held");
    std::fflush(stdout);
    return 0;
}
