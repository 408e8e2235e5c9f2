#pragma once
/// Finds a network's component by its certificate with one hash lookup.
///
/// The index keeps the first component of each certificate: a loaded network
/// may hold one species twice (loading never merges). Components are added
/// by the thread that owns the network; during a generation run the threads
/// that compute steps look products up at the same time (TKnownSpecies), so
/// lookups and additions exclude each other.

#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "reactions/generators.h"

namespace korvane {

class TComponentIndex : public TKnownSpecies {
 public:
  /// The first added component with this certificate, or null.
  TMolecule* Find(std::string_view certificate) const override;
  /// Adds the component unless one with its certificate is held already.
  void Add(TMolecule* component);
  void Clear();

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };

  mutable std::shared_mutex m_mutex;
  std::unordered_map<std::string, TMolecule*, Hash, std::equal_to<>> m_first;
};

}  // namespace korvane
