// Generation of the primary networks of straight-chain alkanes at the
// default preferences, with the components found through the invariant
// index and, for comparison, by a plain scan of every component.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "reactions/reaction_network.h"

namespace {

using namespace korvane;

std::unique_ptr<TMolecule> Alkane(int carbons) {
  const int n = 3 * carbons + 2;
  TByteMatrix adjacency(n, n, 0);
  TByteVector types(n, kHydrogen);
  int next = carbons;
  for (int c = 0; c < carbons; ++c) {
    types[c] = kCarbon;
    if (c > 0) adjacency[c][c - 1] = adjacency[c - 1][c] = 1;
    const int hydrogens = (c == 0 || c == carbons - 1) ? 3 : 2;
    for (int k = 0; k < hydrogens; ++k, ++next) adjacency[c][next] = adjacency[next][c] = 1;
  }
  return TMolecule::FromStructure(0, adjacency, types, TBoolMatrix(n, n, false));
}

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
