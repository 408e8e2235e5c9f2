#include "database/bundled_database.h"

#include <system_error>

namespace korvane {

std::filesystem::path BundledDatabasePath(const std::filesystem::path& programFile) {
  const std::filesystem::path prefix = programFile.parent_path().parent_path();
  for (const std::filesystem::path& candidate :
       {prefix / "share" / "korvane" / kBundledDatabaseFileName, prefix / "data" / kBundledDatabaseFileName}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

std::filesystem::path RunningProgramFile() {
  std::error_code error;
  std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : file;
}

}  // namespace korvane
