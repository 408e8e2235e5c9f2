#pragma once
/// The number rules of the global kinetic settings window, without its
/// widgets: the syntax its fields accept, the state a radical activity field
/// is coloured by, and the reading of its two grids against the stored set.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane::gui {

/// The window's number syntax: an optional sign, digits, optionally a decimal
/// separator followed by digits, optionally "E" or "e" with an optional sign
/// and digits. The separator is the comma or `decimalSeparator` (the user's),
/// so "1,5" reads everywhere, "1.5" only where the point is the user's
/// separator; ",5", "1," and the empty text never.
bool IsRealNumberText(std::string_view text, char decimalSeparator);

/// The value of a text of that syntax; nothing for any other text or a value
/// beyond the range of a double.
std::optional<double> ReadRealNumber(std::string_view text, char decimalSeparator);

/// How a field showing a stored value looks after an edit.
enum class TFieldState {
  /// The text is no number (shown red).
  Invalid,
  /// The number is the one the field showed (normal colour).
  Unchanged,
  /// Another number (shown green).
  Changed,
};

/// The field's state; the stored value counts as shown with the window's
/// 15 significant digits, so a value that needs more is not "changed" by
/// merely being shown.
TFieldState FieldState(std::string_view text, double stored, char decimalSeparator);

/// The texts of a grid's value column read against the stored values.
struct TGridReading {
  /// The first row whose text is no number.
  std::optional<std::size_t> FirstInvalidRow;
  /// The first row whose number differs from the one shown.
  std::optional<std::size_t> FirstChangedRow;
  /// The largest difference between a typed number and its stored value.
  double LargestChange = 0.0;
  /// The values to store: the typed number of every changed row, the stored
  /// value (to the last digit) of every other. Empty when a row is invalid.
  std::vector<double> Values;
};

/// Reads `texts` (one per row) against `stored` (as many values).
TGridReading ReadGridValues(std::span<const std::string> texts, std::span<const double> stored, char decimalSeparator);

}  // namespace korvane::gui
