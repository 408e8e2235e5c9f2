#include "database/nasa_fit.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

namespace korvane {
namespace {

constexpr double R = kNasaGasConstant;
constexpr std::array<double, 7> kGroupTemperatures{300, 400, 500, 600, 800, 1000, 1500};

// Wilhoit's cp(T) [J/(mol K)] with the limits of the shape.
double WilhoitCp(TMolecularShape shape, int atoms, double B, const std::array<double, 4>& a, double T) {
  const double cp0 = LowHeatCapacityLimit(shape), cpInf = HighHeatCapacityLimit(shape, atoms);
  const double y = T / (T + B);
  return cp0 + (cpInf - cp0) * y * y * (1 + (y - 1) * (a[0] + y * (a[1] + y * (a[2] + y * a[3]))));
}

// The polynomial with one range stretched over everything.
TNasaPolynomial OnlyRange(TNasaPolynomial polynomial, bool low) {
  polynomial.TCommon = low ? 1e9 : 0.0;
  return polynomial;
}

// cp rises over 298.15–3000 K (1 K steps), stays within the shape's limits,
// and cp, dcp/dT, H and S of both ranges agree at 1000 K.
void ExpectSound(const TNasaPolynomial& p, TMolecularShape shape, int atoms) {
  const double cp0 = LowHeatCapacityLimit(shape), cpInf = HighHeatCapacityLimit(shape, atoms);
  const double slack = 1e-9 * cpInf;
  EXPECT_EQ(p.TLow, 298.15);
  EXPECT_EQ(p.TCommon, 1000.0);
  EXPECT_EQ(p.THigh, 3000.0);
  EXPECT_GE(NasaHeatCapacity(p, 298.15), cp0 - slack);
  double previous = NasaHeatCapacity(p, 298.15);
  for (double T = 299.0; T <= 3000.0; T += 1.0) {
    const double cp = NasaHeatCapacity(p, T);
    ASSERT_GE(cp, previous - slack) << "falls at " << T << " K";
    ASSERT_LE(cp, cpInf + slack) << "above the limit at " << T << " K";
    previous = cp;
  }
  const TNasaPolynomial low = OnlyRange(p, true), high = OnlyRange(p, false);
  const double h = 0.01;
  auto slope = [&](const TNasaPolynomial& q) {
    return (NasaHeatCapacity(q, 1000 + h) - NasaHeatCapacity(q, 1000 - h)) / (2 * h);
  };
  EXPECT_NEAR(NasaHeatCapacity(low, 1000), NasaHeatCapacity(high, 1000), 1e-9 * cpInf);
  EXPECT_NEAR(slope(low), slope(high), 1e-6 * cpInf / 1000);
  EXPECT_NEAR(NasaEnthalpy(low, 1000), NasaEnthalpy(high, 1000), 1e-6);
  EXPECT_NEAR(NasaEntropy(low, 1000), NasaEntropy(high, 1000), 1e-9);
}

TEST(NasaFit, ReproducesKnownWilhoitCurves) {
  // Synthetic curves: scale and coefficients chosen so each rises and stays below cp∞.
  const struct {
    TMolecularShape shape;
    int atoms;
    double B;
    std::array<double, 4> a;
  } cases[] = {
      {TMolecularShape::Nonlinear, 3, 500, {0, 0, 0, 0}},
      {TMolecularShape::Nonlinear, 5, 300, {0.4, -0.3, 0, 0}},
      {TMolecularShape::Nonlinear, 10, 1000, {0.3, -0.2, 0, 0}},
      {TMolecularShape::Nonlinear, 18, 700, {-0.3, 0.8, -0.4, 0.1}},
      {TMolecularShape::Nonlinear, 30, 1500, {-0.5, 1.0, -0.4, 0}},
      {TMolecularShape::Nonlinear, 60, 3000, {0.2, 0.1, 0, 0}},
      {TMolecularShape::Nonlinear, 45, 200, {1.0, -1.0, 0.5, 0}},
      {TMolecularShape::Linear, 2, 1200, {0.2, 0, 0, 0}},
      {TMolecularShape::Linear, 4, 800, {0.1, 0, 0, 0}},
      {TMolecularShape::Linear, 12, 2500, {-0.2, 0.3, 0, 0}},
  };
  for (const auto& c : cases) {
    const std::string name = std::to_string(c.atoms) + " atoms, B = " + std::to_string(c.B);
    SCOPED_TRACE(name);
    TThermoPoints points;
    points.Enthalpy298 = -85000.0 + 1000.0 * c.atoms;
    points.Entropy298 = 150.0 + 10.0 * c.atoms;
    points.AtomCount = c.atoms;
    points.Shape = c.shape;
    for (double T : kGroupTemperatures) points.HeatCapacity.emplace_back(T, WilhoitCp(c.shape, c.atoms, c.B, c.a, T));
    const auto fit = FitNasaPolynomial(points);
    ASSERT_TRUE(fit) << fit.error().Message;
    for (const auto& [T, cp] : points.HeatCapacity) EXPECT_NEAR(NasaHeatCapacity(fit.value(), T), cp, 0.005 * cp) << T;
    EXPECT_NEAR(NasaEnthalpy(fit.value(), 298.15), points.Enthalpy298, 1e-6 * std::abs(points.Enthalpy298));
    EXPECT_NEAR(NasaEntropy(fit.value(), 298.15), points.Entropy298, 1e-6 * points.Entropy298);
    ExpectSound(fit.value(), c.shape, c.atoms);
  }
}

TEST(NasaFit, HardInputsStillGiveARisingBoundedPolynomial) {
  const double cpInf5 = HighHeatCapacityLimit(TMolecularShape::Nonlinear, 5);
  const struct {
    const char* name;
    TMolecularShape shape;
    int atoms;
    std::vector<std::pair<double, double>> cp;
  } cases[] = {
      // cp falls from 1000 to 1500 K, as group additivity gives for crowded quaternary carbons
      {"falls at 1500 K", TMolecularShape::Nonlinear, 17,
       {{300, 120}, {400, 155}, {500, 185}, {600, 210}, {800, 248}, {1000, 275}, {1500, 262}}},
      {"above the high limit", TMolecularShape::Nonlinear, 5,
       {{300, 60}, {400, 75}, {500, 88}, {600, 99}, {800, 112}, {1000, 120}, {1500, 1.2 * cpInf5}}},
      {"below the low limit", TMolecularShape::Nonlinear, 5, {{300, 3.0 * R}, {600, 3.2 * R}, {1000, 5.0 * R}}},
      {"nearly flat", TMolecularShape::Nonlinear, 8,
       {{300, 4.1 * R}, {400, 4.1 * R}, {500, 4.1001 * R}, {600, 4.1 * R}, {800, 4.1002 * R}, {1000, 4.1 * R}}},
      {"diatomic", TMolecularShape::Linear, 2, {{300, 29.1}, {500, 29.6}, {800, 31.4}, {1000, 32.7}, {1500, 34.9}}},
      {"three points, steep", TMolecularShape::Nonlinear, 40, {{298.15, 150}, {700, 600}, {1500, 900}}},
      {"zigzag", TMolecularShape::Nonlinear, 12,
       {{300, 100}, {400, 140}, {500, 120}, {600, 170}, {800, 150}, {1000, 220}, {1500, 200}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TThermoPoints points;
    points.Enthalpy298 = 52000;
    points.Entropy298 = 230;
    points.AtomCount = c.atoms;
    points.Shape = c.shape;
    points.HeatCapacity = c.cp;
    const auto fit = FitNasaPolynomial(points);
    ASSERT_TRUE(fit) << fit.error().Message;
    EXPECT_NEAR(NasaEnthalpy(fit.value(), 298.15), points.Enthalpy298, 1e-6 * points.Enthalpy298);
    EXPECT_NEAR(NasaEntropy(fit.value(), 298.15), points.Entropy298, 1e-6 * points.Entropy298);
    ExpectSound(fit.value(), c.shape, c.atoms);
  }
}

TEST(NasaFit, AnAtomIsConstant) {
  TThermoPoints points;
  points.Enthalpy298 = 217998;
  points.Entropy298 = 114.7;
  points.AtomCount = 1;
  points.Shape = TMolecularShape::Atom;
  const auto fit = FitNasaPolynomial(points);
  ASSERT_TRUE(fit) << fit.error().Message;
  for (double T : {298.15, 1000.0, 3000.0}) EXPECT_NEAR(NasaHeatCapacity(fit.value(), T), 2.5 * R, 1e-12);
  EXPECT_NEAR(NasaEnthalpy(fit.value(), 298.15), points.Enthalpy298, 1e-6);
  EXPECT_NEAR(NasaEnthalpy(fit.value(), 3000), points.Enthalpy298 + 2.5 * R * (3000 - 298.15), 1e-6);
  EXPECT_NEAR(NasaEntropy(fit.value(), 3000), points.Entropy298 + 2.5 * R * std::log(3000 / 298.15), 1e-9);
}

TEST(NasaFit, RefusesInputItCannotUse) {
  const double nan = std::nan("");
  const std::vector<std::pair<double, double>> good{{300, 100}, {600, 150}, {1000, 200}};
  auto with = [&](auto change) {
    TThermoPoints points;
    points.Enthalpy298 = 1000;
    points.Entropy298 = 300;
    points.AtomCount = 12;
    points.HeatCapacity = good;
    change(points);
    return points;
  };
  const struct {
    const char* name;
    TThermoPoints points;
  } cases[] = {
      {"enthalpy not finite", with([&](TThermoPoints& p) { p.Enthalpy298 = INFINITY; })},
      {"entropy not finite", with([&](TThermoPoints& p) { p.Entropy298 = nan; })},
      {"cp not finite", with([&](TThermoPoints& p) { p.HeatCapacity[1].second = nan; })},
      {"temperature not finite", with([&](TThermoPoints& p) { p.HeatCapacity[1].first = nan; })},
      {"two points", with([&](TThermoPoints& p) { p.HeatCapacity.pop_back(); })},
      {"no points", with([&](TThermoPoints& p) { p.HeatCapacity.clear(); })},
      {"17 points", with([&](TThermoPoints& p) {
         p.HeatCapacity.clear();
         for (int i = 0; i < 17; ++i) p.HeatCapacity.emplace_back(300 + 50 * i, 100 + i);
       })},
      {"below 296.15 K", with([&](TThermoPoints& p) { p.HeatCapacity[0].first = 296.1; })},
      {"above 1500 K", with([&](TThermoPoints& p) { p.HeatCapacity[2].first = 1500.001; })},
      {"repeated temperature", with([&](TThermoPoints& p) { p.HeatCapacity[2].first = 300; })},
      {"zero cp", with([&](TThermoPoints& p) { p.HeatCapacity[0].second = 0; })},
      {"no atoms", with([&](TThermoPoints& p) { p.AtomCount = 0; })},
      {"atom of two atoms", with([&](TThermoPoints& p) {
         p.Shape = TMolecularShape::Atom;
         p.AtomCount = 2;
       })},
      {"linear single atom", with([&](TThermoPoints& p) {
         p.Shape = TMolecularShape::Linear;
         p.AtomCount = 1;
       })},
      {"nonlinear diatomic", with([&](TThermoPoints& p) { p.AtomCount = 2; })},
  };
  for (const auto& c : cases) {
    const auto fit = FitNasaPolynomial(c.points);
    ASSERT_FALSE(fit) << c.name;
    EXPECT_EQ(fit.error().Code, TErrorCode::InvalidInput) << c.name;
    EXPECT_FALSE(fit.error().Message.empty()) << c.name;
  }
  // The ends of the accepted range are accepted.
  EXPECT_TRUE(FitNasaPolynomial(with([](TThermoPoints& p) {
    p.HeatCapacity[0].first = 296.15;
    p.HeatCapacity[2].first = 1500;
  })));
}

}  // namespace
}  // namespace korvane
