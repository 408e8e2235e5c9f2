#include "gui/matrix_table.h"

#include <gtest/gtest.h>

#include "molecule_builder.h"

namespace korvane::gui {
namespace {

TEST(MatrixTable, EachMatrixAsTexts) {
  EXPECT_EQ(MatrixNames().size(), 5);
  const auto ethyl = testing::MoleculeFrom("C. C; 0-1");  // C0 C1, H2 H3 on C0, H4..H6 on C1
  const auto types = MatrixCells(*ethyl, MatrixKind::AtomTypes);
  ASSERT_EQ(types.size(), 1u);
  EXPECT_EQ(types[0], (QStringList{"2", "2", "1", "1", "1", "1", "1"}));

  const auto adjacency = MatrixCells(*ethyl, MatrixKind::Adjacency);
  ASSERT_EQ(adjacency.size(), 7u);
  EXPECT_EQ(adjacency[0], (QStringList{"1", "1", "1", "1", "0", "0", "0"}));  // the unpaired electron on the diagonal
  EXPECT_EQ(MatrixCells(*ethyl, MatrixKind::Distance)[2][4], "3");
  EXPECT_EQ(MatrixCells(*ethyl, MatrixKind::BondEnergy)[0][1], QString::number(ethyl->BondEnergyMatrix()[0][1]));

  const auto benzene = testing::MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0");
  const auto aromatic = MatrixCells(*benzene, MatrixKind::Aromatic);
  EXPECT_EQ(aromatic[0][1], "True");
  EXPECT_EQ(aromatic[0][2], "False");
}

}  // namespace
}  // namespace korvane::gui
