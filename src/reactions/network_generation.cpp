// The generation driver: grows a network from its components, registering
// the steps that generation_step.cpp computes (on several threads through
// the step pipeline) in component order, and closes radical chains by
// recombination.

#include <algorithm>
#include <optional>
#include <thread>
#include <unordered_map>

#include "reactions/generation_step.h"
#include "reactions/generators.h"
#include "reactions/network_footprint.h"
#include "reactions/reaction_index.h"
#include "reactions/reaction_network.h"
#include "reactions/step_pipeline.h"

namespace korvane {

// The reaction index lives only while generation code runs: a public step or
// pass builds its own unless a run already has one, and drops it at its end,
// so edits between calls (removed, copied or fused reactions) never leave it
// pointing at a reaction that no longer exists. Code that adds reactions of
// one class only indexes that class: no other reaction can equal them.
class TReactionNetwork::ReactionIndexScope {
 public:
  explicit ReactionIndexScope(TReactionNetwork& network, std::optional<std::int32_t> onlyClass = std::nullopt)
      : m_network(network), m_owner(!network.m_reactionIndex) {
    if (!m_owner) return;
    network.m_reactionIndex = std::make_unique<TReactionIndex>();
    for (auto& reaction : network.m_reactions)
      if (!onlyClass || reaction->ReactionType == *onlyClass) network.m_reactionIndex->Add(reaction.get());
  }
  ~ReactionIndexScope() {
    if (m_owner) m_network.m_reactionIndex.reset();
  }
  ReactionIndexScope(const ReactionIndexScope&) = delete;
  ReactionIndexScope& operator=(const ReactionIndexScope&) = delete;

 private:
  TReactionNetwork& m_network;
  bool m_owner;
};

unsigned TReactionNetwork::DefaultThreadCount() { return std::max(1u, std::thread::hardware_concurrency()); }

void TReactionNetwork::SetThreadCount(unsigned count) { m_threadCount = std::max(1u, count); }

TGenerationOutcome TReactionNetwork::Generate(const TRunControl& control) {
  TGenerationOutcome outcome;
  ProgressLast.store(0, std::memory_order_relaxed);
  ProgressCurrent.store(0, std::memory_order_relaxed);
  auto fail = [&outcome](const std::exception& error) {
    if (outcome.End != TGenerationEnd::Failed) outcome = {TGenerationEnd::Failed, error.what()};
  };
  // Names given since the last change count from here.
  recountFootprint();

  // The run's index goes before the closing steps, which relink every
  // component: the recombination pass indexes its own class only.
  std::optional<ReactionIndexScope> index(std::in_place, *this);
  try {
    // Steps are computed ahead by the pipeline and registered here one by
    // one in component order; the list grows while the loop runs, and each
    // new component is published for a later step. Stop requests are seen
    // between registrations, so the network does not depend on the thread
    // count up to the component where it stops.
    TStepPipeline pipeline(m_preferences, &m_componentIndex, m_threadCount - 1);
    for (auto& component : m_components) pipeline.Publish(component.get());
    for (std::size_t i = 0; i < m_components.size(); ++i) {
      if (control.Stop && control.Stop->load(std::memory_order_relaxed)) {
        outcome.End = TGenerationEnd::Stopped;
        break;
      }
      if (m_components.size() > m_componentLimit) {
        outcome = {TGenerationEnd::ComponentLimitReached,
                   "the network grew past its limit of " + std::to_string(m_componentLimit) + " components"};
        break;
      }
      if (const std::size_t footprint = FootprintEstimate(); footprint > m_memoryLimit) {
        outcome = {TGenerationEnd::MemoryLimitReached, "the network's estimated memory of " + MiBText(footprint) +
                                                           " MiB passed its limit of " + MiBText(m_memoryLimit) +
                                                           " MiB"};
        break;
      }
      const std::size_t known = m_components.size();
      registerStep(pipeline.TakeNext());
      for (std::size_t k = known; k < m_components.size(); ++k) pipeline.Publish(m_components[k].get());
      ProgressLast.store(static_cast<std::int32_t>(m_components.size()) - 1, std::memory_order_relaxed);
      ProgressCurrent.store(static_cast<std::int32_t>(i), std::memory_order_relaxed);
      if (control.Progress)
        control.Progress(static_cast<std::int32_t>(i), static_cast<std::int32_t>(m_components.size()) - 1);
    }
  } catch (const std::exception& error) {
    // A step that failed half-way leaves components its reactions never
    // reached; they are harmless, and the links are rebuilt below.
    fail(error);
  }
  index.reset();
  // The pipeline's threads have ended: no lookup can still be on a table
  // that the index replaced while it grew.
  m_componentIndex.ReleaseRetired();

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
  return outcome;
}

void TReactionNetwork::ProcessComponent(std::size_t index) {
  const ReactionIndexScope scope(*this);
  TMolecule& component = *m_components[index];
  TStepResult step = ComputeStep(component, m_preferences, &m_componentIndex);
  component.ReleaseDerivedData();
  registerStep(std::move(step));
}

void TReactionNetwork::registerStep(TStepResult step) {
  // Each product becomes the component identical to it, or a new component.
  std::unordered_map<const TMolecule*, TMolecule*> existing;
  for (auto& product : step.Products) {
    const int found = FindComponent(*product);
    if (found >= 0)
      existing.emplace(product.get(), m_components[static_cast<std::size_t>(found)].get());
    else
      appendComponent(std::move(product), false);
  }
  if (!existing.empty()) {
    for (auto& reaction : step.Reactions)
      for (TReactionSide* side : {&reaction->Reactants, &reaction->Products})
        for (TMolecule*& participant : *side)
          if (const auto found = existing.find(participant); found != existing.end()) participant = found->second;
  }
  for (auto& reaction : step.Reactions) addOrFold(std::move(reaction), false);
}

TReaction* TReactionNetwork::addOrFold(std::unique_ptr<TReaction> reaction, bool linkWhenAppended) {
  if (TReaction* held = m_reactionIndex->FindEqual(*reaction)) {
    FoldReaction(*held, *reaction);
    return held;
  }
  TReaction* appended = reaction.get();
  m_reactions.push_back(std::move(reaction));
  m_contentFootprint += ReactionFootprint(*appended);
  m_reactionIndex->Add(appended);
  if (linkWhenAppended) {
    for (std::size_t i = 0; i < appended->Reactants.size(); ++i)
      appended->Reactants[i]->ReactionLinks.Add(kConsumedIn, appended, appended->ReactantCoefs[i]);
    for (std::size_t i = 0; i < appended->Products.size(); ++i)
      appended->Products[i]->ReactionLinks.Add(kFormedIn, appended, appended->ProductCoefs[i]);
  }
  return appended;
}

void TReactionNetwork::RecombinationPass() {
  // The pass adds recombinations only.
  const ReactionIndexScope index(*this, kRecombination);
  // Components added by the pass are not visited.
  const std::size_t count = m_components.size();
  for (std::size_t c = 0; c < count; ++c) {
    TMolecule* radical = m_components[c].get();
    if (!radical->IsRadical()) continue;
    const auto consumedIn = radical->ReactionLinks[kConsumedIn];
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
}

}  // namespace korvane
