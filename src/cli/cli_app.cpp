#include "cli/cli_app.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

#include "cli/commands.h"
#include "core/physical_memory.h"
#include "reactions/network_preferences.h"

namespace korvane {
namespace {

using Command = std::function<int(const CliStreams&)>;

const std::map<std::string, TStateModel> kModels = {
    {"ideal", TStateModel::kIdeal}, {"rk", TStateModel::kRedlichKwong}, {"srk", TStateModel::kSoaveRedlichKwong}};

// A finite number above 0 (or at least 0); CLI11's own range checks quote
// the largest double in their messages.
CLI::Validator FiniteNumber(bool allowZero) {
  const std::string description = allowZero ? "NONNEGATIVE" : "POSITIVE";
  return CLI::Validator(
      [allowZero](std::string& text) -> std::string {
        double value = 0.0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        const bool number = error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
        if (number && (value > 0.0 || (allowZero && value == 0.0))) return {};
        return text + " is not a " + (allowZero ? "non-negative" : "positive") + " number";
      },
      description);
}

// A value for one of the five network preferences, in the range the
// network accepts; the message names the option.
CLI::Validator PreferenceValue(TPreference preference) {
  return CLI::Validator(
      [preference](std::string& text) -> std::string {
        double value = 0.0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) return text + " is not a number";
        const std::string problem = PreferenceValueProblem(preference, value);
        return problem.empty() ? problem : "the " + PreferenceName(preference) + " " + problem;
      },
      "NUMBER");
}

// A memory limit in whole MiB, from 1 to the machine's physical memory; the
// message names the option.
CLI::Validator MemoryLimitValue(std::uint64_t physicalMemory) {
  return CLI::Validator(
      [physicalMemory](std::string& text) -> std::string {
        std::size_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size()) return text + " is not a whole number of MiB";
        return MemoryLimitProblem(value, physicalMemory);
      },
      "MIB");
}

// Each subcommand fills its options struct while parsing and leaves the
// command to run once parsing succeeded.
struct Commands {
  GenerateOptions generate;
  ShowOptions show;
  ExportEquationsOptions equations;
  ExportChemkinOptions chemkin;
  ExportCanteraOptions cantera;
  ExportGraphOptions graph;
  FuseOptions fuse;
  SimulateOptions simulate;
  StructureOptions structure;
  std::optional<std::int32_t> structureId;
  PropertiesOptions properties;
  std::string model = "ideal";
  DbOptions db;
  Command selected;
};

void AddGenerate(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("generate", "Generate the reaction network of the feeds");
  GenerateOptions& o = c.generate;
  sub->add_option("FEED", o.Feeds, "A .ms file, smiles:SMILES or db:NAME (an item's synonym in --db or the bundled database)")
      ->required();
  sub->add_option("-T,--T,--temperature", o.Preferences.NormTemperature, "Normalised temperature [K], 200 to 5000")
      ->check(PreferenceValue(TPreference::NormTemperature))
      ->capture_default_str();
  sub->add_option("--e-beta", o.Preferences.EThresholdBetaScission,
                  "Highest activation energy of a beta-scission [kJ/mol]")
      ->check(PreferenceValue(TPreference::EThresholdBetaScission))
      ->capture_default_str();
  sub->add_option("--e-htransfer", o.Preferences.EThresholdHTransfer,
                  "Highest activation energy of a hydrogen transfer [kJ/mol]")
      ->check(PreferenceValue(TPreference::EThresholdHTransfer))
      ->capture_default_str();
  sub->add_option("--e-allyl", o.Preferences.EThresholdAllyl,
                  "Highest activation energy of an allyl isomerisation [kJ/mol]")
      ->check(PreferenceValue(TPreference::EThresholdAllyl))
      ->capture_default_str();
  sub->add_option("--min-selectivity", o.Preferences.MinSelectivity, "Minimum selectivity of a reaction step, 0 to 1")
      ->check(PreferenceValue(TPreference::MinSelectivity))
      ->capture_default_str();
  sub->add_option("--kinpar", o.KineticParameterFile,
                  "Kinetic parameter file to check (generation itself uses the explicit parameters of each "
                  "reaction class; the file's values enter the exported equations)");
  sub->add_option("--db", o.Database, "Molecular database (.mdb) for db: feeds; also names the components");
  sub->add_option("-o,--output", o.Output, "Reaction network file (.rnw) to write");
  sub->add_option("--note", o.Note, "Note stored in the network file");
  sub->add_flag("--json", o.Json, "Write the network as JSON to stdout (the summary goes to stderr)");
  sub->add_option("--max-components", o.ComponentLimit,
                  "Stop once the network holds more components than this; an incomplete network is an error "
                  "unless --keep-partial (default: no limit)")
      ->check(CLI::PositiveNumber);
  const std::uint64_t physicalMemory = PhysicalMemoryBytes();
  auto* memory = sub->add_option("--max-memory", o.MemoryLimitMiB,
                                 "Stop once the network's estimated memory passes this many MiB, at most the "
                                 "physical memory; an incomplete network is an error unless --keep-partial "
                                 "(default: half the physical memory)")
                     ->check(MemoryLimitValue(physicalMemory));
  if (physicalMemory != 0) memory->default_str(std::to_string(DefaultMemoryLimit(physicalMemory) / kMiB));
  sub->add_flag("--keep-partial", o.KeepPartial,
                "Keep and write a network stopped by --max-components or --max-memory (a warning instead of an "
                "error)");
  sub->add_option("--threads", o.Threads,
                  "Threads that compute the generation steps, 1 to 1024 (the network is the same for any count; "
                  "default: every core)")
      ->check(CLI::Range(1u, 1024u))
      ->capture_default_str();
  sub->callback([&c] {
    c.generate.ProgressInPlace = isatty(STDERR_FILENO) != 0;
    c.selected = [&c](const CliStreams& s) { return RunGenerate(c.generate, s); };
  });
}

