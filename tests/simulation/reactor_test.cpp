// The reactors against closed-form solutions, through the whole path from a
// network to the reported moles; the temperature profile.

#include <gtest/gtest.h>

#include <cmath>

#include "app/export_kinetics.h"
#include "simulation/simulation_run.h"
#include "simulation/temperature_profile.h"
#include "simulation_test_support.h"

namespace korvane {
namespace {

constexpr double kT = 1000.0, kP = 2.0e5;

// k of an explicit pair as the exports compute it.
double RateConstant(double A, double E) { return A * std::exp(-1000.0 * E / (kExportGasConstant * kT)); }

struct Chain {
  TReactionNetwork Network;
  int A = 0, B = 0, C = 0;
  double K1 = 0.0, K2 = 0.0;
};

// Pentane -> isopentane -> neopentane, first order, explicit kinetics.
std::unique_ptr<Chain> IsomerChain() {
  auto chain = std::make_unique<Chain>();
  chain->A = testing::AddFeed(chain->Network, testing::kPentane)->ID;
  chain->B = testing::AddSpecies(chain->Network, testing::kIsopentane);
  chain->C = testing::AddSpecies(chain->Network, testing::kNeopentane);
  testing::AddReaction(chain->Network, kOtherReaction, {{chain->A, -1}, {chain->B, 1}}, false, {}, {}, 150.0, 1.0e9);
  testing::AddReaction(chain->Network, kOtherReaction, {{chain->B, -1}, {chain->C, 1}}, false, {}, {}, 160.0, 1.0e9);
  chain->K1 = RateConstant(1.0e9, 150.0);
  chain->K2 = RateConstant(1.0e9, 160.0);
  return chain;
}

TSimulationRequest Request(TReactorKind reactor, double time) {
  TSimulationRequest request;
  request.Settings.Reactor = reactor;
  request.Settings.Profile = TTemperatureProfile(kT);
  request.Settings.Pressure = kP;
  request.Settings.SteamRatio = 0.0;
  request.Settings.Time = time;
  request.Settings.Points = 6;
  return request;
}

TEST(Reactor, FirstOrderChainFollowsItsClosedFormInBothReactors) {
  const auto chain = IsomerChain();
  for (TReactorKind reactor : {TReactorKind::Batch, TReactorKind::PlugFlow}) {
    // Isomers keep the moles, so the plug-flow element keeps its volume.
    const double time = 2.0 / chain->K1;
    const auto results = RunSimulation(chain->Network, TKineticParameterSet{}, Request(reactor, time));
    ASSERT_TRUE(results) << results.error().Message;
    const double a0 = kP / (kExportGasConstant * kT);
    ASSERT_EQ(results->Times.size(), 6u);
    for (std::size_t p = 0; p < results->Times.size(); ++p) {
      const double t = results->Times[p], k1 = chain->K1, k2 = chain->K2;
      EXPECT_NEAR(t, time * double(p) / 5.0, 1e-12 * time);
      const double a = a0 * std::exp(-k1 * t);
      const double b = a0 * k1 / (k2 - k1) * (std::exp(-k1 * t) - std::exp(-k2 * t));
      const auto& n = results->Moles[p];
      EXPECT_NEAR(n[static_cast<std::size_t>(chain->A)], a, 1e-6 * a0) << p;
      EXPECT_NEAR(n[static_cast<std::size_t>(chain->B)], b, 1e-6 * a0) << p;
      EXPECT_NEAR(n[static_cast<std::size_t>(chain->C)], a0 - a - b, 1e-6 * a0) << p;
      EXPECT_NEAR(results->Conversion[p][0], 1.0 - a / a0, 1e-6);
    }
  }
}

// Pentane -> ethylene + propane, first order in a plug flow with steam: the
// feed's moles decay as exp(-k t) whatever the volume, the element expands
// with the moles made, and the position is u0 times the integral of the
// volume (1 m^3 of inlet gas): z = u0 (t + x (t - (1 - exp(-k t)) / k)),
// x the feed's share of the inlet moles.
TEST(Reactor, PlugFlowElementExpandsWithTheMolesCrackingMakes) {
  TReactionNetwork network;
  const int a = testing::AddFeed(network, testing::kPentane)->ID;
  const int e = testing::AddSpecies(network, "C C; 0=1"), p = testing::AddSpecies(network, "C C C; 0-1 1-2");
  testing::AddReaction(network, kOtherReaction, {{a, -1}, {e, 1}, {p, 1}}, false, {}, {}, 180.0, 1.0e12);
  const double k = RateConstant(1.0e12, 180.0), u0 = 20.0;
  TSimulationRequest request = Request(TReactorKind::PlugFlow, 3.0 / k);
  request.Settings.SteamRatio = 0.4;
  request.Settings.Velocity = u0;
  const auto results = RunSimulation(network, TKineticParameterSet{}, request);
  ASSERT_TRUE(results) << results.error().Message;
  const double total = kP / (kExportGasConstant * kT), a0 = results->Moles[0][static_cast<std::size_t>(a)];
  const double x = a0 / total;
  EXPECT_LT(x, 0.5);  // the steam is there
  for (std::size_t point = 0; point < results->Times.size(); ++point) {
    const double t = results->Times[point];
    EXPECT_NEAR(results->Moles[point][static_cast<std::size_t>(a)], a0 * std::exp(-k * t), 1e-6 * a0);
    EXPECT_NEAR(results->Positions[point], u0 * (t + x * (t - (1.0 - std::exp(-k * t)) / k)), 1e-6 * u0 * t + 1e-12);
  }
}

TEST(Reactor, LengthEndsTheRunAtEquallySpacedPositions) {
  const auto chain = IsomerChain();
  TSimulationRequest request = Request(TReactorKind::PlugFlow, 1.0);
  request.Settings.Time.reset();
  request.Settings.Length = 12.0;
  request.Settings.Velocity = 30.0;
  const auto results = RunSimulation(chain->Network, TKineticParameterSet{}, request);
  ASSERT_TRUE(results) << results.error().Message;
  ASSERT_EQ(results->Positions.size(), 6u);
  for (std::size_t p = 0; p < 6; ++p) {
    EXPECT_NEAR(results->Positions[p], 12.0 * double(p) / 5.0, 1e-6);
    // Isomerisation keeps the volume: the element moves at the inlet velocity.
    EXPECT_NEAR(results->Times[p], results->Positions[p] / 30.0, 1e-6);
  }
}

TEST(TemperatureProfile, InterpolatesLinearlyAndHoldsTheEnds) {
  const TTemperatureProfile profile({{0.0, 900.0}, {10.0, 1100.0}, {20.0, 1100.0}});
  const std::pair<double, double> cases[] = {{-1.0, 900.0}, {0.0, 900.0}, {2.5, 950.0},
                                             {10.0, 1100.0}, {15.0, 1100.0}, {30.0, 1100.0}};
  for (auto [z, T] : cases) EXPECT_DOUBLE_EQ(profile.At(z), T) << z;
  EXPECT_DOUBLE_EQ(profile.SlopeAt(5.0), 20.0);
  EXPECT_DOUBLE_EQ(profile.SlopeAt(25.0), 0.0);
}

TEST(TemperatureProfile, ReadsCsvAndRefusesBadTables) {
  const auto read = ProfileFromCsv("z [m],T [K]\n0, 950\n# inlet zone ends\n\n5;1050\r\n10\t1080\n");
  ASSERT_TRUE(read) << read.error().Message;
  ASSERT_EQ(read->Points().size(), 3u);
  EXPECT_DOUBLE_EQ(read->At(7.5), 1065.0);

  const std::pair<const char*, const char*> bad[] = {
      {"", "no point"},
      {"z,T\n", "no point"},
      {"0,1000\n1,abc\n", "Line 2"},
      {"0,1000\n0,1100\n", "do not increase"},
      {"0,1000\n2,1100\n1,1200\n", "do not increase"},
      {"0,1000\n1,3100\n", "200 to 3000 K"},
      {"0,150\n", "from 200 to 3000 K"},
      {"-1,1000\n", "below position 0"},
      {"0,nan\n", "not a number"},
  };
  for (auto [text, message] : bad) {
    const auto profile = ProfileFromCsv(text);
    ASSERT_FALSE(profile) << text;
    EXPECT_NE(profile.error().Message.find(message), std::string::npos) << text << ": " << profile.error().Message;
  }
}

}  // namespace
}  // namespace korvane
