#pragma once
/// Kinetic parameter estimation: the parameter recipes of generated
/// reactions (which entries of the kinetic parameter table are summed for A
/// and for E) and the rate constant used throughout generation.

#include <cstddef>
#include <cstdint>
#include <string>

namespace korvane {

class TMolecule;

/// Gas constant used by generation [J/(mol K)].
inline constexpr double kGasConstant = 8.314;

/// The two recipes of a reaction: strings of parameter indexes, one per character.
struct TRecipes {
  std::string FrequencyFactor;
  std::string ActivationEnergy;
};

/// Recipes for a reaction of class 1 to 4 breaking the bond first–second of
/// the molecule (the radical before a beta-scission, the molecule losing a
/// hydrogen). Beta-scission: first = X (next to the radical centre), second
/// = Y; hydrogen transfer: the C–H atoms in either order; recombination and
/// allyl isomerisation ignore the atoms. Any other class returns `current`
/// unchanged.
TRecipes BuildRecipes(const TMolecule& molecule, std::int32_t reactionType, std::size_t first, std::size_t second,
                      const TRecipes& current = {});

/// k = A exp(-1000 E / (R T)) with E [kJ/mol], T [K] and R = 8.314.
double RateConstant(double frequencyFactor, double activationEnergy, double temperature);

}  // namespace korvane
