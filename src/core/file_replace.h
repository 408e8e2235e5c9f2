#pragma once
/// Replacing a file's contents safely: the bytes go to a new temporary file
/// beside the target, which is then renamed over it, so a failure at any
/// point leaves the previous file (or no file) exactly as it was. Every
/// writer of the project saves through this.

#include <filesystem>
#include <string>
#include <string_view>

namespace korvane {

/// Writes `bytes` as the new contents of `path`. A symbolic link is written
/// through (the file it points to is replaced); an existing file keeps its
/// permissions; a target that exists but is not a regular file is refused.
/// Returns an empty string on success, else the reason (the target is then
/// untouched and no temporary file is left).
std::string ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

}  // namespace korvane
