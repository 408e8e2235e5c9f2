#include "core/atom.h"

namespace korvane {

void TAtom::count(const TNeighbour& entry, int sign) {
  auto step = [sign](std::uint8_t& counter) { counter = static_cast<std::uint8_t>(counter + sign); };
  if (entry.Atom == this) {
    // A self entry counts its order (always 1 for an unpaired electron).
    m_counts.unpaired = static_cast<std::uint8_t>(m_counts.unpaired + sign * entry.Order);
  } else {
    const std::uint8_t valence = Valence(entry.Atom->GetAtomType());
    if (valence == 3 || valence == 4) step(m_counts.skeleton);
  }
  if (entry.Order >= 2) step(m_counts.multiple);
  if (entry.Order >= 3) step(m_counts.triple);
  if (entry.Aromatic) step(m_counts.aromatic);
  if (entry.Order > 1 || entry.Aromatic) step(m_counts.unsaturated);
}

void TAtom::AddNeighbour(TAtom* atom, bool mutual, std::uint8_t order, bool aromatic) {
  m_entries.push_back({atom, order, aromatic});
  count(m_entries.back(), +1);
  if (mutual) atom->AddNeighbour(this, false, order, aromatic);
}

void TAtom::AddUnpairedElectron() {
  m_entries.push_back({this, 1, false});
  count(m_entries.back(), +1);
}

int TAtom::FindEntry(const TAtom* atom) const {
  for (std::size_t k = 0; k < m_entries.size(); ++k)
    if (m_entries[k].Atom == atom) return static_cast<int>(k);
  return -1;
}

void TAtom::RemoveNeighbour(TAtom* atom, bool mutual) {
  const int position = FindEntry(atom);
  if (position >= 0) RemoveNeighbourAt(static_cast<std::size_t>(position), mutual);
}

void TAtom::RemoveNeighbourAt(std::size_t position, bool mutual) {
  if (position >= m_entries.size()) return;
  if (mutual) m_entries[position].Atom->RemoveNeighbour(this, false);
  // A mutual removal of a self entry has already shortened this list; guard
  // against a position that now lies past the end.
  if (position >= m_entries.size()) return;
  count(m_entries[position], -1);
  m_entries.erase(position);
}

TAtomVector TAtom::GetNeighbours() const {
  TAtomVector atoms;
  atoms.reserve(m_entries.size());
  for (const auto& entry : m_entries) atoms.push_back(entry.Atom);
  return atoms;
}

bool TAtom::IsNeighbour(const TAtom* atom) const { return FindEntry(atom) >= 0; }

std::uint8_t TAtom::BondOrderTo(const TAtom* atom) const {
  const int position = FindEntry(atom);
  return position < 0 ? 0 : m_entries[static_cast<std::size_t>(position)].Order;
}

bool TAtom::IsAromaticBondTo(const TAtom* atom) const {
  const int position = FindEntry(atom);
  return position >= 0 && m_entries[static_cast<std::size_t>(position)].Aromatic;
}

void TAtom::MarkComponent(TBoolVector& flags) {
  if (Visited) return;
  Visited = 1;
  flags[m_index] = true;
  for (const auto& entry : m_entries)
    if (!entry.Atom->Visited) entry.Atom->MarkComponent(flags);
}

bool TAtom::IsInCycle() {
  // Hydrogen-like atoms are never entered; states are not reset between
  // branches, so an atom finished without success is never entered again.
  SearchState = 1;
  bool found = false;
  for (const auto& entry : m_entries) {
    TAtom* next = entry.Atom;
    if (next == this) continue;
    if (IsPolyvalent(next->GetAtomType()) && next->SearchState == 0 && next->Search(this, this)) {
      found = true;
      break;
    }
  }
  SearchState = 2;
  return found;
}

bool TAtom::Search(TAtom* target, TAtom* previous) {
  if (SearchState != 0) return false;
  SearchState = 1;
  // At least two bonds away from the target along the path and bonded to it:
  // the path closes a ring.
  if (previous != target) {
    for (const auto& entry : m_entries) {
      if (entry.Atom == target) {
        SearchState = 2;
        return true;
      }
    }
  }
  for (const auto& entry : m_entries) {
    TAtom* next = entry.Atom;
    if (next == previous || next == this) continue;
    if (IsPolyvalent(next->GetAtomType()) && next->SearchState == 0 && next->Search(target, this)) {
      SearchState = 2;
      return true;
    }
  }
  SearchState = 2;
  return false;
}

void SizeAtomMatrix(TAtomMatrix& matrix, std::size_t rows, std::size_t cols) {
  matrix.assign(rows, TAtomVector(cols, nullptr));
}

}  // namespace korvane
