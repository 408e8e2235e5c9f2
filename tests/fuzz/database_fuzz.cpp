// Database files: what reads writes back and reads again to the same items
// (paths with the separator the format stores).

#include <algorithm>
#include <cstdint>
#include <span>

#include "database/mol_db_file.h"
#include "fuzz_check.h"

using namespace korvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TMolDBInfo info;
  if (ParseMolDB(std::span(data, size), info) != kDBFileRead) return 0;
  if (!MolDBLimitProblem(info).empty()) return 0;
  const std::vector<std::uint8_t> written = EncodeMolDB(info);
  TMolDBInfo reread;
  KORVANE_FUZZ_CHECK(ParseMolDB(written, reread) == kDBFileRead);
  // Paths are written with "\\" as they have always been; "/" is read too.
  for (TMolDBRecord& record : info.Records) std::replace(record.MSFile.begin(), record.MSFile.end(), '/', '\\');
  KORVANE_FUZZ_CHECK(reread == info);
  return 0;
}
