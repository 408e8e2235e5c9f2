#include "core/atom.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/molecule.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(AtomTypes, SymbolValenceAndMassByCode) {
  EXPECT_EQ(AtomSymbol(1), "H");
  EXPECT_EQ(AtomSymbol(3), "C");
  EXPECT_EQ(AtomSymbol(7), "(14)C");
  EXPECT_EQ(AtomSymbol(8), "He");
  EXPECT_EQ(AtomSymbol(0), "");
  EXPECT_EQ(AtomSymbol(11), "");
  EXPECT_EQ(Valence(2), 4);
  EXPECT_EQ(Valence(3), 3);
  EXPECT_EQ(Valence(8), 2);
  EXPECT_EQ(Valence(9), 3);
  EXPECT_EQ(Valence(42), 0);
  EXPECT_DOUBLE_EQ(AtomicMass(10), 15.9994);
  EXPECT_DOUBLE_EQ(AtomicMass(4), 2.0);
}

TEST(Atom, SelfEntriesAreUnpairedElectrons) {
  TAtom helium(0, kHelium);
  helium.AddUnpairedElectron();
  EXPECT_EQ(helium.UnpairedElectrons(), 1);
  EXPECT_TRUE(helium.IsRadicalCentre());
  helium.AddUnpairedElectron();
  EXPECT_EQ(helium.UnpairedElectrons(), 2);
  EXPECT_FALSE(helium.IsRadicalCentre());
  EXPECT_EQ(helium.NeighbourCount(), 2);
  EXPECT_EQ(helium.SkeletonDegree(), 0);
  EXPECT_EQ(helium.MultipleBondCount(), 0);
}

TEST(Atom, MutualAddAndRemoveKeepBothListsInStep) {
  TAtom a(0, kCarbon), b(1, kCarbon), c(2, kHydrogen);
  a.AddNeighbour(&b, true, 2, false);
  a.AddNeighbour(&c, true, 1, false);
  ASSERT_EQ(a.NeighbourCount(), 2);
  ASSERT_EQ(b.NeighbourCount(), 1);
  EXPECT_EQ(b.BondOrderTo(&a), 2);
  EXPECT_EQ(a.BondOrderTo(&c), 1);
  EXPECT_EQ(c.BondOrderTo(&b), 0);
  EXPECT_FALSE(c.IsAromaticBondTo(&b));
  EXPECT_EQ(a.DoubleBondCount(), 1);

  a.RemoveNeighbour(&b, true);
  EXPECT_EQ(a.NeighbourCount(), 1);
  EXPECT_EQ(b.NeighbourCount(), 0);
  EXPECT_EQ(a.GetNeighbours(), (TAtomVector{&c}));
  a.RemoveNeighbour(&b, true);  // not a neighbour any more: nothing happens
  EXPECT_EQ(a.NeighbourCount(), 1);

  a.AddNeighbour(&b, false, 1, true);
  EXPECT_EQ(b.NeighbourCount(), 0);
  EXPECT_TRUE(a.IsAromaticBondTo(&b));
  EXPECT_EQ(a.AromaticBondCount(), 1);
  EXPECT_EQ(a.UnsaturatedBondCount(), 1);
}

