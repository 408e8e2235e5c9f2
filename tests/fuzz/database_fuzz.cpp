// Database files: what reads writes back and reads again to the same items
// (paths with the separator the format stores).

#include <algorithm>
#include <cstdint>
#include <span>

#include "database/mol_db_file.h"
#include "fuzz_check.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto read = ParseMolDB(std::span(data, size));
  if (!read) return 0;
  TMolDBInfo& info = read.value();
  const auto written = EncodeMolDB(info);
  if (!written) return 0;
  const auto reread = ParseMolDB(written.value());
  KORVANE_FUZZ_CHECK(reread.ok());
  // Paths are written with "\\" as they have always been; "/" is read too.
  for (TMolDBRecord& record : info.Records) std::replace(record.MSFile.begin(), record.MSFile.end(), '/', '\\');
  KORVANE_FUZZ_CHECK(reread.value() == info);
  return 0;
}
