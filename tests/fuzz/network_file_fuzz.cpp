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
  const auto loaded = LoadNetwork(std::span(data, size), network);
  if (!loaded) return 0;
  const TNetworkLoadReport& result = loaded.value();
  KORVANE_FUZZ_CHECK(result.ComponentsRead == network.ComponentCount() || result.Damage != kNetworkFileRead);

  // What was read writes, and what is written reads back to the same bytes.
  const auto written = EncodeNetworkFile(network, result.Note);
  if (!written) return 0;
  TReactionNetwork reread;
  const auto again = LoadNetwork(written.value(), reread);
  KORVANE_FUZZ_CHECK(again.ok() && again->Damage == kNetworkFileRead);
  const auto rewritten = EncodeNetworkFile(reread, result.Note);
  KORVANE_FUZZ_CHECK(rewritten.ok() && rewritten.value() == written.value());

  // A short generation from it.
  network.Relink();
  network.SetThreadCount(1);
  network.SetComponentLimit(network.ComponentCount() + 20);
  network.Generate();
  return 0;
}
