#include <gtest/gtest.h>

#include <cmath>

#include "core/identity.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

using testing::AddFeed;
using testing::CheckNetwork;
using testing::LinearAlkane;
using testing::MoleculeFrom;

const TMolecule* Find(const TReactionNetwork& network, const std::string& description) {
  const int index = network.FindComponent(*MoleculeFrom(description));
  return index < 0 ? nullptr : network.Component(static_cast<std::size_t>(index));
}

TEST(Generation, BuiltInsOnlyGiveHydrogenRecombination) {
  TReactionNetwork network;
  network.Generate();
  ASSERT_EQ(network.ReactionCount(), 1u);
  const TReaction& reaction = *network.Reaction(0);
  EXPECT_EQ(reaction.ReactionType, kRecombination);
  EXPECT_EQ(reaction.Reactants, (TMoleculeVector{network.HydrogenAtom(), network.HydrogenAtom()}));
  ASSERT_EQ(network.ComponentCount(), 5u);
  EXPECT_EQ(reaction.Products, TMoleculeVector{network.Component(4)});
  EXPECT_EQ(network.Component(4)->Formula(), "H2");
  // The hydrogen atom appears twice in its own consumed-in list.
  EXPECT_EQ(network.HydrogenAtom()->ReactionLinks[kConsumedIn].size(), 2u);
  EXPECT_DOUBLE_EQ(reaction.SelectivityAfterFilter, 0.5);
  EXPECT_EQ(CheckNetwork(network), "");
}

TEST(Generation, EthaneNetwork) {
  TReactionNetwork network;
  TMolecule* ethane = AddFeed(network, LinearAlkane(2));
  network.Generate();
  EXPECT_EQ(CheckNetwork(network), "");
  ASSERT_EQ(network.ReactionCount(), 3u);
  ASSERT_EQ(network.ComponentCount(), 8u);

  const TReaction& transfer = *network.Reaction(0);
  EXPECT_EQ(transfer.ReactionType, kHydrogenTransfer);
  EXPECT_EQ(transfer.Reactants, TMoleculeVector{ethane});
  EXPECT_EQ(transfer.ReactantCoefs, TIntVector{-6});
  EXPECT_EQ(transfer.ProductCoefs, (TIntVector{6, 6}));
  EXPECT_EQ(transfer.Products[0], network.HydrogenAtom());
  EXPECT_EQ(transfer.Products[1], Find(network, "C. C; 0-1"));
  EXPECT_EQ(transfer.ActEnergy, 225.0);
  EXPECT_EQ(transfer.FreqFactor, 3.5775e21);
  EXPECT_EQ(transfer.Selectivity, 1.0);
  EXPECT_TRUE(transfer.MultiplyByActiveRadicals);

  const TReaction& scission = *network.Reaction(1);
  EXPECT_EQ(scission.ReactionType, kBetaScission);
  EXPECT_EQ(scission.ReactantCoefs, TIntVector{-3});
  EXPECT_EQ(scission.ProductCoefs, (TIntVector{3, 3}));
  EXPECT_EQ(scission.Products[0], Find(network, "C C; 0=1"));
  EXPECT_EQ(scission.Products[1], network.HydrogenAtom());
  EXPECT_EQ(scission.ActEnergy, 172.0);
  EXPECT_EQ(scission.FreqFactor, 1.0e13);

  // Ethyl undergoes a beta-scission, so only H + H is closed by recombination.
  const TReaction& recombination = *network.Reaction(2);
  EXPECT_EQ(recombination.ReactionType, kRecombination);
  EXPECT_EQ(recombination.Products[0], Find(network, "H H; 0-1"));
  EXPECT_EQ(network.ProgressLast.load(), 6);  // before the pass added H2
  EXPECT_EQ(network.ProgressCurrent.load(), 6);
}

TEST(Generation, ThresholdsKeepEqualEnergies) {
  TNetworkPreferences exact;
  exact.EThresholdBetaScission = 172.0;  // the ethyl C–H fission energy
  TReactionNetwork kept(exact);
  AddFeed(kept, LinearAlkane(2));
  kept.Generate();
  EXPECT_NE(Find(kept, "C C; 0=1"), nullptr);

  TNetworkPreferences below = exact;
  below.EThresholdBetaScission = std::nextafter(172.0, 0.0);
  TReactionNetwork dropped(below);
  AddFeed(dropped, LinearAlkane(2));
  dropped.Generate();
  EXPECT_EQ(Find(dropped, "C C; 0=1"), nullptr);
  // Ethyl, now consumed by nothing, is closed back to ethane by recombination.
  const TMolecule* ethyl = Find(dropped, "C. C; 0-1");
  ASSERT_NE(ethyl, nullptr);
  ASSERT_EQ(ethyl->ReactionLinks[kConsumedIn].size(), 1u);
  const TReaction& closing = *ethyl->ReactionLinks[kConsumedIn][0];
  EXPECT_EQ(closing.ReactionType, kRecombination);
  EXPECT_EQ(closing.Products[0], Find(dropped, LinearAlkane(2)));
  EXPECT_EQ(CheckNetwork(dropped), "");
}

