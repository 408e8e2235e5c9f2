// The heat a run takes up: against the extents of closed-form reactions,
// the difference of the two reactors, the heating of the inlet gas along a
// profile, and a species without thermodynamic data.

#include <gtest/gtest.h>

#include <cmath>

#include "app/export_kinetics.h"
#include "database/species_thermo.h"
#include "simulation/simulation_run.h"
#include "simulation_test_support.h"

namespace korvane {
namespace {

constexpr double kT = 1000.0;

TSimulationRequest Isothermal(TReactorKind reactor, double time, double steamRatio = 0.0) {
  TSimulationRequest request;
  request.Settings.Reactor = reactor;
  request.Settings.Profile = TTemperatureProfile(kT);
  request.Settings.SteamRatio = steamRatio;
  request.Settings.Time = time;
  request.Settings.Points = 4;
  return request;
}

double Enthalpy(const TReactionNetwork& network, int component, double T) {
  return NasaEnthalpy(SpeciesThermo(*network.Component(static_cast<std::size_t>(component))).value().Polynomial, T);
}

// One first-order reaction, feed -> products with explicit kinetics, whose
// moles follow the same closed form in both reactors: the heat is the
// extent times the reaction enthalpy, less R T per mole made in the closed
// batch. Isomerising pentane gives off heat; splitting ethane takes it up.
TEST(HeatBalance, FollowsTheExtentOfOneReactionInBothReactors) {
  struct Case {
    const char* Name;
    const char* Feed;
    const char* Product;
    int Made;  // moles of product per mole of feed
    bool Endothermic;
  };
  const Case cases[] = {
      {"pentane to neopentane", testing::kPentane, testing::kNeopentane, 1, false},
      {"ethane to methyl", "C C; 0-1", "C.", 2, true},
  };
  for (const Case& c : cases) {
    TReactionNetwork network;
    const int feed = testing::AddFeed(network, c.Feed)->ID;
    const int product = testing::AddSpecies(network, c.Product);
    testing::AddReaction(network, kOtherReaction, {{feed, -1}, {product, c.Made}}, false, {}, {}, 150.0, 1.0e9);
    const double reactionEnthalpy = c.Made * Enthalpy(network, product, kT) - Enthalpy(network, feed, kT);
    const double feedMass = network.Component(static_cast<std::size_t>(feed))->MolarMass();
    std::vector<double> heat[2];
    for (TReactorKind reactor : {TReactorKind::Batch, TReactorKind::PlugFlow}) {
      const auto results = RunSimulation(network, TKineticParameterSet{}, Isothermal(reactor, 0.05));
      ASSERT_TRUE(results) << c.Name << ": " << results.error().Message;
      ASSERT_EQ(results->HeatTaken.size(), results->Times.size()) << c.Name;
      const double n0 = results->Moles.front()[static_cast<std::size_t>(feed)];
      for (std::size_t p = 0; p < results->Times.size(); ++p) {
        const double extent = n0 - results->Moles[p][static_cast<std::size_t>(feed)];
        double expected = extent * reactionEnthalpy;
        if (reactor == TReactorKind::Batch) expected -= extent * (c.Made - 1) * kNasaGasConstant * kT;
        expected /= n0 * feedMass;  // J/g = kJ/kg
        EXPECT_NEAR(results->HeatTaken[p], expected, 1e-9 * std::fabs(expected) + 1e-9) << c.Name << " " << p;
        EXPECT_DOUBLE_EQ(results->ReactionHeat[p], results->HeatTaken[p]) << c.Name << " " << p;  // isothermal
      }
      EXPECT_EQ(results->HeatTaken.back() > 0.0, c.Endothermic) << c.Name;
      heat[reactor == TReactorKind::Batch ? 0 : 1] = results->HeatTaken;
    }
    // The flowing gas also pushes its growing volume out: R T per mole made.
    if (c.Made == 1) EXPECT_NEAR(heat[1].back(), heat[0].back(), 1e-9 * std::fabs(heat[0].back())) << c.Name;
    else EXPECT_GT(heat[1].back(), heat[0].back()) << c.Name;
  }
}

// Along a rising profile the gas is heated as well: what the reactions do
// not take is the inlet gas (hexane and steam) heated from the first to the
// last temperature, its heat capacity integrated here by the trapezoid rule.
// Cracking takes up heat, about as much as naphtha cracking needs.
TEST(HeatBalance, SplitsTheHeatBetweenTheReactionsAndHeatingTheGas) {
  const TReactionNetwork& network = testing::AlkaneNetwork(6);
  TSimulationRequest request;
  request.Settings.Profile = TTemperatureProfile({{0.0, 900.0}, {50.0, 1100.0}});
  request.Settings.Velocity = 100.0;
  request.Settings.Length = 50.0;
  request.Settings.SteamRatio = 0.5;
  request.Settings.Points = 3;
  const auto results = RunSimulation(network, TKineticParameterSet{}, request);
  ASSERT_TRUE(results) << results.error().Message;
  ASSERT_EQ(results->HeatTaken.size(), 3u);
  EXPECT_EQ(results->HeatTaken.front(), 0.0);

  const auto hexane = SpeciesThermo(*network.Component(results->Feeds[0])).value().Polynomial;
  const TNasaPolynomial& water = LiteraturePolynomial(TLiteratureSpecies::Water);
  const double T0 = results->Temperatures.front(), T1 = results->Temperatures.back();
  const double hexaneMass = network.Component(results->Feeds[0])->MolarMass();
  const double waterMass = 18.015;
  double heating = 0.0;  // per g of hexane
  constexpr int kSteps = 2000;
  for (int s = 0; s < kSteps; ++s) {
    const double a = T0 + (T1 - T0) * s / kSteps, b = T0 + (T1 - T0) * (s + 1) / kSteps;
    const double cp = [&](double T) {
      return NasaHeatCapacity(hexane, T) / hexaneMass + 0.5 * NasaHeatCapacity(water, T) / waterMass;
    }(0.5 * (a + b));
    heating += cp * (b - a);
  }
  EXPECT_NEAR(results->HeatTaken.back() - results->ReactionHeat.back(), heating, 1e-3 * heating);
  EXPECT_GT(results->Conversion.back()[0], 0.2);
  EXPECT_GT(results->ReactionHeat.back(), 300.0 * results->Conversion.back()[0]);
  EXPECT_LT(results->ReactionHeat.back(), 4000.0 * results->Conversion.back()[0]);
}

TEST(HeatBalance, ASpeciesWithoutThermodynamicDataLeavesTheHeatOutAndSaysWhy) {
  TReactionNetwork network;
  const int feed = testing::AddFeed(network, "C14 C; 0-1")->ID;
  const int product = testing::AddSpecies(network, "C14.");
  const int other = testing::AddSpecies(network, "C.");
  testing::AddReaction(network, kOtherReaction, {{feed, -1}, {product, 1}, {other, 1}}, false, {}, {}, 150.0, 1.0e9);
  const auto results = RunSimulation(network, TKineticParameterSet{}, Isothermal(TReactorKind::Batch, 0.01));
  ASSERT_TRUE(results) << results.error().Message;
  EXPECT_TRUE(results->HeatTaken.empty());
  ASSERT_EQ(results->Warnings.size(), 1u);
  EXPECT_NE(results->Warnings[0].find("The heat taken up is not given: no thermodynamic data for component " +
                                      std::to_string(feed) + ": it holds deuterium, tritium or carbon 14"),
            std::string::npos)
      << results->Warnings[0];
  EXPECT_FALSE(results->LumpWtPercent.empty());  // the yields are there all the same
}

}  // namespace
}  // namespace korvane
