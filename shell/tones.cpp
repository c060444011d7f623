#include "shell/tones.h"

namespace zeva {

int toneMilliseconds(int duration)
{
    return duration > 0 ? (duration * 1000 + 9) / 18 : 0;
}

}  // namespace zeva
