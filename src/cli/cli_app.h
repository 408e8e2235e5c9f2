#pragma once
/// The command line of korvane-cli: its subcommands and options, parsed
/// with CLI11, and the dispatch to the subcommands.

#include <ostream>

namespace korvane {

/// Runs korvane-cli with the given arguments; returns the exit code (0
/// success, 1 bad input, 2 usage error). Help goes to `out`, messages to
/// `err`.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace korvane
