#pragma once
// Straight-chain alkanes and their networks for the benchmarks, built
// without the test helpers.

#include <map>
#include <memory>

#include "core/molecule.h"
#include "reactions/reaction_network.h"

namespace korvane::bench {

/// The alkane with `carbons` carbons: carbons first along the chain, then
/// the hydrogens grouped by their carbon.
inline std::unique_ptr<TMolecule> Alkane(int carbons) {
  const int n = 3 * carbons + 2;
  TByteMatrix adjacency(n, n, 0);
  TByteVector types(n, kHydrogen);
  int next = carbons;
  for (int c = 0; c < carbons; ++c) {
    types[c] = kCarbon;
    if (c > 0) adjacency[c][c - 1] = adjacency[c - 1][c] = 1;
    const int hydrogens = (c == 0 || c == carbons - 1) ? 3 : 2;
    for (int k = 0; k < hydrogens; ++k, ++next) adjacency[c][next] = adjacency[next][c] = 1;
  }
  return TMolecule::FromStructure(0, adjacency, types, TBoolMatrix(n, n, false));
}

/// The primary network of that alkane at the default preferences,
/// generated on first use and kept: the generation is not what is measured.
inline const TReactionNetwork& AlkaneNetwork(int carbons) {
  static std::map<int, std::unique_ptr<TReactionNetwork>> networks;
  auto& network = networks[carbons];
  if (!network) {
    network = std::make_unique<TReactionNetwork>();
    const auto feed = Alkane(carbons);
    network->AddComponent(feed->AdjacencyMatrix(), feed->AtomTypes(), feed->AromaticMatrix(), true);
    network->Generate();
  }
  return *network;
}

}  // namespace korvane::bench
