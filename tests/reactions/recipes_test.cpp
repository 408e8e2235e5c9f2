#include "reactions/recipes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "molecule_builder.h"
#include "reactions/reaction.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

std::vector<int> Indexes(const std::string& recipe) {
  std::vector<int> indexes;
  for (char c : recipe) indexes.push_back(static_cast<unsigned char>(c));
  return indexes;
}

using V = std::vector<int>;

TEST(BetaScissionRecipes, CarbonCarbonBySubstitutionSum) {
  // Propyl (C0 radical): X = C1, Y = C2, s = 2 + 1.
  auto propyl = MoleculeFrom("C. C C; 0-1 1-2");
  TRecipes r = BuildRecipes(*propyl, kBetaScission, 1, 2);
  EXPECT_EQ(Indexes(r.FrequencyFactor), V{1});
  EXPECT_EQ(Indexes(r.ActivationEnergy), V{9});
  // 1-Butyl: X = C1, Y = C2, s = 4; 2-butyl: X = C2, Y = C3, s = 3.
  EXPECT_EQ(Indexes(BuildRecipes(*MoleculeFrom("C. C C C; 0-1 1-2 2-3"), kBetaScission, 1, 2).ActivationEnergy), V{10});
  EXPECT_EQ(Indexes(BuildRecipes(*MoleculeFrom("C C. C C; 0-1 1-2 2-3"), kBetaScission, 2, 3).ActivationEnergy), V{9});
  // Neopentyl: X = C1 quaternary, Y a methyl: s = 4 + 1.
  EXPECT_EQ(Indexes(BuildRecipes(*MoleculeFrom("C. C C C C; 0-1 1-2 1-3 1-4"), kBetaScission, 1, 2).ActivationEnergy),
            V{11});
}

TEST(BetaScissionRecipes, CarbonHydrogenExchangesXAndY) {
  // Ethyl: C1 carries H4..H6. X given as the hydrogen is exchanged first.
  auto ethyl = MoleculeFrom("C. C; 0-1");
  TRecipes r = BuildRecipes(*ethyl, kBetaScission, 4, 1);
  EXPECT_EQ(Indexes(r.FrequencyFactor), V{0});
  EXPECT_EQ(Indexes(r.ActivationEnergy), V{6});
  EXPECT_EQ(Indexes(BuildRecipes(*ethyl, kBetaScission, 1, 4).ActivationEnergy), V{6});
  // Isobutyl: the tertiary C1 loses its hydrogen (index 6).
  auto isobutyl = MoleculeFrom("C. C C C; 0-1 1-2 1-3");
  EXPECT_EQ(Indexes(BuildRecipes(*isobutyl, kBetaScission, 1, 6).ActivationEnergy), V{8});
}

TEST(BetaScissionRecipes, MultipleBondIncrements) {
  // But-3-en-1-yl, bond C1–C2: Y carries a double bond.
  auto butenyl = MoleculeFrom("C. C C C; 0-1 1-2 2=3");
  EXPECT_EQ(Indexes(BuildRecipes(*butenyl, kBetaScission, 1, 2).ActivationEnergy), (V{10, 15}));
  // Pent-4-en-1-yl, bond C1–C2: the double bond lies one atom beyond Y.
  auto pentenyl = MoleculeFrom("C. C C C C; 0-1 1-2 2-3 3=4");
  EXPECT_EQ(Indexes(BuildRecipes(*pentenyl, kBetaScission, 1, 2).ActivationEnergy), (V{10, 17}));
  // 2-Phenylethyl, bond C1–c2: Y aromatic with two aromatic bonds, and two
  // aromatic bonds one atom further out.
  auto phenylethyl = MoleculeFrom("C. C c c c c c c; 0-1 1-2 2:3 3:4 4:5 5:6 6:7 7:2");
  EXPECT_EQ(Indexes(BuildRecipes(*phenylethyl, kBetaScission, 1, 2).ActivationEnergy), (V{11, 16, 16, 17, 17}));
  // But-3-yn-1-yl, bond C1–C2: Y carries a triple bond.
  auto butynyl = MoleculeFrom("C. C C C; 0-1 1-2 2#3");
  EXPECT_EQ(Indexes(BuildRecipes(*butynyl, kBetaScission, 1, 2).ActivationEnergy), (V{10, 16}));
}

