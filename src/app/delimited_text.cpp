#include "app/delimited_text.h"

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

std::string DelimitedField(std::string_view field, char separator) {
  if (field.find_first_of(std::string{separator, '"', '\n', '\r'}) == std::string_view::npos)
    return std::string(field);
  std::string quoted = "\"";
  for (const char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

std::string DelimitedRecord(const std::vector<std::string>& fields, char separator) {
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += separator;
    line += DelimitedField(fields[i], separator);
  }
  return line + '\n';
}

std::string DelimitedText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows,
                          char separator) {
  std::string text = DelimitedRecord(header, separator);
  for (const auto& row : rows) text += DelimitedRecord(row, separator);
  return text;
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
  std::string text = DelimitedRecord(header);
  for (auto& [x, cells] : rows) {
    cells.resize(series.size());
    cells.insert(cells.begin(), Number(x));
    text += DelimitedRecord(cells);
  }
  return text;
}

}  // namespace korvane
