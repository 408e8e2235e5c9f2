#pragma once
/// Test molecules from the short notation of core/structure_notation.h
/// ("C C C; 0-1 1-2" is propane), and ways to renumber them.

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
