// Generation of the primary networks of straight-chain alkanes at the
// default preferences, with the components found through the invariant
// index (invariants, then graph refinement) and, for comparison, by a plain
// scan of every component.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "alkane.h"
#include "reactions/reaction_network.h"

namespace {

using namespace korvane;
using bench::Alkane;

// range(0): carbons of the feed; range(1): 1 with the invariant index, 0 scanning.
void BM_GenerateAlkaneNetwork(benchmark::State& state) {
  const auto feed = Alkane(static_cast<int>(state.range(0)));
  std::size_t components = 0, reactions = 0;
  for (auto _ : state) {
    TReactionNetwork network;
    network.SetUseInvariantIndex(state.range(1) == 1);
    network.AddComponent(feed->AdjacencyMatrix(), feed->AtomTypes(), feed->AromaticMatrix(), true);
    network.Generate();
    components = network.ComponentCount();
    reactions = network.ReactionCount();
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  state.counters["components"] = static_cast<double>(components);
  state.counters["reactions"] = static_cast<double>(reactions);
  state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_GenerateAlkaneNetwork)
    ->ArgNames({"carbons", "index"})
    ->Args({6, 1})
    ->Args({6, 0})
    ->Args({10, 1})
    ->Args({10, 0})
    ->Args({16, 1})
    ->Args({16, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
