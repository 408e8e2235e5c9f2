#include "core/aromatic_rings.h"

#include <gtest/gtest.h>

#include "core/valence_check.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

// Naphthalene's atoms: 0-3 one outer ring edge, 4 and 9 the fusion atoms,
// 5-8 the other edge.
constexpr const char* kNaphthalene = "c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:6 6:7 7:8 8:9 9:0 4:9";

TEST(AromaticRings, EveryKekuleFormBecomesTheOneAromaticSpecies) {
  const struct {
    const char* drawn;
    const char* aromatic;
  } cases[] = {
      {"C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0", "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"},
      {"C. C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0", "c. c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"},  // phenyl
      {"C C C C C C14; 0=1 1-2 2=3 3-4 4=5 5-0", "c c c c c c14; 0:1 1:2 2:3 3:4 4:5 5:0"},
      // The three Kekule forms of naphthalene, and one ring drawn aromatic.
      {"C C C C C C C C C C; 0=1 1-2 2=3 3-4 4-5 5=6 6-7 7=8 8-9 9-0 4=9", kNaphthalene},
      {"C C C C C C C C C C; 0-1 1=2 2-3 3=4 4-5 5=6 6-7 7=8 8-9 9=0 4-9", kNaphthalene},
      {"C C C C C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-6 6=7 7-8 8=9 9-0 4-9", kNaphthalene},
      {"C C C C c c c c c c; 0=1 1-2 2=3 3-4 4:5 5:6 6:7 7:8 8:9 9-0 4:9", kNaphthalene},
      // Tetralin: only the ring of sp2 carbons.
      {"C C C C C C C C C C; 0-1 1-2 2-3 3-4 4=5 5-6 6=7 7-8 8=9 9-0 4-9",
       "C C C C c c c c c c; 0-1 1-2 2-3 3-4 4:5 5:6 6:7 7:8 8:9 9-0 4:9"},
      // Azulene: a five- and a seven-membered ring, ten electrons around both.
      {"C C C C C C C C C C; 0-1 1=2 2-3 3=4 4-5 5=6 6-7 7=8 8-9 9=0 0-4",
       "c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:6 6:7 7:8 8:9 9:0 0:4"},
  };
  for (const auto& [drawn, aromatic] : cases) {
    auto molecule = MoleculeFrom(drawn);
    EXPECT_TRUE(AromatiseRings(*molecule)) << drawn;
    EXPECT_EQ(molecule->Certificate(), MoleculeFrom(aromatic)->Certificate()) << drawn;
    EXPECT_EQ(ValenceProblem(*molecule), "") << drawn;
  }
}

TEST(AromaticRings, RingsWithoutFourNPlusTwoConjugatedCarbonsStayAsDrawn) {
  for (const char* drawn : {
           "C C C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-6 6=7 7-0",      // cyclooctatetraene
           "C C C C C C C C; 0-1 1=2 2-3 3-4 4=5 5-0 0=6 3=7",      // p-quinodimethane
           "C C C C C C; 0=1 1-2 2=3 3-4 4-5 5-0",                  // cyclohexadiene
           "C. C C C C C; 0-1 1=2 2-3 3=4 4-5 5-0",                 // cyclohexadienyl
           "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0",                  // benzene, already aromatic
           "C C C C C C; 0=1 1-2 2=3 3=4 4-5 5-0",                  // a cumulated ring
       }) {
    auto molecule = MoleculeFrom(drawn);
    const std::string before(molecule->Certificate());
    EXPECT_FALSE(AromatiseRings(*molecule)) << drawn;
    EXPECT_EQ(molecule->Certificate(), before) << drawn;
  }
}

}  // namespace
}  // namespace korvane
