// Generation of the primary networks of straight-chain alkanes at the
// default preferences, with one thread and with two, and the first steps of
// a long chain. Each case reports the network's size, the most heap memory
// it held at once, the network's own estimate of its memory and that
// estimate's mean bytes per component and per reaction.
#include <benchmark/benchmark.h>

#include "alkane.h"
#include "heap_peak.h"
#include "reactions/network_footprint.h"
#include "reactions/reaction_network.h"

namespace {

using namespace korvane;
using bench::Alkane;

constexpr double kMiB = 1024.0 * 1024.0;

// range(0): carbons of the feed; range(1): threads.
void BM_GenerateAlkaneNetwork(benchmark::State& state) {
  const auto feed = Alkane(static_cast<int>(state.range(0)));
  std::size_t components = 0, reactions = 0, peak = 0, estimate = 0, componentBytes = 0, reactionBytes = 0;
  for (auto _ : state) {
    bench::ResetHeapPeak();
    const std::size_t before = bench::HeapPeakBytes();
    {
      TReactionNetwork network;
      network.SetThreadCount(static_cast<unsigned>(state.range(1)));
      network.AddComponent(feed->AdjacencyMatrix(), feed->AtomTypes(), feed->AromaticMatrix(), true);
      network.Generate();
      components = network.ComponentCount();
      reactions = network.ReactionCount();
      estimate = network.FootprintEstimate();
      componentBytes = reactionBytes = 0;
      for (std::size_t i = 0; i < components; ++i) componentBytes += ComponentFootprint(*network.Component(i));
      for (std::size_t i = 0; i < reactions; ++i) reactionBytes += ReactionFootprint(*network.Reaction(i));
    }
    peak = std::max(peak, bench::HeapPeakBytes() - before);
  }
  state.counters["components"] = static_cast<double>(components);
  state.counters["reactions"] = static_cast<double>(reactions);
  state.counters["peak_MiB"] = static_cast<double>(peak) / kMiB;
  state.counters["estimate_MiB"] = static_cast<double>(estimate) / kMiB;
  state.counters["component_B"] = static_cast<double>(componentBytes) / static_cast<double>(components);
  state.counters["reaction_B"] = static_cast<double>(reactionBytes) / static_cast<double>(reactions);
}
BENCHMARK(BM_GenerateAlkaneNetwork)
    ->ArgNames({"carbons", "threads"})
    ->Args({6, 1})
    ->Args({16, 1})
    ->Args({16, 2})
    ->Args({18, 1})
    ->Args({18, 2})
    ->Args({20, 1})
    ->Args({20, 2})
    ->Args({22, 2})
    ->Args({24, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first ten steps from chains of 40, 60 and 80 carbons (up to 242
// atoms): the feed's hydrogen transfers, then its radicals' scissions, each
// product identified against the components. The time should grow no faster
// than the atoms squared (the matrices a step derives).
void BM_LongChainFirstSteps(benchmark::State& state) {
  const auto feed = Alkane(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    TReactionNetwork network;
    network.SetThreadCount(1);
    network.AddComponent(feed->AdjacencyMatrix(), feed->AtomTypes(), feed->AromaticMatrix(), true);
    for (std::size_t i = 0; i < 10 && i < network.ComponentCount(); ++i) network.ProcessComponent(i);
    benchmark::DoNotOptimize(network.ComponentCount());
  }
}
BENCHMARK(BM_LongChainFirstSteps)->ArgNames({"carbons"})->Arg(40)->Arg(60)->Arg(80)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
