#include "gui/manual_reaction_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "network_checks.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {
namespace {

using Lines = std::vector<std::string>;
using Outcome = TManualCheckOutcome;

// Components: 4 ethane (30), 5 methyl (15), 6 hexylamine and 7 a heptyl
// radical whose last carbon is carbon-14: both C6H15 with N against (14)C,
// 0.0068 g/mol apart in about 200.
class ManualReactionCheck : public ::testing::Test {
 protected:
  ManualReactionCheck() {
    for (const char* feed : {"C C; 0-1", "C.", "C C C C C C N; 0-1 1-2 2-3 3-4 4-5 5-6",
                             "C C C C C C C14.; 0-1 1-2 2-3 3-4 4-5 5-6"})
      testing::AddFeed(network, feed);
  }
  // Ethane -> methyl + methyl, beta-scission with the recipes (1) and (9, 15).
  static TManualReactionInput Scission() {
    TManualReactionInput input;
    input.ReactionType = kBetaScission;
    input.ProductCount = 2;
    input.Reactants[0] = {4, "-1"};
    input.Products = {TManualParticipant{5, "1"}, TManualParticipant{5, "1"}};
    input.Parameters = TManualParameters::Global;
    input.FrequencyEntry = kA_BetaSc_CC;
    input.EnergyEntries = {kE_BetaSc_CC_1subst, kE_BetaSc_DoubleAlfa};
    return input;
  }
  static std::function<void(TManualReactionInput&)> Explicit(const char* a, const char* e) {
    return [a, e](TManualReactionInput& in) {
      in.Parameters = TManualParameters::Explicit;
      in.FrequencyFactor = a;
      in.ActivationEnergy = e;
    };
  }
  TManualReactionCheck check(const TManualReactionInput& input) {
    return CheckManualReaction(input, TReaction(), network);
  }

