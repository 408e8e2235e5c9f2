#include "core/identity.h"

#include <algorithm>
#include <array>

namespace korvane {
namespace {

// Orderings of k positions (k = 1..4) in lexicographic order.
struct PermutationTable {
  std::size_t count = 0;
  std::array<std::array<std::uint8_t, 4>, 24> orders{};
};

const PermutationTable& OrderingsOf(std::size_t k) {
  static const std::array<PermutationTable, 5> kTables = [] {
    std::array<PermutationTable, 5> tables{};
    for (std::size_t size = 1; size <= 4; ++size) {
      std::array<std::uint8_t, 4> order{0, 1, 2, 3};
      do {
        tables[size].orders[tables[size].count++] = order;
      } while (std::next_permutation(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(size)));
    }
    return tables;
  }();
  return kTables[k];
}

// Unmatched neighbours of an atom: at most 4 can take part in a match, since
// larger lists have no permutation table.
struct SmallAtomList {
  std::size_t size = 0;
  std::array<TAtom*, 4> atoms{};
};

void ClearVisited(const TAtomVector& atoms) {
  for (TAtom* atom : atoms) atom->Visited = 0;
}

bool AllVisited(const TAtomVector& atoms) {
  for (const TAtom* atom : atoms)
    if (!atom->Visited) return false;
  return true;
}

bool AnchoredMatch(const TMolecule& a, const TMolecule& b, std::size_t anchor, const TByteVector& candidates) {
  for (std::uint8_t candidate : candidates)
    if (MatchFrom(a.Atoms(), b.Atoms(), anchor, candidate) && AllVisited(a.Atoms())) return true;
  return false;
}

// Chooses among groups of A and B split by a key: every pair of groups must
// have equal sizes (else the molecules differ); the smallest non-empty group
// wins, the earlier one on ties. Returns the chosen key, -1 if all are empty,
// -2 if some sizes differ.
template <std::size_t Keys>
int ChooseRarestGroup(const std::array<TByteVector, Keys>& groupsA, const std::array<TByteVector, Keys>& groupsB) {
  std::size_t smallest = 1000;
  int chosen = -1;
  for (std::size_t k = 0; k < Keys; ++k) {
    if (groupsA[k].size() != groupsB[k].size()) return -2;
    if (!groupsA[k].empty() && groupsA[k].size() < smallest) {
      smallest = groupsA[k].size();
      chosen = static_cast<int>(k);
    }
  }
  return chosen;
}

bool RarestCarbonClassMatch(const TMolecule& a, const TMolecule& b) {
  std::array<TByteVector, 5> byDegreeA, byDegreeB;
  auto splitByDegree = [](const TMolecule& molecule, std::array<TByteVector, 5>& groups) {
    for (const TAtom* atom : molecule.Atoms()) {
      if (!IsCarbonType(atom->GetAtomType())) continue;
      const std::uint8_t degree = atom->SkeletonDegree();
      if (degree <= 4) groups[degree].push_back(atom->GetIndex());
    }
  };
  splitByDegree(a, byDegreeA);
  splitByDegree(b, byDegreeB);
  const int degree = ChooseRarestGroup(byDegreeA, byDegreeB);
  if (degree < 0) return false;

  std::array<TByteVector, 3> byMultipleA, byMultipleB;
  auto splitByMultiple = [](const TMolecule& molecule, const TByteVector& group, std::array<TByteVector, 3>& groups) {
    for (std::uint8_t index : group) {
      const std::uint8_t multiple = molecule.GetAtom(index)->MultipleBondCount();
      if (multiple <= 2) groups[multiple].push_back(index);
    }
  };
  splitByMultiple(a, byDegreeA[degree], byMultipleA);
  splitByMultiple(b, byDegreeB[degree], byMultipleB);
  const int multiple = ChooseRarestGroup(byMultipleA, byMultipleB);
  if (multiple < 0) return false;

  return AnchoredMatch(a, b, byMultipleA[multiple].front(), byMultipleB[multiple]);
}

}  // namespace

bool InvariantsEqual(const TMolecule& a, const TMolecule& b) {
  // Equal invariants have equal hashes; unequal hashes settle most pairs.
  if (a.InvariantsHash() != b.InvariantsHash()) return false;
  const TInvariants& ia = a.Invariants();
  const TInvariants& ib = b.Invariants();
  if (ia.Radical != ib.Radical || ia.Cyclic != ib.Cyclic || ia.AtomCount != ib.AtomCount) return false;
  if (ia.AtomsPerType != ib.AtomsPerType) return false;
  if (ib.GraphScore1.size() < ia.GraphScore1.size() || ib.GraphScore2.size() < ia.GraphScore1.size() ||
      ia.GraphScore2.size() < ia.GraphScore1.size())
    return false;
  for (std::size_t k = 0; k < ia.GraphScore1.size(); ++k)
    if (ia.GraphScore1[k] != ib.GraphScore1[k] || ia.GraphScore2[k] != ib.GraphScore2[k]) return false;
  return true;
}

bool AtomsEquivalent(const TAtom& a, const TAtom& b) { return a.EquivalenceKey() == b.EquivalenceKey(); }

bool AtomListsEquivalent(const TAtomVector& p, const TAtomVector& q) {
  if (p.size() != q.size()) return false;
  for (std::size_t k = 0; k < p.size(); ++k)
    if (!AtomsEquivalent(*p[k], *q[k])) return false;
  return true;
}

TAtomMatrix Permutations(const TAtomVector& atoms) {
  TAtomMatrix table;
  if (atoms.empty() || atoms.size() > 4) return table;
  const PermutationTable& orderings = OrderingsOf(atoms.size());
  for (std::size_t t = 0; t < orderings.count; ++t) {
    TAtomVector row;
    for (std::size_t k = 0; k < atoms.size(); ++k) row.push_back(atoms[orderings.orders[t][k]]);
    table.push_back(std::move(row));
  }
  return table;
}

bool MatchFrom(const TAtomVector& atomsA, const TAtomVector& atomsB, std::size_t i, std::size_t j) {
  TAtom* a = atomsA[i];
  TAtom* b = atomsB[j];
  if (!AtomsEquivalent(*a, *b)) return false;
  a->Visited = 1;
  b->Visited = 1;
  auto fail = [a, b] {
    a->Visited = 0;
    b->Visited = 0;
    return false;
  };

  // Unmatched neighbours (self entries drop out, a and b being marked now).
  // Equivalent atoms have neighbour lists of equal length.
  const TNeighbourList& entriesA = a->Entries();
  const TNeighbourList& entriesB = b->Entries();
  SmallAtomList nA, nB;
  bool tooMany = false;
  for (std::size_t k = 0; k < entriesA.size(); ++k) {
    if (!entriesA[k].Atom->Visited) {
      if (nA.size == 4) tooMany = true; else nA.atoms[nA.size++] = entriesA[k].Atom;
    }
    if (k < entriesB.size() && !entriesB[k].Atom->Visited) {
      if (nB.size == 4) tooMany = true; else nB.atoms[nB.size++] = entriesB[k].Atom;
    }
  }
  // Five or more unmatched neighbours on either side: the lengths differ or
  // there is no permutation table; both fail the same way.
  if (tooMany || nA.size != nB.size) return fail();
  if (nA.size == 0) return true;

  const PermutationTable& orderings = OrderingsOf(nB.size);
  for (std::size_t t = 0; t < orderings.count; ++t) {
    const auto& order = orderings.orders[t];
    bool equivalent = true;
    for (std::size_t k = 0; k < nA.size && equivalent; ++k)
      equivalent = AtomsEquivalent(*nA.atoms[k], *nB.atoms[order[k]]);
    if (!equivalent) continue;
    bool matched = true;
    for (std::size_t k = 0; k < nA.size && matched; ++k) {
      TAtom* x = nA.atoms[k];
      TAtom* y = nB.atoms[order[k]];
      if (!x->Visited && !y->Visited) matched = MatchFrom(atomsA, atomsB, x->GetIndex(), y->GetIndex());
    }
    if (matched) return true;
  }
  return fail();
}

bool AreIsomorphic(const TMolecule& a, const TMolecule& b) {
  if (!InvariantsEqual(a, b)) return false;
  const std::size_t n = a.AtomCount();
  if (n == 0 || n == 2) return true;
  if (n == 1) return a.GetAtom(0)->GetAtomType() == b.GetAtom(0)->GetAtomType();
  if (n <= 4) {
    for (const TAtomVector& ordering : Permutations(b.Atoms()))
      if (AtomListsEquivalent(a.Atoms(), ordering)) return true;
    return false;
  }

  ClearVisited(a.Atoms());
  ClearVisited(b.Atoms());
  if (n <= 8) {
    TByteVector every(b.AtomCount());
    for (std::size_t k = 0; k < every.size(); ++k) every[k] = static_cast<std::uint8_t>(k);
    return AnchoredMatch(a, b, 0, every);
  }
  if (a.Invariants().Radical) {
    const TByteVector& radicalsA = a.RadicalAtomIndices();
    const TByteVector& radicalsB = b.RadicalAtomIndices();
    if (radicalsA.size() != radicalsB.size() || radicalsA.empty()) return false;
    return AnchoredMatch(a, b, radicalsA.front(), radicalsB);
  }
  return RarestCarbonClassMatch(a, b);
}

}  // namespace korvane
