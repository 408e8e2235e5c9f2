#include "reactions/reaction_network.h"

#include <algorithm>
#include <cassert>
#include <unordered_map>
#include <unordered_set>

#include "core/identity.h"
#include "core/physical_memory.h"
#include "reactions/network_footprint.h"
#include "reactions/reaction_index.h"

namespace korvane {
namespace {

// Removes every occurrence of the reaction from one link list of a
// component, with its coefficients, scanning from the end.
void Unlink(TMolecule& component, int side, const TReaction* reaction) {
  for (std::size_t k = component.ReactionLinks[side].size(); k-- > 0;)
    if (component.ReactionLinks[side][k] == reaction) component.ReactionLinks.Erase(side, k);
}

// Removes the first entry naming the reaction from one link list.
void UnlinkFirst(TMolecule& component, int side, const TReaction* reaction) {
  const auto links = component.ReactionLinks[side];
  const auto found = std::find(links.begin(), links.end(), reaction);
  if (found != links.end()) component.ReactionLinks.Erase(side, static_cast<std::size_t>(found - links.begin()));
}

// Inserts an entry for the reaction at `position` in the network's list
// after every entry of a reaction at or before that position, which is where
// a relink puts it.
void LinkInOrder(TMolecule& component, int side, TReaction* reaction, std::int32_t coefficient, std::size_t position,
                 const std::unordered_map<const TReaction*, std::size_t>& positions) {
  const auto links = component.ReactionLinks[side];
  const auto after = std::find_if(links.begin(), links.end(), [&](const TReaction* linked) {
    const auto found = positions.find(linked);
    return found == positions.end() || found->second > position;
  });
  component.ReactionLinks.Insert(side, static_cast<std::size_t>(after - links.begin()), reaction, coefficient);
}

void LinkReaction(TReaction& reaction) {
  for (std::size_t i = 0; i < reaction.Products.size(); ++i)
    reaction.Products[i]->ReactionLinks.Add(kFormedIn, &reaction, reaction.ProductCoefs[i]);
  for (std::size_t i = 0; i < reaction.Reactants.size(); ++i)
    reaction.Reactants[i]->ReactionLinks.Add(kConsumedIn, &reaction, reaction.ReactantCoefs[i]);
}

std::unique_ptr<TMolecule> BuiltIn(std::initializer_list<std::initializer_list<std::uint8_t>> adjacency,
                                   TByteVector types) {
  const std::size_t n = types.size();
  return TMolecule::FromStructure(0, TByteMatrix(adjacency), std::move(types), TBoolMatrix(n, n, false));
}

std::unique_ptr<TMolecule> HydrogenRadical() { return BuiltIn({{1}}, {kHydrogen}); }
std::unique_ptr<TMolecule> Helium() { return BuiltIn({{2}}, {kHelium}); }
std::unique_ptr<TMolecule> Nitrogen() { return BuiltIn({{0, 3}, {3, 0}}, {kNitrogen, kNitrogen}); }
std::unique_ptr<TMolecule> Water() {
  return BuiltIn({{0, 1, 1}, {1, 0, 0}, {1, 0, 0}}, {kOxygen, kHydrogen, kHydrogen});
}

}  // namespace

std::size_t DefaultMemoryLimit(std::uint64_t physicalMemory) {
  if (physicalMemory == 0) return kNoMemoryLimit;
  // Whole MiB, as the limit is typed.
  const std::uint64_t half = std::max<std::uint64_t>(physicalMemory / 2 / kMiB, 1) * kMiB;
  return static_cast<std::size_t>(std::min<std::uint64_t>(half, kNoMemoryLimit));
}

std::string MiBText(std::size_t bytes) {
  std::size_t whole = bytes / kMiB;
  std::size_t hundredths = (bytes % kMiB * 100 + kMiB - 1) / kMiB;
  if (hundredths == 100) {
    ++whole;
    hundredths = 0;
  }
  std::string text = std::to_string(whole);
  if (hundredths == 0) return text;
  text += '.';
  text += static_cast<char>('0' + hundredths / 10);
  if (hundredths % 10 != 0) text += static_cast<char>('0' + hundredths % 10);
  return text;
}

TReactionNetwork::TReactionNetwork(const TNetworkPreferences& preferences)
    : m_preferences(preferences), m_memoryLimit(DefaultMemoryLimit(PhysicalMemoryBytes())) {
  m_hydrogenAtom = appendComponent(HydrogenRadical(), false);
  TMolecule* helium = appendComponent(Helium(), true);
  TMolecule* nitrogen = appendComponent(Nitrogen(), false);
  TMolecule* water = appendComponent(Water(), false);
  helium->Inert = nitrogen->Inert = water->Inert = true;
}

TReactionNetwork::~TReactionNetwork() = default;

bool TReactionNetwork::IsRoot(const TMolecule* component) const {
  return std::find(m_roots.begin(), m_roots.end(), component) != m_roots.end();
}

TMolecule* TReactionNetwork::appendComponent(std::unique_ptr<TMolecule> component, bool isRoot) {
  const auto index = static_cast<std::int32_t>(m_components.size());
  component->ID = index;
  TMolecule* added = component.get();
  m_components.push_back(std::move(component));
  m_componentIndex.Add(added);
  m_contentFootprint += ComponentFootprint(*added);
  if (isRoot) m_roots.push_back(added);
  return added;
}

TMolecule* TReactionNetwork::AddComponent(const TByteMatrix& adjacency, const TByteVector& atomTypes,
                                          const TBoolMatrix& aromatic, bool isRoot, std::string* error) {
  auto component = TMolecule::FromStructure(0, adjacency, atomTypes, aromatic, error);
  if (!component) return nullptr;
  return appendComponent(std::move(component), isRoot);
}

int TReactionNetwork::FindComponent(const TMolecule& molecule) const {
  // A component's ID is its position.
  const TMolecule* found = m_componentIndex.Find(molecule.Certificate());
  return found ? found->ID : -1;
}

int TReactionNetwork::IndexOfComponent(const TMolecule* component) const {
  if (!component) return -1;
  const std::int32_t id = component->ID;
  if (id >= 0 && static_cast<std::size_t>(id) < m_components.size() && m_components[id].get() == component) return id;
  for (std::size_t i = 0; i < m_components.size(); ++i)
    if (m_components[i].get() == component) return static_cast<int>(i);
  return -1;
}

int TReactionNetwork::IndexOfReaction(const TReaction* reaction) const {
  for (std::size_t i = 0; i < m_reactions.size(); ++i)
    if (m_reactions[i].get() == reaction) return static_cast<int>(i);
  return -1;
}

TReaction* TReactionNetwork::AddReactionCopy(const TReaction& source) {
  auto reaction = std::make_unique<TReaction>();
  reaction->SetParameters(source.ReactionType, source.ActEnergy, source.FreqFactor);
  reaction->Selectivity = source.Selectivity;
  reaction->SelectivityAfterFilter = source.SelectivityAfterFilter;
  reaction->MultiplyByActiveRadicals = source.MultiplyByActiveRadicals;
  reaction->ExplicitKinetics = source.ExplicitKinetics;
  if (source.ReactionType != kOtherReaction) {
    reaction->FreqFact2 = source.FreqFact2;
    reaction->ActEnerg2 = source.ActEnerg2;
  }
  for (std::size_t i = 0; i < source.Reactants.size(); ++i)
    reaction->AddReactant(source.Reactants[i], source.ReactantCoefs[i]);
  for (std::size_t i = 0; i < source.Products.size(); ++i)
    reaction->AddProduct(source.Products[i], source.ProductCoefs[i]);
  LinkReaction(*reaction);
  m_contentFootprint += ReactionFootprint(*reaction);
  m_reactions.push_back(std::move(reaction));
  return m_reactions.back().get();
}

void TReactionNetwork::RemoveReaction(std::size_t index) {
  if (index >= m_reactions.size()) return;
  m_reactions.erase(m_reactions.begin() + static_cast<std::ptrdiff_t>(index));
  Relink();
  recountFootprint();
}

void TReactionNetwork::EditReaction(std::size_t index, const TReaction& changes) {
  if (index >= m_reactions.size()) return;
  TReaction& reaction = *m_reactions[index];
  for (TMolecule* product : reaction.Products) UnlinkFirst(*product, kFormedIn, &reaction);
  for (TMolecule* reactant : reaction.Reactants) UnlinkFirst(*reactant, kConsumedIn, &reaction);

  reaction.Reactants.clear();
  reaction.ReactantCoefs.clear();
  reaction.SetProducts({}, {});
  for (std::size_t i = 0; i < changes.Reactants.size(); ++i)
    reaction.AddReactant(changes.Reactants[i], changes.ReactantCoefs[i]);
  for (std::size_t i = 0; i < changes.Products.size(); ++i)
    reaction.AddProduct(changes.Products[i], changes.ProductCoefs[i]);

  std::unordered_map<const TReaction*, std::size_t> positions;
  for (std::size_t i = 0; i < m_reactions.size(); ++i) positions.emplace(m_reactions[i].get(), i);
  for (std::size_t i = 0; i < reaction.Products.size(); ++i) {
    assert(IndexOfComponent(reaction.Products[i]) >= 0);
    LinkInOrder(*reaction.Products[i], kFormedIn, &reaction, reaction.ProductCoefs[i], index, positions);
  }
  for (std::size_t i = 0; i < reaction.Reactants.size(); ++i) {
    assert(IndexOfComponent(reaction.Reactants[i]) >= 0);
    LinkInOrder(*reaction.Reactants[i], kConsumedIn, &reaction, reaction.ReactantCoefs[i], index, positions);
  }

  reaction.SetParameters(changes.ReactionType, changes.ActEnergy, changes.FreqFactor);
  reaction.FreqFact2 = changes.FreqFact2;
  reaction.ActEnerg2 = changes.ActEnerg2;
  reaction.MultiplyByActiveRadicals = changes.MultiplyByActiveRadicals;
  reaction.ExplicitKinetics = changes.ExplicitKinetics;
  recountFootprint();
  // The equal-reaction index of a run keys reactions by what just changed.
  m_reactionIndex.reset();
}

void TReactionNetwork::Relink() {
  for (auto& component : m_components) component->ReactionLinks.Clear();
  // Counted first, so that each component's links take one block of the
  // exact size.
  for (auto& reaction : m_reactions) {
    for (TMolecule* product : reaction->Products) product->ReactionLinks.Expect(kFormedIn);
    for (TMolecule* reactant : reaction->Reactants) reactant->ReactionLinks.Expect(kConsumedIn);
  }
  for (auto& reaction : m_reactions) LinkReaction(*reaction);
}

void TReactionNetwork::RemoveComponent(std::size_t index) {
  if (index >= m_components.size()) return;
  TMolecule* removed = m_components[index].get();
  std::unordered_set<const TReaction*> destroyed;

  // Reactions forming the component, then reactions consuming it, leave
  // every other component's links first.
  const auto formedInLinks = removed->ReactionLinks[kFormedIn];
  const std::vector<TReaction*> formedIn(formedInLinks.begin(), formedInLinks.end());
  for (TReaction* reaction : formedIn) {
    if (destroyed.count(reaction)) continue;
    for (TMolecule* reactant : reaction->Reactants) Unlink(*reactant, kConsumedIn, reaction);
    for (TMolecule* product : reaction->Products)
      if (product != removed) Unlink(*product, kFormedIn, reaction);
    destroyed.insert(reaction);
  }
  const auto consumedInLinks = removed->ReactionLinks[kConsumedIn];
  const std::vector<TReaction*> consumedIn(consumedInLinks.begin(), consumedInLinks.end());
  for (TReaction* reaction : consumedIn) {
    if (destroyed.count(reaction)) continue;
    for (TMolecule* reactant : reaction->Reactants)
      if (reactant != removed) Unlink(*reactant, kConsumedIn, reaction);
    for (TMolecule* product : reaction->Products) Unlink(*product, kFormedIn, reaction);
    destroyed.insert(reaction);
  }
  // Whatever still names the component (links out of date) goes with it.
  for (auto& reaction : m_reactions)
    if (reaction->HasReactant(removed) || reaction->HasProduct(removed)) destroyed.insert(reaction.get());
  std::erase_if(m_reactions, [&destroyed](const auto& reaction) { return destroyed.count(reaction.get()) > 0; });

  std::erase(m_roots, removed);
  std::unordered_set<const TMolecule*> deleted{removed};
  m_components.erase(m_components.begin() + static_cast<std::ptrdiff_t>(index));

  // Keep what the roots still reach.
  for (auto& component : m_components) component->Marked = false;
  for (auto& reaction : m_reactions) reaction->Mark = false;
  for (TMolecule* root : m_roots) {
    root->Marked = true;
    for (TReaction* reaction : root->ReactionLinks[kConsumedIn]) reaction->MarkDownstream();
  }
  std::erase_if(m_components, [&deleted](std::unique_ptr<TMolecule>& component) {
    if (component->Marked || component->AtomCount() <= 1) return false;
    deleted.insert(component.get());
    return true;
  });
  // An unmarked reaction goes; so does a marked one that still names a
  // deleted component (possible for reactions made by hand), so that no
  // reaction refers to a component that no longer exists.
  std::erase_if(m_reactions, [&deleted](const auto& reaction) {
    if (!reaction->Mark) return true;
    for (const TMolecule* m : reaction->Reactants)
      if (deleted.count(m)) return true;
    for (const TMolecule* m : reaction->Products)
      if (deleted.count(m)) return true;
    return false;
  });

  if (deleted.count(m_hydrogenAtom)) m_hydrogenAtom = nullptr;
  renumberComponents();
  ensureHydrogenAtom();
  Relink();
  recountFootprint();
}

void TReactionNetwork::renumberComponents() {
  for (std::size_t i = 0; i < m_components.size(); ++i) m_components[i]->ID = static_cast<std::int32_t>(i);
  rebuildComponentIndex();
  m_reactionIndex.reset();
}

void TReactionNetwork::rebuildComponentIndex() {
  m_componentIndex.Clear();
  for (auto& component : m_components) m_componentIndex.Add(component.get());
}

void TReactionNetwork::recountFootprint() {
  m_contentFootprint = 0;
  for (const auto& component : m_components) m_contentFootprint += ComponentFootprint(*component);
  for (const auto& reaction : m_reactions) m_contentFootprint += ReactionFootprint(*reaction);
}

std::size_t TReactionNetwork::FootprintEstimate() const {
  const std::size_t lists = (m_components.capacity() + m_reactions.capacity() + m_roots.capacity()) * sizeof(void*);
  return m_contentFootprint + lists + m_componentIndex.MemoryBytes();
}

void TReactionNetwork::ensureHydrogenAtom() {
  // Every recombination needs the hydrogen radical: use the first component
  // identical to it, or append one.
  if (m_hydrogenAtom) return;
  const auto hydrogen = HydrogenRadical();
  const int found = FindComponent(*hydrogen);
  m_hydrogenAtom = found >= 0 ? m_components[static_cast<std::size_t>(found)].get()
                              : appendComponent(HydrogenRadical(), false);
}

void TReactionNetwork::ReplaceContent(std::vector<std::unique_ptr<TMolecule>> components,
                                      std::vector<std::unique_ptr<TReaction>> reactions,
                                      const std::vector<std::size_t>* roots) {
  m_reactions = std::move(reactions);
  m_components = std::move(components);
  recountFootprint();
  m_roots.clear();
  m_hydrogenAtom = nullptr;
  for (auto& component : m_components) component->Inert = false;
  renumberComponents();
  ensureHydrogenAtom();

  // Built-in inert species are recognised by identity.
  const std::unique_ptr<TMolecule> inert[] = {Helium(), Nitrogen(), Water()};
  for (auto& component : m_components)
    for (const auto& builtIn : inert)
      if (AreIsomorphic(*component, *builtIn)) component->Inert = true;

  Relink();
  if (roots) {
    for (std::size_t index : *roots)
      if (index < m_components.size() && !IsRoot(m_components[index].get()))
        m_roots.push_back(m_components[index].get());
    AfterFilterSelectivity();
    return;
  }
  const auto helium = Helium();
  for (auto& component : m_components) {
    const bool isHelium = component->Inert && AreIsomorphic(*component, *helium);
    // Only generated reactions form a component: a feed is formed by none,
    // or only by the recombination of its own radicals, and then it was
    // processed (some reaction consumes it). Recombination products of the
    // closing pass are never processed.
    const auto formedIn = component->ReactionLinks[kFormedIn];
    const bool onlyRecombination = std::all_of(formedIn.begin(), formedIn.end(), [](const TReaction* reaction) {
      return reaction->ReactionType == kRecombination;
    });
    const bool isFeed = !component->Inert && component.get() != m_hydrogenAtom &&
                        (formedIn.empty() || (onlyRecombination && !component->ReactionLinks[kConsumedIn].empty()));
    if (isHelium || isFeed) m_roots.push_back(component.get());
  }
  AfterFilterSelectivity();
}

std::vector<std::size_t> TReactionNetwork::RootIndices() const {
  std::vector<std::size_t> indices;
  indices.reserve(m_roots.size());
  for (const TMolecule* root : m_roots)
    if (const int index = IndexOfComponent(root); index >= 0) indices.push_back(static_cast<std::size_t>(index));
  return indices;
}

std::int32_t TReactionNetwork::nextStamp() {
  if (m_lastStamp == INT32_MAX) {
    // Start over only after clearing every stamp a reaction holds.
    for (auto& reaction : m_reactions) reaction->VisitStamp = 0;
    m_lastStamp = 0;
  }
  return ++m_lastStamp;
}

}  // namespace korvane
