#include "gui/network_table.h"

#include <gtest/gtest.h>

#include <cmath>

#include "gui/related_components.h"
#include "network_checks.h"
#include "reactions/recipes.h"
#include "smiles/smiles_reader.h"

namespace korvane::gui {
namespace {

TEST(NetworkTable, SearchIgnoresTheCaseOfLetters) {
  EXPECT_TRUE(ContainsText("n-Hexane", "HEX"));
  EXPECT_TRUE(ContainsText("C6H14", "c6h"));
  EXPECT_TRUE(ContainsText("anything", ""));
  EXPECT_FALSE(ContainsText("C6H14", "C7"));
  EXPECT_FALSE(ContainsText("", "C"));
}

// Propane's primary network: hydrogen transfers to two propyls, which
// split into ethylene + methyl or propene + H.
class NetworkTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    propane = testing::AddFeed(network, "C C C; 0-1 1-2");
    network.Generate();
  }
  std::vector<int> all(std::size_t count) const {
    std::vector<int> positions(count);
    for (std::size_t i = 0; i < count; ++i) positions[i] = static_cast<int>(i);
    return positions;
  }
  ComponentTableSource components() {
    return ComponentTableSource(network, all(network.ComponentCount()), [this](const TMolecule& molecule) {
      ++smilesMade;
      return "smiles" + std::to_string(molecule.ID);
    });
  }
  TReactionNetwork network;
  TMolecule* propane = nullptr;
  int smilesMade = 0;
};

TEST_F(NetworkTableTest, ComponentCellsOfPropane) {
  ComponentTableSource table = components();
  const auto row = static_cast<std::size_t>(propane->ID);
  ASSERT_EQ(table.Columns().size(), 10u);
  EXPECT_EQ(table.Text(row, kComponentIndex), std::to_string(propane->ID));
  EXPECT_EQ(table.Text(row, kComponentName), "Noname");
  EXPECT_EQ(table.Text(row, kComponentFormula), "C3H8");
  EXPECT_NEAR(table.Number(row, kComponentMass), 3 * 12.011 + 8 * 1.008, 0.01);
  EXPECT_EQ(table.Text(row, kComponentRadical), "False");
  EXPECT_EQ(table.Text(row, kComponentRings), "0");
  EXPECT_EQ(table.Text(row, kComponentCarbons), "3");
  EXPECT_EQ(table.Text(row, kComponentFeed), "True");
  // Two hydrogen transfers consume propane; nothing forms it.
  EXPECT_EQ(table.Text(row, kComponentReactions), "2");
  EXPECT_EQ(smilesMade, 0);  // SMILES only when asked for
  EXPECT_EQ(table.Text(row, kComponentSmiles), "smiles" + std::to_string(propane->ID));
  EXPECT_EQ(table.Text(row, kComponentSmiles), "smiles" + std::to_string(propane->ID));
  EXPECT_EQ(smilesMade, 1);

  // The inert components: Hill order without carbon is alphabetical.
  EXPECT_EQ(table.Text(1, kComponentFormula), "He");
  EXPECT_EQ(table.Text(3, kComponentFormula), "H2O");
  EXPECT_EQ(table.Text(0, kComponentRadical), "True");
  EXPECT_EQ(table.Text(0, kComponentFeed), "False");
}

TEST_F(NetworkTableTest, RingsCountIndependentCycles) {
  struct Case {
    const char* smiles;
    int rings;
  };
  for (const Case& each : {Case{"CCC", 0}, Case{"C1CCCCC1", 1}, Case{"c1ccc2ccccc2c1", 2}, Case{"C12CC1C2", 2}}) {
    const auto molecule = MoleculeFromSmiles(each.smiles);
    ASSERT_TRUE(molecule) << each.smiles;
    EXPECT_EQ(RingCount(*molecule.value()), each.rings) << each.smiles;
  }
}

TEST_F(NetworkTableTest, SearchMatchesNameFormulaAndSmilesAndMakesMissingSmilesInTurn) {
  ComponentTableSource table = components();
  const auto row = static_cast<std::size_t>(propane->ID);
  EXPECT_TRUE(table.Matches(row, "c3h8"));
  EXPECT_FALSE(table.Matches(row, "name"));  // "Noname" is no name
  propane->Name = "Propane";
  EXPECT_TRUE(table.Matches(row, "ropa"));
  EXPECT_TRUE(table.Matches(row, "SMILES" + std::to_string(propane->ID)));
  EXPECT_FALSE(table.Matches(row, "C4"));

  const std::size_t count = network.ComponentCount();
  EXPECT_EQ(table.Prepare(2), count - 3);  // propane's was made by the search
  EXPECT_EQ(table.Prepare(count), 0u);
  EXPECT_EQ(smilesMade, static_cast<int>(count));
}

TEST_F(NetworkTableTest, ReactionCellsNameParticipantsAndComputeTheRateAtTheNetworkTemperature) {
  ReactionTableSource table(network, all(network.ReactionCount()));
  ASSERT_EQ(table.Columns().size(), 9u);
  int scissions = 0;
  for (std::size_t row = 0; row < network.ReactionCount(); ++row) {
    const TReaction& reaction = *network.Reaction(row);
    const std::string equation = table.Text(row, kReactionEquation);
    if (reaction.ReactionType == kBetaScission) {
      ++scissions;
      EXPECT_TRUE(equation == "C3H7 => C2H4 + CH3" || equation == "C3H7 => C3H6 + H") << equation;
      EXPECT_EQ(table.Text(row, kReactionType), "Beta-Scission");
    }
    const double k = reaction.FreqFactor * std::exp(-1000 * reaction.ActEnergy / (8.314 * 1050));
    EXPECT_NEAR(table.Number(row, kReactionRate), k, 1e-9 * k);
    EXPECT_EQ(table.Involves(row, *propane), reaction.HasReactant(propane));
  }
  EXPECT_GE(scissions, 2);
  EXPECT_EQ(table.Missing(kReactionAbsolute), network.ReactionCount());
  EXPECT_EQ(table.Number(0, kReactionAbsolute), network.AbsoluteSelectivity(0));
  EXPECT_EQ(table.Missing(kReactionAbsolute), network.ReactionCount() - 1);
  EXPECT_EQ(table.Missing(kReactionRate), 0u);
  propane->Name = "propane";
  EXPECT_EQ(EquationText(*propane->ReactionLinks[kConsumedIn][0]), "propane => H + C3H7");
}

TEST_F(NetworkTableTest, RelatedComponentsCountedOnce) {
  const std::vector<RelatedCount> counted = CountRelated(RelatedComponents(*propane, RelatedFilter{}));
  ASSERT_EQ(counted.size(), 3u);  // H, then the two propyls
  EXPECT_EQ(counted[0].Component, network.HydrogenAtom());
  EXPECT_EQ(counted[0].Reactions, 2);
  EXPECT_EQ(counted[1].Reactions, 1);
  EXPECT_NE(counted[1].Component, counted[2].Component);
  EXPECT_EQ(RelatedCountText(1), " (1 reaction)");
  EXPECT_EQ(RelatedCountText(2), " (2 reactions)");
}

}  // namespace
}  // namespace korvane::gui
