#include "core/formula.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(HillFormula, CarbonThenHydrogenThenAlphabeticalWithIsotopesNamed) {
  const struct {
    const char* description;
    const char* formula;
  } cases[] = {
      {"C C C C C C; 0-1 1-2 2-3 3-4 4-5", "C6H14"},
      {"C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", "C7H8"},  // aromatic carbons count as C
      {"C", "CH4"},
      {"C. C; 0-1", "C2H5"},
      {"H.", "H"},
      {"He..", "He"},
      // Without carbon every symbol is alphabetical, hydrogen included.
      {"O", "H2O"},
      {"N N; 0#1", "N2"},
      {"D D; 0-1", "D2"},
      // Isotopes: D and T sort as letters after H; carbon-14 follows C.
      {"C D; 0-1", "CH3D"},
      {"C T D; 0-1 0-2", "CH2DT"},
      {"C C14; 0-1", "C(14)CH6"},
      {"C14", "(14)CH4"},
  };
  for (const auto& [description, formula] : cases)
    EXPECT_EQ(HillFormula(*MoleculeFrom(description)), formula) << description;
}

}  // namespace
}  // namespace korvane
