#include "gui/related_components.h"

#include <gtest/gtest.h>

#include "network_checks.h"

namespace korvane::gui {
namespace {

// Propane's primary network: propane loses a hydrogen to two propyl
// radicals; the propyls split into ethylene + methyl or propene + H.
class RelatedComponentsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    propane = testing::AddFeed(network, "C C C; 0-1 1-2");
    network.Generate();
  }
  static std::vector<std::string> formulas(const std::vector<const TMolecule*>& molecules) {
    std::vector<std::string> result;
    for (const TMolecule* molecule : molecules) result.push_back(molecule->Formula());
    return result;
  }
  TReactionNetwork network;
  TMolecule* propane = nullptr;
};

TEST_F(RelatedComponentsTest, ProductsAndPrecursorsThroughTheAcceptedReactions) {
  RelatedFilter filter;
  const auto products = RelatedComponents(*propane, filter);
  // Two hydrogen transfers, each making H and a propyl radical: duplicates kept.
  EXPECT_EQ(formulas(products), (std::vector<std::string>{"H1", "H7C3", "H1", "H7C3"}));

  filter.FilterReactions = true;
  EXPECT_TRUE(RelatedComponents(*propane, filter).empty());
  filter.BetaScission = true;
  EXPECT_TRUE(RelatedComponents(*propane, filter).empty());
  filter.HydrogenTransfer = true;
  EXPECT_EQ(RelatedComponents(*propane, filter).size(), 4u);

  filter.FilterComponents = true;
  EXPECT_TRUE(RelatedComponents(*propane, filter).empty());
  filter.Radicals = true;
  filter.OnlyFraction = true;
  filter.Fraction = 3;
  EXPECT_EQ(formulas(RelatedComponents(*propane, filter)), (std::vector<std::string>{"H7C3", "H7C3"}));

  // A propyl radical's precursor is propane.
  const TMolecule* propyl = products[1];
  RelatedFilter precursors;
  precursors.Products = false;
  EXPECT_EQ(RelatedComponents(*propyl, precursors), (std::vector<const TMolecule*>{propane}));
}

}  // namespace
}  // namespace korvane::gui
