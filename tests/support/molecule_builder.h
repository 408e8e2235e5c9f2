#pragma once
/// Builds test molecules from a short readable description instead of
/// hand-written matrices.
///
/// Description: heavy atoms separated by spaces, then ";" and the bonds.
///   atoms  C (carbon), c (aromatic carbon), C14, c14, H, D, T, He, N, O; each
///          trailing "." adds one unpaired electron ("C." is a radical centre)
///   bonds  i-j single, i=j double, i#j triple, i:j aromatic (order 1)
/// Every atom is then completed with hydrogens up to its valence; the
/// hydrogens follow the listed atoms, grouped by the atom they sit on.
///
///   "C C C; 0-1 1-2"                       propane (C0..C2, H3..H10)
///   "C C C; 0-1 1=2"                       propene
///   "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0" benzene
///   "C. C; 0-1"                            ethyl radical
///   "H."                                   hydrogen atom
///   "He.."                                 helium

#include <memory>
#include <string>
#include <vector>

#include "core/molecule.h"

namespace korvane::testing {

/// The molecule described; throws std::invalid_argument on a bad description.
std::unique_ptr<TMolecule> MoleculeFrom(const std::string& description, std::int32_t id = 0);

/// Description of the straight-chain alkane with `carbons` carbon atoms,
/// carbons numbered along the chain.
std::string LinearAlkane(int carbons);

/// The same molecule with its atoms renumbered: new atom k is old atom
/// order[k]. `order` must be a permutation of the atom indices.
std::unique_ptr<TMolecule> Renumbered(const TMolecule& molecule, const std::vector<int>& order);

/// A reproducible pseudo-random permutation of 0..n-1.
std::vector<int> ShuffledOrder(int n, unsigned seed);

}  // namespace korvane::testing
