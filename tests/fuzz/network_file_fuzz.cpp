// Network files: whatever the reader accepts is a consistent network that
// writes back, relinks and generates.

#include <cstdint>
#include <span>

#include "app/network_file.h"
#include "fuzz_check.h"
#include "reactions/reaction_network.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TReactionNetwork network;
  const TNetworkLoadResult result = LoadNetwork(std::span(data, size), network);
  if (!result.PreambleRead) return 0;
  KORVANE_FUZZ_CHECK(result.ComponentsRead == network.ComponentCount() || result.Damage != kNetworkFileRead);

  // What was read writes, and what is written reads back to the same bytes.
  if (!NetworkFileLimitProblem(network, result.Note).empty()) return 0;
  const std::vector<std::uint8_t> written = EncodeNetworkFile(network, result.Note);
  TReactionNetwork reread;
  KORVANE_FUZZ_CHECK(LoadNetwork(written, reread).Damage == kNetworkFileRead);
  KORVANE_FUZZ_CHECK(EncodeNetworkFile(reread, result.Note) == written);

  // A short generation from it.
  network.Relink();
  network.SetThreadCount(1);
  network.SetComponentLimit(network.ComponentCount() + 20);
  network.Generate();
  return 0;
}
