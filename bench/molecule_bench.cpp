// Cost of building molecules, the operation generation repeats for every
// product it creates.
#include <benchmark/benchmark.h>

#include "core/molecule.h"

namespace {

using namespace korvane;

// Straight-chain alkane with `carbons` carbons: carbons first, then hydrogens.
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
