#include "core/identity.h"

#include <gtest/gtest.h>

#include "core/certificate.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;
using testing::Renumbered;
using testing::ShuffledOrder;

// Every molecule equals its renumberings, with the same certificate: small
// and inert species, chains, and ring and aromatic molecules, radicals
// included, whose symmetry gives many equivalent atoms.
TEST(Identity, IgnoresAtomOrder) {
  const char* descriptions[] = {
      "H.", "H H; 0-1", "He..", "N N; 0#1", "O", "C.", "C C; 0=1", "C C C C; 0#1 1-2 2-3",
      "C C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8",  // n-nonane
      "C C. C C C; 0-1 1-2 1-3 3-4",
      // trees with one centre and with two (the two halves of hex-3-yl differ)
      "C C C. C C C; 0-1 1-2 2-3 3-4 4-5", "C C C C C C C; 0-1 1-2 1-3 3=4 4-5 4-6",
      // ring and aromatic molecules
      "C C C; 0-1 1-2 2-0",                                     // cyclopropane
      "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",                   // cyclohexane
      "C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0",                  // cyclohexyl
      "C C. C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1",            // 1-methylcyclohexyl
      "C C C C. C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1",            // 3-methylcyclohexyl
      "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0",                   // benzene
      "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",             // toluene
      "C. c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",            // benzyl
      "c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:9 9:5 5:6 6:7 7:8 8:4 9:0",  // naphthalene
      "C C C C C; 0=1 1-2 2-3 3-4 4-0",                         // cyclopentene
  };
  int moved = 0;  // renumberings that really changed the atom types' order
  for (const char* description : descriptions) {
    auto molecule = MoleculeFrom(description);
    // Each is connected: it has a ring exactly when it has as many bonds as atoms.
    EXPECT_EQ(molecule->HasRing(), molecule->Bonds().size() >= molecule->AtomCount()) << description;
    for (unsigned seed = 1; seed <= 5; ++seed) {
      auto shuffled = Renumbered(*molecule, ShuffledOrder(static_cast<int>(molecule->AtomCount()), seed));
      moved += shuffled->AtomTypes() != molecule->AtomTypes();
      EXPECT_TRUE(AreIsomorphic(*molecule, *shuffled)) << description << " seed " << seed;
      EXPECT_EQ(shuffled->Certificate(), molecule->Certificate()) << description << " seed " << seed;
    }
  }
  EXPECT_GT(moved, 80);
}

// Taking a ring hydrogen from either side of methylcyclohexane's methyl
// group gives one radical, 3-methylcyclohexyl, numbered two ways. The ring
// search of the aromatisation step reorders neighbour lists; the answer
// must not depend on that order.
TEST(Identity, ThreeMethylcyclohexylFromEitherSideIsOneSpecies) {
  auto left = MoleculeFrom("C C C C. C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1");
  auto right = MoleculeFrom("C C C C C C. C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1");
  left->CycleAtoms();
  right->CycleAtoms();
  EXPECT_TRUE(AreIsomorphic(*left, *right));
  // The 4-methylcyclohexyl radical is another species.
  EXPECT_FALSE(AreIsomorphic(*left, *MoleculeFrom("C C C C C. C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1")));
}

TEST(Identity, TellsDifferentSpeciesApart) {
  const std::pair<const char*, const char*> cases[] = {
      {"C C C; 0-1 1=2", "C C C; 0-1 1-2 2-0"},                              // propene, cyclopropane
      {"C. C C; 0-1 1-2", "C C C; 0-1 1-2"},                                 // a radical and its parent
      {"H.", "D."}, {"C", "C14"}, {"C C; 0-1", "C C D; 0-1 0-2"},            // isotopes
      {"C C; 0=1", "C.. C..; 0-1"},                                          // a double bond, a biradical
      {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", "C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0"},  // aromatic, Kekule
      {"C C C C; 0-1 1-2 2-3", "C C C C; 0-1 0-2 0-3"},                      // butane, isobutane
      {"C C C C; 0=1 1-2 2-3", "C C C C; 0-1 1=2 2-3"},                      // 1- and 2-butene
      {"C. C C C; 0-1 1-2 2-3", "C C. C C; 0-1 1-2 2-3"},                    // 1- and 2-butyl
      // A hydrogen is folded into its partner only when nothing else describes
      // it: an unpaired electron on it, or a partner that is itself
      // hydrogen-like, keeps it a vertex of its own.
      {"C", "C. H."}, {"H H; 0-1", "H. H."}, {"H D; 0-1", "H H; 0-1"},
  };
  for (const auto& [a, b] : cases) {
    auto x = MoleculeFrom(a), y = MoleculeFrom(b);
    EXPECT_FALSE(AreIsomorphic(*x, *y)) << a << " / " << b;
    EXPECT_NE(x->Certificate(), y->Certificate()) << a << " / " << b;
  }
  EXPECT_FALSE(MoleculeFrom("C. H.")->HasRing());
  EXPECT_TRUE(MoleculeFrom("C C C H.; 0-1 1-2 2-0")->HasRing());  // a ring beside a lone atom
  // An empty structure has a certificate too, unlike every other.
  auto empty = TMolecule::FromStructure(0, {}, {}, {});
  EXPECT_NE(empty->Certificate(), MoleculeFrom("H.")->Certificate());
  EXPECT_TRUE(AreIsomorphic(*empty, *TMolecule::FromStructure(1, {}, {}, {})));
}

// Alkenyl radicals of the n-hexadecane network that share every invariant
// (radical, acyclic, atom counts, both sorted graph scores): only the graph
// tells them apart.
TEST(Identity, TellsApartIsomersWithEqualInvariants) {
  const std::pair<const char*, const char*> cases[] = {
      {"C. C C C; 0-1 1-2 2=3", "C C C. C; 0=1 1-2 2-3"},                        // [CH2]CC=C, C=C[CH]C
      {"C. C C C C; 0-1 1-2 2-3 3=4", "C C C C. C; 0=1 1-2 2-3 3-4"},            // [CH2]CCC=C, C=CC[CH]C
      {"C. C C C C C; 0-1 1-2 2=3 3-4 4=5", "C C C C C. C; 0=1 1-2 2=3 3-4 4-5"},  // [CH2]CC=CC=C, C=CC=C[CH]C
      {"C C C C C. C; 0=1 1-2 2-3 3-4 4-5", "C C C C. C C; 0=1 1-2 2-3 3-4 4-5"},  // C=CCC[CH]C, C=CC[CH]CC
  };
  for (const auto& [a, b] : cases) {
    auto x = MoleculeFrom(a), y = MoleculeFrom(b);
    EXPECT_EQ(x->Invariants(), y->Invariants()) << a << " / " << b;
    EXPECT_FALSE(AreIsomorphic(*x, *y)) << a << " / " << b;
  }
}

TEST(Certificate, FollowsTheStructureAcrossRebuilds) {
  auto molecule = MoleculeFrom("C C C; 0-1 1=2");
  const std::string propene(molecule->Certificate());
  auto cyclopropane = MoleculeFrom("C C C; 0-1 1-2 2-0");
  ASSERT_TRUE(molecule->SetStructure(cyclopropane->AdjacencyMatrix(), cyclopropane->AtomTypes(),
                                     cyclopropane->AromaticMatrix()));
  molecule->Build();
  EXPECT_EQ(molecule->Certificate(), cyclopropane->Certificate());
  EXPECT_NE(molecule->Certificate(), propene);
}

}  // namespace
}  // namespace korvane
