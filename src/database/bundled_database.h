#pragma once
/// Where the programs find the molecular database bundled with them.

#include <filesystem>

namespace korvane {

/// File name of the bundled database.
inline constexpr const char* kBundledDatabaseFileName = "hydrocarbons.mdb";

/// The bundled database for a program at `programFile`: in an installed tree
/// <prefix>/share/korvane/hydrocarbons.mdb beside <prefix>/bin, in a build
/// tree <build>/data/hydrocarbons.mdb beside <build>/bin. Empty when neither
/// exists.
std::filesystem::path BundledDatabasePath(const std::filesystem::path& programFile);

/// The running program's own file (Linux: /proc/self/exe); empty when the
/// system does not tell.
std::filesystem::path RunningProgramFile();

}  // namespace korvane
