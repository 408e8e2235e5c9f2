#include "gui/kinetic_settings_text.h"

#include <gtest/gtest.h>

namespace korvane::gui {
namespace {

TEST(KineticSettingsNumbers, TheSyntaxTakesTheCommaAndTheUsersSeparator) {
  const std::vector<std::tuple<const char*, char, std::optional<double>>> cases = {
      {"1050", ',', 1050.0},     {"-0,01", ',', -0.01},     {"6,159E-8", ',', 6.159e-8}, {"1e5", ',', 1e5},
      {"+2,5e+3", ',', 2500.0},  {"1.5", '.', 1.5},         {"1,5", '.', 1.5},           {"1.5", ',', std::nullopt},
      {",5", ',', std::nullopt}, {"1,", ',', std::nullopt}, {"", ',', std::nullopt},     {"-", ',', std::nullopt},
      {"1e", ',', std::nullopt}, {"1e-", ',', std::nullopt}, {"1,5,5", ',', std::nullopt}, {"1e5,5", ',', std::nullopt},
      {" 1", ',', std::nullopt}, {"1e999", ',', std::nullopt}, {"--1", ',', std::nullopt}, {"e5", ',', std::nullopt},
  };
  for (const auto& [text, separator, expected] : cases) {
    EXPECT_EQ(ReadRealNumber(text, separator), expected) << '"' << text << "\" with " << separator;
    // Only a value beyond the range of a double passes the syntax but reads as nothing.
    EXPECT_EQ(IsRealNumberText(text, separator), expected.has_value() || std::string_view(text) == "1e999") << text;
  }
}

TEST(KineticSettingsNumbers, FieldStatesCompareWithTheShownValue) {
  EXPECT_EQ(FieldState("1,5", 1.5, ','), TFieldState::Unchanged);
  EXPECT_EQ(FieldState("1,6", 1.5, ','), TFieldState::Changed);
  EXPECT_EQ(FieldState("1.5", 1.5, ','), TFieldState::Invalid);
  // 0.1 + 0.2 needs 17 digits; the field shows it as 0,3.
  EXPECT_EQ(FieldState("0,3", 0.1 + 0.2, ','), TFieldState::Unchanged);
}

TEST(KineticSettingsNumbers, GridReadingKeepsUntouchedValuesToTheLastDigit) {
  const std::vector<double> stored = {0.1 + 0.2, 2e13, 5.0};
  TGridReading reading = ReadGridValues(std::vector<std::string>{"0.3", "20000000000000", "5.00000001"}, stored, '.');
  EXPECT_EQ(reading.FirstInvalidRow, std::nullopt);
  EXPECT_EQ(reading.FirstChangedRow, 2u);
  EXPECT_NEAR(reading.LargestChange, 1e-8, 1e-15);
  EXPECT_EQ(reading.Values, (std::vector<double>{0.1 + 0.2, 2e13, 5.00000001}));

  reading = ReadGridValues(std::vector<std::string>{"0.3", "2e13", "x"}, stored, '.');
  EXPECT_EQ(reading.FirstInvalidRow, 2u);
  EXPECT_EQ(reading.FirstChangedRow, std::nullopt);  // "2e13" is the shown number
  EXPECT_TRUE(reading.Values.empty());
}

}  // namespace
}  // namespace korvane::gui