  TReactionNetwork network;
};

TEST_F(ManualReactionCheck, ABalancedReactionWithGlobalParametersIsAcceptedWithItsRecipes) {
  const TManualReactionCheck result = check(Scission());
  EXPECT_EQ(result.Report, (Lines{"Checking specified reaction:", "", "Reaction type:  OK",
                                  "Reactants and stechiometry: OK", "Products and stechiometry: OK", "Mass balance: OK",
                                  "Activating energy: OK", "Other checkings: OK"}));
  EXPECT_EQ(result.Outcome, Outcome::Accepted);
  EXPECT_EQ(result.Reaction.FreqFact2, std::string{char(kA_BetaSc_CC)});
  EXPECT_EQ(result.Reaction.ActEnerg2, (std::string{char(kE_BetaSc_CC_1subst), char(kE_BetaSc_DoubleAlfa)}));
  EXPECT_EQ(result.Reaction.Reactants, TMoleculeVector{network.Component(4)});
  EXPECT_EQ(result.Reaction.ProductCoefs, (TIntVector{1, 1}));
}

// Each case changes the scission and names the report line that carries the
// finding; an error is the last line of the report.
TEST_F(ManualReactionCheck, FindingsAppearOnTheirLineAndAnErrorEndsTheReport) {
  const std::string missing = " ERROR: One or both reactant molecule object does not exist. ";
  struct Case {
    std::function<void(TManualReactionInput&)> change;
    std::string line;
    Outcome outcome;
  };
  const std::vector<Case> cases = {
      // Energies in kJ/mol: below 1 is unusually small, above 1000 very high.
      {Explicit("1e10", "150"), "Frequency factor: WARNING: Frequency factor unusually small.", Outcome::Warnings},
      {Explicit("2e13", "0,5"), "Activating energy: WARNING: Activating energy unusually small.", Outcome::Warnings},
      {Explicit("2e13", "1500"), "Activating energy: WARNING: Activating energy is very high.", Outcome::Warnings},
      {Explicit("2e13", "-5"), "Activating energy: ERROR: Activating energy negative is not possible.", Outcome::Error},
      {Explicit("1e", "150"), "Frequency factor: ERROR: Invalid number format.", Outcome::Error},
      {Explicit("-2e13", "150"), "Frequency factor: ERROR: Frequency factor negative is not possible.",
       Outcome::Error},
      {[](TManualReactionInput& in) { in.ReactantCount = 3; }, "Reactants and stechiometry:" + missing,
       Outcome::Error},
      {[](TManualReactionInput& in) { in.Products[1].Component.reset(); }, "Products and stechiometry:" + missing,
       Outcome::Error},
      {[](TManualReactionInput& in) { in.Reactants[0].Coefficient = "0"; },
       "Reactants and stechiometry: ERROR: Stechiometric coefficient must be a whole number other than zero.",
       Outcome::Error},
      {[](TManualReactionInput& in) { in.Products[1].Coefficient = "2"; },
       "Mass balance: ERROR: Reaction does not match mass balance!", Outcome::Error},
      {[](TManualReactionInput& in) {  // N against carbon-14
         in.ProductCount = 1;
         in.Reactants[0].Component = 6;
         in.Products[0].Component = 7;
       },
       "Mass balance: WARNING: Reaction does not match mass balance exactly but only aproximatly. There is some "
       "infinitesimal deviation.",
       Outcome::Warnings},
      {[](TManualReactionInput& in) { in.EnergyEntries.clear(); },
       "Activating energy:WARNING: Activating enegy is zero!", Outcome::Warnings},
      {[](TManualReactionInput& in) { in.FrequencyEntry = 200; },  // 28 entries only
       "Activating energy:ERROR: Invalid frequency factor.", Outcome::Error},
      {[](TManualReactionInput& in) {
         in.ReactionType = kOtherReaction2;  // 256 entries
         in.FrequencyEntry = 200;
       },
       "Reaction type:  WARNING - reaction types \"other\" and \"other2\" is not recommended. Properties are not "
       "established.",
       Outcome::Warnings},
  };
  for (const Case& c : cases) {
    TManualReactionInput input = Scission();
    c.change(input);
    const TManualReactionCheck result = check(input);
    const auto line = std::find(result.Report.begin(), result.Report.end(), c.line);
    EXPECT_NE(line, result.Report.end()) << c.line;
    EXPECT_EQ(result.Outcome, c.outcome) << c.line;
    if (c.outcome == Outcome::Error) {
      EXPECT_EQ(result.Report.back(), c.line);
    }
  }

  // Values entered explicitly are the reaction's kinetics, for every class;
  // for 230 kJ/mol, a usual hydrogen transfer, nothing is unusual.
  TManualReactionInput input = Scission();
  input.ReactionType = kHydrogenTransfer;
  Explicit("2,5e13", "2,3e2")(input);
  TManualReactionCheck result = check(input);
  EXPECT_EQ(Lines(result.Report.begin() + 6, result.Report.end()),
            (Lines{"Frequency factor: OK", "Activating energy: OK", "Other checkings: OK"}));
  EXPECT_EQ(result.Outcome, Outcome::Accepted);
  EXPECT_EQ(result.Reaction.FreqFactor, 2.5e13);
  EXPECT_EQ(result.Reaction.ActEnergy, 230.0);
  EXPECT_TRUE(result.Reaction.ExplicitKinetics);
  EXPECT_EQ(result.Reaction.FreqFact2, "");  // the recipes of the start record stay
  EXPECT_EQ(result.Reaction.ActivationEnergyValue(kKineticParameterDefaults, {}), 230.0);
  EXPECT_FALSE(CheckManualReaction(Scission(), result.Reaction, network).Reaction.ExplicitKinetics);
  input = Scission();
  input.ReactionType = kOtherReaction2;
  input.FrequencyEntry = 200;
  EXPECT_EQ(check(input).Reaction.FreqFact2, std::string(1, static_cast<char>(200)));

  // Two reactant rows: a component twice, signs as held whatever was typed.
  input = Scission();
  input.ReactantCount = 2;
  input.Reactants = {TManualParticipant{5, "1"}, TManualParticipant{5, "-1"}};
  input.ProductCount = 1;
  input.Products[0] = {4, "-1"};
  result = check(input);
  EXPECT_EQ(result.Outcome, Outcome::Accepted);
  EXPECT_EQ(result.Reaction.ReactantCoefs, (TIntVector{-1, -1}));
  EXPECT_EQ(result.Reaction.ProductCoefs, TIntVector{1});
}

TEST(ManualReactionFields, CoefficientSignsAndAcceptedKeys) {
  const std::vector<std::tuple<const char*, bool, std::optional<std::string>>> cases = {
      {"2", true, "-2"},   {"+2", true, "-2"}, {"-2", true, std::nullopt}, {"-", true, std::nullopt},
      {"-1", false, "1"},  {"1", false, std::nullopt}, {"0", true, std::nullopt}, {"1e", true, std::nullopt},
  };
  for (const auto& [text, reactant, expected] : cases)
    EXPECT_EQ(NormalizedCoefficientText(text, reactant), expected) << text << (reactant ? " reactant" : " product");
  EXPECT_TRUE(HasOnlyCharacters("+1,5E-3", kCoefficientCharacters));
  EXPECT_FALSE(HasOnlyCharacters("+1", kParameterCharacters));
  EXPECT_FALSE(HasOnlyCharacters("1 ", kCoefficientCharacters));
}

}  // namespace
}  // namespace korvane::gui
