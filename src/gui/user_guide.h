#pragma once
/// The desktop part of the user guide: the README's section on the desktop
/// program, which the help window shows.

#include <QString>

namespace korvane::gui {

/// The Markdown from the heading "## The desktop program" up to the next
/// heading of that level (its subsections included); empty when the text
/// has no such section.
QString DesktopGuide(const QString& readme);

}  // namespace korvane::gui
