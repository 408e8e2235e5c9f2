#pragma once
/// Pressure, temperature or molar volume of a pure gas from the other two,
/// by one of three equations of state, with a bisection root search.
/// T in K, Vm in m³/mol, p in Pa; R = 8.314 J/(mol·K).
///
///   Ideal gas:            p = R·T/Vm
///   Redlich–Kwong:        p = R·T/(Vm − b) − a / (√T·Vm·(Vm + b)),
///                         a = 0.4275·R²·Tc^2.5/pc, b = 0.0866·R·Tc/pc
///   Soave–Redlich–Kwong:  p = R·T/(Vm − b) − α·a / (Vm·(Vm + b)),
///                         a = 0.42748·(R·Tc)²/pc, b = 0.08664·R·Tc/pc,
///                         α = (1 + m·(1 − √(T/Tc)))², m = 0.48 + 1.574·ω − 0.176·ω²
///
/// Every operation fails instead of producing an infinity or NaN: at a pole
/// of the model (Vm = 0, Vm = b), for p = 0 where it divides, for inputs that
/// are not finite or not positive (T, Vm, p, and Tc, pc for the cubic
/// models), and when the root search finds no solution.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "database/property_types.h"

namespace korvane {

/// Model code as chosen in the component window.
enum class TStateModel : std::uint8_t {
  kIdeal = 0,              ///< "Ideal"
  kRedlichKwong = 1,       ///< "Redlich-Kwong"
  kSoaveRedlichKwong = 2,  ///< "Redlich-Kwong-Soave"
};

/// Entries of the state parameter vector, in this fixed order.
enum TStateEntry : std::size_t {
  kStatePressure = 0,             ///< p [Pa]
  kStateTemperature = 1,          ///< T [K]
  kStateVolume = 2,               ///< Vm [m³/mol]
  kStateCriticalPressure = 3,     ///< pc [Pa]
  kStateCriticalTemperature = 4,  ///< Tc [K]
  kStateCriticalVolume = 5,       ///< Vc [m³/mol], carried but used by no model
  kStateAcentricFactor = 6,       ///< ω [-]
};

/// The state parameter vector the root search works on.
using TStateVector = std::array<double, 7>;

/// Residual of a state equation at the trial values in the vector; a
/// failed evaluation stops the search with its error.
using TStateResidual = std::function<TResult<double>(const TStateVector&)>;

/// Halvings of the bisection interval (it shrinks by about 2.1e9).
inline constexpr int kBisectionSteps = 31;
/// The search stops early once |residual| falls below this [Pa].
inline constexpr double kBisectionTolerance = 1e-10;

/// Co-volume b of a cubic model [m³/mol] (0 for the ideal gas).
double CoVolume(TStateModel model, double Tc, double pc);

/// Pressure [Pa] of the model at molar volume Vm and temperature T. Fails
/// with kBelowCoVolume when a cubic model's Vm is not above b, and with
/// kNoPositivePressure where the model gives a pressure of 0 or less.
TResult<double> StatePressure(TStateModel model, double omega, double Vc, double Tc, double pc, double Vm, double T);

/// Temperature [K] at which the model gives pressure p at molar volume Vm:
/// p·Vm/R for the ideal gas, otherwise a bisection search.
TResult<double> StateTemperature(TStateModel model, double omega, double Vc, double Tc, double pc, double Vm, double p);

/// Molar volume [m³/mol] at which the model gives pressure p at
/// temperature T: R·T/p for the ideal gas, otherwise a bisection search.
TResult<double> StateVolume(TStateModel model, double omega, double Vc, double Tc, double pc, double T, double p);

/// Bisection search for the entry `unknown` (kStateTemperature or
/// kStateVolume) at which the residual changes sign. The starting interval
/// comes from the ideal gas: 0.3 to 4 times p·Vm/R for T, 0.1 to 5 times
/// R·T/p for Vm. Each evaluation writes its trial value into the unknown's
/// entry first. Fails with kNoSignChange when both ends have the same sign,
/// and with kNoRoot when the sign change was a pole of the residual rather
/// than a root. On success the unknown's entry holds the result, which is
/// also returned.
TResult<double> BisectionSolve(const TStateResidual& residual, TStateVector& parameters, std::size_t unknown);

}  // namespace korvane
