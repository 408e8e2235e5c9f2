#include "molecule_builder.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(MoleculeBuilder, CompletesHydrogensAfterTheHeavyAtoms) {
  auto propene = MoleculeFrom("C C C; 0-1 1=2");
  ASSERT_EQ(propene->AtomCount(), 9u);
  EXPECT_EQ(propene->AtomTypes(), (TByteVector{2, 2, 2, 1, 1, 1, 1, 1, 1}));
  EXPECT_EQ(propene->AdjacencyMatrix()[1][2], 2);
  EXPECT_EQ(propene->AdjacencyMatrix()[6][1], 1);  // the single H of C1
  EXPECT_EQ(MoleculeFrom("H.")->AtomCount(), 1u);
  EXPECT_EQ(MoleculeFrom("He..")->AtomCount(), 1u);
  EXPECT_EQ(MoleculeFrom("N N; 0#1")->AtomCount(), 2u);
  EXPECT_EQ(MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0")->AtomCount(), 12u);
}

TEST(MoleculeBuilder, RejectsBadDescriptions) {
  EXPECT_THROW(MoleculeFrom("X"), std::invalid_argument);
  EXPECT_THROW(MoleculeFrom("C C; 0-5"), std::invalid_argument);
  EXPECT_THROW(MoleculeFrom("C C; 0?1"), std::invalid_argument);
  EXPECT_THROW(MoleculeFrom("O O O; 0=1 1=2 2=0"), std::invalid_argument);
}

TEST(MoleculeBuilder, RenumberingKeepsTheStructure) {
  auto butane = MoleculeFrom(testing::LinearAlkane(4));
  const auto order = testing::ShuffledOrder(14, 11);
  auto shuffled = testing::Renumbered(*butane, order);
  for (int i = 0; i < 14; ++i)
    for (int j = 0; j < 14; ++j)
      EXPECT_EQ(shuffled->AdjacencyMatrix()[i][j], butane->AdjacencyMatrix()[order[i]][order[j]]);
  EXPECT_EQ(shuffled->Formula(), butane->Formula());
}

}  // namespace
}  // namespace korvane
