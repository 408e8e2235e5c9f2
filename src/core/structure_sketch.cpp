#include "core/structure_sketch.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/atom_types.h"
#include "core/structure_layout.h"

namespace korvane {
namespace {

template <class T>
void GrowSquare(TMatrixOf<T>& matrix, std::size_t added) {
  const std::size_t n = matrix.size();
  TMatrixOf<T> grown(n + added, n + added, T{});
  for (std::size_t i = 0; i < n; ++i) std::copy_n(matrix[i], n, grown[i]);
  matrix = std::move(grown);
}

std::uint8_t TypeCode(SketchAtomKind kind) {
  switch (kind) {
    case SketchAtomKind::Carbon: return kCarbon;
    case SketchAtomKind::Hydrogen: return kHydrogen;
    case SketchAtomKind::AromaticCarbon: return kAromaticCarbon;
    case SketchAtomKind::None: break;
  }
  return kNoType;
}

std::uint8_t BondOrder(SketchBondKind kind) {
  switch (kind) {
    case SketchBondKind::Double: return 2;
    case SketchBondKind::Triple: return 3;
    default: return 1;
  }
}

SketchBondKind KindOfBond(std::uint8_t order, bool aromatic) {
  if (aromatic) return SketchBondKind::Aromatic;
  if (order == 2) return SketchBondKind::Double;
  if (order >= 3) return SketchBondKind::Triple;
  return SketchBondKind::Single;
}

// "C(" for both carbons and "H(" for hydrogen, as the Atoms menu names them;
// the other elements a pasted molecule may bring by their symbols.
std::string LabelText(std::uint8_t type, std::size_t atom) {
  const std::string letter = type == kAromaticCarbon ? "C" : AtomSymbol(type);
  return letter + "(" + std::to_string(atom) + ")";
}

SketchPoint Shifted(SketchPoint p, int dx, int dy) { return {p.X + dx, p.Y + dy}; }

struct UnitPoint {
  double X = 0.0;
  double Y = 0.0;
};

// Layout coordinates [bond lengths] of the atoms that get labels: the
// skeleton as the structure drawing lays it out, then the hydrogens bonded
// to no polyvalent atom in a row beneath.
std::vector<UnitPoint> LabelPositions(const TMolecule& molecule, const std::vector<std::size_t>& labelled) {
  std::vector<UnitPoint> points;
  std::unique_ptr<TMyMolecule> skeleton = BuildSkeleton(molecule);
  const std::size_t skeletonSize = skeleton->AtomCount();
  if (skeletonSize > 0) {
    if (molecule.IsCyclic()) AssignRings(*skeleton);
    LayoutSkeleton(*skeleton, {});
    const bool allPlaced = std::all_of(skeleton->Placed.begin(), skeleton->Placed.end(), [](bool p) { return p; });
    for (std::size_t k = 0; k < skeletonSize; ++k) {
      if (allPlaced) {
        points.push_back({skeleton->X[k], skeleton->Y[k]});
      } else {
        // A ring system without a template (fused rings): every atom on one
        // circle with sides of one bond length, which the user can edit.
        const double angle = 2.0 * std::numbers::pi * static_cast<double>(k) / static_cast<double>(skeletonSize);
        const double radius = skeletonSize > 1 ? 0.5 / std::sin(std::numbers::pi / static_cast<double>(skeletonSize)) : 0.0;
        points.push_back({radius * std::cos(angle), radius * std::sin(angle)});
      }
    }
  }
  double rowY = 0.0, rowX = 0.0;
  if (!points.empty()) {
    for (const UnitPoint& p : points) rowY = std::max(rowY, p.Y + 1.0);
    rowX = std::min_element(points.begin(), points.end(), [](auto& a, auto& b) { return a.X < b.X; })->X;
  }
  for (std::size_t k = skeletonSize; k < labelled.size(); ++k)
    points.push_back({rowX + static_cast<double>(k - skeletonSize), rowY});
  return points;
}

}  // namespace

std::vector<SketchLine> BondLines(SketchPoint a, SketchPoint b, SketchBondKind kind) {
  if (kind == SketchBondKind::None) return {};
  const int dx = b.X - a.X, dy = b.Y - a.Y;
  const double length = std::hypot(dx, dy);
  std::vector<SketchLine> lines{{a, b, false}};
  if (length == 0.0) return lines;
  const int ox = static_cast<int>(std::lround(4.0 * dy / length));
  const int oy = static_cast<int>(std::lround(-4.0 * dx / length));
  switch (kind) {
    case SketchBondKind::Double: lines.push_back({Shifted(a, ox, oy), Shifted(b, ox, oy), false}); break;
    case SketchBondKind::Triple:
      lines.push_back({Shifted(a, ox, oy), Shifted(b, ox, oy), false});
      lines.push_back({Shifted(a, -ox, -oy), Shifted(b, -ox, -oy), false});
      break;
    case SketchBondKind::Aromatic: lines.push_back({Shifted(a, ox, oy), Shifted(b, ox, oy), true}); break;
    default: break;
  }
  return lines;
}

void StructureSketch::ChooseBondKind(SketchBondKind kind) {
  m_bondKind = kind;
  m_firstAtom.reset();
}

void StructureSketch::StartOpening() {
  m_unpairedElectronMode = false;
  m_firstAtom.reset();
}

std::size_t StructureSketch::appendAtom(std::uint8_t type) {
  GrowSquare(m_adjacency, 1);
  GrowSquare(m_aromatic, 1);
  m_atomTypes.push_back(type);
  return m_atomTypes.size() - 1;
}

SketchLabel* StructureSketch::labelOf(std::size_t atom) {
  for (SketchLabel& label : m_labels)
    if (label.Atom == atom) return &label;
  return nullptr;
}

std::optional<std::size_t> StructureSketch::PlaceAtom(SketchPoint corner) {
  if (m_atomKind == SketchAtomKind::None || AtomCount() >= kMaxAtoms) return std::nullopt;
  const std::uint8_t type = TypeCode(m_atomKind);
  const std::size_t atom = appendAtom(type);
  m_labels.push_back({atom, corner, LabelText(type, atom)});
  return atom;
}

bool StructureSketch::ClickAtom(std::size_t atom) {
  if (atom >= AtomCount()) return false;
  if (m_unpairedElectronMode) {
    m_adjacency[atom][atom] = 1;
    return true;
  }
  if (!m_firstAtom) {
    m_firstAtom = atom;
    return false;
  }
  const std::size_t first = *m_firstAtom;
  m_firstAtom.reset();
  if (m_bondKind == SketchBondKind::None) return false;
  SetBond(first, atom, m_bondKind);
  return true;
}

void StructureSketch::SetBond(std::size_t a, std::size_t b, SketchBondKind kind) {
  if (kind == SketchBondKind::None || a >= AtomCount() || b >= AtomCount()) return;
  const std::uint8_t order = BondOrder(kind);
  if (a == b) {
    // A bond to itself counts as unpaired electrons; the aromatic matrix
    // keeps its diagonal false.
    m_adjacency[a][a] = order;
    return;
  }
  m_adjacency[a][b] = m_adjacency[b][a] = order;
  // A replaced bond takes the new kind whole: a double bond drawn over an
  // aromatic one is no longer aromatic.
  m_aromatic[a][b] = m_aromatic[b][a] = kind == SketchBondKind::Aromatic;
  for (SketchBond& bond : m_bonds)
    if ((bond.First == a && bond.Second == b) || (bond.First == b && bond.Second == a)) {
      bond.Kind = kind;
      return;
    }
  m_bonds.push_back({a, b, kind});
}

std::size_t StructureSketch::CompleteWithHydrogens() {
  const std::size_t present = AtomCount();
  std::size_t added = 0;
  for (std::size_t i = 0; i < present; ++i) {
    int bonds = 0;
    for (std::size_t j = 0; j < AtomCount(); ++j) bonds += m_adjacency[i][j];
    int missing = Valence(m_atomTypes[i]) - bonds;
    SketchLabel* label = labelOf(i);
    for (; missing > 0 && AtomCount() < kMaxAtoms; --missing, ++added) {
      const std::size_t hydrogen = appendAtom(kHydrogen);
      m_adjacency[i][hydrogen] = m_adjacency[hydrogen][i] = 1;
      if (label) label->Text += 'H';
    }
  }
  return added;
}

void StructureSketch::Clear() {
  m_adjacency.clear();
  m_atomTypes.clear();
  m_aromatic.clear();
  m_labels.clear();
  m_bonds.clear();
  m_firstAtom.reset();
}

bool StructureSketch::AddMolecule(const TMolecule& molecule, SketchPoint centre, const SketchBounds& bounds,
                                  int bondLength) {
  const std::size_t offset = AtomCount();
  const std::size_t count = molecule.AtomCount();
  if (count == 0 || offset + count > kMaxAtoms) return false;
  const TByteMatrix& adjacency = molecule.AdjacencyMatrix();
  const TByteVector& types = molecule.AtomTypes();

  // Labelled: the polyvalent atoms in index order (the skeleton's order),
  // then the atoms bonded to none of them.
  std::vector<std::size_t> labelled;
  for (std::size_t i = 0; i < count; ++i)
    if (IsPolyvalent(types[i])) labelled.push_back(i);
  std::vector<std::size_t> carrier(count, count);  // the polyvalent atom a hydrogen sits on
  for (std::size_t i = 0; i < count; ++i) {
    if (IsPolyvalent(types[i])) continue;
    for (std::size_t j = 0; j < count && carrier[i] == count; ++j)
      if (j != i && adjacency[i][j] != 0 && IsPolyvalent(types[j])) carrier[i] = j;
    if (carrier[i] == count) labelled.push_back(i);
  }

  const std::vector<UnitPoint> points = LabelPositions(molecule, labelled);
  double minX = points[0].X, maxX = minX, minY = points[0].Y, maxY = minY;
  for (const UnitPoint& p : points) {
    minX = std::min(minX, p.X), maxX = std::max(maxX, p.X);
    minY = std::min(minY, p.Y), maxY = std::max(maxY, p.Y);
  }
  double unit = bondLength;
  if (maxX > minX) unit = std::min(unit, (bounds.Right - bounds.Left) / (maxX - minX));
  if (maxY > minY) unit = std::min(unit, (bounds.Bottom - bounds.Top) / (maxY - minY));
  unit = std::max(unit, 1.0);
  const double halfWidth = unit * (maxX - minX) / 2.0, halfHeight = unit * (maxY - minY) / 2.0;
  // The centre moves inward until the whole picture lies within the bounds.
  const double centreX = std::clamp<double>(centre.X, bounds.Left + halfWidth, std::max(bounds.Left + halfWidth, bounds.Right - halfWidth));
  const double centreY = std::clamp<double>(centre.Y, bounds.Top + halfHeight, std::max(bounds.Top + halfHeight, bounds.Bottom - halfHeight));

  GrowSquare(m_adjacency, count);
  GrowSquare(m_aromatic, count);
  for (std::size_t i = 0; i < count; ++i) {
    m_atomTypes.push_back(types[i]);
    for (std::size_t j = 0; j < count; ++j) {
      m_adjacency[offset + i][offset + j] = adjacency[i][j];
      m_aromatic[offset + i][offset + j] = molecule.AromaticMatrix()[i][j];
    }
  }
  for (std::size_t k = 0; k < labelled.size(); ++k) {
    const std::size_t atom = labelled[k];
    const SketchPoint corner{static_cast<int>(std::lround(centreX + unit * (points[k].X - (minX + maxX) / 2.0))),
                             static_cast<int>(std::lround(centreY + unit * (points[k].Y - (minY + maxY) / 2.0)))};
    std::string text = LabelText(types[atom], offset + atom);
    text.append(static_cast<std::size_t>(std::count(carrier.begin(), carrier.end(), atom)), 'H');
    m_labels.push_back({offset + atom, corner, std::move(text)});
  }
  for (std::size_t a = 0; a < labelled.size(); ++a)
    for (std::size_t b = a + 1; b < labelled.size(); ++b) {
      const std::size_t i = labelled[a], j = labelled[b];
      if (adjacency[i][j] != 0)
        m_bonds.push_back({offset + i, offset + j, KindOfBond(adjacency[i][j], molecule.AromaticMatrix()[i][j])});
    }
  return true;
}

}  // namespace korvane
