#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <system_error>
#include <sstream>

#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/reaction_network.h"
#include "reactions/step_pipeline.h"

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

// The network generated from one feed; every generated network must pass the
// consistency check.
std::unique_ptr<TReactionNetwork> Generated(const std::string& feed, const TNetworkPreferences& preferences = {}) {
  auto network = std::make_unique<TReactionNetwork>(preferences);
  AddFeed(*network, feed);
  network->Generate();
  EXPECT_EQ(CheckNetwork(*network), "") << feed;
  return network;
}

// One line per reaction: class, then the participants with their
// coefficients by formula, E, A and the projecting selectivity. Together with
// CheckNetwork (no two identical components) this pins the whole network.
std::vector<std::string> Described(const TReactionNetwork& network) {
  std::vector<std::string> lines;
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) {
    const TReaction& reaction = *network.Reaction(r);
    std::ostringstream line;
    line << reaction.ReactionType << ':';
    for (std::size_t k = 0; k < reaction.Reactants.size(); ++k)
      line << ' ' << reaction.ReactantCoefs[k] << ' ' << reaction.Reactants[k]->Formula();
    line << " ->";
    for (std::size_t k = 0; k < reaction.Products.size(); ++k)
      line << ' ' << reaction.ProductCoefs[k] << ' ' << reaction.Products[k]->Formula();
    line << " E " << reaction.ActEnergy << " A " << reaction.FreqFactor << " S " << reaction.Selectivity;
    lines.push_back(line.str());
  }
  return lines;
}

// A stop flag ends the processing at a component boundary, the closing
// steps still run (of the built-ins, H + H only), and the flag belongs to its
// run: a run given none completes, whatever an earlier run was told. Each run
// starts its progress counters from 0 and reports every component it
// registers.
TEST(Generation, StopFlagEndsItsRunConsistently) {
  TReactionNetwork network;
  AddFeed(network, LinearAlkane(6));
  std::atomic<bool> stop{true};
  EXPECT_EQ(network.Generate({.Stop = &stop}).End, TGenerationEnd::Stopped);
  EXPECT_EQ(CheckNetwork(network), "");
  EXPECT_EQ(Described(network), std::vector<std::string>{"3: -1 H1 -1 H1 -> 1 H2 E 130 A 1e+14 S 0"});
  EXPECT_DOUBLE_EQ(network.Reaction(0)->SelectivityAfterFilter, 0.5);  // H is consumed twice by it

  std::vector<std::int32_t> reported;
  const TGenerationOutcome outcome =
      network.Generate({.Progress = [&](std::int32_t current, std::int32_t last) {
        EXPECT_LE(current, last);
        reported.push_back(current);
      }});
  EXPECT_EQ(outcome.End, TGenerationEnd::Completed);
  EXPECT_EQ(CheckNetwork(network), "");
  const auto fresh = Generated(LinearAlkane(6));
  EXPECT_EQ(network.ComponentCount(), fresh->ComponentCount());
  EXPECT_EQ(network.ReactionCount(), fresh->ReactionCount());
  EXPECT_GT(network.ProgressCurrent.load(), 40);
  EXPECT_EQ(network.ProgressCurrent.load(), network.ProgressLast.load());
  ASSERT_EQ(reported.size(), static_cast<std::size_t>(network.ProgressCurrent.load()) + 1);
  for (std::size_t i = 0; i < reported.size(); ++i) EXPECT_EQ(reported[i], static_cast<std::int32_t>(i));

  network.Generate({.Stop = &stop});
  EXPECT_EQ(network.ProgressCurrent.load(), 0);
  EXPECT_EQ(network.ProgressLast.load(), 0);
}

// A worker thread the system refuses to start fails the run with a message
// and a consistent network; the thread started before it is stopped and
// joined, and nothing ends the process.
std::atomic<int> g_threadsStarted{0};

