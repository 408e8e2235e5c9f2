#pragma once
/// The kinetic parameter file (kinpar.ini): INI text with the sections
/// GENERAL (FileType, FileVersion), DATA (the 28 table keys), RADACT_METHOD1
/// (the five radical activity constants) and ALT_PARAMS (Param_i and
/// Param_inote for i = 0..255). Section and key names match without regard to
/// letter case.
///
/// Numbers are written in the general format with at most 15 significant
/// digits and the user's decimal separator; either "," or "." reads back, so
/// a file written under any locale loads under any other.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "reactions/kinetic_parameters.h"

namespace korvane {

inline constexpr std::string_view kKinparFileType = "KineticParametersFile";
inline constexpr std::string_view kKinparFileVersion = "1.01a";

/// Damage flag set of a read; 0 means the file was complete.
using TKinparDamage = std::uint16_t;
/// GENERAL/FileType is not "KineticParametersFile".
inline constexpr TKinparDamage kKinparDamageHeader = 1;
/// GENERAL/FileVersion is not "1.01a".
inline constexpr TKinparDamage kKinparDamageVersion = 2;
/// At least one DATA item is missing or unreadable (stored as -1).
inline constexpr TKinparDamage kKinparDamageMissingItems = 16;
/// A RADACT_METHOD1 item is missing, or ALT_PARAMS is incomplete; in the
/// latter case it is the whole flag set.
inline constexpr TKinparDamage kKinparDamageRadActOrAltParams = 32;

inline constexpr std::string_view kKinparMsgHeaderUnknown =
    "Kinetic parameters file is propably damaged. Header is unknown";
inline constexpr std::string_view kKinparMsgVersionUnknown =
    "Kinetic parameters file is propably damaged. Version is unknown";
inline constexpr std::string_view kKinparMsgItemsMissing =
    "Kinetic parameters file is propably damaged. One or more items is missed.";
/// Flag 32 at start-up.
inline constexpr std::string_view kKinparMsgRadActOrAltDamaged =
    "Radical activity model method1 parameters or alternative parameters are propably damaged.";
/// Flag 32 on a reload from the settings window.
inline constexpr std::string_view kKinparMsgRadActDamaged =
    "Radical activity model method1 parameters are rpopably damaged.";
/// Start-up without a kinetic parameter file: the defaults stay.
inline constexpr std::string_view kKinparMsgFileDoesNotExist =
    "Kinetic parameters file does not exist. Values was set to default";

enum class TKinparMessageContext { StartUp, Reload };

/// One message per damage flag, in the order 1, 2, 16, 32; each is shown as
/// its own modal message.
std::vector<std::string_view> KinparDamageMessages(TKinparDamage damage, TKinparMessageContext context);

/// What a read of a kinetic parameter file found.
struct TKinparReadReport {
  /// The damage flags; 0 when the file was complete.
  TKinparDamage Damage = 0;
};

/// Reads a kinetic parameter file into the four destinations and reports
/// its damage flags. Never fails: a damaged file yields what it holds.
/// Rules:
/// - FileType other than "KineticParametersFile" sets 1, FileVersion other
///   than "1.01a" adds 2;
/// - each DATA key is stored at its index, -1 when missing, empty or not a
///   number; the first -1 adds 16;
/// - the five RADACT_METHOD1 values are stored likewise; any -1 adds 32;
/// - for i = 0..255, Param_i (a number, 0 when unreadable) and then
///   Param_inote (text) are stored; the first absent key replaces the flag
///   set by exactly 32 and stops, leaving the later entries as they were.
/// A file that does not exist or cannot be read reads as one without keys.
TKinparReadReport ReadKineticParameterFile(const std::string& fileName, TKineticParameterTable& table,
                                           TRadicalActivity& radicalActivity, TAlternativeValues& alternativeValues,
                                           TAlternativeNotes& alternativeNotes);
/// The same into the parts of `set` (its FileName is not used).
TKinparReadReport ReadKineticParameterFile(const std::string& fileName, TKineticParameterSet& set);

/// Writes every item of the four sources, in the order GENERAL, DATA,
/// RADACT_METHOD1, ALT_PARAMS (Param_i then Param_inote for each i), with
/// `decimalSeparator` ("," or "."; anything else writes "."). An existing
/// file is parsed as the reader parses it and written back with its other
/// keys and their comments: a key already present keeps its place and
/// spelling and gets the new value (once, however often it was there), a
/// missing key goes to the end of its section. Lines the reader skips are
/// not kept; lines end with "\n"; a UTF-8 byte order mark stays. A note is
/// one line of text: line breaks are written as spaces, and spaces at
/// either end do not survive reading. The new text goes to a temporary file
/// beside the target that is then renamed over it, so a failed write leaves
/// the old file untouched; the error (FileSystem) reads "Cannot write the
/// kinetic parameters file "<file>": <reason>".
TResult<> WriteKineticParameterFile(const std::string& fileName, const TKineticParameterTable& table,
                                    const TRadicalActivity& radicalActivity,
                                    const TAlternativeValues& alternativeValues,
                                    const TAlternativeNotes& alternativeNotes, char decimalSeparator);
/// The same from the parts of `set` (its FileName is not used).
TResult<> WriteKineticParameterFile(const std::string& fileName, const TKineticParameterSet& set,
                                    char decimalSeparator);

/// Decimal separator of the user's locale (the environment's, not the
/// process's global one): "," or "."; "." when the locale is unknown or uses
/// another character.
char UserDecimalSeparator();

/// General format with at most 15 significant digits, as short as possible:
/// fixed notation for 1e-5 <= |value| < 1e15, otherwise "d.dddE[-]x"
/// (6.159e-08 -> "6,159E-8" with a comma, 2e13 -> "20000000000000").
std::string FormatKinparNumber(double value, char decimalSeparator);

/// Parses a number written with "," or "." as the decimal separator,
/// independently of any locale; nullopt for anything else (empty text, two
/// separators, trailing characters, infinity, NaN, out of range).
std::optional<double> ParseKinparNumber(std::string_view text);

}  // namespace korvane
