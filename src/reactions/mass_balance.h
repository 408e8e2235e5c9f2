#pragma once
/// The mass balance of a reaction, as the manual reaction check judges it
/// and as the network file reader requires it of every loaded reaction.

#include "reactions/reaction.h"

namespace korvane {

/// Largest imbalance accepted, as a share of the summed molar masses.
inline constexpr double kMassBalanceTolerance = 1e-4;

enum class TMassBalance {
  Exact,        ///< the coefficients balance the molar masses exactly
  Approximate,  ///< within kMassBalanceTolerance, not exactly
  Unbalanced,   ///< beyond the tolerance
};

/// M = sum of MolarMass x coefficient over reactants and products; S = sum
/// of the MolarMass of every participant. Unbalanced when |M| > 1e-4 |S|,
/// Approximate when M is not 0 otherwise.
TMassBalance MassBalance(const TReaction& reaction);

}  // namespace korvane
