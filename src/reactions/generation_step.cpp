#include "reactions/generation_step.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "core/aromatic_rings.h"
#include "reactions/generators.h"
#include "reactions/recipes.h"

namespace korvane {
namespace {

using ReactionList = std::vector<std::unique_ptr<TReaction>>;
using ProductList = std::vector<std::unique_ptr<TMolecule>>;

// Keeps the generator's reactions whose activation energy does not exceed
// the threshold (equal passes) and every product it made.
void Take(TGeneratorResult result, double threshold, ReactionList& step, ProductList& products) {
  std::erase_if(result.Reactions, [threshold](const auto& reaction) { return reaction->ActEnergy > threshold; });
  for (auto& reaction : result.Reactions) step.push_back(std::move(reaction));
  for (auto& product : result.Products) products.push_back(std::move(product));
}

// Merges identical products: each later product identical to an earlier one
// is replaced by the earliest in the step's reactions and destroyed. Identity
// is an equivalence, so one pass over the certificates finds what comparing
// every pair would.
void MergeIdenticalProducts(ReactionList& step, ProductList& products) {
  std::unordered_map<std::string_view, TMolecule*> first;
  std::unordered_map<const TMolecule*, TMolecule*> replacement;
  for (auto& product : products) {
    const auto [kept, added] = first.try_emplace(product->Certificate(), product.get());
    if (!added) replacement.emplace(product.get(), kept->second);
  }
  if (replacement.empty()) return;
  for (auto& reaction : step)
    for (TReactionSide* side : {&reaction->Reactants, &reaction->Products})
      for (TMolecule*& participant : *side)
        if (const auto found = replacement.find(participant); found != replacement.end()) participant = found->second;
  std::erase_if(products, [&replacement](const auto& product) { return replacement.count(product.get()) > 0; });
}

void FoldDuplicates(ReactionList& step) {
  for (std::size_t i = 0; i < step.size(); ++i)
    for (std::size_t j = step.size(); j-- > i + 1;)
      if (FoldReaction(*step[i], *step[j])) step.erase(step.begin() + static_cast<std::ptrdiff_t>(j));
}

// Projecting selectivity: each reaction's share of the step's rate without
// frequency factors; allyl isomerisations are scored but do not enter the sum.
void ProjectingSelectivity(ReactionList& step, double minimum, double temperature) {
  std::vector<double> weights;
  weights.reserve(step.size());
  double total = 0.0;
  for (const auto& reaction : step) {
    const double w = -reaction->ReactantCoefs.front() * RateConstant(1.0, reaction->ActEnergy, temperature);
    weights.push_back(w);
    if (reaction->ReactionType != kAllylIzomeration) total += w;
  }
  if (total == 0.0) return;
  for (std::size_t k = step.size(); k-- > 0;) {
    const double share = weights[k] / total;
    if (share >= minimum)
      step[k]->Selectivity = share;
    else
      step.erase(step.begin() + static_cast<std::ptrdiff_t>(k));
  }
}

void DropOrphanProducts(const ReactionList& step, ProductList& products) {
  std::unordered_set<const TMolecule*> used;
  for (const auto& reaction : step)
    for (const TMolecule* product : reaction->Products) used.insert(product);
  for (std::size_t k = products.size(); k-- > 0;)
    if (!used.count(products[k].get())) products.erase(products.begin() + static_cast<std::ptrdiff_t>(k));
}

}  // namespace

TStepResult ComputeStep(TMolecule& component, const TNetworkPreferences& preferences, const TKnownSpecies* known) {
  TStepResult result;
  if (component.Inert) return result;
  ReactionList& step = result.Reactions;
  ProductList& products = result.Products;
  double minimum = preferences.MinSelectivity;
  if (component.IsRadical()) {
    Take(BetaScission(component, known), preferences.EThresholdBetaScission, step, products);
    Take(AllylIsomerisation(component, known), preferences.EThresholdAllyl, step, products);
  } else {
    Take(HydrogenTransfer(component, known), preferences.EThresholdHTransfer, step, products);
    minimum = preferences.MinSelectivity / (component.CarbonNumber() + 1);
  }

  for (auto& product : products) AromatiseRings(*product);
  MergeIdenticalProducts(step, products);
  FoldDuplicates(step);
  ProjectingSelectivity(step, minimum, preferences.NormTemperature);
  DropOrphanProducts(step, products);
  return result;
}

}  // namespace korvane
