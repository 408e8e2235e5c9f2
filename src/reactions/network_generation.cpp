// The generation driver: grows a network from its components, prunes by
// activation-energy thresholds and projecting selectivity, identifies
// products with components and closes radical chains by recombination.

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "core/identity.h"
#include "reactions/generators.h"
#include "reactions/reaction_index.h"
#include "reactions/reaction_network.h"
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

void ReplaceParticipant(ReactionList& step, const TMolecule* from, TMolecule* to) {
  for (auto& reaction : step) {
    std::replace(reaction->Reactants.begin(), reaction->Reactants.end(), const_cast<TMolecule*>(from), to);
    std::replace(reaction->Products.begin(), reaction->Products.end(), const_cast<TMolecule*>(from), to);
  }
}

// A six-membered ring of alternating single and double bonds becomes an
// aromatic ring of aromatic carbons.
void Aromatise(TMolecule& product) {
  if (!product.Invariants().Cyclic) return;  // the ring test as of the product's build
  const TAtomVector ring = product.CycleAtoms();
  if (ring.size() != 6) return;
  for (const TAtom* atom : ring)
    if (Valence(atom->GetAtomType()) == 3 || atom->UnsaturatedBondCount() != 1 || atom->DoubleBondCount() != 1)
      return;
  TByteMatrix adjacency = product.AdjacencyMatrix();
  TBoolMatrix aromatic = product.AromaticMatrix();
  TByteVector types = product.AtomTypes();
  for (const TAtom* a : ring) {
    types[a->GetIndex()] = kAromaticCarbon;
    for (const TAtom* b : ring) {
      if (a == b || adjacency[a->GetIndex()][b->GetIndex()] == 0) continue;
      adjacency[a->GetIndex()][b->GetIndex()] = 1;
      aromatic[a->GetIndex()][b->GetIndex()] = true;
    }
  }
  product.ClearStructure();
  product.SetStructure(std::move(adjacency), std::move(types), std::move(aromatic));
  product.Build();
}

