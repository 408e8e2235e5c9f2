// The undo history's cost on the primary networks of straight-chain alkanes:
// taking the snapshot of a network (what every edit does before it changes
// the network), its size, and putting it back (what Undo does).
#include <benchmark/benchmark.h>

#include <memory>

#include "alkane.h"
#include "app/network_snapshot.h"

namespace {

using namespace korvane;

constexpr double kMiB = 1024.0 * 1024.0;

void BM_CaptureSnapshot(benchmark::State& state) {
  const TReactionNetwork& network = bench::AlkaneNetwork(static_cast<int>(state.range(0)));
  std::size_t size = 0;
  for (auto _ : state) size = TNetworkSnapshot::Capture(network).Size();
  state.counters["components"] = static_cast<double>(network.ComponentCount());
  state.counters["snapshot_MiB"] = static_cast<double>(size) / kMiB;
}
BENCHMARK(BM_CaptureSnapshot)->ArgNames({"carbons"})->Arg(6)->Arg(16)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_RestoreSnapshot(benchmark::State& state) {
  const TNetworkSnapshot snapshot =
      TNetworkSnapshot::Capture(bench::AlkaneNetwork(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    TReactionNetwork restored;
    snapshot.Restore(restored);
    benchmark::DoNotOptimize(restored.ComponentCount());
  }
}
BENCHMARK(BM_RestoreSnapshot)->ArgNames({"carbons"})->Arg(6)->Arg(16)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
