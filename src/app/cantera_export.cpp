#include "app/cantera_export.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <charconv>
#include <optional>
#include <utility>

#include "app/chemkin_format.h"
#include "app/chemkin_names.h"
#include "app/chemkin_reactions.h"
#include "app/equation_export.h"
#include "app/ordered_chunks.h"
#include "core/file_replace.h"
#include "database/species_thermo.h"

namespace korvane {
namespace {

// Shortest text that reads back to the same double; YAML reads it as a float.
std::string Exact(double value) {
  char buffer[64];
  return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string Trimmed(const std::string& field) { return field.substr(field.find_first_not_of(' ')); }

// Cantera spells element symbols with a capital and a small letter.
std::string ElementSymbol(const std::string& chemkin) { return chemkin == "HE" ? "He" : chemkin; }

std::string CountOf(std::size_t count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// One species' record of the `species:` list, made on a worker; empty with
// Failure set when the species has no thermo the format can hold.
struct TCanteraSpecies {
  std::string Yaml;
  std::string Failure;
};

TCanteraSpecies SpeciesYaml(const TReactionNetwork& network, std::size_t j, const std::string& name) {
  const TMolecule& component = *network.Component(j);
  TCanteraSpecies species;
  const auto thermo = SpeciesThermo(*component.Copy());
  auto fail = [&](const std::string& reason) {
    species.Failure = "no thermodynamic data for component " + std::to_string(j) + " (" + name + "): " + reason;
    return species;
  };
  if (!thermo) return fail(thermo.error().Message);
  const TNasaPolynomial& p = thermo.value().Polynomial;
  // The coefficients as the CHEMKIN thermo record rounds them, so that both
  // files state the same polynomial.
  std::vector<std::string> low, high;
  for (std::size_t k = 0; k < 7; ++k) {
    const std::string l = ThermoNumber(p.Low[k]), h = ThermoNumber(p.High[k]);
    if (l.empty() || h.empty()) return fail("a coefficient is out of range");
    low.push_back(Trimmed(l));
    high.push_back(Trimmed(h));
  }
  YAML::Emitter out;
  out << YAML::BeginSeq << YAML::BeginMap;
  out << YAML::Key << "name" << YAML::Value << name;
  out << YAML::Key << "composition" << YAML::Value << YAML::Flow << YAML::BeginMap;
  for (const auto& [element, count] : ElementComposition(component))
    out << YAML::Key << ElementSymbol(element) << YAML::Value << count;
  out << YAML::EndMap;
  out << YAML::Key << "thermo" << YAML::Value << YAML::BeginMap;
  out << YAML::Key << "model" << YAML::Value << "NASA7";
  out << YAML::Key << "temperature-ranges" << YAML::Value << YAML::Flow << YAML::BeginSeq << Exact(p.TLow)
      << Exact(p.TCommon) << Exact(p.THigh) << YAML::EndSeq;
  out << YAML::Key << "data" << YAML::Value << YAML::BeginSeq;
  out << YAML::Flow << low << YAML::Flow << high << YAML::EndSeq;
  out << YAML::Key << "note" << YAML::Value << thermo.value().Source;
  out << YAML::EndMap << YAML::EndMap << YAML::EndSeq;
  species.Yaml = std::string(out.c_str()) + "\n";
  return species;
}

std::string Side(const std::vector<std::pair<std::size_t, int>>& side, const std::vector<std::string>& names) {
  std::string text;
  for (const auto& [j, coefficient] : side) {
    if (!text.empty()) text += " + ";
    if (coefficient > 1) text += std::to_string(coefficient) + " ";
    text += names[j];
  }
  return text;
}

// Writes the file top to bottom. yaml-cpp's emitter holds what it emits
// until the end, so each species and reaction is one small document of its
// own, written as soon as it is made: a network of millions of reactions
// never sits in memory as text.
class CanteraWriter {
 public:
  CanteraWriter(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                const TCanteraExportOptions& options, const TWorkControl& control)
      : m_network(network), m_options(options), m_kinetics(MechanismKinetics(network, parameters, options.ActiveRadicals)),
        m_counter(control, network.ComponentCount() + network.ReactionCount()) {}

  TResult<> check() const { return CheckMechanismKinetics(m_kinetics); }

  TResult<> write(TByteSink& sink) {
    m_names = ChemkinSpeciesNames(m_network);
    std::vector<bool> leftOut(m_network.ReactionCount());
    std::size_t leftOutCount = 0, carriers = 0;
    for (std::size_t i = 0; i < m_network.ReactionCount(); ++i) {
      leftOut[i] = ProductsEqualReactants(*m_network.Reaction(i));
      leftOutCount += leftOut[i];
      carriers += m_network.Reaction(i)->MultiplyByActiveRadicals && !leftOut[i];
    }
    sink.Write(header(m_network.ReactionCount() - leftOutCount, carriers, leftOutCount));

    // The phase lists the elements the species hold, found from their atoms
    // before any thermo is estimated.
    static const char* const kElements[] = {"C", "H", "He", "N", "O"};
    bool elements[5] = {};
    for (std::size_t j = 0; j < m_network.ComponentCount(); ++j)
      for (const auto& [element, count] : ElementComposition(*m_network.Component(j)))
        for (int k = 0; k < 5; ++k) elements[k] |= ElementSymbol(element) == kElements[k];
    std::string phase = "\nphases:\n- name: gas\n  thermo: ideal-gas\n  elements: [";
    bool first = true;
    for (int k = 0; k < 5; ++k)
      if (elements[k]) phase += (std::exchange(first, false) ? "" : ", ") + std::string(kElements[k]);
    phase += "]\n  species: [";
    std::size_t column = phase.size() - phase.rfind('\n');
    for (std::size_t j = 0; j < m_names.size(); ++j) {
      if (j > 0) {
        phase += column + m_names[j].size() > 76 ? ",\n    " : ", ";
        column = phase.size() - phase.rfind('\n');
      }
      phase += m_names[j];
      column += m_names[j].size();
    }
    phase += "]\n  kinetics: gas\n  state: {T: 1000.0, P: 1 atm}\n";
    sink.Write(phase);

    sink.Write("\nspecies:\n");
    std::optional<TError> failure;
    ForEachChunkInOrder<TCanteraSpecies>(
        m_network.ComponentCount(), std::max(m_options.Threads, 1u),
        [this](std::size_t j) { return SpeciesYaml(m_network, j, m_names[j]); },
        [&](std::size_t, std::vector<TCanteraSpecies> records) {
          for (const TCanteraSpecies& record : records) {
            if (!record.Failure.empty()) {
              failure = TError{TErrorCode::InvalidInput, record.Failure + "; nothing was exported."};
              return false;
            }
            sink.Write(record.Yaml);
          }
          if (!m_counter.Step(records.size())) failure = TError{TErrorCode::Refused, kExportCancelled};
          return !failure;
        });
    if (failure) return *failure;

    const std::vector<bool> duplicates = ChemkinDuplicates(m_network);
    sink.Write("\nreactions:\n");
    for (std::size_t i = 0; i < m_network.ReactionCount(); ++i) {
      if (!m_counter.Step()) return TError{TErrorCode::Refused, kExportCancelled};
      if (leftOut[i]) continue;
      const auto converted = ChemkinReaction(m_network, i, m_kinetics.Reactions[i], m_kinetics.ActiveRadicals);
      if (!converted) return TError{converted.error().Code, converted.error().Message + "; nothing was exported."};
      const TChemkinReaction& r = converted.value();
      YAML::Emitter out;
      out << YAML::BeginSeq << YAML::BeginMap;
      out << YAML::Key << "equation" << YAML::Value << Side(r.Reactants, m_names) + " => " + Side(r.Products, m_names);
      out << YAML::Key << "rate-constant" << YAML::Value << YAML::Flow << YAML::BeginMap;
      out << YAML::Key << "A" << YAML::Value << Exact(r.A) << YAML::Key << "b" << YAML::Value << "0.0";
      out << YAML::Key << "Ea" << YAML::Value << Exact(r.ActivationTemperature) << YAML::EndMap;
      // Orders only ever differ for reactants, so no nonreactant-orders flag.
      if (!r.Orders.empty()) {
        out << YAML::Key << "orders" << YAML::Value << YAML::Flow << YAML::BeginMap;
        for (const auto& [j, order] : r.Orders) out << YAML::Key << m_names[j] << YAML::Value << Exact(order);
        out << YAML::EndMap;
      }
      if (duplicates[i]) out << YAML::Key << "duplicate" << YAML::Value << true;
      out << YAML::Key << "note" << YAML::Value
          << std::to_string(i) + " " + ReactionTypeName(m_network.Reaction(i)->ReactionType);
      out << YAML::EndMap << YAML::EndSeq;
      sink.Write(std::string(out.c_str()) + "\n");
    }
    m_counter.Finish();
    return {};
  }

 private:
  std::string header(std::size_t written, std::size_t carriers, std::size_t leftOut) const {
    std::string text = "Cantera input of a primary steam cracking reaction network, written by Korvane: " +
                       std::to_string(m_network.ComponentCount()) + " species, " +
                       CountOf(written, "irreversible reaction") + ".\n";
    text += "Network note: " + (m_options.NetworkNote.empty() ? std::string("(no note)") : m_options.NetworkNote) + "\n";
    text += "Kinetic parameters: " +
            (m_options.ParameterSource.empty() ? std::string("the defaults") : m_options.ParameterSource) + ".\n";
    text += "Active radical concentration cActR = " + Exact(m_kinetics.ActiveRadicals) +
            " mol/m^3, multiplied into A of the " + CountOf(carriers, "reaction") + " whose rate carries it.\n";
    text += "In hydrogen transfers, H stands for the hydrogen atom passed to the pool of active radicals, whose "
            "concentration is that cActR folded into A.\n";
    text += "k = A exp(-Ea/T): A in cm^3, mol and s, Ea as E/R in K with R = " + Exact(kExportGasConstant) +
            " J/(mol K), the gas constant of Korvane's exported equations.\n";
    if (leftOut > 0)
      text += CountOf(leftOut, "reaction") + (leftOut == 1 ? " whose products equal its reactants is" :
                                                              " whose products equal their reactants are") +
              " left out.\n";
    YAML::Emitter out;
    out << YAML::BeginMap;
    out << YAML::Key << "description" << YAML::Value << YAML::Literal << text;
    out << YAML::Key << "generator" << YAML::Value << "Korvane";
    out << YAML::Key << "units" << YAML::Value << YAML::Flow << YAML::BeginMap << YAML::Key << "length"
        << YAML::Value << "cm" << YAML::Key << "quantity" << YAML::Value << "mol" << YAML::Key
        << "activation-energy" << YAML::Value << "K" << YAML::EndMap;
    out << YAML::EndMap;
    return std::string(out.c_str()) + "\n";
  }

  const TReactionNetwork& m_network;
  const TCanteraExportOptions& m_options;
  TMechanismKinetics m_kinetics;
  TWorkCounter m_counter;
  std::vector<std::string> m_names;
};

}  // namespace

TResult<std::string> CanteraText(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                 const TCanteraExportOptions& options) {
  const TWorkControl none;
  CanteraWriter writer(network, parameters, options, none);
  if (const auto checked = writer.check(); !checked) return checked.error();
  TStringSink sink;
  if (const auto written = writer.write(sink); !written) return written.error();
  return std::move(sink.Text());
}

TResult<> CheckCanteraExport(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                             const TCanteraExportOptions& options) {
  if (options.File.empty()) return TError{TErrorCode::Refused, std::string(kEquationExportMsgNoDestination)};
  const TWorkControl none;
  return CanteraWriter(network, parameters, options, none).check();
}

TResult<> ExportCantera(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                        const TCanteraExportOptions& options, const TWorkControl& control) {
  if (options.File.empty()) return TError{TErrorCode::Refused, std::string(kEquationExportMsgNoDestination)};
  CanteraWriter writer(network, parameters, options, control);
  if (const auto checked = writer.check(); !checked) return checked.error();
  if (const auto written = ReplaceFileStreaming(options.File, [&writer](TByteSink& sink) { return writer.write(sink); });
      !written) {
    if (written.error().Code == TErrorCode::FileSystem)
      return TError{TErrorCode::FileSystem, "Cannot write " + options.File + ": " + written.error().Message};
    return written.error();
  }
  return {};
}

}  // namespace korvane
