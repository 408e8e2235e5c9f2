#include "network_checks.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <unordered_map>

#include "molecule_builder.h"
#include "reaction_checks.h"

namespace korvane::testing {
namespace {

std::string Where(const char* what, std::size_t index) { return std::string(what) + " " + std::to_string(index) + ": "; }

// Expected link lists of every component, rebuilt from the reactions.
struct Links {
  std::vector<TReaction*> reactions[2];
  std::vector<std::int32_t> coefficients[2];
};

bool SameNumber(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

}  // namespace

TMolecule* AddFeed(TReactionNetwork& network, const std::string& description) {
  auto molecule = MoleculeFrom(description);
  return network.AddComponent(molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix(), true);
}

std::string CheckNetwork(const TReactionNetwork& network, bool asLoaded) {
  std::unordered_map<const TMolecule*, std::size_t> position;
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    const TMolecule* component = network.Component(i);
    if (component->ID != static_cast<std::int32_t>(i)) return Where("component", i) + "ID differs from position";
    if (auto fault = asLoaded ? "" : CheckMolecule(*component); !fault.empty()) return Where("component", i) + fault;
    position[component] = i;
  }
  for (const TMolecule* root : network.Roots())
    if (!position.count(root)) return "a root is not a component";
  if (!network.HydrogenAtom() || !position.count(network.HydrogenAtom())) return "the hydrogen atom is not a component";

  std::vector<Links> expected(network.ComponentCount());
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) {
    TReaction* reaction = network.Reaction(r);
    if (reaction->Reactants.size() != reaction->ReactantCoefs.size() ||
        reaction->Products.size() != reaction->ProductCoefs.size())
      return Where("reaction", r) + "coefficients differ in number from participants";
    for (const auto& [members, coefficients, side] :
         {std::tuple{&reaction->Products, &reaction->ProductCoefs, kFormedIn},
          std::tuple{&reaction->Reactants, &reaction->ReactantCoefs, kConsumedIn}})
      for (std::size_t k = 0; k < members->size(); ++k) {
        const auto found = position.find((*members)[k]);
        if (found == position.end()) return Where("reaction", r) + "participant is not a component";
        expected[found->second].reactions[side].push_back(reaction);
        expected[found->second].coefficients[side].push_back((*coefficients)[k]);
      }
    if (auto fault = asLoaded ? "" : CheckReaction(*reaction); !fault.empty()) return Where("reaction", r) + fault;
  }
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    const TMolecule* component = network.Component(i);
    for (int side : {kFormedIn, kConsumedIn}) {
      if (!std::ranges::equal(component->ReactionLinks[side], expected[i].reactions[side]) ||
          !std::ranges::equal(component->ReactionLinks.Coefficients(side), expected[i].coefficients[side]))
        return Where("component", i) + "links disagree with the reactions";
    }
  }
  std::unordered_map<std::string, std::size_t> species;
  for (std::size_t i = 0; i < network.ComponentCount() && !asLoaded; ++i) {
    const auto [first, added] = species.try_emplace(std::string(network.Component(i)->Certificate()), i);
    if (!added) return Where("component", i) + "identical to component " + std::to_string(first->second);
  }
  return "";
}

std::string CompareNetworks(const TReactionNetwork& a, const TReactionNetwork& b) {
  if (a.GetPreferences() != b.GetPreferences()) return "preferences differ";
  if (a.ComponentCount() != b.ComponentCount())
    return "component counts " + std::to_string(a.ComponentCount()) + " and " + std::to_string(b.ComponentCount());
  for (std::size_t i = 0; i < a.ComponentCount(); ++i) {
    const TMolecule& x = *a.Component(i);
    const TMolecule& y = *b.Component(i);
    if (x.AdjacencyMatrix() != y.AdjacencyMatrix() || x.AtomTypes() != y.AtomTypes() ||
        x.AromaticMatrix() != y.AromaticMatrix())
      return Where("component", i) + "structures differ";
    if (a.IsRoot(&x) != b.IsRoot(&y) || x.Inert != y.Inert) return Where("component", i) + "flags differ";
    if (x.Name != y.Name) return Where("component", i) + "names differ";
  }
  if (a.ReactionCount() != b.ReactionCount())
    return "reaction counts " + std::to_string(a.ReactionCount()) + " and " + std::to_string(b.ReactionCount());
  auto indexes = [](const TReactionSide& molecules) {
    std::vector<std::int32_t> ids;
    for (const TMolecule* m : molecules) ids.push_back(m->ID);
    return ids;
  };
  for (std::size_t r = 0; r < a.ReactionCount(); ++r) {
    const TReaction& x = *a.Reaction(r);
    const TReaction& y = *b.Reaction(r);
    if (x.ReactionType != y.ReactionType || !SameNumber(x.ActEnergy, y.ActEnergy) ||
        !SameNumber(x.FreqFactor, y.FreqFactor) || x.MultiplyByActiveRadicals != y.MultiplyByActiveRadicals ||
        x.ExplicitKinetics != y.ExplicitKinetics)
      return Where("reaction", r) + "class or parameters differ";
    if (indexes(x.Reactants) != indexes(y.Reactants) || indexes(x.Products) != indexes(y.Products) ||
        x.ReactantCoefs != y.ReactantCoefs || x.ProductCoefs != y.ProductCoefs)
      return Where("reaction", r) + "participants differ";
    if (x.FreqFact2 != y.FreqFact2 || x.ActEnerg2 != y.ActEnerg2) return Where("reaction", r) + "recipes differ";
    if (!SameNumber(x.Selectivity, y.Selectivity) || !SameNumber(x.SelectivityAfterFilter, y.SelectivityAfterFilter))
      return Where("reaction", r) + "selectivities differ";
  }
  return "";
}

TExpectedKinetics ExpectedKinetics(const TReactionNetwork& network, std::span<const double> global,
                                   std::span<const double> alternative, double T, const std::vector<double>& c,
                                   double cActR) {
  TExpectedKinetics expected;
  expected.Balance.assign(network.ComponentCount(), 0.0);
  expected.BalanceScale = expected.Balance;
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
    const TReaction& reaction = *network.Reaction(i);
    const double k = reaction.FrequencyFactorValue(global, alternative) *
                     std::exp(-1000.0 * reaction.ActivationEnergyValue(global, alternative) / (8.314472 * T));
    double rate = reaction.MultiplyByActiveRadicals ? k * cActR : k;
    for (const TMolecule* m : reaction.Reactants) rate *= c[static_cast<std::size_t>(m->ID)];
    expected.K.push_back(k);
    expected.Rates.push_back(rate);
    for (const auto& [members, coefficients] : {std::pair{&reaction.Products, &reaction.ProductCoefs},
                                                std::pair{&reaction.Reactants, &reaction.ReactantCoefs}})
      for (std::size_t p = 0; p < members->size(); ++p) {
        const auto j = static_cast<std::size_t>((*members)[p]->ID);
        expected.Balance[j] += (*coefficients)[p] * rate;
        expected.BalanceScale[j] += std::fabs((*coefficients)[p] * rate);
      }
  }
  return expected;
}

}  // namespace korvane::testing
