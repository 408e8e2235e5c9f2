#pragma once
/// Molecule identity: whether two molecules are the same species.
///
/// Two molecules are the same species exactly when their canonical
/// certificates are equal (certificate.h): the same atoms with the same
/// unpaired electrons, joined by the same bonds, whatever their numbering.
/// The answer is exact and does not depend on the atom order of either
/// molecule or on the order of their neighbour lists.

#include "core/molecule.h"

namespace korvane {

/// Whether A and B are the same species. Computes (and keeps) the
/// certificate of each molecule that has none yet.
bool AreIsomorphic(const TMolecule& a, const TMolecule& b);

}  // namespace korvane
