#pragma once
/// Exit codes, errors and output streams shared by the batch tool's
/// subcommands.

#include <ostream>
#include <stdexcept>
#include <string>

#include "core/result.h"

namespace korvane {

inline constexpr int kExitSuccess = 0;
/// A file, feed or value the tool cannot use; the message names it.
inline constexpr int kExitBadInput = 1;
/// The command line itself is wrong.
inline constexpr int kExitUsage = 2;

/// Bad input: thrown before any output file is touched where the input can
/// be checked first. what() is "<input>: <problem>".
class InputError : public std::runtime_error {
 public:
  InputError(const std::string& input, const std::string& problem)
      : std::runtime_error(Shortened(input) + ": " + problem) {}

  /// A writer's error: a file-system failure names the file in its own
  /// message; any other (a limit of the format) is named after `fileName`.
  static InputError OfWrite(const std::string& fileName, const TError& error) {
    return error.Code == TErrorCode::FileSystem ? InputError(error.Message) : InputError(fileName, error.Message);
  }

 private:
  explicit InputError(const std::string& message) : std::runtime_error(message) {}

  // An input pasted by mistake (a whole file as a SMILES) is named by its
  // beginning, so that the message stays one line.
  static std::string Shortened(const std::string& input) {
    constexpr std::size_t kLongest = 200;
    return input.size() <= kLongest ? input : input.substr(0, kLongest - 3) + "...";
  }
};

/// A combination of options the parser cannot refuse by itself.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Where a subcommand writes: results to `Out`, progress, warnings and
/// summaries that accompany machine-readable output to `Err`.
struct CliStreams {
  std::ostream& Out;
  std::ostream& Err;
};

}  // namespace korvane
