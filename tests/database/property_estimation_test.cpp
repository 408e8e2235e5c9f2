#include "database/property_estimation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;

constexpr const char* kBenzene = "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0";
constexpr const char* kToluene = "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1";

TByteVector Groups(const std::map<TJobackGroup, int>& counts) {
  TByteVector groups(kJobackGroupCount, 0);
  for (const auto& [group, count] : counts) groups[group] = static_cast<std::uint8_t>(count);
  return groups;
}

double JobackTcDenominator(double sumTc) { return 0.584 + 0.965 * sumTc - sumTc * sumTc; }
double JobackPc(double atoms, double sumPc) { return 1e5 / std::pow(0.113 + 0.0032 * atoms - sumPc, 2); }

TEST(PropertyEstimation, EthaneTakesTheListedBoilingPointAndComputesTcFromIt) {
  auto ethane = MoleculeFrom(LinearAlkane(2));
  const TByteVector groups = JobackGroups(*ethane);
  const TPropertyResult Tb = BoilingPoint(*ethane, groups);
  ASSERT_TRUE(Tb);
  EXPECT_DOUBLE_EQ(Tb.Value, 184.58);  // the formula would give 198 + 2·23.58 = 245.16

  const TPropertyResult Tc = CriticalTemperature(*ethane, groups, Tb.Value);
  ASSERT_TRUE(Tc);
  EXPECT_NEAR(Tc.Value, 184.58 / (0.584 + 0.965 * 0.0282 - 0.0282 * 0.0282), 1e-9);
  EXPECT_NEAR(Tc.Value, 302.38, 0.005);

  // n = 8 atoms, ΣPc = 2·(−0.0012).
  EXPECT_NEAR(CriticalPressure(*ethane, groups).Value, JobackPc(8, -0.0024), 1e-3);
  EXPECT_NEAR(CriticalVolume(*ethane, groups).Value, (17.5 + 130) / 1e6, 1e-15);
  EXPECT_NEAR(FormationEnthalpy(*ethane, groups).Value, (68.29 - 2 * 76.54) * 1000, 1e-6);
  EXPECT_NEAR(FormationGibbsEnergy(*ethane, groups).Value, (53.88 - 2 * 43.96) * 1000, 1e-6);
  EXPECT_NEAR(FormationEntropy(-84790, -34040), -50750 / 298.15, 1e-9);
}

TEST(PropertyEstimation, MethaneComesEntirelyFromTheFixedValues) {
  auto methane = MoleculeFrom("C");
  const TByteVector groups = JobackGroups(*methane);
  const auto sums = CpCoefficients(groups, *methane);
  ASSERT_TRUE(sums);
  EXPECT_DOUBLE_EQ(sums.Value.A, 55.654278);
  EXPECT_DOUBLE_EQ(sums.Value.D, -2e-7);
  // 17.724278 + 0.0571342·298.15 + 7e-6·298.15² + 6e-9·298.15³
  EXPECT_NEAR(HeatCapacity(298.15, sums.Value), 35.540, 0.001);
  EXPECT_NEAR(FormationEnthalpy(*methane, groups).Value, -74520, 1e-6);
  EXPECT_NEAR(FormationGibbsEnergy(*methane, groups).Value, -50490, 1e-6);
  EXPECT_DOUBLE_EQ(BoilingPoint(*methane, groups).Value, 111.67);
  EXPECT_DOUBLE_EQ(CriticalTemperature(*methane, groups, 111.67).Value, 190.564);
  EXPECT_DOUBLE_EQ(CriticalPressure(*methane, groups).Value, 4590000);
  EXPECT_DOUBLE_EQ(CriticalVolume(*methane, groups).Value, 9.9e-5);
  // Marked inert, a molecule of five atoms keeps the methane column.
  methane->Inert = true;
  EXPECT_DOUBLE_EQ(BoilingPoint(*methane, groups).Value, 111.67);
}

