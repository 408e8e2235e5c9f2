#include "core/bond_energy.h"

#include "core/bond_scan.h"
#include "core/molecule.h"

namespace korvane {
namespace {

bool IsPlainCarbon(std::uint8_t type) { return type == kCarbon || type == kCarbon14; }

// C–H bond energy by the carbon's carbon-neighbour count. A carbon that
// carries a hydrogen has at most 3 carbon neighbours; a structure beyond the
// carbon valence gets 0.
int CarbonHydrogen(int carbonNeighbours) {
  static constexpr int kValues[] = {435, 172, 159, 153};
  return carbonNeighbours >= 0 && carbonNeighbours <= 3 ? kValues[carbonNeighbours] : 0;
}

// C–C bond energy by the sum of both carbons' carbon-neighbour counts (2..8
// for bonded carbons within valence; anything else gets 0).
int CarbonCarbon(int sum) {
  static constexpr int kValues[] = {377, 138, 130, 120, 110, 100, 92};
  return sum >= 2 && sum <= 8 ? kValues[sum - 2] : 0;
}

void SetBoth(TIntMatrix& matrix, std::size_t i, std::size_t j, int value) {
  matrix[i][j] = value;
  matrix[j][i] = value;
}

void AddBoth(TIntMatrix& matrix, std::size_t i, std::size_t j, int delta) { SetBoth(matrix, i, j, matrix[i][j] + delta); }

int RadicalBaseValue(const TAtom& a, const TAtom& b, std::uint8_t order) {
  const std::uint8_t ta = a.GetAtomType(), tb = b.GetAtomType();
  if (IsHydrogenLike(ta)) {
    if (IsHydrogenLike(tb)) return 435;
    if (IsPlainCarbon(tb)) return CarbonHydrogen(b.SkeletonDegree());
    if (IsAromaticType(tb)) return 600;
  } else if (IsPlainCarbon(ta)) {
    if (IsHydrogenLike(tb)) return CarbonHydrogen(a.SkeletonDegree());
    if (IsPlainCarbon(tb)) return CarbonCarbon(a.SkeletonDegree() + b.SkeletonDegree());
    if (IsAromaticType(tb)) return 1000;
  } else if (IsAromaticType(ta)) {
    if (IsHydrogenLike(tb)) return 600;
    if (IsCarbonType(tb)) return 1000;
  }
  return order;  // He, N or O involved
}

// Corrections around the multiple or aromatic bond i–j, seen from atom i.
void RadicalNeighbourhood(const TMolecule& molecule, TIntMatrix& matrix, std::size_t i, std::size_t j,
                          std::uint8_t orderIJ) {
  const TAtom* atomI = molecule.GetAtom(i);
  const int allylic = orderIJ == 2 ? -70 : orderIJ == 3 ? -45 : -25;
  for (const TNeighbour& toK : atomI->Entries()) {
    const TAtom* atomK = toK.Atom;
    const std::size_t k = atomK->GetIndex();
    if (k == j) continue;
    if (toK.Order == 1 && !toK.Aromatic && atomI->GetAtomType() != kAromaticCarbon &&
        atomK->GetAtomType() != kAromaticCarbon)
      AddBoth(matrix, i, k, 150);
    for (const TNeighbour& toM : atomK->Entries()) {
      const TAtom* atomM = toM.Atom;
      const std::size_t m = atomM->GetIndex();
      if (m == i) continue;
      if (toM.Order == 1 && !toM.Aromatic && atomK->GetAtomType() != kAromaticCarbon &&
          atomM->GetAtomType() != kAromaticCarbon && atomK->UnsaturatedBondCount() == 0 &&
          atomM->UnsaturatedBondCount() == 0)
        AddBoth(matrix, k, m, allylic);
    }
  }
}

// Corrections of hydrogen fissions around the multiple or aromatic bond i–j,
// seen from atom i.
void NonRadicalNeighbourhood(const TMolecule& molecule, TIntMatrix& matrix, std::size_t i, std::size_t j,
                             std::uint8_t orderIJ, bool aromaticIJ) {
  const int vinylic = (orderIJ == 2 || orderIJ == 3) ? -20 : aromaticIJ ? -10 : 0;
  const TAtom* atomI = molecule.GetAtom(i);
  for (const TNeighbour& toK : atomI->Entries()) {
    const TAtom* atomK = toK.Atom;
    const std::size_t k = atomK->GetIndex();
    if (k == i || k == j) continue;
    if (IsHydrogenLike(atomK->GetAtomType())) {
      AddBoth(matrix, i, k, 1000);
      continue;
    }
    for (const TNeighbour& toL : atomK->Entries()) {
      const std::size_t l = toL.Atom->GetIndex();
      if (l == i || l == j || l == k || !IsHydrogenLike(toL.Atom->GetAtomType())) continue;
      AddBoth(matrix, k, l, vinylic);
    }
  }
}

// Calls visit(bond) for every bond of order 2 or more or flagged aromatic.
// (The matrices a molecule accepts hold no aromatic flag off the diagonal
// without a bond, so these are all such pairs.) The passes that use it only
// add per pair, so the order of the visits does not matter.
template <class Visit>
void ForEachMultipleOrAromaticBond(const TMolecule& molecule, Visit&& visit) {
  for (const TBondEntry& bond : molecule.Bonds())
    if (bond.Order >= 2 || bond.Aromatic) visit(bond);
}

}  // namespace

TIntMatrix RadicalBondEnergyMatrix(const TMolecule& molecule) {
  const std::size_t n = molecule.AtomCount();
  TIntMatrix matrix(n, n, 0);
  // The passes only set or add per pair, so the order of the pairs does not
  // matter; the bonds are read as Build reads them.
  for (const TBondEntry& bond : molecule.Bonds())
    SetBoth(matrix, bond.Row, bond.Column,
            RadicalBaseValue(*molecule.GetAtom(bond.Column), *molecule.GetAtom(bond.Row), bond.Order));
  ForEachMultipleOrAromaticBond(molecule, [&](const TBondEntry& bond) {
    RadicalNeighbourhood(molecule, matrix, bond.Column, bond.Row, bond.Order);
    RadicalNeighbourhood(molecule, matrix, bond.Row, bond.Column, bond.Order);
  });
  for (const TBondEntry& bond : molecule.Bonds())
    if (bond.Order == 2 || bond.Order == 3) AddBoth(matrix, bond.Row, bond.Column, 1000);
  return matrix;
}

TIntMatrix NonRadicalBondEnergyMatrix(const TMolecule& molecule) {
  const std::size_t n = molecule.AtomCount();
  TIntMatrix matrix(n, n, 0);
  for (std::size_t h = 0; h < n; ++h) {
    const TAtom* hydrogen = molecule.GetAtom(h);
    if (!IsHydrogenLike(hydrogen->GetAtomType())) continue;
    if (hydrogen->NeighbourCount() != 1) return matrix;
    const TAtom* neighbour = hydrogen->Entries().front().Atom;
    const std::uint8_t type = neighbour->GetAtomType();
    if (type == kCarbon || type == kAromaticCarbon) {
      static constexpr int kByCarbonNeighbours[] = {250, 225, 215, 206};
      const int degree = neighbour->SkeletonDegree();
      SetBoth(matrix, h, neighbour->GetIndex(), degree <= 3 ? kByCarbonNeighbours[degree] : 0);
    } else if (IsHydrogenLike(type) || type == kCarbon14 || type == kAromaticCarbon14) {
      SetBoth(matrix, h, neighbour->GetIndex(), 1000);
    }
  }
  ForEachMultipleOrAromaticBond(molecule, [&](const TBondEntry& bond) {
    NonRadicalNeighbourhood(molecule, matrix, bond.Column, bond.Row, bond.Order, bond.Aromatic);
    NonRadicalNeighbourhood(molecule, matrix, bond.Row, bond.Column, bond.Order, bond.Aromatic);
  });
  return matrix;
}

TIntMatrix ComputeBondEnergyMatrix(const TMolecule& molecule) {
  return molecule.IsRadical() ? RadicalBondEnergyMatrix(molecule) : NonRadicalBondEnergyMatrix(molecule);
}

}  // namespace korvane
