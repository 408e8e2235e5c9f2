#pragma once
/// The valence rule both directions of the SMILES bridge enforce. Includes
/// RDKit: for the .cpp files of this layer only, never a public header.
///
/// A SMILES states unpaired electrons only as the valence a bracket atom
/// leaves free ("[CH3]"), so an atom reads back as it was written only when
/// its bonds, hydrogens and unpaired electrons make up the default valence of
/// its element exactly.

#include <GraphMol/Atom.h>
#include <GraphMol/PeriodicTable.h>

namespace korvane::smiles_detail {

/// Default valence of the atom's element (C 4, N 3, O 2, H 1).
inline int DefaultValence(const RDKit::Atom& atom) {
  return RDKit::PeriodicTable::getTable()->getDefaultValence(atom.getAtomicNum());
}

/// Valence a sanitised atom uses (bonds as kekulised, hydrogens) plus its
/// `unpaired` electrons.
inline int UsedValence(const RDKit::Atom& atom, int unpaired) {
  return static_cast<int>(atom.getTotalValence()) + unpaired;
}

}  // namespace korvane::smiles_detail
