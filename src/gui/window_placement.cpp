#include "gui/window_placement.h"

#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace korvane::gui {

void PlaceOver(QWidget& window, const QWidget& owner) {
  QRect frame(QPoint(), window.size());
  frame.moveCenter(owner.frameGeometry().center());
  if (const QScreen* screen = owner.screen()) {
    // The frame (with its title bar) starts at the position; the client area
    // under it must end inside the screen.
    constexpr int kTitleBar = 32;
    const QRect available = screen->availableGeometry().adjusted(0, 0, 0, -kTitleBar);
    frame.moveLeft(std::clamp(frame.left(), available.left(), std::max(available.left(), available.right() - frame.width())));
    frame.moveTop(std::clamp(frame.top(), available.top(), std::max(available.top(), available.bottom() - frame.height())));
  }
  window.move(frame.topLeft());
}

}  // namespace korvane::gui
