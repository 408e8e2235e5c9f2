#include "database/equation_of_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace korvane {
namespace {

// The reason a calculation gave no value; empty when it gave one.
std::string FaultOf(const TResult<double>& result) { return result ? std::string() : result.error().Message; }

constexpr TStateModel kIdeal = TStateModel::kIdeal;
constexpr TStateModel kRK = TStateModel::kRedlichKwong;
constexpr TStateModel kSRK = TStateModel::kSoaveRedlichKwong;

/// Critical data of a real gas (NIST/Poling et al. tables).
struct Gas {
  double Tc, pc, Vc, omega;
};
constexpr Gas kEthane{305.32, 4.872e6, 1.455e-4, 0.099};
constexpr Gas kMethane{190.564, 4.599e6, 9.86e-5, 0.011};
constexpr Gas kHexane{507.6, 3.025e6, 3.70e-4, 0.300};

TResult<double> Pressure(TStateModel model, const Gas& gas, double Vm, double T) {
  return StatePressure(model, gas.omega, gas.Vc, gas.Tc, gas.pc, Vm, T);
}
TResult<double> Temperature(TStateModel model, const Gas& gas, double Vm, double p) {
  return StateTemperature(model, gas.omega, gas.Vc, gas.Tc, gas.pc, Vm, p);
}
TResult<double> Volume(TStateModel model, const Gas& gas, double T, double p) {
  return StateVolume(model, gas.omega, gas.Vc, gas.Tc, gas.pc, T, p);
}

TEST(EquationOfState, IdealGasIsSolvedDirectly) {
  EXPECT_NEAR(Volume(kIdeal, kEthane, 273.15, 101325).value(), 0.0224127, 1e-7);
  EXPECT_NEAR(Pressure(kIdeal, kEthane, 0.02479, 298.15).value(), 8.314 * 298.15 / 0.02479, 1e-6);
  EXPECT_NEAR(Temperature(kIdeal, kEthane, 0.0224127, 101325).value(), 273.15, 1e-3);
  EXPECT_TRUE(StatePressure(kIdeal, NAN, 0, 0, 0, 0.0224, 273.15));  // needs no critical data
}

TEST(EquationOfState, CubicModelsMatchTheCriticalPointRealGasDensityAndTheirOwnSolutions) {
  Gas acentric = kEthane;
  acentric.omega = 0.5;
  for (TStateModel model : {kRK, kSRK}) {
    SCOPED_TRACE(static_cast<int>(model));
    // pc at Vm = R·Tc/(3·pc) and T = Tc, where α = 1 and ω does not matter.
    const double Vc = 8.314 * kEthane.Tc / (3 * kEthane.pc);
    EXPECT_NEAR(Pressure(model, kEthane, Vc, kEthane.Tc).value() / kEthane.pc, 1.0, 2e-3);
    // Away from Tc only Soave's α feels the acentric factor.
    EXPECT_EQ(Pressure(model, kEthane, 5e-4, 400).value() == Pressure(model, acentric, 5e-4, 400).value(),
              model == kRK);
    // At 3 MPa the gas is denser than ideal, yet above the co-volume b.
    const TResult<double> dense = Volume(model, kEthane, 300, 3e6);
    EXPECT_LT(dense.value(), 0.9 * 8.314 * 300 / 3e6);
    EXPECT_GT(dense.value(), 0.7199924 * kEthane.Tc / kEthane.pc);
    for (const double p : {1e5, 3e6}) {
      const TResult<double> Vm = Volume(model, kEthane, 320, p);
      EXPECT_NEAR(Pressure(model, kEthane, Vm.value(), 320).value() / p, 1.0, 1e-6);
      const double volume = 1.5 * 8.314 * 320 / p;
      const double T = Temperature(model, kEthane, volume, p).value();
      EXPECT_NEAR(Pressure(model, kEthane, volume, T).value() / p, 1.0, 1e-6);
    }
  }
}

TEST(EquationOfState, SearchesWithoutARootPolesAndBadInputFail) {
  for (TStateModel model : {kRK, kSRK}) {
    // n-Hexane at 300 K and 1 MPa is a liquid: its only root lies below 0.1
    // times the ideal-gas volume.
    EXPECT_EQ(FaultOf(Volume(model, kHexane, 300, 1e6)), FaultText(TPropertyFault::kNoSignChange));
    // Regression: methane at 200 K and 250 MPa puts the pole Vm = b inside the
    // interval; the residual changes sign across it and b was returned as the volume.
    EXPECT_EQ(FaultOf(Volume(model, kMethane, 200, 2.5e8)), FaultText(TPropertyFault::kNoRoot));
  }
  EXPECT_EQ(CoVolume(kRK, kEthane.Tc, kEthane.pc), 0.7199924 * kEthane.Tc / kEthane.pc);
  EXPECT_EQ(CoVolume(kSRK, kEthane.Tc, kEthane.pc), 0.08664 * 8.314 * kEthane.Tc / kEthane.pc);
  // Vm = b fails instead of dividing by zero, though it is finite just beside the pole. Below
  // the co-volume the formula gives a negative pressure, and so does liquid n-hexane at 1.5 b:
  // neither is a state of the gas.
  for (TStateModel model : {kRK, kSRK}) {
    const double b = CoVolume(model, kHexane.Tc, kHexane.pc);
    EXPECT_EQ(FaultOf(Pressure(model, kHexane, b, 300)), FaultText(TPropertyFault::kDivisionByZero));
    EXPECT_GT(Pressure(model, kHexane, b * (1 + 1e-12), 600).value(), 1e15);
    EXPECT_EQ(FaultOf(Pressure(model, kHexane, 0.5 * b, 300)), FaultText(TPropertyFault::kBelowCoVolume));
    EXPECT_EQ(FaultOf(Pressure(model, kHexane, 1.5 * b, 300)), FaultText(TPropertyFault::kNoPositivePressure));
  }
  // An ideal volume at p = 0 and pc = 0 fail instead of dividing by zero.
  EXPECT_EQ(FaultOf(Volume(kIdeal, kEthane, 300, 0.0)), FaultText(TPropertyFault::kDivisionByZero));
  EXPECT_EQ(FaultOf(Pressure(kRK, {305, 0.0, 1e-4, 0.1}, 1e-3, 300)), FaultText(TPropertyFault::kDivisionByZero));
  EXPECT_EQ(FaultOf(Volume(kIdeal, kEthane, 300, -1e5)), FaultText(TPropertyFault::kInvalidInput));
  EXPECT_EQ(FaultOf(Pressure(kSRK, kEthane, NAN, 300)), FaultText(TPropertyFault::kInvalidInput));
  EXPECT_EQ(FaultOf(Pressure(static_cast<TStateModel>(3), kEthane, 1e-3, 300)),
            FaultText(TPropertyFault::kUnknownModel));
}

TEST(BisectionSolve, HalvesThirtyOneTimesFromTheIdealGasIntervalAndStopsAtRoots) {
  // Vm unknown at p = 1e5 Pa, T = 300 K: the interval is 0.1 to 5 times V_ig;
  // the residual is linear, scaled to stay above the stopping tolerance.
  const double idealVolume = 8.314 * 300 / 1e5;
  const double root = 2 * idealVolume + 1e-7;
  TStateVector parameters{1e5, 300, -1, 4e6, 400, 2e-4, 0.2};
  std::vector<double> trials;
  const TResult<double> result = BisectionSolve(
      [&](const TStateVector& s) {
        trials.push_back(s[kStateVolume]);
        return TResult<double>(1e3 * (s[kStateVolume] - root));
      },
      parameters, kStateVolume);
  ASSERT_TRUE(result);
  ASSERT_EQ(trials.size(), 2u + 31u);
  EXPECT_DOUBLE_EQ(trials[0], 0.1 * idealVolume);
  EXPECT_DOUBLE_EQ(trials[1], 5 * idealVolume);
  EXPECT_NEAR(result.value(), root, 4.9 * idealVolume / std::pow(2.0, 31));
  EXPECT_EQ(parameters[kStateVolume], result.value());
  EXPECT_EQ(parameters[kStateCriticalTemperature], 400);

  // T unknown at p = 1e6 Pa, Vm = 1e-3 m³/mol: the interval is 0.3 to 4 times T_ig.
  const double ideal = 1e6 * 1e-3 / 8.314;
  parameters = {1e6, 123, 1e-3, 0, 0, 0, 0};
  int calls = 0;
  auto rootAt = [&](double root) {
    calls = 0;
    return [&calls, root](const TStateVector& s) {
      ++calls;
      return TResult<double>(s[kStateTemperature] - root);
    };
  };
  EXPECT_EQ(FaultOf(BisectionSolve(rootAt(-1), parameters, kStateTemperature)),
            FaultText(TPropertyFault::kNoSignChange));
  EXPECT_EQ(parameters[kStateTemperature], 123);  // a failure is not written
  // Regression: a starting end that is a root is returned, not halved away from.
  EXPECT_EQ(BisectionSolve(rootAt(0.3 * ideal), parameters, kStateTemperature).value(), 0.3 * ideal);
  EXPECT_EQ(calls, 2);
  const double firstMid = (0.3 * ideal + 4 * ideal) / 2;
  EXPECT_EQ(BisectionSolve(rootAt(firstMid), parameters, kStateTemperature).value(), firstMid);
  EXPECT_EQ(calls, 3);  // the first midpoint is the root
}

}  // namespace
}  // namespace korvane
