#pragma once
// The tip-of-the-day texts, in their fixed order: tips 1 to 19 on linear
// programming for feed formulation, 20 to 43 on using the program, 44 on
// bringing a feed into the formula. Texts are UTF-8, each one paragraph.

#include <span>

namespace zeva::res {

std::span<const char* const> tipTexts();

}  // namespace zeva::res
