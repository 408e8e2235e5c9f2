#include "core/symmetry_number.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "core/atom_types.h"

namespace korvane {
namespace {

// The hydrogens on a heavy atom are interchangeable, so the automorphisms are
// counted on the skeleton (every atom but those hydrogens) and each skeleton
// automorphism stands for a fixed number of hydrogen permutations. The
// skeleton automorphisms that extend to proper ones form a group H, those
// that are proper or improper everywhere a group K ⊇ H; their orders come
// from a stabiliser chain (the product of the orbit sizes along the
// identity), so the groups are never enumerated. σ = |H| × the hydrogen
// factor; the molecule is chiral when an sp3 centre fixes its parity and
// |K| = |H|.

constexpr std::uint8_t kNone = 255;  // no atom; in a reference order, the hydrogen slot
constexpr int kFail = -2;            // a constraint is broken
constexpr int kUnset = -1;           // no parity seen yet (group K)
// Search nodes allowed per group; molecules of a network need far fewer.
constexpr std::uint64_t kNodeBudget = 2'000'000;

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

// A cheaper scramble for the terms of a neighbour sum, which Mix then mixes whole.
std::uint64_t Spread(std::uint64_t x) {
  x *= 0x9e3779b97f4a7c15ULL;
  return x ^ (x >> 29);
}

struct TArc {
  std::uint8_t Atom;
  std::uint8_t Label;  // bond order, plus 4 when aromatic
};

/// Adjacency lists in one array: the arcs of atom a are Arcs[Start[a], Start[a + 1]).
struct TAdjacency {
  std::vector<std::uint16_t> Start;
  std::vector<TArc> Arcs;
  const TArc* begin(std::size_t a) const { return Arcs.data() + Start[a]; }
  const TArc* end(std::size_t a) const { return Arcs.data() + Start[a + 1]; }
  std::size_t Degree(std::size_t a) const { return Start[a + 1] - Start[a]; }
};

/// A double bond or cumulated chain whose terminal atoms both carry two
/// substituents and none of them two hydrogens: the substituents in
/// reference order at each end (kNone for a hydrogen); slot 0 at one end is
/// taken cis to slot 0 at the other.
struct TUnit {
  std::array<std::uint8_t, 2> End;
  std::array<std::array<std::uint8_t, 2>, 2> Substituents;
};

/// A check due once every atom it involves is mapped.
struct TConstraint {
  std::uint8_t Level;
  bool Centre;          // an sp3 centre, or a unit
  std::uint8_t Index;   // the centre's skeleton atom, or the unit
};

bool MultiplyChecked(std::uint64_t& product, std::uint64_t factor) {
  return !__builtin_mul_overflow(product, factor, &product);
}

class TSymmetrySearch {
 public:
  explicit TSymmetrySearch(const TMolecule& molecule) { prepare(molecule); }

  TResult<TSymmetry> Run() {
    TSymmetry symmetry;
    const auto proper = groupOrder(false);
    if (!proper) return proper.error();
    symmetry.Number = proper.value();
    if (m_factorOverflow || !MultiplyChecked(symmetry.Number, m_hydrogenFactor)) return tooLarge();
    if (m_hasFixedCentre) {
      // K is H or twice H; past 64 bits it is the latter.
      const auto signedOrder = groupOrder(true);
      if (!signedOrder && m_budgetExceeded) return signedOrder.error();
      symmetry.Chiral = signedOrder && signedOrder.value() == proper.value();
    }
    return symmetry;
  }

 private:
  static TError tooLarge() {
    return {TErrorCode::NoValue, "The symmetry group of the molecule is too large to count"};
  }