void AddShow(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("show", "Show the components and reactions of a network file");
  sub->add_option("NET", c.show.Network, "Reaction network file (.rnw)")->required();
  sub->add_flag("--json", c.show.Json, "Write the network as JSON");
  sub->add_option("--kinpar", c.show.KineticParameterFile,
                  "Kinetic parameter file for the exported values in the JSON (default: ./kinpar.ini when it "
                  "exists, else the default parameters)");
  sub->callback([&c] { c.selected = [&c](const CliStreams& s) { return RunShow(c.show, s); }; });
}

void AddExportEquations(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("export-equations", "Export the kinetic equations of a network as source code");
  ExportEquationsOptions& o = c.equations;
  sub->add_option("NET", o.Network, "Reaction network file (.rnw)")->required();
  sub->add_option("--language", o.Language, "Target language")
      ->required()
      ->check(CLI::IsMember({"pascal", "c", "matlab"}));
  sub->add_option("--parts", o.Parts,
                  "Comma-separated parts: constants, rates, balance (Pascal only); default: all the language offers")
      ->delimiter(',')
      ->check(CLI::IsMember({"constants", "rates", "balance"}));
  sub->add_option("-o,--output", o.Output, "File to write")->required();
  sub->add_option("--kinpar", o.KineticParameterFile,
                  "Kinetic parameter file (default: ./kinpar.ini when it exists, else the default parameters)");
  sub->callback([&c] { c.selected = [&c](const CliStreams& s) { return RunExportEquations(c.equations, s); }; });
}

// The options the two mechanism exports share.
void AddMechanismOptions(CLI::App& sub, std::optional<double>& activeRadicals,
                         std::optional<std::string>& kineticParameterFile) {
  sub.add_option("--active-radicals", activeRadicals,
                 "Concentration of active radicals cActR [mol/m3] multiplied into the reactions that carry it "
                 "(default: StandardActivity of the kinetic parameters)")
      ->check(FiniteNumber(true));
  sub.add_option("--kinpar", kineticParameterFile,
                 "Kinetic parameter file (default: ./kinpar.ini when it exists, else the default parameters)");
}

void AddExportChemkin(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand(
      "export-chemkin", "Export a network as a CHEMKIN-II mechanism with thermodynamic data and a species dictionary");
  ExportChemkinOptions& o = c.chemkin;
  sub->add_option("NET", o.Network, "Reaction network file (.rnw)")->required();
  sub->add_option("-o,--output", o.Output, "Mechanism file to write")->required();
  sub->add_option("--dictionary", o.Dictionary,
                  "Species dictionary to write (default: beside the mechanism, <name>_dictionary.txt)");
  AddMechanismOptions(*sub, o.ActiveRadicals, o.KineticParameterFile);
  sub->callback([&c] { c.selected = [&c](const CliStreams& s) { return RunExportChemkin(c.chemkin, s); }; });
}

void AddExportCantera(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("export-cantera",
                                 "Export a network as a Cantera YAML input file with thermodynamic data");
  ExportCanteraOptions& o = c.cantera;
  sub->add_option("NET", o.Network, "Reaction network file (.rnw)")->required();
  sub->add_option("-o,--output", o.Output, "YAML file to write")->required();
  AddMechanismOptions(*sub, o.ActiveRadicals, o.KineticParameterFile);
  sub->callback([&c] { c.selected = [&c](const CliStreams& s) { return RunExportCantera(c.cantera, s); }; });
}

