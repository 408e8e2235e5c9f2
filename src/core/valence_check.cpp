#include "core/valence_check.h"

#include <vector>

#include "core/atom_types.h"

namespace korvane {

std::string ValenceProblem(const TMolecule& molecule) {
  const TByteVector& types = molecule.AtomTypes();
  for (std::size_t i = 0; i < types.size(); ++i)
    if (types[i] < kHydrogen || types[i] >= kAtomTypeCount)
      return "atom " + std::to_string(i) + " has the unknown atom type " + std::to_string(types[i]);
  // The aromatic flag belongs to bonds; the network file has no place for
  // one on an atom.
  if (!molecule.AromaticSelfAtoms().empty())
    return "atom " + std::to_string(molecule.AromaticSelfAtoms().front()) + " is marked aromatic by itself";
  std::vector<int> used(molecule.UnpairedElectrons().begin(), molecule.UnpairedElectrons().end());
  for (const TBondEntry& bond : molecule.Bonds()) {
    const std::string atoms = "atoms " + std::to_string(bond.Column) + " and " + std::to_string(bond.Row);
    if (bond.Order > 3) return "the bond between " + atoms + " has order " + std::to_string(bond.Order);
    if (bond.Aromatic && !(IsAromaticType(types[bond.Row]) && IsAromaticType(types[bond.Column])))
      return "the aromatic bond between " + atoms + " does not join two aromatic carbons";
    used[bond.Row] += bond.Order;
    used[bond.Column] += bond.Order;
  }
  for (std::size_t i = 0; i < types.size(); ++i)
    if (used[i] != Valence(types[i]))
      return "atom " + std::to_string(i) + " (" + AtomSymbol(types[i]) + ") has bonds and unpaired electrons of " +
             "valence " + std::to_string(used[i]) + "; " + AtomSymbol(types[i]) + " has " +
             std::to_string(Valence(types[i]));
  return {};
}

}  // namespace korvane
