// Cost of the symmetry number and chirality of one species, computed for
// every species of a network when its thermochemistry is exported.
#include <benchmark/benchmark.h>

#include <string>

#include "core/structure_notation.h"
#include "core/symmetry_number.h"

namespace {

using namespace korvane;

/// A chain of `carbons` carbons in the structure notation; `radical` marks
/// the carbon carrying an unpaired electron (-1 for none).
std::string Chain(int carbons, int radical = -1) {
  std::string atoms, bonds;
  for (int c = 0; c < carbons; ++c) {
    atoms.append(c == 0 ? "C" : " C");
    if (c == radical) atoms.append(".");
    if (c > 0) bonds.append(" ").append(std::to_string(c - 1)).append("-").append(std::to_string(c));
  }
  return atoms.append(";").append(bonds);
}

void Measure(benchmark::State& state, const std::string& description) {
  const auto molecule = MoleculeFromNotation(description);
  if (!molecule) {
    state.SkipWithError(molecule.error().Message.c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(SymmetryOf(*molecule.value()));
  const auto symmetry = SymmetryOf(*molecule.value());
  state.counters["atoms"] = static_cast<double>(molecule.value()->AtomCount());
  state.counters["sigma"] = symmetry ? static_cast<double>(symmetry->Number) : -1.0;
}

void BM_Eicosane(benchmark::State& state) { Measure(state, Chain(20)); }
BENCHMARK(BM_Eicosane);

// 2,2,4,4,6,6-hexamethylheptane: three quaternary carbons, eight methyls.
void BM_Hexamethylheptane(benchmark::State& state) {
  Measure(state, "C C C C C C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 1-7 1-8 3-9 3-10 5-11 5-12");
}
BENCHMARK(BM_Hexamethylheptane);

void BM_DecylRadical(benchmark::State& state) { Measure(state, Chain(10, 4)); }
BENCHMARK(BM_DecylRadical);

}  // namespace
