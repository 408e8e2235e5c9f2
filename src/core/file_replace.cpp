#include "core/file_replace.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace korvane {
namespace fs = std::filesystem;
namespace {

std::string ErrnoText(int error) { return std::error_code(error, std::generic_category()).message(); }

// Creates a temporary file beside `target` that did not exist before
// (exclusive creation), so an unrelated file is never reused or clobbered.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& temporary, int& error) {
  std::random_device seed;
  std::mt19937 random(seed());
  error = EEXIST;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temporary = target;
    temporary += ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(random() % 1000000u);
    errno = 0;
    if (std::FILE* file = std::fopen(temporary.c_str(), "wbx")) return file;
    error = errno != 0 ? errno : EIO;
    if (error != EEXIST) return nullptr;
  }
  return nullptr;
}

}  // namespace

std::string ReplaceFileContents(const fs::path& path, std::string_view bytes) {
  if (path.empty()) return "no file name";
  fs::path target = path;
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    target = fs::weakly_canonical(target, ec);
    if (ec) return ec.message();
  }
  const fs::file_status status = fs::status(target, ec);
  const bool exists = fs::exists(status);
  if (exists && !fs::is_regular_file(status)) return "not a regular file";

  fs::path temporary;
  int error = 0;
  std::FILE* file = CreateTemporaryBeside(target, temporary, error);
  if (file == nullptr) return ErrnoText(error);

  errno = 0;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  written = written && std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  error = errno;
  if (std::fclose(file) != 0 && written) {
    written = false;
    error = errno;
  }
  std::error_code ignored;
  if (!written) {
    fs::remove(temporary, ignored);
    return ErrnoText(error != 0 ? error : EIO);
  }
  if (exists) fs::permissions(temporary, status.permissions(), fs::perm_options::replace, ignored);
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ignored);
    return ec.message();
  }
  return {};
}

}  // namespace korvane
