// The CHEMKIN-II export of the primary networks of straight-chain alkanes:
// the mechanism (a NASA polynomial per species, every reaction) and the
// species dictionary, streamed into their files while the species' rows
// are made on the workers. Reports the time and the most heap the export
// holds beyond the network. Goal: n-eicosane (74,187 species, 178,239
// reactions) well under three seconds on two workers.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "alkane.h"
#include "app/chemkin_export.h"
#include "heap_peak.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"
#include "smiles/smiles_writer.h"

namespace {

using namespace korvane;

constexpr double kMiB = 1024.0 * 1024.0;

// range(0): carbons of the feed; range(1): workers.
void BM_ExportChemkin(benchmark::State& state) {
  const int carbons = static_cast<int>(state.range(0));
  const TReactionNetwork& network = bench::AlkaneNetwork(carbons);
  const TKineticParameterSet parameters;
  TChemkinExportOptions options;
  options.MechanismFile =
      (std::filesystem::temp_directory_path() / ("korvane-bench-C" + std::to_string(carbons) + ".inp")).string();
  options.Smiles = [](const TMolecule& molecule) { return CanonicalSmiles(molecule); };
  options.Threads = static_cast<unsigned>(state.range(1));
  std::size_t peak = 0;
  for (auto _ : state) {
    bench::ResetHeapPeak();
    const std::size_t before = bench::HeapPeakBytes();
    if (const auto written = ExportChemkin(network, parameters, options); !written)
      state.SkipWithError(written.error().Message.c_str());
    peak = bench::HeapPeakBytes() - before;
  }
  state.counters["species"] = static_cast<double>(network.ComponentCount());
  state.counters["reactions"] = static_cast<double>(network.ReactionCount());
  state.counters["mechanism_MiB"] = static_cast<double>(std::filesystem::file_size(options.MechanismFile)) / kMiB;
  state.counters["heap_peak_MiB"] = static_cast<double>(peak) / kMiB;  // beyond the network
}
BENCHMARK(BM_ExportChemkin)
    ->ArgNames({"carbons", "threads"})
    ->Args({6, 1})
    ->Args({6, 2})
    ->Args({16, 2})
    ->Args({20, 1})
    ->Args({20, 2})
    ->Unit(benchmark::kMillisecond);

}  // namespace