  void prepare(const TMolecule& molecule) {
    const TByteVector& types = molecule.AtomTypes();
    const auto unpaired = molecule.UnpairedElectrons();
    const std::size_t n = types.size();
    auto unpairedOf = [&](std::size_t a) { return a < unpaired.size() ? unpaired[a] : 0; };

    // Every atom's neighbours, in the order of the bond list.
    TAdjacency full;
    full.Start.assign(n + 1, 0);
    for (const TBondEntry& bond : molecule.Bonds()) {
      ++full.Start[bond.Row + 1];
      ++full.Start[bond.Column + 1];
    }
    for (std::size_t a = 0; a < n; ++a) full.Start[a + 1] += full.Start[a];
    full.Arcs.resize(full.Start[n]);
    std::vector<std::uint16_t> fill(full.Start.begin(), full.Start.end() - 1);
    for (const TBondEntry& bond : molecule.Bonds()) {
      const auto label = static_cast<std::uint8_t>(bond.Order | (bond.Aromatic ? 4 : 0));
      full.Arcs[fill[bond.Row]++] = {bond.Column, label};
      full.Arcs[fill[bond.Column]++] = {bond.Row, label};
    }

    // Hydrogens on a single atom other than hydrogen are factored out (in
    // H2 both stay in the skeleton).
    std::vector<std::uint8_t> skeletonIndex(n, kNone);
    std::vector<std::uint8_t> original;
    auto factored = [&](std::size_t a) {
      return types[a] == kHydrogen && full.Degree(a) == 1 && unpairedOf(a) == 0 &&
             types[full.begin(a)->Atom] != kHydrogen;
    };
    for (std::size_t a = 0; a < n; ++a)
      if (!factored(a)) {
        skeletonIndex[a] = static_cast<std::uint8_t>(original.size());
        original.push_back(static_cast<std::uint8_t>(a));
      }
    m_size = original.size();
    m_hydrogens.assign(m_size, 0);
    m_skeleton.Start.assign(m_size + 1, 0);
    for (std::size_t s = 0; s < m_size; ++s) {
      const std::uint8_t a = original[s];
      for (const TArc* arc = full.begin(a); arc != full.end(a); ++arc)
        if (skeletonIndex[arc->Atom] == kNone)
          ++m_hydrogens[s];
        else
          m_skeleton.Arcs.push_back({skeletonIndex[arc->Atom], arc->Label});
      m_skeleton.Start[s + 1] = static_cast<std::uint16_t>(m_skeleton.Arcs.size());
    }
    m_key.resize(m_size);
    for (std::size_t s = 0; s < m_size; ++s)
      m_key[s] = types[original[s]] | (m_hydrogens[s] << 8) | (unpairedOf(original[s]) << 16) |
                 (static_cast<std::uint32_t>(m_skeleton.Degree(s)) << 24);
    refineColours();

    // Reference orders follow the colours, which depend on the structure
    // alone: the configuration they fix does not depend on the numbering.
    auto byColour = [&](std::uint8_t x, std::uint8_t y) {
      if (x == kNone || y == kNone) return x != kNone && y == kNone;
      return m_colour[x] != m_colour[y] ? m_colour[x] < m_colour[y] : x < y;
    };

    // Units: from each terminal atom (one non-aromatic double bond) along
    // the cumulated chain to the other terminal.
    auto doubleBonds = [&](std::size_t a) {
      int count = 0;
      for (const TArc* arc = full.begin(a); arc != full.end(a); ++arc) count += arc->Label == 2;
      return count;
    };
    auto doublePartner = [&](std::size_t a, std::size_t other) {
      for (const TArc* arc = full.begin(a); arc != full.end(a); ++arc)
        if (arc->Label == 2 && arc->Atom != other) return static_cast<std::size_t>(arc->Atom);
      return static_cast<std::size_t>(kNone);
    };
    std::vector<bool> inUnit(m_size, false);
    m_unitOf.assign(m_size, kNone);
    m_sideOf.assign(m_size, 0);
    for (std::size_t t = 0; t < n; ++t) {
      if (skeletonIndex[t] == kNone || doubleBonds(t) != 1) continue;
      std::size_t previous = t;
      std::size_t current = doublePartner(t, kNone);
      for (std::size_t steps = 0; steps < n && doubleBonds(current) == 2 && full.Degree(current) == 2; ++steps) {
        const std::size_t next = doublePartner(current, previous);
        previous = current;
        current = next;
      }
      if (current <= t || doubleBonds(current) != 1) continue;  // each chain once, from its lower end
      const std::size_t partners[2] = {doublePartner(t, kNone), previous};
      const std::size_t ends[2] = {t, current};
      if (full.Degree(ends[0]) != 3 || full.Degree(ends[1]) != 3) continue;  // an end without two substituents
      TUnit unit;
      int freeEnds = 0;
      for (int side = 0; side < 2; ++side) {
        int k = 0;
        for (const TArc* arc = full.begin(ends[side]); arc != full.end(ends[side]); ++arc)
          if (arc->Atom != partners[side]) unit.Substituents[side][k++] = skeletonIndex[arc->Atom];
        std::sort(unit.Substituents[side].begin(), unit.Substituents[side].end(), byColour);
        unit.End[side] = skeletonIndex[ends[side]];
        inUnit[unit.End[side]] = true;
        freeEnds += m_hydrogens[unit.End[side]] == 2;
      }
      // Two free ends: 2 of their 4 hydrogen swaps keep cis and trans; one
      // free end follows the other; none: the skeleton map must keep them.
      if (freeEnds == 2) m_factorOverflow |= !MultiplyChecked(m_hydrogenFactor, 2);
      if (freeEnds > 0) continue;
      for (int side = 0; side < 2; ++side) {
        m_unitOf[unit.End[side]] = static_cast<std::uint8_t>(m_units.size());
        m_sideOf[unit.End[side]] = static_cast<std::uint8_t>(side);
      }
      m_units.push_back(unit);
    }

    // sp3 centres with two or more hydrogens set their own parity (h!/2
    // ways each); the others are constrained. Every other atom permutes its
    // hydrogens freely (h!).
    m_reference.assign(m_size, {kNone, kNone, kNone, kNone});
    std::vector<bool> fixedCentre(m_size, false);
    for (std::size_t s = 0; s < m_size; ++s) {
      const std::uint8_t a = original[s];
      const bool sp3 = (types[a] == kCarbon || types[a] == kCarbon14) && unpairedOf(a) == 0 &&
                       full.Degree(a) == 4 &&
                       std::all_of(full.begin(a), full.end(a), [](const TArc& arc) { return arc.Label == 1; });
      std::uint64_t ways = 1;
      for (std::uint64_t k = 2; k <= m_hydrogens[s]; ++k) m_factorOverflow |= !MultiplyChecked(ways, k);
      if (sp3 && m_hydrogens[s] >= 2) {
        m_factorOverflow |= !MultiplyChecked(m_hydrogenFactor, ways / 2);
      } else if (sp3) {
        fixedCentre[s] = true;
        m_hasFixedCentre = true;
        std::size_t k = 0;
        for (const TArc* arc = m_skeleton.begin(s); arc != m_skeleton.end(s); ++arc) m_reference[s][k++] = arc->Atom;
        std::sort(m_reference[s].begin(), m_reference[s].end(), byColour);
      } else if (!inUnit[s]) {
        m_factorOverflow |= !MultiplyChecked(m_hydrogenFactor, ways);
      }
    }

    orderAtoms();

    // Each check at the level where the last of its atoms is mapped.
    auto levelOf = [&](std::initializer_list<std::uint8_t> atoms) {
      std::uint8_t level = 0;
      for (std::uint8_t s : atoms)
        if (s != kNone) level = std::max(level, m_position[s]);
      return level;
    };
    for (std::size_t s = 0; s < m_size; ++s)
      if (fixedCentre[s]) {
        const auto& r = m_reference[s];
        m_constraints.push_back({levelOf({static_cast<std::uint8_t>(s), r[0], r[1], r[2], r[3]}), true,
                                 static_cast<std::uint8_t>(s)});
      }
    for (std::size_t u = 0; u < m_units.size(); ++u) {
      const TUnit& unit = m_units[u];
      m_constraints.push_back({levelOf({unit.End[0], unit.End[1], unit.Substituents[0][0], unit.Substituents[0][1],
                                        unit.Substituents[1][0], unit.Substituents[1][1]}),
                               false, static_cast<std::uint8_t>(u)});
    }
    std::sort(m_constraints.begin(), m_constraints.end(),
              [](const TConstraint& x, const TConstraint& y) { return x.Level < y.Level; });
    m_levelStart.assign(m_size + 1, 0);
    for (const TConstraint& constraint : m_constraints) ++m_levelStart[constraint.Level + 1];
    for (std::size_t level = 0; level < m_size; ++level) m_levelStart[level + 1] += m_levelStart[level];
  }

