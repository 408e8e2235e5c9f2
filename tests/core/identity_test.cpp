#include "core/identity.h"

#include <gtest/gtest.h>

#include "core/graph_hash.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::Renumbered;
using testing::ShuffledOrder;

// The renumbered copies the identity tests compare must really move atoms.
TEST(Renumbered, MovesAtomsAndKeepsTheStructure) {
  auto butane = MoleculeFrom(LinearAlkane(4));
  const auto order = ShuffledOrder(14, 11);
  auto shuffled = Renumbered(*butane, order);
  EXPECT_NE(shuffled->AtomTypes(), butane->AtomTypes());
  for (int i = 0; i < 14; ++i)
    for (int j = 0; j < 14; ++j)
      EXPECT_EQ(shuffled->AdjacencyMatrix()[i][j], butane->AdjacencyMatrix()[order[i]][order[j]]);
}

std::uint64_t Hash(const char* description) { return GraphRefinementHash(*MoleculeFrom(description)); }

// Molecules of every size class, each compared with several renumberings:
// identical, with the same refinement hash.
TEST(Identity, IgnoresAtomOrder) {
  const char* descriptions[] = {
      "H.", "He..", "O", "H H; 0-1", "C.", "C C; 0=1", "C. C; 0-1",
      "C C C C; 0-1 1-2 2-3",                                // n-butane: rarest class
      "C C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8",  // n-nonane
      "C C C C C; 0-1 1-2 1-3 3-4", "C C. C C C; 0-1 1-2 1-3 3-4", "C. C C C C C C; 0-1 1-2 2-3 3-4 4=5 5-6",
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",
      "C C C C C; 0=1 1-2 2=3 3-4", "C C C C; 0#1 1-2 2-3",
  };
  for (const char* description : descriptions) {
    auto molecule = MoleculeFrom(description);
    for (unsigned seed = 1; seed <= 6; ++seed) {
      auto shuffled = Renumbered(*molecule, ShuffledOrder(static_cast<int>(molecule->AtomCount()), seed));
      EXPECT_TRUE(AreIsomorphic(*molecule, *shuffled)) << description << " seed " << seed;
      EXPECT_TRUE(AreIsomorphic(*shuffled, *molecule)) << description << " seed " << seed;
      EXPECT_EQ(GraphRefinementHash(*shuffled), GraphRefinementHash(*molecule)) << description << " seed " << seed;
    }
  }
  // Butane's terminal and inner carbons both number two: the earlier class
  // wins, the anchor is a terminal carbon and the match reaches every atom.
  auto butane = MoleculeFrom(LinearAlkane(4));
  EXPECT_TRUE(AreIsomorphic(*butane, *Renumbered(*butane, {3, 2, 1, 0, 12, 13, 11, 10, 9, 8, 7, 6, 4, 5})));
  for (const TAtom* atom : butane->Atoms()) EXPECT_TRUE(atom->Visited);
}

