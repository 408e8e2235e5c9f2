#pragma once
/// Tables as delimited text: CSV files and the tab-separated rows the
/// clipboard carries to spreadsheets. Qt-free.

#include <string>
#include <string_view>
#include <vector>

namespace korvane::gui {

/// The field as a spreadsheet reads it back: a field holding the separator,
/// a double quote, a line feed or a carriage return is enclosed in double
/// quotes with its quotes doubled; any other field is written as it is.
std::string DelimitedField(std::string_view field, char separator);

/// The header line and then one line per row, fields joined by
/// `separator`, every line ended by "\n".
std::string DelimitedText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows,
                          char separator);

}  // namespace korvane::gui
