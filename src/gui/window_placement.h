#pragma once
/// Where a window opened from another one first appears, and how every
/// window fits a small screen.

class QObject;
class QRect;
class QWidget;

namespace korvane::gui {

/// Centres `window` over `owner` and keeps it inside the available area of
/// the owner's screen, so that a tall window never starts below the bottom
/// edge of a small screen. Call before the window is first shown.
void PlaceOver(QWidget& window, const QWidget& owner);

/// Makes `window` fit `available` (a screen's available area): a window
/// whose content needs more room gets that content in a scroll area, then
/// the window is shrunk and moved inside. A window that fits is only moved
/// inside. The content moves into a scroll area at most once.
void FitInside(QWidget& window, const QRect& available);

/// An application-wide filter that fits every top-level window into its
/// screen when it is first shown (message boxes and file dialogs aside,
/// which fit themselves); later showings keep the size the user gave it.
/// Install it on the QApplication.
QObject* NewScreenFitFilter(QObject* parent);

}  // namespace korvane::gui