// Neither the matching nor the refinement hash takes these for one species.
TEST(Identity, TellsDifferentSpeciesApart) {
  const struct {
    const char* a;
    const char* b;
    bool equalInvariants;  // only the graph can tell these apart
  } cases[] = {
      {"C C C; 0-1 1=2", "C C C; 0-1 1-2 2-0", false},                            // propene, cyclopropane
      {"C. C C; 0-1 1-2", "C C C; 0-1 1-2", false},                               // a radical and its parent
      {"C C; 0-1", "C C D; 0-1 0-2", false},                                      // ethane, deuterated ethane
      {"H.", "D.", false},                                                        // one atom: the type decides
      {"C C C C; 0-1 1-2 2-3", "C C C C; 0-1 0-2 0-3", true},                     // butane, isobutane
      {"C C C C; 0=1 1-2 2-3", "C C C C; 0-1 1=2 2-3", true},                     // 1- and 2-butene
      {"C. C C C; 0-1 1-2 2-3", "C C. C C; 0-1 1-2 2-3", true},                   // butyl radicals
      {"C C C C C; 0=1 1-2 2-3 3-4", "C C C C C; 0-1 1=2 2-3 3-4", true},         // 1- and 2-pentene
      {"C. C C C C C; 0-1 1-2 2-3 3-4 4-5", "C C C. C C C; 0-1 1-2 2-3 3-4 4-5", true},  // hexyl radicals
      {"C C. C C C C; 0-1 1-2 2-3 3-4 4-5", "C C C. C C C; 0-1 1-2 2-3 3-4 4-5", true},
      {"C C C C C C; 0-1 1-2 2-3 3-4 4-5", "C C C C C C; 0-1 1-2 2-3 3-4 2-5", true},  // hexane, 3-methylpentane
      {"C. C C C C C C; 0-1 1-2 2-3 3-4 4=5 5-6", "C. C C C C C C; 0-1 1-2 2-3 3=4 4-5 5-6", true},  // heptenyls
  };
  for (const auto& c : cases) {
    auto a = MoleculeFrom(c.a), b = MoleculeFrom(c.b);
    EXPECT_EQ(InvariantsEqual(*a, *b), c.equalInvariants) << c.a << " / " << c.b;
    EXPECT_FALSE(AreIsomorphic(*a, *b)) << c.a << " / " << c.b;
    EXPECT_FALSE(AreIsomorphic(*b, *a)) << c.b << " / " << c.a;
    EXPECT_NE(GraphRefinementHash(*a), GraphRefinementHash(*b)) << c.a << " / " << c.b;
  }
  // The hash also counts bond orders, aromatic flags, electrons and isotopes.
  EXPECT_NE(Hash("C C; 0=1"), Hash("C.. C..; 0-1"));
  EXPECT_NE(Hash("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"), Hash("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5-0"));
  EXPECT_NE(Hash("C"), Hash("C14"));
  EXPECT_NE(Hash("C D; 0-1"), Hash("C H; 0-1"));
}

TEST(RefinementHash, CachedOnTheMoleculeUntilRebuilt) {
  auto molecule = MoleculeFrom("C C C; 0-1 1=2");
  const std::uint64_t propene = molecule->RefinementHash();
  EXPECT_EQ(propene, GraphRefinementHash(*molecule));
  auto cyclopropane = MoleculeFrom("C C C; 0-1 1-2 2-0");
  ASSERT_TRUE(molecule->SetStructure(cyclopropane->AdjacencyMatrix(), cyclopropane->AtomTypes(),
                                     cyclopropane->AromaticMatrix()));
  molecule->Build();
  EXPECT_EQ(molecule->RefinementHash(), GraphRefinementHash(*cyclopropane));
  EXPECT_NE(molecule->RefinementHash(), propene);
}

TEST(Identity, SmallMoleculesNeedNoMatchingLargeOnesWithoutCarbonNeverMatch) {
  // Two atoms: equal invariants settle it, the marks are not touched.
  auto h2 = MoleculeFrom("H H; 0-1");
  for (TAtom* atom : h2->Atoms()) atom->Visited = 7;
  EXPECT_TRUE(AreIsomorphic(*h2, *Renumbered(*h2, {1, 0})));
  for (const TAtom* atom : h2->Atoms()) EXPECT_EQ(atom->Visited, 7);
  // Three or four atoms: atom properties in some order.
  auto water = MoleculeFrom("O");
  EXPECT_TRUE(AreIsomorphic(*water, *Renumbered(*water, {1, 2, 0})));
  // Tetrazane N4H6: nine atoms or more, no carbon, so no anchor class exists.
  auto tetrazane = MoleculeFrom("N N N N; 0-1 1-2 2-3");
  EXPECT_FALSE(AreIsomorphic(*tetrazane, *tetrazane));
  // Below nine atoms the anchor is atom 0 and the same structure matches.
  auto triazane = MoleculeFrom("N N N; 0-1 1-2");
  EXPECT_TRUE(AreIsomorphic(*triazane, *triazane));
}

TEST(Identity, PermutationsInLexicographicOrder) {
  auto propane = MoleculeFrom(LinearAlkane(3));
  TAtom *a = propane->GetAtom(0), *b = propane->GetAtom(1), *c = propane->GetAtom(2), *d = propane->GetAtom(3);
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