TEST(Atom, LongNeighbourListsKeepTheirOrderThroughRemovals) {
  TAtom centre(0, kCarbon);
  std::vector<std::unique_ptr<TAtom>> others;
  for (int k = 1; k <= 7; ++k) {
    others.push_back(std::make_unique<TAtom>(static_cast<std::uint8_t>(k), kHydrogen));
    centre.AddNeighbour(others.back().get(), true, static_cast<std::uint8_t>(k % 3 + 1), k == 5);
  }
  centre.AddUnpairedElectron();
  ASSERT_EQ(centre.NeighbourCount(), 8);
  centre.RemoveNeighbour(others[1].get(), true);
  centre.RemoveNeighbourAt(0, true);
  std::vector<int> order;
  for (const TNeighbour& entry : centre.Entries()) order.push_back(entry.Atom->GetIndex());
  EXPECT_EQ(order, (std::vector<int>{3, 4, 5, 6, 7, 0}));
  EXPECT_TRUE(centre.IsAromaticBondTo(others[4].get()));
  EXPECT_EQ(centre.BondOrderTo(others[5].get()), 1);
  EXPECT_EQ(centre.UnpairedElectrons(), 1);
  EXPECT_EQ(others[0]->NeighbourCount(), 0);
  while (centre.NeighbourCount() > 0) centre.RemoveNeighbourAt(0, false);
  centre.AddNeighbour(others[2].get(), false, 2, false);
  EXPECT_EQ(centre.GetNeighbours(), (TAtomVector{others[2].get()}));
}

// Counts recomputed from the entries, to compare with the kept counts.
void ExpectCountsMatchEntries(const TAtom& atom) {
  int unpaired = 0, skeleton = 0, multiple = 0, triple = 0, aromatic = 0, unsaturated = 0;
  for (const TNeighbour& entry : atom.Entries()) {
    if (entry.Atom == &atom) unpaired += entry.Order;
    else if (Valence(entry.Atom->GetAtomType()) >= 3) ++skeleton;
    multiple += entry.Order >= 2;
    triple += entry.Order >= 3;
    aromatic += entry.Aromatic;
    unsaturated += entry.Order > 1 || entry.Aromatic;
  }
  EXPECT_EQ(atom.UnpairedElectrons(), unpaired);
  EXPECT_EQ(atom.SkeletonDegree(), skeleton);
  EXPECT_EQ(atom.MultipleBondCount(), multiple);
  EXPECT_EQ(atom.TripleBondCount(), triple);
  EXPECT_EQ(atom.AromaticBondCount(), aromatic);
  EXPECT_EQ(atom.UnsaturatedBondCount(), unsaturated);
}

TEST(Atom, CountsFollowEveryAdditionAndRemoval) {
  TAtom centre(0, kCarbon), carbon(1, kAromaticCarbon), nitrogen(2, kNitrogen), oxygen(3, kOxygen), h(4, kHydrogen);
  centre.AddNeighbour(&carbon, true, 1, true);
  centre.AddNeighbour(&nitrogen, true, 3, false);
  centre.AddUnpairedElectron();
  centre.AddNeighbour(&oxygen, true, 2, false);
  centre.AddNeighbour(&h, true, 1, false);
  ExpectCountsMatchEntries(centre);
  ExpectCountsMatchEntries(carbon);
  EXPECT_EQ(centre.SkeletonDegree(), 2);  // aromatic C and N, not O or H
  centre.RemoveNeighbour(&nitrogen, true);
  centre.RemoveNeighbourAt(1, false);  // the self entry
  ExpectCountsMatchEntries(centre);
  ExpectCountsMatchEntries(nitrogen);
  EXPECT_EQ(centre.UnpairedElectrons(), 0);
  EXPECT_EQ(centre.TripleBondCount(), 0);
  centre.AddNeighbour(&centre, false, 2, false);  // a self entry of order 2 counts 2
  EXPECT_EQ(centre.UnpairedElectrons(), 2);
  ExpectCountsMatchEntries(centre);
}

TEST(Atom, BondCountsDistinguishDoubleTripleAndAromatic) {
  auto propyne = MoleculeFrom("C C C; 0#1 1-2");
  const TAtom* middle = propyne->GetAtom(1);
  EXPECT_EQ(middle->MultipleBondCount(), 1);
  EXPECT_EQ(middle->TripleBondCount(), 1);
  EXPECT_EQ(middle->DoubleBondCount(), 0);
  EXPECT_EQ(middle->UnsaturatedBondCount(), 1);

  auto allene = MoleculeFrom("C C C; 0=1 1=2");
  EXPECT_EQ(allene->GetAtom(1)->DoubleBondCount(), 2);
  EXPECT_EQ(allene->GetAtom(1)->TripleBondCount(), 0);
}

