#include "reactions/mass_balance.h"

#include <array>
#include <cmath>

#include "core/atom_types.h"

namespace korvane {

TMassBalance MassBalance(const TReaction& reaction) {
  // M is summed per atom type over whole atom counts, so that a reaction
  // whose atoms balance gives exactly 0 and draws no rounding warning.
  std::array<std::int64_t, kAtomTypeCount> netAtoms{};
  double total = 0.0;
  auto add = [&](const TReactionSide& molecules, const TSideCoefficients& coefficients) {
    for (std::size_t i = 0; i < molecules.size() && i < coefficients.size(); ++i) {
      for (std::uint8_t type : molecules[i]->AtomTypes())
        if (type < kAtomTypeCount) netAtoms[type] += coefficients[i];
      total += molecules[i]->MolarMass();
    }
  };
  add(reaction.Reactants, reaction.ReactantCoefs);
  add(reaction.Products, reaction.ProductCoefs);
  double weighted = 0.0;
  for (int type = 0; type < kAtomTypeCount; ++type)
    weighted += AtomicMass(static_cast<std::uint8_t>(type)) * static_cast<double>(netAtoms[type]);
  if (std::abs(weighted) > kMassBalanceTolerance * std::abs(total)) return TMassBalance::Unbalanced;
  return weighted == 0.0 ? TMassBalance::Exact : TMassBalance::Approximate;
}

}  // namespace korvane
