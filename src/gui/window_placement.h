#pragma once
/// Where a window opened from another one first appears.

class QWidget;

namespace korvane::gui {

/// Centres `window` over `owner` and keeps it inside the available area of
/// the owner's screen, so that a tall window never starts below the bottom
/// edge of a small screen. Call before the window is first shown.
void PlaceOver(QWidget& window, const QWidget& owner);

}  // namespace korvane::gui