TEST(PropertyEstimation, HydrogenAndTheInertComponentsUseTheirColumns) {
  auto hydrogen = MoleculeFrom("H H; 0-1");
  const TByteVector none = JobackGroups(*hydrogen);
  EXPECT_EQ(FormationEnthalpy(*hydrogen, none).Value, 0.0);
  EXPECT_EQ(FormationGibbsEnergy(*hydrogen, none).Value, 0.0);
  EXPECT_DOUBLE_EQ(BoilingPoint(*hydrogen, none).Value, 20.39);
  EXPECT_DOUBLE_EQ(CriticalTemperature(*hydrogen, none, 20.39).Value, 33.19);
  EXPECT_DOUBLE_EQ(CriticalPressure(*hydrogen, none).Value, 1320000);

  auto water = MoleculeFrom("O");
  ASSERT_EQ(water->AtomCount(), 3u);
  // Without the flag, a three-atom molecule without groups gets methane's values.
  EXPECT_DOUBLE_EQ(BoilingPoint(*water, none).Value, 111.67);
  water->Inert = true;
  EXPECT_NEAR(FormationEnthalpy(*water, none).Value, -241814, 1e-6);
  EXPECT_NEAR(FormationGibbsEnergy(*water, none).Value, -228590, 1e-6);
  EXPECT_DOUBLE_EQ(CriticalTemperature(*water, none, 0.0).Value, 647.13);
  EXPECT_DOUBLE_EQ(BoilingPoint(*water, none).Value, 373.35);
  EXPECT_DOUBLE_EQ(CriticalPressure(*water, none).Value, 21940000);
  EXPECT_DOUBLE_EQ(CriticalVolume(*water, none).Value, 5.6e-5);

  auto nitrogen = MoleculeFrom("N N; 0#1");
  nitrogen->Inert = true;
  EXPECT_DOUBLE_EQ(BoilingPoint(*nitrogen, none).Value, 77.35);
  EXPECT_DOUBLE_EQ(CriticalTemperature(*nitrogen, none, 77.35).Value, 126.2);
  EXPECT_DOUBLE_EQ(CriticalPressure(*nitrogen, none).Value, 3390000);
  // 29.436855 − 0.0046972·T + 1.28e-5·T² − 4.88e-9·T³ at 298.15 K.
  EXPECT_NEAR(HeatCapacity(298.15, CpCoefficients(none, *nitrogen).Value), 29.045, 0.001);

  auto helium = MoleculeFrom("He..");
  helium->Inert = true;
  const TCpCoefficients heliumCp = CpCoefficients(none, *helium).Value;
  for (double T : {100.0, 298.15, 1000.0}) EXPECT_NEAR(HeatCapacity(T, heliumCp), 20.79, 1e-9) << T;
  EXPECT_DOUBLE_EQ(CriticalTemperature(*helium, none, 4.22).Value, 5.2);
  EXPECT_DOUBLE_EQ(CriticalPressure(*helium, none).Value, 230000);
}

TEST(PropertyEstimation, HeliumBoilsAtItsNormalBoilingPoint) {
  // Regression: the fixed value was 0.95 K (a melting point under pressure);
  // it drove ω of helium to −0.97 instead of about −0.39.
  auto helium = MoleculeFrom("He..");
  helium->Inert = true;
  const TEstimatedProperties properties = EstimateProperties(*helium);
  EXPECT_DOUBLE_EQ(properties.Tb.Value, 4.22);
  ASSERT_TRUE(properties.Omega);
  EXPECT_NEAR(properties.Omega.Value, -0.39, 0.06);
}

TEST(PropertyEstimation, AromaticBenzeneTakesItsListedValuesUnlessInert) {
  auto benzene = MoleculeFrom(kBenzene);
  const TByteVector groups = JobackGroups(*benzene);
  EXPECT_EQ(groups[kGroupRingEqCH], 6);
  EXPECT_EQ(groups[kGroupRingCH2], 0);
  EXPECT_DOUBLE_EQ(BoilingPoint(*benzene, groups).Value, 353.25);
  EXPECT_DOUBLE_EQ(CriticalTemperature(*benzene, groups, 353.25).Value, 562.16);
  EXPECT_DOUBLE_EQ(CriticalPressure(*benzene, groups).Value, 4880000);

  // The listed values never replace the estimates of an inert molecule.
  benzene->Inert = true;
  const double Tb = 198 + 6 * 26.73;
  EXPECT_NEAR(BoilingPoint(*benzene, groups).Value, Tb, 1e-9);
  EXPECT_NEAR(CriticalTemperature(*benzene, groups, Tb).Value, Tb / JobackTcDenominator(6 * 0.0082), 1e-9);
  EXPECT_NEAR(CriticalPressure(*benzene, groups).Value, JobackPc(12, 6 * 0.0011), 1e-3);
}

