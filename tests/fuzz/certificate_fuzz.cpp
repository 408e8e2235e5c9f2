// Certificates: renumbering the atoms of any molecule keeps its certificate,
// and the identity test agrees.
//
// Input: byte 0 the atom count (1 to 24), then one type byte per atom, then
// triples (i, j, order): a bond of order 1 to 3 between atoms i and j (an
// order byte with its high bit set and order 1 marks the bond aromatic), or
// unpaired electrons when i = j. The remaining bytes seed the renumbering.

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <random>

#include "core/identity.h"
#include "core/molecule.h"
#include "fuzz_check.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t n = data[0] % 24 + 1;
  if (size < 1 + n) return 0;
  TByteVector types(n);
  for (std::size_t i = 0; i < n; ++i) types[i] = static_cast<std::uint8_t>(data[1 + i] % 10 + 1);
  TByteMatrix adjacency(n, n, 0);
  TBoolMatrix aromatic(n, n, false);
  std::size_t at = 1 + n;
  for (; at + 3 <= size; at += 3) {
    const std::size_t i = data[at] % n, j = data[at + 1] % n;
    const std::uint8_t order = static_cast<std::uint8_t>(data[at + 2] % 4);
    adjacency[i][j] = adjacency[j][i] = i == j ? order % 3 : order;
    aromatic[i][j] = aromatic[j][i] = i != j && order == 1 && (data[at + 2] & 0x80) != 0;
  }
  const auto molecule = TMolecule::FromStructure(0, adjacency, types, aromatic);
  if (!molecule) return 0;

  std::vector<std::size_t> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::mt19937 random(static_cast<unsigned>(std::accumulate(data, data + size, 0u)));
  std::shuffle(order.begin(), order.end(), random);
  TByteMatrix renumberedAdjacency(n, n, 0);
  TBoolMatrix renumberedAromatic(n, n, false);
  TByteVector renumberedTypes(n);
  for (std::size_t a = 0; a < n; ++a) {
    renumberedTypes[a] = types[order[a]];
    for (std::size_t b = 0; b < n; ++b) {
      renumberedAdjacency[a][b] = adjacency[order[a]][order[b]];
      renumberedAromatic[a][b] = aromatic[order[a]][order[b]];
    }
  }
  const auto renumbered = TMolecule::FromStructure(0, renumberedAdjacency, renumberedTypes, renumberedAromatic);
  KORVANE_FUZZ_CHECK(renumbered != nullptr);
  KORVANE_FUZZ_CHECK(renumbered->Certificate() == molecule->Certificate());
  KORVANE_FUZZ_CHECK(AreIsomorphic(*molecule, *renumbered));
  return 0;
}
