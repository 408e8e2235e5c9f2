#include "core/bond_energy.h"

#include <gtest/gtest.h>

#include "core/molecule.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

// Non-radical matrix where every C–H bond carries its carbon's value and
// everything else (C–C bonds included) is 0.
TIntMatrix CarbonHydrogenMatrix(const TMolecule& molecule, const std::vector<int>& perCarbon) {
  const std::size_t n = molecule.AtomCount();
  TIntMatrix expected(n, n, 0);
  for (std::size_t h = perCarbon.size(); h < n; ++h) {
    const std::size_t c = molecule.GetAtom(h)->Entries().front().Atom->GetIndex();
    expected[h][c] = expected[c][h] = perCarbon[c];
  }
  return expected;
}

TEST(NonRadicalBondEnergy, PropaneAndPropeneMatrices) {
  auto propane = MoleculeFrom("C C C; 0-1 1-2");
  EXPECT_EQ(propane->BondEnergyMatrix(), CarbonHydrogenMatrix(*propane, {225, 215, 225}));
  // Propene C0 methyl, C1 =CH-, C2 =CH2: the methyl loses 20 next to the
  // double bond, vinylic hydrogens gain 1000 and never pass the threshold.
  auto propene = MoleculeFrom("C C C; 0-1 1=2");
  EXPECT_EQ(propene->BondEnergyMatrix(), CarbonHydrogenMatrix(*propene, {205, 1215, 1225}));
}

TEST(BondEnergy, ValuesByAtomKindsAndNeighbourhood) {
  const char* butenyl = "C. C C C; 0-1 1-2 2=3";           // H4 on C0, H6 on C1, H9 on C3
  const char* pentynyl = "C. C C C C; 0-1 1-2 2-3 3#4";
  const char* benzyl = "C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1";  // H7 on C0
  const struct {
    const char* description;
    int i, j, energy;
  } cases[] = {
      // Non-radical: C–H by the carbon's carbon neighbours; a carbene is no
      // radical. Benzene: 215, +1000 per aromatic bond of c0, -10 per
      // aromatic bond one atom further out.
      {"C", 0, 1, 250}, {"C C C C; 0-1 0-2 0-3", 0, 4, 206}, {"H H; 0-1", 0, 1, 1000}, {"C..", 0, 1, 250},
      {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", 0, 6, 215 + 2000 - 20},
      // Radical base values by atom kinds and carbon neighbour counts; with
      // nitrogen the bond order itself.
      {"C. C; 0-1", 0, 1, 377}, {"C. C; 0-1", 0, 2, 172}, {"C. C C C; 0-1 0-2 0-3", 0, 1, 130}, {"C. N; 0-1", 0, 1, 1},
      // +1000 on C=C, +150 next to it, -70 allylic, nothing two bonds away.
      {butenyl, 2, 3, 138 + 1000}, {butenyl, 1, 2, 130 + 150}, {butenyl, 3, 9, 172 + 150},
      {butenyl, 0, 1, 138 - 70},   {butenyl, 1, 6, 159 - 70},   {butenyl, 0, 4, 172},
      // -45 allylic to a triple bond.
      {pentynyl, 3, 4, 138 + 1000}, {pentynyl, 1, 2, 130 - 45},
      // No +150 or +1000 on an aromatic ring; -25 per aromatic bond of c1 on
      // the benzylic C–H.
      {benzyl, 0, 1, 1000}, {benzyl, 1, 2, 1000}, {benzyl, 0, 7, 172 - 50},
  };
  for (const auto& c : cases) {
    auto molecule = MoleculeFrom(c.description);
    EXPECT_EQ(molecule->BondEnergyMatrix()[c.i][c.j], c.energy) << c.description << " " << c.i << "-" << c.j;
    EXPECT_EQ(molecule->BondEnergyMatrix()[c.j][c.i], c.energy) << c.description << " " << c.j << "-" << c.i;
  }
}

// Ethane-like structure with extra hydrogens and hydrogen `bridge` (1 or 2)
// bonded to both carbons C0 and C3.
std::unique_ptr<TMolecule> BridgedHydrogen(int bridge) {
  const int n = 9;
  TByteMatrix adjacency(n, n, 0);
  TByteVector types(n, kHydrogen);
  types[0] = types[3] = kCarbon;
  const int bonds[][2] = {{0, bridge}, {3, bridge}, {0, bridge == 1 ? 2 : 1}, {0, 4}, {3, 5}, {3, 6}, {3, 7}, {3, 8}};
  for (const auto& b : bonds) adjacency[b[0]][b[1]] = adjacency[b[1]][b[0]] = 1;
  return TMolecule::FromStructure(0, adjacency, types, TBoolMatrix(n, n, false));
}

TEST(NonRadicalBondEnergy, StopsAtAHydrogenWithTwoNeighbours) {
  EXPECT_EQ(BridgedHydrogen(1)->BondEnergyMatrix(), TIntMatrix(9, 9, 0));
  // A hydrogen before the bridge is still valued; nothing after it is.
  auto bridgeSecond = BridgedHydrogen(2);
  const TIntMatrix& e = bridgeSecond->BondEnergyMatrix();
  EXPECT_EQ(e[0][1], 250);
  EXPECT_EQ(e[0][4], 0);
  EXPECT_EQ(e[3][5], 0);
}

}  // namespace
}  // namespace korvane
