#pragma once
/// Paths of a molecular database: the directory of the database file, the
/// structure-file paths its items store relative to that directory, and
/// their conversion to paths of this system.
///
/// Stored paths use "\" as separator, as database files always have; "\"
/// and "/" are both read as separators. A stored path is absolute when it
/// begins with a separator or with a drive ("C:").

#include <string>

namespace korvane {

/// The directory part of a file name, up to and including the last "/", "\"
/// or ":"; empty when there is none.
std::string DirectoryOf(const std::string& fileName);

/// Begins with "/", "\" or a drive letter and ":".
bool IsAbsoluteStoredPath(const std::string& path);

/// The path with every "\" turned into this system's separator.
std::string ToNativeSeparators(const std::string& path);

/// Where the structure file of an item lives: `directory` (as DirectoryOf
/// gives it) followed by the stored path, or the stored path alone when it
/// is absolute; with this system's separators.
std::string StructureFilePath(const std::string& directory, const std::string& msFile);

/// The shortest path from `baseDirectory` to `target`, with "\"
/// separators: common leading directories dropped, one ".." per remaining
/// directory of the base, then the rest of the target. A target on another
/// drive stays absolute. A relative target is taken relative to the base
/// directory, and a relative base relative to the working directory.
/// Directory names compare case-sensitively, as this system's files do.
/// "." and ".." inside either path are resolved by name, without looking at
/// the disk.
std::string ShortestRelativePath(const std::string& baseDirectory, const std::string& target);

/// Folder beside the database file that holds the structure files of the
/// items the programs add.
inline constexpr const char* kStructureFolder = "structures";

/// A file stem made of the characters a file name can always hold: letters,
/// digits and "+-_,"; every other character becomes "_"; "item" for an empty
/// name.
std::string StructureFileStem(const std::string& name);

/// Where a new item named `name` keeps its structure, relative to the
/// database's `directory`: "structures/<stem>.ms", or "<stem>-2.ms",
/// "<stem>-3.ms"... when that file exists, so that no other item's structure
/// file is overwritten.
std::string NewStructureFilePath(const std::string& directory, const std::string& name);

}  // namespace korvane
