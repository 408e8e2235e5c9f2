#include "core/symmetry_number.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;

// Every value is worked out from the molecule's geometry: the order of the
// rotation subgroup of its point group times the symmetry number of each
// internal rotor (3 for a methyl or a tert-butyl-like group about its bond).
// Rings are averaged to their planar form.
TEST(SymmetryNumber, RotationalSymmetryAndChiralityFromTheGraph) {
  const struct {
    const char* name;
    std::string description;
    std::uint64_t number;
    bool chiral;
  } cases[] = {
      {"H atom", "H.", 1, false},                                   // a point
      {"H2", "H H; 0-1", 2, false},                                 // D∞h: C2 across the bond
      {"water", "O", 2, false},                                     // C2v
      {"methane", "C", 12, false},                                  // Td: rotation group T of order 12
      {"monodeuteromethane", "C D; 0-1", 3, false},                 // C3v: C3 about the C–D axis
      {"ethane", "C C; 0-1", 18, false},                            // D3d (6) × methyl rotor 3
      {"ethane-14C", "C C14; 0-1", 9, false},                       // C3v (3) × rotor 3
      {"propane", "C C C; 0-1 1-2", 18, false},                     // C2v (2) × two methyls 3·3
      {"n-butane", "C C C C; 0-1 1-2 2-3", 18, false},              // C2h (2) × 3·3
      {"isobutane", "C C C C; 0-1 0-2 0-3", 81, false},             // C3v (3) × 3^3
      {"neopentane", "C C C C C; 0-1 0-2 0-3 0-4", 972, false},     // Td (12) × 3^4
      {"ethylene", "C C; 0=1", 4, false},                           // D2h: rotation group D2 of order 4
      {"propene", "C C C; 0-1 1=2", 3, false},                      // Cs (1) × methyl 3
      {"2-butene", "C C C C; 0-1 1=2 2-3", 18, false},              // C2h or C2v (2) × 3·3
      {"isobutene", "C C C C; 0-1 0-2 0=3", 18, false},             // C2v (2) × 3·3
      {"1,3-butadiene", "C C C C; 0=1 1-2 2=3", 2, false},          // s-trans C2h (2)
      {"allene", "C C C; 0=1 1=2", 4, false},                       // D2d: rotation group D2 of order 4
      {"penta-2,3-diene", "C C C C C; 0-1 1=2 2=3 3-4", 18, false}, // C2 (2) × 3·3; its axial chirality is outside the model
      {"acetylene", "C C; 0#1", 2, false},                          // D∞h: C2 across the bond
      {"benzene", "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", 12, false},  // D6h: D6 of order 12
      {"toluene", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", 6, false},  // C2v-averaged (2) × methyl 3
      {"cyclopropane", "C C C; 0-1 1-2 2-0", 6, false},                     // D3h: D3 of order 6
      {"cyclopentane", "C C C C C; 0-1 1-2 2-3 3-4 4-0", 10, false},        // planar D5h: D5 of order 10
      {"cyclohexane", "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", 12, false},   // planar D6h: 12 (the chair alone has 6)
      {"cyclohexene", "C C C C C C; 0=1 1-2 2-3 3-4 4-5 5-0", 2, false},    // planar C2v: 2
      {"methyl radical", "C.", 6, false},                                   // planar D3h: D3 of order 6
      {"ethyl radical", "C. C; 0-1", 6, false},                             // planar CH2 rotor 2 × methyl 3
      {"isopropyl radical", "C C. C; 0-1 1-2", 18, false},                  // C2v (2) × 3·3
      {"tert-butyl radical", "C. C C C; 0-1 0-2 0-3", 162, false},          // planar D3h: 6 × 3^3
      {"allyl radical", "C C C.; 0=1 1-2", 2, false},                       // localised: CH2 radical rotor 2
      {"n-decane", LinearAlkane(10), 18, false},                            // C2h (2) × 3·3
      {"n-octane", LinearAlkane(8), 18, false},                             // C2h (2) × 3·3
      {"3-methylpentane", "C C C C C C; 0-1 1-2 2-3 3-4 2-5", 27, false},   // C1 × 3^3; a mirror swaps the ethyls
      {"3-methylhexane", "C C C C C C C; 0-1 1-2 2-3 3-4 4-5 2-6", 27, true},     // C1 × 3^3, one stereocentre
      {"2,3-dimethylpentane", "C C C C C C C; 0-1 1-2 2-3 3-4 1-5 2-6", 81, true},  // C1 × 3^4, C3 is a stereocentre
      // T (12) × four tert-butyl rotors 3^4 × twelve methyls 3^12.
      {"tetra-tert-butylmethane",
       "C C C C C C C C C C C C C C C C C; 0-1 0-2 0-3 0-4 1-5 1-6 1-7 2-8 2-9 2-10 3-11 3-12 3-13 4-14 4-15 4-16",
       516560652, false},
  };
  for (const auto& c : cases) {
    const auto symmetry = SymmetryOf(*MoleculeFrom(c.description));
    ASSERT_TRUE(symmetry.ok()) << c.name << ": " << symmetry.error().Message;
    EXPECT_EQ(symmetry->Number, c.number) << c.name;
    EXPECT_EQ(symmetry->Chiral, c.chiral) << c.name;
  }
}

TEST(SymmetryNumber, DoesNotDependOnTheAtomNumbering) {
  const char* descriptions[] = {
      "C C C C C C C; 0-1 1-2 2-3 3-4 1-5 2-6",                              // 2,3-dimethylpentane
      "C C C C C C; 0-1 1-2 2-3 3-4 2-5",                                    // 3-methylpentane
      "C C C C C; 0-1 1-2 2-0 0-3 1-4",                                      // 1,2-dimethylcyclopropane
      "C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 1-6 2-7",                        // 2,3-dimethylhexane
      "C C C C C C C C; 0-1 1-2 2-3 3-4 1-5 2-6 3-7",                        // 2,3,4-trimethylpentane
      "C C C C C C C C; 0-1 1=2 2-3 3-4 4=5 5-6 3-7",                        // a diene with cis/trans relations
      "C C C C C; 0-1 1=2 2=3 3-4",                                          // penta-2,3-diene
      "C C c c c c c c; 0-1 1-2 2:3 3:4 4:5 5:6 6:7 7:2",                    // ethylbenzene
      "C C C. C C C; 0-1 1-2 2-3 3-4 4-5",                                   // a hexyl radical
  };
  for (const char* description : descriptions) {
    const auto molecule = MoleculeFrom(description);
    const auto reference = SymmetryOf(*molecule);
    ASSERT_TRUE(reference.ok()) << description;
    for (unsigned seed = 1; seed <= 6; ++seed) {
      const auto order = testing::ShuffledOrder(static_cast<int>(molecule->AtomCount()), seed);
      const auto renumbered = SymmetryOf(*testing::Renumbered(*molecule, order));
      ASSERT_TRUE(renumbered.ok()) << description;
      EXPECT_EQ(renumbered->Number, reference->Number) << description << " seed " << seed;
      EXPECT_EQ(renumbered->Chiral, reference->Chiral) << description << " seed " << seed;
    }
  }
}

TEST(SymmetryNumber, EmptyMoleculeAndGroupsBeyondSixtyFourBits) {
  const TMolecule empty;
  const auto none = SymmetryOf(empty);
  ASSERT_TRUE(none.ok());
  EXPECT_EQ(none->Number, 1u);
  EXPECT_FALSE(none->Chiral);

  // A core carbon with four C(C(CH3)3)3 branches: T (12) × 3^4 × 3^12 × 3^36
  // methyl and branch rotors, about 8·10^25.
  std::string dendrimer;
  for (int c = 0; c < 53; ++c) dendrimer += c == 0 ? "C" : " C";
  dendrimer += ";";
  for (int branch = 0; branch < 4; ++branch) {
    const int middle = 1 + branch;
    dendrimer += " 0-" + std::to_string(middle);
    for (int k = 0; k < 3; ++k) {
      const int quaternary = 5 + 3 * branch + k;
      dendrimer += " " + std::to_string(middle) + "-" + std::to_string(quaternary);
      for (int m = 0; m < 3; ++m)
        dendrimer += " " + std::to_string(quaternary) + "-" + std::to_string(17 + 9 * branch + 3 * k + m);
    }
  }
  const auto tooLarge = SymmetryOf(*MoleculeFrom(dendrimer));
  ASSERT_FALSE(tooLarge.ok());
  EXPECT_EQ(tooLarge.error().Code, TErrorCode::NoValue);
}

}  // namespace
}  // namespace korvane
