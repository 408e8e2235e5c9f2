#include "core/atom.h"

#include <gtest/gtest.h>

#include <memory>

#include "core/molecule.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

std::vector<int> EntryIndices(const TAtom& atom) {
  std::vector<int> indices;
  for (const TNeighbour& entry : atom.Entries()) indices.push_back(entry.Atom->GetIndex());
  return indices;
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

TEST(Atom, MutualBondsAndKeptCountsFollowEveryAdditionAndRemoval) {
  TAtom centre(0, kCarbon), carbon(1, kAromaticCarbon), nitrogen(2, kNitrogen), oxygen(3, kOxygen), h(4, kHydrogen);
  centre.AddNeighbour(&carbon, true, 1, true);
  centre.AddNeighbour(&nitrogen, true, 3, false);
  centre.AddUnpairedElectron();
  centre.AddNeighbour(&oxygen, true, 2, false);
  centre.AddNeighbour(&h, false, 1, false);  // one-sided: h's list stays empty
  EXPECT_TRUE(h.NeighbourCount() == 0 && nitrogen.BondOrderTo(&centre) == 3 && carbon.IsAromaticBondTo(&centre));
  ExpectCountsMatchEntries(centre);
  ExpectCountsMatchEntries(carbon);
  EXPECT_EQ(centre.SkeletonDegree(), 2);  // aromatic C and N, not O or H

  centre.RemoveNeighbour(&nitrogen, true);
  centre.RemoveNeighbour(&nitrogen, true);  // no longer a neighbour: nothing happens
  EXPECT_EQ(EntryIndices(centre), (std::vector<int>{1, 0, 3, 4}));
  EXPECT_EQ(nitrogen.NeighbourCount(), 0);
  centre.RemoveNeighbourAt(1, false);  // the self entry
  EXPECT_TRUE(centre.UnpairedElectrons() == 0 && centre.TripleBondCount() == 0);
  centre.AddNeighbour(&centre, false, 2, false);  // a self entry of order 2 counts 2, no radical centre
  EXPECT_TRUE(centre.UnpairedElectrons() == 2 && !centre.IsRadicalCentre());
  ExpectCountsMatchEntries(centre);
}

// More than four entries move the list out of the atom: order and bond data
// must survive that and the removals after it.
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
  EXPECT_EQ(EntryIndices(centre), (std::vector<int>{3, 4, 5, 6, 7, 0}));
  EXPECT_TRUE(centre.IsAromaticBondTo(others[4].get()));
  EXPECT_EQ(centre.BondOrderTo(others[5].get()), 1);
  EXPECT_EQ(centre.UnpairedElectrons(), 1);
  EXPECT_EQ(others[0]->NeighbourCount(), 0);
  ExpectCountsMatchEntries(centre);
  while (centre.NeighbourCount() > 0) centre.RemoveNeighbourAt(0, false);
  centre.AddNeighbour(others[2].get(), false, 2, false);
  EXPECT_EQ(centre.GetNeighbours(), (TAtomVector{others[2].get()}));
}

TEST(Atom, IsInCycleOnlyForRingAtoms) {
  const struct {
    const char* description;
    std::size_t firstRingAtom, lastRingAtom;  // first > last: no ring
  } cases[] = {
      {"C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 0-6", 0, 5},  // methylcyclohexane
      {"C C C C C C; 0-1 1-2 2-3 3-4 4-5", 1, 0},            // hexane
      {"C. C C; 0-1 1-2 2-0", 0, 2},                         // cyclopropyl radical
      // Ring 1-2-3-4 with methyls 0 and 5: atom 1 first meets the dead end 0.
      {"C C C C C C; 0-1 1-2 2-3 3-4 4-1 4-5", 1, 4},
  };
  for (const auto& c : cases) {
    auto molecule = MoleculeFrom(c.description);
    for (std::size_t i = 0; i < molecule->AtomCount(); ++i)
      EXPECT_EQ(molecule->IsAtomInCycle(molecule->GetAtom(i)), i >= c.firstRingAtom && i <= c.lastRingAtom)
          << c.description << " atom " << i;
  }
  TAtom stranger(0, kCarbon);
  EXPECT_FALSE(MoleculeFrom("C C C; 0-1 1-2 2-0")->IsAtomInCycle(&stranger));
}

}  // namespace
}  // namespace korvane
