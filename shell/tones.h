#pragma once
// Tone durations are counted in eighteenths of a second.

namespace zeva {

// Milliseconds a tone of that duration lasts (negative durations last 0).
int toneMilliseconds(int duration);

}  // namespace zeva
