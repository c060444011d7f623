#pragma once
// The arithmetic of VQMOVEWINDOW: where a window of a given size goes inside a
// reference area (its owner's client area or the screen).
//
// The origin is the window's lower-left corner measured from the lower-left
// corner of the area, y growing upward. fx and fy are the free space (area
// minus window, negative when the window is larger).
//
//   1  top left          offsets move it right and down
//   2  top right         left and down
//   3  centred           right and down, each up to half the free space
//   4  bottom right      left and up
//   5  bottom left       right and up
//   other  centred across, a seventh of the free height below the top;
//          ox moves it right, a negative oy moves it down
// An offset never takes the window out of the area (signs are ignored but in
// the last row).

#include <QPoint>
#include <QSize>

#include <optional>

namespace zeva {

QPoint windowOrigin(QSize area, QSize window, int placement, std::optional<int> ox = {},
                    std::optional<int> oy = {});

// The top-left corner, y growing downward, of a window with that origin.
QPoint topLeftFromOrigin(QSize area, QSize window, QPoint origin);

}  // namespace zeva
