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
  const auto read = ParseMolStructure(std::span(data, size));
  if (!read) return 0;
  const TMolCharacterisation& structure = read.value();
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
  const auto written = EncodeNetworkFile(network, "");
  KORVANE_FUZZ_CHECK(written.ok());
  TReactionNetwork reread;
  const auto loaded = LoadNetwork(written.value(), reread);
  KORVANE_FUZZ_CHECK(loaded.ok() && loaded->Damage == kNetworkFileRead);
  return 0;
}
