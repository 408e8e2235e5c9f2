#pragma once
/// The kinetics every export writes for a reaction: its frequency factor
/// value A and activation energy value E over the kinetic parameter tables
/// (explicit for class 10, the alternative table for class 11, the global
/// table otherwise), the values the reaction detail window shows as
/// "Final values:".
///
/// A kinetic parameter file that lacks a key leaves -1 in the global table.
/// A recipe naming such an entry would export a meaningless A or E (often a
/// negative rate constant), so the exporters refuse it and name the keys.

#include <span>
#include <string>
#include <vector>

#include "reactions/reaction_network.h"

namespace korvane {

/// Gas constant of the exported kinetics [J/(mol·K)]: the exported code
/// computes k = A·exp(−1000·E/(R·T)) with it, and the CHEMKIN mechanism
/// writes E/R with the same R so that both give the same k.
inline constexpr double kExportGasConstant = 8.314472;

struct TReactionKinetics {
  /// Frequency factor in Korvane's units (1/s, or m^3/(mol·s) per further reactant entry).
  double A = 0.0;
  /// Activation energy [kJ/mol].
  double E = 0.0;
};

struct TExportKinetics {
  /// One per reaction, in reaction order.
  std::vector<TReactionKinetics> Reactions;
  /// Keys of the global table entries that a recipe of a class 1-4 reaction
  /// names and that hold the missing-value mark -1, in index order.
  std::vector<std::string> MissingKeys;
};

TExportKinetics ReactionKinetics(const TReactionNetwork& network, std::span<const double> global,
                                 std::span<const double> alternative);

/// The refusal naming the missing keys, for any exporter.
std::string MissingParametersMessage(const std::vector<std::string>& keys);

}  // namespace korvane
