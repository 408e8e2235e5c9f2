#include "app/chemkin_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <optional>

#include "app/chemkin_format.h"
#include "app/chemkin_names.h"
#include "app/chemkin_reactions.h"
#include "app/equation_export.h"
#include "app/export_kinetics.h"
#include "app/ordered_chunks.h"
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
                   std::size_t written, std::size_t flagged, const std::string& dictionaryFile) {
  const TNetworkPreferences& p = network.GetPreferences();
  std::string text;
  text += "! CHEMKIN-II mechanism of a primary steam cracking reaction network, written by Korvane:\n";
  text += "! " + std::to_string(network.ComponentCount()) + " species, " +
          CountOf(written, "irreversible reaction") + ".\n";
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
  text += "!   In hydrogen transfers, H stands for the hydrogen atom passed to the pool of active radicals,\n";
  text += "!   whose concentration is that cActR folded into A.\n";
  text += "! Units: A in cm^3, mol and s; activation energies as E/R in K with R = " + Plain(kExportGasConstant) +
          " J/(mol K),\n";
  text += "!   the gas constant of Korvane's exported equations, so k = A exp(-(E/R)/T) is their k exactly.\n";
  text += "! Rates: k times the concentration of each reactant entry; coefficients are divided by their\n";
  text += "!   greatest common divisor and A multiplied by it; FORD keeps the order where a coefficient differs.\n";
  text += "! Thermodynamic data (source in columns 19-24): GRI30 GRI-Mech 3.0 and NASA (NASA TM-4513)\n";
  text += "!   polynomials for small hydrocarbons and H, H2; BENSON group additivity for other molecules,\n";
  text += "!   HBI hydrogen-bond increments for other radicals; LIT literature polynomials for HE, N2, H2O.\n";
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

void AppendSide(std::string& text, const std::vector<std::pair<std::size_t, int>>& side,
                const std::vector<std::string>& names) {
  for (std::size_t k = 0; k < side.size(); ++k) {
    if (k > 0) text += '+';
    if (side[k].second > 1) text += std::to_string(side[k].second);
    text += names[side[k].first];
  }
}

// What the mechanism says about one species and what the dictionary needs
// of it, made on a worker: its thermo record (empty with Failure set when
// it has none) and its SMILES.
struct TSpeciesRecord {
  std::string Thermo;
  std::string Smiles;
  std::string Failure;
};

TSpeciesRecord SpeciesRecord(const TReactionNetwork& network, std::size_t j, const std::string& name,
                             const TSmilesProvider& smiles) {
  const TMolecule& component = *network.Component(j);
  TSpeciesRecord record;
  // Looked up and estimated on a copy: the certificate and the estimate
  // build the atoms and matrices, which the copy takes with it, so a large
  // network does not keep them all and workers never build them on a
  // component they share.
  const auto thermo = SpeciesThermo(*component.Copy());
  if (thermo) record.Thermo = ThermoRecord(name, ElementComposition(component), thermo.value());
  if (record.Thermo.empty())
    record.Failure = "no thermodynamic data for component " + std::to_string(j) + " (" + name +
                     "): " + (thermo ? "a coefficient is out of range" : thermo.error().Message);
  record.Smiles = "-";
  if (smiles)
    if (auto named = smiles(component)) record.Smiles = std::move(named.value());
  return record;
}

// The export in the order its files are written: everything small is
// prepared first, the species' rows are made while the mechanism is
// written, and the dictionary is written from what they left.
class ChemkinWriter {
 public:
  ChemkinWriter(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                const TChemkinExportOptions& options, const TWorkControl& control)
      : m_network(network), m_options(options),
        m_counter(control, 2 * network.ComponentCount() + network.ReactionCount()) {
    TMechanismKinetics kinetics = MechanismKinetics(network, parameters, options.ActiveRadicals);
    m_kinetics = std::move(kinetics.Reactions);
    m_activeRadicals = kinetics.ActiveRadicals;
    m_missing = std::move(kinetics.MissingKeys);
  }

  /// The checks that need no species row.
  TResult<> check() const { return CheckMechanismKinetics({{}, m_activeRadicals, m_missing}); }

  TResult<> mechanism(TByteSink& sink) {
    m_names = ChemkinSpeciesNames(m_network);
    std::size_t carriers = 0;
    m_leftOut.assign(m_network.ReactionCount(), false);
    for (std::size_t i = 0; i < m_network.ReactionCount(); ++i) {
      const TReaction& reaction = *m_network.Reaction(i);
      m_leftOut[i] = ProductsEqualReactants(reaction);
      m_leftOutCount += m_leftOut[i];
      carriers += reaction.MultiplyByActiveRadicals && !m_leftOut[i];
    }
    const std::string dictionaryFile = m_options.DictionaryFile.empty()
                                           ? ChemkinDictionaryFileFor(m_options.MechanismFile)
                                           : m_options.DictionaryFile;
    sink.Write(Header(m_network, m_options, m_activeRadicals, m_network.ReactionCount() - m_leftOutCount, carriers,
                      dictionaryFile));
    sink.Write("\nELEMENTS\nC H HE N O\nEND\n\n");
    sink.Write(SpeciesSection(m_names));
    sink.Write("\nTHERMO ALL\n   298.150  1000.000  3000.000\n");
    if (auto thermo = thermoRecords(sink); !thermo) return thermo;
    sink.Write("END\n\n");
    return reactions(sink);
  }

  TResult<> dictionary(TByteSink& sink) {
    const std::size_t count = m_network.ComponentCount();
    std::size_t smilesWidth = 6;
    for (std::size_t j = 0; j < count; ++j) smilesWidth = std::max(smilesWidth, smiles(j).size());
    std::string text;
    auto line = [&](std::string_view name, std::string_view smilesText, const std::string& index,
                    const std::string& databaseName) {
      text = name;
      text.resize(kChemkinNameLimit + 2, ' ');
      text += smilesText;
      text.append(smilesWidth + 2 - smilesText.size(), ' ');
      text.append(index.size() < 5 ? 5 - index.size() : 0, ' ');
      text += index;
      if (!databaseName.empty()) text += "  " + databaseName;
      text += '\n';
      sink.Write(text);
    };
    sink.Write("! Species dictionary of the CHEMKIN-II mechanism " +
               OneLineText(fs::path(m_options.MechanismFile).filename().string(), 400) + ", written by Korvane.\n");
    sink.Write(
        "! Columns: species name, canonical SMILES (\"-\" where none names the structure), component index in\n");
    sink.Write("! the network, database name where the component has one.\n");
    line("!name", "SMILES", "index", "database name");
    for (std::size_t j = 0; j < count; ++j) {
      if (!m_counter.Step()) return cancelled();
      const std::string& name = m_network.Component(j)->Name;
      line(m_names[j], smiles(j), std::to_string(j), name == "Noname" ? std::string() : OneLineText(name, 200));
    }
    m_counter.Finish();
    return {};
  }

 private:
  static TError cancelled() { return {TErrorCode::Refused, kExportCancelled}; }

  std::string_view smiles(std::size_t j) const {
    const std::size_t begin = j == 0 ? 0 : m_smilesEnd[j - 1];
    return std::string_view(m_smilesText).substr(begin, m_smilesEnd[j] - begin);
  }

  // The species' rows, made on the workers chunk by chunk and written in
  // order; their SMILES stay, packed in one text, for the dictionary.
  TResult<> thermoRecords(TByteSink& sink) {
    const std::size_t count = m_network.ComponentCount();
    m_smilesEnd.reserve(count);
    std::optional<TError> failure;
    ForEachChunkInOrder<TSpeciesRecord>(
        count, std::max(m_options.Threads, 1u),
        [this](std::size_t j) { return SpeciesRecord(m_network, j, m_names[j], m_options.Smiles); },
        [&](std::size_t, std::vector<TSpeciesRecord> records) {
          for (const TSpeciesRecord& record : records) {
            if (!record.Failure.empty()) {
              failure = TError{TErrorCode::InvalidInput, record.Failure + "; nothing was exported."};
              return false;
            }
            sink.Write(record.Thermo);
            m_smilesText += record.Smiles;
            m_smilesEnd.push_back(m_smilesText.size());
          }
          if (!m_counter.Step(records.size())) failure = cancelled();
          return !failure;
        });
    if (failure) return *failure;
    return {};
  }

  // A reaction's lines, or why it cannot be written.
  struct TReactionRecord {
    std::string Text;
    std::optional<TError> Failure;
  };

  TReactionRecord reactionRecord(std::size_t i, const std::vector<bool>& duplicates) const {
    TReactionRecord record;
    if (m_leftOut[i]) return record;
    const auto converted = ChemkinReaction(m_network, i, m_kinetics[i], m_activeRadicals);
    if (!converted) {
      record.Failure = TError{converted.error().Code, converted.error().Message + "; nothing was exported."};
      return record;
    }
    const TChemkinReaction& r = converted.value();
    std::string equation;
    AppendSide(equation, r.Reactants, m_names);
    equation += "=>";
    AppendSide(equation, r.Products, m_names);
    record.Text = ChemkinReactionLine(equation, r.A, r.ActivationTemperature) + "  ! " + std::to_string(i) + " " +
                  ReactionTypeName(m_network.Reaction(i)->ReactionType) + "\n";
    for (const auto& [j, order] : r.Orders)
      record.Text += "    FORD /" + m_names[j] + " " + std::to_string(order) + ".0/\n";
    if (duplicates[i]) record.Text += "    DUPLICATE\n";
    return record;
  }

  // The reactions' lines, made on the workers chunk by chunk like the
  // species' rows (they only read the network) and written in order.
  TResult<> reactions(TByteSink& sink) {
    const std::vector<bool> duplicates = ChemkinDuplicates(m_network);
    sink.Write("REACTIONS  MOLES  KELVINS\n");
    if (m_leftOutCount > 0)
      sink.Write("! " + std::to_string(m_leftOutCount) +
                 (m_leftOutCount == 1 ? " reaction whose products equal its reactants is left out\n"
                                      : " reactions whose products equal their reactants are left out\n"));
    std::optional<TError> failure;
    ForEachChunkInOrder<TReactionRecord>(
        m_network.ReactionCount(), std::max(m_options.Threads, 1u),
        [this, &duplicates](std::size_t i) { return reactionRecord(i, duplicates); },
        [&](std::size_t, std::vector<TReactionRecord> records) {
          for (const TReactionRecord& record : records) {
            if (record.Failure) {
              failure = record.Failure;
              return false;
            }
            sink.Write(record.Text);
          }
          if (!m_counter.Step(records.size())) failure = cancelled();
          return !failure;
        });
    if (failure) return *failure;
    sink.Write("END\n");
    return {};
  }

  const TReactionNetwork& m_network;
  const TChemkinExportOptions& m_options;
  TWorkCounter m_counter;
  std::vector<TReactionKinetics> m_kinetics;
  std::vector<std::string> m_missing;
  double m_activeRadicals = 0.0;
  std::vector<std::string> m_names;
  // Reactions whose products equal their reactants, which the mechanism leaves out.
  std::vector<bool> m_leftOut;
  std::size_t m_leftOutCount = 0;
  std::string m_smilesText;
  std::vector<std::size_t> m_smilesEnd;
};

}  // namespace

