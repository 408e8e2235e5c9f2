#include "reactions/network_footprint.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/molecule.h"
#include "reactions/reaction.h"

namespace korvane {
namespace {

// A string's characters are on the heap only past its inline buffer.
std::size_t StringHeap(const std::string& text) {
  return text.capacity() > std::string().capacity() ? HeapBlockBytes(text.capacity() + 1) : 0;
}

template <class T>
std::size_t VectorHeap(const std::vector<T>& items) {
  return HeapBlockBytes(items.capacity() * sizeof(T));
}

template <class T, std::size_t N>
std::size_t VectorHeap(const TSmallVector<T, N>& items) {
  return items.spilled() ? HeapBlockBytes(items.capacity() * sizeof(T)) : 0;
}

// A relink sizes every component's links exactly (reaction_links.h).
constexpr std::size_t kLinkEntryBytes = sizeof(TReaction*) + sizeof(std::int32_t);
// A component's links are one block once it holds an entry: a header and,
// on average, half a granule of rounding.
constexpr std::size_t kLinkBlockOverhead = sizeof(std::size_t) + 8;

// The equal-reaction index holds a slot of a key and a pointer per
// reaction in a table between 35 and 70 % full: about two slots each.
constexpr std::size_t kReactionIndexBytes = 2 * (sizeof(std::uint64_t) + sizeof(TReaction*));

}  // namespace

std::size_t HeapBlockBytes(std::size_t bytes) {
  // A chunk of the C library's allocator: an 8-byte header, 16-byte
  // granules, 32 bytes at least.
  if (bytes == 0) return 0;
  return std::max<std::size_t>(32, (bytes + sizeof(std::size_t) + 15) & ~std::size_t{15});
}

std::size_t ComponentFootprint(const TMolecule& component) {
  // The certificate is known for every indexed component: reading it
  // computes nothing. It shares one block with the bonds, the unpaired
  // electrons, the aromatic and the radical atoms (compact_structure.h).
  const std::size_t stored = component.Bonds().size_bytes() + component.UnpairedElectrons().size() +
                             component.AromaticSelfAtoms().size() + component.RadicalAtomIndices().size() +
                             component.Certificate().size();
  const std::size_t bytes = HeapBlockBytes(sizeof(TMolecule)) + VectorHeap(component.AtomTypes()) +
                            HeapBlockBytes(stored) + StringHeap(component.Name);
  return bytes + kLinkBlockOverhead;
}

std::size_t ReactionFootprint(const TReaction& reaction) {
  const std::size_t participants = reaction.Reactants.size() + reaction.Products.size();
  return HeapBlockBytes(sizeof(TReaction)) + VectorHeap(reaction.Reactants) + VectorHeap(reaction.Products) +
         VectorHeap(reaction.ReactantCoefs) + VectorHeap(reaction.ProductCoefs) + StringHeap(reaction.FreqFact2) +
         StringHeap(reaction.ActEnerg2) + participants * kLinkEntryBytes + kReactionIndexBytes + sizeof(void*);
}

}  // namespace korvane
