#pragma once
/// A network's whole state kept compactly, so that a command can be undone
/// by putting the state back: preferences, every component as its stored
/// structure (bonds, unpaired electrons, aromatic atoms) with its name and
/// certificate, the roots, and every reaction with its participants,
/// coefficients, class, explicit kinetics, recipes, flags and both
/// selectivities. The bytes are compressed with zlib; a component costs
/// about as much as its bonds, not its atoms squared.
///
/// Not a file format: snapshots live in memory only, within one program run.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "reactions/reaction_network.h"

namespace korvane {

class TNetworkSnapshot {
 public:
  TNetworkSnapshot() = default;

  /// The state of `network`, which no other thread may change meanwhile.
  static TNetworkSnapshot Capture(const TReactionNetwork& network);

  /// Makes `network`'s preferences, components, roots and reactions those
  /// captured (new objects; pointers into the previous content end here).
  /// The component limit and thread count stay as they are.
  void Restore(TReactionNetwork& network) const;

  /// Memory the snapshot holds [bytes].
  std::size_t Size() const { return m_compressed.capacity(); }

 private:
  std::vector<std::uint8_t> m_compressed;
  std::size_t m_plainSize = 0;
};

}  // namespace korvane
