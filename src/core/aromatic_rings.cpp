#include "core/aromatic_rings.h"

#include <algorithm>
#include <deque>
#include <set>
#include <vector>

#include "core/atom_types.h"

namespace korvane {
namespace {

constexpr int kNone = -1;

// A ring as the indices (into the bond list) of its bonds, ascending, and
// its atoms.
struct Ring {
  std::vector<int> Bonds;
  std::vector<int> Atoms;
};

class RingPerception {
 public:
  explicit RingPerception(const TMolecule& molecule)
      : m_types(molecule.AtomTypes()), m_bonds(molecule.Bonds()), m_edges(m_types.size()) {
    for (std::size_t k = 0; k < m_bonds.size(); ++k) {
      m_edges[m_bonds[k].Row].push_back(static_cast<int>(k));
      m_edges[m_bonds[k].Column].push_back(static_cast<int>(k));
    }
    findCandidates();
  }

  /// Marks the atoms and bonds of the aromatic rings; true when that changes
  /// the molecule.
  bool perceive() {
    std::vector<Ring> rings = candidateRings();
    std::vector<bool> aromatic(rings.size(), false);
    for (std::size_t r = 0; r < rings.size(); ++r) aromatic[r] = HuckelSize(rings[r].Atoms.size());
    // The perimeter of two fused rings that are not aromatic on their own.
    for (std::size_t r = 0; r < rings.size(); ++r)
      for (std::size_t s = r + 1; s < rings.size(); ++s) {
        if (aromatic[r] || aromatic[s] || SharedBonds(rings[r], rings[s]) != 1) continue;
        if (HuckelSize(rings[r].Atoms.size() + rings[s].Atoms.size() - 2)) aromatic[r] = aromatic[s] = true;
      }
    // A carbon whose double bond is left out of the aromatic bonds would be
    // over its valence: its rings stay as they are, until nothing changes.
    for (bool changed = true; changed;) {
      changed = false;
      mark(rings, aromatic);
      for (std::size_t r = 0; r < rings.size(); ++r) {
        if (!aromatic[r]) continue;
        for (int atom : rings[r].Atoms)
          if (m_doubleBond[atom] != kNone && !m_bondMarked[m_doubleBond[atom]]) {
            aromatic[r] = false;
            changed = true;
            break;
          }
      }
    }
    for (std::size_t k = 0; k < m_bonds.size(); ++k)
      if (m_bondMarked[k] && (!m_bonds[k].Aromatic || m_bonds[k].Order != 1)) return true;
    for (std::size_t i = 0; i < m_types.size(); ++i)
      if (m_atomMarked[i] && !IsAromaticType(m_types[i])) return true;
    return false;
  }

  bool atomMarked(std::size_t i) const { return m_atomMarked[i]; }
  bool bondMarked(std::size_t k) const { return m_bondMarked[k]; }

 private:
  static bool HuckelSize(std::size_t electrons) { return electrons % 4 == 2; }

  static int SharedBonds(const Ring& a, const Ring& b) {
    std::vector<int> shared;
    std::set_intersection(a.Bonds.begin(), a.Bonds.end(), b.Bonds.begin(), b.Bonds.end(), std::back_inserter(shared));
    return static_cast<int>(shared.size());
  }

  int other(int bond, int atom) const {
    const TBondEntry& entry = m_bonds[static_cast<std::size_t>(bond)];
    return entry.Row == atom ? entry.Column : entry.Row;
  }

  // Candidates give one pi electron each; m_doubleBond holds the double bond
  // of a carbon that is not aromatic yet.
  void findCandidates() {
    const std::size_t n = m_types.size();
    m_candidate.assign(n, false);
    m_doubleBond.assign(n, kNone);
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint8_t type = m_types[i];
      int doubles = 0, higher = 0, aromatic = 0, doubleBond = kNone;
      for (int k : m_edges[i]) {
        const TBondEntry& bond = m_bonds[static_cast<std::size_t>(k)];
        if (bond.Order == 2) {
          ++doubles;
          doubleBond = k;
        } else if (bond.Order > 2) {
          ++higher;
        }
        if (bond.Aromatic) ++aromatic;
      }
      if (IsAromaticType(type)) {
        m_candidate[i] = doubles == 0 && higher == 0;
      } else if (type == kCarbon || type == kCarbon14) {
        m_candidate[i] = doubles == 1 && higher == 0 && aromatic == 0;
        if (m_candidate[i]) m_doubleBond[i] = doubleBond;
      }
    }
  }

