#include "core/vectors.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(SplitAndJoin, SemicolonsUpToTheEndMarkAndJoinReproducesTheList) {
  EXPECT_EQ(Split("a;;b"), (TStrVector{"a", "", "b"}));
  EXPECT_EQ(Split(""), (TStrVector{""}));
  // Code 255 ends the text: nothing after it is split.
  EXPECT_EQ(Split(std::string("ab;c") + static_cast<char>(255) + "d;e"), (TStrVector{"ab", "c"}));
  EXPECT_EQ(Join({"a", "b", "c"}), "a;b;c");
  for (const TStrVector& list : {TStrVector{"a"}, {""}, {"", ""}, {"x", "", "y"}, {"ethane", "C2H6", ""}})
    EXPECT_EQ(Split(Join(list)), list) << Join(list);
}

TEST(ByteVectors, SumWrapsSortLeavesTheSourceAndDeleteClampsPastTheEnd) {
  EXPECT_EQ(Sum({200, 100}), 44);
  const TByteVector source = {2, 3, 0, 1, 3, 255};
  EXPECT_EQ(SortDescending(source), (TByteVector{255, 3, 3, 2, 1, 0}));
  EXPECT_EQ(source, (TByteVector{2, 3, 0, 1, 3, 255}));
  TIntVector values = {1, 2, 3, 4}, empty;
  DeleteAt(values, 1);
  EXPECT_EQ(values, (TIntVector{1, 3, 4}));
  DeleteAt(values, 10);  // past the end: only the last one goes
  EXPECT_EQ(values, (TIntVector{1, 3}));
  DeleteAt(empty, 0);
  EXPECT_TRUE(empty.empty());
}

TEST(Matrix, AppendedRowsKeepEarlierOnesAndCopiesAreIndependent) {
  TByteMatrix m;
  FillMatrix<std::uint8_t>(2, 3, 7, m);
  for (int k = 0; k < 5; ++k) AppendRow<std::uint8_t>(m, TByteVector{1, 2, 3});  // grows past its storage
  ASSERT_EQ(m.size(), 7u);
  EXPECT_EQ(m[1][2], 7);
  EXPECT_EQ(m[6][2], 3);
  TByteMatrix copy;
  Copy(m, copy);
  copy[0][0] = 99;
  EXPECT_EQ(m[0][0], 7);
}

}  // namespace
}  // namespace korvane
