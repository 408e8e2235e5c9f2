#pragma once
/// The Joback group-contribution scheme for hydrocarbons: the 15 carbon
/// groups with their contributions, the assignment of a molecule's carbons
/// to groups, and the group sums the property estimates are built from.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/molecule.h"
#include "core/vectors.h"

namespace korvane {

/// Number of Joback hydrocarbon groups; a group vector has this length.
inline constexpr std::size_t kJobackGroupCount = 15;

/// Index of each group in a group vector.
enum TJobackGroup : std::uint8_t {
  kGroupCH3 = 0,        ///< -CH3 (non-ring)
  kGroupCH2 = 1,        ///< -CH2- (non-ring)
  kGroupCH = 2,         ///< >CH- (non-ring)
  kGroupC = 3,          ///< >C< (non-ring)
  kGroupEqCH2 = 4,      ///< =CH2 (non-ring)
  kGroupEqCH = 5,       ///< =CH- (non-ring)
  kGroupEqC = 6,        ///< =C< (non-ring)
  kGroupEqCEq = 7,      ///< =C= (non-ring)
  kGroupTripleCH = 8,   ///< ≡CH (non-ring)
  kGroupTripleC = 9,    ///< ≡C- (non-ring)
  kGroupRingCH2 = 10,   ///< -CH2- (ring)
  kGroupRingCH = 11,    ///< >CH- (ring)
  kGroupRingC = 12,     ///< >C< (ring)
  kGroupRingEqCH = 13,  ///< =CH- (ring); also aromatic ring CH
  kGroupRingEqC = 14,   ///< =C< (ring); also substituted or fused aromatic ring C
};

/// Contributions of one group to each estimated property.
struct TJobackContribution {
  double Tc;          ///< ΔTc [-]
  double Pc;          ///< ΔPc [-]
  std::uint8_t Vc;    ///< ΔVc [cm³/mol]
  double Tb;          ///< ΔTb [K]
  double Hf;          ///< ΔHf [kJ/mol]
  double Gf;          ///< ΔGf [kJ/mol]
  double A, B, C, D;  ///< heat capacity coefficients ΔA..ΔD
};

/// The contribution table, one row per group in the order of TJobackGroup.
const std::array<TJobackContribution, kJobackGroupCount>& JobackTable();

/// Column of the contribution table.
enum class TJobackColumn : std::uint8_t { kTc, kPc, kVc, kTb, kHf, kGf, kA, kB, kC, kD };

/// Counts of the 15 groups among the molecule's carbon atoms (types 2, 3, 6,
/// 7); other atoms are not counted. Aromatic ring carbons end up as ring
/// =CH- and ring =C<. Empty for a radical, which gets no properties.
TByteVector JobackGroups(const TMolecule& molecule);

/// Σ count × contribution over the groups for one column. The vector must
/// have kJobackGroupCount entries.
double GroupSum(const TByteVector& groups, TJobackColumn column);

/// Whether the vector counts no group at all (hydrogen, methane, the inert
/// components): such molecules take their properties from fixed values.
bool HasNoGroups(const TByteVector& groups);

}  // namespace korvane
