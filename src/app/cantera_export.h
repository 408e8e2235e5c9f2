#pragma once
/// The Cantera exporter: a reaction network as one Cantera YAML input file
/// (an ideal-gas phase, its species with NASA-7 thermo, its reactions).
///
/// It states what the CHEMKIN-II export states, from the same routes: the
/// species names (chemkin_names.h), the NASA polynomials with the
/// coefficients exactly as the CHEMKIN thermo records round them, and the
/// reactions as ChemkinReaction converts them: k = A·exp(−Ea/T) with A in
/// cm^3, mol and s, b = 0, Ea the activation temperature in kelvins
/// (`units: {length: cm, quantity: mol, activation-energy: K}`), cActR
/// folded into A, the FORD orders as `orders:`, DUPLICATE as `duplicate:
/// true`, and the reactions whose products equal their reactants left out.

#include <optional>
#include <string>
#include <string_view>

#include "app/export_control.h"
#include "app/species_table.h"
#include "core/result.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// The exporter window's name for this language.
inline constexpr std::string_view kCanteraLanguageName = "Cantera YAML";

struct TCanteraExportOptions {
  /// The YAML file to write.
  std::string File;
  /// Concentration of active radicals cActR [mol/m^3] multiplied into the
  /// reactions that carry it; nullopt for the set's StandardActivity.
  std::optional<double> ActiveRadicals;
  /// The network file's note, quoted in the description.
  std::string NetworkNote;
  /// The kinetic parameter file the set was read from; empty for the defaults.
  std::string ParameterSource;
  /// Workers that estimate the species' thermo, as for the CHEMKIN export.
  unsigned Threads = 2;
};

/// The YAML text, or the errors of ChemkinTexts (KineticParameters,
/// InvalidInput). The network's component IDs must equal their positions.
TResult<std::string> CanteraText(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                 const TCanteraExportOptions& options);

/// The checks that need no species: the file name, the kinetic parameters
/// and cActR.
TResult<> CheckCanteraExport(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                             const TCanteraExportOptions& options);

/// Writes the file as CanteraText makes it, record by record, through a
/// temporary file that replaces the previous one only when complete. The
/// errors of CanteraText; Refused (kEquationExportMsgNoDestination) without
/// a file; Refused (kExportCancelled) when stopped; FileSystem, "Cannot
/// write <file>: <reason>". `control` counts species and reactions.
TResult<> ExportCantera(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                        const TCanteraExportOptions& options, const TWorkControl& control = {});

}  // namespace korvane
