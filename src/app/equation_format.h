#pragma once
/// Text rules of the exported kinetic equations: the number format, the
/// splitting of long lines and the CR LF line ends.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_sink.h"

namespace korvane {

/// Lines of this many characters or more are split.
inline constexpr std::size_t kEquationLineLimit = 1024;
/// First position (counted from 1) at which a long line may be split.
inline constexpr std::size_t kEquationSplitFrom = 900;

/// Scientific notation with 16 significant digits, always with ".": an
/// optional "-", one digit, ".", 15 digits, "E", the exponent's sign and its
/// digits without leading zeros (8.314472 -> "8.314472000000000E+0", 2.5e13 ->
/// "2.500000000000000E+13"). Independent of the process locale.
std::string FormatEquationNumber(double value);

/// Splits a line of kEquationLineLimit characters or more before the first
/// "+" or "-" at a position from 900 to 1024 (counted from 1) that does not
/// follow an "E", so an exponent keeps its sign; the rest is split again the
/// same way. A line with no such position is kept whole.
std::vector<std::string> SplitEquationLine(std::string_view line);

/// Writes the line followed by CR LF; a long line is split first (each
/// piece followed by CR LF) when `split` is set.
void WriteEquationLine(TByteSink& sink, std::string_view line, bool split);

/// The lines joined as WriteEquationLine writes them.
std::string JoinEquationLines(const std::vector<std::string>& lines, bool split);

}  // namespace korvane
