#include "cli/text_table.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "cli/json_writer.h"

namespace korvane {

std::string NumberText(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  // At most 15 significant digits, as the windows show numbers: the digits
  // a double holds reliably, without the noise of the last binary place.
  std::array<char, 32> buffer{};
  const auto result =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 15);
  // Shortest form of the rounded value, e.g. "3.5775e21" rather than "3.5775e+21".
  double rounded = value;
  std::from_chars(buffer.data(), result.ptr, rounded);
  return JsonNumber(rounded);
}

TextTable::TextTable(std::vector<std::string> headers)
    : m_headers(std::move(headers)), m_right(m_headers.size(), false) {}

void TextTable::AddRow(std::vector<std::string> cells) {
  cells.resize(m_headers.size());
  m_rows.push_back(std::move(cells));
}

void TextTable::AlignRight(std::size_t column) {
  if (column < m_right.size()) m_right[column] = true;
}

std::string TextTable::Text() const {
  std::vector<std::size_t> widths(m_headers.size());
  for (std::size_t c = 0; c < m_headers.size(); ++c) {
    widths[c] = m_headers[c].size();
    for (const auto& row : m_rows) widths[c] = std::max(widths[c], row[c].size());
  }
  std::string text;
  auto appendLine = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t c = 0; c < cells.size(); ++c) {
      if (c > 0) line += "  ";
      const std::string padding(widths[c] - cells[c].size(), ' ');
      line += m_right[c] ? padding + cells[c] : cells[c] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + '\n';
  };
  appendLine(m_headers);
  for (const auto& row : m_rows) appendLine(row);
  return text;
}

}  // namespace korvane
