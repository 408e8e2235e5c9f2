#include "core/bond_energy.h"

#include <gtest/gtest.h>

#include "core/molecule.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(NonRadicalBondEnergy, PropeneVinylicHydrogensNeverPassThreshold) {
  // C0 methyl, C1 =CH-, C2 =CH2; H3..H5 on C0, H6 on C1, H7 and H8 on C2.
  auto propene = MoleculeFrom("C C C; 0-1 1=2");
  const TIntMatrix& e = propene->BondEnergyMatrix();
  for (int h : {3, 4, 5}) EXPECT_EQ(e[0][h], 205) << h;  // 225 - 20
  EXPECT_EQ(e[1][6], 1215);                            // 215 + 1000
  EXPECT_EQ(e[2][7], 1225);                            // 225 + 1000
  EXPECT_EQ(e[8][2], 1225);
  EXPECT_EQ(e[0][1], 0);  // C–C fissions are not valued
  EXPECT_EQ(e[1][2], 0);
}

TEST(NonRadicalBondEnergy, ValuesByCarbonNeighbourCount) {
  auto methane = MoleculeFrom("C");
  EXPECT_EQ(methane->BondEnergyMatrix()[0][1], 250);
  auto isobutane = MoleculeFrom("C C C C; 0-1 0-2 0-3");
  // Central C0 carries H4; the methyl carbons carry the rest.
  EXPECT_EQ(isobutane->BondEnergyMatrix()[0][4], 206);
  EXPECT_EQ(isobutane->BondEnergyMatrix()[1][5], 225);
  auto propane = MoleculeFrom(testing::LinearAlkane(3));
  EXPECT_EQ(propane->BondEnergyMatrix()[1][6], 215);
  auto hydrogen = MoleculeFrom("H");
  EXPECT_EQ(hydrogen->BondEnergyMatrix()[0][1], 1000);
  auto benzene = MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0");
  // 215, +1000 from each of the two aromatic bonds of c0, -10 from each
  // aromatic bond one atom further out (c1:c2 and c5:c4).
  EXPECT_EQ(benzene->BondEnergyMatrix()[0][6], 215 + 2000 - 20);
}

// Ethane-like structure with extra hydrogens and one hydrogen bridging both
// carbons; `bridge` is the index of the bridging hydrogen (1 or 2).
std::unique_ptr<TMolecule> BridgedHydrogen(int bridge) {
  const int n = 9;
  TByteMatrix adjacency(n, n, 0);
  TByteVector types(n, kHydrogen);
  types[0] = types[3] = kCarbon;
  auto bond = [&](int a, int b) { adjacency[a][b] = adjacency[b][a] = 1; };
  const int single = bridge == 1 ? 2 : 1;
  bond(0, bridge);
  bond(3, bridge);
  bond(0, single);
  bond(0, 4);
  bond(3, 5);
  bond(3, 6);
  bond(3, 7);
  bond(3, 8);
  return TMolecule::FromStructure(0, adjacency, types, TBoolMatrix(n, n, false));
}

TEST(NonRadicalBondEnergy, StopsAtAHydrogenWithTwoNeighbours) {
  auto bridgeFirst = BridgedHydrogen(1);
  EXPECT_EQ(bridgeFirst->BondEnergyMatrix(), TIntMatrix(9, 9, 0));

  // A hydrogen before the bridge is still valued; nothing after it is.
  auto bridgeSecond = BridgedHydrogen(2);
  const TIntMatrix& e = bridgeSecond->BondEnergyMatrix();
  EXPECT_EQ(e[0][1], 250);
  EXPECT_EQ(e[1][0], 250);
  EXPECT_EQ(e[0][4], 0);
  EXPECT_EQ(e[3][5], 0);
}

TEST(RadicalBondEnergy, BaseValuesByAtomKinds) {
  auto ethyl = MoleculeFrom("C. C; 0-1");
  const TIntMatrix& e = ethyl->BondEnergyMatrix();
  EXPECT_EQ(e[0][1], 377);  // CC(1 + 1)
  EXPECT_EQ(e[0][2], 172);  // CH(1)
  EXPECT_EQ(e[1][4], 172);
  auto tertButyl = MoleculeFrom("C. C C C; 0-1 0-2 0-3");
  EXPECT_EQ(tertButyl->BondEnergyMatrix()[0][1], 130);  // CC(3 + 1)
  EXPECT_EQ(tertButyl->BondEnergyMatrix()[1][4], 172);
  auto hydrogenAtom = MoleculeFrom("H.");
  EXPECT_EQ(hydrogenAtom->BondEnergyMatrix().size(), 1u);
  auto aminoMethyl = MoleculeFrom("C. N; 0-1");
  EXPECT_EQ(aminoMethyl->BondEnergyMatrix()[0][1], 1);  // nitrogen: the bond order itself
}

TEST(RadicalBondEnergy, DoubleBondNeighbourhood) {
  // But-3-en-1-yl: C0 (radical) - C1 - C2 = C3; H4,H5 on C0, H6,H7 on C1,
  // H8 on C2, H9,H10 on C3.
  auto butenyl = MoleculeFrom("C. C C C; 0-1 1-2 2=3");
  const TIntMatrix& e = butenyl->BondEnergyMatrix();
  EXPECT_EQ(e[2][3], 138 + 1000);  // the double bond itself
  EXPECT_EQ(e[1][2], 130 + 150);   // single bond on a double-bond atom
  EXPECT_EQ(e[0][1], 138 - 70);    // allylic C–C
  EXPECT_EQ(e[1][6], 159 - 70);    // allylic C–H
  EXPECT_EQ(e[2][8], 159 + 150);
  EXPECT_EQ(e[3][9], 172 + 150);
  EXPECT_EQ(e[0][4], 172);  // two bonds away: untouched
  EXPECT_EQ(e[1][0], e[0][1]);
}

TEST(RadicalBondEnergy, TripleAndAromaticNeighbourhoods) {
  // Pent-4-yn-1-yl: C0. C1 C2 C3#C4.
  auto pentynyl = MoleculeFrom("C. C C C C; 0-1 1-2 2-3 3#4");
  EXPECT_EQ(pentynyl->BondEnergyMatrix()[3][4], 138 + 1000);
  EXPECT_EQ(pentynyl->BondEnergyMatrix()[1][2], 130 - 45);

  // Benzyl: C0. on aromatic c1; ring c1..c6. The ring atoms get no +150 and
  // the benzylic C–H loses 25 per aromatic bond of c1.
  auto benzyl = MoleculeFrom("C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1");
  const TIntMatrix& e = benzyl->BondEnergyMatrix();
  EXPECT_EQ(e[0][1], 1000);
  EXPECT_EQ(e[1][2], 1000);  // aromatic bond of order 1: no +1000 on top
  EXPECT_EQ(e[0][7], 172 - 50);
  EXPECT_EQ(e[2][9], 600);
}

TEST(BondEnergy, VariantFollowsTheRadicalTest) {
  auto ethane = MoleculeFrom(testing::LinearAlkane(2));
  EXPECT_EQ(ethane->BondEnergyMatrix(), NonRadicalBondEnergyMatrix(*ethane));
  auto ethyl = MoleculeFrom("C. C; 0-1");
  EXPECT_EQ(ethyl->BondEnergyMatrix(), RadicalBondEnergyMatrix(*ethyl));
  // A carbene has two unpaired electrons: not a radical, non-radical variant.
  auto carbene = MoleculeFrom("C..");
  EXPECT_EQ(carbene->BondEnergyMatrix()[0][1], 250);
}

}  // namespace
}  // namespace korvane