TEST(Atom, SkeletonDegreeCountsOnlyPolyvalentNeighbours) {
  auto isobutane = MoleculeFrom("C C C C; 0-1 0-2 0-3");
  EXPECT_EQ(isobutane->GetAtom(0)->SkeletonDegree(), 3);
  EXPECT_EQ(isobutane->GetAtom(1)->SkeletonDegree(), 1);

  auto tertButyl = MoleculeFrom("C. C C C; 0-1 0-2 0-3");
  EXPECT_EQ(tertButyl->GetAtom(0)->SkeletonDegree(), 3);

  auto benzene = MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0");
  EXPECT_EQ(benzene->GetAtom(2)->SkeletonDegree(), 2);

  auto methylamine = MoleculeFrom("C N; 0-1");
  EXPECT_EQ(methylamine->GetAtom(0)->SkeletonDegree(), 1);  // N has valence 3
  auto methanol = MoleculeFrom("C O; 0-1");
  EXPECT_EQ(methanol->GetAtom(0)->SkeletonDegree(), 0);  // O has valence 2
}

TEST(Atom, MarkComponentFlagsTheWholeFragment) {
  auto twoMethanes = MoleculeFrom("C C");
  for (TAtom* atom : twoMethanes->Atoms()) atom->Visited = 0;
  TBoolVector flags(twoMethanes->AtomCount(), false);
  twoMethanes->GetAtom(1)->MarkComponent(flags);
  // C1 carries hydrogens 6..9 (hydrogens follow the heavy atoms by owner).
  for (std::size_t i = 0; i < flags.size(); ++i) EXPECT_EQ(flags[i], i == 1 || i >= 6) << i;
}

TEST(Atom, IsInCycleOnlyForRingAtoms) {
  auto methylcyclohexane = MoleculeFrom("C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 0-6");
  for (std::size_t i = 0; i < methylcyclohexane->AtomCount(); ++i) {
    TAtom* atom = methylcyclohexane->GetAtom(i);
    EXPECT_EQ(methylcyclohexane->IsAtomInCycle(atom), i < 6) << i;
  }
  auto hexane = MoleculeFrom(testing::LinearAlkane(6));
  for (TAtom* atom : hexane->Atoms()) EXPECT_FALSE(hexane->IsAtomInCycle(atom));

  auto cyclopropylRadical = MoleculeFrom("C. C C; 0-1 1-2 2-0");
  EXPECT_TRUE(cyclopropylRadical->IsAtomInCycle(cyclopropylRadical->GetAtom(0)));

  TAtom stranger(0, kCarbon);
  EXPECT_FALSE(hexane->IsAtomInCycle(&stranger));
}

TEST(Atom, IsInCycleFindsARingPastADeadEndBranch) {
  // Cyclobutane 1-2-3-4 with methyl branches 0 (on 1) and 5 (on 4): atom 1
  // visits its lower-numbered neighbour 0 first, a dead end.
  auto molecule = MoleculeFrom("C C C C C C; 0-1 1-2 2-3 3-4 4-1 4-5");
  EXPECT_TRUE(molecule->IsAtomInCycle(molecule->GetAtom(1)));
  EXPECT_TRUE(molecule->IsAtomInCycle(molecule->GetAtom(4)));
  EXPECT_FALSE(molecule->IsAtomInCycle(molecule->GetAtom(0)));
  EXPECT_FALSE(molecule->IsAtomInCycle(molecule->GetAtom(5)));
}

TEST(AtomMatrix, SizesToEmptyReferences) {
  TAtomMatrix matrix;
  SizeAtomMatrix(matrix, 3, 2);
  ASSERT_EQ(matrix.size(), 3u);
  EXPECT_EQ(matrix[2], (TAtomVector{nullptr, nullptr}));
}

}  // namespace
}  // namespace korvane
