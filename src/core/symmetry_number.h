#pragma once
/// Rotational symmetry number and chirality of a molecule from its graph,
/// for the entropy of group additivity: S = S_intrinsic − R ln σ + R ln n,
/// with n = 2 for a chiral molecule.
///
/// σ counts the atom permutations that are graph automorphisms (atom types,
/// bond orders, aromatic flags, unpaired electrons) and that rotations of
/// the molecule and of its parts about single bonds can realise:
/// - an sp3 carbon (four single bonds, no unpaired electron) maps its
///   neighbours onto its image's with an even permutation;
/// - at a double bond, or at the two terminal atoms of a cumulated chain,
///   whose ends both carry two substituents, the two ends swap their
///   substituents alike (cis stays cis);
/// - planar radical centres, aromatic and sp atoms and hydrogens impose
///   nothing.
/// The graph holds no configuration: the neighbours of each centre are taken
/// in an order set by the structure, which fixes one configuration for
/// molecules with several centres (cages such as cubane, whose geometry
/// forces the configuration, are outside what this order knows), and ring
/// conformations are averaged (the ring is taken as planar). A molecule is chiral when it has an sp3 centre
/// and no automorphism is odd at every sp3 centre with the double bonds
/// kept.
///
/// Reads only the molecule's stored data (atom types, bonds, unpaired
/// electrons): safe on several threads at once, on the same molecule too.

#include <cstdint>

#include "core/molecule.h"
#include "core/result.h"

namespace korvane {

struct TSymmetry {
  std::uint64_t Number = 1;  ///< total rotational symmetry number σ (external × internal rotors)
  bool Chiral = false;       ///< no mirror operation maps the molecule onto itself
};

/// σ and chirality of the molecule; a NoValue error for a molecule whose
/// symmetry group is too large to count (σ beyond 64 bits, or a search
/// beyond its node budget).
TResult<TSymmetry> SymmetryOf(const TMolecule& molecule);

}  // namespace korvane
