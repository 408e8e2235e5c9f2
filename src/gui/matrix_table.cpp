#include "gui/matrix_table.h"

#include "gui/reaction_text.h"

namespace korvane::gui {
namespace {

template <class Matrix, class Text>
std::vector<QStringList> Cells(const Matrix& matrix, Text text) {
  std::vector<QStringList> rows(matrix.rows());
  for (std::size_t r = 0; r < matrix.rows(); ++r) {
    rows[r].reserve(static_cast<qsizetype>(matrix.cols()));
    for (std::size_t c = 0; c < matrix.cols(); ++c) rows[r].append(text(matrix[r][c]));
  }
  return rows;
}

}  // namespace

QStringList MatrixNames() {
  return {QStringLiteral("AtomsTypeVector (Elementary composition)"),
          QStringLiteral("Adjacency Matrix (Molecule structure/topology)"),
          QStringLiteral("Aromatic Bonds Character Matrix (info about aromaticity of bonds)"),
          QStringLiteral("Bonds Energy Matrix (info abou energies of bonds)"), QStringLiteral("Distance Matrix")};
}

std::vector<QStringList> MatrixCells(const TMolecule& molecule, MatrixKind kind) {
  auto number = [](auto value) { return QString::number(value); };
  switch (kind) {
    case MatrixKind::AtomTypes: {
      QStringList row;
      for (std::uint8_t type : molecule.AtomTypes()) row.append(QString::number(type));
      return {row};
    }
    case MatrixKind::Adjacency: return Cells(molecule.AdjacencyMatrix(), number);
    case MatrixKind::Aromatic: return Cells(molecule.AromaticMatrix(), [](bool value) { return BooleanText(value); });
    case MatrixKind::BondEnergy: return Cells(molecule.BondEnergyMatrix(), number);
    case MatrixKind::Distance: return Cells(molecule.DistanceMatrix(), number);
  }
  return {};
}

}  // namespace korvane::gui
