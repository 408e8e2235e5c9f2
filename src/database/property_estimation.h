#pragma once
/// Pure-component properties estimated from the structure alone: ideal-gas
/// heat capacity, enthalpy and Gibbs energy of formation, normal boiling
/// point and critical constants by the Joback method, the acentric factor by
/// the Edmister relation, and fixed values where the method has no group to
/// work with (hydrogen, methane, the inert components) or is known to be
/// poor (a few light hydrocarbons).
///
/// Call `JobackGroups` first; the operations below take its group vector.
/// `CriticalTemperature` needs the result of `BoilingPoint`, and
/// `AcentricFactor` needs pc, Tc and Tb. A radical gets no group vector, so
/// every operation fails for it with PropertyError(TPropertyFault::kRadical).
/// All values in SI units: K, Pa, m³/mol, J/mol, J/(mol·K).

#include "core/molecule.h"
#include "core/vectors.h"
#include "database/joback.h"
#include "database/property_types.h"

namespace korvane {

/// Standard temperature of the formation properties [K].
inline constexpr double kStandardTemperature = 298.15;

/// Group sums of the heat capacity coefficients ΣA, ΣB, ΣC, ΣD.
struct TCpCoefficients {
  double A = 0.0;
  double B = 0.0;
  double C = 0.0;
  double D = 0.0;
};

/// ΣA..ΣD of the molecule's groups, or the fixed sums of a molecule without
/// groups (chosen by atom count and the `Inert` flag).
TResult<TCpCoefficients> CpCoefficients(const TByteVector& groups, const TMolecule& molecule);

/// cp° = C0 + C1·T + C2·T² + C3·T³ [J/(mol·K)], T in K.
struct TCpPolynomial {
  double C0 = 0.0;
  double C1 = 0.0;
  double C2 = 0.0;
  double C3 = 0.0;
};

/// Joback's heat capacity polynomial of the group sums: C0 = ΣA − 37.93,
/// C1 = ΣB + 0.21, C2 = ΣC − 3.91e-4, C3 = ΣD + 2.06e-7.
TCpPolynomial HeatCapacityPolynomial(const TCpCoefficients& sums);

/// Ideal-gas isobaric heat capacity [J/(mol·K)] at temperature T [K]:
/// cp° = (ΣA − 37.93) + (ΣB + 0.21)·T + (ΣC − 3.91e-4)·T² + (ΣD + 2.06e-7)·T³.
double HeatCapacity(double T, const TCpCoefficients& sums);

/// Standard enthalpy of formation of the ideal gas at 298.15 K [J/mol]:
/// (68.29 + ΣHf)·1000.
TResult<double> FormationEnthalpy(const TMolecule& molecule, const TByteVector& groups);

/// Standard Gibbs energy of formation of the ideal gas at 298.15 K [J/mol]:
/// (53.88 + ΣGf)·1000.
TResult<double> FormationGibbsEnergy(const TMolecule& molecule, const TByteVector& groups);

/// Standard entropy of formation [J/(mol·K)]: (ΔH°f − ΔG°f) / 298.15.
double FormationEntropy(double formationEnthalpy, double formationGibbsEnergy);

/// Normal boiling point [K]: 198 + ΣTb, or a listed value for a few light
/// hydrocarbons.
TResult<double> BoilingPoint(const TMolecule& molecule, const TByteVector& groups);

/// Critical temperature [K] from the boiling point Tb [K]:
/// Tb / (0.584 + 0.965·ΣTc − ΣTc²). Fails when the denominator is not
/// positive (very large molecules, where the method breaks down).
TResult<double> CriticalTemperature(const TMolecule& molecule, const TByteVector& groups, double Tb);

/// Critical pressure [Pa]: 1e5 / (0.113 + 0.0032·n − ΣPc)², n the number of
/// atoms (hydrogens included).
TResult<double> CriticalPressure(const TMolecule& molecule, const TByteVector& groups);

/// Critical volume [m³/mol]: (17.5 + ΣVc) / 1e6.
TResult<double> CriticalVolume(const TMolecule& molecule, const TByteVector& groups);

/// Acentric factor by the Edmister relation from pc [Pa], Tc [K] and Tb [K]:
/// ω = (3/7)·log10(pc / 101325) / (Tc/Tb − 1) − 1. Fails for Tc = Tb and for
/// non-positive inputs.
TResult<double> AcentricFactor(double pc, double Tc, double Tb);

/// Critical compressibility factor zc = pc·Vc / (R·Tc); fails for Tc ≤ 0.
TResult<double> CriticalCompressibility(double pc, double Vc, double Tc);

/// Every estimate of one molecule, in the order the component window shows
/// them. For a radical every field fails with kRadical.
struct TEstimatedProperties {
  TResult<double> Cp298;  ///< cp° at 298.15 K [J/(mol·K)]
  TResult<double> Hf;     ///< ΔH°f [J/mol]
  TResult<double> Gf;     ///< ΔG°f [J/mol]
  TResult<double> Sf;     ///< ΔS°f [J/(mol·K)]
  TResult<double> Tb;     ///< normal boiling point [K]
  TResult<double> Tc;     ///< critical temperature [K]
  TResult<double> Pc;     ///< critical pressure [Pa]
  TResult<double> Vc;     ///< critical volume [m³/mol]
  TResult<double> Zc;     ///< critical compressibility factor [-]
  TResult<double> Omega;  ///< acentric factor [-]
};

/// Runs the estimates in dependency order: group vector, cp°(298.15 K), ΔH°f,
/// ΔG°f, ΔS°f, Tb, Tc (from Tb), pc, Vc, zc, ω (from pc, Tc, Tb). A value
/// that depends on a failed one fails with the same error.
TEstimatedProperties EstimateProperties(const TMolecule& molecule);

}  // namespace korvane