  /// Colour refinement: an atom's colour mixes its own with the multiset of
  /// (bond, neighbour colour) until the classes stop splitting. Colours only
  /// narrow the candidates; the search checks the graph itself.
  void refineColours() {
    m_colour.resize(m_size);
    for (std::size_t s = 0; s < m_size; ++s) m_colour[s] = Mix(m_key[s]);
    std::vector<std::uint64_t> next(m_size), sorted(m_size);
    auto classes = [&](const std::vector<std::uint64_t>& colours) {
      sorted = colours;
      std::sort(sorted.begin(), sorted.end());
      return std::unique(sorted.begin(), sorted.end()) - sorted.begin();
    };
    auto count = classes(m_colour);
    for (std::size_t round = 0; round < m_size && count < static_cast<std::ptrdiff_t>(m_size); ++round) {
      for (std::size_t s = 0; s < m_size; ++s) {
        std::uint64_t neighbours = 0;
        for (const TArc* arc = m_skeleton.begin(s); arc != m_skeleton.end(s); ++arc)
          neighbours += Spread(m_colour[arc->Atom] ^ (std::uint64_t{arc->Label} << 56));
        next[s] = Mix(m_colour[s] ^ Mix(neighbours));
      }
      const auto refined = classes(next);
      m_colour.swap(next);
      if (refined == count) break;
      count = refined;
    }
  }

