// Writing and loading the network files of straight-chain alkane networks:
// time, and the most heap either holds beyond the network itself (the
// writer streams record by record, so its peak stays near one record and
// one buffer, not the file).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "alkane.h"
#include "app/network_file.h"
#include "heap_peak.h"

namespace {

using namespace korvane;

constexpr double kMiB = 1024.0 * 1024.0;

std::string FileOf(int carbons) {
  return (std::filesystem::temp_directory_path() / ("korvane-bench-C" + std::to_string(carbons) + ".rnw")).string();
}

void BM_WriteNetworkFile(benchmark::State& state) {
  const int carbons = static_cast<int>(state.range(0));
  const TReactionNetwork& network = bench::AlkaneNetwork(carbons);
  std::size_t peak = 0;
  for (auto _ : state) {
    bench::ResetHeapPeak();
    const std::size_t before = bench::HeapPeakBytes();
    if (!WriteNetworkFile(network, "", FileOf(carbons))) state.SkipWithError("the file was not written");
    peak = bench::HeapPeakBytes() - before;
  }
  state.counters["components"] = static_cast<double>(network.ComponentCount());
  state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(FileOf(carbons))) / kMiB;
  state.counters["heap_peak_MiB"] = static_cast<double>(peak) / kMiB;  // beyond the network
}
BENCHMARK(BM_WriteNetworkFile)->ArgNames({"carbons"})->Arg(6)->Arg(16)->Arg(20)->Unit(benchmark::kMillisecond);

void BM_LoadNetworkFile(benchmark::State& state) {
  const int carbons = static_cast<int>(state.range(0));
  if (!WriteNetworkFile(bench::AlkaneNetwork(carbons), "", FileOf(carbons)))
    state.SkipWithError("the file was not written");
  std::size_t peak = 0;
  for (auto _ : state) {
    TReactionNetwork loaded;
    bench::ResetHeapPeak();
    const std::size_t before = bench::HeapPeakBytes();
    if (!LoadNetworkFile(FileOf(carbons), loaded)) state.SkipWithError("the file did not load");
    peak = bench::HeapPeakBytes() - before;
  }
  state.counters["components"] = static_cast<double>(bench::AlkaneNetwork(carbons).ComponentCount());
  state.counters["heap_peak_MiB"] = static_cast<double>(peak) / kMiB;  // the loaded network included
}
BENCHMARK(BM_LoadNetworkFile)->ArgNames({"carbons"})->Arg(6)->Arg(16)->Arg(20)->Unit(benchmark::kMillisecond);

}  // namespace
