#pragma once
/// The kinetic equation exporter: a reaction network written as source code
/// that a simulation program compiles. Up to three routines:
///
/// - KinConstants(T, K): every rate constant at temperature T [K],
///   K[i] = A_i exp(-1000 E_i / (R T)) with E [kJ/mol] and R = 8.314472;
/// - RateConstants(T, c, K, r, cActR): every reaction rate, r[i] = K[i]
///   (times cActR when the reaction is multiplied by the concentration of
///   active radicals) times c[j] for each reactant entry j;
/// - Balance(T, dc, c, cActR, K, r) (Pascal only): dc[j] = sum of the
///   component's coefficients (formed positive, consumed negative) times the
///   rates of their reactions.
///
/// Reaction index i is the position in the network's reactions, component
/// index j the component's ID; Matlab indexes from 1. A and E are the values
/// of the reactions' recipes over the given parameter tables (explicit for
/// class 10), so edited kinetic parameters reach the export without a new
/// generation. After the banner, a table in comments names the species of
/// each concentration index (formula, canonical SMILES, name).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "app/export_control.h"
#include "app/species_table.h"
#include "core/byte_sink.h"
#include "core/result.h"

namespace korvane {

class TReactionNetwork;

/// Target language, by its position in the window's language list.
enum class TExportLanguage : int { Pascal = 0, C = 1, Matlab = 2 };

/// Language list items, in TExportLanguage order.
inline constexpr std::string_view kExportLanguageNames[] = {"Pascal", "ASCI C", "Matlab"};

/// The language at a list position; nullopt for no choice (-1) or anything
/// else out of range.
std::optional<TExportLanguage> ExportLanguageFromIndex(int index);

/// Part set: a combination of the bits below.
using TExportParts = std::uint32_t;
inline constexpr TExportParts kExportKineticConstants = 1;
inline constexpr TExportParts kExportRateEquations = 2;
/// Pascal only.
inline constexpr TExportParts kExportBalance = 4;

/// Part list items, in bit order 1, 2, 4.
inline constexpr std::string_view kExportPartNames[] = {"Kinetic constants", "Rate equations",
                                                        "Balance of infinit. droplet"};

/// The parts a language offers: Pascal all three, C and Matlab no balance.
TExportParts AvailableExportParts(TExportLanguage language);

// Messages and question of the export command.
inline constexpr std::string_view kEquationExportMsgNoDestination = "Select destionation file.";
/// Asked (Yes/No, caption kEquationExportCaptionWarning) when the destination exists.
inline constexpr std::string_view kEquationExportMsgOverwrite =
    "The file, you have selected, just exists. Overwrite it?";
inline constexpr std::string_view kEquationExportCaptionWarning = "WARNING";
inline constexpr std::string_view kEquationExportMsgNoLanguage = "No language was selected.";
inline constexpr std::string_view kEquationExportMsgNoParts = "Select wanted parts of system";
inline constexpr std::string_view kEquationExportMsgFinished = "Exporting finished.";

/// What the user asked for.
struct TEquationExportRequest {
  /// File to write; replaced when it exists.
  std::string Destination;
  std::optional<TExportLanguage> Language;
  /// Bits the language does not offer are ignored.
  TExportParts Parts = 0;
  /// Names the species in the table at the top; without it the SMILES column holds "-".
  TSmilesProvider Smiles;
};

/// Writes the whole exported file to `sink`, line by line as it is made:
/// banner, species table, language preamble, then the parts in the
/// language's order, with CR LF line ends and long Pascal and C lines split.
/// `global` is the kinetic parameter table, `alternative` the alternative
/// parameter values. The network's component IDs must equal their
/// positions. Its records are the species, then the reactions of each
/// reaction part and the components of the balance; Refused with
/// kExportCancelled when stopped (the sink then holds a part only).
TResult<> WriteEquations(const TReactionNetwork& network, TExportLanguage language, TExportParts parts,
                         std::span<const double> global, std::span<const double> alternative,
                         const TSmilesProvider& smiles, TByteSink& sink, const TWorkControl& control = {});

/// The text WriteEquations writes, whole.
std::string EquationText(const TReactionNetwork& network, TExportLanguage language, TExportParts parts,
                         std::span<const double> global, std::span<const double> alternative,
                         const TSmilesProvider& smiles = {});

/// The export command's checks, in this order: destination, language and
/// parts (Refused with the window's texts kEquationExportMsgNoDestination,
/// ...NoLanguage, ...NoParts), then, when the kinetic constants are written,
/// that no recipe names a missing parameter (KineticParameters, the keys
/// named). Cheap enough to run before the export is handed to a worker.
TResult<> CheckEquationExport(const TReactionNetwork& network, const TEquationExportRequest& request,
                              std::span<const double> global, std::span<const double> alternative);

/// The export command after the overwrite question: CheckEquationExport,
/// nothing written when a check fails, then WriteEquations through a
/// temporary file beside the destination that is renamed over it, so a
/// failed export (FileSystem, "Cannot write the file "<file>": <reason>") or
/// a stopped one (Refused, kExportCancelled) leaves an existing file as it
/// was. The window asks the overwrite question before calling this when the
/// destination exists and an empty destination was not already refused.
/// `request.Smiles` is called on the calling thread only.
TResult<> ExportEquations(const TReactionNetwork& network, const TEquationExportRequest& request,
                          std::span<const double> global, std::span<const double> alternative,
                          const TWorkControl& control = {});

}  // namespace korvane