TEST(BetaScissionRecipes, RingBondIncrement) {
  auto cyclohexyl = MoleculeFrom("C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0");
  EXPECT_EQ(Indexes(BuildRecipes(*cyclohexyl, kBetaScission, 1, 2).ActivationEnergy), (V{10, 27}));
  // A bond leaving the ring (tertiary C1 to its methyl) gets no increment
  // even though the molecule is cyclic.
  auto methylcyclohexyl = MoleculeFrom("C. C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 1-6");
  EXPECT_EQ(Indexes(BuildRecipes(*methylcyclohexyl, kBetaScission, 1, 6).ActivationEnergy), (V{10}));
}

TEST(HydrogenTransferRecipes, BaseByCarbonNeighboursAndOneKindOfIncrement) {
  auto methane = MoleculeFrom("C");
  TRecipes r = BuildRecipes(*methane, kHydrogenTransfer, 0, 1);
  EXPECT_EQ(Indexes(r.FrequencyFactor), V{2});
  EXPECT_EQ(Indexes(r.ActivationEnergy), V{18});
  // Propane: a methyl hydrogen (C0, H3), the CH2 hydrogen (C1, H6).
  auto propane = MoleculeFrom(testing::LinearAlkane(3));
  EXPECT_EQ(Indexes(BuildRecipes(*propane, kHydrogenTransfer, 0, 3).ActivationEnergy), V{19});
  EXPECT_EQ(Indexes(BuildRecipes(*propane, kHydrogenTransfer, 6, 1).ActivationEnergy), V{20});
  // Propene: vinylic CH2 hydrogen (C2, H7); methyl hydrogen next to C=C.
  auto propene = MoleculeFrom("C C C; 0-1 1=2");
  EXPECT_EQ(Indexes(BuildRecipes(*propene, kHydrogenTransfer, 2, 7).ActivationEnergy), (V{19, 22}));
  EXPECT_EQ(Indexes(BuildRecipes(*propene, kHydrogenTransfer, 0, 3).ActivationEnergy), (V{19, 24}));
  // Isobutane: the tertiary hydrogen.
  auto isobutane = MoleculeFrom("C C C C; 0-1 0-2 0-3");
  EXPECT_EQ(Indexes(BuildRecipes(*isobutane, kHydrogenTransfer, 0, 4).ActivationEnergy), V{21});
  // Acetylene and benzene: triple and aromatic bonds of the carbon itself.
  auto acetylene = MoleculeFrom("C C; 0#1");
  EXPECT_EQ(Indexes(BuildRecipes(*acetylene, kHydrogenTransfer, 0, 2).ActivationEnergy), (V{19, 23}));
  auto toluene = MoleculeFrom("C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1");
  EXPECT_EQ(Indexes(BuildRecipes(*toluene, kHydrogenTransfer, 2, 10).ActivationEnergy), (V{20, 23, 23}));
  EXPECT_EQ(Indexes(BuildRecipes(*toluene, kHydrogenTransfer, 0, 7).ActivationEnergy), (V{19, 24, 24}));
}

TEST(Recipes, FixedClassesAndOthersUnchanged) {
  auto methyl = MoleculeFrom("C.");
  EXPECT_EQ(Indexes(BuildRecipes(*methyl, kRecombination, 0, 0).FrequencyFactor), V{3});
  EXPECT_EQ(Indexes(BuildRecipes(*methyl, kRecombination, 0, 0).ActivationEnergy), V{25});
  EXPECT_EQ(Indexes(BuildRecipes(*methyl, kAllylIzomeration, 0, 0).FrequencyFactor), V{4});
  EXPECT_EQ(Indexes(BuildRecipes(*methyl, kAllylIzomeration, 0, 0).ActivationEnergy), V{26});
  const TRecipes current{"ab", "cd"};
  const TRecipes kept = BuildRecipes(*methyl, kOtherReaction, 0, 1, current);
  EXPECT_EQ(kept.FrequencyFactor, "ab");
  EXPECT_EQ(kept.ActivationEnergy, "cd");
}

TEST(RateConstant, ArrheniusWithR8314) {
  EXPECT_DOUBLE_EQ(RateConstant(1.0e13, 0.0, 1050.0), 1.0e13);
  EXPECT_NEAR(RateConstant(1.0e14, 300.0, 1000.0), 1.0e14 * std::exp(-300000.0 / 8314.0), 1e-6);
  // Ten kJ/mol more at 1050 K divides k by exp(10000 / (8.314 * 1050)).
  EXPECT_NEAR(RateConstant(1.0, 110.0, 1050.0) / RateConstant(1.0, 100.0, 1050.0),
              std::exp(-10000.0 / (8.314 * 1050.0)), 1e-15);
}

}  // namespace
}  // namespace korvane
