#include "gui/reaction_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "network_checks.h"

namespace korvane::gui {
namespace {

class ReactionListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::AddFeed(network, "C C C; 0-1 1-2");
    network.Generate();
  }
  std::vector<int> every(std::int32_t type) const {
    std::vector<int> positions;
    for (std::size_t i = 0; i < network.ReactionCount(); ++i)
      if (type == 0 || network.Reaction(i)->ReactionType == type) positions.push_back(static_cast<int>(i));
    return positions;
  }
  TReactionNetwork network;
};

TEST_F(ReactionListTest, TypeFilterListsTheCheckedClasses) {
  ReactionFilter filter;
  EXPECT_EQ(ListedReactions(network, filter), every(0));
  filter.Mode = ReactionListMode::ByType;
  EXPECT_TRUE(ListedReactions(network, filter).empty());
  filter.BetaScissions = true;
  EXPECT_EQ(ListedReactions(network, filter), every(kBetaScission));
  ASSERT_FALSE(every(kBetaScission).empty());
  filter.BetaScissions = false;
  const std::pair<bool ReactionFilter::*, std::int32_t> boxes[] = {{&ReactionFilter::HydrogenTransfers, kHydrogenTransfer},
                                                               {&ReactionFilter::AllylIzomerations, kAllylIzomeration},
                                                               {&ReactionFilter::Recombinations, kRecombination}};
  for (auto [box, type] : boxes) {
    ReactionFilter one = filter;
    one.*box = true;
    EXPECT_EQ(ListedReactions(network, one), every(type)) << type;
  }
}

// Checked against the component's own links, a second route to the answer.
TEST_F(ReactionListTest, SubstanceFilterListsTheReactionsOfTheChosenSide) {
  // A component both formed and consumed.
  std::size_t index = 0;
  while (network.Component(index)->ReactionLinks[kFormedIn].empty() ||
         network.Component(index)->ReactionLinks[kConsumedIn].empty())
    ++index;
  const TMolecule& component = *network.Component(index);
  ReactionFilter filter;
  filter.Mode = ReactionListMode::BySubstance;
  filter.Substance = static_cast<int>(index);
  EXPECT_TRUE(ListedReactions(network, filter).empty());

  auto positions = [&](int side) {
    std::vector<int> result;
    for (const TReaction* reaction : component.ReactionLinks[side]) result.push_back(network.IndexOfReaction(reaction));
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
  };
  filter.AsReactant = true;
  EXPECT_EQ(ListedReactions(network, filter), positions(kConsumedIn));
  filter.AsProduct = true;
  std::vector<int> both = positions(kConsumedIn);
  const std::vector<int> formed = positions(kFormedIn);
  both.insert(both.end(), formed.begin(), formed.end());
  std::sort(both.begin(), both.end());
  EXPECT_EQ(ListedReactions(network, filter), both);

  for (int outside : {-1, static_cast<int>(network.ComponentCount())}) {
    filter.Substance = outside;
    EXPECT_TRUE(ListedReactions(network, filter).empty()) << outside;
  }
}

}  // namespace
}  // namespace korvane::gui
