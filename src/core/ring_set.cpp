#include "core/ring_set.h"

#include <algorithm>
#include <cstddef>
#include <queue>

#include "core/atom_types.h"

namespace korvane {
namespace {

struct TSkeleton {
  std::vector<std::vector<std::uint8_t>> Neighbours;  // heavy neighbours of each atom
  std::vector<std::pair<std::uint8_t, std::uint8_t>> Bonds;
  int Parts = 0;
  int HeavyAtoms = 0;
};

TSkeleton SkeletonOf(const TMolecule& molecule) {
  TSkeleton skeleton;
  const TByteVector& types = molecule.AtomTypes();
  skeleton.Neighbours.resize(types.size());
  for (const TBondEntry& bond : molecule.Bonds()) {
    if (IsHydrogenLike(types[bond.Row]) || IsHydrogenLike(types[bond.Column])) continue;
    skeleton.Neighbours[bond.Row].push_back(bond.Column);
    skeleton.Neighbours[bond.Column].push_back(bond.Row);
    skeleton.Bonds.emplace_back(bond.Row, bond.Column);
  }
  std::vector<bool> seen(types.size(), false);
  for (std::size_t start = 0; start < types.size(); ++start) {
    if (IsHydrogenLike(types[start])) continue;
    ++skeleton.HeavyAtoms;
    if (seen[start]) continue;
    ++skeleton.Parts;
    std::vector<std::size_t> stack{start};
    seen[start] = true;
    while (!stack.empty()) {
      const std::size_t atom = stack.back();
      stack.pop_back();
      for (std::uint8_t next : skeleton.Neighbours[atom])
        if (!seen[next]) seen[next] = true, stack.push_back(next);
    }
  }
  return skeleton;
}

// The shortest ring through a bond: the shortest path between its atoms
// that does not use the bond itself, closed by the bond.
TRing ShortestRingThrough(const TSkeleton& skeleton, std::uint8_t from, std::uint8_t to) {
  std::vector<int> previous(skeleton.Neighbours.size(), -1);
  std::queue<std::uint8_t> queue;
  queue.push(from);
  previous[from] = from;
  while (!queue.empty() && previous[to] < 0) {
    const std::uint8_t atom = queue.front();
    queue.pop();
    for (std::uint8_t next : skeleton.Neighbours[atom]) {
      if (previous[next] >= 0 || (atom == from && next == to)) continue;
      previous[next] = atom;
      queue.push(next);
    }
  }
  TRing ring;
  if (previous[to] < 0) return ring;  // a bridge: on no ring
  for (int atom = to; atom != from; atom = previous[atom]) ring.push_back(static_cast<std::uint8_t>(atom));
  ring.push_back(from);
  return ring;
}

// The ring as a set of bonds, one bit per skeleton bond.
std::vector<std::uint64_t> BondSet(const TSkeleton& skeleton, const TRing& ring) {
  std::vector<std::uint64_t> bits((skeleton.Bonds.size() + 63) / 64, 0);
  for (std::size_t k = 0; k < ring.size(); ++k) {
    const std::uint8_t a = ring[k], b = ring[(k + 1) % ring.size()];
    for (std::size_t bond = 0; bond < skeleton.Bonds.size(); ++bond) {
      const auto& [x, y] = skeleton.Bonds[bond];
      if ((x == a && y == b) || (x == b && y == a)) bits[bond / 64] |= std::uint64_t{1} << (bond % 64);
    }
  }
  return bits;
}

// Gaussian elimination over GF(2) on the bond sets of the rings taken,
// each row kept with its pivot bit, and no other row holding that bit.
struct TRingBasis {
  struct TRow {
    std::vector<std::uint64_t> Bits;
    std::size_t Word;
    std::uint64_t Pivot;
  };
  std::vector<TRow> Rows;

  // Adds the ring when it is independent of the rings taken.
  bool Add(std::vector<std::uint64_t> bits) {
    for (const TRow& row : Rows)
      if (bits[row.Word] & row.Pivot)
        for (std::size_t k = 0; k < bits.size(); ++k) bits[k] ^= row.Bits[k];
    std::size_t word = 0;
    while (word < bits.size() && bits[word] == 0) ++word;
    if (word == bits.size()) return false;
    const std::uint64_t pivot = bits[word] & (~bits[word] + 1);
    for (TRow& row : Rows)
      if (row.Bits[word] & pivot)
        for (std::size_t k = 0; k < bits.size(); ++k) row.Bits[k] ^= bits[k];
    Rows.push_back({std::move(bits), word, pivot});
    return true;
  }
};

}  // namespace

std::vector<TRing> SmallestRings(const TMolecule& molecule) {
  const TSkeleton skeleton = SkeletonOf(molecule);
  const int wanted = static_cast<int>(skeleton.Bonds.size()) - skeleton.HeavyAtoms + skeleton.Parts;
  std::vector<TRing> rings;
  if (wanted <= 0) return rings;
  std::vector<TRing> candidates;
  for (const auto& [a, b] : skeleton.Bonds)
    if (TRing ring = ShortestRingThrough(skeleton, a, b); !ring.empty()) candidates.push_back(std::move(ring));
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const TRing& x, const TRing& y) { return x.size() < y.size(); });
  TRingBasis basis;
  for (TRing& ring : candidates) {
    if (basis.Add(BondSet(skeleton, ring))) rings.push_back(std::move(ring));
    if (static_cast<int>(rings.size()) == wanted) break;
  }
  return rings;
}

}  // namespace korvane
