#pragma once
/// Helpers for network tests: feeding a network, checking its invariants,
/// and comparing two networks structurally.

#include <span>
#include <string>
#include <vector>

#include "core/molecule.h"
#include "reactions/reaction_network.h"

namespace korvane::testing {

/// Adds the molecule of a description (see molecule_builder.h) as a root.
TMolecule* AddFeed(TReactionNetwork& network, const std::string& description);

/// Every participant is a component, ID equals position, the links agree
/// with the reactions, every reaction balances, and no later component is
/// identical (equal certificates) to an earlier one. Empty when all hold.
/// `asLoaded` asks only what a network read from any bytes keeps (the links):
/// damaged data need not balance, hold each species once or have clean matrices.
std::string CheckNetwork(const TReactionNetwork& network, bool asLoaded = false);

/// What the exported equations compute, from the reactions themselves: rate
/// constants k = A exp(-1000 E / (R T)) with R = 8.314472 over the parameter
/// tables, rates (each reactant entry once, times cActR where the reaction
/// carries it) and the balance of every component with the sum of its |terms|.
struct TExpectedKinetics {
  std::vector<double> K, Rates, Balance, BalanceScale;
};
TExpectedKinetics ExpectedKinetics(const TReactionNetwork& network, std::span<const double> global,
                                   std::span<const double> alternative, double T, const std::vector<double>& c,
                                   double cActR);

/// Same components (three stored pieces, in order, names, roots alike) and
/// same reactions (class, E, A, explicit kinetics, coefficients,
/// participants by index, recipes, selectivities). Empty when equal, else the first difference.
std::string CompareNetworks(const TReactionNetwork& a, const TReactionNetwork& b);

}  // namespace korvane::testing
