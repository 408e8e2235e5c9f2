#include "core/valence_check.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

// Propane (C0..C2, H3..H10) with one entry of its matrices changed, as a
// damaged or hand-made structure file may hold it.
std::unique_ptr<TMolecule> EditedPropane(std::size_t i, std::size_t j, std::uint8_t order, bool aromatic = false) {
  const auto propane = MoleculeFrom("C C C; 0-1 1-2");
  TByteMatrix adjacency = propane->AdjacencyMatrix();
  TBoolMatrix flags = propane->AromaticMatrix();
  adjacency[i][j] = adjacency[j][i] = order;
  flags[i][j] = flags[j][i] = aromatic;
  auto edited = TMolecule::FromStructure(0, adjacency, propane->AtomTypes(), flags);
  EXPECT_NE(edited, nullptr);
  return edited;
}

TEST(ValenceCheck, BondsAndElectronsMustFillEachAtomsValenceExactly) {
  for (const char* valid : {"C C C; 0-1 1=2", "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", "C. C; 0-1", "C14 D T; 0-1 0-2",
                            "C C; 0#1", "He..", "N N; 0#1", "c14 c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"})
    EXPECT_EQ(ValenceProblem(*MoleculeFrom(valid)), "") << valid;

  const struct {
    std::size_t i, j;
    std::uint8_t order;
    bool aromatic;
    const char* problem;
  } broken[] = {
      {0, 1, 2, false, "atom 0 (C) has bonds and unpaired electrons of valence 5; C has 4"},
      {0, 1, 7, false, "the bond between atoms 0 and 1 has order 7"},
      {0, 1, 255, false, "the bond between atoms 0 and 1 has order 255"},
      {0, 1, 1, true, "the aromatic bond between atoms 0 and 1 does not join two aromatic carbons"},
      {0, 3, 0, false, "atom 0 (C) has bonds and unpaired electrons of valence 3; C has 4"},  // a hydrogen cut off
      {0, 0, 2, false, "atom 0 (C) has bonds and unpaired electrons of valence 6; C has 4"},
      {4, 4, 0, true, "atom 4 is marked aromatic by itself"},
  };
  for (const auto& [i, j, order, aromatic, problem] : broken)
    EXPECT_EQ(ValenceProblem(*EditedPropane(i, j, order, aromatic)), problem) << problem;

  TMolecule unknown;
  unknown.SetStructure(TByteMatrix(1, 1, 0), TByteVector{11}, TBoolMatrix(1, 1, false));
  unknown.Build();
  EXPECT_EQ(ValenceProblem(unknown), "atom 0 has the unknown atom type 11");
}

}  // namespace
}  // namespace korvane
