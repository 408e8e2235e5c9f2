#include "reaction_checks.h"

#include <array>
#include <cmath>

namespace korvane::testing {
namespace {

// Element of an atom type: aromatic and plain carbons are one element.
int ElementOf(std::uint8_t type) {
  return type == kAromaticCarbon ? kCarbon : type == kAromaticCarbon14 ? kCarbon14 : type;
}

}  // namespace

std::string CheckMolecule(const TMolecule& molecule) {
  const std::size_t n = molecule.AtomTypes().size();
  const TByteMatrix& adjacency = molecule.AdjacencyMatrix();
  const TBoolMatrix& aromatic = molecule.AromaticMatrix();
  if (adjacency.rows() != n || aromatic.rows() != n || (n > 0 && (adjacency.cols() != n || aromatic.cols() != n)))
    return "pieces of different sizes";
  if (molecule.AtomCount() != n) return "atoms not built";
  for (std::size_t i = 0; i < n; ++i) {
    if (aromatic[i][i]) return "aromatic flag on the diagonal at " + std::to_string(i);
    if (molecule.GetAtom(i)->UnpairedElectrons() != adjacency[i][i])
      return "self entries differ from the diagonal at " + std::to_string(i);
    for (std::size_t j = 0; j < n; ++j) {
      if (adjacency[i][j] != adjacency[j][i]) return "asymmetric adjacency at " + std::to_string(i) + "," + std::to_string(j);
      if (aromatic[i][j] != aromatic[j][i]) return "asymmetric aromatic flags at " + std::to_string(i) + "," + std::to_string(j);
    }
  }
  return "";
}

std::string CheckReaction(const TReaction& reaction) {
  if (reaction.Reactants.size() != reaction.ReactantCoefs.size() || reaction.Products.size() != reaction.ProductCoefs.size())
    return "coefficient lists differ in length from their molecules";
  std::array<long, kAtomTypeCount> balance{};
  double mass = 0.0, scale = 0.0;
  auto add = [&](const TMolecule* molecule, long coefficient) -> std::string {
    if (!molecule) return "missing participant";
    const std::string fault = CheckMolecule(*molecule);
    if (!fault.empty()) return fault;
    for (std::uint8_t type : molecule->AtomTypes()) {
      if (type >= kAtomTypeCount) return "unknown atom type " + std::to_string(type);
      balance[ElementOf(type)] += coefficient;
    }
    mass += coefficient * molecule->MolarMass();
    scale += std::abs(coefficient * molecule->MolarMass());
    return "";
  };
  for (std::size_t i = 0; i < reaction.Reactants.size(); ++i) {
    if (reaction.ReactantCoefs[i] >= 0) return "reactant coefficient not negative";
    if (auto fault = add(reaction.Reactants[i], reaction.ReactantCoefs[i]); !fault.empty()) return "reactant: " + fault;
  }
  for (std::size_t i = 0; i < reaction.Products.size(); ++i) {
    if (reaction.ProductCoefs[i] <= 0) return "product coefficient not positive";
    if (auto fault = add(reaction.Products[i], reaction.ProductCoefs[i]); !fault.empty()) return "product: " + fault;
  }
  for (int type = 0; type < kAtomTypeCount; ++type)
    if (balance[type] != 0) return "atoms of type " + std::to_string(type) + " do not balance";
  if (std::abs(mass) > 1e-9 * std::max(1.0, scale)) return "molar masses do not balance";
  return "";
}

std::vector<int> RecipeIndexes(const std::string& recipe) {
  std::vector<int> indexes;
  for (char c : recipe) indexes.push_back(static_cast<unsigned char>(c));
  return indexes;
}

}  // namespace korvane::testing
