#include "core/windowplace.h"

#include <algorithm>
#include <cstdlib>

namespace zeva {

QPoint windowOrigin(QSize area, QSize window, int placement, std::optional<int> ox, std::optional<int> oy)
{
    const int fx = area.width() - window.width();
    const int fy = area.height() - window.height();
    const int dx = std::abs(ox.value_or(0));
    const int dy = std::abs(oy.value_or(0));
    // Offsets are limited to the free space; no space means no move.
    const int limX = std::min(dx, std::max(fx, 0));
    const int limY = std::min(dy, std::max(fy, 0));

    switch (placement) {
    case 1: return {limX, fy - limY};
    case 2: return {fx - limX, fy - limY};
    case 3: return {fx / 2 + std::min(dx, std::max(fx, 0) / 2), fy / 2 - std::min(dy, std::max(fy, 0) / 2)};
    case 4: return {fx - limX, limY};
    case 5: return {limX, limY};
    default: return {fx / 2 + limX, 6 * fy / 7 + std::min(oy.value_or(0), 0)};
    }
}

QPoint topLeftFromOrigin(QSize area, QSize window, QPoint origin)
{
    return {origin.x(), area.height() - origin.y() - window.height()};
}

}  // namespace zeva
