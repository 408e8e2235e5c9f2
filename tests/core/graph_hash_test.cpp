#include "core/graph_hash.h"

#include <gtest/gtest.h>

#include "core/identity.h"
#include "core/molecule.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

const char* kSpecies[] = {
    "H.", "H H; 0-1", "He..", "O", "C.", "C C; 0=1", "C. C; 0-1",
    "C C C C C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8 8-9 9-10 10-11",
    "C C C C C; 0-1 1-2 1-3 3-4", "C. C C C C C C; 0-1 1-2 2-3 3-4 4=5 5-6",
    "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",
    "C C C C; 0#1 1-2 2-3", "C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 0-6 6=7",
};

TEST(RefinementHash, IgnoresAtomOrder) {
  for (const char* description : kSpecies) {
    auto molecule = MoleculeFrom(description);
    const int n = static_cast<int>(molecule->AtomCount());
    for (unsigned seed = 1; seed <= 8; ++seed) {
      auto shuffled = testing::Renumbered(*molecule, testing::ShuffledOrder(n, seed));
      EXPECT_EQ(GraphRefinementHash(*shuffled), GraphRefinementHash(*molecule)) << description << " " << seed;
    }
  }
}

TEST(RefinementHash, SeparatesIsomersWithEqualInvariants) {
  // Each group shares its invariants; the graphs differ.
  const std::vector<std::vector<const char*>> groups = {
      {"C C C C C; 0=1 1-2 2-3 3-4", "C C C C C; 0-1 1=2 2-3 3-4"},  // 1- and 2-pentene
      {"C. C C C C C; 0-1 1-2 2-3 3-4 4-5", "C C. C C C C; 0-1 1-2 2-3 3-4 4-5",
       "C C C. C C C; 0-1 1-2 2-3 3-4 4-5"},                           // hexyl radicals
      {"C. C C C C C C; 0-1 1-2 2-3 3-4 4=5 5-6", "C. C C C C C C; 0-1 1-2 2-3 3=4 4-5 5-6"},  // heptenyls
      {"C C C C C C; 0-1 1-2 2-3 3-4 4-5", "C C C C C C; 0-1 1-2 2-3 3-4 2-5"},  // hexane, 3-methylpentane
  };
  for (const auto& group : groups) {
    std::vector<std::unique_ptr<TMolecule>> molecules;
    for (const char* description : group) molecules.push_back(MoleculeFrom(description));
    for (std::size_t i = 0; i < molecules.size(); ++i)
      for (std::size_t j = i + 1; j < molecules.size(); ++j) {
        ASSERT_TRUE(InvariantsEqual(*molecules[i], *molecules[j])) << group[i] << " / " << group[j];
        EXPECT_NE(GraphRefinementHash(*molecules[i]), GraphRefinementHash(*molecules[j])) << group[i] << " / " << group[j];
      }
  }
}

TEST(RefinementHash, BondOrdersAromaticFlagsAndElectronsCount) {
  const auto hash = [](const char* description) { return GraphRefinementHash(*MoleculeFrom(description)); };
  EXPECT_NE(hash("C C; 0=1"), hash("C.. C..; 0-1"));
  EXPECT_NE(hash("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"), hash("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5-0"));
  EXPECT_NE(hash("C"), hash("C14"));
  EXPECT_NE(hash("C D; 0-1"), hash("C H; 0-1"));
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

}  // namespace
}  // namespace korvane
