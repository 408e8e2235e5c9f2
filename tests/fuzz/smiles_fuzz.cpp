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
  const auto canonical = CanonicalSmiles(*molecule.value());
  if (!canonical) return 0;  // a species SMILES cannot write (reported, not a fault)
  const auto again = MoleculeFromSmiles(canonical.value());
  KORVANE_FUZZ_CHECK(again.ok());
  KORVANE_FUZZ_CHECK(again.value()->Certificate() == molecule.value()->Certificate());
  const auto rewritten = CanonicalSmiles(*again.value());
  KORVANE_FUZZ_CHECK(rewritten.ok() && rewritten.value() == canonical.value());
  return 0;
}
