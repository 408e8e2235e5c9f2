#pragma once
/// Bond-energy matrices [kJ/mol] from which the reaction generators take the
/// explicit activation energy of a bond fission.

#include "core/vectors.h"

namespace korvane {

class TMolecule;

/// Radical variant for a radical, non-radical variant otherwise; n x n,
/// symmetric, zero where no value is defined. Works on the built atoms.
TIntMatrix ComputeBondEnergyMatrix(const TMolecule& molecule);

/// Every bonded pair valued by atom types and carbon-neighbour counts, then
/// corrected around multiple and aromatic bonds.
TIntMatrix RadicalBondEnergyMatrix(const TMolecule& molecule);

/// Only hydrogen fissions are valued; stops at the first hydrogen-like atom
/// that does not have exactly one neighbour.
TIntMatrix NonRadicalBondEnergyMatrix(const TMolecule& molecule);

}  // namespace korvane
