#include "gui/kinetic_settings_text.h"

#include <algorithm>
#include <cassert>
#include <cctype>
#include <cmath>

#include "reactions/kinpar_file.h"

namespace korvane::gui {
namespace {

enum class State {
  Start,
  AfterSign,
  IntegerDigits,
  AfterSeparator,
  FractionDigits,
  AfterE,
  ExponentSign,
  ExponentDigits
};

}  // namespace

bool IsRealNumberText(std::string_view text, char decimalSeparator) {
  State state = State::Start;
  for (const char c : text) {
    const bool sign = c == '+' || c == '-';
    const bool digit = std::isdigit(static_cast<unsigned char>(c)) != 0;
    const bool separator = c == ',' || c == decimalSeparator;
    const bool exponent = c == 'E' || c == 'e';
    switch (state) {
      case State::Start:
        if (sign)
          state = State::AfterSign;
        else if (digit)
          state = State::IntegerDigits;
        else
          return false;
        break;
      case State::AfterSign:
      case State::AfterSeparator:
        if (!digit) return false;
        state = state == State::AfterSign ? State::IntegerDigits : State::FractionDigits;
        break;
      case State::IntegerDigits:
        if (separator)
          state = State::AfterSeparator;
        else if (exponent)
          state = State::AfterE;
        else if (!digit)
          return false;
        break;
      case State::FractionDigits:
        if (exponent)
          state = State::AfterE;
        else if (!digit)
          return false;
        break;
      case State::AfterE:
        if (sign)
          state = State::ExponentSign;
        else if (digit)
          state = State::ExponentDigits;
        else
          return false;
        break;
      case State::ExponentSign:
      case State::ExponentDigits:
        if (!digit) return false;
        state = State::ExponentDigits;
        break;
    }
  }
  return state == State::IntegerDigits || state == State::FractionDigits || state == State::ExponentDigits;
}

std::optional<double> ReadRealNumber(std::string_view text, char decimalSeparator) {
  if (!IsRealNumberText(text, decimalSeparator)) return std::nullopt;
  // The syntax admits only "," and the user's separator, both of which the
  // kinetic parameter file's reader takes.
  const std::optional<double> value = ParseKinparNumber(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

namespace {

// The number a field shows for a stored value.
double Shown(double stored, char decimalSeparator) {
  return ReadRealNumber(FormatKinparNumber(stored, decimalSeparator), decimalSeparator).value_or(stored);
}

}  // namespace

TFieldState FieldState(std::string_view text, double stored, char decimalSeparator) {
  const std::optional<double> value = ReadRealNumber(text, decimalSeparator);
  if (!value) return TFieldState::Invalid;
  return *value == Shown(stored, decimalSeparator) ? TFieldState::Unchanged : TFieldState::Changed;
}

TGridReading ReadGridValues(std::span<const std::string> texts, std::span<const double> stored, char decimalSeparator) {
  assert(texts.size() == stored.size());
  TGridReading reading;
  std::vector<double> values(stored.begin(), stored.end());
  for (std::size_t row = 0; row < texts.size(); ++row) {
    const std::optional<double> value = ReadRealNumber(texts[row], decimalSeparator);
    if (!value) {
      if (!reading.FirstInvalidRow) reading.FirstInvalidRow = row;
      continue;
    }
    if (*value == Shown(stored[row], decimalSeparator)) continue;
    if (!reading.FirstChangedRow) reading.FirstChangedRow = row;
    reading.LargestChange = std::max(reading.LargestChange, std::fabs(*value - stored[row]));
    values[row] = *value;
  }
  if (!reading.FirstInvalidRow) reading.Values = std::move(values);
  return reading;
}

}  // namespace korvane::gui
