#include "core/identity.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::Renumbered;
using testing::ShuffledOrder;

// Molecules of every size class of the test, each compared with several
// renumberings of itself.
TEST(Identity, IgnoresAtomOrder) {
  const char* descriptions[] = {
      "H H; 0-1",                                   // 2 atoms
      "C.",                                         // 4 atoms
      "C C; 0=1",                                   // 6 atoms, anchor atom 0
      "C. C; 0-1",                                  // 7 atoms
      "C C C C; 0-1 1-2 2-3",                       // n-butane: rarest class
      "C C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8",  // n-nonane
      "C C C C C; 0-1 1-2 1-3 3-4",                 // isopentane
      "C C. C C C; 0-1 1-2 1-3 3-4",                // a tertiary radical
      "C. C C C C C; 0-1 1-2 2-3 3-4 4-5",          // n-hexyl
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",       // cyclohexane
      "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", // toluene
      "C C C C C; 0=1 1-2 2=3 3-4",                 // 1,3-pentadiene
      "C C C C; 0#1 1-2 2-3",                       // 1-butyne
  };
  for (const char* description : descriptions) {
    auto molecule = MoleculeFrom(description);
    const int n = static_cast<int>(molecule->AtomCount());
    for (unsigned seed = 1; seed <= 5; ++seed) {
      auto shuffled = Renumbered(*molecule, ShuffledOrder(n, seed));
      EXPECT_TRUE(AreIsomorphic(*molecule, *shuffled)) << description << " seed " << seed;
      EXPECT_TRUE(AreIsomorphic(*shuffled, *molecule)) << description << " seed " << seed;
    }
  }
}

TEST(Identity, ButaneAnchorsAtATerminalCarbon) {
  // Degree-1 and degree-2 carbons both number two: the earlier class wins, so
  // the anchor is a terminal carbon, and the match from it succeeds in both
  // directions.
  auto butane = MoleculeFrom(LinearAlkane(4));
  auto reversed = Renumbered(*butane, {3, 2, 1, 0, 12, 13, 11, 10, 9, 8, 7, 6, 4, 5});
  EXPECT_TRUE(AreIsomorphic(*butane, *reversed));
  for (const TAtom* atom : butane->Atoms()) EXPECT_TRUE(atom->Visited);
}

TEST(Identity, DistinguishesIsomersWithEqualInvariants) {
  auto butane = MoleculeFrom(LinearAlkane(4));
  auto isobutane = MoleculeFrom("C C C C; 0-1 0-2 0-3");
  ASSERT_TRUE(InvariantsEqual(*butane, *isobutane));
  EXPECT_FALSE(AreIsomorphic(*butane, *isobutane));

  auto butene1 = MoleculeFrom("C C C C; 0=1 1-2 2-3");
  auto butene2 = MoleculeFrom("C C C C; 0-1 1=2 2-3");
  ASSERT_TRUE(InvariantsEqual(*butene1, *butene2));
  EXPECT_FALSE(AreIsomorphic(*butene1, *butene2));

  // Radicals: the radical centre anchors the match.
  auto butyl1 = MoleculeFrom("C. C C C; 0-1 1-2 2-3");
  auto butyl2 = MoleculeFrom("C C. C C; 0-1 1-2 2-3");
  ASSERT_TRUE(InvariantsEqual(*butyl1, *butyl2));
  EXPECT_FALSE(AreIsomorphic(*butyl1, *butyl2));
}

TEST(Identity, InvariantsRejectFirst) {
  auto propene = MoleculeFrom("C C C; 0-1 1=2");
  auto cyclopropane = MoleculeFrom("C C C; 0-1 1-2 2-0");
  EXPECT_EQ(propene->Formula(), cyclopropane->Formula());
  EXPECT_FALSE(InvariantsEqual(*propene, *cyclopropane));  // Cyclic differs
  EXPECT_FALSE(AreIsomorphic(*propene, *cyclopropane));

  auto propyl = MoleculeFrom("C. C C; 0-1 1-2");
  auto propane = MoleculeFrom(LinearAlkane(3));
  EXPECT_FALSE(AreIsomorphic(*propyl, *propane));
  EXPECT_FALSE(AreIsomorphic(*propane, *propyl));

  auto ethane = MoleculeFrom(LinearAlkane(2));
  auto deuterated = MoleculeFrom("C C D; 0-1 0-2");
  EXPECT_FALSE(AreIsomorphic(*ethane, *deuterated));  // AtomsPerType differs
}

TEST(Identity, SmallMoleculesNeedNoMatching) {
  // Two hydrogen molecules numbered differently: equal invariants settle it,
  // and the atoms' marks are not touched.
  auto h2 = MoleculeFrom("H H; 0-1");
  auto other = Renumbered(*h2, {1, 0});
  for (TAtom* atom : h2->Atoms()) atom->Visited = 7;
  EXPECT_TRUE(AreIsomorphic(*h2, *other));
  for (const TAtom* atom : h2->Atoms()) EXPECT_EQ(atom->Visited, 7);

  // One atom: the type decides.
  EXPECT_TRUE(AreIsomorphic(*MoleculeFrom("H."), *MoleculeFrom("H.")));
  EXPECT_FALSE(AreIsomorphic(*MoleculeFrom("H."), *MoleculeFrom("D.")));

  // Three or four atoms: atom properties in some order, bonds not compared.
  auto water = MoleculeFrom("O");
  EXPECT_TRUE(AreIsomorphic(*water, *Renumbered(*water, {1, 2, 0})));
  auto methyl = MoleculeFrom("C.");
  EXPECT_TRUE(AreIsomorphic(*methyl, *Renumbered(*methyl, {3, 1, 0, 2})));
  EXPECT_FALSE(AreIsomorphic(*MoleculeFrom("C.."), *MoleculeFrom("O")));
}

