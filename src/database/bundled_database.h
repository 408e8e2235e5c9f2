#pragma once
/// Where the programs find the files shipped with them: the bundled
/// molecular database and the user guide.

#include <filesystem>

namespace korvane {

/// File name of the bundled database.
inline constexpr const char* kBundledDatabaseFileName = "hydrocarbons.mdb";
/// File name of the user guide (the README).
inline constexpr const char* kUserGuideFileName = "README.md";

/// A shipped file for a program at `programFile`: in an installed tree
/// <prefix>/share/korvane/<name> beside <prefix>/bin, in a build tree
/// <build>/data/<name> beside <build>/bin. Empty when neither exists.
std::filesystem::path ShippedFilePath(const std::filesystem::path& programFile, const char* name);

/// The bundled database for a program at `programFile` (ShippedFilePath).
std::filesystem::path BundledDatabasePath(const std::filesystem::path& programFile);
/// The user guide for a program at `programFile` (ShippedFilePath).
std::filesystem::path UserGuidePath(const std::filesystem::path& programFile);

/// The running program's own file (Linux: /proc/self/exe); empty when the
/// system does not tell.
std::filesystem::path RunningProgramFile();

}  // namespace korvane
