#include "app/chemkin_names.h"

#include <unordered_map>

#include "core/formula.h"
#include "database/species_thermo.h"

namespace korvane {
namespace {

std::string BaseName(const TMolecule& component) {
  if (const auto species = LiteratureSpeciesOf(component)) {
    switch (*species) {
      case TLiteratureSpecies::HydrogenAtom: return "H";
      case TLiteratureSpecies::Hydrogen: return "H2";
      case TLiteratureSpecies::Helium: return "HE";
      case TLiteratureSpecies::Nitrogen: return "N2";
      case TLiteratureSpecies::Water: return "H2O";
    }
  }
  return HillFormula(component);
}

}  // namespace

std::vector<std::string> ChemkinSpeciesNames(const TReactionNetwork& network) {
  std::vector<std::string> names;
  names.reserve(network.ComponentCount());
  std::unordered_map<std::string, int> uses;
  for (std::size_t j = 0; j < network.ComponentCount(); ++j) ++uses[names.emplace_back(BaseName(*network.Component(j)))];
  for (std::size_t j = 0; j < names.size(); ++j) {
    const std::string index = std::to_string(j);
    // Hill formulas and the usual names hold no parentheses, so an indexed
    // name never meets a plain one.
    if (uses[names[j]] > 1) names[j] += "(" + index + ")";
    if (names[j].size() > kChemkinNameLimit) names[j] = "S" + index;
  }
  return names;
}

}  // namespace korvane
