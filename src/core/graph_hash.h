#pragma once
/// An order-independent hash of a molecule's labelled graph, by colour
/// refinement: every atom starts with its type and bond counts, then takes
/// in its neighbours' colours (with bond order and aromatic flag) round by
/// round until the partition of atoms by colour stops growing. Molecules
/// that differ only in their atom numbering get the same hash.

#include <cstdint>

namespace korvane {

class TMolecule;

/// Hash of the built molecule's graph; O(rounds * (atoms + bonds)).
std::uint64_t GraphRefinementHash(const TMolecule& molecule);

}  // namespace korvane
