#include "database/equation_of_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace korvane {
namespace {

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

TPropertyResult Pressure(TStateModel model, const Gas& gas, double Vm, double T) {
  return StatePressure(model, gas.omega, gas.Vc, gas.Tc, gas.pc, Vm, T);
}
TPropertyResult Temperature(TStateModel model, const Gas& gas, double Vm, double p) {
  return StateTemperature(model, gas.omega, gas.Vc, gas.Tc, gas.pc, Vm, p);
}
TPropertyResult Volume(TStateModel model, const Gas& gas, double T, double p) {
  return StateVolume(model, gas.omega, gas.Vc, gas.Tc, gas.pc, T, p);
}

TEST(EquationOfState, IdealGasIsSolvedDirectly) {
  const TPropertyResult Vm = Volume(kIdeal, kEthane, 273.15, 101325);
  ASSERT_TRUE(Vm);
  EXPECT_NEAR(Vm.Value, 0.0224127, 1e-7);
  // 25 °C and 24.79 dm³/mol: 8.314·298.15 / 0.02479.
  EXPECT_NEAR(Pressure(kIdeal, kEthane, 0.02479, 298.15).Value, 99992.70, 0.01);
  EXPECT_NEAR(Temperature(kIdeal, kEthane, 0.0224127, 101325).Value, 273.15, 1e-3);
  // The ideal gas needs no critical data.
  EXPECT_TRUE(StatePressure(kIdeal, NAN, 0, 0, 0, 0.0224, 273.15));
}

TEST(EquationOfState, CubicModelsGiveTheCriticalPressureAtTheirCriticalPoint) {
  // Both models put the critical point at Vm = R·Tc/(3·pc); α = 1 at T = Tc,
  // so ω does not matter there.
  for (TStateModel model : {kRK, kSRK}) {
    const TPropertyResult p = Pressure(model, kEthane, 8.314 * kEthane.Tc / (3 * kEthane.pc), kEthane.Tc);
    ASSERT_TRUE(p);
    EXPECT_NEAR(p.Value / kEthane.pc, 1.0, 2e-3) << static_cast<int>(model);
  }
  // Away from Tc only Soave's α feels the acentric factor.
  Gas acentric = kEthane;
  acentric.omega = 0.5;
  EXPECT_EQ(Pressure(kRK, kEthane, 5e-4, 400).Value, Pressure(kRK, acentric, 5e-4, 400).Value);
  EXPECT_NE(Pressure(kSRK, kEthane, 5e-4, 400).Value, Pressure(kSRK, acentric, 5e-4, 400).Value);
}

TEST(EquationOfState, RealGasAtHighPressureIsDenserThanIdeal) {
  struct State {
    double T, p;
  };
  for (const State s : {State{300, 3e6}, State{350, 5e6}}) {
    const double ideal = 8.314 * s.T / s.p;
    for (TStateModel model : {kRK, kSRK}) {
      const TPropertyResult Vm = Volume(model, kEthane, s.T, s.p);
      ASSERT_TRUE(Vm) << FaultText(Vm.Fault);
      EXPECT_LT(Vm.Value, 0.9 * ideal);
      EXPECT_GT(Vm.Value, 0.7199924 * kEthane.Tc / kEthane.pc);  // above the co-volume b
    }
  }
}

TEST(EquationOfState, SolvedStatesReproduceThePressure) {
  for (TStateModel model : {kRK, kSRK}) {
    for (const double p : {1e5, 1e6, 3e6}) {
      SCOPED_TRACE(p);
      const TPropertyResult Vm = Volume(model, kEthane, 320, p);
      ASSERT_TRUE(Vm);
      EXPECT_NEAR(Pressure(model, kEthane, Vm.Value, 320).Value / p, 1.0, 1e-6);

      const double volume = 1.5 * 8.314 * 320 / p;
      const TPropertyResult T = Temperature(model, kEthane, volume, p);
      ASSERT_TRUE(T);
      EXPECT_NEAR(Pressure(model, kEthane, volume, T.Value).Value / p, 1.0, 1e-6);
    }
    // Temperature back from a pressure computed at a known state.
    const double p = Pressure(model, kMethane, 4e-4, 250).Value;
    EXPECT_NEAR(Temperature(model, kMethane, 4e-4, p).Value, 250, 1e-5);
  }
}

TEST(EquationOfState, CubicModelsTendToTheIdealGasAtLowPressure) {
  for (TStateModel model : {kRK, kSRK}) {
    double previousDeviation = 1.0;
    for (const double p : {1e6, 1e5, 1e3, 10.0}) {
      const double ideal = 8.314 * 300 / p;
      const double deviation = std::abs(Volume(model, kEthane, 300, p).Value / ideal - 1.0);
      EXPECT_LT(deviation, previousDeviation) << p;
      previousDeviation = deviation;
    }
    EXPECT_LT(previousDeviation, 1e-5);
  }
}

TEST(EquationOfState, VolumeSearchFailsWhenTheRootIsOutsideTheInterval) {
  // n-Hexane at 300 K and 1 MPa is a liquid: the only root lies below 0.1
  // times the ideal-gas volume.
  for (TStateModel model : {kRK, kSRK})
    EXPECT_EQ(Volume(model, kHexane, 300, 1e6).Fault, TPropertyFault::kNoSignChange);
  // A molar volume below the co-volume gives a negative model pressure at
  // every temperature.
  EXPECT_EQ(Temperature(kRK, kEthane, 1e-5, 1e6).Fault, TPropertyFault::kNoSignChange);
}

TEST(EquationOfState, VolumeSearchDoesNotReportThePoleAsARoot) {
  // Regression: methane at 200 K and 250 MPa puts b between 0.1 and 5 times
  // the ideal volume; the residual changes sign across the pole Vm = b, and
  // the search used to return b as the molar volume.
  for (TStateModel model : {kRK, kSRK}) {
    const TPropertyResult Vm = Volume(model, kMethane, 200, 2.5e8);
    EXPECT_EQ(Vm.Fault, TPropertyFault::kNoRoot) << static_cast<int>(model);
  }
}

TEST(EquationOfState, DivisionsByZeroAndBadInputFail) {
  const double bRK = 0.7199924 * kEthane.Tc / kEthane.pc;
  const double bSRK = 0.08664 * 8.314 * kEthane.Tc / kEthane.pc;
  EXPECT_EQ(Pressure(kRK, kEthane, bRK, 300).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(Pressure(kSRK, kEthane, bSRK, 300).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(Temperature(kSRK, kEthane, bSRK, 1e6).Fault, TPropertyFault::kDivisionByZero);
  // Just beside the pole the pressure is finite (and enormous).
  EXPECT_GT(Pressure(kRK, kEthane, bRK * (1 + 1e-12), 300).Value, 1e15);

  EXPECT_EQ(Volume(kIdeal, kEthane, 300, 0.0).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(Volume(kRK, kEthane, 300, 0.0).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(Pressure(kIdeal, kEthane, 0.0, 300).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(Pressure(kRK, {305, 0.0, 1e-4, 0.1}, 1e-3, 300).Fault, TPropertyFault::kDivisionByZero);

  EXPECT_EQ(Volume(kIdeal, kEthane, 300, -1e5).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(Volume(kIdeal, kEthane, 0.0, 1e5).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(Pressure(kSRK, kEthane, 1e-3, -300).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(Pressure(kSRK, kEthane, NAN, 300).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(Pressure(kSRK, {0.0, 4e6, 1e-4, 0.1}, 1e-3, 300).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(Pressure(kSRK, {305, 4e6, 1e-4, INFINITY}, 1e-3, 300).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(Temperature(kRK, kEthane, 1e-3, 0.0).Fault, TPropertyFault::kInvalidInput);

  const auto unknown = static_cast<TStateModel>(3);
  EXPECT_EQ(Pressure(unknown, kEthane, 1e-3, 300).Fault, TPropertyFault::kUnknownModel);
  EXPECT_EQ(Volume(unknown, kEthane, 300, 1e5).Fault, TPropertyFault::kUnknownModel);
  EXPECT_EQ(Temperature(unknown, kEthane, 1e-3, 1e5).Fault, TPropertyFault::kUnknownModel);
}

TEST(BisectionSolve, HalvesThirtyOneTimesFromTheIdealGasInterval) {
  // Vm unknown at p = 1e5 Pa, T = 300 K: the interval is 0.1 to 5 times
  // V_ig = 0.024942 m³/mol. The residual is linear with its root at 2·V_ig,
  // scaled so that it never falls below the stopping tolerance.
  const double ideal = 8.314 * 300 / 1e5;
  const double root = 2 * ideal + 1e-7;
  TStateVector parameters{1e5, 300, -1, 4e6, 400, 2e-4, 0.2};
  const TStateVector before = parameters;
  std::vector<double> trials;
  const TStateResidual residual = [&](const TStateVector& s) {
    trials.push_back(s[kStateVolume]);
    EXPECT_EQ(s[kStatePressure], before[kStatePressure]);
    EXPECT_EQ(s[kStateAcentricFactor], before[kStateAcentricFactor]);
    return TPropertyResult::Success(1e3 * (s[kStateVolume] - root));
  };
  const TPropertyResult result = BisectionSolve(residual, parameters, kStateVolume);
  ASSERT_TRUE(result);
  ASSERT_EQ(trials.size(), 2u + 31u);
  EXPECT_DOUBLE_EQ(trials[0], 0.1 * ideal);
  EXPECT_DOUBLE_EQ(trials[1], 5 * ideal);
  EXPECT_DOUBLE_EQ(trials[2], 2.55 * ideal);
  EXPECT_NEAR(result.Value, root, 4.9 * ideal / std::pow(2.0, 31));
  EXPECT_EQ(parameters[kStateVolume], result.Value);
  EXPECT_EQ(parameters[kStateCriticalTemperature], before[kStateCriticalTemperature]);
}

TEST(BisectionSolve, StopsEarlyEndsOnRootsAndLeavesFailuresUnwritten) {
  // T unknown at p = 1e6 Pa, Vm = 1e-3 m³/mol: interval 0.3 to 4 times 120.279 K.
  const double ideal = 1e6 * 1e-3 / 8.314;
  TStateVector parameters{1e6, 0, 1e-3, 0, 0, 0, 0};
  int calls = 0;
  // A root exactly at the lower end is returned as it is.
  const double lowEnd = 0.3 * (1e6 * 1e-3 / 8.314);
  TPropertyResult r = BisectionSolve(
      [&](const TStateVector& s) {
        ++calls;
        return TPropertyResult::Success(s[kStateTemperature] - lowEnd);
      },
      parameters, kStateTemperature);
  ASSERT_TRUE(r);
  EXPECT_EQ(r.Value, lowEnd);
  EXPECT_EQ(calls, 2);

  // The midpoint of the first halving is the root: the search stops there.
  const double firstMid = (0.3 * ideal + 4 * ideal) / 2;
  calls = 0;
  r = BisectionSolve(
      [&](const TStateVector& s) {
        ++calls;
        return TPropertyResult::Success(s[kStateTemperature] - firstMid);
      },
      parameters, kStateTemperature);
  EXPECT_EQ(r.Value, firstMid);
  EXPECT_EQ(calls, 3);

  parameters[kStateTemperature] = 123;
  r = BisectionSolve([](const TStateVector&) { return TPropertyResult::Success(5.0); }, parameters, kStateTemperature);
  EXPECT_EQ(r.Fault, TPropertyFault::kNoSignChange);
  EXPECT_EQ(parameters[kStateTemperature], 123);

  r = BisectionSolve([](const TStateVector&) { return TPropertyResult::Failure(TPropertyFault::kDivisionByZero); },
                     parameters, kStateTemperature);
  EXPECT_EQ(r.Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(parameters[kStateTemperature], 123);

  EXPECT_EQ(
      BisectionSolve([](const TStateVector&) { return TPropertyResult::Success(NAN); }, parameters, kStateTemperature)
          .Fault,
      TPropertyFault::kOutOfRange);
  EXPECT_EQ(
      BisectionSolve([](const TStateVector&) { return TPropertyResult::Success(1.0); }, parameters, kStatePressure)
          .Fault,
      TPropertyFault::kInvalidInput);
}

}  // namespace
}  // namespace korvane
