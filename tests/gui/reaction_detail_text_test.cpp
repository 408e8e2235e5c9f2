#include "gui/reaction_detail_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "network_checks.h"

namespace korvane::gui {
namespace {

std::string Recipe(std::initializer_list<int> indexes) {
  std::string recipe;
  for (int index : indexes) recipe += static_cast<char>(index);
  return recipe;
}

TEST(ReactionDetailText, CompetitorsLeaveOutTheReactionAndTheHydrogenRadical) {
  TReactionNetwork network;
  TMolecule* ethyl = testing::AddFeed(network, "C. C; 0-1");
  TMolecule* ethane = testing::AddFeed(network, "C C; 0-1");
  TMolecule* hydrogen = network.HydrogenAtom();
  auto add = [&](std::vector<TMolecule*> reactants) {
    TReaction reaction;
    reaction.SetParameters(kOtherReaction, 100, 1e13);
    for (TMolecule* reactant : reactants) reaction.AddReactant(reactant, -1);
    reaction.AddProduct(ethane, 1);
    return network.AddReactionCopy(reaction);
  };
  TReaction* both = add({ethyl, ethane});
  add({ethyl, ethane});
  add({ethane});
  TReaction* withHydrogen = add({ethyl, hydrogen});
  TReaction* onlyHydrogen = add({hydrogen, hydrogen});
  // Reactant by reactant: ethyl's consumers, then ethane's; the reaction
  // consuming both is listed under each.
  EXPECT_EQ(CompetingReactions(network, *both), (std::vector<int>{1, 3, 1, 2}));
  EXPECT_EQ(CompetingReactions(network, *withHydrogen), (std::vector<int>{0, 1}));
  EXPECT_TRUE(CompetingReactions(network, *onlyHydrogen).empty());
}

TEST(ReactionDetailText, IncrementsNameTheRecipeEntries) {
  TKineticParameterSet kinetics;
  kinetics.AlternativeNotes[2] = "my note";
  TReaction reaction;
  reaction.FreqFact2 = Recipe({kA_BetaSc_CC});
  reaction.ActEnerg2 = Recipe({kE_BetaSc_CC_2subst, kE_BetaSc_DoubleAlfa});
  reaction.ReactionType = kBetaScission;
  EXPECT_EQ(ParameterSourceText(reaction), "Estimeted using addition method");
  EXPECT_EQ(IncrementLines(reaction, kinetics),
            (QStringList{"Frequency factor", " - A_BetaSc_CC", "", "Activating energy", " - E_BetaSc_CC_2subst",
                         " - E_BetaSc_DoubleAlfa"}));
  reaction.ReactionType = kOtherReaction2;
  reaction.FreqFact2 = Recipe({2});
  reaction.ActEnerg2 = Recipe({});
  EXPECT_EQ(IncrementLines(reaction, kinetics), (QStringList{"Frequency factor", " - my note", "", "Activating energy"}));
  reaction.ReactionType = kOtherReaction;
  EXPECT_EQ(ParameterSourceText(reaction), "Set");
  EXPECT_TRUE(IncrementLines(reaction, kinetics).empty());
}

TEST(ReactionDetailText, SelectivityCurveOver251Temperatures) {
  const Arrhenius studied{1e13, 150};
  auto curve = SelectivityCurve(studied, {}, 298.15, 1050);
  ASSERT_EQ(curve.size(), 251u);
  EXPECT_DOUBLE_EQ(curve.front().first, 298.15);
  EXPECT_DOUBLE_EQ(curve.back().first, 1050);
  for (const auto& [T, share] : curve) EXPECT_EQ(share, 1.0) << T;

  // An equal competitor halves the share; a faster one takes more at low T.
  curve = SelectivityCurve(studied, {{1e13, 150}, {1e13, 100}}, 500, 1000);
  const double k0 = 1e13 * std::exp(-1000 * 150 / (8.314 * 500)), k2 = 1e13 * std::exp(-1000 * 100 / (8.314 * 500));
  EXPECT_DOUBLE_EQ(curve.front().second, k0 / (2 * k0 + k2));
  EXPECT_LT(curve.front().second, curve.back().second);

  EXPECT_TRUE(SelectivityCurve(studied, {}, 1050, 1050).empty());
  EXPECT_TRUE(SelectivityCurve(studied, {}, 1100, 1050).empty());
  EXPECT_EQ(SelectivityCurve({0, 100}, {{0, 100}}, 300, 400).front().second, 0.0);
}

TEST(ReactionDetailText, SelectivityRangeWithinTheKineticsAndAscending) {
  const std::string outside = "The temperatures of the study must lie between 200 and 3000 K.";
  const std::string reversed = "The temperature \"From\" must be below the temperature \"to\".";
  const std::tuple<double, double, std::string> cases[] = {
      {298.15, 1050, ""}, {200, 3000, ""},         {199.9, 1050, outside}, {300, 3000.1, outside},
      {-50, 400, outside}, {1050, 900, reversed}, {1050, 1050, reversed}, {std::nan(""), 400, outside}};
  for (const auto& [from, to, problem] : cases)
    EXPECT_EQ(SelectivityRangeProblem(from, to), problem) << from << " " << to;
}

}  // namespace
}  // namespace korvane::gui
