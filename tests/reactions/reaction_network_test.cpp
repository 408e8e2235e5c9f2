#include "reactions/reaction_network.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using testing::AddFeed;
using testing::CheckNetwork;
using testing::LinearAlkane;
using testing::MoleculeFrom;

TMolecule* AddIntermediate(TReactionNetwork& network, const std::string& description) {
  auto molecule = MoleculeFrom(description);
  return network.AddComponent(molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix(), false);
}

std::vector<std::string> Formulas(const TReactionNetwork& network) {
  std::vector<std::string> formulas;
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) formulas.push_back(network.Component(i)->Formula());
  return formulas;
}

TEST(ReactionNetwork, AddAndFindComponents) {
  TReactionNetwork network;
  TMolecule* propane = AddFeed(network, LinearAlkane(3));
  // Found whatever the atom order; the first of two copies wins.
  auto shuffled = testing::Renumbered(*MoleculeFrom(LinearAlkane(3)), testing::ShuffledOrder(11, 5));
  AddFeed(network, LinearAlkane(3));
  EXPECT_EQ(network.FindComponent(*shuffled), 4);
  EXPECT_EQ(network.FindComponent(*MoleculeFrom("H.")), 0);
  EXPECT_EQ(network.FindComponent(*MoleculeFrom("C C C; 0-1 1=2")), -1);
  EXPECT_EQ(network.IndexOfComponent(propane), 4);
  EXPECT_EQ(network.IndexOfComponent(shuffled.get()), -1);  // that very object only

  // An impossible structure is refused and changes nothing.
  std::string error;
  EXPECT_EQ(network.AddComponent(TByteMatrix(2, 2, 0), TByteVector(3, 1), TBoolMatrix(2, 2, false), true, &error),
            nullptr);
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(network.ComponentCount(), 6u);
  EXPECT_EQ(network.Roots().size(), 3u);
}

// Half the physical memory in whole MiB, at least 1, none when unknown; the
// messages round up to hundredths of a MiB.
TEST(MemoryLimit, DefaultIsHalfThePhysicalMemoryAndTextsRoundUp) {
  const std::pair<std::uint64_t, std::size_t> limits[] = {
      {0, kNoMemoryLimit}, {1, kMiB}, {3 * kMiB, kMiB}, {24ull << 30, 12ull << 30}, {(24ull << 30) + kMiB, 12ull << 30}};
  for (const auto& [physical, limit] : limits) EXPECT_EQ(DefaultMemoryLimit(physical), limit) << physical;
  const std::pair<std::size_t, const char*> texts[] = {
      {0, "0"}, {kMiB, "1"}, {kMiB + 1, "1.01"}, {kMiB / 4, "0.25"}, {kMiB + kMiB / 2, "1.5"},
      {kMiB / 10, "0.1"}, {100 * kMiB - 1, "100"}, {12052 * kMiB, "12052"}};
  for (const auto& [bytes, text] : texts) EXPECT_EQ(MiBText(bytes), text) << bytes;
}

TEST(ReactionNetwork, AddReactionCopyLinksAndRemoveReactionUnlinks) {
  TReactionNetwork network;
  TMolecule* ethyl = AddFeed(network, "C. C; 0-1");
  TReaction made;
  made.SetParameters(kOtherReaction, 170.0, 2.0e13);
  made.FreqFact2 = "x";
  made.Selectivity = 0.5;
  made.MultiplyByActiveRadicals = true;
  made.AddReactant(ethyl, -2);
  made.AddProduct(AddIntermediate(network, "C C; 0=1"), 2);
  made.AddProduct(network.HydrogenAtom(), 2);
  TReaction* copy = network.AddReactionCopy(made);
  EXPECT_EQ(copy->FreqFact2, "");  // class 10 keeps no recipes
  EXPECT_EQ(copy->Selectivity, 0.5);
  EXPECT_TRUE(copy->MultiplyByActiveRadicals);
  EXPECT_EQ(CheckNetwork(network), "");  // links and their coefficients agree with the reactions

  made.ReactionType = kBetaScission;
  EXPECT_EQ(network.AddReactionCopy(made)->FreqFact2, "x");
  network.RemoveReaction(0);
  ASSERT_EQ(network.ReactionCount(), 1u);
  EXPECT_EQ(network.IndexOfReaction(copy), -1);
  EXPECT_EQ(CheckNetwork(network), "");
}

// Editing in place keeps the reaction's position and every link where a
// relink would put it, for old and new participants, also one taking part twice.
TEST(ReactionNetwork, EditReactionKeepsTheLinksConsistent) {
  TReactionNetwork network;
  TMolecule* butane = AddFeed(network, LinearAlkane(4));
  network.Generate();
  const int ethylIndex = network.FindComponent(*MoleculeFrom("C. C; 0-1"));
  ASSERT_GE(ethylIndex, 0);
  TMolecule* ethyl = network.Component(static_cast<std::size_t>(ethylIndex));
  const std::size_t edited = network.ReactionCount() / 2;
  TReaction* reaction = network.Reaction(edited);
  const TReaction original = *reaction;

  TReaction changes;
  changes.AddReactant(ethyl, -1);
  changes.AddReactant(ethyl, -1);
  changes.AddProduct(butane, 1);
  changes.SetParameters(kOtherReaction2, 12.5, 3e9);
  changes.FreqFact2 = std::string(1, static_cast<char>(200));
  changes.ActEnerg2 = "\x01\x01";
  changes.MultiplyByActiveRadicals = !original.MultiplyByActiveRadicals;
  network.EditReaction(edited, changes);
  EXPECT_EQ(network.Reaction(edited), reaction);
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(reaction->Reactants, (TMoleculeVector{ethyl, ethyl}));
  EXPECT_EQ(reaction->ProductCoefs, TIntVector{1});
  EXPECT_EQ(reaction->ActivationEnergyValue({}, std::vector<double>(256, 1.5)), 3.0);
  EXPECT_EQ(reaction->FreqFactor, 3e9);
  EXPECT_EQ(reaction->MultiplyByActiveRadicals, changes.MultiplyByActiveRadicals);
  EXPECT_EQ(reaction->SelectivityAfterFilter, original.SelectivityAfterFilter);

  network.EditReaction(edited, original);
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(reaction->Reactants, original.Reactants);
  EXPECT_EQ(reaction->ActEnerg2, original.ActEnerg2);
}

