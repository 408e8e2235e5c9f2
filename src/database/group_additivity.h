#pragma once
/// Benson group additivity for hydrocarbons and their radicals (the tables
/// of group_values.h): ΔH°f(298 K), the intrinsic S°(298 K) and cp at the
/// tables' temperatures, as the sum of the contributions of every carbon's
/// group, a ring-strain correction per ring (smallest set of smallest
/// rings), alkane gauche and 1,5 interactions and benzene ortho corrections.
/// A radical is its parent molecule (a hydrogen on each unpaired electron)
/// plus one hydrogen-bond increment per unpaired electron, chosen by the
/// site.
///
/// The entropy is intrinsic: the caller subtracts R ln σ of the whole
/// molecule and adds R ln 2 for a chiral one. A group the tables lack is
/// replaced by the nearest one (an aromatic, triple-bonded or allenic
/// neighbour read as double-bonded, then double-bonded neighbours read as
/// sp3 one by one). The molecular graph holds no cis/trans arrangement, so
/// no cis correction is made (the trans isomer's values).

#include <cstddef>
#include <utility>
#include <vector>

#include "core/molecule.h"
#include "core/result.h"
#include "database/group_values.h"

namespace korvane {

struct TGroupEstimate {
  double Enthalpy298 = 0;           ///< ΔH°f at 298.15 K [J/mol]
  double IntrinsicEntropy298 = 0;   ///< S° at 298.15 K and 1 bar before symmetry [J/(mol·K)]
  /// (T [K], cp [J/(mol·K)]) at the tables' temperatures (to 1000 K only when
  /// a group's values stop there).
  std::vector<std::pair<double, double>> HeatCapacity;
};

/// The estimate of a molecule of carbon and hydrogen (no isotopes, unpaired
/// electrons on carbon only); a NoValue error with the reason otherwise.
/// Methane has no group and is left to the library of small species.
TResult<TGroupEstimate> GroupAdditivityEstimate(const TMolecule& molecule);

/// The group key of a carbon atom, as FindGroupValue reads it ("Cs:CCHH");
/// an unpaired electron counts as the hydrogen of the parent molecule.
std::string GroupKeyOf(const TAtom& carbon);

/// The site of a carbon that carries an unpaired electron.
THydrogenBondSite HydrogenBondSiteOf(const TAtom& carbon);

}  // namespace korvane
