#pragma once
/// Lookup of equal reactions without scanning: reactions are bucketed by
/// class, activation energy and participants (as sets of objects), and a
/// bucket keeps its reactions in the order they were added, so the first
/// equal reaction found is the first one a scan in that order would find.
///
/// The buckets are one open-addressed table of (key, reaction) pairs with
/// linear probing, 16 bytes a slot: a network of a million reactions keeps
/// its index in tens of megabytes rather than in a node and a list each.

#include <cstdint>
#include <vector>

#include "reactions/reaction.h"

namespace korvane {

class TReactionIndex {
 public:
  /// Adds a reaction after every reaction added before it. Its class,
  /// activation energy and participants must not change while indexed.
  void Add(TReaction* reaction);
  /// The first added reaction that is the same reaction as `reaction`
  /// (MatchReactions(found, reaction)), or null.
  TReaction* FindEqual(const TReaction& reaction) const;
  void Clear();

 private:
  struct TSlot {
    std::uint64_t Key = 0;
    TReaction* Reaction = nullptr;  // null: empty
  };
  static std::uint64_t Key(const TReaction& reaction);
  void insert(std::vector<TSlot>& slots, const TSlot& slot) const;
  void grow();
  std::vector<TSlot> m_slots;  // a power of two long, never full
  std::size_t m_count = 0;
};

}  // namespace korvane
