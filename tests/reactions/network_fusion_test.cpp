#include <gtest/gtest.h>

#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

using testing::AddFeed;
using testing::CheckNetwork;
using testing::CompareNetworks;
using testing::LinearAlkane;
using testing::MoleculeFrom;

TEST(Fusion, SameFeedSamePreferencesAddsNothing) {
  TReactionNetwork destination, source, reference;
  for (TReactionNetwork* network : {&destination, &source, &reference}) {
    AddFeed(*network, LinearAlkane(4));
    network->Generate();
  }
  destination.Fuse({&source});
  EXPECT_EQ(CompareNetworks(destination, reference), "");
  EXPECT_EQ(CheckNetwork(destination), "");
}

TEST(Fusion, AddsNewComponentsAndReactionsWithZeroSelectivities) {
  TReactionNetwork destination, source;
  AddFeed(destination, LinearAlkane(2));
  destination.Generate();
  AddFeed(source, LinearAlkane(3));
  source.Generate();
  const std::size_t sourceComponents = source.ComponentCount();
  const std::size_t sourceReactions = source.ReactionCount();
  destination.Fuse({&source});
  EXPECT_EQ(CheckNetwork(destination), "");
  // The source is unchanged.
  EXPECT_EQ(source.ComponentCount(), sourceComponents);
  EXPECT_EQ(source.ReactionCount(), sourceReactions);
  // Every source component is now identical to a destination component.
  for (std::size_t i = 0; i < source.ComponentCount(); ++i)
    EXPECT_GE(destination.FindComponent(*source.Component(i)), 0) << i;
  // Propane became a root; built-ins are not duplicated.
  const int propane = destination.FindComponent(*MoleculeFrom(LinearAlkane(3)));
  ASSERT_GE(propane, 0);
  EXPECT_TRUE(destination.IsRoot(destination.Component(static_cast<std::size_t>(propane))));
  int helium = 0;
  for (std::size_t i = 0; i < destination.ComponentCount(); ++i)
    if (destination.Component(i)->Formula() == "He1") ++helium;
  EXPECT_EQ(helium, 1);
  // Appended reactions start with a zero projecting selectivity.
  const TMolecule* feed = destination.Component(static_cast<std::size_t>(propane));
  for (const TReaction* r : feed->ReactionLinks[kConsumedIn]) {
    EXPECT_EQ(r->Selectivity, 0.0);
    EXPECT_GT(r->SelectivityAfterFilter, 0.0);
  }
}

TEST(Fusion, RootOnlyInTheSourceStaysANonRoot) {
  TReactionNetwork destination, source;
  AddFeed(destination, LinearAlkane(3));
  destination.Generate();
  // Propene is a product in the destination and a feed of the source.
  AddFeed(source, "C C C; 0-1 1=2");
  const int before = destination.FindComponent(*MoleculeFrom("C C C; 0-1 1=2"));
  ASSERT_GE(before, 0);
  destination.Fuse({&source});
  EXPECT_FALSE(destination.IsRoot(destination.Component(static_cast<std::size_t>(before))));
  EXPECT_EQ(CheckNetwork(destination), "");
}

TEST(Fusion, ReactionsMatchOnParametersAndParticipantsUpToOrder) {
  auto build = [](TReactionNetwork& network, double frequency, bool swapProducts) {
    TMolecule* ethyl = AddFeed(network, "C. C; 0-1");
    auto ethyleneMolecule = MoleculeFrom("C C; 0=1");
    TMolecule* ethylene = network.AddComponent(ethyleneMolecule->AdjacencyMatrix(), ethyleneMolecule->AtomTypes(),
                                               ethyleneMolecule->AromaticMatrix(), false);
    TReaction r;
    r.SetParameters(kOtherReaction, 172.0, frequency);
    r.AddReactant(ethyl, -1);
    if (swapProducts) {
      r.AddProduct(network.HydrogenAtom(), 1);
      r.AddProduct(ethylene, 1);
    } else {
      r.AddProduct(ethylene, 1);
      r.AddProduct(network.HydrogenAtom(), 1);
    }
    network.AddReactionCopy(r);
  };
  TReactionNetwork destination, sameSwapped, otherFrequency;
  build(destination, 1.0e13, false);
  build(sameSwapped, 1.0e13, true);
  build(otherFrequency, 2.0e13, false);
  destination.Fuse({&sameSwapped});
  EXPECT_EQ(destination.ReactionCount(), 1u);
  destination.Fuse({&otherFrequency});
  EXPECT_EQ(destination.ReactionCount(), 2u);  // differs in A only: added
  EXPECT_EQ(CheckNetwork(destination), "");
}

TEST(Fusion, SidesOfFourOrMoreAreAlwaysAdded) {
  auto build = [](TReactionNetwork& network) {
    TMolecule* feed = AddFeed(network, LinearAlkane(4));
    TReaction r;
    r.SetParameters(kOtherReaction, 300.0, 1.0e15);
    r.AddReactant(feed, -1);
    for (int k = 0; k < 4; ++k) r.AddProduct(network.HydrogenAtom(), 1);
    r.AddProduct(network.HydrogenAtom(), 1);
    network.AddReactionCopy(r);
  };
  TReactionNetwork destination, source;
  build(destination);
  build(source);
  destination.Fuse({&source});
  EXPECT_EQ(destination.ReactionCount(), 2u);
  destination.Fuse({&destination});  // never fused into itself
  EXPECT_EQ(destination.ReactionCount(), 2u);
}

}  // namespace
}  // namespace korvane
