#pragma once
/// StructureSketch: the molecule being drawn in the structure editor. Atoms
/// are placed one at a time as labels on a drawing area and joined by bonds;
/// the sketch keeps the three stored pieces of a molecule (adjacency matrix
/// with unpaired electrons on the diagonal, atom types, aromatic matrix),
/// growing by one row and column per atom, and what the editor draws: the
/// atom labels ("C(0)HHH") and the bonds between their top-left corners.
///
/// The sketch validates nothing, as drawing by hand needs: valences may be
/// exceeded and atoms left unbonded. Whoever takes the structure checks it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/molecule.h"
#include "core/vectors.h"

namespace korvane {

/// Atom kinds of the Atoms menu.
enum class SketchAtomKind { None, Carbon, Hydrogen, AromaticCarbon };
/// Bond kinds of the Bonds menu.
enum class SketchBondKind { None, Single, Double, Triple, Aromatic };

/// A point of the drawing area [pixels], y growing downward.
struct SketchPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const SketchPoint&, const SketchPoint&) = default;
};

/// Where label corners may lie [pixels], edges included.
struct SketchBounds {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

/// The label of an atom placed on the drawing area. Hydrogens added by
/// completion have no label of their own: each adds an "H" to the label of
/// the atom it sits on.
struct SketchLabel {
  std::size_t Atom = 0;
  /// Top-left corner of the label.
  SketchPoint Corner;
  /// "C(0)", "H(3)", "C(0)HHH".
  std::string Text;
};

/// A drawn bond between two labelled atoms; set again, it changes kind.
struct SketchBond {
  std::size_t First = 0;
  std::size_t Second = 0;
  SketchBondKind Kind = SketchBondKind::Single;
};

/// One line of a drawn bond.
struct SketchLine {
  SketchPoint From;
  SketchPoint To;
  bool Dotted = false;
  friend bool operator==(const SketchLine&, const SketchLine&) = default;
};

/// The lines that draw a bond from corner `a` to corner `b`: the solid line
/// a-b, and with the offset (ox, oy) = (4 dy / L, -4 dx / L) rounded (dx, dy
/// = b - a, L its length): "2x" a second solid line shifted by it, "3x" two
/// more shifted by it and by its opposite, "Aromatic" a dotted line shifted by
/// it. A bond of zero length has no direction to shift along and is drawn as
/// its one point.
std::vector<SketchLine> BondLines(SketchPoint a, SketchPoint b, SketchBondKind kind);

class StructureSketch {
 public:
  // The editing data, with one entry per atom (labelled or not).
  const TByteMatrix& AdjacencyMatrix() const { return m_adjacency; }
  const TByteVector& AtomTypes() const { return m_atomTypes; }
  const TBoolMatrix& AromaticMatrix() const { return m_aromatic; }
  std::size_t AtomCount() const { return m_atomTypes.size(); }

  const std::vector<SketchLabel>& Labels() const { return m_labels; }
  const std::vector<SketchBond>& Bonds() const { return m_bonds; }
  /// Whether the atom carries unpaired electrons (its label is drawn red).
  bool IsRadicalCentre(std::size_t atom) const { return m_adjacency[atom][atom] != 0; }

  SketchAtomKind AtomKind() const { return m_atomKind; }
  SketchBondKind BondKind() const { return m_bondKind; }
  bool UnpairedElectronMode() const { return m_unpairedElectronMode; }
  /// The first end of the bond being drawn.
  std::optional<std::size_t> FirstAtom() const { return m_firstAtom; }

  void ChooseAtomKind(SketchAtomKind kind) { m_atomKind = kind; }
  /// Also cancels the first-atom selection.
  void ChooseBondKind(SketchBondKind kind);
  void ToggleUnpairedElectronMode() { m_unpairedElectronMode = !m_unpairedElectronMode; }
  /// What every opening of the editor starts with: the unpaired-electron mode
  /// off and no first atom. The drawing and the chosen kinds stay.
  void StartOpening();

  /// A click on the drawing area: places an atom of the chosen kind with its
  /// label's corner at `corner` and returns its index. Nothing without a
  /// chosen kind, or when the sketch already holds as many atoms as a
  /// molecule can.
  std::optional<std::size_t> PlaceAtom(SketchPoint corner);
  /// A click on an atom's label. In unpaired-electron mode the atom gets one
  /// unpaired electron (set, not added). Otherwise the first click selects
  /// the atom and the second sets the chosen bond between the two (if a bond
  /// kind is chosen) and clears the selection. Returns true when the drawing
  /// changed.
  bool ClickAtom(std::size_t atom);
  /// Sets the bond between a and b: order 1 for "1x" and "Aromatic", 2, 3;
  /// "Aromatic" also marks it aromatic. A bond set again replaces the old
  /// one. From an atom to itself it sets the atom's unpaired electrons to the
  /// order.
  void SetBond(std::size_t a, std::size_t b, SketchBondKind kind);

  /// Completes every atom present now with hydrogens up to its valence
  /// (bond orders plus unpaired electrons count) and returns how many were
  /// added. Repeating it adds nothing.
  std::size_t CompleteWithHydrogens();
  /// Empties the drawing; the chosen kinds stay.
  void Clear();

  /// Adds a built molecule to the drawing: its atoms in its own order after
  /// the present ones; its polyvalent atoms labelled where the structure
  /// layout puts them, `bondLength` pixels apart or closer so that every
  /// label corner lies within `bounds`, centred on `centre` as far as the
  /// bounds allow; its hydrogens shown as the "H"s of the atoms they sit on,
  /// as completion shows them. Hydrogens bonded to no polyvalent atom get
  /// labels of their own in a row beneath. Returns false, changing nothing,
  /// when the sketch would then hold more atoms than a molecule can.
  bool AddMolecule(const TMolecule& molecule, SketchPoint centre, const SketchBounds& bounds, int bondLength);

 private:
  std::size_t appendAtom(std::uint8_t type);
  SketchLabel* labelOf(std::size_t atom);

  TByteMatrix m_adjacency;
  TByteVector m_atomTypes;
  TBoolMatrix m_aromatic;
  std::vector<SketchLabel> m_labels;
  std::vector<SketchBond> m_bonds;
  SketchAtomKind m_atomKind = SketchAtomKind::None;
  SketchBondKind m_bondKind = SketchBondKind::None;
  bool m_unpairedElectronMode = false;
  std::optional<std::size_t> m_firstAtom;
};

}  // namespace korvane
