#include "database/bundled_database.h"

#include <system_error>

namespace korvane {

std::filesystem::path ShippedFilePath(const std::filesystem::path& programFile, const char* name) {
  const std::filesystem::path prefix = programFile.parent_path().parent_path();
  for (const std::filesystem::path& candidate : {prefix / "share" / "korvane" / name, prefix / "data" / name}) {
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error)) return candidate;
  }
  return {};
}

std::filesystem::path BundledDatabasePath(const std::filesystem::path& programFile) {
  return ShippedFilePath(programFile, kBundledDatabaseFileName);
}

std::filesystem::path UserGuidePath(const std::filesystem::path& programFile) {
  return ShippedFilePath(programFile, kUserGuideFileName);
}

std::filesystem::path RunningProgramFile() {
  std::error_code error;
  std::filesystem::path file = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : file;
}

}  // namespace korvane
