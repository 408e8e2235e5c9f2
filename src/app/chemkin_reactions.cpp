#include "app/chemkin_reactions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
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

// Both sides merged and divided by the greatest common divisor of all
// their coefficients, which is returned; 0 when a side is empty or a
// coefficient has the wrong sign.
int ReducedSides(const TReaction& reaction, Side& reactants, Side& products) {
  if (reaction.Reactants.empty() || reaction.Products.empty()) return 0;
  if (!MergeSide(reaction.Reactants, reaction.ReactantCoefs, -1, reactants) ||
      !MergeSide(reaction.Products, reaction.ProductCoefs, 1, products))
    return 0;
  int divisor = 0;
  for (const Side* side : {&reactants, &products})
    for (const auto& entry : *side) divisor = std::gcd(divisor, entry.second);
  for (Side* side : {&reactants, &products})
    for (auto& entry : *side) entry.second /= divisor;
  return divisor;
}

std::optional<TChemkinReaction> Convert(const TReaction& reaction, const TReactionKinetics& kinetics,
                                        double activeRadicals, std::string& problem) {
  TChemkinReaction converted;
  if (reaction.Reactants.empty() || reaction.Products.empty()) {
    problem = "has no reactants or no products";
    return std::nullopt;
  }
  const int divisor = ReducedSides(reaction, converted.Reactants, converted.Products);
  if (divisor == 0) {
    problem = "has a reactant coefficient that is not negative or a product coefficient that is not positive";
    return std::nullopt;
  }
  if (!std::isfinite(kinetics.A) || kinetics.A < 0.0 || !std::isfinite(kinetics.E)) {
    problem = "has the frequency factor " + ChemkinNumber(kinetics.A) + " and the activation energy " +
              ChemkinNumber(kinetics.E) + " kJ/mol, which give no rate constant";
    return std::nullopt;
  }

  // The exported rate holds one concentration factor per reactant entry.
  for (const auto& [j, coefficient] : converted.Reactants) {
    const auto entries = std::count_if(reaction.Reactants.begin(), reaction.Reactants.end(),
                                       [j = j](const TMolecule* m) { return static_cast<std::size_t>(m->ID) == j; });
    if (entries != coefficient) converted.Orders.emplace_back(j, static_cast<int>(entries));
  }

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

// The reduced sides, each sorted, as one sequence of words: what makes two
// reactions the same for a mechanism reader. Empty for a reaction without
// reduced sides.
std::vector<std::uint64_t> DuplicateKey(const TReaction& reaction) {
  Side reactants, products;
  if (ReducedSides(reaction, reactants, products) == 0) return {};
  std::sort(reactants.begin(), reactants.end());
  std::sort(products.begin(), products.end());
  std::vector<std::uint64_t> key;
  key.reserve(reactants.size() + products.size() + 1);
  auto word = [](const std::pair<std::size_t, int>& entry) {
    return (static_cast<std::uint64_t>(entry.first) << 32) | static_cast<std::uint32_t>(entry.second);
  };
  for (const auto& entry : reactants) key.push_back(word(entry));
  key.push_back(~std::uint64_t{0});  // no species word: a coefficient is never all ones
  for (const auto& entry : products) key.push_back(word(entry));
  return key;
}

std::uint64_t KeyHash(const std::vector<std::uint64_t>& key) {
  // FNV-1a over the words; equal keys give equal hashes, and the rare equal
  // hashes of different keys are told apart by the keys themselves.
  std::uint64_t hash = 14695981039346656037ull;
  for (std::uint64_t word : key)
    for (int shift = 0; shift < 64; shift += 8) hash = (hash ^ ((word >> shift) & 0xFF)) * 1099511628211ull;
  return hash;
}

}  // namespace

TMechanismKinetics MechanismKinetics(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                     std::optional<double> activeRadicals) {
  TExportKinetics kinetics = ReactionKinetics(network, parameters.Table, parameters.AlternativeValues);
  TMechanismKinetics result{std::move(kinetics.Reactions),
                            activeRadicals.value_or(parameters.RadicalActivity.StandardActivity),
                            std::move(kinetics.MissingKeys)};
  // The kinetic parameter reader marks a missing radical activity key with -1 too.
  if (!activeRadicals && result.ActiveRadicals == -1.0) result.MissingKeys.emplace_back("StandardActivity");
  return result;
}

TResult<> CheckMechanismKinetics(const TMechanismKinetics& kinetics) {
  if (!kinetics.MissingKeys.empty())
    return TError{TErrorCode::KineticParameters, MissingParametersMessage(kinetics.MissingKeys)};
  if (!std::isfinite(kinetics.ActiveRadicals) || kinetics.ActiveRadicals < 0.0) {
    char buffer[64];
    const std::string value(buffer, std::to_chars(buffer, buffer + sizeof buffer, kinetics.ActiveRadicals).ptr);
    return TError{TErrorCode::KineticParameters,
                  "the concentration of active radicals must be a number of at least 0 mol/m^3, not " + value};
  }
  return {};
}

TResult<TChemkinReaction> ChemkinReaction(const TReactionNetwork& network, std::size_t index,
                                          const TReactionKinetics& kinetics, double activeRadicals) {
  std::string problem;
  auto converted = Convert(*network.Reaction(index), kinetics, activeRadicals, problem);
  if (!converted) return TError{TErrorCode::InvalidInput, "reaction " + std::to_string(index) + " " + problem};
  return std::move(*converted);
}

bool ProductsEqualReactants(const TReaction& reaction) {
  Side reactants, products;
  if (ReducedSides(reaction, reactants, products) == 0) return false;
  std::sort(reactants.begin(), reactants.end());
  std::sort(products.begin(), products.end());
  return reactants == products;
}

std::vector<bool> ChemkinDuplicates(const TReactionNetwork& network) {
  const std::size_t count = network.ReactionCount();
  std::vector<std::pair<std::uint64_t, std::size_t>> hashes;
  hashes.reserve(count);
  for (std::size_t i = 0; i < count; ++i)
    if (const auto key = DuplicateKey(*network.Reaction(i)); !key.empty()) hashes.emplace_back(KeyHash(key), i);
  std::sort(hashes.begin(), hashes.end());

  std::vector<bool> duplicate(count, false);
  for (std::size_t begin = 0, end = 0; begin < hashes.size(); begin = end) {
    end = begin + 1;
    while (end < hashes.size() && hashes[end].first == hashes[begin].first) ++end;
    if (end - begin < 2) continue;
    // The reactions of one hash, grouped by their keys.
    std::vector<std::pair<std::vector<std::uint64_t>, std::size_t>> keys;
    for (std::size_t k = begin; k < end; ++k)
      keys.emplace_back(DuplicateKey(*network.Reaction(hashes[k].second)), hashes[k].second);
    std::sort(keys.begin(), keys.end());
    for (std::size_t k = 0; k < keys.size(); ++k)
      if ((k > 0 && keys[k].first == keys[k - 1].first) || (k + 1 < keys.size() && keys[k].first == keys[k + 1].first))
        duplicate[keys[k].second] = true;
  }
  return duplicate;
}

}  // namespace korvane
