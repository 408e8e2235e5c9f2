// The THERMO ALL records of the primary networks of straight-chain alkanes:
// a NASA polynomial per species (Joback for molecules, hydrogen-bond
// increments over the parent molecule for radicals) in the fixed-column
// layout. Goal: the whole n-hexadecane network in under a second.
#include <benchmark/benchmark.h>

#include <memory>

#include "alkane.h"
#include "app/chemkin_export.h"
#include "app/chemkin_names.h"
#include "reactions/reaction_network.h"

namespace {

using namespace korvane;

// range(0): carbons of the feed.
void BM_ChemkinThermoRecords(benchmark::State& state) {
  const TReactionNetwork& network = bench::AlkaneNetwork(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    const auto records = ChemkinThermoRecords(network, ChemkinSpeciesNames(network));
    if (!records) state.SkipWithError(records.error().Message.c_str());
    bytes = records ? records->size() : 0;
    benchmark::DoNotOptimize(records);
  }
  state.counters["species"] = static_cast<double>(network.ComponentCount());
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ChemkinThermoRecords)->ArgName("carbons")->Arg(6)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
