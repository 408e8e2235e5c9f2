#pragma once
/// Lookup of equal reactions without scanning: reactions are bucketed by
/// class, activation energy and participants (as sets of objects), and a
/// bucket keeps its reactions in the order they were added, so the first
/// equal reaction found is the first one a scan in that order would find.

#include <cstdint>
#include <unordered_map>
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
  void Clear() { m_buckets.clear(); }

 private:
  static std::uint64_t Key(const TReaction& reaction);
  std::unordered_map<std::uint64_t, std::vector<TReaction*>> m_buckets;
};

}  // namespace korvane