TEST(Generation, AWorkerThreadThatCannotStartFailsTheRun) {
  const TThreadStarter previous = SetThreadStarter([](std::function<void()> work) -> std::thread {
    if (g_threadsStarted++ >= 1)
      throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again), "thread");
    return std::thread(std::move(work));
  });
  TReactionNetwork network;
  network.SetThreadCount(4);
  AddFeed(network, LinearAlkane(4));
  const TGenerationOutcome outcome = network.Generate();
  SetThreadStarter(previous);
  EXPECT_EQ(outcome.End, TGenerationEnd::Failed);
  EXPECT_NE(outcome.Message.find("a worker thread could not be started (2 of 3)"), std::string::npos)
      << outcome.Message;
  EXPECT_EQ(CheckNetwork(network), "");
  // With threads that start, the same network generates in full.
  EXPECT_EQ(network.Generate().End, TGenerationEnd::Completed);
  EXPECT_EQ(network.ComponentCount(), Generated(LinearAlkane(4))->ComponentCount());
}

// Either limit ends a run like a stop request once the network passes it,
// at the same component whatever the number of threads computing steps
// ahead. The memory limit is the default of a machine of 2 MiB: 1 MiB, which
// n-dodecane's network passes; its message shows the estimate then.
TEST(Generation, LimitsEndTheRunLikeAStop) {
  const struct {
    std::string feed;
    std::size_t components, memory;
    TGenerationEnd end;
    std::string message;
  } cases[] = {
      {LinearAlkane(6), 20, kNoMemoryLimit, TGenerationEnd::ComponentLimitReached,
       "the network grew past its limit of 20 components"},
      {LinearAlkane(12), kNoComponentLimit, DefaultMemoryLimit(2 * kMiB), TGenerationEnd::MemoryLimitReached,
       "the network's estimated memory of * MiB passed its limit of 1 MiB"},
  };
  for (const auto& c : cases) {
    const std::size_t complete = Generated(c.feed)->ComponentCount();
    TReactionNetwork network, alone;
    alone.SetThreadCount(1);
    network.SetThreadCount(2);
    for (TReactionNetwork* each : {&alone, &network}) {
      AddFeed(*each, c.feed);
      each->SetComponentLimit(c.components);
      each->SetMemoryLimit(c.memory);
      const TGenerationOutcome outcome = each->Generate();
      EXPECT_EQ(outcome.End, c.end) << c.message;
      const std::size_t star = c.message.find('*');
      if (star == std::string::npos) {
        EXPECT_EQ(outcome.Message, c.message);
        continue;
      }
      const std::string before = c.message.substr(0, star), after = c.message.substr(star + 1);
      ASSERT_TRUE(outcome.Message.starts_with(before) && outcome.Message.ends_with(after)) << outcome.Message;
      const double shown = std::stod(outcome.Message.substr(before.size()));
      EXPECT_GT(shown * kMiB, static_cast<double>(c.memory)) << outcome.Message;
      EXPECT_LE(shown * kMiB, static_cast<double>(each->FootprintEstimate()) + 0.01 * kMiB) << outcome.Message;
    }
    EXPECT_EQ(testing::CompareNetworks(alone, network), "") << c.message;
    EXPECT_EQ(CheckNetwork(network), "") << c.message;
    EXPECT_GT(network.ComponentCount(), 20u) << c.message;
    EXPECT_LT(network.ComponentCount(), complete) << c.message;
    // Raised, the limits let a second run finish; the first run's closing
    // recombinations of unprocessed radicals stay.
    network.SetComponentLimit(kNoComponentLimit);
    network.SetMemoryLimit(kNoMemoryLimit);
    EXPECT_EQ(network.Generate().End, TGenerationEnd::Completed) << c.message;
    EXPECT_GE(network.ComponentCount(), complete) << c.message;
  }
}

// Steps are computed on several threads and registered in component order:
// the network is the same, entry by entry, whatever the thread count.
TEST(Generation, SameNetworkWithOneThreadOrTwo) {
  for (const std::string& feed : {LinearAlkane(10), std::string("C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1")}) {
    TReactionNetwork one, two;
    one.SetThreadCount(1);
    two.SetThreadCount(2);
    for (TReactionNetwork* network : {&one, &two}) {
      AddFeed(*network, feed);
      EXPECT_EQ(network->Generate().End, TGenerationEnd::Completed);
    }
    EXPECT_GT(one.ComponentCount(), 100u) << feed;
    EXPECT_EQ(testing::CompareNetworks(one, two), "") << feed;
    EXPECT_EQ(CheckNetwork(two), "") << feed;
  }
}

