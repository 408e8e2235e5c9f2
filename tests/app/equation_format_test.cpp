#include "app/equation_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <regex>

namespace korvane {
namespace {

TEST(EquationNumber, SixteenDigitsAndShortExponent) {
  EXPECT_EQ(FormatEquationNumber(8.314472), "8.314472000000000E+0");
  EXPECT_EQ(FormatEquationNumber(2.5e13), "2.500000000000000E+13");
  EXPECT_EQ(FormatEquationNumber(-1.0), "-1.000000000000000E+0");
  EXPECT_EQ(FormatEquationNumber(0.0), "0.000000000000000E+0");
  EXPECT_EQ(FormatEquationNumber(0.1), "1.000000000000000E-1");
  EXPECT_EQ(FormatEquationNumber(1.5e-7), "1.500000000000000E-7");
  EXPECT_EQ(FormatEquationNumber(-18.8), "-1.880000000000000E+1");
  EXPECT_EQ(FormatEquationNumber(1e100), "1.000000000000000E+100");
  EXPECT_EQ(FormatEquationNumber(1e-300), "1.000000000000000E-300");
  // Rounded to 16 significant digits, not truncated.
  EXPECT_EQ(FormatEquationNumber(2.0 / 3.0), "6.666666666666666E-1");  // 0.66666666666666663
  EXPECT_EQ(FormatEquationNumber(0.1 + 0.2), "3.000000000000000E-1");     // 0.30000000000000004
  EXPECT_EQ(FormatEquationNumber(1.0 / 3.0), "3.333333333333333E-1");
  EXPECT_EQ(FormatEquationNumber(123456789012345678.0), "1.234567890123457E+17");
}

TEST(EquationNumber, FormAndValueHoldForAnyMagnitude) {
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
    const double tolerance = std::fabs(value) >= 1e-300 ? std::fabs(value) * 6e-16 : 1e-315;
    EXPECT_NEAR(back, value, tolerance) << text;
  }
}

std::string Repeat(char c, std::size_t n) { return std::string(n, c); }

TEST(EquationLineSplit, ShortLinesStayWhole) {
  // 1023 characters with a good split position: below the limit.
  const std::string line = Repeat('x', 949) + "+" + Repeat('x', 73);
  ASSERT_EQ(line.size(), 1023u);
  EXPECT_EQ(SplitEquationLine(line), std::vector<std::string>{line});
  EXPECT_EQ(JoinEquationLines({line, ""}, true), line + "\r\n\r\n");
}

TEST(EquationLineSplit, SplitsBeforeSignAtPositions900To1024) {
  // A "+" at position 950 (counted from 1) of a 1024-character line.
  const std::string line = Repeat('x', 949) + "+" + Repeat('x', 74);
  ASSERT_EQ(line.size(), 1024u);
  EXPECT_EQ(SplitEquationLine(line), (std::vector<std::string>{Repeat('x', 949), "+" + Repeat('x', 74)}));

  // Signs at positions 899 and 1025 are outside the window; 900 and 1024 are in it.
  const std::string outside = Repeat('x', 898) + "-" + Repeat('x', 125) + "-" + Repeat('x', 10);
  EXPECT_EQ(SplitEquationLine(outside), std::vector<std::string>{outside});
  const std::string first = Repeat('x', 899) + "-" + Repeat('x', 200);
  EXPECT_EQ(SplitEquationLine(first)[0].size(), 899u);
  const std::string last = Repeat('x', 1023) + "-" + Repeat('x', 10);
  EXPECT_EQ(SplitEquationLine(last)[0].size(), 1023u);
}

TEST(EquationLineSplit, NeverBetweenExponentAndItsSign) {
  // "E+" at positions 899/900 and "E-" at 949/950: the first sign allowed is the "+" at 1000.
  std::string line = Repeat('1', 898) + "E+" + Repeat('1', 48) + "E-" + Repeat('1', 49) + "+" + Repeat('1', 100);
  ASSERT_EQ(line[899], '+');
  const auto pieces = SplitEquationLine(line);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[0].size(), 999u);
  EXPECT_EQ(pieces[0] + pieces[1], line);
}

TEST(EquationLineSplit, LongLineSplitsRepeatedlyAndKeepsEveryCharacter) {
  std::string line = "  dc[0]:=0";
  for (int i = 0; i < 200; ++i) line += "+-1.000000000000000E+0*r[" + std::to_string(i) + "]";
  const auto pieces = SplitEquationLine(line);
  ASSERT_GT(pieces.size(), 5u);
  std::string joined;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    joined += pieces[i];
    EXPECT_LT(pieces[i].size(), kEquationLineLimit);
    if (i + 1 < pieces.size()) {
      EXPECT_GE(pieces[i].size(), kEquationSplitFrom - 1);
    }
    if (i > 0) {
      EXPECT_TRUE(pieces[i][0] == '+' || pieces[i][0] == '-') << pieces[i].substr(0, 10);
      EXPECT_NE(pieces[i - 1].back(), 'E');
    }
  }
  EXPECT_EQ(joined, line);
  std::string expectedText;
  for (const auto& piece : pieces) expectedText += piece + "\r\n";
  EXPECT_EQ(JoinEquationLines({line}, true), expectedText);
  EXPECT_EQ(JoinEquationLines({line}, false), line + "\r\n");
}

TEST(EquationLineSplit, LineWithoutSplitPositionIsKeptWhole) {
  // Splits once, then the rest has no sign in its window and stays whole.
  const std::string line = Repeat('x', 949) + "+" + Repeat('x', 2000);
  const auto pieces = SplitEquationLine(line);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1].size(), 2001u);
  EXPECT_EQ(JoinEquationLines({Repeat('x', 3000)}, true), Repeat('x', 3000) + "\r\n");
}

}  // namespace
}  // namespace korvane
