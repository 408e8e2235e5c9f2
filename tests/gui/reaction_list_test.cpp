#include "gui/reaction_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "network_checks.h"

namespace korvane::gui {
namespace {

// Checked against the reactions' types and the components' own links, a
// second route to each answer, on propane's primary network.
TEST(ReactionList, EachModeListsItsReactionsInNetworkOrder) {
  TReactionNetwork network;
  testing::AddFeed(network, "C C C; 0-1 1-2");
  network.Generate();
  auto every = [&](std::int32_t type) {
    std::vector<int> positions;
    for (std::size_t i = 0; i < network.ReactionCount(); ++i)
      if (type == 0 || network.Reaction(i)->ReactionType == type) positions.push_back(static_cast<int>(i));
    return positions;
  };
  ReactionFilter filter;
  EXPECT_EQ(ListedReactions(network, filter), every(0));
  filter.Mode = ReactionListMode::ByType;
  EXPECT_TRUE(ListedReactions(network, filter).empty());  // no type checked
  ASSERT_FALSE(every(kBetaScission).empty());
  const std::pair<bool ReactionFilter::*, std::int32_t> boxes[] = {{&ReactionFilter::BetaScissions, kBetaScission},
                                                               {&ReactionFilter::HydrogenTransfers, kHydrogenTransfer},
                                                               {&ReactionFilter::AllylIzomerations, kAllylIzomeration},
                                                               {&ReactionFilter::Recombinations, kRecombination}};
  for (auto [box, type] : boxes) {
    ReactionFilter one = filter;
    one.*box = true;
    EXPECT_EQ(ListedReactions(network, one), every(type)) << type;
  }

  // A component both formed and consumed, by side.
  std::size_t index = 0;
  while (network.Component(index)->ReactionLinks[kFormedIn].empty() ||
         network.Component(index)->ReactionLinks[kConsumedIn].empty())
    ++index;
  auto linked = [&](std::initializer_list<int> sides) {
    std::vector<int> result;
    for (int side : sides)
      for (const TReaction* reaction : network.Component(index)->ReactionLinks[side])
        result.push_back(network.IndexOfReaction(reaction));
    std::sort(result.begin(), result.end());
    result.erase(std::unique(result.begin(), result.end()), result.end());
    return result;
  };
  filter.Mode = ReactionListMode::BySubstance;
  filter.Substance = static_cast<int>(index);
  EXPECT_TRUE(ListedReactions(network, filter).empty());  // no side checked
  filter.AsReactant = true;
  EXPECT_EQ(ListedReactions(network, filter), linked({kConsumedIn}));
  filter.AsProduct = true;
  EXPECT_EQ(ListedReactions(network, filter), linked({kConsumedIn, kFormedIn}));
  for (int outside : {-1, static_cast<int>(network.ComponentCount())}) {
    filter.Substance = outside;
    EXPECT_TRUE(ListedReactions(network, filter).empty()) << outside;
  }
}

}  // namespace
}  // namespace korvane::gui
