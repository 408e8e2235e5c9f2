#include <gtest/gtest.h>

#include <cmath>

#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/reaction_network.h"

namespace korvane {
namespace {

using testing::AddFeed;
using testing::CheckNetwork;
using testing::LinearAlkane;
using testing::MoleculeFrom;

TMolecule* Find(const TReactionNetwork& network, const std::string& description) {
  const int index = network.FindComponent(*MoleculeFrom(description));
  return index < 0 ? nullptr : network.Component(static_cast<std::size_t>(index));
}

// The network generated from one feed (none when empty); every generated
// network must pass the consistency check.
std::unique_ptr<TReactionNetwork> Generated(const std::string& feed, const TNetworkPreferences& preferences = {}) {
  auto network = std::make_unique<TReactionNetwork>(preferences);
  if (!feed.empty()) AddFeed(*network, feed);
  network->Generate();
  EXPECT_EQ(CheckNetwork(*network), "") << feed;
  return network;
}

TEST(Generation, BuiltInsOnlyGiveHydrogenRecombination) {
  const auto network = Generated("");
  ASSERT_EQ(network->ReactionCount(), 1u);
  ASSERT_EQ(network->ComponentCount(), 5u);
  const TReaction& reaction = *network->Reaction(0);
  EXPECT_EQ(reaction.ReactionType, kRecombination);
  EXPECT_EQ(reaction.Reactants, (TMoleculeVector{network->HydrogenAtom(), network->HydrogenAtom()}));
  EXPECT_EQ(reaction.Products, TMoleculeVector{network->Component(4)});
  EXPECT_EQ(network->Component(4)->Formula(), "H2");
  EXPECT_DOUBLE_EQ(reaction.SelectivityAfterFilter, 0.5);  // H is consumed twice by it
}

TEST(Generation, EthaneNetwork) {
  const auto network = Generated(LinearAlkane(2));
  ASSERT_EQ(network->ReactionCount(), 3u);
  ASSERT_EQ(network->ComponentCount(), 8u);
  TMolecule* hydrogen = network->HydrogenAtom();

  // Six equivalent hydrogens fold into one transfer.
  const TReaction& transfer = *network->Reaction(0);
  EXPECT_EQ(transfer.ReactionType, kHydrogenTransfer);
  EXPECT_EQ(transfer.Reactants, TMoleculeVector{Find(*network, LinearAlkane(2))});
  EXPECT_EQ(transfer.ReactantCoefs, TIntVector{-6});
  EXPECT_EQ(transfer.Products, (TMoleculeVector{hydrogen, Find(*network, "C. C; 0-1")}));
  EXPECT_EQ(transfer.ProductCoefs, (TIntVector{6, 6}));
  EXPECT_EQ(transfer.ActEnergy, 225.0);
  EXPECT_EQ(transfer.FreqFactor, 3.5775e21);
  EXPECT_EQ(transfer.Selectivity, 1.0);

  const TReaction& scission = *network->Reaction(1);
  EXPECT_EQ(scission.ReactionType, kBetaScission);
  EXPECT_EQ(scission.ReactantCoefs, TIntVector{-3});
  EXPECT_EQ(scission.Products, (TMoleculeVector{Find(*network, "C C; 0=1"), hydrogen}));
  EXPECT_EQ(scission.ProductCoefs, (TIntVector{3, 3}));
  EXPECT_EQ(scission.ActEnergy, 172.0);
  EXPECT_EQ(scission.FreqFactor, 1.0e13);

  // Ethyl undergoes a beta-scission, so only H + H is closed by recombination.
  const TReaction& recombination = *network->Reaction(2);
  EXPECT_EQ(recombination.ReactionType, kRecombination);
  EXPECT_EQ(recombination.Products[0], Find(*network, "H H; 0-1"));
  EXPECT_EQ(network->ProgressLast.load(), 6);  // before the pass added H2
  EXPECT_EQ(network->ProgressCurrent.load(), 6);

  // Absolute selectivities: each reaction is the only consumer of its
  // reactant, the scission inherits the transfer's 1; H + H has no reactant
  // of more than one atom.
  const double absolute[] = {1.0, 1.0, 0.0};
  for (std::size_t r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(network->AbsoluteSelectivity(r), absolute[r]) << r;
  EXPECT_DOUBLE_EQ(network->AbsoluteSelectivity(99), 0.0);
}

TEST(Generation, ThresholdsKeepEqualEnergies) {
  TNetworkPreferences exact;
  exact.EThresholdBetaScission = 172.0;  // the ethyl C-H fission energy
  EXPECT_NE(Find(*Generated(LinearAlkane(2), exact), "C C; 0=1"), nullptr);

  TNetworkPreferences below = exact;
  below.EThresholdBetaScission = std::nextafter(172.0, 0.0);
  const auto dropped = Generated(LinearAlkane(2), below);
  EXPECT_EQ(Find(*dropped, "C C; 0=1"), nullptr);
  // Ethyl, now consumed by nothing, is closed back to ethane by recombination.
  const TMolecule* ethyl = Find(*dropped, "C. C; 0-1");
  ASSERT_NE(ethyl, nullptr);
  ASSERT_EQ(ethyl->ReactionLinks[kConsumedIn].size(), 1u);
  const TReaction& closing = *ethyl->ReactionLinks[kConsumedIn][0];
  EXPECT_EQ(closing.ReactionType, kRecombination);
  EXPECT_EQ(closing.Products[0], Find(*dropped, LinearAlkane(2)));
}

TEST(Generation, AllylOnlyStepKeepsItsIsomerisationWithSelectivityZero) {
  // The allyl radical's fissions all exceed 200 kJ/mol; its isomerisation
  // is alone in the step, outside the sum, which is then 0. It never leads to
  // a molecule, so the radical is also closed by recombination (to propene).
  const auto network = Generated("C. C C; 0-1 1=2");
  TMolecule* allyl = network->Component(4);
  ASSERT_EQ(allyl->ReactionLinks[kConsumedIn].size(), 2u);
  const TReaction& shift = *allyl->ReactionLinks[kConsumedIn][0];
  EXPECT_EQ(shift.ReactionType, kAllylIzomeration);
  EXPECT_EQ(shift.Products, TMoleculeVector{allyl});  // identified with itself
  EXPECT_EQ(shift.Selectivity, 0.0);
  const TReaction& closing = *allyl->ReactionLinks[kConsumedIn][1];
  EXPECT_EQ(closing.ReactionType, kRecombination);
  EXPECT_EQ(closing.Products[0], Find(*network, "C C C; 0-1 1=2"));
}

TEST(Generation, RunningTwiceDoublesRegeneratedCoefficients) {
  const auto network = Generated(LinearAlkane(3));
  const std::size_t reactions = network->ReactionCount();
  std::vector<TIntVector> first;
  for (std::size_t r = 0; r < reactions; ++r) first.push_back(network->Reaction(r)->ReactantCoefs);
  network->Generate();
  EXPECT_EQ(CheckNetwork(*network), "");
  ASSERT_GE(network->ReactionCount(), reactions);  // components added by the first pass are processed now
  for (std::size_t r = 0; r < reactions; ++r) {
    const TReaction& reaction = *network->Reaction(r);
    TIntVector doubled = first[r];
    for (auto& c : doubled) c *= 2;
    // Radicals closed by the first pass now lead to a molecule and are not
    // recombined again; everything else is regenerated and folds in.
    EXPECT_EQ(reaction.ReactantCoefs, reaction.ReactionType == kRecombination ? first[r] : doubled) << r;
  }
}

// The invariant index finds what a linear scan finds; every surviving step
// reaction holds at least its step's share threshold.
TEST(Generation, IndexAndLinearScanGiveTheSameNetwork) {
  const char* feeds[] = {
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5",            // n-hexane
      "C C C C C; 0-1 1-2 1-3 3-4",                  // isopentane
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",        // cyclohexane
      "C C C C; 0=1 1-2 2=3",                        // 1,3-butadiene
      "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",  // toluene
  };
  for (const char* feed : feeds) {
    TReactionNetwork scanned;
    AddFeed(scanned, feed);
    scanned.SetUseInvariantIndex(false);
    scanned.Generate();
    const auto indexed = Generated(feed);
    EXPECT_EQ(testing::CompareNetworks(*indexed, scanned), "") << feed;
    for (std::size_t r = 0; r < indexed->ReactionCount(); ++r) {
      const TReaction& reaction = *indexed->Reaction(r);
      if (reaction.ReactionType == kRecombination || reaction.ReactionType == kAllylIzomeration) continue;
      const TMolecule& reactant = *reaction.Reactants[0];
      EXPECT_GE(reaction.Selectivity, reactant.IsRadical() ? 0.01 : 0.01 / (reactant.CarbonNumber() + 1)) << feed;
    }
  }
}

TEST(Generation, SixRingsOfAlternatingDoubleBondsAromatise) {
  // Cyclohexa-2,4-dienyl loses a hydrogen of its CH2 and closes a third
  // double bond; the product is kept as benzene, never in Kekule form.
  const auto network = Generated("C. C C C C C; 0-1 1=2 2-3 3=4 4-5 5-0");
  const TMolecule* benzene = Find(*network, "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0");
  ASSERT_NE(benzene, nullptr);
  EXPECT_TRUE(benzene->IsAromatic());
  EXPECT_EQ(Find(*network, "C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0"), nullptr);
  EXPECT_FALSE(network->Component(4)->IsAromatic());  // the feed, with two double bonds, stays as drawn
}

// Propane's step holds the two transfers only: 6 primary hydrogens at 225
// and 2 secondary at 215 kJ/mol, with equal A. Projecting, after-filter and
// absolute selectivity (the feed counts 1) all give the same shares.
TEST(Selectivity, PropaneSharesWorkedOutByHand) {
  const auto network = Generated(LinearAlkane(3));
  const TMolecule* propane = Find(*network, LinearAlkane(3));
  ASSERT_NE(propane, nullptr);
  ASSERT_EQ(propane->ReactionLinks[kConsumedIn].size(), 2u);
  const double primary = 6 * std::exp(-225000.0 / (8.314 * 1050.0));
  const double secondary = 2 * std::exp(-215000.0 / (8.314 * 1050.0));
  for (const TReaction* r : propane->ReactionLinks[kConsumedIn]) {
    const double expected = (r->ActEnergy == 225.0 ? primary : secondary) / (primary + secondary);
    EXPECT_NEAR(r->Selectivity, expected, 1e-12);
    EXPECT_NEAR(r->SelectivityAfterFilter, expected, 1e-12);
    EXPECT_NEAR(network->AbsoluteSelectivity(static_cast<std::size_t>(network->IndexOfReaction(r))), expected, 1e-12);
  }
}

TEST(Selectivity, AbsoluteWalkStopsOnCycles) {
  // A feed forming propyl, and propyl and isopropyl converting into each
  // other by hand-made reactions (every local share 1).
  TReactionNetwork network;
  TMolecule* feed = AddFeed(network, LinearAlkane(3));
  auto add = [&network](const std::string& description) {
    auto molecule = MoleculeFrom(description);
    return network.AddComponent(molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix(), false);
  };
  TMolecule* propyl = add("C. C C; 0-1 1-2");
  TMolecule* isopropyl = add("C C. C; 0-1 1-2");
  auto make = [&network](TMolecule* from, TMoleculeVector to) {
    TReaction r;
    r.SetParameters(kOtherReaction, 100.0, 1.0e13);
    r.AddReactant(from, -1);
    for (TMolecule* m : to) r.AddProduct(m, 1);
    network.AddReactionCopy(r);
  };
  make(feed, {propyl, network.HydrogenAtom()});  // 0
  make(propyl, {isopropyl});                     // 1
  make(isopropyl, {propyl});                     // 2
  // Absolute(1): propyl is formed by 0 (1 from the feed) and by 2, whose
  // reactant is formed only by 1 itself, already visited: 0. So 1 x (1 + 0).
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(1), 1.0);
  // Absolute(2): isopropyl is formed by 1, which counts 1 as above.
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(2), 1.0);
  EXPECT_EQ(CheckNetwork(network), "");
}

}  // namespace
}  // namespace korvane
