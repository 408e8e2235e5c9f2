#include "reactions/reaction_index.h"

#include <algorithm>
#include <array>
#include <bit>
#include <functional>

namespace korvane {
namespace {

constexpr std::size_t kMaxMatchedSide = 4;  // larger sides never equal another

void Mix(std::uint64_t& hash, std::uint64_t value) {
  hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
}

// Only sides of at most kMaxMatchedSide participants are indexed, so the
// sorted copy fits on the stack.
void MixSide(std::uint64_t& hash, const TReactionSide& side) {
  std::array<const TMolecule*, kMaxMatchedSide> sorted{};
  std::copy(side.begin(), side.end(), sorted.begin());
  std::sort(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(side.size()), std::less<>());
  Mix(hash, side.size());
  for (std::size_t k = 0; k < side.size(); ++k) Mix(hash, reinterpret_cast<std::uintptr_t>(sorted[k]));
}

// The table's home slot of a key: the key's bits mixed down into the low
// ones the mask keeps (pointers alone vary little there).
std::size_t Home(std::uint64_t key, std::size_t mask) {
  key ^= key >> 33;
  key *= 0xff51afd7ed558ccdull;
  key ^= key >> 33;
  return static_cast<std::size_t>(key) & mask;
}

bool Indexable(const TReaction& reaction) {
  return reaction.Reactants.size() <= kMaxMatchedSide && reaction.Products.size() <= kMaxMatchedSide;
}

}  // namespace

std::uint64_t TReactionIndex::Key(const TReaction& reaction) {
  std::uint64_t hash = static_cast<std::uint64_t>(reaction.ReactionType);
  // Equal reactions have exactly equal energies; -0.0 and 0.0 compare equal
  // but differ in bits, so fold them together.
  const double energy = reaction.ActEnergy == 0.0 ? 0.0 : reaction.ActEnergy;
  Mix(hash, std::bit_cast<std::uint64_t>(energy));
  MixSide(hash, reaction.Reactants);
  MixSide(hash, reaction.Products);
  return hash;
}

// Entries of one key lie along its probe sequence in the order they were
// added (nothing is ever removed), so probing from the key's home finds the
// first added first.
void TReactionIndex::insert(std::vector<TSlot>& slots, const TSlot& slot) const {
  const std::size_t mask = slots.size() - 1;
  std::size_t k = Home(slot.Key, mask);
  while (slots[k].Reaction) k = (k + 1) & mask;
  slots[k] = slot;
}

void TReactionIndex::grow() {
  std::vector<TSlot> slots(m_slots.empty() ? 1024 : 2 * m_slots.size());
  if (!m_slots.empty()) {
    // Moved cluster by cluster from an empty slot on, each cluster in probe
    // order: entries of one key keep their order.
    const std::size_t mask = m_slots.size() - 1;
    std::size_t empty = 0;
    while (m_slots[empty].Reaction) ++empty;
    for (std::size_t step = 1; step <= m_slots.size(); ++step) {
      const TSlot& slot = m_slots[(empty + step) & mask];
      if (slot.Reaction) insert(slots, slot);
    }
  }
  m_slots = std::move(slots);
}

void TReactionIndex::Add(TReaction* reaction) {
  if (!Indexable(*reaction)) return;
  // At most 70 % full, so probe runs stay short.
  if (10 * (m_count + 1) > 7 * m_slots.size()) grow();
  insert(m_slots, {Key(*reaction), reaction});
  ++m_count;
}

TReaction* TReactionIndex::FindEqual(const TReaction& reaction) const {
  if (!Indexable(reaction) || m_slots.empty()) return nullptr;
  const std::uint64_t key = Key(reaction);
  const std::size_t mask = m_slots.size() - 1;
  for (std::size_t k = Home(key, mask); m_slots[k].Reaction; k = (k + 1) & mask)
    if (m_slots[k].Key == key && MatchReactions(*m_slots[k].Reaction, reaction)) return m_slots[k].Reaction;
  return nullptr;
}

void TReactionIndex::Clear() {
  std::vector<TSlot>().swap(m_slots);
  m_count = 0;
}

}  // namespace korvane
