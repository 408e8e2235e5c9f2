#include "database/species_thermo.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

constexpr double kT0 = 298.15, kT1 = 1000.0;

TSpeciesThermo Thermo(const std::string& description) {
  const auto thermo = EstimateSpeciesThermo(*MoleculeFrom(description));
  EXPECT_TRUE(thermo) << description << ": " << thermo.error().Message;
  return thermo.value_or(TSpeciesThermo{});
}

// cp [J/(mol K)], H [kJ/mol] and S [J/(mol K)] at one temperature.
struct TState {
  double Cp, H, S;
};

void ExpectState(const TNasaPolynomial& polynomial, double T, const TState& expected, double cpTolerance,
                 double hTolerance, double sTolerance, const std::string& name) {
  SCOPED_TRACE(name + " at " + std::to_string(T) + " K");
  EXPECT_NEAR(NasaHeatCapacity(polynomial, T), expected.Cp, cpTolerance);
  EXPECT_NEAR(NasaEnthalpy(polynomial, T) / 1000.0, expected.H, hTolerance);
  EXPECT_NEAR(NasaEntropy(polynomial, T), expected.S, sTolerance);
}

TEST(SpeciesThermo, LiteratureSpeciesMatchTheJanafTables) {
  // M. W. Chase, NIST-JANAF Thermochemical Tables, 4th ed. (1998): cp, H = ΔfH(298.15) + H(T) − H(298.15), S.
  const struct {
    const char* description;
    TState at298, at1000;
  } cases[] = {
      {"H.", {20.786, 217.999, 114.717}, {20.786, 232.588, 139.872}},
      {"H H; 0-1", {28.836, 0.0, 130.680}, {30.205, 20.680, 166.216}},
      {"He..", {20.786, 0.0, 126.153}, {20.786, 14.589, 151.310}},
      {"N N; 0#1", {29.124, 0.0, 191.609}, {32.697, 21.463, 228.170}},
      {"O", {33.590, -241.826, 188.834}, {41.268, -215.826, 232.738}},
  };
  for (const auto& c : cases) {
    const TSpeciesThermo thermo = Thermo(c.description);
    EXPECT_EQ(thermo.Source, "LIT");
    for (const auto& [T, state] : {std::pair{kT0, c.at298}, std::pair{kT1, c.at1000}})
      ExpectState(thermo.Polynomial, T, state, 0.002 * state.Cp, 0.03, 0.05, c.description);
  }
}

// ∫ cp dT [kJ/mol] and ∫ cp/T dT [J/(mol K)] from 298.15 K to 1000 K of
// cp/R = A + B T + C T^2.
TState CorrelationTo1000(double A, double B, double C) {
  constexpr double R = 8.314;
  const double cp = R * (A + B * kT1 + C * kT1 * kT1);
  const double h = R * (A * (kT1 - kT0) + B / 2 * (kT1 * kT1 - kT0 * kT0) + C / 3 * (std::pow(kT1, 3) - std::pow(kT0, 3)));
  const double s = R * (A * std::log(kT1 / kT0) + B * (kT1 - kT0) + C / 2 * (kT1 * kT1 - kT0 * kT0));
  return {cp, h / 1000.0, s};
}

TEST(SpeciesThermo, HydrocarbonsWithinJobacksAccuracy) {
  // At 298.15 K: D. R. Stull, E. F. Westrum, G. C. Sinke, The Chemical Thermodynamics of Organic
  // Compounds (1969), ideal gas. Up to 1000 K: the correlations cp/R = A + B T + C T^2 (298–1500 K) of
  // J. M. Smith, H. C. Van Ness, M. M. Abbott, Introduction to Chemical Engineering Thermodynamics,
  // 7th ed., Table C.1. Joback's ring -CH2- has no ring correction: it puts cyclohexane 31 kJ/mol above
  // its measured ΔfH, and S°, taken from ΔfH − ΔfG, inherits that error divided by 298.15 K.
  const struct {
    const char* name;
    const char* description;
    TState at298;
    double A, B, C;
    double hTolerance, sTolerance;
  } cases[] = {
      {"n-hexane", "C C C C C C; 0-1 1-2 2-3 3-4 4-5", {143.09, -167.19, 388.40}, 3.025, 53.722e-3, -16.791e-6, 8, 8},
      {"1-hexene", "C C C C C C; 0=1 1-2 2-3 3-4 4-5", {132.34, -41.67, 384.64}, 3.220, 48.189e-3, -15.157e-6, 8, 8},
      {"toluene", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", {103.64, 50.00, 320.67}, 0.290, 47.052e-3,
       -15.716e-6, 8, 8},
      {"cyclohexane", "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", {106.27, -123.14, 298.24}, -3.876, 63.249e-3,
       -20.928e-6, 35, 110},
  };
  for (const auto& c : cases) {
    const TSpeciesThermo thermo = Thermo(c.description);
    EXPECT_EQ(thermo.Source, "JOBACK");
    const TState rise = CorrelationTo1000(c.A, c.B, c.C);
    const TState at1000{rise.Cp, c.at298.H + rise.H, c.at298.S + rise.S};
    ExpectState(thermo.Polynomial, kT0, c.at298, 0.05 * c.at298.Cp, c.hTolerance, c.sTolerance, c.name);
    ExpectState(thermo.Polynomial, kT1, at1000, 0.05 * at1000.Cp, c.hTolerance, c.sTolerance, c.name);
    EXPECT_TRUE(thermo.Polynomial.TLow == 300.0 && thermo.Polynomial.THigh == 1500.0);
  }
}

