#include "reactions/reaction.h"

#include <algorithm>
#include <array>

namespace korvane {
namespace {

// Orderings of k positions (k = 0..4) in lexicographic order: the fixed
// order in which the identity test tries to pair participants.
const std::vector<std::vector<std::uint8_t>>& OrderingsOf(std::size_t k) {
  static const std::array<std::vector<std::vector<std::uint8_t>>, 5> kTables = [] {
    std::array<std::vector<std::vector<std::uint8_t>>, 5> tables;
    for (std::size_t size = 0; size <= 4; ++size) {
      std::vector<std::uint8_t> order(size);
      for (std::size_t i = 0; i < size; ++i) order[i] = static_cast<std::uint8_t>(i);
      do {
        tables[size].push_back(order);
      } while (std::next_permutation(order.begin(), order.end()));
    }
    return tables;
  }();
  return kTables[k];
}

std::optional<std::vector<std::uint8_t>> MatchSide(const TReactionSide& first, const TReactionSide& second) {
  if (first.size() != second.size() || first.size() > 4) return std::nullopt;
  for (const auto& order : OrderingsOf(first.size())) {
    bool same = true;
    for (std::size_t i = 0; i < first.size() && same; ++i) same = second[order[i]] == first[i];
    if (same) return order;
  }
  return std::nullopt;
}

}  // namespace

std::string ReactionTypeName(std::int32_t code) {
  switch (code) {
    case kBetaScission: return "Beta-Scission";
    case kHydrogenTransfer: return "Hydrogen transfer";
    case kRecombination: return "Recombination";
    case kAllylIzomeration: return "Allyl-izomeration";
    case kOtherReaction: return "Other";
    case kOtherReaction2: return "Other2";
    default: return "Unknown";
  }
}

const std::vector<std::string>& ReactionTypeIdentifiers() {
  static const std::vector<std::string> kIdentifiers = {"ReT_Beta-Scission",     "ReT_HydrogenTransfer",
                                                        "ReT_Recombination",     "ReT_Allyl-Izomeration",
                                                        "ReT_Other",             "ReT_Other2"};
  return kIdentifiers;
}

const std::vector<std::int32_t>& ReactionTypeCodes() {
  static const std::vector<std::int32_t> kCodes = {kBetaScission,     kHydrogenTransfer, kRecombination,
                                                   kAllylIzomeration, kOtherReaction,    kOtherReaction2};
  return kCodes;
}

double RecipeValue(const std::string& recipe, std::span<const double> table) {
  double value = 0.0;
  for (char c : recipe) {
    const auto index = static_cast<unsigned char>(c);
    if (index < table.size()) value += table[index];
  }
  return value;
}

void TReaction::AddReactant(TMolecule* molecule, std::int32_t coefficient) {
  Reactants.push_back(molecule);
  ReactantCoefs.push_back(coefficient);
}

void TReaction::AddProduct(TMolecule* molecule, std::int32_t coefficient) {
  Products.push_back(molecule);
  ProductCoefs.push_back(coefficient);
}

void TReaction::SetProducts(const TReactionSide& products, const TSideCoefficients& coefficients) {
  Products = products;
  ProductCoefs = coefficients;
}

void TReaction::SetParameters(std::int32_t reactionType, double activationEnergy, double frequencyFactor) {
  ReactionType = reactionType;
  ActEnergy = activationEnergy;
  FreqFactor = frequencyFactor;
}

bool TReaction::HasReactant(const TMolecule* molecule) const {
  return std::find(Reactants.begin(), Reactants.end(), molecule) != Reactants.end();
}

bool TReaction::HasProduct(const TMolecule* molecule) const {
  return std::find(Products.begin(), Products.end(), molecule) != Products.end();
}

double TReaction::FrequencyFactorValue(std::span<const double> global, std::span<const double> alternative) const {
  if (UsesExplicitKinetics()) return FreqFactor;
  return RecipeValue(FreqFact2, ReactionType == kOtherReaction2 ? alternative : global);
}

double TReaction::ActivationEnergyValue(std::span<const double> global, std::span<const double> alternative) const {
  if (UsesExplicitKinetics()) return ActEnergy;
  return RecipeValue(ActEnerg2, ReactionType == kOtherReaction2 ? alternative : global);
}

void TReaction::MarkDownstream() {
  // Depth-first over an explicit stack: networks can chain thousands of
  // reactions, and the set marked does not depend on the visiting order.
  std::vector<TReaction*> pending{this};
  while (!pending.empty()) {
    TReaction* reaction = pending.back();
    pending.pop_back();
    if (reaction->Mark) continue;
    reaction->Mark = true;
    for (TMolecule* product : reaction->Products) {
      product->Marked = true;
      for (TReaction* next : product->ReactionLinks[kConsumedIn])
        if (!next->Mark) pending.push_back(next);
    }
  }
}

bool TReaction::ReachesMolecule(std::int32_t stamp) {
  // Reachability over reactions not yet stamped in this walk: true as soon as
  // one reached reaction forms a non-radical product.
  std::vector<TReaction*> pending{this};
  while (!pending.empty()) {
    TReaction* reaction = pending.back();
    pending.pop_back();
    if (reaction->VisitStamp == stamp) continue;
    reaction->VisitStamp = stamp;
    for (const TMolecule* product : reaction->Products)
      if (!product->IsRadical()) return true;
    // Reverse order so the first product's first consumer is visited first.
    for (auto product = reaction->Products.rbegin(); product != reaction->Products.rend(); ++product) {
      const auto consumers = (*product)->ReactionLinks[kConsumedIn];
      for (auto next = consumers.rbegin(); next != consumers.rend(); ++next)
        if ((*next)->VisitStamp != stamp) pending.push_back(*next);
    }
  }
  return false;
}

std::optional<TReactionMatch> MatchReactions(const TReaction& first, const TReaction& second) {
  if (first.ReactionType != second.ReactionType || first.ActEnergy != second.ActEnergy) return std::nullopt;
  auto reactants = MatchSide(first.Reactants, second.Reactants);
  if (!reactants) return std::nullopt;
  auto products = MatchSide(first.Products, second.Products);
  if (!products) return std::nullopt;
  return TReactionMatch{std::move(*reactants), std::move(*products)};
}

bool FoldReaction(TReaction& first, const TReaction& second) {
  const auto match = MatchReactions(first, second);
  if (!match) return false;
  for (std::size_t i = 0; i < first.ReactantCoefs.size(); ++i)
    first.ReactantCoefs[i] += second.ReactantCoefs[match->Reactants[i]];
  for (std::size_t i = 0; i < first.ProductCoefs.size(); ++i)
    first.ProductCoefs[i] += second.ProductCoefs[match->Products[i]];
  return true;
}

}  // namespace korvane
