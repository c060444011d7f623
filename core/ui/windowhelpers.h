#pragma once
// Placing windows relative to their owner (see core/windowplace.h).

#include <QPoint>

#include <optional>

class QWidget;

namespace zeva {

// Moves `window` inside its reference area: for a child widget (an MDI child)
// its parent's client area; for a top-level window with an owner the owner's
// client area (the central widget of a main window); without an owner the
// screen. Returns the new origin: the lower-left corner, y growing upward.
QPoint VQMOVEWINDOW(QWidget* window, int placement = 0, std::optional<int> ox = {}, std::optional<int> oy = {});

}  // namespace zeva
