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

#include "app/export_control.h"
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
  /// Names the species in the dictionary; without it the SMILES column holds
  /// "-". Called on the export's workers, at once for different components.
  TSmilesProvider Smiles;
  /// Workers that make the species' rows (thermo record and SMILES), in
  /// order, chunk by chunk; 1 makes them on the calling thread. The files
  /// are the same for every number.
  unsigned Threads = 2;
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

/// Both texts, or the error saying why not, with the input at fault as its
/// code: KineticParameters for a recipe naming a missing kinetic parameter
/// (the keys named) or a missing or negative cActR, InvalidInput for a
/// species without thermodynamic estimate or a reaction the mechanism
/// cannot state. The network's component IDs must equal their positions.
TResult<TChemkinTexts> ChemkinTexts(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                    const TChemkinExportOptions& options);

/// The checks of ExportChemkin that need no species row: the mechanism
/// file, the kinetic parameters and cActR. Cheap enough to run before the
/// export is handed to a worker.
TResult<> CheckChemkinExport(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                             const TChemkinExportOptions& options);

/// Writes both files as ChemkinTexts makes them, record by record (a
/// species' thermo record, a reaction, a dictionary line), each through a
/// temporary file, the two replacing the previous files together; on any
/// failure neither file changes. The errors of ChemkinTexts; Refused
/// (kEquationExportMsgNoDestination) without a mechanism file; Refused
/// (kExportCancelled) when stopped; FileSystem, "Cannot write <file>:
/// <reason>", when a file cannot be written. `control` counts the species
/// twice (mechanism, dictionary) and the reactions once.
TResult<TChemkinFiles> ExportChemkin(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                     const TChemkinExportOptions& options, const TWorkControl& control = {});

}  // namespace korvane
