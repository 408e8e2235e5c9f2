// Fusion: copies the components and reactions of source networks into this
// one without duplicating identical components or matching reactions.

#include <algorithm>
#include <bit>
#include <cassert>
#include <optional>
#include <unordered_map>

#include "reactions/reaction_network.h"

namespace korvane {
namespace {

// Participant lists of up to three items are compared up to order; longer
// lists never match.
constexpr std::size_t kMaxComparedSide = 3;
// Source components and reactions read between two progress reports.
constexpr std::size_t kProgressStep = 64;

struct FusionKey {
  std::int32_t type;
  double energy;
  double frequency;
  bool multiply;
  bool explicitKinetics;
  std::vector<std::int32_t> reactants;  // destination indexes, sorted
  std::vector<std::int32_t> products;

  friend bool operator==(const FusionKey&, const FusionKey&) = default;
};

std::uint64_t Hash(const FusionKey& key) {
  std::uint64_t hash = static_cast<std::uint64_t>(key.type) * 31 + key.multiply + 2 * key.explicitKinetics;
  auto mix = [&hash](std::uint64_t value) { hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2); };
  mix(std::bit_cast<std::uint64_t>(key.energy == 0.0 ? 0.0 : key.energy));
  mix(std::bit_cast<std::uint64_t>(key.frequency == 0.0 ? 0.0 : key.frequency));
  mix(key.reactants.size());
  for (std::int32_t index : key.reactants) mix(static_cast<std::uint64_t>(index));
  mix(key.products.size());
  for (std::int32_t index : key.products) mix(static_cast<std::uint64_t>(index));
  return hash;
}

// Exactly equal numbers compare equal; NaN never does.
bool SameNumbers(const FusionKey& a, const FusionKey& b) {
  return a.type == b.type && a.energy == b.energy && a.frequency == b.frequency && a.multiply == b.multiply &&
         a.explicitKinetics == b.explicitKinetics && a.reactants == b.reactants && a.products == b.products;
}

std::vector<std::int32_t> Sorted(std::vector<std::int32_t> indexes) {
  std::sort(indexes.begin(), indexes.end());
  return indexes;
}

class FusionIndex {
 public:
  void Add(const TReaction& reaction) {
    if (auto key = KeyOf(reaction, [](const TMolecule* m) { return m->ID; })) m_keys[Hash(*key)].push_back(*key);
  }
  template <class MapIndex>
  bool Contains(const TReaction& reaction, MapIndex toDestination) const {
    const auto key = KeyOf(reaction, toDestination);
    if (!key) return false;
    const auto bucket = m_keys.find(Hash(*key));
    if (bucket == m_keys.end()) return false;
    return std::any_of(bucket->second.begin(), bucket->second.end(),
                       [&key](const FusionKey& held) { return SameNumbers(held, *key); });
  }

 private:
  template <class MapIndex>
  static std::optional<FusionKey> KeyOf(const TReaction& reaction, MapIndex toDestination) {
    if (reaction.Reactants.size() > kMaxComparedSide || reaction.Products.size() > kMaxComparedSide)
      return std::nullopt;
    FusionKey key{reaction.ReactionType, reaction.ActEnergy, reaction.FreqFactor, reaction.MultiplyByActiveRadicals,
                  reaction.ExplicitKinetics, {}, {}};
    for (const TMolecule* m : reaction.Reactants) key.reactants.push_back(toDestination(m));
    for (const TMolecule* m : reaction.Products) key.products.push_back(toDestination(m));
    key.reactants = Sorted(std::move(key.reactants));
    key.products = Sorted(std::move(key.products));
    return key;
  }

  std::unordered_map<std::uint64_t, std::vector<FusionKey>> m_keys;
};

}  // namespace

