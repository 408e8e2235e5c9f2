#include "app/csv_text.h"

#include <charconv>
#include <map>

namespace korvane {
namespace {

std::string Number(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 10);
  return std::string(buffer, result.ptr);
}

}  // namespace

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string CsvRecord(const std::vector<std::string>& fields) {
  std::string record;
  for (std::size_t k = 0; k < fields.size(); ++k) {
    if (k > 0) record += ',';
    record += CsvField(fields[k]);
  }
  return record + "\r\n";
}

std::string ChartCsv(const std::string& xTitle, const std::vector<TChartSeries>& series) {
  std::vector<std::string> header{xTitle};
  std::map<double, std::vector<std::string>> rows;
  for (std::size_t s = 0; s < series.size(); ++s) {
    header.push_back(series[s].Name);
    for (const auto& [x, y] : series[s].Points) {
      auto& row = rows[x];
      row.resize(series.size());
      row[s] = Number(y);
    }
  }
  std::string text = CsvRecord(header);
  for (auto& [x, cells] : rows) {
    cells.resize(series.size());
    cells.insert(cells.begin(), Number(x));
    text += CsvRecord(cells);
  }
  return text;
}

}  // namespace korvane
