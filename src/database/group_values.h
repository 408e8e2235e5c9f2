#pragma once
/// Published values of Benson's group additivity for hydrocarbons and their
/// radicals: group contributions, ring-strain and interaction corrections,
/// and hydrogen-bond increments. Units as the tables give them: kcal/mol for
/// enthalpy, cal/(mol·K) for entropy and heat capacity; heat capacities at
/// kGroupTemperatures. Entropies are intrinsic: symmetry is applied to the
/// whole molecule afterwards.

#include <array>
#include <optional>
#include <string_view>

namespace korvane {

/// The temperatures of the heat capacities of every table [K].
inline constexpr std::array<double, 7> kGroupTemperatures{300, 400, 500, 600, 800, 1000, 1500};

/// One contribution: ΔH°f(298 K), S°(298 K) and cp at kGroupTemperatures.
/// `HeatCapacityPoints` is 6 when the table stops at 1000 K.
struct TGroupValue {
  double Enthalpy = 0;
  double Entropy = 0;
  std::array<double, 7> HeatCapacity{};
  int HeatCapacityPoints = 7;
};

/// The group of a central carbon with its neighbours, written as the centre
/// ("Cs" sp3, "Cd" double-bonded, "Ct" triple-bonded, "Cb" aromatic, "Cbf"
/// aromatic with three aromatic neighbours, "Ca" allenic), a colon and the
/// ligand letters in alphabetical order: B aromatic carbon, C sp3 carbon,
/// D double-bonded carbon, F fused aromatic carbon, H hydrogen, T
/// triple-bonded carbon. For Cd the double-bond partner and for Ct the
/// triple-bond partner are implied and not written. "Cs:CCHH" is
/// C-(C)2(H)2, "Cd:CH" is Cd-(C)(H). Null when the tables hold no full set of
/// values for the group.
const TGroupValue* FindGroupValue(std::string_view group);

/// Ring-strain corrections of a non-aromatic ring, by size and the number of
/// its double bonds (an aromatic bond it shares with a benzene ring counts
/// as one); `exocyclic` when a ring atom carries a double bond out of the
/// ring, `isolated` when no two of its double bonds are conjugated. Falls
/// back to the nearest tabulated ring; null for sizes without a correction.
const TGroupValue* FindRingCorrection(int size, int doubleBonds, bool exocyclic, bool isolated);

/// Ring-strain correction of a saturated bicyclic ring system as a whole, in
/// place of its two rings' corrections: two rings of `smaller` and `larger`
/// atoms sharing `shared` atoms (1 spiro, 2 fused, 3 or more bridged). Null
/// when the tables hold no value for that skeleton.
const TGroupValue* FindBicyclicCorrection(int shared, int smaller, int larger);

/// A ring of a bicyclic skeleton: its size, its double and aromatic bonds
/// (counted as for `FindRingCorrection`), and whether every bond is aromatic.
struct TRingShape {
  int Size = 0;
  int DoubleBonds = 0;
  bool Aromatic = false;
  bool operator==(const TRingShape&) const = default;
};

/// Enthalpy [kcal/mol] to add to the ring corrections of a bicyclic skeleton
/// (two rings sharing `shared` atoms, in either order) so that its parent
/// hydrocarbon meets its measured enthalpy of formation. Null when none is
/// tabulated.
std::optional<double> FindSkeletonEnthalpyAdjustment(int shared, const TRingShape& a, const TRingShape& b);

/// Correction per gauche interaction between alkane branches (enthalpy only).
const TGroupValue& GaucheCorrection();
/// Correction per alkane 1,5 interaction (methyl groups of two branched
/// carbons crowding each other across a CH2; enthalpy only).
const TGroupValue& Interaction15Correction();
/// Correction per pair of substituents on neighbouring benzene carbons.
const TGroupValue& OrthoCorrection();

/// The site of an unpaired electron, which selects its hydrogen-bond
/// increment (the change from the parent molecule R–H to the radical R·).
enum class THydrogenBondSite {
  Methyl,           ///< CH3·
  Ethyl,            ///< ·CH2 on a methyl group
  Primary,          ///< ·CH2 on a CH2 (or other) carbon with one more carbon
  Isobutyl,         ///< ·CH2 on a carbon with two more carbons
  Neopentyl,        ///< ·CH2 on a carbon with three more carbons
  Isopropyl,        ///< ·CH between two methyl groups
  SecondaryMethyl,  ///< ·CH between a methyl group and a larger alkyl group
  Secondary,        ///< ·CH between two larger alkyl groups
  Tertiary,         ///< ·C with three alkyl neighbours
  AllylPrimary,     ///< ·CH2 next to a C=C
  AllylSecondary,   ///< ·CH next to a C=C
  AllylTertiary,    ///< ·C next to a C=C
  Pentadienyl,      ///< ·CH2 next to a conjugated diene
  DoublyAllylic,    ///< ·CH between two C=C
  BenzylPrimary,    ///< ·CH2 on a benzene ring
  BenzylSecondary,  ///< ·CH on a benzene ring
  BenzylTertiary,   ///< ·C on a benzene ring
  PropargylPrimary,    ///< ·CH2 next to a C≡C
  PropargylSecondary,  ///< ·CH next to a C≡C
  PropargylTertiary,   ///< ·C next to a C≡C
  VinylPrimary,     ///< =CH·
  VinylSecondary,   ///< =C(R)·
  VinylConjugated,  ///< =C·– next to another C=C
  Allenic,          ///< =C=CH· (the end of an allene)
  Ethynyl,          ///< ≡C·
  Phenyl,           ///< aromatic ring carbon
};

/// The increment of a site. Its enthalpy is the C–H bond dissociation
/// enthalpy of the parent at that site; the radical's ΔH°f is the parent's
/// plus it minus ΔH°f of the hydrogen atom. Its entropy and heat capacity are
/// added to the parent's (intrinsic) values.
const TGroupValue& HydrogenBondIncrement(THydrogenBondSite site);

}  // namespace korvane
