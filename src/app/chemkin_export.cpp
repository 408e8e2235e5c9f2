#include "app/chemkin_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

#include "app/chemkin_format.h"
#include "app/chemkin_names.h"
#include "app/chemkin_reactions.h"
#include "app/equation_export.h"
#include "app/export_kinetics.h"
#include "core/file_replace.h"
#include "database/species_thermo.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

// Shortest decimal text of a value, for the header.
std::string Plain(double value) {
  char buffer[64];
  return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string CountOf(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// The network's note, one comment line per line of the note.
std::string NoteLines(const std::string& note) {
  if (note.empty()) return "!   (no note)\n";
  std::string lines;
  std::size_t start = 0;
  while (start <= note.size()) {
    const std::size_t end = std::min(note.find('\n', start), note.size());
    lines += "!   " + OneLineText(note.substr(start, end - start), 200) + "\n";
    start = end + 1;
  }
  return lines;
}

std::string Header(const TReactionNetwork& network, const TChemkinExportOptions& options, double activeRadicals,
                   std::size_t flagged, const std::string& dictionaryFile) {
  const TNetworkPreferences& p = network.GetPreferences();
  std::string text;
  text += "! CHEMKIN-II mechanism of a primary steam cracking reaction network, written by Korvane:\n";
  text += "! " + std::to_string(network.ComponentCount()) + " species, " +
          CountOf(network.ReactionCount(), "irreversible reaction") + ".\n";
  text += "! Network note:\n" + NoteLines(options.NetworkNote);
  text += "! Network preferences: T = " + Plain(p.NormTemperature) + " K; activation energy thresholds: " +
          Plain(p.EThresholdBetaScission) + " kJ/mol beta-scission, " + Plain(p.EThresholdHTransfer) +
          " kJ/mol hydrogen transfer, " + Plain(p.EThresholdAllyl) + " kJ/mol allyl isomerisation; minimum selectivity " +
          Plain(p.MinSelectivity) + ".\n";
  text += "! Kinetic parameters: " +
          (options.ParameterSource.empty() ? std::string("the defaults") : OneLineText(options.ParameterSource, 400)) +
          ".\n";
  text += "! Active radical concentration cActR = " + Plain(activeRadicals) + " mol/m^3, multiplied into A of the " +
          CountOf(flagged, "reaction") + " whose rate carries it.\n";
  text += "! Units: A in cm^3, mol and s; activation energies as E/R in K with R = " + Plain(kExportGasConstant) +
          " J/(mol K),\n";
  text += "!   the gas constant of Korvane's exported equations, so k = A exp(-(E/R)/T) is their k exactly.\n";
  text += "! Rates: k times the concentration of each reactant entry; coefficients are divided by their\n";
  text += "!   greatest common divisor and A multiplied by it; FORD keeps the order where a coefficient differs.\n";
  text += "! Thermodynamic data (source in columns 19-24): JOBACK group contributions for molecules, HBI hydrogen-bond\n";
  text += "!   increments for radicals, LIT literature polynomials for H, H2, HE, N2 and H2O.\n";
  text += "! Species dictionary (name, canonical SMILES, component index, database name): " +
          OneLineText(fs::path(dictionaryFile).filename().string(), 400) + "\n";
  return text;
}

std::string SpeciesSection(const std::vector<std::string>& names) {
  std::string text = "SPECIES\n";
  std::string line;
  for (const std::string& name : names) {
    if (!line.empty() && line.size() + 1 + name.size() > 78) {
      text += line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + name;
  }
  if (!line.empty()) text += line + "\n";
  return text + "END\n";
}

std::string Side(const std::vector<std::pair<std::size_t, int>>& side, const std::vector<std::string>& names) {
  std::string text;
  for (const auto& [j, coefficient] : side)
    text += (text.empty() ? "" : "+") + (coefficient > 1 ? std::to_string(coefficient) : std::string()) + names[j];
  return text;
}

std::string ReactionsSection(const TReactionNetwork& network, const std::vector<TChemkinReaction>& reactions,
                             const std::vector<std::string>& names) {
  std::string text = "REACTIONS  MOLES  KELVINS\n";
  for (std::size_t i = 0; i < reactions.size(); ++i) {
    const TChemkinReaction& r = reactions[i];
    std::string equation = Side(r.Reactants, names) + "=>" + Side(r.Products, names);
    equation.resize(std::max<std::size_t>(equation.size(), 40), ' ');
    text += equation + "  " + ChemkinNumber(r.A) + "  0.0  " + ChemkinNumber(r.ActivationTemperature) + "  ! " +
            std::to_string(i) + " " + ReactionTypeName(network.Reaction(i)->ReactionType) + "\n";
    for (const auto& [j, order] : r.Orders) text += "    FORD /" + names[j] + " " + std::to_string(order) + ".0/\n";
    if (r.Duplicate) text += "    DUPLICATE\n";
  }
  return text + "END\n";
}

std::string Dictionary(const TReactionNetwork& network, const std::vector<std::string>& names,
                       const TSmilesProvider& smiles, const std::string& mechanismFile) {
  const std::vector<TSpeciesRow> rows = SpeciesRows(network, smiles);
  std::size_t smilesWidth = 6;
  for (const TSpeciesRow& row : rows) smilesWidth = std::max(smilesWidth, row.Smiles.size());
  auto line = [&](const std::string& name, const std::string& smilesText, const std::string& index,
                  const std::string& databaseName) {
    std::string text = name;
    text.resize(kChemkinNameLimit + 2, ' ');
    text += smilesText + std::string(smilesWidth + 2 - smilesText.size(), ' ');
    text += std::string(index.size() < 5 ? 5 - index.size() : 0, ' ') + index;
    if (!databaseName.empty()) text += "  " + databaseName;
    return text + "\n";
  };
  std::string text = "! Species dictionary of the CHEMKIN-II mechanism " +
                     OneLineText(fs::path(mechanismFile).filename().string(), 400) + ", written by Korvane.\n";
  text += "! Columns: species name, canonical SMILES (\"-\" where none names the structure), component index in\n";
  text += "! the network, database name where the component has one.\n";
  text += line("!name", "SMILES", "index", "database name");
  for (const TSpeciesRow& row : rows)
    text += line(names[row.Index], row.Smiles, std::to_string(row.Index), OneLineText(row.Name, 200));
  return text;
}

}  // namespace

std::string ChemkinDictionaryFileFor(const std::string& mechanismFile) {
  fs::path path(mechanismFile);
  const std::string stem = path.stem().string();
  return path.replace_filename(stem + "_dictionary.txt").string();
}

TResult<std::string> ChemkinThermoRecords(const TReactionNetwork& network, const std::vector<std::string>& names) {
  std::string text;
  for (std::size_t j = 0; j < network.ComponentCount(); ++j) {
    const TMolecule& component = *network.Component(j);
    // Estimated on a copy: the estimate builds the atoms and matrices, which
    // the copy takes with it, so a large network does not keep them all.
    const auto thermo = EstimateSpeciesThermo(*component.Copy());
    const std::string record = thermo ? ThermoRecord(names[j], ElementComposition(component), thermo.value()) : "";
    if (record.empty())
      return TError{TErrorCode::InvalidInput, "no thermodynamic data for component " + std::to_string(j) + " (" +
                                                  names[j] + "): " +
                                                  (thermo ? "a coefficient is out of range" : thermo.error().Message)};
    text += record;
  }
  return text;
}

TResult<TChemkinTexts> ChemkinTexts(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                    const TChemkinExportOptions& options) {
  const TExportKinetics kinetics = ReactionKinetics(network, parameters.Table, parameters.AlternativeValues);
  std::vector<std::string> missing = kinetics.MissingKeys;
  // The kinetic parameter reader marks a missing radical activity key with -1 too.
  const double activeRadicals = options.ActiveRadicals.value_or(parameters.RadicalActivity.StandardActivity);
  if (!options.ActiveRadicals && activeRadicals == -1.0) missing.emplace_back("StandardActivity");
  if (!missing.empty()) return TError{TErrorCode::KineticParameters, MissingParametersMessage(missing)};
  if (!std::isfinite(activeRadicals) || activeRadicals < 0.0)
    return TError{TErrorCode::KineticParameters,
                  "the concentration of active radicals must be a number of at least 0 mol/m^3, not " +
                      Plain(activeRadicals)};

  const std::vector<std::string> names = ChemkinSpeciesNames(network);
  const auto thermo = ChemkinThermoRecords(network, names);
  const auto reactions = thermo ? ChemkinReactions(network, kinetics.Reactions, activeRadicals)
                                : TResult<std::vector<TChemkinReaction>>(thermo.error());
  if (!reactions) return TError{reactions.error().Code, reactions.error().Message + "; nothing was exported."};

  const std::string dictionaryFile =
      options.DictionaryFile.empty() ? ChemkinDictionaryFileFor(options.MechanismFile) : options.DictionaryFile;
  std::size_t carriers = 0;
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) carriers += network.Reaction(i)->MultiplyByActiveRadicals;

  TChemkinTexts texts;
  texts.Mechanism = Header(network, options, activeRadicals, carriers, dictionaryFile) + "\nELEMENTS\nC H HE N O\nEND\n\n" +
                    SpeciesSection(names) + "\nTHERMO ALL\n   300.000  1000.000  1500.000\n" + thermo.value() +
                    "END\n\n" + ReactionsSection(network, reactions.value(), names);
  texts.Dictionary = Dictionary(network, names, options.Smiles, options.MechanismFile);
  return texts;
}

TResult<TChemkinFiles> ExportChemkin(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                     const TChemkinExportOptions& options) {
  if (options.MechanismFile.empty())
    return TError{TErrorCode::Refused, std::string(kEquationExportMsgNoDestination)};
  TChemkinFiles files{options.MechanismFile, options.DictionaryFile.empty()
                                                 ? ChemkinDictionaryFileFor(options.MechanismFile)
                                                 : options.DictionaryFile};
  const auto texts = ChemkinTexts(network, parameters, options);
  if (!texts) return texts.error();
  const TFileContents contents[] = {{files.MechanismFile, texts->Mechanism}, {files.DictionaryFile, texts->Dictionary}};
  if (const auto written = ReplaceFilesContents(contents); !written)
    return TError{TErrorCode::FileSystem, "Cannot write " + written.error().Message};
  return files;
}

}  // namespace korvane