// A step run on its own after the reactions were edited sees the edit: it
// must not fold into a reaction that was removed meanwhile (the sanitiser
// catches a read of the destroyed one).
TEST(Generation, StepAfterRemovingAReactionAddsItAgain) {
  TReactionNetwork network;
  AddFeed(network, LinearAlkane(2));
  network.ProcessComponent(4);
  ASSERT_EQ(network.ReactionCount(), 1u);
  network.RemoveReaction(0);
  network.ProcessComponent(4);
  ASSERT_EQ(network.ReactionCount(), 1u);
  EXPECT_EQ(network.Reaction(0)->ReactantCoefs, TIntVector{-6});
  network.Relink();
  EXPECT_EQ(CheckNetwork(network), "");
}

// Ethane's six equivalent hydrogens fold into one transfer, ethyl's three
// C-H fissions into one scission; ethyl undergoes a beta-scission, so only
// H + H is closed by recombination.
TEST(Generation, EthaneNetwork) {
  const auto network = Generated(LinearAlkane(2));
  EXPECT_EQ(Described(*network), (std::vector<std::string>{"2: -6 H6C2 -> 6 H1 6 H5C2 E 225 A 3.5775e+21 S 1",
                                                           "1: -3 H5C2 -> 3 H4C2 3 H1 E 172 A 1e+13 S 1",
                                                           "3: -1 H1 -1 H1 -> 1 H2 E 130 A 1e+14 S 0"}));
  EXPECT_EQ(network->ComponentCount(), 8u);
  EXPECT_EQ(network->ProgressLast.load(), 6);  // before the pass added H2
  EXPECT_EQ(network->ProgressCurrent.load(), 6);
  // Absolute selectivities: each reaction is the only consumer of its
  // reactant, the scission inherits the transfer's 1; H + H has no reactant
  // of more than one atom.
  const double absolute[] = {1.0, 1.0, 0.0};
  for (std::size_t r = 0; r < 3; ++r) EXPECT_DOUBLE_EQ(network->AbsoluteSelectivity(r), absolute[r]) << r;
  EXPECT_DOUBLE_EQ(network->AbsoluteSelectivity(99), 0.0);

  // A beta-scission with E exactly at its threshold is kept; just above, it
  // is dropped and ethyl, now consumed by nothing, is closed back to ethane.
  TNetworkPreferences preferences;
  preferences.EThresholdBetaScission = 172.0;
  EXPECT_EQ(Described(*Generated(LinearAlkane(2), preferences)), Described(*network));
  preferences.EThresholdBetaScission = std::nextafter(172.0, 0.0);
  EXPECT_EQ(Described(*Generated(LinearAlkane(2), preferences)),
            (std::vector<std::string>{"2: -6 H6C2 -> 6 H1 6 H5C2 E 225 A 3.5775e+21 S 1",
                                      "3: -1 H1 -1 H1 -> 1 H2 E 130 A 1e+14 S 0",
                                      "3: -1 H5C2 -1 H1 -> 1 H6C2 E 130 A 1e+14 S 0"}));
}

// The allyl radical's fissions all exceed 200 kJ/mol; its isomerisation (to
// itself) is alone in the step, outside the sum, which is then 0: kept with
// selectivity 0. It never leads to a molecule, so the radical is closed by
// recombination too.
TEST(Generation, AllylOnlyStepKeepsItsIsomerisationWithSelectivityZero) {
  EXPECT_EQ(Described(*Generated("C. C C; 0-1 1=2")),
            (std::vector<std::string>{"4: -1 H5C3 -> 1 H5C3 E 130 A 1e+14 S 0",
                                      "3: -1 H1 -1 H1 -> 1 H2 E 130 A 1e+14 S 0",
                                      "3: -1 H5C3 -1 H1 -> 1 H6C3 E 130 A 1e+14 S 0"}));
}

