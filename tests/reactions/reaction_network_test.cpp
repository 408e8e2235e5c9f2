#include "reactions/reaction_network.h"

#include <gtest/gtest.h>

#include "core/identity.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using testing::AddFeed;
using testing::CheckNetwork;
using testing::MoleculeFrom;

TEST(ReactionNetwork, NewNetworkHoldsTheBuiltInComponents) {
  TReactionNetwork network;
  ASSERT_EQ(network.ComponentCount(), 4u);
  EXPECT_EQ(network.ReactionCount(), 0u);
  ASSERT_EQ(network.Roots().size(), 1u);
  EXPECT_EQ(network.HydrogenAtom(), network.Component(0));
  EXPECT_TRUE(network.Component(0)->IsRadical());
  EXPECT_FALSE(network.Component(0)->Inert);
  EXPECT_EQ(network.Component(1)->Formula(), "He1");
  EXPECT_EQ(network.Roots()[0], network.Component(1));
  EXPECT_EQ(network.Component(2)->Formula(), "N2");
  EXPECT_EQ(network.Component(2)->AdjacencyMatrix()[0][1], 3);
  EXPECT_EQ(network.Component(3)->Formula(), "H2O1");
  for (std::size_t i = 1; i < 4; ++i) EXPECT_TRUE(network.Component(i)->Inert);
  const TNetworkPreferences defaults = network.GetPreferences();
  EXPECT_EQ(defaults.NormTemperature, 1050.0);
  EXPECT_EQ(defaults.EThresholdBetaScission, 200.0);
  EXPECT_EQ(defaults.EThresholdHTransfer, 300.0);
  EXPECT_EQ(defaults.EThresholdAllyl, 200.0);
  EXPECT_EQ(defaults.MinSelectivity, 0.01);
  EXPECT_EQ(CheckNetwork(network), "");
}

TEST(ReactionNetwork, AddAndFindComponents) {
  TReactionNetwork network;
  TMolecule* propane = AddFeed(network, testing::LinearAlkane(3));
  ASSERT_NE(propane, nullptr);
  EXPECT_EQ(propane->ID, 4);
  EXPECT_TRUE(network.IsRoot(propane));
  // Found whatever the atom order.
  auto shuffled = testing::Renumbered(*MoleculeFrom(testing::LinearAlkane(3)), testing::ShuffledOrder(11, 5));
  EXPECT_EQ(network.FindComponent(*shuffled), 4);
  EXPECT_EQ(network.FindComponent(*MoleculeFrom("H.")), 0);
  EXPECT_EQ(network.FindComponent(*MoleculeFrom("C C C; 0-1 1=2")), -1);
  EXPECT_EQ(network.IndexOfComponent(propane), 4);
  EXPECT_EQ(network.IndexOfComponent(shuffled.get()), -1);

  // An impossible structure is refused and changes nothing.
  std::string error;
  EXPECT_EQ(network.AddComponent(TByteMatrix(2, 2, 0), TByteVector(3, 1), TBoolMatrix(2, 2, false), true, &error),
            nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(network.ComponentCount(), 5u);
  EXPECT_EQ(network.Roots().size(), 2u);
}

TEST(ReactionNetwork, FindReturnsTheFirstOfSeveralIdenticalComponents) {
  // Two copies of one species (possible by hand): the first wins, with or
  // without the invariant index.
  TReactionNetwork network;
  AddFeed(network, testing::LinearAlkane(4));
  AddFeed(network, testing::LinearAlkane(4));
  auto query = MoleculeFrom(testing::LinearAlkane(4));
  EXPECT_EQ(network.FindComponent(*query), 4);
  network.SetUseInvariantIndex(false);
  EXPECT_EQ(network.FindComponent(*query), 4);
}

TEST(ReactionNetwork, AddReactionCopyLinksAndRemoveReactionUnlinks) {
  TReactionNetwork network;
  TMolecule* ethyl = AddFeed(network, "C. C; 0-1");
  TMolecule* ethylene = network.AddComponent(MoleculeFrom("C C; 0=1")->AdjacencyMatrix(),
                                             MoleculeFrom("C C; 0=1")->AtomTypes(),
                                             MoleculeFrom("C C; 0=1")->AromaticMatrix(), false);
  TReaction made;
  made.SetParameters(kOtherReaction, 170.0, 2.0e13);
  made.FreqFact2 = "x";
  made.Selectivity = 0.5;
  made.MultiplyByActiveRadicals = true;
  made.AddReactant(ethyl, -2);
  made.AddProduct(ethylene, 2);
  made.AddProduct(network.HydrogenAtom(), 2);
  TReaction* copy = network.AddReactionCopy(made);
  EXPECT_EQ(copy->FreqFact2, "");  // class 10 keeps no recipes
  EXPECT_EQ(copy->Selectivity, 0.5);
  EXPECT_TRUE(copy->MultiplyByActiveRadicals);
  EXPECT_EQ(ethyl->ReactionLinks[kConsumedIn], std::vector<TReaction*>{copy});
  EXPECT_EQ(ethyl->ReactionCoefficients[kConsumedIn], TVector{-2.0});
  EXPECT_EQ(network.HydrogenAtom()->ReactionCoefficients[kFormedIn], TVector{2.0});
  EXPECT_EQ(CheckNetwork(network), "");

  made.ReactionType = kBetaScission;
  EXPECT_EQ(network.AddReactionCopy(made)->FreqFact2, "x");
  network.RemoveReaction(0);
  ASSERT_EQ(network.ReactionCount(), 1u);
  EXPECT_EQ(network.IndexOfReaction(copy), -1);
  for (std::size_t i = 0; i < network.ComponentCount(); ++i)
    for (int side : {kFormedIn, kConsumedIn})
      for (const TReaction* link : network.Component(i)->ReactionLinks[side]) EXPECT_NE(link, copy);
  EXPECT_EQ(CheckNetwork(network), "");
}

TEST(ReactionNetwork, RemovingTheFeedPrunesWhatOnlyItFed) {
  TReactionNetwork network;
  AddFeed(network, testing::LinearAlkane(4));
  network.Generate();
  ASSERT_GT(network.ReactionCount(), 5u);
  network.RemoveComponent(4);
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(network.ReactionCount(), 0u);
  // Components of one atom stay (H and He); everything else goes, the inert
  // N2 and H2O included, since no root reaches them.
  ASSERT_EQ(network.ComponentCount(), 2u);
  EXPECT_EQ(network.Component(0)->Formula(), "H1");
  EXPECT_EQ(network.Component(1)->Formula(), "He1");
  EXPECT_EQ(network.HydrogenAtom(), network.Component(0));
  EXPECT_EQ(network.Roots().size(), 1u);
}

TEST(ReactionNetwork, RemovingAnIntermediateKeepsWhatAnotherPathReaches) {
  TReactionNetwork network;
  AddFeed(network, testing::LinearAlkane(3));
  network.Generate();
  // Remove the isopropyl radical: propylene is still formed from n-propyl.
  auto isopropyl = MoleculeFrom("C C. C; 0-1 1-2");
  const int index = network.FindComponent(*isopropyl);
  ASSERT_GE(index, 0);
  network.RemoveComponent(static_cast<std::size_t>(index));
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(network.FindComponent(*isopropyl), -1);
  EXPECT_GE(network.FindComponent(*MoleculeFrom("C C C; 0-1 1=2")), 0);
  EXPECT_GE(network.FindComponent(*MoleculeFrom("C. C C; 0-1 1-2")), 0);
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) {
    for (const TMolecule* m : network.Reaction(r)->Reactants) EXPECT_FALSE(AreIsomorphic(*m, *isopropyl));
    for (const TMolecule* m : network.Reaction(r)->Products) EXPECT_FALSE(AreIsomorphic(*m, *isopropyl));
  }
}

