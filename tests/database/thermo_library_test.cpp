#include "database/thermo_library.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "database/species_thermo.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

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
                                "C C C C C; 0-1 1-2 2-3 3-4", "C. C C; 0-1 1-2", "C C C C C; 0=1 1-2 2-3 3-4",
                                "He..", "O"})
    EXPECT_EQ(TThermoLibrary::Instance().Find(*MoleculeFrom(structure)), nullptr) << structure;
}

TEST(SpeciesThermo, TakesTheLibraryPolynomialAndEstimatesTheRest) {
  const auto methane = SpeciesThermo(*MoleculeFrom("C"));
  ASSERT_TRUE(methane);
  EXPECT_EQ(methane->Source, "GRI30");
  const auto pentane = SpeciesThermo(*MoleculeFrom(testing::LinearAlkane(5)));
  ASSERT_TRUE(pentane);
  EXPECT_EQ(pentane->Source, "BENSON");
  // The published butadiene fit passes the classical limit before 3000 K:
  // it is refitted from its own values, and keeps its source.
  const auto butadiene = SpeciesThermo(*MoleculeFrom("C C C C; 0=1 1-2 2=3"));
  ASSERT_TRUE(butadiene);
  EXPECT_EQ(butadiene->Source, "NASA");
  EXPECT_EQ(butadiene->Polynomial.THigh, 3000.0);
  const auto deuterated = SpeciesThermo(*MoleculeFrom("C D; 0-1"));
  EXPECT_FALSE(deuterated);
}

}  // namespace
}  // namespace korvane
