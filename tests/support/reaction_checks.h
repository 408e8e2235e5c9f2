#pragma once
/// Consistency checks for generated molecules and reactions, shared by the
/// generator, driver and file tests. Each returns an empty string when the
/// object is consistent, else a description of the first fault found, so a
/// test reads EXPECT_EQ(CheckReaction(r), "").

#include <string>
#include <vector>

#include "core/molecule.h"
#include "reactions/reaction.h"

namespace korvane::testing {

/// Square pieces of one size, symmetric adjacency and aromatic matrices, no
/// aromatic flag on the diagonal, and every atom's self entries equal to its
/// diagonal entry.
std::string CheckMolecule(const TMolecule& molecule);

/// Every participant is consistent, each element (H, C, D, T, 14C, He, N, O)
/// balances over the reaction with its coefficients, and so do molar masses.
std::string CheckReaction(const TReaction& reaction);

/// The parameter indexes a recipe names, in order (so a test reads
/// EXPECT_EQ(RecipeIndexes(r.ActEnerg2), (std::vector<int>{10, 27}))).
std::vector<int> RecipeIndexes(const std::string& recipe);

}  // namespace korvane::testing
