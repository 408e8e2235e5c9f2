#include "database/db_paths.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <vector>

namespace korvane {
namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

bool HasDrive(const std::string& path) {
  return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

struct PathParts {
  std::string Root;  // "" relative, "/" rooted, "C:/" or "C:" with a drive
  std::vector<std::string> Names;
};

PathParts Split(const std::string& path) {
  PathParts parts;
  std::size_t position = 0;
  if (HasDrive(path)) {
    parts.Root = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])))) + ":";
    position = 2;
  }
  if (position < path.size() && IsSeparator(path[position])) parts.Root += "/";
  while (position < path.size()) {
    while (position < path.size() && IsSeparator(path[position])) ++position;
    const auto from = path.begin() + static_cast<std::ptrdiff_t>(position);
    const auto end = static_cast<std::size_t>(std::find_if(from, path.end(), IsSeparator) - path.begin());
    const std::string name = path.substr(position, end - position);
    position = end;
    if (name.empty() || name == ".") continue;
    if (name == ".." && !parts.Names.empty() && parts.Names.back() != "..") {
      parts.Names.pop_back();
    } else if (name == ".." && !parts.Root.empty()) {
      // Above the root there is nothing; the root stays.
    } else {
      parts.Names.push_back(name);
    }
  }
  return parts;
}

std::string Absolute(const std::string& path) {
  if (IsAbsoluteStoredPath(path)) return path;
  const std::string current = std::filesystem::current_path().generic_string();
  return path.empty() ? current : current + "/" + path;
}

std::string JoinStored(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) {
    if (!joined.empty()) joined += '\\';
    joined += name;
  }
  return joined;
}

}  // namespace

std::string DirectoryOf(const std::string& fileName) {
  const std::size_t last = fileName.find_last_of("/\\:");
  return last == std::string::npos ? std::string() : fileName.substr(0, last + 1);
}

bool IsAbsoluteStoredPath(const std::string& path) {
  return (!path.empty() && IsSeparator(path[0])) || HasDrive(path);
}

std::string ToNativeSeparators(const std::string& path) {
  std::string native = path;
  if constexpr (std::filesystem::path::preferred_separator == '/')
    std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

std::string StructureFilePath(const std::string& directory, const std::string& msFile) {
  return ToNativeSeparators(IsAbsoluteStoredPath(msFile) ? msFile : directory + msFile);
}

std::string ShortestRelativePath(const std::string& baseDirectory, const std::string& target) {
  const std::string base = Absolute(baseDirectory);
  const PathParts from = Split(base);
  const PathParts to = Split(IsAbsoluteStoredPath(target) ? target : base + "/" + target);
  if (from.Root != to.Root) {
    std::string root = to.Root;
    std::replace(root.begin(), root.end(), '/', '\\');
    return root + JoinStored(to.Names);
  }
  std::size_t common = 0;
  while (common < from.Names.size() && common < to.Names.size() && from.Names[common] == to.Names[common]) ++common;
  std::vector<std::string> names(from.Names.size() - common, "..");
  names.insert(names.end(), to.Names.begin() + static_cast<std::ptrdiff_t>(common), to.Names.end());
  return JoinStored(names);
}

std::string StructureFileStem(const std::string& name) {
  std::string stem;
  for (unsigned char c : name)
    stem += std::isalnum(c) || std::string_view("+-_,").find(static_cast<char>(c)) != std::string_view::npos
                ? static_cast<char>(c)
                : '_';
  return stem.empty() ? "item" : stem;
}

std::string NewStructureFilePath(const std::string& directory, const std::string& name) {
  const std::string stem = std::string(kStructureFolder) + "/" + StructureFileStem(name);
  const std::filesystem::path base = ToNativeSeparators(directory.empty() ? "./" : directory);
  std::string path = stem + ".ms";
  std::error_code error;
  for (int n = 2; std::filesystem::exists(base / path, error); ++n) path = stem + "-" + std::to_string(n) + ".ms";
  return path;
}

}  // namespace korvane