TEST(Generation, RunningTwiceDoublesRegeneratedCoefficients) {
  const auto network = Generated(LinearAlkane(3));
  const std::size_t reactions = network->ReactionCount();
  std::vector<TSideCoefficients> first;
  for (std::size_t r = 0; r < reactions; ++r) first.push_back(network->Reaction(r)->ReactantCoefs);
  network->Generate();
  EXPECT_EQ(CheckNetwork(*network), "");
  ASSERT_GE(network->ReactionCount(), reactions);  // components added by the first pass are processed now
  for (std::size_t r = 0; r < reactions; ++r) {
    const TReaction& reaction = *network->Reaction(r);
    TSideCoefficients doubled = first[r];
    for (auto& c : doubled) c *= 2;
    // Radicals closed by the first pass now lead to a molecule and are not
    // recombined again; everything else is regenerated and folds in.
    EXPECT_EQ(reaction.ReactantCoefs, reaction.ReactionType == kRecombination ? first[r] : doubled) << r;
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

// Ring feeds hold each species once. Taking a ring hydrogen from either side
// of methylcyclohexane's methyl group gives one radical, 3-methylcyclohexyl:
// one transfer with all four hydrogens and their whole share.
TEST(Generation, RingFeedsHoldEachSpeciesOnce) {
  TNetworkPreferences coarse;
  coarse.MinSelectivity = 0.05;
  const auto network = Generated("C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1", coarse);
  EXPECT_EQ(network->ComponentCount(), 120u);
  EXPECT_EQ(network->ReactionCount(), 187u);
  const TMolecule* radical = Find(*network, "C C C C. C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1");
  ASSERT_NE(radical, nullptr);
  std::vector<const TReaction*> transfers;
  for (const TReaction* reaction : radical->ReactionLinks[kFormedIn])
    if (reaction->ReactionType == kHydrogenTransfer) transfers.push_back(reaction);
  ASSERT_EQ(transfers.size(), 1u);
  EXPECT_EQ(transfers[0]->ReactantCoefs, TIntVector{-4});
  EXPECT_NEAR(transfers[0]->Selectivity, 0.2907, 1e-4);
  // Methylcyclopentane and ethylcyclohexane (checked by Generated).
  Generated("C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-1", coarse);
  Generated("C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-2", coarse);
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
  // A molecule's step keeps shares of at least MinSelectivity / (carbons + 1):
  // at 2.0 that is 0.5 for propane, between the primary and secondary shares.
  TNetworkPreferences strict;
  strict.MinSelectivity = 2.0;
  const auto filtered = Generated(LinearAlkane(3), strict);
  const auto kept = Find(*filtered, LinearAlkane(3))->ReactionLinks[kConsumedIn];
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_EQ(kept[0]->ActEnergy, 215.0);
}

TEST(Selectivity, AbsoluteWalkStopsOnCycles) {
  // A feed forming propyl, and propyl and isopropyl converting into each
  // other by hand-made reactions (every local share 1).
  std::vector<std::unique_ptr<TMolecule>> components;
  for (const char* description : {"C C C; 0-1 1-2", "C. C C; 0-1 1-2", "C C. C; 0-1 1-2", "H."})
    components.push_back(MoleculeFrom(description));
  std::vector<std::unique_ptr<TReaction>> reactions;
  for (const auto& [from, to] : {std::pair{0, 1}, std::pair{1, 2}, std::pair{2, 1}}) {
    TReaction& reaction = *reactions.emplace_back(std::make_unique<TReaction>());
    reaction.SetParameters(kOtherReaction, 100.0, 1.0e13);
    reaction.AddReactant(components[from].get(), -1);
    reaction.AddProduct(components[to].get(), 1);
  }
  reactions[0]->AddProduct(components[3].get(), 1);
  TReactionNetwork network;
  network.ReplaceContent(std::move(components), std::move(reactions));
  EXPECT_EQ(CheckNetwork(network), "");
  // Absolute(1): propyl is formed by 0 (1 from the feed) and by 2, whose
  // reactant is formed only by 1 itself, already visited: 0. So 1 x (1 + 0).
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(1), 1.0);
  // Absolute(2): isopropyl is formed by 1, which counts 1 as above.
  EXPECT_DOUBLE_EQ(network.AbsoluteSelectivity(2), 1.0);
}

}  // namespace
}  // namespace korvane