  bool candidateBond(int k) const {
    const TBondEntry& bond = m_bonds[static_cast<std::size_t>(k)];
    return m_candidate[bond.Row] && m_candidate[bond.Column];
  }

  // For every bond between candidates, the smallest ring of candidates
  // through it (a breadth-first search from one end to the other without
  // the bond); each ring once. Fused systems yield each of their rings.
  std::vector<Ring> candidateRings() const {
    std::vector<Ring> rings;
    std::set<std::vector<int>> seen;
    const std::size_t n = m_types.size();
    std::vector<int> via(n);
    for (std::size_t k = 0; k < m_bonds.size(); ++k) {
      const int bond = static_cast<int>(k);
      if (!candidateBond(bond)) continue;
      const int from = m_bonds[k].Row, to = m_bonds[k].Column;
      std::fill(via.begin(), via.end(), kNone);
      via[from] = bond;
      std::deque<int> queue{from};
      while (!queue.empty() && via[to] == kNone) {
        const int atom = queue.front();
        queue.pop_front();
        for (int next : m_edges[atom]) {
          if (next == bond || !candidateBond(next)) continue;
          const int neighbour = other(next, atom);
          if (via[neighbour] != kNone) continue;
          via[neighbour] = next;
          queue.push_back(neighbour);
        }
      }
      if (via[to] == kNone) continue;  // a bridge: on no ring
      Ring ring;
      ring.Bonds.push_back(bond);
      for (int atom = to; atom != from; atom = other(via[atom], atom)) {
        ring.Atoms.push_back(atom);
        ring.Bonds.push_back(via[atom]);
      }
      ring.Atoms.push_back(from);
      std::sort(ring.Bonds.begin(), ring.Bonds.end());
      if (seen.insert(ring.Bonds).second) rings.push_back(std::move(ring));
    }
    return rings;
  }

  void mark(const std::vector<Ring>& rings, const std::vector<bool>& aromatic) {
    m_atomMarked.assign(m_types.size(), false);
    m_bondMarked.assign(m_bonds.size(), false);
    for (std::size_t r = 0; r < rings.size(); ++r) {
      if (!aromatic[r]) continue;
      for (int atom : rings[r].Atoms) m_atomMarked[atom] = true;
      for (int bond : rings[r].Bonds) m_bondMarked[bond] = true;
    }
  }

  const TByteVector& m_types;
  std::span<const TBondEntry> m_bonds;
  std::vector<std::vector<int>> m_edges;  // bond indices of each atom
  std::vector<bool> m_candidate;
  std::vector<int> m_doubleBond;
  std::vector<bool> m_atomMarked;
  std::vector<bool> m_bondMarked;
};

}  // namespace

bool AromatiseRings(TMolecule& molecule) {
  if (!molecule.HasRing()) return false;
  RingPerception perception(molecule);
  if (!perception.perceive()) return false;
  TByteMatrix adjacency = molecule.AdjacencyMatrix();
  TBoolMatrix aromatic = molecule.AromaticMatrix();
  TByteVector types = molecule.AtomTypes();
  for (std::size_t i = 0; i < types.size(); ++i)
    if (perception.atomMarked(i) && !IsAromaticType(types[i]))
      types[i] = types[i] == kCarbon14 ? kAromaticCarbon14 : kAromaticCarbon;
  const auto bonds = molecule.Bonds();
  for (std::size_t k = 0; k < bonds.size(); ++k) {
    if (!perception.bondMarked(k)) continue;
    const std::size_t i = bonds[k].Row, j = bonds[k].Column;
    adjacency[i][j] = adjacency[j][i] = 1;
    aromatic[i][j] = aromatic[j][i] = true;
  }
  molecule.ClearStructure();
  molecule.SetStructure(std::move(adjacency), std::move(types), std::move(aromatic));
  molecule.Build();
  return true;
}

}  // namespace korvane
