#include "cli/network_text.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(HillFormula, CarbonThenHydrogenThenAlphabetical) {
  EXPECT_EQ(HillFormula(*MoleculeFrom("C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1")), "C7H8");  // toluene
  EXPECT_EQ(HillFormula(*MoleculeFrom("C")), "CH4");
  EXPECT_EQ(HillFormula(*MoleculeFrom("H H; 0-1")), "H2");
  // Without carbon every symbol is alphabetical, hydrogen included.
  EXPECT_EQ(HillFormula(*MoleculeFrom("O")), "H2O");
  EXPECT_EQ(HillFormula(*MoleculeFrom("N N; 0#1")), "N2");
}

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
