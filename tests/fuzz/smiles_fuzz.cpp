// SMILES: a molecule read writes as a canonical SMILES that reads back to
// the same species and writes to the same text.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "smiles/smiles_reader.h"
#include "smiles/smiles_writer.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto molecule = MoleculeFromSmiles(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!molecule) return 0;
  const std::optional<std::string> canonical = CanonicalSmiles(*molecule);
  if (!canonical) return 0;  // a species SMILES cannot write (reported, not a fault)
  const auto again = MoleculeFromSmiles(*canonical);
  KORVANE_FUZZ_CHECK(again != nullptr);
  KORVANE_FUZZ_CHECK(again->Certificate() == molecule->Certificate());
  KORVANE_FUZZ_CHECK(CanonicalSmiles(*again) == canonical);
  return 0;
}