// Merges identical products: for each product in order, later identical ones
// (scanning from the last) are replaced by it in the step's reactions.
void MergeIdenticalProducts(ReactionList& step, ProductList& products) {
  for (std::size_t i = 0; i < products.size(); ++i) {
    for (std::size_t j = products.size(); j-- > i + 1;) {
      if (!AreIsomorphic(*products[i], *products[j])) continue;
      ReplaceParticipant(step, products[j].get(), products[i].get());
      products.erase(products.begin() + static_cast<std::ptrdiff_t>(j));
    }
  }
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

TGenerationOutcome TReactionNetwork::Generate() {
  TGenerationOutcome outcome;
  ProgressLast.store(0, std::memory_order_relaxed);
  ProgressCurrent.store(0, std::memory_order_relaxed);
  auto fail = [&outcome](const std::exception& error) {
    if (outcome.End != TGenerationEnd::Failed) outcome = {TGenerationEnd::Failed, error.what()};
  };

  try {
    m_reactionIndex = std::make_unique<TReactionIndex>();
    for (auto& reaction : m_reactions) m_reactionIndex->Add(reaction.get());
    // The list grows while the loop runs; later steps process what earlier
    // steps added.
    for (std::size_t i = 0; i < m_components.size(); ++i) {
      if (m_stopRequested.load(std::memory_order_relaxed)) {
        outcome.End = TGenerationEnd::Stopped;
        break;
      }
      if (m_components.size() > m_componentLimit) {
        outcome = {TGenerationEnd::ComponentLimitReached,
                   "the network grew past its limit of " + std::to_string(m_componentLimit) + " components"};
        break;
      }
      ProcessComponent(i);
      ProgressLast.store(static_cast<std::int32_t>(m_components.size()) - 1, std::memory_order_relaxed);
      ProgressCurrent.store(static_cast<std::int32_t>(i), std::memory_order_relaxed);
    }
  } catch (const std::exception& error) {
    // A step that failed half-way leaves components its reactions never
    // reached; they are harmless, and the links are rebuilt below.
    fail(error);
  }

  try {
    Relink();
    AfterFilterSelectivity();
    RecombinationPass();
    Relink();
    AfterFilterSelectivity();
  } catch (const std::exception& error) {
    fail(error);
    Relink();
  }
  m_reactionIndex.reset();
  m_stopRequested.store(false, std::memory_order_relaxed);
  return outcome;
}

void TReactionNetwork::ProcessComponent(std::size_t index) {
  TMolecule& component = *m_components[index];
  if (component.Inert) return;

  ReactionList step;
  ProductList products;
  double minimum = m_preferences.MinSelectivity;
  if (component.IsRadical()) {
    Take(BetaScission(component), m_preferences.EThresholdBetaScission, step, products);
    Take(AllylIsomerisation(component), m_preferences.EThresholdAllyl, step, products);
  } else {
    Take(HydrogenTransfer(component), m_preferences.EThresholdHTransfer, step, products);
    minimum = m_preferences.MinSelectivity / (component.CarbonNumber() + 1);
  }

  for (auto& product : products) Aromatise(*product);
  MergeIdenticalProducts(step, products);
  FoldDuplicates(step);
  ProjectingSelectivity(step, minimum, m_preferences.NormTemperature);
  DropOrphanProducts(step, products);

  for (auto& product : products) {
    const int found = FindComponent(*product);
    if (found >= 0) {
      ReplaceParticipant(step, product.get(), m_components[static_cast<std::size_t>(found)].get());
      continue;
    }
    appendComponent(std::move(product), false);
  }
  products.clear();

  if (!m_reactionIndex) {
    m_reactionIndex = std::make_unique<TReactionIndex>();
    for (auto& reaction : m_reactions) m_reactionIndex->Add(reaction.get());
  }
  for (auto& reaction : step) addOrFold(std::move(reaction), false);
}

TReaction* TReactionNetwork::addOrFold(std::unique_ptr<TReaction> reaction, bool linkWhenAppended) {
  if (TReaction* held = m_reactionIndex->FindEqual(*reaction)) {
    FoldReaction(*held, *reaction);
    return held;
  }
  TReaction* appended = reaction.get();
  m_reactions.push_back(std::move(reaction));
  m_reactionIndex->Add(appended);
  if (linkWhenAppended) {
    for (std::size_t i = 0; i < appended->Reactants.size(); ++i) {
      appended->Reactants[i]->ReactionLinks[kConsumedIn].push_back(appended);
      appended->Reactants[i]->ReactionCoefficients[kConsumedIn].push_back(appended->ReactantCoefs[i]);
    }
    for (std::size_t i = 0; i < appended->Products.size(); ++i) {
      appended->Products[i]->ReactionLinks[kFormedIn].push_back(appended);
      appended->Products[i]->ReactionCoefficients[kFormedIn].push_back(appended->ProductCoefs[i]);
    }
  }
  return appended;
}

void TReactionNetwork::RecombinationPass() {
  const bool ownIndex = !m_reactionIndex;
  if (ownIndex) {
    m_reactionIndex = std::make_unique<TReactionIndex>();
    for (auto& reaction : m_reactions) m_reactionIndex->Add(reaction.get());
  }
  // Components added by the pass are not visited.
  const std::size_t count = m_components.size();
  for (std::size_t c = 0; c < count; ++c) {
    TMolecule* radical = m_components[c].get();
    if (!radical->IsRadical()) continue;
    const auto& consumedIn = radical->ReactionLinks[kConsumedIn];
    bool recombine = consumedIn.empty();
    if (!recombine) {
      const bool scission = std::any_of(consumedIn.begin(), consumedIn.end(),
                                        [](const TReaction* r) { return r->ReactionType == kBetaScission; });
      recombine = !scission && std::none_of(consumedIn.begin(), consumedIn.end(),
                                            [this](TReaction* r) { return r->ReachesMolecule(nextStamp()); });
    }
    if (!recombine) continue;

    TGeneratorResult result = Recombination(*radical, *m_hydrogenAtom);
    if (result.Reactions.empty()) continue;  // the product would exceed 255 atoms
    std::unique_ptr<TReaction> reaction = std::move(result.Reactions.front());
    std::unique_ptr<TMolecule> product = std::move(result.Products.front());
    const int found = FindComponent(*product);
    TMolecule* component =
        found >= 0 ? m_components[static_cast<std::size_t>(found)].get() : appendComponent(std::move(product), false);
    reaction->Products.front() = component;
    addOrFold(std::move(reaction), true);
  }
  if (ownIndex) m_reactionIndex.reset();
}

}  // namespace korvane
