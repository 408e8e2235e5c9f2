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

void TReactionNetwork::Fuse(const TNetworkList& sources) {
  FusionIndex held;
  for (const auto& reaction : m_reactions) held.Add(*reaction);

  for (const TReactionNetwork* source : sources) {
    if (!source || source == this) continue;  // a network is never fused into itself
    // Destination index of each source component, by identity.
    std::unordered_map<const TMolecule*, std::int32_t> destination;
    for (std::size_t i = 0; i < source->ComponentCount(); ++i) {
      const TMolecule* component = source->Component(i);
      int found = FindComponent(*component);
      if (found < 0) {
        TMolecule* added = AddComponent(component->AdjacencyMatrix(), component->AtomTypes(),
                                        component->AromaticMatrix(), source->IsRoot(component));
        assert(added);  // a component of a network is always a valid molecule
        found = added->ID;
      }
      destination[component] = found;
    }
    auto toDestination = [&destination](const TMolecule* m) { return destination.at(m); };

    for (std::size_t r = 0; r < source->ReactionCount(); ++r) {
      const TReaction& reaction = *source->Reaction(r);
      if (held.Contains(reaction, toDestination)) continue;
      auto copy = std::make_unique<TReaction>();
      copy->SetParameters(reaction.ReactionType, reaction.ActEnergy, reaction.FreqFactor);
      copy->MultiplyByActiveRadicals = reaction.MultiplyByActiveRadicals;
      copy->ExplicitKinetics = reaction.ExplicitKinetics;
      copy->FreqFact2 = reaction.FreqFact2;
      copy->ActEnerg2 = reaction.ActEnerg2;
      for (std::size_t k = 0; k < reaction.Reactants.size(); ++k)
        copy->AddReactant(m_components[toDestination(reaction.Reactants[k])].get(), reaction.ReactantCoefs[k]);
      for (std::size_t k = 0; k < reaction.Products.size(); ++k)
        copy->AddProduct(m_components[toDestination(reaction.Products[k])].get(), reaction.ProductCoefs[k]);
      held.Add(*copy);
      m_reactions.push_back(std::move(copy));
    }
  }
  Relink();
  recountFootprint();
  AfterFilterSelectivity();
}

}  // namespace korvane
