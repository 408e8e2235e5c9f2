// Runs on generated networks: refusals before any work, a stop, the element
// balances, the rate of production and the sensitivities.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <numeric>

#include "simulation/simulation_run.h"
#include "simulation_test_support.h"

namespace korvane {
namespace {

TSimulationRequest PlugFlow(double time) {
  TSimulationRequest request;
  request.Settings.Profile = TTemperatureProfile(1050.0);
  request.Settings.Time = time;
  request.Settings.Points = 5;
  return request;
}

TEST(SimulationRun, RefusesBadInputBeforeAnyWork) {
  const TReactionNetwork& network = testing::AlkaneNetwork(4);
  TReactionNetwork noFeed;
  struct Case {
    const char* Name;
    std::function<void(TSimulationRequest&, TKineticParameterSet&)> Change;
    const char* Message;
    const TReactionNetwork* Network = nullptr;
  };
  const Case cases[] = {
      {"negative time", [](auto& r, auto&) { r.Settings.Time = -0.1; }, "residence time"},
      {"zero time", [](auto& r, auto&) { r.Settings.Time = 0.0; }, "residence time"},
      {"NaN time", [](auto& r, auto&) { r.Settings.Time = std::nan(""); }, "residence time"},
      {"hot", [](auto& r, auto&) { r.Settings.Profile = TTemperatureProfile(3500.0); }, "200 to 3000 K"},
      {"cold", [](auto& r, auto&) { r.Settings.Profile = TTemperatureProfile(150.0); }, "200 to 3000 K"},
      {"empty profile", [](auto& r, auto&) { r.Settings.Profile = TTemperatureProfile(std::vector<TProfilePoint>{}); }, "no point"},
      {"profile without velocity",
       [](auto& r, auto&) { r.Settings.Profile = TTemperatureProfile({{0, 1000}, {10, 1100}}); }, "velocity"},
      {"batch profile",
       [](auto& r, auto&) {
         r.Settings.Reactor = TReactorKind::Batch;
         r.Settings.Profile = TTemperatureProfile({{0, 1000}, {10, 1100}});
       },
       "isothermal"},
      {"time and length", [](auto& r, auto&) { r.Settings.Length = 10.0; }, "either"},
      {"negative steam", [](auto& r, auto&) { r.Settings.SteamRatio = -0.5; }, "steam ratio"},
      {"negative pressure", [](auto& r, auto&) { r.Settings.Pressure = -1.0; }, "pressure"},
      {"one point", [](auto& r, auto&) { r.Settings.Points = 1; }, "2 points"},
      {"unknown ROP species", [](auto& r, auto&) { r.Settings.RopSpecies = 100000; }, "no species 100000"},
      {"feed fractions", [](auto& r, auto&) { r.Settings.FeedFractions = {0.5, 0.5}; }, "1 feeds but 2"},
      {"missing parameter", [](auto&, auto& p) { p.Table[kA_BetaSc_CC] = -1.0; }, "lacks A_BetaSc_CC"},
      {"no feed", [](auto&, auto&) {}, "no feed", &noFeed},
  };
  for (const Case& c : cases) {
    TSimulationRequest request = PlugFlow(0.1);
    TKineticParameterSet parameters;
    c.Change(request, parameters);
    bool reported = false;
    const TWorkControl control{nullptr, [&](std::size_t, std::size_t) { reported = true; }};
    const auto results = RunSimulation(c.Network ? *c.Network : network, parameters, request, control);
    ASSERT_FALSE(results) << c.Name;
    EXPECT_NE(results.error().Message.find(c.Message), std::string::npos) << c.Name << ": " << results.error().Message;
    EXPECT_FALSE(reported) << c.Name;
  }
}

TEST(SimulationRun, StopKeepsThePointsReachedAndSaysSo) {
  std::atomic<bool> stop{true};
  const auto results =
      RunSimulation(testing::AlkaneNetwork(4), TKineticParameterSet{}, PlugFlow(0.1), TWorkControl{&stop, {}});
  ASSERT_TRUE(results) << results.error().Message;
  EXPECT_TRUE(results->Stopped);
  EXPECT_EQ(results->Times.size(), 1u);
  EXPECT_EQ(results->LumpWtPercent.size(), 1u);
  EXPECT_FALSE(results->Warnings.empty());
}

// A profile with a pressure drop exercises every term of the plug flow.
TEST(SimulationRun, ElementBalancesHoldAndYieldsAddUp) {
  TSimulationRequest request = PlugFlow(0.1);
  request.Settings.Time.reset();
  request.Settings.Profile = TTemperatureProfile({{0.0, 950.0}, {40.0, 1100.0}, {80.0, 1120.0}});
  request.Settings.Length = 80.0;
  request.Settings.Velocity = 150.0;
  request.Settings.PressureDrop = 0.5e5;
  request.Settings.Pressure = 2.5e5;
  const auto results = RunSimulation(testing::AlkaneNetwork(6), TKineticParameterSet{}, request);
  ASSERT_TRUE(results) << results.error().Message;
  EXPECT_LT(results->CarbonDrift, 1e-9);
  EXPECT_LT(results->HydrogenDrift, 1e-9);
  EXPECT_TRUE(results->Warnings.empty());
  EXPECT_NEAR(results->Pressures.back(), 2.0e5, 1e-3);
  EXPECT_NEAR(results->Temperatures.back(), 1120.0, 1e-6);
  EXPECT_GT(results->Conversion.back()[0], 0.05);
  for (std::size_t p = 0; p < results->Times.size(); ++p) {
    const auto& lumps = results->LumpWtPercent[p];
    // Mass is conserved and steam is not counted: the lumps hold all the hydrocarbon fed.
    EXPECT_NEAR(std::accumulate(lumps.begin(), lumps.end(), 0.0), 100.0, 1e-6) << p;
    const auto& mol = results->LumpMolPercent[p];
    EXPECT_NEAR(std::accumulate(mol.begin(), mol.end(), 0.0), 100.0, 1e-9) << p;
  }
}

TEST(SimulationRun, RateOfProductionAddsUpToTheSpeciesChange) {
  const TReactionNetwork& network = testing::AlkaneNetwork(6);
  TSimulationRequest request = PlugFlow(0.2);
  for (std::size_t j = 0; j < network.ComponentCount(); ++j)
    if (LumpOf(*network.Component(j)) == TLump::Ethylene) request.Settings.RopSpecies = j;
  ASSERT_TRUE(request.Settings.RopSpecies);
  request.Settings.RopTop = 1000;
  const auto results = RunSimulation(network, TKineticParameterSet{}, request);
  ASSERT_TRUE(results) << results.error().Message;
  ASSERT_TRUE(results->RateOfProduction);
  const TRateOfProduction& rop = *results->RateOfProduction;
  const std::size_t s = *request.Settings.RopSpecies;
  const double change = results->Moles.back()[s] - results->Moles.front()[s];
  EXPECT_GT(change, 0.0);
  EXPECT_NEAR(rop.Formed + rop.Consumed, change, 1e-5 * rop.Formed);
  double shares = 0.0;
  for (const TRopEntry& entry : rop.Formation) shares += entry.Share;
  EXPECT_NEAR(shares, 1.0, 1e-12);
  for (std::size_t i = 1; i < rop.Formation.size(); ++i)
    EXPECT_GE(rop.Formation[i - 1].Amount, rop.Formation[i].Amount);
}

// CVODES forward sensitivities against central differences of whole runs,
// in a plug flow whose temperature and pressure follow the position.
TEST(SimulationRun, SensitivitiesMatchFiniteDifferences) {
  const TReactionNetwork& network = testing::AlkaneNetwork(4);
  TSimulationRequest request = PlugFlow(0.5);
  request.Settings.Time.reset();
  request.Settings.Length = 60.0;
  request.Settings.Velocity = 100.0;
  request.Settings.PressureDrop = 0.4e5;
  request.Settings.Pressure = 1.5e5;
  request.Settings.Profile = TTemperatureProfile({{0.0, 1000.0}, {60.0, 1120.0}});
  request.Settings.Sensitivity = true;
  request.Settings.RelativeTolerance = 1e-10;
  request.Settings.AbsoluteTolerance = 1e-16;
  request.Settings.Points = 2;
  const auto base = RunSimulation(network, TKineticParameterSet{}, request);
  ASSERT_TRUE(base) << base.error().Message;
  ASSERT_TRUE(base->Sensitivity);
  const TSensitivityTable& table = *base->Sensitivity;
  ASSERT_FALSE(table.Parameters.empty());
  request.Settings.Sensitivity = false;
  auto lumpsWith = [&](int parameter, double value) {
    TKineticParameterSet parameters;
    parameters.Table[static_cast<std::size_t>(parameter)] = value;
    const auto run = RunSimulation(network, parameters, request);
    EXPECT_TRUE(run);
    return run->LumpWtPercent.back();
  };
  bool sawA = false, sawE = false;
  for (std::size_t column = 0; column < table.Parameters.size(); ++column) {
    const int m = table.Parameters[column];
    const double value = kKineticParameterDefaults[static_cast<std::size_t>(m)];
    const bool isA = m < kE_STOPValue;
    sawA |= isA;
    sawE |= !isA;
    const double h = isA ? 1e-3 : 1e-2;  // in ln A, in kJ/mol
    const auto up = lumpsWith(m, isA ? value * std::exp(h) : value + h);
    const auto down = lumpsWith(m, isA ? value * std::exp(-h) : value - h);
    const auto& y = base->LumpWtPercent.back();
    for (std::size_t l = 0; l < kLumpCount; ++l) {
      if (y[l] < 1e-3) continue;
      const double difference = (up[l] - down[l]) / (2.0 * h) / (isA ? y[l] : 1.0);
      const double scale = std::max(std::fabs(difference), isA ? 1e-3 : 1e-3 * y[l]);
      EXPECT_NEAR(table.Values[l][column], difference, 2e-3 * scale)
          << kKineticParameterKeys[static_cast<std::size_t>(m)] << ' ' << LumpName(static_cast<TLump>(l));
    }
  }
  EXPECT_TRUE(sawA && sawE);
}

}  // namespace
}  // namespace korvane
