#include "gui/manual_reaction_check.h"

#include <gtest/gtest.h>

#include "network_checks.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {
namespace {

using Lines = std::vector<std::string>;

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
  // Ethane -> methyl + methyl with global parameters.
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
  static TManualReactionInput Explicit(const char* a, const char* e) {
    TManualReactionInput input = Scission();
    input.Parameters = TManualParameters::Explicit;
    input.FrequencyFactor = a;
    input.ActivationEnergy = e;
    return input;
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
  EXPECT_EQ(result.Outcome, TManualCheckOutcome::Accepted);
  const TReaction& reaction = result.Reaction;
  EXPECT_EQ(reaction.FreqFact2, std::string{char(kA_BetaSc_CC)});
  EXPECT_EQ(reaction.ActEnerg2, (std::string{char(kE_BetaSc_CC_1subst), char(kE_BetaSc_DoubleAlfa)}));
  EXPECT_EQ(reaction.Reactants, TMoleculeVector{network.Component(4)});
  EXPECT_EQ(reaction.ProductCoefs, (TIntVector{1, 1}));
}

TEST_F(ManualReactionCheck, ExplicitParametersAreCheckedInOrderAndAnErrorEndsTheReport) {
  struct Case {
    const char* a;
    const char* e;
    Lines tail;  // the report from the frequency factor on
    TManualCheckOutcome outcome;
  };
  const std::vector<Case> cases = {
      {"2e13", "1500", {"Frequency factor: OK", "Activating energy: OK", "Other checkings: OK"},
       TManualCheckOutcome::Accepted},
      {"1e10", "1500",
       {"Frequency factor: WARNING: Frequency factor unusually small.", "Activating energy: OK", "Other checkings: OK"},
       TManualCheckOutcome::Warnings},
      {"2e13", "200",
       {"Frequency factor: OK", "Activating energy: WARNING: Activating energy unusually small.",
        "Other checkings: OK"},
       TManualCheckOutcome::Warnings},
      {"2e13", "2e6",
       {"Frequency factor: OK", "Activating energy: WARNING: Activating energy is very high.", "Other checkings: OK"},
       TManualCheckOutcome::Warnings},
      {"2e13", "-5", {"Frequency factor: OK", "Activating energy: ERROR: Activating energy negative is not possible."},
       TManualCheckOutcome::Error},
      {"1e", "1500", {"Frequency factor: ERROR: Invalid number format."}, TManualCheckOutcome::Error},
      {"-2e13", "1500", {"Frequency factor: ERROR: Frequency factor negative is not possible."},
       TManualCheckOutcome::Error},
      {"2,5e13", "1,5e3", {"Frequency factor: OK", "Activating energy: OK", "Other checkings: OK"},
       TManualCheckOutcome::Accepted},
  };
  for (const Case& c : cases) {
    const TManualReactionCheck result = check(Explicit(c.a, c.e));
    const Lines tail(result.Report.begin() + std::min<std::ptrdiff_t>(6, std::ssize(result.Report)),
                     result.Report.end());
    EXPECT_EQ(tail, c.tail) << c.a << " " << c.e;
    EXPECT_EQ(result.Outcome, c.outcome) << c.a << " " << c.e;
  }
  const TReaction reaction = check(Explicit("2,5e13", "1,5e3")).Reaction;
  EXPECT_EQ(reaction.FreqFactor, 2.5e13);
  EXPECT_EQ(reaction.ActEnergy, 1500.0);
  EXPECT_EQ(reaction.FreqFact2, "");  // the recipes of the start record stay
}

TEST_F(ManualReactionCheck, ParticipantFaultsAndTheMassBalance) {
  struct Case {
    const char* what;
    void (*change)(TManualReactionInput&);
    Lines tail;  // the report from the reactants on
    TManualCheckOutcome outcome;
  };
  const std::string missing = " ERROR: One or both reactant molecule object does not exist. ";
  const std::vector<Case> cases = {
      {"three reactants", [](TManualReactionInput& in) { in.ReactantCount = 3; },
       {"Reactants and stechiometry:" + missing}, TManualCheckOutcome::Error},
      {"no second product", [](TManualReactionInput& in) { in.Products[1].Component.reset(); },
       {"Reactants and stechiometry: OK", "Products and stechiometry:" + missing}, TManualCheckOutcome::Error},
      {"zero coefficient", [](TManualReactionInput& in) { in.Reactants[0].Coefficient = "0"; },
       {"Reactants and stechiometry: ERROR: Stechiometric coefficient must be a whole number other than zero."},
       TManualCheckOutcome::Error},
      {"unbalanced", [](TManualReactionInput& in) { in.Products[1].Coefficient = "2"; },
       {"Reactants and stechiometry: OK", "Products and stechiometry: OK",
        "Mass balance: ERROR: Reaction does not match mass balance!"},
       TManualCheckOutcome::Error},
      {"N against carbon-14",
       [](TManualReactionInput& in) {
         in.ProductCount = 1;
         in.Reactants[0].Component = 6;
         in.Products[0].Component = 7;
       },
       {"Reactants and stechiometry: OK", "Products and stechiometry: OK",
        "Mass balance: WARNING: Reaction does not match mass balance exactly but only aproximatly. There is some "
        "infinitesimal deviation.",
        "Activating energy: OK", "Other checkings: OK"},
       TManualCheckOutcome::Warnings},
  };
  for (const Case& c : cases) {
    TManualReactionInput input = Scission();
    c.change(input);
    const TManualReactionCheck result = check(input);
    EXPECT_EQ(Lines(result.Report.begin() + 3, result.Report.end()), c.tail) << c.what;
    EXPECT_EQ(result.Outcome, c.outcome) << c.what;
  }
  // Two reactant rows: a component twice, signs as held whatever was typed.
  TManualReactionInput twice = Scission();
  twice.ReactantCount = 2;
  twice.Reactants = {TManualParticipant{5, "1"}, TManualParticipant{5, "-1"}};
  twice.ProductCount = 1;
  twice.Products[0] = {4, "-1"};
  const TManualReactionCheck result = check(twice);
  EXPECT_EQ(result.Outcome, TManualCheckOutcome::Accepted);
  EXPECT_EQ(result.Reaction.ReactantCoefs, (TIntVector{-1, -1}));
  EXPECT_EQ(result.Reaction.ProductCoefs, TIntVector{1});
}

TEST_F(ManualReactionCheck, OtherClassesWarnAndGlobalListsReportWithoutABlank) {
  TManualReactionInput input = Scission();
  input.ReactionType = kOtherReaction2;
  input.FrequencyEntry = 200;  // the alternative table has 256 entries
  input.EnergyEntries.clear();
  TManualReactionCheck result = check(input);
  EXPECT_EQ(result.Report[2],
            "Reaction type:  WARNING - reaction types \"other\" and \"other2\" is not recommended. Properties are not "
            "established.");
  EXPECT_EQ(result.Report[6], "Activating energy:WARNING: Activating enegy is zero!");
  EXPECT_EQ(result.Outcome, TManualCheckOutcome::Warnings);
  EXPECT_EQ(result.Reaction.FreqFact2, std::string(1, static_cast<char>(200)));

  input.ReactionType = kBetaScission;  // 28 entries: 200 is no entry
  result = check(input);
  EXPECT_EQ(result.Report.back(), "Activating energy:ERROR: Invalid frequency factor.");
  EXPECT_EQ(result.Outcome, TManualCheckOutcome::Error);
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
