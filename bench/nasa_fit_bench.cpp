// Cost of one NASA-7 fit, which the mechanism export repeats for every
// species of the network.
#include <benchmark/benchmark.h>

#include "database/nasa_fit.h"

namespace {

using namespace korvane;

// A 30-atom nonlinear species with cp at the group-additivity temperatures:
// a synthetic curve rising from 120 to 480 J/(mol K), not a real species.
TThermoPoints ThirtyAtoms() {
  TThermoPoints points;
  points.Enthalpy298 = -150000;
  points.Entropy298 = 450;
  points.AtomCount = 30;
  points.Shape = TMolecularShape::Nonlinear;
  points.HeatCapacity = {{300, 120}, {400, 165}, {500, 205}, {600, 240}, {800, 300}, {1000, 345}, {1500, 410}};
  return points;
}

void BM_FitNasaPolynomial(benchmark::State& state) {
  const TThermoPoints points = ThirtyAtoms();
  for (auto _ : state) benchmark::DoNotOptimize(FitNasaPolynomial(points));
}
BENCHMARK(BM_FitNasaPolynomial)->Unit(benchmark::kMicrosecond);

// The same fit from two threads at once, as the export runs it.
BENCHMARK(BM_FitNasaPolynomial)->Unit(benchmark::kMicrosecond)->Threads(2)->UseRealTime();

}  // namespace