  /// Search order: breadth first from an atom of the smallest colour class,
  /// so that each atom after the first of its fragment has a mapped parent.
  void orderAtoms() {
    std::vector<std::uint64_t> sorted(m_colour);
    std::sort(sorted.begin(), sorted.end());
    auto classSize = [&](std::size_t s) {
      const auto range = std::equal_range(sorted.begin(), sorted.end(), m_colour[s]);
      return range.second - range.first;
    };
    m_order.clear();
    m_parent.clear();
    m_position.assign(m_size, kNone);
    while (m_order.size() < m_size) {
      std::size_t start = kNone;
      for (std::size_t s = 0; s < m_size; ++s)
        if (m_position[s] == kNone && (start == kNone || classSize(s) < classSize(start))) start = s;
      std::size_t head = m_order.size();
      m_position[start] = static_cast<std::uint8_t>(m_order.size());
      m_order.push_back(static_cast<std::uint8_t>(start));
      m_parent.push_back(kNone);
      for (; head < m_order.size(); ++head) {
        const std::uint8_t s = m_order[head];
        for (const TArc* arc = m_skeleton.begin(s); arc != m_skeleton.end(s); ++arc)
          if (m_position[arc->Atom] == kNone) {
            m_position[arc->Atom] = static_cast<std::uint8_t>(m_order.size());
            m_order.push_back(arc->Atom);
            m_parent.push_back(s);
          }
      }
    }
  }

  /// |H| (proper) or |K| (proper or improper everywhere): the product over
  /// the levels of the orbit of the level's atom under the maps that fix
  /// the atoms before it.
  TResult<std::uint64_t> groupOrder(bool withMirror) {
    m_withMirror = withMirror;
    m_nodes = 0;
    m_budgetExceeded = false;
    m_map.assign(m_size, kNone);
    m_used.assign(m_size, false);
    std::uint64_t order = 1;
    int sign = kUnset;
    for (std::size_t level = 0; level < m_size; ++level) {
      const std::uint8_t v = m_order[level];
      std::uint64_t orbit = 0;
      forEachCandidate(level, [&](std::uint8_t w) {
        if (w == v) {
          ++orbit;
        } else {
          assign(v, w);
          const int next = check(level, sign);
          if (next != kFail && extend(level + 1, next)) ++orbit;
          unassign(v);
        }
        return !m_budgetExceeded;
      });
      if (m_budgetExceeded) return tooLarge();
      if (!MultiplyChecked(order, orbit)) return tooLarge();
      assign(v, v);
      sign = check(level, sign);
    }
    return order;
  }

  /// Whether the mapped levels extend to a whole map of the group.
  bool extend(std::size_t level, int sign) {
    if (level == m_size) return true;
    if (++m_nodes > kNodeBudget) {
      m_budgetExceeded = true;
      return false;
    }
    const std::uint8_t v = m_order[level];
    bool found = false;
    forEachCandidate(level, [&](std::uint8_t w) {
      assign(v, w);
      const int next = check(level, sign);
      found = next != kFail && extend(level + 1, next);
      unassign(v);
      return !found && !m_budgetExceeded;
    });
    return found;
  }

  void assign(std::uint8_t v, std::uint8_t w) {
    m_map[v] = w;
    m_used[w] = true;
  }
  void unassign(std::uint8_t v) {
    m_used[m_map[v]] = false;
    m_map[v] = kNone;
  }