TEST(SpeciesThermo, RadicalsFollowTheHydrogenBondIncrement) {
  // Experimental ΔfH°(298.15 K) [kJ/mol], Active Thermochemical Tables, rounded to 1 kJ/mol.
  const struct {
    const char* radical;
    const char* parent;
    double formationEnthalpy;
  } cases[] = {
      {"C. C; 0-1", "C C; 0-1", 120.0},
      {"C C. C; 0-1 1-2", "C C C; 0-1 1-2", 90.0},
      {"C. C C; 0-1 1=2", "C C C; 0-1 1=2", 171.0},
      {"C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", 208.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.radical);
    const TSpeciesThermo radical = Thermo(c.radical), parent = Thermo(c.parent);
    EXPECT_EQ(radical.Source, "HBI");
    EXPECT_NEAR(NasaEnthalpy(radical.Polynomial, kT0) / 1000.0, c.formationEnthalpy, 8.0);
    // The parent's heat capacity; one unpaired electron adds R ln 2 to S.
    for (double T : {kT0, kT1}) {
      EXPECT_NEAR(NasaHeatCapacity(radical.Polynomial, T), NasaHeatCapacity(parent.Polynomial, T), 1e-9);
      EXPECT_NEAR(NasaEntropy(radical.Polynomial, T) - NasaEntropy(parent.Polynomial, T),
                  kNasaGasConstant * std::numbers::ln2, 1e-9);
    }
  }
  // A carbene's two electrons on one carbon count twice: methylene from methane.
  EXPECT_NEAR(NasaEnthalpy(Thermo("C..").Polynomial, kT0) - NasaEnthalpy(Thermo("C").Polynomial, kT0),
              2 * (SiteBondEnthalpy(TRadicalSite::Methyl) - kHydrogenAtomFormationEnthalpy), 1e-6);
}

TEST(SpeciesThermo, SiteTypeOfEachRadicalCarbon) {
  const struct {
    const char* radical;
    TRadicalSite site;
  } cases[] = {
      {"C.", TRadicalSite::Methyl},
      {"C. C; 0-1", TRadicalSite::Primary},
      {"C. C C; 0-1 0-2", TRadicalSite::Secondary},
      {"C. C C C; 0-1 0-2 0-3", TRadicalSite::Tertiary},
      {"C. C C; 0-1 1=2", TRadicalSite::Allylic},
      {"C. C C; 0-1 1#2", TRadicalSite::Allylic},
      {"C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", TRadicalSite::Benzylic},
      {"C. C; 0=1", TRadicalSite::Vinylic},
      {"C. C; 0#1", TRadicalSite::Acetylenic},
      {"c. c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", TRadicalSite::Aryl},
  };
  for (const auto& c : cases) {
    const auto molecule = MoleculeFrom(c.radical);
    EXPECT_EQ(RadicalSiteOf(*molecule->GetAtom(0)), c.site) << c.radical;
  }
}

TEST(SpeciesThermo, SpeciesWithoutEstimateAreRefusedWithTheReason) {
  const struct {
    const char* description;
    const char* reason;
  } cases[] = {
      {"C D; 0-1", "deuterium, tritium or carbon 14"},
      {"C14", "deuterium, tritium or carbon 14"},
      {"C N; 0-1", "atoms other than carbon and hydrogen"},
      {"N N; 0-1", "atoms other than carbon and hydrogen"},  // not N2
      {"H. H.", "hydrogen only"},
  };
  for (const auto& c : cases) {
    const auto thermo = EstimateSpeciesThermo(*MoleculeFrom(c.description));
    ASSERT_FALSE(thermo) << c.description;
    EXPECT_EQ(thermo.error().Code, TErrorCode::NoValue);
    EXPECT_NE(thermo.error().Message.find(c.reason), std::string::npos)
        << c.description << ": " << thermo.error().Message;
  }
}

}  // namespace
}  // namespace korvane
