#include "reactions/network_footprint.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

using testing::AddFeed;
using testing::LinearAlkane;

TEST(Footprint, HeapBlocksRoundAsTheAllocatorDoes) {
  const std::pair<std::size_t, std::size_t> cases[] = {{0, 0},   {1, 32},  {24, 32},   {25, 48},
                                                        {40, 48}, {41, 64}, {100, 112}, {1000, 1008}};
  for (const auto& [request, block] : cases) EXPECT_EQ(HeapBlockBytes(request), block) << request;
}

// What the content holds, counted from sizes alone: every object, every
// list entry, every character beyond a string's inline buffer, no allocator.
std::size_t HeldBytes(const TReactionNetwork& network) {
  const auto text = [](const std::string& s) { return s.size() > 15 ? s.size() : 0; };
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    const TMolecule& c = *network.Component(i);
    bytes += sizeof(TMolecule) + c.AtomTypes().size() + 4 * c.Bonds().size() + c.UnpairedElectrons().size() +
             c.AromaticSelfAtoms().size() + c.RadicalAtomIndices().size() + c.Certificate().size() + text(c.Name);
  }
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
    const TReaction& r = *network.Reaction(i);
    const std::size_t participants = r.Reactants.size() + r.Products.size();
    // Participants of generated reactions lie inside the reaction; the
    // link back with its coefficient lies in the component.
    bytes += sizeof(TReaction) + participants * (sizeof(void*) + sizeof(std::int32_t));
  }
  return bytes;
}

// The estimate grows with every component a run registers, is the same
// kept along the way as summed anew, follows removals and edits, and starts
// over when the content is replaced.
TEST(Footprint, FollowsTheNetworkThroughARunAndItsEdits) {
  TReactionNetwork network;
  const std::size_t fresh = network.FootprintEstimate();
  AddFeed(network, LinearAlkane(8));
  std::vector<std::size_t> seen;
  network.Generate({.Progress = [&](std::int32_t, std::int32_t) { seen.push_back(network.FootprintEstimate()); }});
  ASSERT_GT(seen.size(), 100u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_GT(seen.front(), fresh);
  // The closing steps add reactions, and the component index drops the
  // tables it outgrew, which together held fewer slots than the one it keeps.
  const std::size_t generated = network.FootprintEstimate();
  EXPECT_GT(generated, seen.back() / 2);

  // The allocator's headers and rounding and the spare link entries come on
  // top of what the content holds, but never double it.
  const std::size_t held = HeldBytes(network);
  EXPECT_GT(generated, held);
  EXPECT_LT(generated, 2 * held);

  // An edit that changes nothing sums the footprint anew: the same.
  const TReaction same = *network.Reaction(5);
  network.EditReaction(5, same);
  EXPECT_EQ(network.FootprintEstimate(), generated);
  const std::size_t removed = ReactionFootprint(*network.Reaction(0));
  network.RemoveReaction(0);
  EXPECT_EQ(network.FootprintEstimate(), generated - removed);

  network.ReplaceContent({}, {});
  EXPECT_EQ(network.ComponentCount(), 1u);
  EXPECT_LT(network.FootprintEstimate(), fresh);
}

}  // namespace
}  // namespace korvane
