#include "cli/text_table.h"

#include <gtest/gtest.h>

#include <cmath>

namespace korvane {
namespace {

TEST(NumberText, RoundsToFifteenDigitsInShortestForm) {
  EXPECT_EQ(NumberText(-167350.00000000003), "-167350");
  EXPECT_EQ(NumberText(143.2207615013862), "143.220761501386");
  EXPECT_EQ(NumberText(3.5775e21), "3.5775e21");
  EXPECT_EQ(NumberText(0.01), "0.01");
  EXPECT_EQ(NumberText(-INFINITY), "-inf");
  EXPECT_EQ(NumberText(std::nan("")), "nan");
}

TEST(TextTable, PadsColumnsToTheirWidestCell) {
  TextTable table({"index", "name", "E"});
  table.AlignRight(0);
  table.AlignRight(2);
  table.AddRow({"0", "hydrogen atom", "130"});
  table.AddRow({"12", "x"});
  EXPECT_EQ(table.Text(),
            "index  name             E\n"
            "    0  hydrogen atom  130\n"
            "   12  x\n");
}

}  // namespace
}  // namespace korvane
