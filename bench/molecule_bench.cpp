// Cost of building molecules, the operation generation repeats for every
// product it creates.
#include <benchmark/benchmark.h>

#include "alkane.h"

#include "core/molecule.h"

namespace {

using namespace korvane;
using bench::Alkane;

void BM_BuildAlkane(benchmark::State& state) {
  auto alkane = Alkane(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto copy = alkane->Copy();
    benchmark::DoNotOptimize(copy->Invariants());
  }
  state.counters["atoms"] = static_cast<double>(alkane->AtomCount());
}
BENCHMARK(BM_BuildAlkane)->Arg(6)->Arg(16);

void BM_BondEnergyAlkane(benchmark::State& state) {
  auto alkane = Alkane(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto copy = alkane->Copy();
    benchmark::DoNotOptimize(copy->BondEnergyMatrix());
  }
}
BENCHMARK(BM_BondEnergyAlkane)->Arg(16);

}  // namespace
