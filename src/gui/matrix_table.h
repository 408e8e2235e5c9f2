#pragma once
/// The "Matrices" tab of the component detail window: the five matrices of
/// a molecule as tables of texts.

#include <QString>
#include <QStringList>
#include <vector>

#include "core/molecule.h"

namespace korvane::gui {

/// The drop-down items, in the order of MatrixKind.
QStringList MatrixNames();

enum class MatrixKind {
  AtomTypes = 0,   ///< one row of type codes
  Adjacency = 1,   ///< bond orders, unpaired electrons on the diagonal
  Aromatic = 2,    ///< "True" / "False"
  BondEnergy = 3,  ///< kJ/mol
  Distance = 4,    ///< bonds on a shortest path
};

/// The cell texts, one list per row; the grid adds the index row and column.
std::vector<QStringList> MatrixCells(const TMolecule& molecule, MatrixKind kind);

}  // namespace korvane::gui
