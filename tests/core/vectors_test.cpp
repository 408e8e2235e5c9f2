#include "core/vectors.h"

#include <gtest/gtest.h>

#include <random>

namespace korvane {
namespace {

TEST(Split, PiecesBetweenSemicolons) {
  EXPECT_EQ(Split("a;b"), (TStrVector{"a", "b"}));
  EXPECT_EQ(Split("a;;b"), (TStrVector{"a", "", "b"}));
  EXPECT_EQ(Split("a;"), (TStrVector{"a", ""}));
  EXPECT_EQ(Split(""), (TStrVector{""}));
  EXPECT_EQ(Split(";"), (TStrVector{"", ""}));
  EXPECT_EQ(Split("abc"), (TStrVector{"abc"}));
}

TEST(Split, EndMarkInsideTextStopsTheSplit) {
  const std::string text = std::string("ab;c") + static_cast<char>(255) + "d;e";
  EXPECT_EQ(Split(text), (TStrVector{"ab", "c"}));
}

TEST(Join, SeparatesWithSemicolonsAndDropsTheLast) {
  EXPECT_EQ(Join({"a", "b", "c"}), "a;b;c");
  EXPECT_EQ(Join({}), "");
  EXPECT_EQ(Join({""}), "");
  EXPECT_EQ(Join({"a", ""}), "a;");
  EXPECT_EQ(Join({"", ""}), ";");
}

TEST(Join, SplitReproducesEveryNonEmptyList) {
  const std::vector<TStrVector> lists = {{"a"}, {""}, {"", ""}, {"x", "", "y"}, {"ethane", "C2H6", ""}, {"a b", "c"}};
  for (const auto& list : lists) EXPECT_EQ(Split(Join(list)), list) << Join(list);
}

TEST(Sum, WrapsModulo256) {
  EXPECT_EQ(Sum({200, 100}), 44);
  EXPECT_EQ(Sum({}), 0);
  EXPECT_EQ(Sum({255, 1}), 0);
  EXPECT_EQ(Sum({1, 2, 3}), 6);
}

TEST(SortDescending, OrdersFromLargestAndLeavesSourceAlone) {
  const TByteVector source = {2, 3, 1, 3};
  EXPECT_EQ(SortDescending(source), (TByteVector{3, 3, 2, 1}));
  EXPECT_EQ(source, (TByteVector{2, 3, 1, 3}));
  EXPECT_TRUE(SortDescending({}).empty());

  std::mt19937 generator(7);
  TByteVector large(3000);
  for (auto& value : large) value = static_cast<std::uint8_t>(generator());
  const TByteVector sorted = SortDescending(large);
  ASSERT_EQ(sorted.size(), large.size());
  EXPECT_TRUE(std::is_sorted(sorted.rbegin(), sorted.rend()));
  EXPECT_EQ(Sum(sorted), Sum(large));
}

TEST(DeleteAt, ShiftsLaterElementsAndClampsPastTheEnd) {
  TIntVector one = {5};
  DeleteAt(one, 0);
  EXPECT_TRUE(one.empty());

  TIntVector values = {1, 2, 3, 4};
  DeleteAt(values, 1);
  EXPECT_EQ(values, (TIntVector{1, 3, 4}));
  DeleteAt(values, 10);
  EXPECT_EQ(values, (TIntVector{1, 3}));

  TStrVector empty;
  DeleteAt(empty, 0);
  EXPECT_TRUE(empty.empty());
}

TEST(Matrix, FillAppendCopyAndClear) {
  TByteMatrix m;
  FillMatrix<std::uint8_t>(2, 3, 7, m);
  ASSERT_EQ(m.size(), 2u);
  ASSERT_EQ(m.cols(), 3u);
  EXPECT_EQ(m[1][2], 7);

  const TByteVector row = {1, 2, 3};
  for (int k = 0; k < 5; ++k) AppendRow<std::uint8_t>(m, row);
  ASSERT_EQ(m.size(), 7u);
  EXPECT_EQ(m[0][0], 7);
  EXPECT_EQ(m[6][2], 3);

  TByteMatrix copy;
  Copy(m, copy);
  copy[0][0] = 99;
  EXPECT_EQ(m[0][0], 7);
  EXPECT_FALSE(copy == m);

  Clear(m);
  EXPECT_TRUE(m.empty());
  Clear(m);
  EXPECT_EQ(m.size(), 0u);

  TByteTenzor3 tensor;
  Clear(tensor);
  EXPECT_TRUE(tensor.empty());
}

TEST(Fill, GivesExactlyNEqualElements) {
  TVector values = {1.0, 2.0, 3.0, 4.0};
  Fill(2, 0.5, values);
  EXPECT_EQ(values, (TVector{0.5, 0.5}));
  TBoolVector flags;
  Fill(3, true, flags);
  EXPECT_EQ(flags, (TBoolVector{true, true, true}));
}

}  // namespace
}  // namespace korvane
