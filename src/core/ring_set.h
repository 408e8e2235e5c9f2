#pragma once
/// The smallest set of smallest rings of a molecule's skeleton (hydrogens
/// left out): as many independent rings as the skeleton has (bonds − atoms +
/// connected parts), each as short as possible. Thermochemistry reads ring
/// sizes and ring bonds from it; a fused pair such as decalin gives its two
/// six-membered rings, not the ten-membered perimeter.

#include <cstdint>
#include <vector>

#include "core/molecule.h"

namespace korvane {

/// One ring: its atom indices in ring order (each atom bonded to the next,
/// the last to the first).
using TRing = std::vector<std::uint8_t>;

/// The rings, shortest first.
std::vector<TRing> SmallestRings(const TMolecule& molecule);

}  // namespace korvane
