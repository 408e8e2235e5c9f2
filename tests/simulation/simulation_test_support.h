#pragma once
// Networks shared by the simulation tests: generated alkane networks, kept
// once made, and small hand-made networks with closed-form solutions.

#include <map>
#include <memory>

#include "../app/add_reaction.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/reaction_network.h"

namespace korvane::testing {

/// The generated network of the straight-chain alkane, made on first use.
inline const TReactionNetwork& AlkaneNetwork(int carbons) {
  static std::map<int, std::unique_ptr<TReactionNetwork>> networks;
  auto& network = networks[carbons];
  if (!network) {
    network = std::make_unique<TReactionNetwork>();
    AddFeed(*network, LinearAlkane(carbons));
    network->Generate();
  }
  return *network;
}

/// Component index of a molecule added to the network (not a root).
inline int AddSpecies(TReactionNetwork& network, const std::string& description) {
  const auto molecule = MoleculeFrom(description);
  return network.AddComponent(molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix(), false)
      ->ID;
}

inline constexpr const char* kPentane = "C C C C C; 0-1 1-2 2-3 3-4";
inline constexpr const char* kIsopentane = "C C C C C; 0-1 1-2 2-3 1-4";
inline constexpr const char* kNeopentane = "C C C C C; 0-1 0-2 0-3 0-4";

}  // namespace korvane::testing
