#include "core/vectors.h"

#include <gtest/gtest.h>

#include <utility>

#include "core/small_vector.h"

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

// Every operation agrees with std::vector, held inline or spilled to the
// heap, and copies and moves leave independent, intact vectors behind.
TEST(SmallVector, AgreesWithStdVectorInlineAndSpilled) {
  TSmallVector<int, 2> small;
  std::vector<int> model;
  const auto same = [&] { return small == model && small.size() == model.size(); };
  for (int k = 0; k < 5; ++k) {
    small.push_back(k);
    model.push_back(k);
    EXPECT_EQ(small.spilled(), k >= 2);
  }
  small.push_back(small[0]);  // an item of its own, read before it grows
  model.push_back(model[0]);
  small.insert(small.begin(), 9);
  model.insert(model.begin(), 9);
  small.erase(small.begin() + 2);
  model.erase(model.begin() + 2);
  ASSERT_TRUE(same());

  TSmallVector<int, 2> copy = small;
  copy[0] = -1;
  EXPECT_TRUE(same());
  TSmallVector<int, 2> moved = std::move(copy);
  EXPECT_EQ(moved[0], -1);
  EXPECT_TRUE(copy.empty());
  copy.push_back(7);  // usable again after the move
  EXPECT_EQ(copy, (std::vector<int>{7}));

  TSmallVector<int, 2> inlineOnly = {4, 5};
  TSmallVector<int, 2> movedInline = std::move(inlineOnly);
  EXPECT_FALSE(movedInline.spilled());
  EXPECT_EQ(movedInline, (std::vector<int>{4, 5}));
  small = movedInline;  // from spilled back to two items
  EXPECT_EQ(small, (std::vector<int>{4, 5}));
  small.clear();
  EXPECT_TRUE(small.empty());
}

}  // namespace
}  // namespace korvane
