#include "database/thermo_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "database/species_thermo.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

constexpr double kT0 = 298.15, kT1 = 1000.0;

// NASA 9-coefficient polynomial of the 200(300)-1000 K range: cp/R =
// a1/T^2 + a2/T + a3 + a4 T + a5 T^2 + a6 T^3 + a7 T^4, with b1, b2 the
// enthalpy and entropy constants.
struct TNasa9 {
  double a[7];
  double b1, b2;
  double Cp(double T) const {
    return kNasaGasConstant * (a[0] / (T * T) + a[1] / T + a[2] + T * (a[3] + T * (a[4] + T * (a[5] + T * a[6]))));
  }
  double S(double T) const {
    return kNasaGasConstant * (-a[0] / (2 * T * T) - a[1] / T + a[2] * std::log(T) +
                               T * (a[3] + T * (a[4] / 2 + T * (a[5] / 3 + T * a[6] / 4))) + b2);
  }
};

// The library against an independent evaluation of the same tables: the NASA
// Glenn coefficients of B. J. McBride, M. J. Zehe, S. Gordon, NASA/TP-2002-
// 211556 (the thermo.inp of NASA's CEA program): ΔfH°(298.15 K) as each
// record states it [J/mol], S° and cp from its low-range coefficients.
// Goals: ΔfH within 4 kJ/mol, S within 4 J/(mol K), cp within 3 % (6 % for
// radicals) at 298.15 K and 1000 K.
TEST(ThermoLibrary, ReproducesTheNasaGlennTables) {
  const struct {
    const char* structure;
    bool radical;
    double formationEnthalpy;
    TNasa9 reference;
  } cases[] = {
      {"H H; 0-1", false, 0.0,
       {{4.078323210e+04, -8.009186040e+02, 8.214702010e+00, -1.269714457e-02, 1.753605076e-05, -1.202860270e-08,
         3.368093490e-12},
        2.682484665e+03, -3.043788844e+01}},
      {"C.", true, 146658.040,
       {{-2.876188806e+04, 5.093268660e+02, 2.002143949e-01, 1.363605829e-02, -1.433989346e-05, 1.013556725e-08,
         -3.027331936e-12},
        1.408271825e+04, 2.022772791e+01}},
      {"C", false, -74600.000,
       {{-1.766850998e+05, 2.786181020e+03, -1.202577850e+01, 3.917619290e-02, -3.619054430e-05, 2.026853043e-08,
         -4.976705490e-12},
        -2.331314360e+04, 8.904322750e+01}},
      {"C. C; 0=1", true, 299686.817,
       {{-3.347896870e+04, 1.064104103e+03, -6.403857060e+00, 3.934515480e-02, -4.760046090e-05, 3.170071350e-08,
         -8.633406430e-12},
        3.039122649e+04, 5.809226180e+01}},
      {"C C; 0=1", false, 52500.000,
       {{-1.163605836e+05, 2.554851510e+03, -1.609746428e+01, 6.625779320e-02, -7.885081860e-05, 5.125224820e-08,
         -1.370340031e-11},
        -6.176191070e+03, 1.093338343e+02}},
      {"C. C; 0-1", true, 118658.240,
       {{-1.411312551e+05, 2.714285088e+03, -1.534977725e+01, 6.451672580e-02, -7.259143960e-05, 4.599116010e-08,
         -1.218367535e-11},
        5.981418840e+02, 1.090966520e+02}},
      {"C C; 0-1", false, -83851.544,
       {{-1.862044161e+05, 3.406191860e+03, -1.951705092e+01, 7.565835590e-02, -8.204173220e-05, 5.061135800e-08,
         -1.319281992e-11},
        -2.702932890e+04, 1.298140496e+02}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.structure);
    const TThermoLibraryEntry* entry = TThermoLibrary::Instance().Find(*MoleculeFrom(c.structure));
    ASSERT_NE(entry, nullptr);
    const TNasaPolynomial& p = entry->Polynomial;
    EXPECT_NEAR(NasaEnthalpy(p, kT0), c.formationEnthalpy, 4000.0);
    EXPECT_NEAR(NasaEntropy(p, kT0), c.reference.S(kT0), 4.0);
    const double cpTolerance = c.radical ? 0.06 : 0.03;
    for (double T : {kT0, kT1})
      EXPECT_NEAR(NasaHeatCapacity(p, T), c.reference.Cp(T), cpTolerance * c.reference.Cp(T)) << T << " K";
  }
}

// Both ranges of a published fit meet at the common temperature; a mistyped
// coefficient in either range breaks that.
TEST(ThermoLibrary, EveryEntryIsContinuousAtItsCommonTemperature) {
  for (const TThermoLibraryEntry& entry : TThermoLibrary::Instance().Entries()) {
    SCOPED_TRACE(std::string(entry.Name));
    TNasaPolynomial low = entry.Polynomial, high = entry.Polynomial;
    high.Low = high.High;  // evaluates the high range below TCommon
    const double T = entry.Polynomial.TCommon;
    EXPECT_NEAR(NasaHeatCapacity(low, T), NasaHeatCapacity(high, T), 0.01 * NasaHeatCapacity(low, T));
    EXPECT_NEAR(NasaEnthalpy(low, T), NasaEnthalpy(high, T), 200.0);
    EXPECT_NEAR(NasaEntropy(low, T), NasaEntropy(high, T), 0.2);
    EXPECT_LE(entry.Source.size(), 6u);
  }
}

TEST(ThermoLibrary, FindsASpeciesWhateverItsAtomOrder) {
  const auto propane = MoleculeFrom("C C C; 0-1 1-2");
  const auto shuffled = testing::Renumbered(*propane, testing::ShuffledOrder(static_cast<int>(propane->AtomCount()), 7));
  const TThermoLibraryEntry* entry = TThermoLibrary::Instance().Find(*shuffled);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->Name, "propane");
}

TEST(ThermoLibrary, MissesIsotopesAndSpeciesItDoesNotHold) {
  for (const char* structure : {"C D; 0-1" /* CH3D */, "C14", "C14 C; 0=1", "c14 c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0",
                                "C C C C C; 0-1 1-2 2-3 3-4", "C. C C; 0-1 1-2", "C C C C; 0-1 1=2 2-3",
                                "He..", "O"})
    EXPECT_EQ(TThermoLibrary::Instance().Find(*MoleculeFrom(structure)), nullptr) << structure;
}

TEST(SpeciesThermo, TakesTheLibraryPolynomialAndEstimatesTheRest) {
  const auto methane = SpeciesThermo(*MoleculeFrom("C"));
  ASSERT_TRUE(methane);
  EXPECT_EQ(methane->Source, "GRI30");
  EXPECT_EQ(methane->Polynomial.THigh, 3500.0);
  const auto pentane = SpeciesThermo(*MoleculeFrom(testing::LinearAlkane(5)));
  ASSERT_TRUE(pentane);
  EXPECT_EQ(pentane->Source, "JOBACK");
  const auto deuterated = SpeciesThermo(*MoleculeFrom("C D; 0-1"));
  EXPECT_FALSE(deuterated);
}

}  // namespace
}  // namespace korvane
