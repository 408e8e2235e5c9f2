#pragma once
/// Plain-text tables and the number format of the batch tool's readable
/// output.

#include <cstddef>
#include <string>
#include <vector>

namespace korvane {

/// The number rounded to 15 significant digits, in its shortest text
/// ("-167350", "3.5775e21"); "inf", "-inf" or "nan" for the values that
/// have no digits. The JSON output keeps every digit instead.
std::string NumberText(double value);

/// Columns padded to their widest cell and separated by two spaces; a row
/// shorter than the header leaves its last cells empty.
class TextTable {
 public:
  explicit TextTable(std::vector<std::string> headers);

  void AddRow(std::vector<std::string> cells);
  /// Pads the column on the left, as numbers are shown.
  void AlignRight(std::size_t column);
  std::size_t RowCount() const { return m_rows.size(); }
  /// The header line, then one line per row, each ending in "\n"; trailing
  /// spaces are trimmed.
  std::string Text() const;

 private:
  std::vector<std::string> m_headers;
  std::vector<std::vector<std::string>> m_rows;
  std::vector<bool> m_right;
};

}  // namespace korvane
