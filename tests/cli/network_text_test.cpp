#include "cli/network_text.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(ReactionEquation, ShowsAmountsAndComponentIndexes) {
  TReactionNetwork network;
  TMolecule* ethane = testing::AddFeed(network, "C C; 0-1");
  network.Generate();
  const TReaction& transfer = *network.Reaction(0);
  ASSERT_EQ(transfer.Reactants.front(), ethane);
  EXPECT_EQ(ReactionEquation(transfer), "6 [4] -> 6 [0] + 6 [5]");
}

}  // namespace
}  // namespace korvane
