// Structure files as feeds: a structure the reader and the feed check
// accept generates a network that can be written.

#include <cstdint>
#include <span>

#include "app/network_file.h"
#include "database/mol_structure_file.h"
#include "fuzz_check.h"
#include "reactions/feed_check.h"
#include "reactions/reaction_network.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMolCharacterisation structure;
  if (ParseMolStructure(std::span(data, size), structure) != kStructureFileRead) return 0;
  auto molecule = TMolecule::FromStructure(structure.Identification, structure.AdjacencyMatrix, structure.AtomTypes,
                                           structure.AromaticMatrix);
  if (!molecule || !FeedProblem(*molecule).empty()) return 0;

  TReactionNetwork network;
  if (network.FindComponent(*molecule) >= 0) return 0;
  KORVANE_FUZZ_CHECK(network.AddComponent(structure.AdjacencyMatrix, structure.AtomTypes, structure.AromaticMatrix,
                                          true) != nullptr);
  network.SetThreadCount(1);
  network.SetComponentLimit(network.ComponentCount() + 40);
  network.Generate();
  KORVANE_FUZZ_CHECK(NetworkFileLimitProblem(network, "").empty());
  const std::vector<std::uint8_t> written = EncodeNetworkFile(network, "");  // throws if it cannot be written
  TReactionNetwork reread;
  KORVANE_FUZZ_CHECK(LoadNetwork(written, reread).Damage == kNetworkFileRead);
  return 0;
}
