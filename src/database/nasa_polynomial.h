#pragma once
/// NASA 7-coefficient polynomials: the ideal-gas heat capacity, enthalpy and
/// entropy of a species in the form kinetics solvers read (CHEMKIN thermo
/// records), two coefficient sets joined at a common temperature:
///
///   cp/R  = a1 + a2 T + a3 T^2 + a4 T^3 + a5 T^4
///   H/RT  = a1 + a2 T/2 + a3 T^2/3 + a4 T^3/4 + a5 T^4/5 + a6/T
///   S/R   = a1 ln T + a2 T + a3 T^2/2 + a4 T^3/3 + a5 T^4/4 + a7
///
/// H is the standard enthalpy on the usual scale (the elements in their
/// reference states have H = 0 at 298.15 K, so H(298.15 K) of a species is
/// its enthalpy of formation); S is the absolute entropy at 1 bar.

#include <array>

namespace korvane {

/// The gas constant solvers multiply the coefficients by [J/(mol·K)]
/// (CODATA 2018, exact).
inline constexpr double kNasaGasConstant = 8.31446261815324;

struct TNasaPolynomial {
  /// Temperatures [K]: `Low` holds from TLow to TCommon, `High` from TCommon to THigh.
  double TLow = 300.0;
  double TCommon = 1000.0;
  double THigh = 1500.0;
  /// a1..a7 of each range.
  std::array<double, 7> Low{};
  std::array<double, 7> High{};
};

/// cp° [J/(mol·K)] at T [K], from the range that holds T (Low up to TCommon).
double NasaHeatCapacity(const TNasaPolynomial& polynomial, double T);
/// H° [J/mol] at T [K].
double NasaEnthalpy(const TNasaPolynomial& polynomial, double T);
/// S° [J/(mol·K)] at T [K] and 1 bar.
double NasaEntropy(const TNasaPolynomial& polynomial, double T);

/// The species whose polynomials come from the literature instead of an
/// estimate.
enum class TLiteratureSpecies { HydrogenAtom, Hydrogen, Helium, Nitrogen, Water };

/// The cited polynomial of a literature species.
const TNasaPolynomial& LiteraturePolynomial(TLiteratureSpecies species);

}  // namespace korvane