void AddExportGraph(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("export-graph", "Export a network as a Graphviz graph with molecule pictures");
  ExportGraphOptions& o = c.graph;
  sub->add_option("NET", o.Network, "Reaction network file (.rnw)")->required();
  sub->add_option("-o,--output", o.Output, "Graph file (.dot); the pictures pict_<i>.png go beside it")->required();
  sub->add_flag("--without-hydrogen", o.WithoutHydrogen, "Leave the hydrogen radical out of the graph");
  sub->add_flag("--png", o.Png, "Also render the graph to a .png beside it with Graphviz dot");
  sub->callback([&c] { c.selected = [&c](const CliStreams& s) { return RunExportGraph(c.graph, s); }; });
}

void AddSimulate(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("simulate", "Simulate a network in a batch or plug-flow reactor: yields, lumps, "
                                             "conversion, balances, rate of production and sensitivity");
  SimulateOptions& o = c.simulate;
  sub->add_option("NET", o.Network, "Reaction network file (.rnw)")->required();
  sub->add_option("--reactor", o.Reactor,
                  "batch (isothermal, constant volume) or plug-flow (isobaric fluid element, ideal gas)")
      ->check(CLI::IsMember({"batch", "plug-flow"}))
      ->capture_default_str();
  auto* temperature = sub->add_option("-T,--T,--temperature", o.Temperature,
                                      "Constant temperature [K], 200 to 3000 (default: the network's normalised "
                                      "temperature)");
  sub->add_option("--profile", o.Profile,
                  "Temperature profile: CSV of position [m] and temperature [K], linear between points "
                  "(needs --velocity)")
      ->excludes(temperature);
  sub->add_option("--pressure", o.Pressure, "Inlet pressure [Pa]")->check(FiniteNumber(false))->capture_default_str();
  sub->add_option("--pressure-drop", o.PressureDrop, "Pressure lost over the length, linear [Pa] (needs --length)")
      ->check(FiniteNumber(true));
  sub->add_option("--steam-ratio", o.SteamRatio, "Steam dilution [kg steam / kg hydrocarbon]")
      ->check(FiniteNumber(true))
      ->capture_default_str();
  auto* time = sub->add_option("--time", o.Time, "Residence time [s]");
  sub->add_option("--length", o.Length, "Reactor length [m] (plug flow; needs --velocity)")->excludes(time);
  sub->add_option("--velocity", o.Velocity, "Inlet gas velocity [m/s] (plug flow)");
  sub->add_option("--points", o.Points, "Reported points, equally spaced from the inlet to the end")
      ->capture_default_str();
  sub->add_option("--rtol", o.RelativeTolerance, "Relative tolerance of the integration")
      ->check(FiniteNumber(false))
      ->capture_default_str();
  sub->add_option("--atol", o.AbsoluteTolerance, "Absolute tolerance [mol per m3 of inlet gas]")
      ->check(FiniteNumber(false))
      ->capture_default_str();
  sub->add_option("--feed-fractions", o.FeedFractions,
                  "Mole fractions of the feeds in the network's feed order (default: equal)")
      ->delimiter(',');
  sub->add_option("--rop", o.Rop, "Rate of production of a species: component index, name or SMILES");
  sub->add_option("--rop-top", o.RopTop, "Reactions listed for formation and for consumption")->capture_default_str();
  sub->add_flag("--sensitivity", o.Sensitivity,
                "Sensitivity of the lumps to the global kinetic parameters (CVODES forward sensitivities)");
  sub->add_option("-o,--output", o.Output,
                  "Yields table (CSV); <stem>_mol.csv, <stem>_rop.csv and <stem>_sensitivity.csv go beside it");
  sub->add_flag("--json", o.Json, "Write the results as JSON to stdout (the summary goes to stderr)");
  AddMechanismOptions(*sub, o.ActiveRadicals, o.KineticParameterFile);
  sub->callback([&c] { c.selected = [&c](const CliStreams& s) { return RunSimulate(c.simulate, s); }; });
}

void AddFuse(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("fuse", "Add the components and reactions of networks to another network");
  FuseOptions& o = c.fuse;
  sub->add_option("DEST", o.Destination, "Destination network file (.rnw); it is not changed")->required();
  sub->add_option("SRC", o.Sources, "Source network files (.rnw)")->required();
  sub->add_option("-o,--output", o.Output, "Network file (.rnw) to write the fused network to")->required();
  sub->callback([&c] { c.selected = [&c](const CliStreams& s) { return RunFuse(c.fuse, s); }; });
}

void AddStructure(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand(
      "structure", "Write a SMILES as a structure file (with -o), or describe a structure file (without -o)");
  sub->add_option("INPUT", c.structure.Input, "A SMILES (with -o) or a .ms file")->required();
  auto* output = sub->add_option("-o,--output", c.structure.Output, "Structure file (.ms) to write");
  sub->add_option("--id", c.structureId, "Identification stored in the structure file (default 0)")->needs(output);
  sub->callback([&c] {
    c.structure.Identification = c.structureId.value_or(0);
    c.selected = [&c](const CliStreams& s) { return RunStructure(c.structure, s); };
  });
}