bool TReactionNetwork::Fuse(const TNetworkList& sources, const TFusionControl& control) {
  TNetworkList read;
  std::size_t total = 0;
  for (const TReactionNetwork* source : sources) {
    if (!source || source == this) continue;  // a network is never fused into itself
    read.push_back(source);
    total += source->ComponentCount() + source->ReactionCount();
  }
  std::size_t done = 0;
  auto stopped = [&control] { return control.Stop && control.Stop->load(std::memory_order_relaxed); };
  auto onward = [&] {
    if (++done % kProgressStep == 0 && control.Progress) control.Progress(done, total);
    return !stopped();
  };

  // The new components and reactions are made aside, the components with the
  // positions they will take, so that the network stays as it was until the
  // end and a stop costs nothing but what was made.
  FusionIndex held;
  for (const auto& reaction : m_reactions) held.Add(*reaction);
  std::vector<std::unique_ptr<TMolecule>> newComponents;
  std::vector<bool> newRoots;
  TComponentIndex newIndex;
  std::vector<std::unique_ptr<TReaction>> newReactions;

  for (const TReactionNetwork* source : read) {
    // The destination component (held or new) of each source component, by identity.
    std::unordered_map<const TMolecule*, TMolecule*> destination;
    for (std::size_t i = 0; i < source->ComponentCount(); ++i) {
      const TMolecule* component = source->Component(i);
      TMolecule* found = m_componentIndex.Find(component->Certificate());
      if (!found) found = newIndex.Find(component->Certificate());
      if (!found) {
        auto made = TMolecule::FromStructure(static_cast<std::int32_t>(m_components.size() + newComponents.size()),
                                             component->AdjacencyMatrix(), component->AtomTypes(),
                                             component->AromaticMatrix());
        assert(made);  // a component of a network is always a valid molecule
        found = made.get();
        newIndex.Add(found);
        newComponents.push_back(std::move(made));
        newRoots.push_back(source->IsRoot(component));
      }
      destination[component] = found;
      if (!onward()) return false;
    }
    auto toDestination = [&destination](const TMolecule* m) { return destination.at(m)->ID; };

    for (std::size_t r = 0; r < source->ReactionCount(); ++r) {
      const TReaction& reaction = *source->Reaction(r);
      if (!held.Contains(reaction, toDestination)) {
        auto copy = std::make_unique<TReaction>();
        copy->SetParameters(reaction.ReactionType, reaction.ActEnergy, reaction.FreqFactor);
        copy->MultiplyByActiveRadicals = reaction.MultiplyByActiveRadicals;
        copy->ExplicitKinetics = reaction.ExplicitKinetics;
        copy->FreqFact2 = reaction.FreqFact2;
        copy->ActEnerg2 = reaction.ActEnerg2;
        for (std::size_t k = 0; k < reaction.Reactants.size(); ++k)
          copy->AddReactant(destination.at(reaction.Reactants[k]), reaction.ReactantCoefs[k]);
        for (std::size_t k = 0; k < reaction.Products.size(); ++k)
          copy->AddProduct(destination.at(reaction.Products[k]), reaction.ProductCoefs[k]);
        held.Add(*copy);
        newReactions.push_back(std::move(copy));
      }
      if (!onward()) return false;
    }
  }
  if (control.Progress) control.Progress(total, total);
  if (stopped()) return false;

  // The commit. The lists grow first, so that running out of memory leaves
  // the network as it was rather than half fused.
  m_components.reserve(m_components.size() + newComponents.size());
  m_roots.reserve(m_roots.size() + newComponents.size());
  m_reactions.reserve(m_reactions.size() + newReactions.size());
  for (std::size_t k = 0; k < newComponents.size(); ++k) {
    [[maybe_unused]] const std::int32_t position = newComponents[k]->ID;
    [[maybe_unused]] const TMolecule* added = appendComponent(std::move(newComponents[k]), newRoots[k]);
    assert(added->ID == position);
  }
  for (auto& reaction : newReactions) m_reactions.push_back(std::move(reaction));
  Relink();
  recountFootprint();
  AfterFilterSelectivity();
  return true;
}

}  // namespace korvane