TEST(PropertyEstimation, LightHydrocarbonsTakeTheirListedValues) {
  struct Case {
    std::string name, description;
    double Tb, Tc, pc;  // 0: calculated
  };
  const Case cases[] = {
      {"acetylene", "C C; 0#1", 188.31, 0, 0},
      {"ethylene", "C C; 0=1", 169.31, 282.34, 5030000},
      {"propene", "C C C; 0-1 1=2", 225.5, 365.57, 4630000},
      {"1,3-butadiene", "C C C C; 0=1 1-2 2=3", 268.58, 0, 0},
      {"propane", LinearAlkane(3), 231.08, 0, 0},
      {"1-butene", "C C C C; 0=1 1-2 2-3", 266.87, 0, 0},
      {"2-butene", "C C C C; 0-1 1=2 2-3", 273.98, 0, 0},
      {"n-butane", LinearAlkane(4), 272.62, 0, 0},
      {"isobutane", "C C C C; 0-1 1-2 1-3", 261.24, 0, 0},
      {"toluene", kToluene, 383.83, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto molecule = MoleculeFrom(c.description);
    const TByteVector groups = JobackGroups(*molecule);
    EXPECT_DOUBLE_EQ(BoilingPoint(*molecule, groups).Value, c.Tb);
    const double Tc = c.Tc != 0 ? c.Tc : c.Tb / JobackTcDenominator(GroupSum(groups, TJobackColumn::kTc));
    EXPECT_NEAR(CriticalTemperature(*molecule, groups, c.Tb).Value, Tc, 1e-9);
    const double pc = c.pc != 0 ? c.pc : JobackPc(molecule->AtomCount(), GroupSum(groups, TJobackColumn::kPc));
    EXPECT_NEAR(CriticalPressure(*molecule, groups).Value, pc, 1e-3);
  }

  // Isobutene has the atom count of the butenes but none of their groups.
  auto isobutene = MoleculeFrom("C C C C; 0-1 1=2 1-3");
  EXPECT_NEAR(BoilingPoint(*isobutene, JobackGroups(*isobutene)).Value, 198 + 2 * 23.58 + 18.18 + 24.14, 1e-9);
  // The row of fifteen atoms with six ring -CH2- is listed too.
  auto toluene = MoleculeFrom(kToluene);
  EXPECT_DOUBLE_EQ(BoilingPoint(*toluene, Groups({{kGroupRingCH2, 6}})).Value, 280.0);
}

TEST(PropertyEstimation, GroupsWhoseContributionsCancelStillUseTheFormula) {
  // Methanediamine: its only group, a non-ring -CH2-, has ΔPc = 0, so ΣPc is
  // exactly 0.0 although the molecule has a group. The fixed (methane)
  // value 4.59 MPa would be wrong; n = 9 atoms.
  auto diamine = MoleculeFrom("N C N; 0-1 1-2");
  const TByteVector groups = JobackGroups(*diamine);
  ASSERT_EQ(groups, Groups({{kGroupCH2, 1}}));
  ASSERT_EQ(GroupSum(groups, TJobackColumn::kPc), 0.0);
  EXPECT_NEAR(CriticalPressure(*diamine, groups).Value, JobackPc(9, 0.0), 1e-3);
  EXPECT_NEAR(CriticalPressure(*diamine, groups).Value, 4.973e6, 1e3);
}

TEST(PropertyEstimation, RadicalsAndForeignGroupVectorsGiveNoProperties) {
  auto ethyl = MoleculeFrom("C. C; 0-1");
  const TByteVector groups = JobackGroups(*ethyl);
  EXPECT_EQ(CpCoefficients(groups, *ethyl).Fault, TPropertyFault::kRadical);
  EXPECT_EQ(FormationEnthalpy(*ethyl, groups).Fault, TPropertyFault::kRadical);
  EXPECT_EQ(FormationGibbsEnergy(*ethyl, groups).Fault, TPropertyFault::kRadical);
  EXPECT_EQ(BoilingPoint(*ethyl, groups).Fault, TPropertyFault::kRadical);
  EXPECT_EQ(CriticalTemperature(*ethyl, groups, 200).Fault, TPropertyFault::kRadical);
  EXPECT_EQ(CriticalPressure(*ethyl, groups).Fault, TPropertyFault::kRadical);
  EXPECT_EQ(CriticalVolume(*ethyl, groups).Fault, TPropertyFault::kRadical);
  // A group vector borrowed from a molecule does not make a radical estimable.
  EXPECT_EQ(BoilingPoint(*ethyl, Groups({{kGroupCH3, 2}})).Fault, TPropertyFault::kRadical);

  const TEstimatedProperties all = EstimateProperties(*ethyl);
  for (const TPropertyResult* r :
       {&all.Cp298, &all.Hf, &all.Gf, &all.Sf, &all.Tb, &all.Tc, &all.Pc, &all.Vc, &all.Zc, &all.Omega})
    EXPECT_EQ(r->Fault, TPropertyFault::kRadical);

  auto ethane = MoleculeFrom(LinearAlkane(2));
  EXPECT_EQ(BoilingPoint(*ethane, TByteVector{}).Fault, TPropertyFault::kNoGroupVector);
  EXPECT_EQ(CriticalPressure(*ethane, TByteVector(14, 0)).Fault, TPropertyFault::kNoGroupVector);
  EXPECT_STRNE(FaultText(TPropertyFault::kRadical), FaultText(TPropertyFault::kNoGroupVector));
}

TEST(PropertyEstimation, DivisionsByZeroAndTheLimitOfTheMethodFail) {
  // A C74 chain: ΣTc = 2·0.0141 + 72·0.0189 = 1.389 makes the Tc denominator
  // negative; the formula would report a negative critical temperature.
  auto longChain = MoleculeFrom(LinearAlkane(74));
  const TByteVector groups = JobackGroups(*longChain);
  ASSERT_LT(JobackTcDenominator(GroupSum(groups, TJobackColumn::kTc)), 0.0);
  const TPropertyResult Tb = BoilingPoint(*longChain, groups);
  ASSERT_TRUE(Tb);
  EXPECT_EQ(CriticalTemperature(*longChain, groups, Tb.Value).Fault, TPropertyFault::kOutOfRange);
  // One carbon less the denominator is still positive.
  auto shorter = MoleculeFrom(LinearAlkane(73));
  const TByteVector shorterGroups = JobackGroups(*shorter);
  EXPECT_TRUE(CriticalTemperature(*shorter, shorterGroups, BoilingPoint(*shorter, shorterGroups).Value));

  const TEstimatedProperties all = EstimateProperties(*longChain);
  EXPECT_TRUE(all.Tb && all.Pc && all.Vc && all.Hf);
  EXPECT_EQ(all.Tc.Fault, TPropertyFault::kOutOfRange);
  EXPECT_EQ(all.Zc.Fault, TPropertyFault::kOutOfRange);
  EXPECT_EQ(all.Omega.Fault, TPropertyFault::kOutOfRange);

  // Thirty >C< on five atoms bring 0.113 + 0.0032·5 − ΣPc to exactly zero.
  auto methane = MoleculeFrom("C");
  EXPECT_EQ(CriticalPressure(*methane, Groups({{kGroupC, 30}})).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(CriticalTemperature(*longChain, groups, -1.0).Fault, TPropertyFault::kInvalidInput);

  EXPECT_EQ(AcentricFactor(4.0e6, 300.0, 300.0).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(AcentricFactor(0.0, 500.0, 300.0).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(AcentricFactor(4.0e6, 500.0, 0.0).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(AcentricFactor(NAN, 500.0, 300.0).Fault, TPropertyFault::kInvalidInput);
  EXPECT_EQ(CriticalCompressibility(4.0e6, 2e-4, 0.0).Fault, TPropertyFault::kDivisionByZero);
  EXPECT_EQ(CriticalCompressibility(4.0e6, 2e-4, -5.0).Fault, TPropertyFault::kInvalidInput);
}

TEST(PropertyEstimation, EdmisterAndZcReproduceLiteratureFromLiteratureCriticalData) {
  // Critical data and acentric factors: NIST/Poling et al. tables.
  // n-hexane: Tb 341.88 K, Tc 507.6 K, pc 3.025 MPa, ω 0.300.
  EXPECT_NEAR(AcentricFactor(3.025e6, 507.6, 341.88).Value, 0.300, 0.01);
  // toluene: Tb 383.78 K, Tc 591.75 K, pc 4.108 MPa, ω 0.264.
  EXPECT_NEAR(AcentricFactor(4.108e6, 591.75, 383.78).Value, 0.264, 0.01);
  // Methane's fixed values give zc = 4.59e6·9.9e-5 / (8.314·190.564) (literature 0.286).
  EXPECT_NEAR(CriticalCompressibility(4590000, 9.9e-5, 190.564).Value, 0.28681, 1e-5);
}

TEST(PropertyEstimation, EstimatesOfRealSpeciesAgreeWithPublishedData) {
  // Literature values: NIST Chemistry WebBook / Poling, Prausnitz and
  // O'Connell property tables. Joback's documented accuracy is a few percent
  // for Tb and Tc (Tc here follows the estimated Tb) and about 5 % on
  // average, up to 10 %, for pc.
  struct Case {
    std::string name, description;
    double Tb, Tc, pc;
  };
  const Case cases[] = {
      {"n-hexane", LinearAlkane(6), 341.88, 507.6, 3.025e6},
      {"toluene", kToluene, 383.78, 591.75, 4.108e6},
      {"isobutane", "C C C C; 0-1 1-2 1-3", 261.4, 407.8, 3.640e6},
      {"1-hexene", "C C C C C C; 0=1 1-2 2-3 3-4 4-5", 336.63, 504.0, 3.140e6},
      {"cyclohexane", "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", 353.87, 553.6, 4.073e6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TEstimatedProperties estimate = EstimateProperties(*MoleculeFrom(c.description));
    ASSERT_TRUE(estimate.Tb && estimate.Tc && estimate.Pc);
    EXPECT_NEAR(estimate.Tb.Value / c.Tb, 1.0, 0.05);
    EXPECT_NEAR(estimate.Tc.Value / c.Tc, 1.0, 0.05);
    EXPECT_NEAR(estimate.Pc.Value / c.pc, 1.0, 0.10);
    EXPECT_GT(estimate.Tc.Value, estimate.Tb.Value);
  }

  // n-hexane ideal gas at 298.15 K: cp° 142.6 J/(mol·K), ΔH°f −166.9 kJ/mol.
  const TEstimatedProperties hexane = EstimateProperties(*MoleculeFrom(LinearAlkane(6)));
  EXPECT_NEAR(hexane.Cp298.Value / 142.6, 1.0, 0.03);
  EXPECT_NEAR(hexane.Hf.Value, -166.9e3, 3e3);
}

TEST(PropertyEstimation, EstimatePropertiesMatchesTheSingleOperations) {
  auto toluene = MoleculeFrom(kToluene);
  const TEstimatedProperties all = EstimateProperties(*toluene);
  const TByteVector groups = JobackGroups(*toluene);
  EXPECT_DOUBLE_EQ(all.Cp298.Value, HeatCapacity(298.15, CpCoefficients(groups, *toluene).Value));
  EXPECT_DOUBLE_EQ(all.Hf.Value, FormationEnthalpy(*toluene, groups).Value);
  EXPECT_DOUBLE_EQ(all.Gf.Value, FormationGibbsEnergy(*toluene, groups).Value);
  EXPECT_DOUBLE_EQ(all.Sf.Value, (all.Hf.Value - all.Gf.Value) / 298.15);
  EXPECT_DOUBLE_EQ(all.Tb.Value, 383.83);
  EXPECT_DOUBLE_EQ(all.Tc.Value, CriticalTemperature(*toluene, groups, 383.83).Value);
  EXPECT_DOUBLE_EQ(all.Pc.Value, CriticalPressure(*toluene, groups).Value);
  EXPECT_DOUBLE_EQ(all.Vc.Value, (17.5 + 65 + 5 * 41 + 32) / 1e6);
  EXPECT_DOUBLE_EQ(all.Zc.Value, all.Pc.Value * all.Vc.Value / (8.314 * all.Tc.Value));
  EXPECT_DOUBLE_EQ(all.Omega.Value, AcentricFactor(all.Pc.Value, all.Tc.Value, all.Tb.Value).Value);
}

}  // namespace
}  // namespace korvane