void AddProperties(CLI::App& app, Commands& c) {
  auto* sub = app.add_subcommand("properties", "Estimated properties of a species and its equation of state");
  PropertiesOptions& o = c.properties;
  sub->add_option("FEED", o.Feed, "A .ms file, smiles:SMILES or db:NAME (an item's synonym in --db or the bundled database)")->required();
  sub->add_option("--db", o.Database, "Molecular database (.mdb) for a db: feed");
  sub->add_option("--model", c.model, "Equation of state: ideal, rk (Redlich-Kwong), srk (Soave-Redlich-Kwong)")
      ->check(CLI::IsMember({"ideal", "rk", "srk"}))
      ->capture_default_str();
  sub->add_option("-T,--T,--temperature", o.Temperature, "Temperature [K]")->check(FiniteNumber(false));
  sub->add_option("--p", o.Pressure, "Pressure [Pa]")->check(FiniteNumber(false));
  sub->add_option("--Vm", o.MolarVolume, "Molar volume [m3/mol]")->check(FiniteNumber(false));
  sub->callback([&c] {
    c.properties.Model = kModels.at(c.model);
    c.selected = [&c](const CliStreams& s) { return RunProperties(c.properties, s); };
  });
}

void AddDb(CLI::App& app, Commands& c) {
  auto* db = app.add_subcommand("db", "Molecular database files (.mdb)");
  db->require_subcommand(1);
  DbOptions& o = c.db;
  auto action = [&c](CLI::App* sub, DbAction what) {
    sub->add_option("--db", c.db.Database, "Molecular database file (.mdb)")->required();
    sub->callback([&c, what] {
      c.db.Action = what;
      c.selected = [&c](const CliStreams& s) { return RunDb(c.db, s); };
    });
  };
  action(db->add_subcommand("list", "List the items of a database"), DbAction::List);

  auto* search = db->add_subcommand("search", "Items whose names contain TEXT (a+b: both fragments)");
  search->add_option("TEXT", o.Argument, "Name fragment, case-sensitive")->required();
  action(search, DbAction::Search);

  auto* add = db->add_subcommand("add", "Store a structure in the database (creates the database when missing)");
  add->add_option("FEED", o.Argument, "A .ms file, smiles:SMILES or db:NAME")->required();
  add->add_option("--name", o.Name, "Name shown for the item (its first synonym)")->required();
  add->add_option("--synonyms", o.Synonyms, "Further names, separated by \";\"");
  action(add, DbAction::Add);

  auto* find = db->add_subcommand("find", "Items whose structure is identical to FEED");
  find->add_option("FEED", o.Argument, "A .ms file, smiles:SMILES or db:NAME")->required();
  action(find, DbAction::Find);

  auto* import = db->add_subcommand("import", "Build a database from a source list (stem SMILES formula synonyms)");
  import->add_option("LIST", o.Argument, "Source list, such as data/hydrocarbons.txt")->required();
  import->add_option("--name", o.Name, "Database name (default: the list's file stem)");
  import->add_option("--note", o.Note, "Database note");
  import->add_flag("--replace", o.Replace, "Replace an existing database and its structure files");
  action(import, DbAction::Import);
}

}  // namespace

int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  CLI::App app("korvane-cli: generates, shows and exports networks of primary free-radical reactions of "
               "hydrocarbon steam cracking, and keeps molecular databases.",
               "korvane-cli");
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("korvane-cli ") + KORVANE_VERSION);
  Commands commands;
  AddGenerate(app, commands);
  AddShow(app, commands);
  AddExportEquations(app, commands);
  AddExportChemkin(app, commands);
  AddExportCantera(app, commands);
  AddExportGraph(app, commands);
  AddSimulate(app, commands);
  AddFuse(app, commands);
  AddStructure(app, commands);
  AddProperties(app, commands);
  AddDb(app, commands);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e, out, err);
  } catch (const CLI::ParseError& e) {
    err << "korvane-cli: " << e.what() << "\nRun with --help for more information.\n";
    return kExitUsage;
  }

  const CliStreams streams{out, err};
  try {
    return commands.selected(streams);
  } catch (const UsageError& e) {
    err << "korvane-cli: " << e.what() << '\n';
    return kExitUsage;
  } catch (const InputError& e) {
    err << "korvane-cli: " << e.what() << '\n';
  } catch (const std::filesystem::filesystem_error& e) {
    // The tool's own file operations (folders, paths) beside the domain's results.
    err << "korvane-cli: " << e.path1().string() << ": " << e.code().message() << '\n';
  }
  return kExitBadInput;
}

}  // namespace korvane
