#pragma once
/// Read-only value texts of the pages and detail windows.

#include <QString>

class QFormLayout;
class QLabel;

namespace korvane::gui {

/// A row "caption value" in the form; the value, "N/A" at first, can be
/// selected and copied. `objectName` lets tests and accessibility tools
/// find it.
QLabel* AddValueRow(QFormLayout& form, const QString& caption, const QString& objectName);

}  // namespace korvane::gui
