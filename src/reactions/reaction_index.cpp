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
void MixSide(std::uint64_t& hash, const TMoleculeVector& side) {
  std::array<const TMolecule*, kMaxMatchedSide> sorted{};
  std::copy(side.begin(), side.end(), sorted.begin());
  std::sort(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(side.size()), std::less<>());
  Mix(hash, side.size());
  for (std::size_t k = 0; k < side.size(); ++k) Mix(hash, reinterpret_cast<std::uintptr_t>(sorted[k]));
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

void TReactionIndex::Add(TReaction* reaction) {
  if (Indexable(*reaction)) m_buckets[Key(*reaction)].push_back(reaction);
}

TReaction* TReactionIndex::FindEqual(const TReaction& reaction) const {
  if (!Indexable(reaction)) return nullptr;
  const auto bucket = m_buckets.find(Key(reaction));
  if (bucket == m_buckets.end()) return nullptr;
  for (TReaction* held : bucket->second)
    if (MatchReactions(*held, reaction)) return held;
  return nullptr;
}

}  // namespace korvane
