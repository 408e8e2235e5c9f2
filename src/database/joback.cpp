#include "database/joback.h"

#include <algorithm>
#include <cassert>
#include <vector>

#include "core/atom_types.h"

namespace korvane {

namespace {

// Contributions as the system holds them (Joback and Reid's hydrocarbon groups).
constexpr std::array<TJobackContribution, kJobackGroupCount> kTable{{
    {0.0141, -0.0012, 65, 23.58, -76.54, -43.96, 19.5, -0.00808, 0.000153, -9.67e-8},
    {0.0189, 0.0, 56, 22.88, -20.64, 8.42, -0.909, 0.095, -5.44e-5, 1.19e-8},
    {0.0164, 0.002, 41, 21.74, 29.89, 58.36, -23.0, 0.204, -0.000265, 1.2e-7},
    {0.0067, 0.0043, 27, 18.25, 82.23, 116.02, -66.2, 0.427, -0.000641, 3.01e-7},
    {0.0113, -0.0028, 56, 18.18, -9.63, 3.77, 23.6, -0.0381, 0.000172, -1.03e-7},
    {0.0129, -0.0006, 46, 24.96, 37.97, 48.53, -8.0, 0.105, -9.63e-5, 3.56e-8},
    {0.0117, 0.0011, 38, 24.14, 83.99, 92.36, -28.1, 0.208, -0.000306, 1.46e-7},
    {0.0026, 0.0028, 36, 26.15, 142.14, 136.7, 27.4, -0.0557, 0.000101, -5.02e-8},
    {0.0027, -0.0008, 46, 9.2, 79.3, 77.71, 24.5, -0.0271, 0.000111, -6.78e-8},
    {0.002, 0.0016, 37, 27.38, 115.51, 109.82, 7.87, 0.0201, -8.33e-6, 1.39e-9},
    {0.01, 0.0025, 48, 27.15, -26.8, -3.68, -6.03, 0.0854, -8e-6, -1.8e-8},
    {0.0122, 0.0004, 38, 21.78, 8.67, 40.99, -20.5, 0.162, -0.00016, 6.24e-8},
    {0.0042, 0.0061, 27, 21.32, 79.72, 87.88, -90.9, 0.557, -0.0009, 4.69e-7},
    {0.0082, 0.0011, 41, 26.73, 2.09, 11.3, -2.14, 0.0574, -1.64e-6, -1.59e-8},
    {0.0143, 0.0008, 32, 31.01, 46.43, 54.05, -8.25, 0.101, -0.000142, 6.87e-8},
}};

// Whether some bond closes a ring: a bond between atoms that earlier bonds
// already join (union-find). Far cheaper than finding the ring atoms, which
// most species of a cracking network do not have. A bond listed twice
// counts as a ring, which only costs the search for none.
bool MayHaveRing(const TMolecule& molecule) {
  const TAtomVector& atoms = molecule.Atoms();
  std::vector<std::uint8_t> parent(atoms.size());
  for (std::size_t i = 0; i < parent.size(); ++i) parent[i] = static_cast<std::uint8_t>(i);
  auto root = [&parent](std::uint8_t i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
  };
  for (const TAtom* atom : atoms) {
    for (const TNeighbour& entry : atom->Entries()) {
      if (entry.Atom->GetIndex() <= atom->GetIndex()) continue;
      const std::uint8_t a = root(atom->GetIndex()), b = root(entry.Atom->GetIndex());
      if (a == b) return true;
      parent[a] = b;
    }
  }
  return false;
}

double Column(const TJobackContribution& row, TJobackColumn column) {
  switch (column) {
    case TJobackColumn::kTc: return row.Tc;
    case TJobackColumn::kPc: return row.Pc;
    case TJobackColumn::kVc: return row.Vc;
    case TJobackColumn::kTb: return row.Tb;
    case TJobackColumn::kHf: return row.Hf;
    case TJobackColumn::kGf: return row.Gf;
    case TJobackColumn::kA: return row.A;
    case TJobackColumn::kB: return row.B;
    case TJobackColumn::kC: return row.C;
    case TJobackColumn::kD: return row.D;
  }
  return 0.0;
}

}  // namespace

const std::array<TJobackContribution, kJobackGroupCount>& JobackTable() { return kTable; }

TByteVector JobackGroups(const TMolecule& molecule) {
  if (molecule.IsRadical()) return {};

  TByteVector groups(kJobackGroupCount, 0);
  TBoolVector inRing(molecule.AtomCount(), false);
  if (MayHaveRing(molecule))
    for (const TAtom* atom : molecule.CycleAtoms()) inRing[atom->GetIndex()] = true;

  // Aromatic bonds have order 1, so an aromatic ring carbon first counts as a
  // saturated ring carbon; these counters remember how many to move to the
  // unsaturated ring groups afterwards.
  std::uint8_t aromaticRingCH2 = 0;  // P
  std::uint8_t aromaticRingCH = 0;   // Q

  auto count = [&groups](TJobackGroup group) { ++groups[group]; };
  for (const TAtom* atom : molecule.Atoms()) {
    if (!IsCarbonType(atom->GetAtomType())) continue;
    const int multiple = atom->MultipleBondCount();
    const int triple = atom->TripleBondCount();
    const int doubles = atom->DoubleBondCount();
    const bool ring = inRing[atom->GetIndex()];
    const bool aromatic = atom->AromaticBondCount() > 0;
    switch (atom->SkeletonDegree()) {
      case 1:
        if (multiple > 0)
          count(doubles > 0 ? kGroupEqCH2 : kGroupTripleCH);
        else
          count(kGroupCH3);
        break;
      case 2:
        if (multiple == 0) {
          if (ring) {
            count(kGroupRingCH2);
            if (aromatic) ++aromaticRingCH2;
          } else {
            count(kGroupCH2);
          }
        } else if (multiple == 1) {
          if (triple > 0)
            count(kGroupTripleC);
          else
            count(ring ? kGroupRingEqCH : kGroupEqCH);
        } else if (multiple == 2) {
          count(kGroupEqCEq);
        }
        break;
      case 3:
        if (doubles > 0) {
          count(ring ? kGroupRingEqC : kGroupEqC);
        } else if (ring) {
          count(kGroupRingCH);
          if (aromatic) ++aromaticRingCH;
        } else {
          count(kGroupCH);
        }
        break;
      case 4: count(ring ? kGroupRingC : kGroupC); break;
      default: break;
    }
  }

  groups[kGroupRingCH2] = static_cast<std::uint8_t>(groups[kGroupRingCH2] - aromaticRingCH2);
  groups[kGroupRingEqCH] = static_cast<std::uint8_t>(groups[kGroupRingEqCH] + aromaticRingCH2);
  groups[kGroupRingCH] = static_cast<std::uint8_t>(groups[kGroupRingCH] - aromaticRingCH);
  groups[kGroupRingEqC] = static_cast<std::uint8_t>(groups[kGroupRingEqC] + aromaticRingCH);
  return groups;
}

double GroupSum(const TByteVector& groups, TJobackColumn column) {
  assert(groups.size() == kJobackGroupCount);
  double sum = 0.0;
  for (std::size_t i = 0; i < kJobackGroupCount && i < groups.size(); ++i) sum += groups[i] * Column(kTable[i], column);
  return sum;
}

bool HasNoGroups(const TByteVector& groups) {
  return std::all_of(groups.begin(), groups.end(), [](std::uint8_t count) { return count == 0; });
}

}  // namespace korvane