  /// Calls visit(w) for each free atom w that the level's atom can map to
  /// given the atoms mapped so far; visit returns false to stop.
  template <class Visit>
  void forEachCandidate(std::size_t level, Visit&& visit) {
    const std::uint8_t v = m_order[level];
    auto fits = [&](std::uint8_t w) {
      if (m_used[w] || m_colour[w] != m_colour[v] || m_key[w] != m_key[v]) return false;
      int mappedOfV = 0, mappedOfW = 0;
      for (const TArc* arc = m_skeleton.begin(v); arc != m_skeleton.end(v); ++arc) {
        const std::uint8_t image = m_map[arc->Atom];
        if (image == kNone) continue;
        ++mappedOfV;
        const TArc* match = std::find_if(m_skeleton.begin(w), m_skeleton.end(w),
                                         [&](const TArc& other) { return other.Atom == image; });
        if (match == m_skeleton.end(w) || match->Label != arc->Label) return false;
      }
      for (const TArc* arc = m_skeleton.begin(w); arc != m_skeleton.end(w); ++arc) mappedOfW += m_used[arc->Atom];
      return mappedOfV == mappedOfW;
    };
    if (m_parent[level] != kNone) {
      const std::uint8_t image = m_map[m_parent[level]];
      for (const TArc* arc = m_skeleton.begin(image); arc != m_skeleton.end(image); ++arc)
        if (fits(arc->Atom) && !visit(arc->Atom)) return;
    } else {
      for (std::size_t w = 0; w < m_size; ++w)
        if (fits(static_cast<std::uint8_t>(w)) && !visit(static_cast<std::uint8_t>(w))) return;
    }
  }

  /// The checks due at a level: the sign they leave (K), or kFail.
  int check(std::size_t level, int sign) const {
    for (std::size_t c = m_levelStart[level]; c < m_levelStart[level + 1]; ++c) {
      const TConstraint& constraint = m_constraints[c];
      if (constraint.Centre) {
        const int parity = centreParity(constraint.Index);
        if (!m_withMirror) {
          if (parity != 0) return kFail;
        } else if (sign == kUnset) {
          sign = parity;
        } else if (parity != sign) {
          return kFail;
        }
      } else if (endSwap(constraint.Index, 0) != endSwap(constraint.Index, 1)) {
        return kFail;
      }
    }
    return sign;
  }

  /// Parity of the permutation that takes the centre's reference order onto
  /// its image's.
  int centreParity(std::uint8_t centre) const {
    const auto& reference = m_reference[centre];
    const auto& image = m_reference[m_map[centre]];
    std::array<int, 4> slots{};
    for (int k = 0; k < 4; ++k) {
      const std::uint8_t target = reference[k] == kNone ? kNone : m_map[reference[k]];
      slots[k] = static_cast<int>(std::find(image.begin(), image.end(), target) - image.begin());
    }
    int inversions = 0;
    for (int i = 0; i < 4; ++i)
      for (int j = i + 1; j < 4; ++j) inversions += slots[i] > slots[j];
    return inversions % 2;
  }

  /// 1 when the end's two substituents land in swapped slots at the image end.
  int endSwap(std::uint8_t unit, int side) const {
    const TUnit& source = m_units[unit];
    const std::uint8_t imageEnd = m_map[source.End[side]];
    const auto& image = m_units[m_unitOf[imageEnd]].Substituents[m_sideOf[imageEnd]];
    const auto& substituents = source.Substituents[side];
    const int k = substituents[0] != kNone ? 0 : 1;
    return image[k] != m_map[substituents[k]];
  }

  // The skeleton.
  std::size_t m_size = 0;
  TAdjacency m_skeleton;
  std::vector<std::uint8_t> m_hydrogens;
  std::vector<std::uint32_t> m_key;  // type, hydrogens, unpaired electrons, degree
  std::vector<std::uint64_t> m_colour;
  // Constraints.
  std::vector<std::array<std::uint8_t, 4>> m_reference;  // of the constrained centres
  std::vector<TUnit> m_units;
  std::vector<std::uint8_t> m_unitOf, m_sideOf;
  std::vector<TConstraint> m_constraints;
  std::vector<std::uint16_t> m_levelStart;
  std::uint64_t m_hydrogenFactor = 1;
  bool m_factorOverflow = false;
  bool m_hasFixedCentre = false;
  // Search.
  std::vector<std::uint8_t> m_order, m_parent, m_position, m_map;
  std::vector<bool> m_used;
  bool m_withMirror = false;
  std::uint64_t m_nodes = 0;
  bool m_budgetExceeded = false;
};

}  // namespace

TResult<TSymmetry> SymmetryOf(const TMolecule& molecule) {
  return TSymmetrySearch(molecule).Run();
}

}  // namespace korvane
