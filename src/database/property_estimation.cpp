#include "database/property_estimation.h"

#include <array>
#include <cmath>
#include <initializer_list>

namespace korvane {

namespace {

/// Values of a molecule without carbon groups. Formation properties in kJ/mol.
struct TFixedValues {
  TCpCoefficients Cp;
  double Hf, Gf, Tb, Tc, Pc, Vc;
};

constexpr TFixedValues kMethane{
    {55.654278, -0.1528658, 0.000398, -2e-7}, -74.52, -50.49, 111.67, 190.564, 4590000.0, 9.9e-5};
constexpr TFixedValues kHydrogen{{65.741964, -0.2060206, 0.0003874, -2e-7}, 0.0, 0.0, 20.39, 33.19, 1320000.0, 6.4e-5};
// Helium boils at 4.22 K at 101325 Pa; 0.95 K is its melting point under
// pressure, which no boiling-point consumer (ω, the windows) can use.
constexpr TFixedValues kHelium{{58.72, -0.21, 0.000391, -2.06e-7}, 0.0, 0.0, 4.22, 5.2, 230000.0, 5.8e-5};
constexpr TFixedValues kNitrogen{
    {67.366855, -0.2146972, 0.0004038, -2.1088e-7}, 0.0, 0.0, 77.35, 126.2, 3390000.0, 8.9e-5};
constexpr TFixedValues kWater{
    {70.0, -0.2074111, 0.0004008, -2.092e-7}, -241.814, -228.59, 373.35, 647.13, 21940000.0, 5.6e-5};

/// The column by atom count; the inert components (helium, nitrogen, water)
/// are recognised by their atom count, other inert molecules keep the
/// column a non-inert molecule of that size would get.
const TFixedValues& FixedValues(const TMolecule& molecule) {
  const std::size_t n = molecule.AtomCount();
  if (molecule.Inert) {
    if (n == 1) return kHelium;
    if (n == 2) return kNitrogen;
    if (n == 3) return kWater;
  }
  return n == 2 ? kHydrogen : kMethane;
}

struct TGroupCondition {
  int Group = -1;  // -1: no condition
  int Count = 0;
};

/// Listed Tb, Tc, pc of a light hydrocarbon; 0 keeps the calculated value.
struct TListedValues {
  std::size_t AtomCount;
  std::array<TGroupCondition, 4> Conditions;
  double Tb, Tc, Pc;
};

constexpr double kKeep = 0.0;

constexpr std::array<TListedValues, 13> kListed{{
    {4, {{{kGroupTripleCH, 2}}}, 188.31, kKeep, kKeep},                                                 // acetylene
    {6, {{{kGroupEqCH2, 2}}}, 169.31, 282.34, 5030000.0},                                               // ethylene
    {8, {{{kGroupCH3, 2}}}, 184.58, kKeep, kKeep},                                                      // ethane
    {9, {{{kGroupCH3, 1}, {kGroupEqCH2, 1}, {kGroupEqCH, 1}}}, 225.5, 365.57, 4630000.0},               // propene
    {10, {{{kGroupEqCH2, 2}, {kGroupEqCH, 2}}}, 268.58, kKeep, kKeep},                                  // 1,3-butadiene
    {11, {{{kGroupCH3, 2}, {kGroupCH2, 1}}}, 231.08, kKeep, kKeep},                                     // propane
    {12, {{{kGroupRingEqCH, 6}}}, 353.25, 562.16, 4880000.0},                                           // benzene
    {12, {{{kGroupCH3, 1}, {kGroupCH2, 1}, {kGroupEqCH2, 1}, {kGroupEqCH, 1}}}, 266.87, kKeep, kKeep},  // 1-butene
    {12, {{{kGroupCH3, 2}, {kGroupEqCH, 2}}}, 273.98, kKeep, kKeep},                                    // 2-butene
    {14, {{{kGroupCH3, 2}, {kGroupCH2, 2}}}, 272.62, kKeep, kKeep},                                     // n-butane
    {14, {{{kGroupCH3, 3}, {kGroupCH, 1}}}, 261.24, kKeep, kKeep},                                      // isobutane
    {15, {{{kGroupRingCH2, 6}}}, 280.0, kKeep, kKeep},
    {15, {{{kGroupCH3, 1}, {kGroupRingEqCH, 5}, {kGroupRingEqC, 1}}}, 383.83, kKeep, kKeep},  // toluene
}};

/// The listed row matching the molecule, or null. Inert molecules are never
/// replaced.
const TListedValues* Listed(const TMolecule& molecule, const TByteVector& groups) {
  if (molecule.Inert) return nullptr;
  for (const TListedValues& row : kListed) {
    if (row.AtomCount != molecule.AtomCount()) continue;
    bool matches = true;
    for (const TGroupCondition& condition : row.Conditions)
      if (condition.Group >= 0 && groups[static_cast<std::size_t>(condition.Group)] != condition.Count) matches = false;
    if (matches) return &row;
  }
  return nullptr;
}

TResult<> CheckGroups(const TMolecule& molecule, const TByteVector& groups) {
  if (molecule.IsRadical()) return PropertyError(TPropertyFault::kRadical);
  if (groups.size() != kJobackGroupCount) return PropertyError(TPropertyFault::kNoGroupVector);
  return {};
}

bool IsPositive(double value) { return std::isfinite(value) && value > 0.0; }

}  // namespace

// A molecule without groups takes fixed values. The test is on the group
// counts, not on each property's sum being 0.0: a sum can vanish by accident
// (a lone non-ring -CH2- has ΔPc = 0) while the molecule still has groups.

TResult<TCpCoefficients> CpCoefficients(const TByteVector& groups, const TMolecule& molecule) {
  if (const auto checked = CheckGroups(molecule, groups); !checked) return checked.error();
  if (HasNoGroups(groups)) return FixedValues(molecule).Cp;
  return TCpCoefficients{GroupSum(groups, TJobackColumn::kA), GroupSum(groups, TJobackColumn::kB),
                         GroupSum(groups, TJobackColumn::kC), GroupSum(groups, TJobackColumn::kD)};
}

TCpPolynomial HeatCapacityPolynomial(const TCpCoefficients& sums) {
  return {sums.A - 37.93, sums.B + 0.21, sums.C - 3.91e-4, sums.D + 2.06e-7};
}

double HeatCapacity(double T, const TCpCoefficients& sums) {
  const TCpPolynomial cp = HeatCapacityPolynomial(sums);
  return cp.C0 + cp.C1 * T + cp.C2 * T * T + cp.C3 * T * T * T;
}

TResult<double> FormationEnthalpy(const TMolecule& molecule, const TByteVector& groups) {
  if (const auto checked = CheckGroups(molecule, groups); !checked) return checked.error();
  if (HasNoGroups(groups)) return FixedValues(molecule).Hf * 1000.0;
  return (68.29 + GroupSum(groups, TJobackColumn::kHf)) * 1000.0;
}

TResult<double> FormationGibbsEnergy(const TMolecule& molecule, const TByteVector& groups) {
  if (const auto checked = CheckGroups(molecule, groups); !checked) return checked.error();
  if (HasNoGroups(groups)) return FixedValues(molecule).Gf * 1000.0;
  return (53.88 + GroupSum(groups, TJobackColumn::kGf)) * 1000.0;
}

double FormationEntropy(double formationEnthalpy, double formationGibbsEnergy) {
  return (formationEnthalpy - formationGibbsEnergy) / kStandardTemperature;
}

TResult<double> BoilingPoint(const TMolecule& molecule, const TByteVector& groups) {
  if (const auto checked = CheckGroups(molecule, groups); !checked) return checked.error();
  if (HasNoGroups(groups)) return FixedValues(molecule).Tb;
  if (const TListedValues* listed = Listed(molecule, groups); listed && listed->Tb != kKeep)
    return listed->Tb;
  return 198.0 + GroupSum(groups, TJobackColumn::kTb);
}

TResult<double> CriticalTemperature(const TMolecule& molecule, const TByteVector& groups, double Tb) {
  if (const auto checked = CheckGroups(molecule, groups); !checked) return checked.error();
  if (HasNoGroups(groups)) return FixedValues(molecule).Tc;
  if (const TListedValues* listed = Listed(molecule, groups); listed && listed->Tc != kKeep)
    return listed->Tc;
  if (!IsPositive(Tb)) return PropertyError(TPropertyFault::kInvalidInput);
  const double sum = GroupSum(groups, TJobackColumn::kTc);
  const double denominator = 0.584 + 0.965 * sum - sum * sum;
  if (denominator == 0.0) return PropertyError(TPropertyFault::kDivisionByZero);
  // Past ΣTc ≈ 1.386 (chains of about 73 carbons) the denominator turns
  // negative and the formula would give a negative critical temperature.
  if (denominator < 0.0) return PropertyError(TPropertyFault::kOutOfRange);
  return Tb / denominator;
}

TResult<double> CriticalPressure(const TMolecule& molecule, const TByteVector& groups) {
  if (const auto checked = CheckGroups(molecule, groups); !checked) return checked.error();
  if (HasNoGroups(groups)) return FixedValues(molecule).Pc;
  if (const TListedValues* listed = Listed(molecule, groups); listed && listed->Pc != kKeep)
    return listed->Pc;
  const double atoms = static_cast<double>(molecule.AtomCount());
  const double base = 0.113 + 0.0032 * atoms - GroupSum(groups, TJobackColumn::kPc);
  if (base == 0.0) return PropertyError(TPropertyFault::kDivisionByZero);
  // The method gives bar; 0.1 MPa per bar.
  const double pc = 0.1 / (base * base) * 1e6;
  if (!std::isfinite(pc)) return PropertyError(TPropertyFault::kDivisionByZero);
  return pc;
}

TResult<double> CriticalVolume(const TMolecule& molecule, const TByteVector& groups) {
  if (const auto checked = CheckGroups(molecule, groups); !checked) return checked.error();
  if (HasNoGroups(groups)) return FixedValues(molecule).Vc;
  return (17.5 + GroupSum(groups, TJobackColumn::kVc)) / 1e6;
}

TResult<double> AcentricFactor(double pc, double Tc, double Tb) {
  if (!IsPositive(pc) || !IsPositive(Tc) || !IsPositive(Tb))
    return PropertyError(TPropertyFault::kInvalidInput);
  // Tested on the ratio, not on Tc == Tb: nearly equal values can also
  // round Tc/Tb to exactly 1.
  const double span = Tc / Tb - 1.0;
  if (span == 0.0) return PropertyError(TPropertyFault::kDivisionByZero);
  return 3.0 / 7.0 * std::log10(pc / 101325.0) / span - 1.0;
}

TResult<double> CriticalCompressibility(double pc, double Vc, double Tc) {
  if (!std::isfinite(pc) || !std::isfinite(Vc) || !std::isfinite(Tc) || Tc < 0.0)
    return PropertyError(TPropertyFault::kInvalidInput);
  if (Tc == 0.0) return PropertyError(TPropertyFault::kDivisionByZero);
  return pc * Vc / (kGasConstant * Tc);
}

TEstimatedProperties EstimateProperties(const TMolecule& molecule) {
  const TByteVector groups = JobackGroups(molecule);
  const auto sums = CpCoefficients(groups, molecule);
  const TResult<double> cp298 =
      sums ? TResult<double>(HeatCapacity(kStandardTemperature, sums.value())) : TResult<double>(sums.error());

  const TResult<double> hf = FormationEnthalpy(molecule, groups);
  const TResult<double> gf = FormationGibbsEnergy(molecule, groups);
  const TResult<double> sf = !hf ? hf : !gf ? gf : TResult<double>(FormationEntropy(hf.value(), gf.value()));

  const TResult<double> tb = BoilingPoint(molecule, groups);
  const TResult<double> tc = tb ? CriticalTemperature(molecule, groups, tb.value()) : tb;
  const TResult<double> pc = CriticalPressure(molecule, groups);
  const TResult<double> vc = CriticalVolume(molecule, groups);

  auto firstFailure = [](std::initializer_list<const TResult<double>*> inputs) -> const TResult<double>* {
    for (const TResult<double>* input : inputs)
      if (!*input) return input;
    return nullptr;
  };
  const TResult<double>* failed = firstFailure({&pc, &vc, &tc});
  const TResult<double> zc = failed ? *failed : CriticalCompressibility(pc.value(), vc.value(), tc.value());
  failed = firstFailure({&pc, &tc, &tb});
  const TResult<double> omega = failed ? *failed : AcentricFactor(pc.value(), tc.value(), tb.value());
  return {cp298, hf, gf, sf, tb, tc, pc, vc, zc, omega};
}

}  // namespace korvane
