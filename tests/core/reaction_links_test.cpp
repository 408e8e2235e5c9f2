#include "core/reaction_links.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/molecule.h"

namespace korvane {
namespace {

// Distinct addresses that stand for reactions; links never dereference them.
TReaction* Fake(std::uintptr_t n) { return reinterpret_cast<TReaction*>(n * 16); }

std::vector<TReaction*> Reactions(const TReactionLinks& links, int side) {
  return {links[side].begin(), links[side].end()};
}
std::vector<std::int32_t> Coefficients(const TReactionLinks& links, int side) {
  return {links.Coefficients(side).begin(), links.Coefficients(side).end()};
}

// Both sides share one block: growing one moves the other with it, and
// neither loses an entry or its coefficient.
TEST(ReactionLinks, SidesGrowIndependentlyInOneBlock) {
  TReactionLinks links;
  EXPECT_TRUE(links[kFormedIn].empty() && links.Coefficients(kConsumedIn).empty());
  std::vector<TReaction*> formed, consumed;
  std::vector<std::int32_t> formedCoefficients, consumedCoefficients;
  for (std::int32_t k = 1; k <= 40; ++k) {
    links.Add(kFormedIn, Fake(k), k);
    formed.push_back(Fake(k));
    formedCoefficients.push_back(k);
    if (k % 3 == 0) {
      links.Add(kConsumedIn, Fake(100 + k), -k);
      consumed.push_back(Fake(100 + k));
      consumedCoefficients.push_back(-k);
    }
  }
  EXPECT_EQ(Reactions(links, kFormedIn), formed);
  EXPECT_EQ(Coefficients(links, kFormedIn), formedCoefficients);
  EXPECT_EQ(Reactions(links, kConsumedIn), consumed);
  EXPECT_EQ(Coefficients(links, kConsumedIn), consumedCoefficients);
}

TEST(ReactionLinks, InsertsAndErasesAtBothEnds) {
  TReactionLinks links;
  links.Insert(kConsumedIn, 0, Fake(2), -2);
  links.Insert(kConsumedIn, 0, Fake(1), -1);
  links.Insert(kConsumedIn, 2, Fake(4), -4);
  links.Insert(kConsumedIn, 2, Fake(3), -3);
  links.Add(kFormedIn, Fake(9), 9);
  EXPECT_EQ(Reactions(links, kConsumedIn), (std::vector{Fake(1), Fake(2), Fake(3), Fake(4)}));
  EXPECT_EQ(Coefficients(links, kConsumedIn), (std::vector{-1, -2, -3, -4}));
  links.Erase(kConsumedIn, 3);
  links.Erase(kConsumedIn, 0);
  EXPECT_EQ(Reactions(links, kConsumedIn), (std::vector{Fake(2), Fake(3)}));
  EXPECT_EQ(Coefficients(links, kConsumedIn), (std::vector{-2, -3}));
  EXPECT_EQ(Reactions(links, kFormedIn), (std::vector{Fake(9)}));
  links.Clear();
  EXPECT_TRUE(links[kFormedIn].empty() && links[kConsumedIn].empty());
}

// Entries counted by Expect after Clear arrive in one block: the spans stay
// where the first Add put them.
TEST(ReactionLinks, ExpectedEntriesFitWithoutMoving) {
  TReactionLinks links;
  links.Add(kFormedIn, Fake(7), 1);
  links.Clear();
  for (int k = 0; k < 5; ++k) links.Expect(kFormedIn);
  for (int k = 0; k < 3; ++k) links.Expect(kConsumedIn);
  links.Add(kConsumedIn, Fake(1), -1);
  const TReaction* const* formed = links[kFormedIn].data();
  const TReaction* const* consumed = links[kConsumedIn].data();
  for (std::uintptr_t k = 0; k < 5; ++k) links.Add(kFormedIn, Fake(10 + k), 1);
  for (std::uintptr_t k = 0; k < 2; ++k) links.Add(kConsumedIn, Fake(20 + k), -1);
  EXPECT_EQ(links[kFormedIn].data(), formed);
  EXPECT_EQ(links[kConsumedIn].data(), consumed);
  EXPECT_EQ(links[kFormedIn].size(), 5u);
  EXPECT_EQ(Reactions(links, kConsumedIn), (std::vector{Fake(1), Fake(20), Fake(21)}));
  // One more than announced still fits, by growing.
  links.Add(kFormedIn, Fake(99), 2);
  EXPECT_EQ(links[kFormedIn].back(), Fake(99));
  EXPECT_EQ(links.Coefficients(kFormedIn).back(), 2);
  EXPECT_EQ(Reactions(links, kConsumedIn), (std::vector{Fake(1), Fake(20), Fake(21)}));
}

}  // namespace
}  // namespace korvane
