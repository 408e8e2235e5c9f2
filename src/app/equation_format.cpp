#include "app/equation_format.h"

#include <charconv>
#include <cmath>

namespace korvane {

std::string FormatEquationNumber(double value) {
  // Parameters are finite in every sound table; a damaged one still gets a
  // readable token instead of an empty text.
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";

  // to_chars never consults the locale, so "." holds under any user setting.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 15);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::string_view exponent = text.substr(e + 2);
  while (exponent.size() > 1 && exponent.front() == '0') exponent.remove_prefix(1);

  std::string out(text.substr(0, e));
  out += 'E';
  out += text[e + 1];
  out += exponent;
  return out;
}

std::vector<std::string> SplitEquationLine(std::string_view line) {
  std::vector<std::string> pieces;
  while (line.size() >= kEquationLineLimit) {
    std::size_t cut = 0;
    // Zero-based index of the 1-based positions kEquationSplitFrom..kEquationLineLimit.
    for (std::size_t i = kEquationSplitFrom - 1; i < kEquationLineLimit; ++i) {
      if ((line[i] == '+' || line[i] == '-') && line[i - 1] != 'E') {
        cut = i;
        break;
      }
    }
    // Without a place to split, the whole line is still valid code; dropping
    // it would lose an equation.
    if (cut == 0) break;
    pieces.emplace_back(line.substr(0, cut));
    line.remove_prefix(cut);
  }
  pieces.emplace_back(line);
  return pieces;
}

void WriteEquationLine(TByteSink& sink, std::string_view line, bool split) {
  if (split && line.size() >= kEquationLineLimit) {
    for (const std::string& piece : SplitEquationLine(line)) {
      sink.Write(piece);
      sink.Write("\r\n");
    }
    return;
  }
  sink.Write(line);
  sink.Write("\r\n");
}

std::string JoinEquationLines(const std::vector<std::string>& lines, bool split) {
  TStringSink sink;
  for (const std::string& line : lines) WriteEquationLine(sink, line, split);
  return std::move(sink.Text());
}

}  // namespace korvane
