#include <gtest/gtest.h>

#include <atomic>
#include <utility>
#include <vector>

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

void Generate(TReactionNetwork& network, const std::string& feed) {
  AddFeed(network, feed);
  network.Generate();
}

// The source feeds propane (new to the destination) and ethylene (already a
// product there). A second source equal to the first adds nothing more.
TEST(Fusion, AddsNewComponentsAndReactionsWithZeroSelectivities) {
  TReactionNetwork destination, once, source, reference;
  for (TReactionNetwork* network : {&destination, &once}) Generate(*network, LinearAlkane(2));
  for (TReactionNetwork* network : {&source, &reference}) {
    AddFeed(*network, "C C; 0=1");
    Generate(*network, LinearAlkane(3));
  }
  once.Fuse({&source});
  destination.Fuse({&source, &reference});
  EXPECT_EQ(CompareNetworks(destination, once), "");
  EXPECT_EQ(CheckNetwork(destination), "");  // built-ins, among others, are not duplicated
  EXPECT_EQ(CompareNetworks(source, reference), "");  // the source is unchanged
  for (std::size_t i = 0; i < source.ComponentCount(); ++i)
    ASSERT_GE(destination.FindComponent(*source.Component(i)), 0) << i;
  // A root only in the source stays a non-root where the component existed.
  EXPECT_FALSE(destination.IsRoot(destination.Component(destination.FindComponent(*MoleculeFrom("C C; 0=1")))));
  // Propane became a root; its reactions start with a zero projecting selectivity.
  const TMolecule* propane = destination.Component(destination.FindComponent(*MoleculeFrom(LinearAlkane(3))));
  EXPECT_TRUE(destination.IsRoot(propane));
  for (const TReaction* r : propane->ReactionLinks[kConsumedIn]) {
    EXPECT_EQ(r->Selectivity, 0.0);
    EXPECT_GT(r->SelectivityAfterFilter, 0.0);
  }
}

// A stop before the end, at the first report of progress or at the one that
// says every source record has been read, leaves the destination exactly as
// it was: a fusion afterwards makes what it makes in an untouched network.
TEST(Fusion, AStopBeforeTheEndLeavesTheDestinationAsItWas) {
  TReactionNetwork source;
  Generate(source, LinearAlkane(6));
  const std::size_t records = source.ComponentCount() + source.ReactionCount();
  ASSERT_EQ(records, 52u + 78u);
  const std::vector<std::pair<std::size_t, std::size_t>> reports = {{64, 130}, {128, 130}, {130, 130}};
  for (std::size_t stopAt : {0u, 2u}) {
    TReactionNetwork destination, untouched;
    for (TReactionNetwork* network : {&destination, &untouched}) Generate(*network, LinearAlkane(3));
    const std::size_t footprint = destination.FootprintEstimate();
    std::atomic<bool> stop{false};
    std::vector<std::pair<std::size_t, std::size_t>> seen;
    const bool fused = destination.Fuse({&source}, {.Stop = &stop, .Progress = [&](std::size_t done, std::size_t total) {
                                                      if (seen.size() == stopAt) stop = true;
                                                      seen.emplace_back(done, total);
                                                    }});
    EXPECT_FALSE(fused) << stopAt;
    EXPECT_EQ(seen, std::vector(reports.begin(), reports.begin() + static_cast<std::ptrdiff_t>(stopAt) + 1));
    EXPECT_EQ(CompareNetworks(destination, untouched), "") << stopAt;
    EXPECT_EQ(CheckNetwork(destination), "") << stopAt;
    EXPECT_EQ(destination.FootprintEstimate(), footprint) << stopAt;

    seen.clear();
    EXPECT_TRUE(destination.Fuse({&source}, {.Progress = [&](std::size_t done, std::size_t total) {
                                   seen.emplace_back(done, total);
                                 }}));
    untouched.Fuse({&source});
    EXPECT_EQ(seen, reports);
    EXPECT_EQ(CompareNetworks(destination, untouched), "") << stopAt;
  }
}

// Ethyl -> ethylene + H made by hand with the given parameters; with `four`,
// two more H on each side make a side of four.
struct Made {
  std::int32_t type = kOtherReaction;
  double e = 172.0, a = 1.0e13;
  bool multiply = false, swapped = false, four = false;
};
void Build(TReactionNetwork& network, const Made& made) {
  TMolecule* ethyl = AddFeed(network, "C. C; 0-1");
  TMolecule* ethylene = AddFeed(network, "C C; 0=1");
  TMolecule* hydrogen = network.HydrogenAtom();
  TReaction r;
  r.SetParameters(made.type, made.e, made.a);
  r.MultiplyByActiveRadicals = made.multiply;
  r.AddReactant(ethyl, -1);
  r.AddProduct(made.swapped ? hydrogen : ethylene, 1);
  r.AddProduct(made.swapped ? ethylene : hydrogen, 1);
  for (int k = 0; made.four && k < 2; ++k) {
    r.AddReactant(hydrogen, -1);
    r.AddProduct(hydrogen, 1);
  }
  network.AddReactionCopy(r);
}

// Only products in another order match; any parameter that differs adds the
// reaction, and so does a side of four, however equal. A network is never
// fused into itself.
TEST(Fusion, ReactionsMatchOnParametersAndParticipantsUpToOrder) {
  const Made sources[] = {{.swapped = true},         {.a = 2.0e13},      {.e = 172.5},
                          {.type = kOtherReaction2}, {.multiply = true}, {.four = true}};
  for (std::size_t k = 0; k < std::size(sources); ++k) {
    TReactionNetwork destination, source;
    Build(destination, Made{.four = sources[k].four});
    Build(source, sources[k]);
    destination.Fuse({&source});
    EXPECT_EQ(destination.ReactionCount(), k == 0 ? 1u : 2u) << k;
    EXPECT_EQ(CheckNetwork(destination), "") << k;
  }
  TReactionNetwork network;
  Build(network, Made{.four = true});
  network.Fuse({&network});
  EXPECT_EQ(network.ReactionCount(), 1u);
}

}  // namespace
}  // namespace korvane
