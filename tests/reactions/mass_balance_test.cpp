#include "reactions/mass_balance.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(MassBalance, ExactApproximateAndBeyondOnePartInTenThousand) {
  auto ethane = MoleculeFrom("C C; 0-1");
  auto methyl = MoleculeFrom("C.");
  auto water = MoleculeFrom("O");
  // CH2D on carbon 14 weighs 18.01588, water 18.01528: 1.7e-5 of the sum apart.
  auto labelled = MoleculeFrom("C14. D; 0-1");
  auto hydrogen2 = MoleculeFrom("H H; 0-1");
  auto deuterium = MoleculeFrom("D.");  // 2.0 against H2's 2.01588
  const struct {
    std::vector<std::pair<TMolecule*, int>> participants;  // negative: reactant
    TMassBalance balance;
  } cases[] = {
      {{{ethane.get(), -1}, {methyl.get(), 2}}, TMassBalance::Exact},
      {{{ethane.get(), -1}, {methyl.get(), 1}, {methyl.get(), 1}}, TMassBalance::Exact},
      {{{ethane.get(), -2}, {methyl.get(), 4}}, TMassBalance::Exact},
      {{{water.get(), -1}, {labelled.get(), 1}}, TMassBalance::Approximate},
      {{{hydrogen2.get(), -1}, {deuterium.get(), 1}}, TMassBalance::Unbalanced},
      {{{ethane.get(), -1}, {methyl.get(), 1}}, TMassBalance::Unbalanced},
      {{{ethane.get(), -1}, {methyl.get(), 2}, {hydrogen2.get(), 0}}, TMassBalance::Exact},
      {{{ethane.get(), 0}, {methyl.get(), 2}}, TMassBalance::Unbalanced},
  };
  for (std::size_t k = 0; k < std::size(cases); ++k) {
    TReaction reaction;
    for (auto [molecule, coefficient] : cases[k].participants)
      if (coefficient < 0 || (coefficient == 0 && reaction.Reactants.empty()))
        reaction.AddReactant(molecule, coefficient);
      else
        reaction.AddProduct(molecule, coefficient);
    EXPECT_EQ(MassBalance(reaction), cases[k].balance) << "case " << k;
  }
}

}  // namespace
}  // namespace korvane
