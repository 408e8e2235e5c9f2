#include "database/group_values.h"

#include <algorithm>
#include <utility>

namespace korvane {
namespace {

struct TNamedGroup {
  std::string_view Key;
  TGroupValue Value;
};

// Benson groups of hydrocarbons: S. W. Benson, Thermochemical Kinetics, 2nd
// ed., Wiley, New York (1976), tables of group values pp. 272-273. By the
// book's convention a methyl group is C-(C)(H)3 whatever it is bonded to, and
// Cd-(Cb)(H), Cd-(Ct)(H) and Ct-(Cb) share the values of Cd-(Cd)(H) and
// Ct-(Cd). The fused aromatic carbons' heat capacities stop at 1000 K.
// Groups the book gives without entropy or heat capacity (Cd-(Cd)2,
// Cd-(Cb)2) are left out and fall back to the nearest group.
constexpr TNamedGroup kGroups[] = {
    {"Cs:CHHH", {-10.20, 30.41, {6.19, 7.84, 9.40, 10.79, 13.02, 14.77, 17.58}}},
    {"Cs:CCHH", {-4.93, 9.42, {5.50, 6.95, 8.25, 9.35, 11.07, 12.34, 14.25}}},
    {"Cs:CCCH", {-1.90, -12.07, {4.54, 6.00, 7.17, 8.05, 9.31, 10.05, 11.17}}},
    {"Cs:CCCC", {0.50, -35.10, {4.37, 6.13, 7.36, 8.12, 8.77, 8.76, 8.12}}},
    {"Cs:CDHH", {-4.76, 9.80, {5.12, 6.86, 8.32, 9.49, 11.22, 12.48, 14.36}}},
    {"Cs:DDHH", {-4.29, 10.20, {4.70, 6.80, 8.40, 9.60, 11.30, 12.60, 14.40}}},
    {"Cs:BDHH", {-4.29, 10.20, {4.70, 6.80, 8.40, 9.60, 11.30, 12.60, 14.40}}},
    {"Cs:CHHT", {-4.73, 10.30, {4.95, 6.56, 7.93, 9.08, 10.86, 12.19, 14.20}}},
    {"Cs:BCHH", {-4.86, 9.34, {5.84, 7.61, 8.98, 10.01, 11.49, 12.54, 13.76}}},
    {"Cs:CCDH", {-1.48, -11.69, {4.16, 5.91, 7.34, 8.19, 9.46, 10.19, 11.28}}},
    {"Cs:CCHT", {-1.72, -11.19, {3.99, 5.61, 6.85, 7.78, 9.10, 9.90, 11.12}}},
    {"Cs:BCCH", {-0.98, -12.15, {4.88, 6.66, 7.90, 8.75, 9.73, 10.25, 10.68}}},
    {"Cs:CCCD", {1.68, -34.72, {3.99, 6.04, 7.43, 8.26, 8.92, 8.96, 8.23}}},
    {"Cs:BCCC", {2.81, -35.18, {4.37, 6.79, 8.09, 8.78, 9.19, 8.96, 7.63}}},
    {"Cd:HH", {6.26, 27.61, {5.10, 6.36, 7.51, 8.50, 10.07, 11.27, 13.19}}},
    {"Cd:CH", {8.59, 7.97, {4.16, 5.03, 5.81, 6.50, 7.65, 8.45, 9.62}}},
    {"Cd:CC", {10.34, -12.70, {4.10, 4.61, 4.99, 5.26, 5.80, 6.08, 6.36}}},
    {"Cd:DH", {6.78, 6.38, {4.46, 5.79, 6.75, 7.42, 8.35, 8.99, 9.98}}},
    {"Cd:CD", {8.88, -14.60, {4.40, 5.37, 5.93, 6.18, 6.50, 6.62, 6.72}}},
    {"Cd:BH", {6.78, 6.38, {4.46, 5.79, 6.75, 7.42, 8.35, 8.99, 9.98}}},
    {"Cd:BC", {8.64, -14.60, {4.40, 5.37, 5.93, 6.18, 6.50, 6.62, 6.72}}},
    {"Cd:HT", {6.78, 6.38, {4.46, 5.79, 6.75, 7.42, 8.35, 8.99, 9.98}}},
    {"Ct:H", {26.93, 24.70, {5.27, 5.99, 6.49, 6.87, 7.47, 7.96, 8.85}}},
    {"Ct:C", {27.55, 6.35, {3.13, 3.48, 3.81, 4.09, 4.60, 4.92, 6.35}}},
    {"Ct:D", {29.20, 6.43, {2.57, 3.54, 3.50, 4.92, 5.34, 5.50, 5.80}}},
    {"Ct:B", {29.20, 6.43, {2.57, 3.54, 3.50, 4.92, 5.34, 5.50, 5.80}}},
    {"Cb:H", {3.30, 11.53, {3.24, 4.44, 5.46, 6.30, 7.54, 8.41, 9.73}}},
    {"Cb:C", {5.51, -7.69, {2.67, 3.14, 3.68, 4.15, 4.96, 5.44, 5.98}}},
    {"Cb:D", {5.68, -7.80, {3.59, 3.97, 4.38, 4.72, 5.28, 5.61, 5.75}}},
    {"Cb:T", {5.68, -7.80, {3.59, 3.97, 4.38, 4.72, 5.28, 5.61, 5.75}}},
    {"Cb:B", {4.96, -8.64, {3.33, 4.22, 4.89, 5.27, 5.76, 5.95, 6.05}}},
    {"Ca:", {34.20, 6.00, {3.90, 4.40, 4.70, 5.00, 5.30, 5.50, 5.70}}},
    {"Cbf:BBF", {4.80, -5.00, {3.00, 3.70, 4.20, 4.60, 5.20, 5.50, 0.0}, 6}},
    {"Cbf:BFF", {3.70, -5.00, {3.00, 3.70, 4.20, 4.60, 5.20, 5.50, 0.0}, 6}},
    {"Cbf:FFF", {1.50, 1.40, {2.00, 2.90, 3.50, 4.00, 4.70, 5.10, 0.0}, 6}},
};

struct TRingEntry {
  int Size;
  int DoubleBonds;
  bool Exocyclic;
  bool Isolated;  // double bonds apart (1,4-cyclohexadiene), not conjugated
  TGroupValue Value;
};

// Ring-strain corrections as compiled in the ring table of the RMG-database
// (Reaction Mechanism Generator database, MIT, input/thermo/groups/ring.py),
// the entries marked there as Benson's unless noted. Cyclobutadiene is the
// table's own estimate; cyclooctane and cyclooctene are A. G. Vandeputte's
// CBS-QB3 update of Benson's values. Benson gives cycloheptane's heat
// capacity at 300 K only (−9.1), which would make cp jump, so the
// seven-membered rings carry no heat-capacity correction; for rings the
// table lists without entropy (1,3-cycloheptadiene, nine and ten members)
// the nearest ring's entropy (cycloheptene) or none is used.
constexpr TRingEntry kRings[] = {
    {3, 0, false, false, {27.53, 32.0088, {-3.227, -2.849, -2.536, -2.35, -2.191, -2.111, -1.76}}},
    {3, 0, true, false, {40.92, 31.4507, {-2.1, -2.121, -2.081, -2.005, -1.98, -1.903, -1.541}}},
    {3, 1, false, false, {55.4702, 33.3257, {-0.469, -0.789, -0.953, -1.107, -1.45, -1.696, -1.716}}},
    {4, 0, false, false, {26.2, 29.8, {-4.61, -3.89, -3.14, -2.64, -1.88, -1.38, -0.67}}},
    {4, 1, false, false, {29.84, 29.8677, {-3.038, -2.783, -2.423, -2.153, -1.888, -1.694, -1.258}}},
    {4, 2, false, false, {77.2135, 36.4303, {-2.336, -3.24, -3.526, -3.419, -3.071, -2.761, -2.346}}},
    {5, 0, false, false, {6.3, 27.3, {-6.5, -5.5, -4.5, -3.8, -2.8, -1.93, -0.37}}},
    {5, 0, true, false, {5.21, 24.6287, {-5.861, -4.909, -3.91, -3.01, -1.769, -0.969, 0.0}}},
    {5, 1, false, false, {5.97, 25.8284, {-4.5, -3.942, -3.291, -2.759, -2.08, -1.628, -0.898}}},
    {5, 2, false, false, {6.05, 27.9821, {-3.7845, -3.72708, -3.2688, -2.74383, -2.05359, -1.65464, -0.98756}}},
    {5, 2, true, false, {14.73, 34.1, {-3.1, -3.4, -3.4, -3.2, -3.0, -2.6, -2.6}}},
    {6, 0, false, false, {0.08, 18.1277, {-5.8, -4.1, -2.9, -1.3, 1.08, 2.16, 3.0}}},
    {6, 1, false, false, {1.17, 21.2114, {-5.1, -4.3, -3.3, -2.5, -1.4, -0.7, 0.4}}},
    {6, 2, false, true, {0.52, 25.3849, {-3.4, -3.2, -2.6, -1.9, -1.2, -0.8, 0.2}}},
    {6, 2, false, false, {3.78, 23.9824, {-4.8, -4.7, -4.2, -3.5, -2.5, -1.8, -0.7}}},
    {7, 0, false, false, {6.4, 15.9, {}}},
    {7, 1, false, false, {5.4, 15.6, {}}},
    {7, 2, false, false, {6.6, 15.6, {}}},
    {7, 3, false, false, {4.7, 23.7, {}}},
    {8, 0, false, false, {10.5, 16.63, {-8.8, -7.5, -5.9, -4.5, -2.3, -0.8, 1.4}}},
    {8, 1, false, false, {6.8, 13.01, {-6.9, -5.8, -4.6, -3.4, -1.8, -0.7, 1.2}}},
    {8, 2, false, false, {8.2, 13.89, {-4.9, -4.3, -3.3, -2.5, -1.3, -0.5, 1.0}}},
    {8, 3, false, false, {8.9, 13.89, {-4.9, -4.3, -3.3, -2.5, -1.3, -0.5, 1.0}}},
    {8, 4, false, false, {17.1, 13.89, {-4.9, -4.3, -3.3, -2.5, -1.3, -0.5, 1.0}}},
    {9, 0, false, false, {12.8, 0.0, {}}},
    {10, 0, false, false, {12.6, 0.0, {}}},
};

struct TBicyclicEntry {
  int Shared;
  int Smaller;
  int Larger;
  TGroupValue Value;
};

// Strain corrections of whole saturated bicyclic skeletons, from the
// polycyclic table of the RMG-database (github.com/ReactionMechanismGenerator/
// RMG-database, input/thermo/groups/polycyclic.py, entries s<shared>_<ring>_
// <ring>_ane): only the entries whose enthalpy the table derives from measured
// enthalpies of formation (B. E. Poling, J. M. Prausnitz, J. P. O'Connell, The
// Properties of Gases and Liquids, 5th ed.; the NIST WebBook; K. B. Wiberg,
// Angew. Chem. Int. Ed. Engl. 25 (1986) 312), their entropy and heat capacity
// from PM7 calculations. Spiropentane, bicyclobutane and the
// bicyclo[n.1.0]alkanes are as an earlier revision of that file gave them;
// its current revision replaces them by values fitted to quantum-chemical
// enthalpies, which put bicyclo[3.1.0]hexane 18 kJ/mol and decalin 33 kJ/mol
// above the measured enthalpies, so those fitted values are not used and
// skeletons with only such a value keep the sum of their rings' corrections.
// Norbornane's entry (no source given) is that earlier revision's too: with
// it norbornane's enthalpy of formation comes within 2.1 kJ/mol of the
// measured one, where the sum of two cyclopentane corrections is 13 kJ/mol
// off.
constexpr TBicyclicEntry kBicyclics[] = {
    {1, 3, 3, {63.59, 67.15, {-5.93, -6.5, -6.24, -5.5, -4.4, -4.35, -2.38}}},          // spiropentane
    {2, 3, 3, {65.52, 69.9, {-4.74, -5.18, -4.85, -4.17, -3.61, -4.01, -3.22}}},        // bicyclo[1.1.0]butane
    {2, 3, 5, {32.75, 61.25, {-8.27, -8.01, -6.85, -5.27, -3.32, -3.2, -1.6}}},         // bicyclo[3.1.0]hexane
    {2, 3, 6, {28.95, 57.69, {-9.33, -8.86, -7.46, -5.59, -3.08, -2.67, -0.76}}},       // bicyclo[4.1.0]heptane
    {2, 3, 7, {29.64, 51.29, {-10.29, -9.54, -7.86, -5.68, -2.67, -2.04, 0.13}}},       // bicyclo[5.1.0]octane
    {2, 3, 8, {31.14, 48.46, {-11.04, -10.02, -8.09, -5.64, -2.16, -1.32, 1.06}}},      // bicyclo[6.1.0]nonane
    {2, 4, 4, {51.8, 59.94, {-8.54, -8.07, -6.7, -4.98, -3.04, -3.1, -1.48}}},          // bicyclo[2.2.0]hexane
    {3, 5, 5, {16.14, 53.47, {-4.5, -3.942, -3.291, -2.759, -2.08, -1.628, -0.898}}},   // norbornane
    {4, 6, 6, {7.4, 48.92, {-12.0, -11.01, -8.96, -6.42, -3.03, -2.4, 0.05}}},          // bicyclo[2.2.2]octane
};

struct TSkeletonAdjustment {
  int Shared;
  TRingShape A, B;
  double Enthalpy;  // kcal/mol
};

// Skeletons whose sum of ring corrections (or whole-skeleton correction)
// misses the measured enthalpy of formation of the parent hydrocarbon by
// more than 4 kJ/mol: the enthalpy each needs on top, the measured value
// minus the estimate without it. Entropy and heat capacity keep the ring
// sum, for want of measurements. Measured gas-phase ΔfH°(298.15 K):
// spiro[5.5]undecane −188.3, indane 60.3 and indene 163.4 kJ/mol (CRC
// Handbook of Chemistry and Physics, 95th ed., 2014, "Standard
// thermodynamic properties of chemical substances"); bicyclo[3.3.1]nonane
// −128 kJ/mol (W. Parker, W. V. Steele, I. Watt, J. Chem. Thermodyn. 9
// (1977) 307); norbornene 90 and norbornadiene 240 kJ/mol (the NIST
// Chemistry WebBook's averages of 8 and 6 determinations).
constexpr TRingShape kSaturated5{5, 0, false}, kSaturated6{6, 0, false}, kBenzene{6, 6, true};
constexpr TSkeletonAdjustment kSkeletonAdjustments[] = {
    {1, kSaturated6, kSaturated6, 3.635},          // spiro[5.5]undecane
    {3, kSaturated6, kSaturated6, 7.557},          // bicyclo[3.3.1]nonane
    {3, kSaturated5, {5, 1, false}, 9.811},        // norbornene
    {3, {5, 1, false}, {5, 1, false}, 18.951},     // norbornadiene
    {2, {5, 1, false}, kBenzene, -1.697},          // indane
    {2, {5, 2, false}, kBenzene, -3.035},          // indene
};

// Benson (1976) pp. 272-273: 0.8 kcal/mol per alkane gauche interaction;
// 1.5 kcal/mol per alkane 1,5 interaction (as the RMG-database's int15
// table encodes it: a carbon between a tert-butyl-like carbon and a carbon
// with two more carbons, twice when both are tert-butyl-like); the ortho
// correction of substituted benzenes.
constexpr TGroupValue kGauche{0.80, 0.0, {}};
constexpr TGroupValue kInteraction15{1.50, 0.0, {}};
constexpr TGroupValue kOrtho{0.57, -1.61, {1.12, 1.35, 1.30, 1.17, 0.88, 0.66, -0.05}};

// Hydrogen-bond increments: T. H. Lay, J. W. Bozzelli, A. M. Dean, E. R.
// Ritter, J. Phys. Chem. 99 (1995) 14514-14527, with the generic primary and
// secondary values of C.-J. Chen and J. W. Bozzelli, as compiled in the
// radical table of the RMG-database (input/thermo/groups/radical.py); the
// methyl increment there is computed from the NIST values of methane and
// methyl, the phenyl one takes its bond enthalpy from W. Tsang. Enthalpy is
// the C–H bond dissociation enthalpy [kcal/mol].
constexpr std::pair<THydrogenBondSite, TGroupValue> kIncrements[] = {
    {THydrogenBondSite::Methyl, {104.81, 0.52, {0.71, 0.34, -0.33, -1.07, -2.43, -3.54, -5.43}}},
    {THydrogenBondSite::Ethyl, {101.1, 2.61, {-0.65, -1.21, -1.75, -2.24, -3.02, -3.63, -3.63}}},
    {THydrogenBondSite::Primary, {101.1, 2.61, {-0.77, -1.36, -1.91, -2.4, -3.16, -3.74, -4.66}}},
    {THydrogenBondSite::Isobutyl, {101.1, 2.91, {-0.54, -1.26, -1.92, -2.46, -3.27, -3.84, -3.84}}},
    {THydrogenBondSite::Neopentyl, {101.1, 3.03, {-0.59, -1.32, -2.05, -2.65, -3.5, -4.06, -4.87}}},
    {THydrogenBondSite::Isopropyl, {98.45, 4.51, {-1.3, -2.36, -3.02, -3.44, -3.98, -4.36, -4.99}}},
    {THydrogenBondSite::SecondaryMethyl, {98.45, 5.13, {-1.54, -2.77, -3.49, -3.9, -4.35, -4.64, -4.64}}},
    {THydrogenBondSite::Secondary, {98.45, 4.9, {-1.71, -3.14, -3.92, -4.33, -4.71, -4.92, -4.92}}},
    {THydrogenBondSite::Tertiary, {96.5, 5.24, {-0.78, -2.48, -3.55, -4.15, -4.75, -5.02, -5.39}}},
    {THydrogenBondSite::AllylPrimary, {88.2, -2.56, {-0.62, -0.56, -0.78, -1.12, -1.84, -2.46, -3.49}}},
    {THydrogenBondSite::AllylSecondary, {85.6, -3.81, {-1.54, -1.82, -2.08, -2.32, -2.75, -3.14, -3.85}}},
    {THydrogenBondSite::AllylTertiary, {83.4, -3.69, {-1.79, -2.38, -2.74, -2.97, -3.28, -3.55, -3.55}}},
    {THydrogenBondSite::Pentadienyl, {80.0, -1.55, {-1.83, -1.86, -1.98, -1.99, -2.3, -2.5, -2.5}}},
    {THydrogenBondSite::DoublyAllylic, {76.0, -4.05, {-2.13, -1.96, -1.88, -1.89, -2.2, -2.6, -2.6}}},
    {THydrogenBondSite::BenzylPrimary, {88.5, -4.74, {0.75, 0.6, 0.13, -0.42, -1.41, -2.18, -2.18}}},
    {THydrogenBondSite::BenzylSecondary, {85.9, -5.04, {0.87, 0.09, -0.63, -1.21, -2.07, -2.69, -2.69}}},
    {THydrogenBondSite::BenzylTertiary, {83.8, -5.34, {0.27, -0.78, -1.54, -2.06, -2.74, -3.19, -3.19}}},
    {THydrogenBondSite::PropargylPrimary, {89.4, -0.51, {-0.84, -1.17, -1.56, -1.95, -2.7, -3.31, -5.31}}},
    {THydrogenBondSite::PropargylSecondary, {87.0, -0.45, {-0.59, -1.2, -1.75, -2.19, -2.91, -3.49, -3.49}}},
    {THydrogenBondSite::PropargylTertiary, {84.5, 1.48, {-0.04, -1.01, -1.74, -2.41, -3.19, -3.65, -3.65}}},
    {THydrogenBondSite::VinylPrimary, {111.2, 1.39, {-0.19, -0.75, -1.36, -1.92, -2.82, -3.49, -4.53}}},
    {THydrogenBondSite::VinylSecondary, {109.0, 1.81, {-0.34, -1.21, -1.94, -2.52, -3.34, -3.91, -4.76}}},
    {THydrogenBondSite::VinylConjugated, {99.8, 0.71, {0.19, -0.76, -1.51, -2.01, -2.7, -3.17, -3.17}}},
    {THydrogenBondSite::Allenic, {89.0, 1.29, {-0.45, -1.05, -1.64, -2.15, -2.98, -3.6, -3.6}}},
    {THydrogenBondSite::Ethynyl, {132.7, 2.11, {-0.51, -1.56, -2.27, -2.78, -3.47, -3.97, -3.97}}},
    {THydrogenBondSite::Phenyl, {113.0, 1.48, {-0.41, -1.18, -1.93, -2.69, -3.75, -4.48, -5.24}}},
};

}  // namespace

const TGroupValue* FindGroupValue(std::string_view group) {
  for (const TNamedGroup& entry : kGroups)
    if (entry.Key == group) return &entry.Value;
  return nullptr;
}

const TGroupValue* FindRingCorrection(int size, int doubleBonds, bool exocyclic, bool isolated) {
  // The exact ring first; then without the exocyclic bond and the isolated
  // arrangement; then with fewer double bonds.
  for (int bonds = doubleBonds; bonds >= 0; --bonds)
    for (const bool withExocyclic : {exocyclic, false})
      for (const bool withIsolated : {isolated, false})
        for (const TRingEntry& entry : kRings)
          if (entry.Size == size && entry.DoubleBonds == bonds && entry.Exocyclic == withExocyclic &&
              entry.Isolated == withIsolated)
            return &entry.Value;
  return nullptr;
}

const TGroupValue* FindBicyclicCorrection(int shared, int smaller, int larger) {
  if (smaller > larger) std::swap(smaller, larger);
  for (const TBicyclicEntry& entry : kBicyclics)
    if (entry.Shared == shared && entry.Smaller == smaller && entry.Larger == larger) return &entry.Value;
  return nullptr;
}

std::optional<double> FindSkeletonEnthalpyAdjustment(int shared, const TRingShape& a, const TRingShape& b) {
  for (const TSkeletonAdjustment& entry : kSkeletonAdjustments)
    if (entry.Shared == shared && ((entry.A == a && entry.B == b) || (entry.A == b && entry.B == a)))
      return entry.Enthalpy;
  return std::nullopt;
}

const TGroupValue& GaucheCorrection() { return kGauche; }
const TGroupValue& OrthoCorrection() { return kOrtho; }
const TGroupValue& Interaction15Correction() { return kInteraction15; }

const TGroupValue& HydrogenBondIncrement(THydrogenBondSite site) {
  const auto* found = std::find_if(std::begin(kIncrements), std::end(kIncrements),
                                   [site](const auto& entry) { return entry.first == site; });
  return found->second;
}

}  // namespace korvane
