#include "reactions/recipes.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"
#include "reaction_checks.h"
#include "reactions/reaction.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;
using V = std::vector<int>;

V Indexes(const std::string& recipe) { return testing::RecipeIndexes(recipe); }

// Radical centre on atom 0 unless stated; the bond is given as (first, second).
// The generator tests pin the recipes of propyl, 1- and 2-butyl, ethyl C-H,
// the cyclohexyl ring bond and propane's hydrogens.
TEST(Recipes, BetaScissionAndHydrogenTransfer) {
  struct Case {
    const char* molecule;
    std::int32_t type;
    int first, second;
    V frequency, energy;
    const char* what;
  };
  const Case cases[] = {
      {"C. C C C C; 0-1 1-2 1-3 1-4", kBetaScission, 1, 2, {1}, {11}, "neopentyl: s = 4 + 1"},
      {"C. C; 0-1", kBetaScission, 4, 1, {0}, {6}, "ethyl C-H, hydrogen given first: exchanged"},
      {"C. C C C; 0-1 1-2 1-3", kBetaScission, 1, 6, {0}, {8}, "isobutyl, tertiary hydrogen"},
      {"C. C C C; 0-1 1-2 2=3", kBetaScission, 1, 2, {1}, {10, 15}, "double bond on Y"},
      {"C. C C C; 0-1 1-2 2#3", kBetaScission, 1, 2, {1}, {10, 16}, "triple bond on Y"},
      {"C. C C C C; 0-1 1-2 2-3 3=4", kBetaScission, 1, 2, {1}, {10, 17}, "double bond beyond Y"},
      {"C. C c c c c c c; 0-1 1-2 2:3 3:4 4:5 5:6 6:7 7:2", kBetaScission, 1, 2, {1}, {11, 16, 16, 17, 17},
       "phenylethyl: two aromatic bonds on Y, two one atom further out"},
      {"C. C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 1-6", kBetaScission, 1, 6, {1}, {10}, "bond leaving the ring"},
      {"C", kHydrogenTransfer, 0, 1, {2}, {18}, "methane"},
      {"C C C; 0-1 1-2", kHydrogenTransfer, 6, 1, {2}, {20}, "propane, CH2 hydrogen given first"},
      {"C C C C; 0-1 0-2 0-3", kHydrogenTransfer, 0, 4, {2}, {21}, "isobutane, tertiary hydrogen"},
      {"C C C; 0-1 1=2", kHydrogenTransfer, 2, 7, {2}, {19, 22}, "propene, vinylic CH2 hydrogen"},
      {"C C C; 0-1 1=2", kHydrogenTransfer, 0, 3, {2}, {19, 24}, "propene, methyl next to C=C"},
      {"C C; 0#1", kHydrogenTransfer, 0, 2, {2}, {19, 23}, "acetylene"},
      {"C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", kHydrogenTransfer, 2, 10, {2}, {20, 23, 23}, "ring hydrogen"},
      {"C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", kHydrogenTransfer, 0, 7, {2}, {19, 24, 24}, "benzylic"},
      {"C C C; 0-1 1=2", kHydrogenTransfer, 1, 6, {2}, {20, 22}, "double bond wins over neighbours' bonds"},
      {"C.", kRecombination, 0, 0, {3}, {25}, "recombination"},
      {"C.", kAllylIzomeration, 0, 0, {4}, {26}, "allyl isomerisation"},
  };
  for (const Case& c : cases) {
    const TRecipes recipes = BuildRecipes(*MoleculeFrom(c.molecule), c.type, c.first, c.second);
    EXPECT_EQ(Indexes(recipes.FrequencyFactor), c.frequency) << c.what;
    EXPECT_EQ(Indexes(recipes.ActivationEnergy), c.energy) << c.what;
  }
  const TRecipes kept = BuildRecipes(*MoleculeFrom("C."), kOtherReaction, 0, 1, TRecipes{"ab", "cd"});
  EXPECT_EQ(kept.FrequencyFactor, "ab");
  EXPECT_EQ(kept.ActivationEnergy, "cd");
}

}  // namespace
}  // namespace korvane