TEST(Generation, AllylOnlyStepKeepsItsIsomerisationWithSelectivityZero) {
  // The allyl radical's fissions all exceed 200 kJ/mol; its isomerisation
  // (E 130) is alone in the step, outside the sum, which is then 0.
  TReactionNetwork network;
  TMolecule* allyl = AddFeed(network, "C. C C; 0-1 1=2");
  network.Generate();
  EXPECT_EQ(CheckNetwork(network), "");
  // It consumes the radical but never leads to a molecule, so the radical is
  // also closed by recombination (to propene).
  ASSERT_EQ(allyl->ReactionLinks[kConsumedIn].size(), 2u);
  const TReaction& shift = *allyl->ReactionLinks[kConsumedIn][0];
  EXPECT_EQ(shift.ReactionType, kAllylIzomeration);
  EXPECT_EQ(shift.Products, TMoleculeVector{allyl});  // identified with itself
  EXPECT_EQ(shift.Selectivity, 0.0);
  const TReaction& closing = *allyl->ReactionLinks[kConsumedIn][1];
  EXPECT_EQ(closing.ReactionType, kRecombination);
  EXPECT_EQ(closing.Products[0], Find(network, "C C C; 0-1 1=2"));
}

TEST(Generation, ProjectingSelectivityScoresAllylOutsideTheSum) {
  // 1-Butene's step: hydrogen transfers only (a molecule); the allylic
  // hydrogens dominate. Its radicals: 1-methylallyl has an isomerisation
  // scored against its fissions.
  TReactionNetwork network;
  AddFeed(network, "C C C C; 0=1 1-2 2-3");
  network.Generate();
  EXPECT_EQ(CheckNetwork(network), "");
  const TMolecule* methylallyl = Find(network, "C C. C C; 0-1 1-2 2=3");
  ASSERT_NE(methylallyl, nullptr);
  double sum = 0.0;
  for (const TReaction* r : methylallyl->ReactionLinks[kConsumedIn]) {
    EXPECT_GE(r->Selectivity, 0.0);
    if (r->ReactionType != kAllylIzomeration && r->ReactionType != kRecombination) sum += r->Selectivity;
  }
  EXPECT_LE(sum, 1.0 + 1e-12);
  // Reactions of every step that survived have a share of at least s_min.
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) {
    const TReaction& reaction = *network.Reaction(r);
    if (reaction.ReactionType == kRecombination || reaction.Selectivity == 0.0) continue;
    const TMolecule& reactant = *reaction.Reactants[0];
    const double minimum =
        reactant.IsRadical() ? 0.01 : 0.01 / (reactant.CarbonNumber() + 1);
    EXPECT_GE(reaction.Selectivity, minimum) << r;
  }
}

TEST(Generation, RunningTwiceDoublesRegeneratedCoefficients) {
  TReactionNetwork network;
  AddFeed(network, LinearAlkane(3));
  network.Generate();
  const std::size_t reactions = network.ReactionCount();
  std::vector<TIntVector> first;
  for (std::size_t r = 0; r < reactions; ++r) first.push_back(network.Reaction(r)->ReactantCoefs);
  network.Generate();
  EXPECT_EQ(CheckNetwork(network), "");
  // Components added by the first recombination pass (methane) are processed
  // now, so reactions may be added after the first ones.
  ASSERT_GE(network.ReactionCount(), reactions);
  for (std::size_t r = 0; r < reactions; ++r) {
    const TReaction& reaction = *network.Reaction(r);
    TIntVector doubled = first[r];
    for (auto& c : doubled) c *= 2;
    // Radicals closed by the first pass now lead to a molecule and are not
    // recombined again; everything else is regenerated and folds in.
    EXPECT_EQ(reaction.ReactantCoefs, reaction.ReactionType == kRecombination ? first[r] : doubled) << r;
  }
}

TEST(Generation, IndexAndLinearScanGiveTheSameNetwork) {
  const char* feeds[] = {
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5",            // n-hexane
      "C C C C C; 0-1 1-2 1-3 3-4",                  // isopentane
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",        // cyclohexane
      "C C C C; 0=1 1-2 2=3",                        // 1,3-butadiene
      "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",  // toluene
  };
  for (const char* feed : feeds) {
    TReactionNetwork indexed, scanned;
    AddFeed(indexed, feed);
    AddFeed(scanned, feed);
    scanned.SetUseInvariantIndex(false);
    indexed.Generate();
    scanned.Generate();
    EXPECT_EQ(testing::CompareNetworks(indexed, scanned), "") << feed;
    EXPECT_EQ(CheckNetwork(indexed), "") << feed;
  }
}

