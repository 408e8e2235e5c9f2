#include "gui/delimited_text.h"

namespace korvane::gui {
namespace {

void AppendLine(std::string& text, const std::vector<std::string>& fields, char separator) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) text += separator;
    text += DelimitedField(fields[i], separator);
  }
  text += '\n';
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
  quoted += '"';
  return quoted;
}

std::string DelimitedText(const std::vector<std::string>& header, const std::vector<std::vector<std::string>>& rows,
                          char separator) {
  std::string text;
  AppendLine(text, header, separator);
  for (const auto& row : rows) AppendLine(text, row, separator);
  return text;
}

}  // namespace korvane::gui
