// Selectivities of a network: after filtering (share of each reaction in
// consuming its reactant) and absolute (that share traced back to the feed).

#include <cmath>

#include "reactions/reaction_network.h"
#include "reactions/recipes.h"

namespace korvane {
namespace {

// A (-nu) exp(-1000 E / (R T)): the rate of a reaction per unit
// concentration of the reactant whose coefficient is nu.
double Weight(const TReaction& reaction, double coefficient, double temperature) {
  return RateConstant(reaction.FreqFactor, reaction.ActEnergy, temperature) * -coefficient;
}

// Coefficient of the molecule at its last position among the reactants.
double LastReactantCoefficient(const TReaction& reaction, const TMolecule* molecule) {
  for (std::size_t k = reaction.Reactants.size(); k-- > 0;)
    if (reaction.Reactants[k] == molecule) return reaction.ReactantCoefs[k];
  return 0.0;
}

}  // namespace

void TReactionNetwork::AfterFilterSelectivity() {
  const double temperature = m_preferences.NormTemperature;
  // Component by component: a reaction with several reactants keeps the
  // value computed for its reactant of highest index.
  for (const auto& component : m_components) {
    const auto links = component->ReactionLinks[kConsumedIn];
    const auto coefficients = component->ReactionLinks.Coefficients(kConsumedIn);
    std::vector<double> weights(links.size());
    double total = 0.0;
    for (std::size_t k = 0; k < links.size(); ++k) {
      weights[k] = Weight(*links[k], coefficients[k], temperature);
      total += weights[k];
    }
    // Weights that sum to 0 leave no share to distribute: every share is 0.
    for (std::size_t k = 0; k < links.size(); ++k)
      links[k]->SelectivityAfterFilter = total != 0.0 ? weights[k] / total : 0.0;
  }
}

double TReactionNetwork::localShare(const TReaction& reaction) const {
  const TMolecule* consumed = nullptr;
  double coefficient = 0.0;
  for (std::size_t k = reaction.Reactants.size(); k-- > 0;) {
    if (reaction.Reactants[k]->AtomCount() > 1) {
      consumed = reaction.Reactants[k];
      coefficient = reaction.ReactantCoefs[k];
      break;
    }
  }
  if (!consumed) return 0.0;
  const double temperature = m_preferences.NormTemperature;
  double total = 0.0;
  for (const TReaction* competitor : consumed->ReactionLinks[kConsumedIn])
    total += Weight(*competitor, LastReactantCoefficient(*competitor, consumed), temperature);
  // No competing rate at all (links out of date or zero rates): no share.
  return total != 0.0 ? Weight(reaction, coefficient, temperature) / total : 0.0;
}

double TReactionNetwork::AbsoluteSelectivity(std::size_t index) {
  if (index >= m_reactions.size()) return 0.0;
  const std::int32_t stamp = nextStamp();

  // Absolute(r) = local share of r x product over its reactants m of
  //   1 when nothing forms m, else the sum of Absolute(q) over the reactions
  //   q forming m other than r.
  // A reaction already stamped in this walk contributes 0 and is not entered
  // again, which ends every cycle. The walk keeps its own stack: chains of
  // thousands of reactions must not exhaust the thread's stack.
  struct Frame {
    TReaction* reaction;
    std::size_t reactant = 0;  // reactant being summed over
    std::size_t link = 0;      // next formed-in link of that reactant
    double product = 1.0;      // product of the finished reactants' sums
    double sum = 0.0;          // sum so far for the current reactant
  };
  std::vector<Frame> stack;
  TReaction* root = m_reactions[index].get();
  root->VisitStamp = stamp;
  stack.push_back({root});
  for (;;) {
    Frame& frame = stack.back();
    const auto& reactants = frame.reaction->Reactants;
    if (frame.reactant == reactants.size()) {
      const double value = localShare(*frame.reaction) * frame.product;
      stack.pop_back();
      if (stack.empty()) return value;
      stack.back().sum += value;
      ++stack.back().link;
      continue;
    }
    const auto formedIn = reactants[frame.reactant]->ReactionLinks[kFormedIn];
    if (formedIn.empty() || frame.link == formedIn.size()) {
      frame.product *= formedIn.empty() ? 1.0 : frame.sum;
      ++frame.reactant;
      frame.link = 0;
      frame.sum = 0.0;
      continue;
    }
    TReaction* next = formedIn[frame.link];
    if (next == frame.reaction || next->VisitStamp == stamp) {
      ++frame.link;
      continue;
    }
    next->VisitStamp = stamp;
    stack.push_back({next});  // invalidates `frame`
  }
}

}  // namespace korvane
