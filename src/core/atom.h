#pragma once
/// An atom of a built molecule: its neighbour list with the order and
/// aromatic flag of each bond, the per-atom counts, and the graph walks
/// (fragment marking, ring search).
///
/// An unpaired electron is a bond of the atom to itself: an atom with k
/// unpaired electrons lists itself k times, each with order 1, not aromatic.
/// Every count below includes these self entries where it says so.

#include <array>
#include <cstdint>
#include <vector>

#include "core/atom_types.h"
#include "core/vectors.h"

namespace korvane {

class TAtom;

/// Non-owning list of atoms.
using TAtomVector = std::vector<TAtom*>;
using TAtomMatrix = std::vector<TAtomVector>;

/// One entry of a neighbour list.
struct TNeighbour {
  TAtom* Atom;          ///< bonded atom (this atom itself for an unpaired electron)
  std::uint8_t Order;   ///< 1, 2 or 3; 1 for self entries and aromatic bonds
  bool Aromatic;        ///< aromatic bond
};

/// A neighbour list: up to four entries (a carbon's bonds, or a radical
/// carbon's three bonds and its self entry) live inside the atom, longer
/// lists on the heap. Building a molecule then allocates nothing per atom.
class TNeighbourList {
 public:
  using iterator = TNeighbour*;
  using const_iterator = const TNeighbour*;

  TNeighbourList() = default;
  TNeighbourList(const TNeighbourList&) = delete;
  TNeighbourList& operator=(const TNeighbourList&) = delete;
  TNeighbourList(TNeighbourList&& other) noexcept { *this = std::move(other); }
  TNeighbourList& operator=(TNeighbourList&& other) noexcept {
    m_inline = other.m_inline;
    m_heap = std::move(other.m_heap);
    m_size = other.m_size;
    other.m_size = 0;
    return *this;
  }

  std::size_t size() const { return m_size; }
  bool empty() const { return m_size == 0; }
  TNeighbour* begin() { return data(); }
  TNeighbour* end() { return data() + m_size; }
  const TNeighbour* begin() const { return data(); }
  const TNeighbour* end() const { return data() + m_size; }
  TNeighbour& operator[](std::size_t k) { return data()[k]; }
  const TNeighbour& operator[](std::size_t k) const { return data()[k]; }
  const TNeighbour& front() const { return data()[0]; }
  const TNeighbour& back() const { return data()[m_size - 1]; }

  void push_back(const TNeighbour& entry) {
    if (m_heap.empty() && m_size == kInline) m_heap.assign(m_inline.begin(), m_inline.end());
    if (m_heap.empty())
      m_inline[m_size] = entry;
    else
      m_heap.push_back(entry);
    ++m_size;
  }
  void erase(std::size_t position) {
    TNeighbour* entries = data();
    std::move(entries + position + 1, entries + m_size, entries + position);
    --m_size;
    if (!m_heap.empty()) m_heap.pop_back();
  }

 private:
  static constexpr std::size_t kInline = 4;
  TNeighbour* data() { return m_heap.empty() ? m_inline.data() : m_heap.data(); }
  const TNeighbour* data() const { return m_heap.empty() ? m_inline.data() : m_heap.data(); }

  std::array<TNeighbour, kInline> m_inline{};
  std::vector<TNeighbour> m_heap;  // used once the list outgrows m_inline
  std::size_t m_size = 0;
};

/// Neighbour lists are one list of bond records, kept in order of addition;
/// removal shifts later entries down. The ring search, the fragment walk
/// and the drawing walk visit neighbours in this order.
class TAtom {
 public:
  TAtom(std::uint8_t index, std::uint8_t atomType) : m_index(index), m_atomType(atomType) {}
  TAtom(const TAtom&) = delete;
  TAtom& operator=(const TAtom&) = delete;
  TAtom(TAtom&&) = default;
  TAtom& operator=(TAtom&&) = default;

  /// Traversal mark of the fragment walk.
  std::uint8_t Visited = 0;
  /// Ring-search state: 0 unvisited, 1 on the current path, 2 finished.
  std::uint8_t SearchState = 0;

