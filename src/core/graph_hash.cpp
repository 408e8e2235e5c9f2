#include "core/graph_hash.h"

#include <algorithm>
#include <array>
#include <vector>

#include "core/molecule.h"

namespace korvane {
namespace {

std::uint64_t Mix(std::uint64_t hash, std::uint64_t value) {
  // splitmix64 finaliser over the combination: well spread and cheap.
  std::uint64_t z = hash + 0x9e3779b97f4a7c15ull + value * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
  return z ^ (z >> 31);
}

// A hydrogen-like atom bonded to exactly one atom that is not itself
// hydrogen-like: its place in the graph is fully described by its partner,
// so it is folded into the partner's starting colour instead of being
// refined on its own.
bool IsFoldedLeaf(const TAtom& atom) {
  if (!IsHydrogenLike(atom.GetAtomType()) || atom.NeighbourCount() != 1) return false;
  const TNeighbour& bond = atom.Entries().front();
  return bond.Atom != &atom && !IsHydrogenLike(bond.Atom->GetAtomType());
}

// Number of distinct values among the first `count` colours.
std::size_t DistinctCount(const std::uint64_t* colours, std::size_t count) {
  std::array<std::uint64_t, kMaxAtoms> sorted;
  std::copy(colours, colours + count, sorted.begin());
  std::sort(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(count));
  return static_cast<std::size_t>(std::unique(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(count)) -
                                  sorted.begin());
}

}  // namespace

std::uint64_t GraphRefinementHash(const TMolecule& molecule) {
  const std::size_t n = molecule.AtomCount();
  // Refined atoms (all but folded leaves) and their slot by atom index. A
  // molecule has at most 255 atoms, so everything fits on the stack.
  std::array<const TAtom*, kMaxAtoms> nodes;
  std::array<std::int16_t, kMaxAtoms> slot;
  std::array<std::uint64_t, kMaxAtoms> colour{}, next{};
  std::size_t count = 0;
  std::uint64_t folded = 0;  // order-independent sum over the folded leaves
  for (std::size_t i = 0; i < n; ++i) {
    const TAtom* atom = molecule.GetAtom(i);
    if (IsFoldedLeaf(*atom)) {
      slot[i] = -1;
      folded += Mix(1, atom->EquivalenceKey());
    } else {
      slot[i] = static_cast<std::int16_t>(count);
      nodes[count++] = atom;
    }
  }
  for (std::size_t k = 0; k < count; ++k) {
    const TAtom* atom = nodes[k];
    std::uint64_t start = Mix(0, atom->EquivalenceKey());
    // Folded leaves enter as a sum, independent of their order.
    std::uint64_t leaves = 0;
    for (const TNeighbour& entry : atom->Entries())
      if (entry.Atom != atom && slot[entry.Atom->GetIndex()] < 0)
        leaves += Mix(entry.Atom->EquivalenceKey(), entry.Order * 2u + entry.Aromatic);
    colour[k] = Mix(start, leaves);
  }

  std::size_t classes = DistinctCount(colour.data(), count);
  std::vector<std::uint64_t> large;  // neighbour lists longer than usual
  for (std::size_t round = 0; round < count; ++round) {
    for (std::size_t k = 0; k < count; ++k) {
      const TAtom* atom = nodes[k];
      // Neighbour colours in sorted order, so the entry order does not matter.
      std::array<std::uint64_t, 8> around;
      std::size_t size = 0;
      large.clear();
      for (const TNeighbour& entry : atom->Entries()) {
        const std::int16_t other = slot[entry.Atom->GetIndex()];
        if (entry.Atom == atom || other < 0) continue;  // self entries and leaves are in the start colour
        const std::uint64_t value = Mix(colour[static_cast<std::size_t>(other)], entry.Order * 2u + entry.Aromatic);
        if (size < around.size())
          around[size++] = value;
        else
          large.push_back(value);
      }
      std::uint64_t hash = colour[k];
      if (large.empty()) {
        // Insertion sort: at most eight values.
        for (std::size_t m = 1; m < size; ++m)
          for (std::size_t j = m; j > 0 && around[j - 1] > around[j]; --j) std::swap(around[j - 1], around[j]);
        for (std::size_t m = 0; m < size; ++m) hash = Mix(hash, around[m]);
      } else {
        large.insert(large.end(), around.begin(), around.end());
        std::sort(large.begin(), large.end());
        for (std::uint64_t value : large) hash = Mix(hash, value);
      }
      next[k] = hash;
    }
    std::copy(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(count), colour.begin());
    const std::size_t refined = DistinctCount(colour.data(), count);
    if (refined == classes) break;  // stable: further rounds split nothing
    classes = refined;
  }

  std::sort(colour.begin(), colour.begin() + static_cast<std::ptrdiff_t>(count));
  std::uint64_t hash = Mix(Mix(0x6b6f7276616e65ull, n), folded);
  for (std::size_t k = 0; k < count; ++k) hash = Mix(hash, colour[k]);
  return hash;
}

}  // namespace korvane
