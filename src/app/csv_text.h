#pragma once
/// Comma-separated text for spreadsheets (RFC 4180): a field holding a
/// comma, a double quote or a line break is quoted, its quotes doubled.

#include <string>
#include <string_view>
#include <vector>

namespace korvane {

/// One field, quoted where needed.
std::string CsvField(std::string_view text);
/// One record: the fields joined by commas, ended by CR LF.
std::string CsvRecord(const std::vector<std::string>& fields);

/// One line of a chart, for its data as a table.
struct TChartSeries {
  std::string Name;
  std::vector<std::pair<double, double>> Points;
};

/// The chart's data as CSV: a header (`xTitle`, then each series' name), then
/// one record per distinct x in increasing order with each series' y there
/// (empty where a series has no point at that x). Numbers with 10
/// significant digits, "." as decimal separator.
std::string ChartCsv(const std::string& xTitle, const std::vector<TChartSeries>& series);

}  // namespace korvane