TEST(ReactionNetwork, RemovalNeverLeavesAReactionOnADeletedComponent) {
  // A hand-made reaction from the feed and an unreached molecule: the
  // reaction is marked from the root, but its other reactant is deleted.
  TReactionNetwork network;
  TMolecule* feed = AddFeed(network, testing::LinearAlkane(2));
  TMolecule* stray = network.AddComponent(MoleculeFrom("C")->AdjacencyMatrix(), MoleculeFrom("C")->AtomTypes(),
                                          MoleculeFrom("C")->AromaticMatrix(), false);
  TMolecule* other = AddFeed(network, testing::LinearAlkane(3));
  TReaction made;
  made.SetParameters(kOtherReaction, 100.0, 1.0e10);
  made.AddReactant(feed, -1);
  made.AddReactant(stray, -1);
  made.AddProduct(network.HydrogenAtom(), 1);
  network.AddReactionCopy(made);
  network.RemoveComponent(static_cast<std::size_t>(other->ID));
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(network.ReactionCount(), 0u);
  EXPECT_EQ(network.FindComponent(*MoleculeFrom("C")), -1);
}

TEST(ReactionNetwork, RemovingTheHydrogenAtomKeepsOneForRecombination) {
  TReactionNetwork network;
  AddFeed(network, testing::LinearAlkane(2));
  network.RemoveComponent(0);
  ASSERT_NE(network.HydrogenAtom(), nullptr);
  EXPECT_EQ(network.HydrogenAtom()->Formula(), "H1");
  EXPECT_TRUE(network.HydrogenAtom()->IsRadical());
  EXPECT_EQ(CheckNetwork(network), "");
  network.Generate();
  EXPECT_EQ(CheckNetwork(network), "");
}

TEST(ReactionNetwork, ReplaceContentRestoresFlagsRootsAndHydrogenAtom) {
  TReactionNetwork network;
  std::vector<std::unique_ptr<TMolecule>> components;
  components.push_back(MoleculeFrom(testing::LinearAlkane(2)));
  components.push_back(MoleculeFrom("C C; 0=1"));
  components.push_back(MoleculeFrom("He.."));
  components.push_back(MoleculeFrom("O"));
  components.push_back(MoleculeFrom("H H; 0-1"));
  std::vector<std::unique_ptr<TReaction>> reactions;
  auto reaction = std::make_unique<TReaction>();
  reaction->SetParameters(kOtherReaction, 300.0, 1.0e13);
  reaction->AddReactant(components[0].get(), -1);
  reaction->AddProduct(components[1].get(), 1);
  reaction->AddProduct(components[4].get(), 1);
  reactions.push_back(std::move(reaction));
  network.ReplaceContent(std::move(components), std::move(reactions));

  ASSERT_EQ(network.ComponentCount(), 6u);  // a hydrogen atom was appended
  EXPECT_EQ(network.HydrogenAtom(), network.Component(5));
  EXPECT_TRUE(network.Component(2)->Inert);
  EXPECT_TRUE(network.Component(3)->Inert);
  EXPECT_FALSE(network.Component(0)->Inert);
  // Roots: ethane (formed by nothing) and helium; not the formed products,
  // not the inert water, not the hydrogen atom.
  EXPECT_EQ(network.Roots(), (TMoleculeVector{network.Component(0), network.Component(2)}));
  EXPECT_EQ(network.Reaction(0)->SelectivityAfterFilter, 1.0);
  EXPECT_EQ(CheckNetwork(network), "");
}

}  // namespace
}  // namespace korvane
