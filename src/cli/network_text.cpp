#include "cli/network_text.h"

#include <map>
#include <unordered_set>

#include "core/atom_types.h"
#include "core/formula.h"
#include "smiles/smiles_writer.h"

namespace korvane {
namespace {

std::string YesNo(bool value) { return value ? "yes" : "no"; }

std::string JoinBytes(const TByteVector& values) {
  std::string text;
  for (std::uint8_t value : values) text += (text.empty() ? "" : " ") + std::to_string(value);
  return text;
}

std::string Side(const TReactionSide& molecules, const TSideCoefficients& coefficients) {
  std::string text;
  for (std::size_t i = 0; i < molecules.size(); ++i) {
    const std::int32_t amount = coefficients[i] < 0 ? -coefficients[i] : coefficients[i];
    text += (i == 0 ? "" : " + ") + std::to_string(amount) + " [" + std::to_string(molecules[i]->ID) + "]";
  }
  return text;
}

}  // namespace

std::string SmilesText(const TMolecule& molecule) {
  const TResult<std::string> smiles = CanonicalSmiles(molecule);
  return smiles ? smiles.value() : "-";
}

std::string StructureDescription(const TMolecule& molecule) {
  const TInvariants& invariants = molecule.Invariants();
  std::string atomsPerType;
  for (std::size_t code = 0; code < invariants.AtomsPerType.size(); ++code)
    if (invariants.AtomsPerType[code] != 0)
      atomsPerType += (atomsPerType.empty() ? "" : ", ") + AtomSymbol(static_cast<std::uint8_t>(code)) +
                      (IsAromaticType(static_cast<std::uint8_t>(code)) ? " (aromatic) " : " ") +
                      std::to_string(invariants.AtomsPerType[code]);
  const TResult<std::string> smiles = CanonicalSmiles(molecule);
  std::string text;
  text += "identification = " + std::to_string(molecule.ID) + "\n";
  text += "formula = " + molecule.Formula() + "\n";
  text += "molecular formula = " + HillFormula(molecule) + "\n";
  text += "smiles = " + (smiles ? smiles.value() : "- (" + smiles.error().Message + ")") + "\n";
  text += "atoms = " + std::to_string(invariants.AtomCount) + "\n";
  text += "atoms per type = " + atomsPerType + "\n";
  text += "radical = " + YesNo(invariants.Radical) + "\n";
  text += "cyclic = " + YesNo(invariants.Cyclic) + "\n";
  text += "aromatic = " + YesNo(molecule.IsAromatic()) + "\n";
  text += "graph score 1 = " + JoinBytes(invariants.GraphScore1) + "\n";
  text += "graph score 2 = " + JoinBytes(invariants.GraphScore2) + "\n";
  text += "molar mass = " + NumberText(molecule.MolarMass()) + " g/mol\n";
  return text;
}

std::string ReactionEquation(const TReaction& reaction) {
  return Side(reaction.Reactants, reaction.ReactantCoefs) + " -> " + Side(reaction.Products, reaction.ProductCoefs);
}

TextTable ComponentTable(const TReactionNetwork& network) {
  TextTable table({"index", "name", "formula", "smiles", "atoms", "flags"});
  table.AlignRight(0);
  table.AlignRight(4);
  // A set, so that the table stays linear in the size of the network even
  // when most components are roots.
  const std::unordered_set<const TMolecule*> roots(network.Roots().begin(), network.Roots().end());
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    const TMolecule& component = *network.Component(i);
    std::string flags;
    auto flag = [&flags](bool set, const char* name) {
      if (set) flags += (flags.empty() ? "" : " ") + std::string(name);
    };
    flag(component.IsRadical(), "radical");
    flag(roots.contains(&component), "root");
    flag(component.Inert, "inert");
    table.AddRow({std::to_string(i), component.Name, HillFormula(component), SmilesText(component),
                  std::to_string(component.AtomCount()), flags});
  }
  return table;
}

TextTable ReactionTable(const TReactionNetwork& network) {
  TextTable table({"index", "class", "equation", "E/(kJ/mol)", "A", "selectivity", "after filter"});
  for (std::size_t column : {0, 3, 4, 5, 6}) table.AlignRight(column);
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
    const TReaction& reaction = *network.Reaction(i);
    table.AddRow({std::to_string(i), ReactionTypeName(reaction.ReactionType), ReactionEquation(reaction),
                  NumberText(reaction.ActEnergy), NumberText(reaction.FreqFactor), NumberText(reaction.Selectivity),
                  NumberText(reaction.SelectivityAfterFilter)});
  }
  return table;
}

std::string PreferencesText(const TNetworkPreferences& preferences) {
  return "T = " + NumberText(preferences.NormTemperature) + " K, E thresholds/(kJ/mol): beta-scission " +
         NumberText(preferences.EThresholdBetaScission) + ", hydrogen transfer " +
         NumberText(preferences.EThresholdHTransfer) + ", allyl isomerisation " +
         NumberText(preferences.EThresholdAllyl) + ", minimum selectivity " +
         NumberText(preferences.MinSelectivity);
}

std::string NetworkSummary(const TReactionNetwork& network) {
  std::map<std::int32_t, std::size_t> perClass = {
      {kBetaScission, 0}, {kHydrogenTransfer, 0}, {kRecombination, 0}, {kAllylIzomeration, 0}};
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) ++perClass[network.Reaction(i)->ReactionType];
  std::string text = "components: " + std::to_string(network.ComponentCount()) + " (" +
                     std::to_string(network.Roots().size()) + " roots)\n";
  text += "reactions: " + std::to_string(network.ReactionCount()) + "\n";
  for (const auto& [code, count] : perClass)
    text += "  " + ReactionTypeName(code) + ": " + std::to_string(count) + "\n";
  return text;
}

}  // namespace korvane
