#include "app/chemkin_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/atom_types.h"

namespace korvane {
namespace {

std::string Padded(std::string text, std::size_t width) {
  text.resize(std::max(text.size(), width), ' ');
  return text;
}

std::string RightAligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// A fixed-point temperature as F10.3, or F8.2 for the common temperature,
// which then keeps a blank before it.
std::string Temperature(double value, std::size_t width, int decimals) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals).ptr;
  return RightAligned(std::string(buffer, end), width);
}

// Ends a line at column 79 and writes the record's line number in column 80.
std::string NumberedLine(std::string line, int number) { return Padded(std::move(line), 79) + std::to_string(number) + '\n'; }

}  // namespace

std::string ChemkinNumber(double value) {
  // to_chars never consults the locale; without a precision it gives the
  // shortest text that reads back exactly.
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific).ptr;
  std::string text(buffer, end);
  const std::size_t e = text.find('e');
  std::string mantissa = text.substr(0, e);
  if (mantissa.find('.') == std::string::npos) mantissa += ".0";
  return mantissa + "E" + text.substr(e + 1);
}

std::string ChemkinShortNumber(double value) {
  char buffer[64];
  auto rounded = [&buffer](double v) {
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::scientific,
                                             kExportedDigits - 1).ptr);
  };
  const std::string target = rounded(value);
  std::string best = ChemkinNumber(value);
  for (int digits = 1; digits <= kExportedDigits; ++digits) {
    std::string text(buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general,
                                           digits).ptr);
    double back = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    if (rounded(back) != target) continue;
    const std::size_t e = text.find('e');
    if (e != std::string::npos) text[e] = 'E';
    // CHEMKIN's readers take any real, but every number of the file keeps a point.
    if (text.find('.') == std::string::npos) text.insert(std::min(e, text.size()), ".0");
    if (text.size() < best.size()) best = std::move(text);
    break;
  }
  return best;
}

std::string ChemkinReactionLine(const std::string& equation, double a, double activationTemperature) {
  // The two blanks before the comment that follows stay within the record too.
  constexpr std::size_t budget = kChemkinLineLimit - 2;
  std::string line = equation;
  line.resize(std::max<std::size_t>(line.size(), 40), ' ');
  line += "  " + ChemkinNumber(a) + "  0.0  " + ChemkinNumber(activationTemperature);
  if (line.size() <= budget) return line;
  line = equation + " " + ChemkinNumber(a) + " 0.0 " + ChemkinNumber(activationTemperature);
  if (line.size() <= budget) return line;
  return equation + " " + ChemkinShortNumber(a) + " 0.0 " + ChemkinShortNumber(activationTemperature);
}

std::string ThermoNumber(double value) {
  if (!std::isfinite(value) || std::fabs(value) >= 1e100) return {};
  if (std::fabs(value) < 1e-99) value = 0.0;
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 8).ptr;
  std::string text(buffer, end);
  text[text.find('e')] = 'E';
  return RightAligned(text, 15);
}

std::vector<std::pair<std::string, int>> ElementComposition(const TMolecule& molecule) {
  int carbon = 0, hydrogen = 0, helium = 0, nitrogen = 0, oxygen = 0;
  for (std::uint8_t type : molecule.AtomTypes()) {
    carbon += type == kCarbon || type == kAromaticCarbon;
    hydrogen += type == kHydrogen;
    helium += type == kHelium;
    nitrogen += type == kNitrogen;
    oxygen += type == kOxygen;
  }
  std::vector<std::pair<std::string, int>> elements;
  for (const auto& [symbol, count] : {std::pair{"C", carbon}, {"H", hydrogen}, {"HE", helium}, {"N", nitrogen},
                                      {"O", oxygen}})
    if (count > 0) elements.emplace_back(symbol, count);
  return elements;
}

std::string ThermoRecord(const std::string& name, const std::vector<std::pair<std::string, int>>& elements,
                         const TSpeciesThermo& thermo) {
  const TNasaPolynomial& p = thermo.Polynomial;
  std::string first = Padded(name, 18) + Padded(thermo.Source.substr(0, 6), 6);
  for (std::size_t k = 0; k < 4; ++k)
    first += k < elements.size() ? Padded(elements[k].first, 2) + RightAligned(std::to_string(elements[k].second), 3)
                                 : std::string(5, ' ');
  first += "G" + Temperature(p.TLow, 10, 3) + Temperature(p.THigh, 10, 3) + Temperature(p.TCommon, 8, 2);

  // High range a1-a7, then low range a1-a7, five to a line.
  std::vector<double> coefficients(p.High.begin(), p.High.end());
  coefficients.insert(coefficients.end(), p.Low.begin(), p.Low.end());
  std::string record = NumberedLine(first, 1);
  for (int line = 0; line < 3; ++line) {
    std::string text;
    for (std::size_t k = 5 * static_cast<std::size_t>(line); k < std::min<std::size_t>(5 * (line + 1), 14); ++k) {
      const std::string number = ThermoNumber(coefficients[k]);
      if (number.empty()) return {};
      text += number;
    }
    record += NumberedLine(text, line + 2);
  }
  return record;
}

}  // namespace korvane