std::string ChemkinDictionaryFileFor(const std::string& mechanismFile) {
  fs::path path(mechanismFile);
  const std::string stem = path.stem().string();
  return path.replace_filename(stem + "_dictionary.txt").string();
}

TResult<TChemkinTexts> ChemkinTexts(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                    const TChemkinExportOptions& options) {
  const TWorkControl none;
  ChemkinWriter writer(network, parameters, options, none);
  if (const auto checked = writer.check(); !checked) return checked.error();
  TStringSink mechanism, dictionary;
  if (const auto written = writer.mechanism(mechanism); !written) return written.error();
  if (const auto written = writer.dictionary(dictionary); !written) return written.error();
  return TChemkinTexts{std::move(mechanism.Text()), std::move(dictionary.Text())};
}

TResult<TChemkinFiles> ExportChemkin(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                     const TChemkinExportOptions& options, const TWorkControl& control) {
  if (options.MechanismFile.empty())
    return TError{TErrorCode::Refused, std::string(kEquationExportMsgNoDestination)};
  TChemkinFiles files{options.MechanismFile, options.DictionaryFile.empty()
                                                 ? ChemkinDictionaryFileFor(options.MechanismFile)
                                                 : options.DictionaryFile};
  ChemkinWriter writer(network, parameters, options, control);
  if (const auto checked = writer.check(); !checked) return checked.error();
  const TFileProducer producers[] = {
      {files.MechanismFile, [&writer](TByteSink& sink) { return writer.mechanism(sink); }},
      {files.DictionaryFile, [&writer](TByteSink& sink) { return writer.dictionary(sink); }}};
  if (const auto written = ReplaceFilesStreaming(producers); !written) {
    if (written.error().Code == TErrorCode::FileSystem)
      return TError{TErrorCode::FileSystem, "Cannot write " + written.error().Message};
    return written.error();
  }
  return files;
}

TResult<> CheckChemkinExport(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                             const TChemkinExportOptions& options) {
  if (options.MechanismFile.empty())
    return TError{TErrorCode::Refused, std::string(kEquationExportMsgNoDestination)};
  const TWorkControl none;
  return ChemkinWriter(network, parameters, options, none).check();
}

}  // namespace korvane