// A new network holds the built-in components (H, He, N2, H2O; all but H
// inert) and the default preferences.
TEST(ReactionNetwork, NewNetworkHoldsTheBuiltInsAndRemovalPrunesWhatNoRootReaches) {
  TReactionNetwork network;
  EXPECT_EQ(Formulas(network), (std::vector<std::string>{"H1", "He1", "N2", "H2O1"}));
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(network.Component(i)->Inert, i > 0) << i;
  EXPECT_EQ(network.GetPreferences(), (TNetworkPreferences{1050.0, 200.0, 300.0, 200.0, 0.01}));
  AddFeed(network, LinearAlkane(3));
  network.Generate();
  // Remove the isopropyl radical: propene is still formed from n-propyl.
  auto isopropyl = MoleculeFrom("C C. C; 0-1 1-2");
  const int index = network.FindComponent(*isopropyl);
  ASSERT_GE(index, 0);
  network.RemoveComponent(static_cast<std::size_t>(index));
  EXPECT_EQ(CheckNetwork(network), "");  // IDs dense, no reaction names a component that is gone
  EXPECT_EQ(network.FindComponent(*isopropyl), -1);
  EXPECT_GE(network.FindComponent(*MoleculeFrom("C C C; 0-1 1=2")), 0);
  EXPECT_GE(network.FindComponent(*MoleculeFrom("C. C C; 0-1 1-2")), 0);
  // No root reaches the inert N2 and H2O: any removal deletes them.
  EXPECT_EQ(network.FindComponent(*MoleculeFrom("N N; 0#1")), -1);
  EXPECT_EQ(network.FindComponent(*MoleculeFrom("O")), -1);

  // Remove the feed: only the one-atom components (H and He) stay.
  network.RemoveComponent(static_cast<std::size_t>(network.FindComponent(*MoleculeFrom(LinearAlkane(3)))));
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(network.ReactionCount(), 0u);
  EXPECT_EQ(Formulas(network), (std::vector<std::string>{"H1", "He1"}));
  EXPECT_EQ(network.HydrogenAtom(), network.Component(0));
  EXPECT_EQ(network.Roots(), TMoleculeVector{network.Component(1)});

  // Removing the hydrogen atom appends a new one for recombination.
  network.RemoveComponent(0);
  ASSERT_EQ(Formulas(network), (std::vector<std::string>{"He1", "H1"}));
  EXPECT_EQ(network.HydrogenAtom(), network.Component(1));
  EXPECT_TRUE(network.HydrogenAtom()->IsRadical());
  network.Generate();
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(network.ReactionCount(), 1u);  // H + H
}

TEST(ReactionNetwork, RemovalNeverLeavesAReactionOnADeletedComponent) {
  // A hand-made reaction from the feed and an unreached molecule: the
  // reaction is marked from the root, but its other reactant is deleted.
  TReactionNetwork network;
  TMolecule* feed = AddFeed(network, LinearAlkane(2));
  TMolecule* stray = AddIntermediate(network, "C");
  TMolecule* other = AddFeed(network, LinearAlkane(3));
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

TEST(ReactionNetwork, ReplaceContentRestoresFlagsRootsAndHydrogenAtom) {
  std::vector<std::unique_ptr<TMolecule>> components;
  for (const char* description : {"C C; 0-1", "C C; 0=1", "He..", "O", "H H; 0-1"})
    components.push_back(MoleculeFrom(description));
  std::vector<std::unique_ptr<TReaction>> reactions;
  reactions.push_back(std::make_unique<TReaction>());
  reactions[0]->SetParameters(kOtherReaction, 300.0, 1.0e13);
  reactions[0]->AddReactant(components[0].get(), -1);
  reactions[0]->AddProduct(components[1].get(), 1);
  reactions[0]->AddProduct(components[4].get(), 1);
  TReactionNetwork network;
  network.ReplaceContent(std::move(components), std::move(reactions));

  ASSERT_EQ(network.ComponentCount(), 6u);  // a hydrogen atom was appended
  EXPECT_EQ(network.HydrogenAtom(), network.Component(5));
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(network.Component(i)->Inert, i == 2 || i == 3) << i;
  // Roots: ethane (formed by nothing) and helium; not the formed products,
  // not the inert water, not the hydrogen atom.
  EXPECT_EQ(network.Roots(), (TMoleculeVector{network.Component(0), network.Component(2)}));
  EXPECT_EQ(network.Reaction(0)->SelectivityAfterFilter, 1.0);
  EXPECT_EQ(CheckNetwork(network), "");
}

}  // namespace
}  // namespace korvane
