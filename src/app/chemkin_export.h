#pragma once
/// The CHEMKIN-II exporter: a reaction network as a mechanism that kinetics
/// solvers read (ELEMENTS, SPECIES, THERMO ALL with a NASA polynomial per
/// species, REACTIONS in cm^3, mol, s and kelvins), and beside it a species
/// dictionary saying which structure each name stands for.
///
/// The reactions carry exactly the kinetics of the Pascal, C and Matlab
/// exports (chemkin_reactions.h); the thermodynamic data come from the
/// species estimates (species_thermo.h); the names are unique and at most
/// 16 characters (chemkin_names.h). Both files are written together or not
/// at all.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/species_table.h"
#include "core/result.h"
#include "reactions/kinetic_parameters.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// The exporter window's name for this language.
inline constexpr std::string_view kChemkinLanguageName = "CHEMKIN-II";

struct TChemkinExportOptions {
  /// The mechanism file to write.
  std::string MechanismFile;
  /// The species dictionary; empty for ChemkinDictionaryFileFor(MechanismFile).
  std::string DictionaryFile;
  /// Concentration of active radicals cActR [mol/m^3] multiplied into the
  /// reactions that carry it; nullopt for the set's StandardActivity.
  std::optional<double> ActiveRadicals;
  /// The network file's note, quoted in the header.
  std::string NetworkNote;
  /// The kinetic parameter file the set was read from; empty when the set
  /// holds the defaults.
  std::string ParameterSource;
  /// Names the species in the dictionary; without it the SMILES column holds "-".
  TSmilesProvider Smiles;
};

struct TChemkinTexts {
  std::string Mechanism;
  std::string Dictionary;
};

/// The files an export wrote.
struct TChemkinFiles {
  std::string MechanismFile;
  std::string DictionaryFile;
};

/// The dictionary beside a mechanism: its name without extension + "_dictionary.txt".
std::string ChemkinDictionaryFileFor(const std::string& mechanismFile);

/// The THERMO ALL records of every component under the given names; an
/// InvalidInput error naming the component when a species has no estimate.
TResult<std::string> ChemkinThermoRecords(const TReactionNetwork& network, const std::vector<std::string>& names);

/// Both texts, or the error saying why not, with the input at fault as its
/// code: KineticParameters for a recipe naming a missing kinetic parameter
/// (the keys named) or a missing or negative cActR, InvalidInput for a
/// species without thermodynamic estimate or a reaction the mechanism
/// cannot state. The network's component IDs must equal their positions.
TResult<TChemkinTexts> ChemkinTexts(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                    const TChemkinExportOptions& options);

/// Writes both files (each replaced through a temporary file, the two
/// together); on any failure neither file changes. The errors of
/// ChemkinTexts; Refused (kEquationExportMsgNoDestination) without a
/// mechanism file; FileSystem, "Cannot write <file>: <reason>", when a file
/// cannot be written.
TResult<TChemkinFiles> ExportChemkin(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                     const TChemkinExportOptions& options);

}  // namespace korvane
