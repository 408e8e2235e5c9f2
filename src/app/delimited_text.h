#pragma once
/// Tables as delimited text for spreadsheets: CSV files and the
/// tab-separated rows the clipboard carries. A field holding the separator,
/// a double quote, a line feed or a carriage return is enclosed in double
/// quotes with its quotes doubled; every line ends with "\n".

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvane {

/// One field, quoted where needed.
std::string DelimitedField(std::string_view field, char separator = ',');
/// One line: the fields joined by `separator`, ended by "\n".
std::string DelimitedRecord(const std::vector<std::string>& fields, char separator = ',');
/// The header line and then one line per row.
std::string DelimitedText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows,
                          char separator = ',');

/// One line of a chart, for its data as a table.
struct TChartSeries {
  std::string Name;
  std::vector<std::pair<double, double>> Points;
};

/// The chart's data as CSV: a header (`xTitle`, then each series' name), then
/// one line per distinct x in increasing order with each series' y there
/// (empty where a series has no point at that x). Numbers with 10
/// significant digits, "." as decimal separator.
std::string ChartCsv(const std::string& xTitle, const std::vector<TChartSeries>& series);

}  // namespace korvane
