#pragma once
/// Molecule identity: whether two built molecules are the same species.
///
/// The test is layered: the stored invariants reject almost every wrong pair
/// with byte comparisons; molecules of up to four atoms are settled by atom
/// properties; larger ones by a depth-first atom-to-atom matching anchored at
/// a chosen atom. The matching compares local atom properties and
/// neighbourhoods and is not a complete graph-isomorphism algorithm: its
/// answers depend on the order of trials, which is fixed here and decides
/// which species a network contains.
///
/// The matching uses the atoms' Visited marks as its record of matched atoms
/// and leaves them set on both molecules when it returns.

#include "core/atom.h"
#include "core/molecule.h"

namespace korvane {

/// Radical, Cyclic, AtomCount, AtomsPerType and both graph scores agree.
bool InvariantsEqual(const TMolecule& a, const TMolecule& b);

/// Equal type, neighbour count (self entries included), multiple, triple and
/// aromatic bond counts and unpaired electrons.
bool AtomsEquivalent(const TAtom& a, const TAtom& b);

/// Lists of equal length whose atoms are pairwise equivalent.
bool AtomListsEquivalent(const TAtomVector& p, const TAtomVector& q);

/// Every ordering of a list of 1 to 4 atoms, in lexicographic order of the
/// input positions (012, 021, 102, ...); empty for 5 or more atoms.
TAtomMatrix Permutations(const TAtomVector& atoms);

/// Recursive matcher: tries to match atomsA[i] with atomsB[j] and, through
/// them, their unmatched neighbourhoods. Marks of deeper successful calls
/// stay set even when a later position fails.
bool MatchFrom(const TAtomVector& atomsA, const TAtomVector& atomsB, std::size_t i, std::size_t j);

/// Whether A and B are the same species. Both must be built with their
/// invariants computed.
bool AreIsomorphic(const TMolecule& a, const TMolecule& b);

}  // namespace korvane
