#pragma once
/// NASA-7 polynomials over 298.15–1000–3000 K from thermochemistry known at
/// a few temperatures (group additivity gives ΔfH° and S° at 298.15 K and cp
/// up to 1500 K only; a plain polynomial extrapolated beyond runs away).
/// Two steps:
///
/// 1. Wilhoit's extrapolation (W. R. Wilhoit, Thermodynamics Research Center
///    Current Data News 3, 1975), the form used for the same purpose in
///    automatic mechanism generation:
///
///      cp(T) = cp0 + (cp∞ − cp0) y² [1 + (y − 1)(a0 + a1 y + a2 y² + a3 y³)],
///      y = T / (T + B),
///
///    with cp0 and cp∞ the limits of the molecule's shape. For each scale B
///    (a logarithmic grid over 100–5000 K, then a golden-section search next
///    to the best grid point) a0..a3 follow from the points by linear least
///    squares. The closest curve that rises monotonically on 298.15–3000 K
///    and stays within [cp0, cp∞] is kept, with 4 down to 0 coefficients
///    (a0..a3 = 0 always qualifies).
/// 2. The NASA-7 polynomial: cp/R of both ranges fitted to samples of the
///    curve by least squares with equal cp and dcp/dT at 1000 K (a linear
///    operator built once for the fixed samples); a6, a7 of the low range
///    give ΔfH° and S° at 298.15 K, those of the high range continue H and S
///    at 1000 K. A fit that falls somewhere or leaves the limits is repaired
///    in the Bernstein basis of each range: coefficients made non-decreasing
///    and within the limits make the polynomial so, slope link kept.

#include <utility>
#include <vector>

#include "core/result.h"
#include "database/nasa_polynomial.h"

namespace korvane {

/// How the molecule can rotate, which sets the heat-capacity limits.
enum class TMolecularShape { Atom, Linear, Nonlinear };

/// Thermochemistry at a few temperatures, as group additivity or a table gives it.
struct TThermoPoints {
  double Enthalpy298 = 0;  ///< ΔfH° at 298.15 K [J/mol]
  double Entropy298 = 0;   ///< S° at 298.15 K and 1 bar [J/(mol·K)]
  /// (T [K], cp [J/(mol·K)]), T within [298.15, 1500]
  std::vector<std::pair<double, double>> HeatCapacity;
  int AtomCount = 0;  ///< atoms, hydrogens included
  TMolecularShape Shape = TMolecularShape::Nonlinear;
};

/// cp° [J/(mol·K)] as T → 0 for the shape: translation and rotation fully
/// excited, no vibration (atom 2.5R, linear 3.5R, nonlinear 4R).
double LowHeatCapacityLimit(TMolecularShape shape);

/// cp° [J/(mol·K)] as T → ∞: every vibration adds R as well (atom 2.5R,
/// linear (3N − 1.5)R, nonlinear (3N − 2)R for N atoms).
double HighHeatCapacityLimit(TMolecularShape shape, int atomCount);

/// A NASA-7 polynomial over 298.15–1000–3000 K whose cp follows the points,
/// rises monotonically and stays within the limits, with cp, dcp/dT, H and S
/// continuous at 1000 K and H, S at 298.15 K equal to the given values. An
/// atom gets the constant 2.5R polynomial (its points, if any, are only
/// validated). InvalidInput for non-finite numbers, fewer than 3 points (a
/// molecule) or more than 16, a temperature outside [296.15, 1500] K or
/// repeated, a cp not above 0, or an atom count the shape cannot have.
TResult<TNasaPolynomial> FitNasaPolynomial(const TThermoPoints& points);

}  // namespace korvane
