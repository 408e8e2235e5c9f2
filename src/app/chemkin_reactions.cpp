#include "app/chemkin_reactions.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

#include "app/chemkin_format.h"

namespace korvane {
namespace {

using Side = std::vector<std::pair<std::size_t, int>>;

// Coefficients summed per species, in order of first appearance; the sign
// is dropped once checked.
bool MergeSide(const TReactionSide& molecules, const TSideCoefficients& coefficients, int sign, Side& side) {
  for (std::size_t k = 0; k < molecules.size(); ++k) {
    if (coefficients[k] * sign <= 0) return false;
    const auto j = static_cast<std::size_t>(molecules[k]->ID);
    auto found = std::find_if(side.begin(), side.end(), [j](const auto& entry) { return entry.first == j; });
    if (found == side.end()) found = side.insert(side.end(), {j, 0});
    found->second += std::abs(coefficients[k]);
  }
  return true;
}

std::optional<TChemkinReaction> Convert(const TReaction& reaction, const TReactionKinetics& kinetics,
                                        double activeRadicals, std::string& problem) {
  TChemkinReaction converted;
  if (reaction.Reactants.empty() || reaction.Products.empty()) {
    problem = "has no reactants or no products";
    return std::nullopt;
  }
  if (!MergeSide(reaction.Reactants, reaction.ReactantCoefs, -1, converted.Reactants) ||
      !MergeSide(reaction.Products, reaction.ProductCoefs, 1, converted.Products)) {
    problem = "has a reactant coefficient that is not negative or a product coefficient that is not positive";
    return std::nullopt;
  }
  if (!std::isfinite(kinetics.A) || kinetics.A < 0.0 || !std::isfinite(kinetics.E)) {
    problem = "has the frequency factor " + ChemkinNumber(kinetics.A) + " and the activation energy " +
              ChemkinNumber(kinetics.E) + " kJ/mol, which give no rate constant";
    return std::nullopt;
  }

  int divisor = 0;
  for (const Side* side : {&converted.Reactants, &converted.Products})
    for (const auto& entry : *side) divisor = std::gcd(divisor, entry.second);
  for (Side* side : {&converted.Reactants, &converted.Products})
    for (auto& entry : *side) entry.second /= divisor;

  // The exported rate holds one concentration factor per reactant entry.
  std::map<std::size_t, int> entries;
  for (const TMolecule* reactant : reaction.Reactants) ++entries[static_cast<std::size_t>(reactant->ID)];
  for (const auto& [j, coefficient] : converted.Reactants)
    if (entries[j] != coefficient) converted.Orders.emplace_back(j, entries[j]);

  constexpr double kCubicCentimetresPerCubicMetre = 1e6;
  const double furtherEntries = static_cast<double>(reaction.Reactants.size()) - 1.0;
  double a = kinetics.A * divisor * std::pow(kCubicCentimetresPerCubicMetre, furtherEntries);
  if (reaction.MultiplyByActiveRadicals) a *= activeRadicals;
  if (!std::isfinite(a)) {
    problem = "has a frequency factor beyond the range of numbers once converted to cm^3, mol and s";
    return std::nullopt;
  }
  converted.A = a;
  converted.ActivationTemperature = 1000.0 * kinetics.E / kExportGasConstant;
  return converted;
}

}  // namespace

TResult<std::vector<TChemkinReaction>> ChemkinReactions(const TReactionNetwork& network,
                                                        const std::vector<TReactionKinetics>& kinetics,
                                                        double activeRadicals) {
  std::vector<TChemkinReaction> reactions;
  reactions.reserve(network.ReactionCount());
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
    std::string problem;
    auto converted = Convert(*network.Reaction(i), kinetics[i], activeRadicals, problem);
    if (!converted) return TError{TErrorCode::InvalidInput, "reaction " + std::to_string(i) + " " + problem};
    reactions.push_back(std::move(*converted));
  }

  // Reactions with the same reduced reactants and products, whatever their order.
  std::map<std::pair<Side, Side>, std::vector<std::size_t>> groups;
  for (std::size_t i = 0; i < reactions.size(); ++i) {
    Side reactants = reactions[i].Reactants, products = reactions[i].Products;
    std::sort(reactants.begin(), reactants.end());
    std::sort(products.begin(), products.end());
    groups[{std::move(reactants), std::move(products)}].push_back(i);
  }
  for (const auto& [key, members] : groups)
    if (members.size() > 1)
      for (std::size_t i : members) reactions[i].Duplicate = true;
  return reactions;
}

}  // namespace korvane
