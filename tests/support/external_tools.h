#pragma once
/// Running the external tools (Free Pascal, gcc, Octave) that compile and
/// run exported code in tests.

#include <cstdio>
#include <string>
#include <utility>

namespace korvane::testing {

/// Runs a shell command with the C locale; the status and the output and errors together.
inline std::pair<int, std::string> RunCommand(const std::string& command) {
  std::string output;
  std::FILE* pipe = ::popen(("LC_ALL=C " + command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return {-1, ""};
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, got);
  return {::pclose(pipe), output};
}

/// Whether the program is on the path.
inline bool HasTool(const std::string& name) { return RunCommand("command -v " + name).first == 0; }

}  // namespace korvane::testing
