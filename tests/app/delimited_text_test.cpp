#include "app/delimited_text.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(DelimitedText, QuotesOnlyFieldsThatNeedIt) {
  struct Case {
    const char* field;
    char separator;
    const char* written;
  };
  const Case cases[] = {
      {"C6H14", ',', "C6H14"},
      {"", ',', ""},
      {"a,b", ',', "\"a,b\""},
      {"a,b", '\t', "a,b"},
      {"a\tb", '\t', "\"a\tb\""},
      {"say \"hi\"", ',', "\"say \"\"hi\"\"\""},
      {"two\nlines", ',', "\"two\nlines\""},
      {"cr\r", '\t', "\"cr\r\""},
  };
  for (const Case& each : cases) EXPECT_EQ(DelimitedField(each.field, each.separator), each.written) << each.field;
}

TEST(DelimitedText, HeaderThenOneLinePerRow) {
  EXPECT_EQ(DelimitedText({"#", "Name"}, {{"4", "n-hexane, pure"}, {"5", "x\"y"}}, ','),
            "#,Name\n4,\"n-hexane, pure\"\n5,\"x\"\"y\"\n");
  EXPECT_EQ(DelimitedText({"#", "Name"}, {}, '\t'), "#\tName\n");
}

// Series on different x: one line per x in increasing order, empty cells
// where a series has no point.
TEST(DelimitedText, ChartDataInOneLinePerX) {
  const std::string csv = ChartCsv("T, K", {{"one", {{2.0, 0.5}, {1.0, 0.25}}}, {"two", {{1.5, 1e-12}}}});
  EXPECT_EQ(csv, "\"T, K\",one,two\n1,0.25,\n1.5,,1e-12\n2,0.5,\n");
}

}  // namespace
}  // namespace korvane
