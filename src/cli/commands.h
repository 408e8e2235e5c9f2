#pragma once
/// The subcommands of korvane-cli, each with its options. A subcommand
/// returns its exit code; bad input is thrown as InputError, a wrong
/// combination of options as UsageError, and both are checked before any
/// output file is written.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "database/equation_of_state.h"
#include "reactions/reaction_network.h"
#include "simulation/simulation_settings.h"

namespace korvane {

struct GenerateOptions {
  /// ".ms" paths, "smiles:SMILES" or "db:NAME"; added as roots in order.
  std::vector<std::string> Feeds;
  TNetworkPreferences Preferences;
  std::optional<std::string> KineticParameterFile;
  std::optional<std::string> Database;
  /// Network file to write.
  std::optional<std::string> Output;
  std::string Note;
  /// The network JSON goes to the output stream; the summary to the error stream.
  bool Json = false;
  /// Redraw the progress line in place (the error stream is a terminal).
  bool ProgressInPlace = false;
  /// The network's component limit; none: no limit. Reaching it is an error
  /// unless KeepPartial.
  std::optional<std::size_t> ComponentLimit;
  /// The network's memory limit [MiB], from 1 to the physical memory; none:
  /// the network's default, half the physical memory. Reaching it is an
  /// error unless KeepPartial.
  std::optional<std::size_t> MemoryLimitMiB;
  /// Write the network that reached a limit as it is.
  bool KeepPartial = false;
  /// Threads that compute generation steps; the network does not depend on it.
  unsigned Threads = TReactionNetwork::DefaultThreadCount();
};
/// Why `mebibytes` cannot be the memory limit of a run on a machine of
/// `physicalMemory` bytes (0: unknown): 0, or more than the physical memory.
/// Empty when it can.
std::string MemoryLimitProblem(std::size_t mebibytes, std::uint64_t physicalMemory);
/// Generates the network of the feeds on a worker thread, reporting
/// progress every 250 ms, then prints the summary and writes the outputs.
int RunGenerate(const GenerateOptions& options, const CliStreams& streams);

struct ShowOptions {
  std::string Network;
  bool Json = false;
  /// For the exported values in the JSON.
  std::optional<std::string> KineticParameterFile;
};
/// Note, preferences, component and reaction tables of a network file.
int RunShow(const ShowOptions& options, const CliStreams& streams);

struct ExportEquationsOptions {
  std::string Network;
  /// "pascal", "c" or "matlab".
  std::string Language;
  /// "constants", "rates", "balance"; empty means every part the language offers.
  std::vector<std::string> Parts;
  std::string Output;
  std::optional<std::string> KineticParameterFile;
};
int RunExportEquations(const ExportEquationsOptions& options, const CliStreams& streams);

struct ExportChemkinOptions {
  std::string Network;
  /// The mechanism file.
  std::string Output;
  /// The species dictionary; default beside the mechanism.
  std::optional<std::string> Dictionary;
  /// cActR [mol/m^3]; default the kinetic parameter set's StandardActivity.
  std::optional<double> ActiveRadicals;
  std::optional<std::string> KineticParameterFile;
};
/// Writes the network as a CHEMKIN-II mechanism with its species dictionary.
int RunExportChemkin(const ExportChemkinOptions& options, const CliStreams& streams);

struct ExportCanteraOptions {
  std::string Network;
  /// The YAML file.
  std::string Output;
  /// cActR [mol/m^3]; default the kinetic parameter set's StandardActivity.
  std::optional<double> ActiveRadicals;
  std::optional<std::string> KineticParameterFile;
};
/// Writes the network as a Cantera YAML input file.
int RunExportCantera(const ExportCanteraOptions& options, const CliStreams& streams);

struct ExportGraphOptions {
  std::string Network;
  std::string Output;
  bool WithoutHydrogen = false;
  /// Also render the graph to a PNG picture with Graphviz.
  bool Png = false;
};
int RunExportGraph(const ExportGraphOptions& options, const CliStreams& streams);

struct SimulateOptions {
  std::string Network;
  /// "batch" or "plug-flow".
  std::string Reactor = "plug-flow";
  /// Constant temperature [K]; default the network's normalised temperature.
  std::optional<double> Temperature;
  /// CSV of position [m] and temperature [K].
  std::optional<std::string> Profile;
  double Pressure = TSimulationSettings{}.Pressure;
  double PressureDrop = 0.0;
  double SteamRatio = TSimulationSettings{}.SteamRatio;
  std::optional<double> Time;
  std::optional<double> Length;
  std::optional<double> Velocity;
  int Points = TSimulationSettings{}.Points;
  double RelativeTolerance = TSimulationSettings{}.RelativeTolerance;
  double AbsoluteTolerance = TSimulationSettings{}.AbsoluteTolerance;
  /// cActR [mol/m3]; default the kinetic parameter set's StandardActivity.
  std::optional<double> ActiveRadicals;
  /// Mole fractions of the feeds, in the network's feed order.
  std::vector<double> FeedFractions;
  /// A component index, name or SMILES.
  std::optional<std::string> Rop;
  std::size_t RopTop = TSimulationSettings{}.RopTop;
  bool Sensitivity = false;
  /// The yields table (CSV); the mol %, rate-of-production and sensitivity
  /// tables go beside it as <stem>_mol.csv, <stem>_rop.csv, <stem>_sensitivity.csv.
  std::optional<std::string> Output;
  /// The results as one JSON object to the output stream; the summary to the error stream.
  bool Json = false;
  std::optional<std::string> KineticParameterFile;
};
/// Simulates a network file's reactor and reports yields, lumps,
/// conversion, balances and, when asked, rate of production and sensitivity.
int RunSimulate(const SimulateOptions& options, const CliStreams& streams);

struct FuseOptions {
  std::string Destination;
  std::vector<std::string> Sources;
  std::string Output;
};
int RunFuse(const FuseOptions& options, const CliStreams& streams);

struct StructureOptions {
  /// A SMILES when writing, a structure file when describing.
  std::string Input;
  std::optional<std::string> Output;
  std::int32_t Identification = 0;
};
/// Writes a SMILES as a structure file, or describes a structure file.
int RunStructure(const StructureOptions& options, const CliStreams& streams);

struct PropertiesOptions {
  std::string Feed;
  std::optional<std::string> Database;
  TStateModel Model = TStateModel::kIdeal;
  std::optional<double> Temperature;
  std::optional<double> Pressure;
  std::optional<double> MolarVolume;
};
/// The estimated properties of a feed and, given two of T, p and Vm, the
/// third from the equation of state.
int RunProperties(const PropertiesOptions& options, const CliStreams& streams);

enum class DbAction { List, Search, Add, Find, Import };

struct DbOptions {
  DbAction Action = DbAction::List;
  std::string Database;
  /// The search text, the feed (add, find) or the source list (import).
  std::string Argument;
  /// add: the name shown (first synonym); import: the database name.
  std::string Name;
  /// add: further synonyms separated by ";".
  std::string Synonyms;
  /// import: the database note.
  std::string Note;
  /// import: replace an existing database and its structure files.
  bool Replace = false;
};
int RunDb(const DbOptions& options, const CliStreams& streams);

}  // namespace korvane