TEST(Identity, LargeNonRadicalsWithoutCarbonAreNeverIdentical) {
  // Tetrazane N4H6: ten atoms, no carbon, so no anchor class exists.
  auto tetrazane = MoleculeFrom("N N N N; 0-1 1-2 2-3");
  EXPECT_TRUE(InvariantsEqual(*tetrazane, *tetrazane));
  EXPECT_FALSE(AreIsomorphic(*tetrazane, *tetrazane));
  // Below nine atoms the anchor is atom 0 and the same structure matches.
  auto triazane = MoleculeFrom("N N N; 0-1 1-2");
  EXPECT_TRUE(AreIsomorphic(*triazane, *triazane));
}

TEST(Identity, AtomEquivalenceComparesLocalCounts) {
  auto propene = MoleculeFrom("C C C; 0-1 1=2");
  auto propane = MoleculeFrom(LinearAlkane(3));
  // The methyl carbons are alike; the =CH- carbon has a double bond.
  EXPECT_TRUE(AtomsEquivalent(*propene->GetAtom(0), *propane->GetAtom(0)));
  EXPECT_FALSE(AtomsEquivalent(*propene->GetAtom(1), *propane->GetAtom(1)));
  // A CH2 and a CH3 carbon both have four neighbours: equivalent locally.
  EXPECT_TRUE(AtomsEquivalent(*propane->GetAtom(0), *propane->GetAtom(1)));
  auto ethyl = MoleculeFrom("C. C; 0-1");
  EXPECT_FALSE(AtomsEquivalent(*ethyl->GetAtom(0), *ethyl->GetAtom(1)));  // unpaired electron
  EXPECT_TRUE(AtomListsEquivalent({propane->GetAtom(0), propane->GetAtom(3)}, {propene->GetAtom(0), propene->GetAtom(4)}));
  EXPECT_FALSE(AtomListsEquivalent({propane->GetAtom(0)}, {propane->GetAtom(0), propane->GetAtom(3)}));
}

TEST(Identity, PermutationsInLexicographicOrder) {
  auto propane = MoleculeFrom(LinearAlkane(3));
  TAtom* a = propane->GetAtom(0);
  TAtom* b = propane->GetAtom(1);
  TAtom* c = propane->GetAtom(2);
  TAtom* d = propane->GetAtom(3);
  EXPECT_EQ(Permutations({a}), (TAtomMatrix{{a}}));
  EXPECT_EQ(Permutations({a, b}), (TAtomMatrix{{a, b}, {b, a}}));
  EXPECT_EQ(Permutations({a, b, c}), (TAtomMatrix{{a, b, c}, {a, c, b}, {b, a, c}, {b, c, a}, {c, a, b}, {c, b, a}}));
  const TAtomMatrix four = Permutations({a, b, c, d});
  ASSERT_EQ(four.size(), 24u);
  EXPECT_EQ(four[1], (TAtomVector{a, b, d, c}));
  EXPECT_EQ(four[6], (TAtomVector{b, a, c, d}));
  EXPECT_EQ(four[23], (TAtomVector{d, c, b, a}));
  EXPECT_TRUE(Permutations({a, b, c, d, propane->GetAtom(4)}).empty());
}

TEST(Identity, MatchFromKeepsMarksOfSuccessfulDeeperCalls) {
  // C1 of n-butane against C1 of n-pentane: neighbours [C0, C2, H, H] on both
  // sides. The first ordering matches the methyl branch C0 (marks stay) and
  // then fails on C2 (CH2-CH3 against CH2-CH2-). The ordering that pairs C0
  // with C2 finds both already marked, skips them, matches the hydrogens and
  // succeeds: the stale marks make the two atoms match.
  auto butane = MoleculeFrom(LinearAlkane(4));
  auto pentane = MoleculeFrom(LinearAlkane(5));
  for (TAtom* atom : butane->Atoms()) atom->Visited = 0;
  for (TAtom* atom : pentane->Atoms()) atom->Visited = 0;
  EXPECT_TRUE(MatchFrom(butane->Atoms(), pentane->Atoms(), 1, 1));
  EXPECT_TRUE(butane->GetAtom(0)->Visited);   // matched in the failed ordering
  EXPECT_TRUE(butane->GetAtom(4)->Visited);   // a hydrogen of C0
  EXPECT_FALSE(butane->GetAtom(2)->Visited);  // its failed match was cleared
  EXPECT_FALSE(butane->GetAtom(3)->Visited);
  EXPECT_FALSE(pentane->GetAtom(2)->Visited);

  // A failed top-level match clears its own two atoms.
  auto ethyl = MoleculeFrom("C. C; 0-1");
  for (TAtom* atom : ethyl->Atoms()) atom->Visited = 0;
  for (TAtom* atom : pentane->Atoms()) atom->Visited = 0;
  EXPECT_FALSE(MatchFrom(ethyl->Atoms(), pentane->Atoms(), 0, 0));
  for (const TAtom* atom : pentane->Atoms()) EXPECT_FALSE(atom->Visited);
}

}  // namespace
}  // namespace korvane
