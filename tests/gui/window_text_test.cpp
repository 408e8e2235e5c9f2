#include "gui/window_text.h"

#include <gtest/gtest.h>

namespace korvane::gui {
namespace {

TEST(WindowText, ListPositionIsTheNumberBetweenTheFirstBrackets) {
  const struct {
    const char* line;
    std::optional<int> position;
  } cases[] = {
      {"[ 3 ] - name", 3}, {"[ 12 ]", 12},         {"[ 0 ] ", 0},        {"[ 2 ] - [ 5 ]", 2},
      {"[ x ] - a", {}},   {"3 - a", {}},          {"[ 3", {}},          {"", {}},
      {"[  ]", {}},        {"[ 1.5 ] - a", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ListPosition(QString::fromLatin1(c.line)), c.position) << c.line;
}

TEST(WindowText, NumbersShowTheLocaleSeparatorAndReadWithEither) {
  const QLocale german(QLocale::German, QLocale::Germany);
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  EXPECT_EQ(NumberText(0.01, german), "0,01");
  EXPECT_EQ(NumberText(0.01, english), "0.01");
  EXPECT_EQ(NumberText(1050, german), "1050");
  EXPECT_EQ(NumberText(3.5775e21, english), "3.5775E21");
  EXPECT_EQ(NumberText(1.0 / 3.0, english), "0.333333333333333");

  for (double value : {0.01, 298.15, 1050.0, 3.5775e21, 6.159e-8, -2.5})
    for (const QLocale& locale : {german, english}) EXPECT_EQ(ReadNumber(NumberText(value, locale)), value);
  EXPECT_EQ(ReadNumber("0,01"), 0.01);
  EXPECT_EQ(ReadNumber(" 298.15 "), 298.15);
  EXPECT_EQ(ReadNumber("1e3"), 1000.0);
  for (const char* bad : {"", "abc", "1,2,3", "1.5x", "nan", "inf", "1e400"})
    EXPECT_FALSE(ReadNumber(QString::fromLatin1(bad))) << bad;
}

TEST(WindowText, WindowNamesAreNeitherEmptyNorLongerThan255Bytes) {
  EXPECT_EQ(WindowNameProblem(QString()), "The window name must not be empty.");
  EXPECT_EQ(WindowNameProblem(QStringLiteral("  \t")), "The window name must not be empty.");
  EXPECT_FALSE(WindowNameProblem(QString(255, QLatin1Char('a'))));
  // Bytes, not characters: 128 two-byte letters are 256 bytes.
  EXPECT_FALSE(WindowNameProblem(QString(127, QChar(0x00E9))));
  EXPECT_EQ(WindowNameProblem(QString(128, QChar(0x00E9))),
            "The window name is 256 bytes long; at most 255 bytes are kept. Choose a shorter name.");
}

// Estimates keep six significant digits: the noise of their arithmetic goes.
TEST(WindowText, EstimatesShowTheDigitsTheyHave) {
  const QLocale english(QLocale::English, QLocale::UnitedStates);
  const struct {
    double value;
    const char* text;
  } cases[] = {{-359999.999999999, "-360000"}, {341.8812345, "341.881"}, {3.66666666e-4, "0.000366667"},
               {4.9999995e6, "5000000"}, {0.0, "0"}, {-0.25, "-0.25"}};
  for (const auto& c : cases) EXPECT_EQ(EstimateNumberText(c.value, 6, english), c.text) << c.value;
  EXPECT_EQ(EstimateNumberText(-123456.7, 6, QLocale(QLocale::German, QLocale::Germany)), "-123457");
}

}  // namespace
}  // namespace korvane::gui
