#include "app/csv_text.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(CsvText, QuotesOnlyWhatNeedsIt) {
  const struct {
    const char* text;
    const char* field;
  } cases[] = {
      {"plain", "plain"}, {"", ""}, {"T, K", "\"T, K\""}, {"a \"b\"", "\"a \"\"b\"\"\""}, {"two\nlines", "\"two\nlines\""},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
  EXPECT_EQ(CsvRecord({"a", "b,c", ""}), "a,\"b,c\",\r\n");
}

// Series on different x: one row per x in increasing order, empty cells
// where a series has no point.
TEST(CsvText, ChartDataInOneRowPerX) {
  const std::string csv = ChartCsv("T, K", {{"one", {{2.0, 0.5}, {1.0, 0.25}}}, {"two", {{1.5, 1e-12}}}});
  EXPECT_EQ(csv, "\"T, K\",one,two\r\n1,0.25,\r\n1.5,,1e-12\r\n2,0.5,\r\n");
}

}  // namespace
}  // namespace korvane
