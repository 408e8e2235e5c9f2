#pragma once
// The reactions the export and file tests write by hand.

#include <string>
#include <utility>
#include <vector>

#include "reactions/reaction_network.h"

namespace korvane::testing {

/// Adds a reaction over the network's components by index: a negative
/// coefficient makes a reactant entry, a positive one a product entry, in the
/// order given. The recipes list parameter indexes.
inline TReaction* AddReaction(TReactionNetwork& network, std::int32_t type,
                              const std::vector<std::pair<int, std::int32_t>>& participants, bool multiply = false,
                              const std::vector<int>& freq = {}, const std::vector<int>& act = {}, double e = 1.0,
                              double a = 1.0) {
  TReaction reaction;
  for (auto [j, coefficient] : participants) {
    TMolecule* molecule = network.Component(static_cast<std::size_t>(j));
    coefficient < 0 ? reaction.AddReactant(molecule, coefficient) : reaction.AddProduct(molecule, coefficient);
  }
  reaction.SetParameters(type, e, a);
  reaction.MultiplyByActiveRadicals = multiply;
  for (int index : freq) reaction.FreqFact2 += static_cast<char>(index);
  for (int index : act) reaction.ActEnerg2 += static_cast<char>(index);
  return network.AddReactionCopy(reaction);
}

}  // namespace korvane::testing
