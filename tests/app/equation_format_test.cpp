#include "app/equation_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <regex>

namespace korvane {
namespace {

TEST(EquationNumber, SixteenDigitsShortExponentAndRoundTrip) {
  const std::pair<double, const char*> examples[] = {
      {8.314472, "8.314472000000000E+0"}, {2.5e13, "2.500000000000000E+13"}, {-1.0, "-1.000000000000000E+0"},
      {0.0, "0.000000000000000E+0"},      {1.5e-7, "1.500000000000000E-7"},  {1e-300, "1.000000000000000E-300"},
      {2.0 / 3.0, "6.666666666666666E-1"},  // rounded, not truncated
      {0.1 + 0.2, "3.000000000000000E-1"},  {123456789012345678.0, "1.234567890123457E+17"}};
  for (const auto& [value, text] : examples) EXPECT_EQ(FormatEquationNumber(value), text);

  const std::regex form(R"(-?[0-9]\.[0-9]{15}E[+-](0|[1-9][0-9]*))");
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-320, 300);
  for (int n = 0; n < 2000; ++n) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    const std::string text = FormatEquationNumber(value);
    ASSERT_TRUE(std::regex_match(text, form)) << text;
    double back = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    // Subnormal values carry fewer exact digits.
    EXPECT_NEAR(back, value, std::fabs(value) >= 1e-300 ? std::fabs(value) * 6e-16 : 1e-315) << text;
  }
}

std::string X(std::size_t n, char c = 'x') { return std::string(n, c); }

TEST(EquationLineSplit, BeforeTheFirstSignFrom900To1024NotAfterAnE) {
  const std::pair<std::string, std::vector<std::size_t>> cases[] = {
      {X(949) + "+" + X(73), {1023}},                 // below the limit
      {X(949) + "+" + X(74), {949, 75}},              // a "+" at 950 of 1024
      {X(898) + "-" + X(125) + "-" + X(10), {1035}},  // signs at 899 and 1025: outside
      {X(899) + "-" + X(200), {899, 201}},            // 900 is inside
      {X(1023) + "-" + X(10), {1023, 11}},            // 1024 is inside
      {X(949) + "+" + X(2000), {949, 2001}},          // the rest has no split position
      // "E+" at 899/900 and "E-" at 949/950: the first sign allowed is the "+" at 1000.
      {X(898, '1') + "E+" + X(48, '1') + "E-" + X(49, '1') + "+" + X(100, '1'), {999, 101}},
  };
  for (const auto& [line, sizes] : cases) {
    const auto pieces = SplitEquationLine(line);
    std::vector<std::size_t> actual;
    std::string joined;
    for (const std::string& piece : pieces) actual.push_back(piece.size()), joined += piece;
    EXPECT_EQ(actual, sizes) << line.size();
    EXPECT_EQ(joined, line);
  }
  const std::string twice = X(949) + "+" + X(949) + "-" + X(200);
  EXPECT_EQ(JoinEquationLines({twice, ""}, true), X(949) + "\r\n+" + X(949) + "\r\n-" + X(200) + "\r\n\r\n");
  EXPECT_EQ(JoinEquationLines({twice}, false), twice + "\r\n");  // Matlab lines are never split
  EXPECT_EQ(JoinEquationLines({X(3000)}, true), X(3000) + "\r\n");  // no split position: written whole
}

}  // namespace
}  // namespace korvane