TEST(Generation, SixRingsOfAlternatingDoubleBondsAromatise) {
  // Cyclohexa-2,4-dienyl: losing a hydrogen of its CH2 (allylic, 89 kJ/mol)
  // closes a third double bond; the product becomes benzene with aromatic
  // carbons and bonds.
  TReactionNetwork network;
  AddFeed(network, "C. C C C C C; 0-1 1=2 2-3 3=4 4-5 5-0");
  network.Generate();
  EXPECT_EQ(CheckNetwork(network), "");
  const TMolecule* benzene = Find(network, "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0");
  ASSERT_NE(benzene, nullptr);
  EXPECT_TRUE(benzene->IsAromatic());
  EXPECT_EQ(Find(network, "C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0"), nullptr);  // never kept in Kekule form
  // The feed itself, a ring with two double bonds, stays as drawn.
  EXPECT_FALSE(network.Component(4)->IsAromatic());
}

TEST(Selectivity, AfterFilterSharesEachComponentsConsumption) {
  TReactionNetwork network;
  AddFeed(network, LinearAlkane(3));
  network.Generate();
  // Every non-empty consumed-in list of a component of highest index shares 1.
  const TMolecule* propane = Find(network, LinearAlkane(3));
  ASSERT_NE(propane, nullptr);
  double total = 0.0;
  for (const TReaction* r : propane->ReactionLinks[kConsumedIn]) total += r->SelectivityAfterFilter;
  EXPECT_NEAR(total, 1.0, 1e-12);
  // The two transfers: 6 primary hydrogens at 225 and 2 secondary at 215.
  const double primary = 6 * std::exp(-225000.0 / (8.314 * 1050.0));
  const double secondary = 2 * std::exp(-215000.0 / (8.314 * 1050.0));
  for (const TReaction* r : propane->ReactionLinks[kConsumedIn]) {
    const double expected = (r->ActEnergy == 225.0 ? primary : secondary) / (primary + secondary);
    EXPECT_NEAR(r->SelectivityAfterFilter, expected, 1e-12);
  }
}

TEST(Selectivity, AbsoluteTracesSharesBackToTheFeed) {
  TReactionNetwork network;
  AddFeed(network, LinearAlkane(2));
  network.Generate();
  // Each reaction is the only consumer of its reactant: shares of 1, and the
  // ethyl scission inherits the transfer's 1. H + H has no reactant of more
  // than one atom: 0.
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(0), 1.0);
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(1), 1.0);
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(2), 0.0);
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(99), 0.0);

  TReactionNetwork propane;
  AddFeed(propane, LinearAlkane(3));
  propane.Generate();
  // The feed's transfers split 1 between them by their local shares.
  const TMolecule* feed = Find(propane, LinearAlkane(3));
  double total = 0.0;
  for (const TReaction* r : feed->ReactionLinks[kConsumedIn])
    total += propane.AbsoluteSelectivity(static_cast<std::size_t>(propane.IndexOfReaction(r)));
  EXPECT_NEAR(total, 1.0, 1e-12);
}

TEST(Selectivity, AbsoluteWalkStopsOnCycles) {
  // Two radicals converting into each other by hand-made reactions, and a
  // feed forming the first: the walk meets the cycle and counts it as 0.
  TReactionNetwork network;
  TMolecule* feed = AddFeed(network, LinearAlkane(3));
  auto propylMolecule = MoleculeFrom("C. C C; 0-1 1-2");
  auto isopropylMolecule = MoleculeFrom("C C. C; 0-1 1-2");
  TMolecule* propyl = network.AddComponent(propylMolecule->AdjacencyMatrix(), propylMolecule->AtomTypes(),
                                           propylMolecule->AromaticMatrix(), false);
  TMolecule* isopropyl = network.AddComponent(isopropylMolecule->AdjacencyMatrix(), isopropylMolecule->AtomTypes(),
                                              isopropylMolecule->AromaticMatrix(), false);
  auto make = [&network](TMolecule* from, TMolecule* to, TMolecule* also = nullptr) {
    TReaction r;
    r.SetParameters(kOtherReaction, 100.0, 1.0e13);
    r.AddReactant(from, -1);
    r.AddProduct(to, 1);
    if (also) r.AddProduct(also, 1);
    network.AddReactionCopy(r);
  };
  make(feed, propyl, network.HydrogenAtom());  // 0
  make(propyl, isopropyl);                     // 1
  make(isopropyl, propyl);                     // 2
  // Reaction 1: propyl is formed by 0 (share 1 from the feed) and by 2,
  // whose reactant isopropyl is formed only by 1 itself (skipped): 2 gives 0.
  // Local shares are 1 (single consumers), so Absolute(1) = 1 x (1 + 0).
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(1), 1.0);
  // Reaction 2: isopropyl is formed by 1; Absolute(1) in this walk: propyl
  // formed by 0 (1) and by 2, stamped: 0. So 1.
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(2), 1.0);
  EXPECT_EQ(CheckNetwork(network), "");
}

}  // namespace
}  // namespace korvane