  std::uint8_t GetIndex() const { return m_index; }
  std::uint8_t GetAtomType() const { return m_atomType; }

  /// The neighbour entries in order, self entries included (no copy).
  const TNeighbourList& Entries() const { return m_entries; }

  /// Appends a bond entry; when mutual, also adds this atom to the other's list.
  void AddNeighbour(TAtom* atom, bool mutual, std::uint8_t order, bool aromatic);
  /// Appends a self entry (one unpaired electron).
  void AddUnpairedElectron();
  /// Removes the first entry holding the atom; nothing if there is none.
  void RemoveNeighbour(TAtom* atom, bool mutual);
  /// Removes the entry at a position; when mutual, first removes this atom
  /// from the other atom's list.
  void RemoveNeighbourAt(std::size_t position, bool mutual);

  /// A copy of the neighbour atoms, self entries included.
  TAtomVector GetNeighbours() const;
  bool IsNeighbour(const TAtom* atom) const;
  std::uint8_t NeighbourCount() const { return static_cast<std::uint8_t>(m_entries.size()); }
  /// Number of self entries.
  std::uint8_t UnpairedElectrons() const { return m_counts.unpaired; }
  /// Odd number of unpaired electrons.
  bool IsRadicalCentre() const { return m_counts.unpaired % 2 == 1; }
  /// Bonded atoms other than itself whose valence is 3 or 4: for a carbon,
  /// 1 primary, 2 secondary, 3 tertiary, 4 quaternary.
  std::uint8_t SkeletonDegree() const { return m_counts.skeleton; }
  /// Entries with bond order 2 or more.
  std::uint8_t MultipleBondCount() const { return m_counts.multiple; }
  /// Entries with bond order 3 or more.
  std::uint8_t TripleBondCount() const { return m_counts.triple; }
  std::uint8_t DoubleBondCount() const {
    return static_cast<std::uint8_t>(m_counts.multiple - m_counts.triple);
  }
  std::uint8_t AromaticBondCount() const { return m_counts.aromatic; }
  /// Entries with order above 1 or flagged aromatic.
  std::uint8_t UnsaturatedBondCount() const { return m_counts.unsaturated; }
  /// Order of the first entry holding the atom; 0 if none.
  std::uint8_t BondOrderTo(const TAtom* atom) const;
  /// Aromatic flag of the first entry holding the atom; false if none.
  bool IsAromaticBondTo(const TAtom* atom) const;

  void SetVisited(std::uint8_t value) { Visited = value; }
  std::uint8_t GetVisited() const { return Visited; }
  void SetSearchState(std::uint8_t value) { SearchState = value; }
  std::uint8_t GetSearchState() const { return SearchState; }

  /// Depth-first walk over unvisited neighbours: sets Visited and flags[Index]
  /// on every atom of this atom's fragment. The caller clears Visited first.
  void MarkComponent(TBoolVector& flags);

  /// Whether the atom lies on a ring of polyvalent atoms. The caller sets
  /// SearchState 0 on every atom of the molecule first.
  bool IsInCycle();

 private:
  bool Search(TAtom* target, TAtom* previous);
  int FindEntry(const TAtom* atom) const;
  // Keeps the counts in step with the entries: +1 when an entry is added,
  // -1 when it is removed (byte arithmetic, like counting them).
  void count(const TNeighbour& entry, int sign);

  // Counts over the entries, kept up to date as entries come and go: the
  // generators and the recipes ask for them constantly.
  struct Counts {
    std::uint8_t unpaired = 0;
    std::uint8_t skeleton = 0;
    std::uint8_t multiple = 0;
    std::uint8_t triple = 0;
    std::uint8_t aromatic = 0;
    std::uint8_t unsaturated = 0;
  };

  std::uint8_t m_index;
  std::uint8_t m_atomType;
  TNeighbourList m_entries;
  Counts m_counts;
};

/// Sizes the matrix to rows x cols of empty references.
void SizeAtomMatrix(TAtomMatrix& matrix, std::size_t rows, std::size_t cols);

}  // namespace korvane
