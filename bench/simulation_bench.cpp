// Reactor simulation of the primary networks of straight-chain alkanes:
// plug flow at 1050 K, 1 bar, 0.5 kg steam per kg, to a residence time,
// with CVODES (BDF, Newton, KLU), and the lumps' forward sensitivities to
// every linked global kinetic parameter. The network's generation is not
// measured. Goal: n-decane (428 species, 859 reactions) to 1 s under 50 ms.
#include <benchmark/benchmark.h>

#include "alkane.h"
#include "reactions/kinetic_parameters.h"
#include "simulation/simulation_run.h"

namespace {

using namespace korvane;

TSimulationRequest PlugFlow(double time, bool sensitivity) {
  TSimulationRequest request;
  request.Settings.Reactor = TReactorKind::PlugFlow;
  request.Settings.Profile = TTemperatureProfile(1050.0);
  request.Settings.Pressure = 1.0e5;
  request.Settings.SteamRatio = 0.5;
  request.Settings.Time = time;
  request.Settings.Points = 11;
  request.Settings.Sensitivity = sensitivity;
  return request;
}

void Run(benchmark::State& state, bool sensitivity) {
  const int carbons = static_cast<int>(state.range(0));
  const double time = static_cast<double>(state.range(1)) / 1000.0;
  const TReactionNetwork& network = bench::AlkaneNetwork(carbons);
  const TKineticParameterSet parameters;
  const TSimulationRequest request = PlugFlow(time, sensitivity);
  long steps = 0, rhs = 0, jacobians = 0, errorFailures = 0, newtonFailures = 0;
  double drift = 0.0;
  for (auto _ : state) {
    const auto results = RunSimulation(network, parameters, request);
    if (!results) {
      state.SkipWithError(results.error().Message.c_str());
      return;
    }
    steps = results->Steps;
    rhs = results->RhsEvaluations;
    jacobians = results->JacobianEvaluations;
    errorFailures = results->ErrorTestFailures;
    newtonFailures = results->NewtonFailures;
    drift = std::max(results->CarbonDrift, results->HydrogenDrift);
  }
  state.counters["species"] = static_cast<double>(network.ComponentCount());
  state.counters["reactions"] = static_cast<double>(network.ReactionCount());
  state.counters["steps"] = static_cast<double>(steps);
  state.counters["rhs"] = static_cast<double>(rhs);
  state.counters["jacobians"] = static_cast<double>(jacobians);
  state.counters["error_fails"] = static_cast<double>(errorFailures);
  state.counters["newton_fails"] = static_cast<double>(newtonFailures);
  state.counters["balance_drift"] = drift;
}

// range(0): carbons of the feed; range(1): residence time [ms].
void BM_PlugFlow(benchmark::State& state) { Run(state, false); }
BENCHMARK(BM_PlugFlow)
    ->ArgNames({"carbons", "ms"})
    ->Args({6, 100})
    ->Args({10, 100})
    ->Args({10, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_Sensitivity(benchmark::State& state) { Run(state, true); }
BENCHMARK(BM_Sensitivity)->ArgNames({"carbons", "ms"})->Args({6, 100})->Unit(benchmark::kMillisecond);

}  // namespace
