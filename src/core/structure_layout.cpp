#include "core/structure_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace korvane {
namespace {

constexpr double kPi = std::numbers::pi;

// Continuation table as positions in kDirections: row = position of the
// incoming direction, column = mode 0, 1, 2.
constexpr int kContinuation[8][3] = {
    {1, 2, 3},  // 60   -> -60, 90, -90
    {0, 3, 2},  // -60  -> 60, -90, 90
    {0, 4, 2},  // 90   -> 60, 120, 90
    {1, 5, 3},  // -90  -> -60, -120, -90
    {5, 2, 6},  // 120  -> -120, 90, 180
    {4, 3, 6},  // -120 -> 120, -90, 180
    {5, 4, 6},  // 180  -> -120, 120, 180
    {1, 0, 7},  // 0    -> -60, 60, 0
};

// Angle between two directions, in [0, pi].
double AngularDistance(double a, double b) {
  const double difference = std::fmod(std::fabs(a - b), 2.0 * kPi);
  return difference > kPi ? 2.0 * kPi - difference : difference;
}

// Position of the table direction equal to d, or else the nearest one (the
// lower position on a tie), so a chain leaving a rotated ring keeps going in
// roughly the direction it left in.
int NearestDirection(double d) {
  for (int k = 0; k < 8; ++k)
    if (kDirections[k] == d) return k;
  int best = 0;
  double bestDistance = std::numeric_limits<double>::infinity();
  for (int k = 0; k < 8; ++k) {
    const double distance = AngularDistance(kDirections[k], d);
    if (distance < bestDistance - 1e-9) {
      best = k;
      bestDistance = distance;
    }
  }
  return best;
}

const RingTemplate kSixRing = {
    6,
    {1.0, 1.732, 2.6457, 3.0, 2.6457, 1.732},
    {0.0, DegreesToRadians(30), DegreesToRadians(19.106), 0.0, DegreesToRadians(-19.106), DegreesToRadians(-30)},
    {{{DegreesToRadians(120), DegreesToRadians(-120)},
      {DegreesToRadians(90), DegreesToRadians(120)},
      {DegreesToRadians(60), DegreesToRadians(90)},
      {DegreesToRadians(60), DegreesToRadians(-60)},
      {DegreesToRadians(-90), DegreesToRadians(-60)},
      {DegreesToRadians(-120), DegreesToRadians(-90)}}},
};

// A regular hexagon of side 1 without its far vertex.
const RingTemplate kFiveRing = {
    5,
    {1.0, std::numbers::sqrt3, std::sqrt(7.0), std::sqrt(7.0), std::numbers::sqrt3, 0.0},
    {0.0, DegreesToRadians(30), DegreesToRadians(19.107), DegreesToRadians(-19.107), DegreesToRadians(-30), 0.0},
    {{{DegreesToRadians(120), DegreesToRadians(-120)},
      {DegreesToRadians(120), DegreesToRadians(90)},
      {DegreesToRadians(60), DegreesToRadians(90)},
      {DegreesToRadians(-60), DegreesToRadians(-90)},
      {DegreesToRadians(-120), DegreesToRadians(-90)},
      {0.0, 0.0}}},
};

// The second substituent directions of vertices 1 and 3 point outward and
// mirror each other (60/120 and -120/-60). With -60 at vertex 1 a substituent
// would land inside the ring, and with -120 twice two substituents of vertex 3
// would land on the same spot.
const RingTemplate kFourRing = {
    4,
    {1.0, 1.707107, 2.414214, 1.707107, 0.0, 0.0},
    {0.0, DegreesToRadians(22.5), 0.0, DegreesToRadians(-22.5), 0.0, 0.0},
    {{{DegreesToRadians(120), DegreesToRadians(-120)},
      {DegreesToRadians(60), DegreesToRadians(120)},
      {DegreesToRadians(-60), DegreesToRadians(60)},
      {DegreesToRadians(-120), DegreesToRadians(-60)},
      {0.0, 0.0},
      {0.0, 0.0}}},
};

// The connected pieces of the atoms in `members`, over the bonds of the
// adjacency matrix except those marked in `removed`; each piece ascending,
// pieces in the order of their first atom in `members`.
std::vector<std::vector<std::size_t>> Pieces(const TByteMatrix& adjacency, const std::vector<std::size_t>& members,
                                             const TBoolMatrix& removed) {
  std::vector<std::vector<std::size_t>> pieces;
  std::vector<bool> inSet(adjacency.size(), false), seen(adjacency.size(), false);
  for (std::size_t m : members) inSet[m] = true;
  for (std::size_t start : members) {
    if (seen[start]) continue;
    std::vector<std::size_t>& piece = pieces.emplace_back();
    std::vector<std::size_t> stack{start};
    seen[start] = true;
    while (!stack.empty()) {
      const std::size_t a = stack.back();
      stack.pop_back();
      piece.push_back(a);
      for (std::size_t b = 0; b < adjacency.size(); ++b) {
        if (b == a || !inSet[b] || seen[b] || adjacency[a][b] == 0 || removed[a][b]) continue;
        seen[b] = true;
        stack.push_back(b);
      }
    }
    std::sort(piece.begin(), piece.end());
  }
  return pieces;
}

// Atoms closer than this [bond lengths] are drawn on top of each other.
constexpr double kClashDistance = 0.3;

std::size_t SkeletonNeighbourCount(const TMyMolecule& s, std::size_t i) {
  std::size_t count = 0;
  for (const TNeighbour& entry : s.GetAtom(i)->Entries())
    if (entry.Atom->GetIndex() != i) ++count;
  return count;
}

// Smallest distance between two placed atoms; infinity with fewer than two.
double SmallestPlacedDistance(const TMyMolecule& s) {
  double smallest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < s.AtomCount(); ++i) {
    if (!s.Placed[i]) continue;
    for (std::size_t j = i + 1; j < s.AtomCount(); ++j)
      if (s.Placed[j]) smallest = std::min(smallest, std::hypot(s.X[i] - s.X[j], s.Y[i] - s.Y[j]));
  }
  return smallest;
}

class Layouter {
 public:
  Layouter(TMyMolecule& skeleton, std::size_t root, const DrawingReport& report)
      : m_s(skeleton), m_root(root), m_report(report) {}

  void layout(std::size_t i, double d) {
    if (m_s.Placed[i]) return;
    if (i != m_root) {
      if (m_s.RingId[i] != 0) {
        placeRing(i, d);
        return;
      }
      const TAtom* atom = m_s.GetAtom(i);
      const TAtom* previous = nullptr;
      for (const TNeighbour& entry : atom->Entries())
        if (entry.Atom != atom && m_s.Placed[entry.Atom->GetIndex()]) previous = entry.Atom;
      // Every caller places the atom it comes from first, so a placed
      // neighbour always exists; the origin is only a guard.
      const double baseX = previous ? m_s.X[previous->GetIndex()] : 0.0;
      const double baseY = previous ? m_s.Y[previous->GetIndex()] : 0.0;
      place(i, baseX + std::cos(d), baseY + std::sin(d));
      int mode = 0;
      bool skippedPrevious = false;
      for (const TNeighbour& entry : atom->Entries()) {
        if (entry.Atom == previous && !skippedPrevious) {
          skippedPrevious = true;
          continue;
        }
        layout(entry.Atom->GetIndex(), NextDirection(mode++, d));
      }
      return;
    }
    if (m_s.RingId[m_root] != 0) {
      placeRing(m_root, 3.0);  // the ring finds no placed neighbour and uses 0
      return;
    }
    place(m_root, 0.0, 0.0);
    const TAtom* atom = m_s.GetAtom(m_root);
    std::size_t position = 0;
    for (const TNeighbour& entry : atom->Entries()) {
      // Self entries use up a direction without drawing anything there. More
      // than eight bonds (never in a valid structure) reuse the table.
      const double direction = kDirections[position++ % kDirections.size()];
      if (entry.Atom != atom) layout(entry.Atom->GetIndex(), direction);
    }
  }

 private:
  void place(std::size_t i, double x, double y) {
    m_s.X[i] = x;
    m_s.Y[i] = y;
    m_s.Placed[i] = true;
  }

  void failRing(std::uint8_t ring) {
    m_failed[ring] = true;
    if (m_report) m_report(kUnknownCycleMessage);
  }

  void placeRing(std::size_t i, double d) {
    if (m_s.Placed[i]) return;
    const std::uint8_t ring = m_s.RingId[i];
    if (m_failed[ring]) return;
    std::vector<std::size_t> members;
    for (std::size_t k = 0; k < m_s.AtomCount(); ++k)
      if (m_s.RingId[k] == ring) members.push_back(k);
    const RingTemplate* shape = RingTemplateFor(members.size());
    if (!shape) {
      failRing(ring);
      return;
    }

    std::vector<std::size_t> cycle{i};
    std::vector<bool> ordered(m_s.AtomCount(), false);
    ordered[i] = true;
    while (cycle.size() < members.size()) {
      const TAtom* current = m_s.GetAtom(cycle.back());
      const TAtom* next = nullptr;
      for (const TNeighbour& entry : current->Entries()) {
        const std::size_t b = entry.Atom->GetIndex();
        if (m_s.RingId[b] == ring && !ordered[b] && !m_s.Placed[b]) {
          next = entry.Atom;
          break;
        }
      }
      // Only a ring system that is not a simple cycle (fused atoms counted as
      // one ring) can leave the walk without a next atom; it has no template.
      if (!next) {
        failRing(ring);
        return;
      }
      ordered[next->GetIndex()] = true;
      cycle.push_back(next->GetIndex());
    }

    double anchorX = 0.0, anchorY = 0.0;
    bool anchored = false;
    for (const TNeighbour& entry : m_s.GetAtom(i)->Entries()) {
      const std::size_t b = entry.Atom->GetIndex();
      if (b != i && m_s.Placed[b]) {
        anchorX = m_s.X[b];
        anchorY = m_s.Y[b];
        anchored = true;
        break;
      }
    }
    if (!anchored) d = 0.0;

    for (std::size_t k = 0; k < cycle.size(); ++k) {
      const std::size_t v = cycle[k];
      const double angle = shape->Angle[k] + d;
      place(v, anchorX + shape->Radius[k] * std::cos(angle), anchorY + shape->Radius[k] * std::sin(angle));
      std::vector<std::size_t> substituents;
      for (const TNeighbour& entry : m_s.GetAtom(v)->Entries()) {
        const std::size_t b = entry.Atom->GetIndex();
        if (!m_s.Placed[b] && m_s.RingId[b] != ring && substituents.size() < 2) substituents.push_back(b);
      }
      for (std::size_t s = 0; s < substituents.size(); ++s) layout(substituents[s], shape->Substituent[k][s] + d);
    }
  }

  TMyMolecule& m_s;
  std::size_t m_root;
  const DrawingReport& m_report;
  std::array<bool, 256> m_failed{};
};

}  // namespace

void TMyMolecule::ResetDrawingFields() {
  const std::size_t n = AtomTypes().size();
  X.assign(n, 0.0);
  Y.assign(n, 0.0);
  RingId.assign(n, 0);
  Placed.assign(n, false);
}

double NextDirection(int mode, double incoming) {
  const int row = NearestDirection(incoming);
  if (mode < 3) return kDirections[kContinuation[row][std::max(mode, 0)]];
  // Keep away from the bond back to the previous atom and from every branch
  // already sent out.
  std::vector<double> used{kDirections[row] + kPi};
  for (int lower = 0; lower < mode; ++lower) used.push_back(NextDirection(lower, incoming));
  double best = kDirections[0];
  double bestClearance = -1.0;
  for (double candidate : kDirections) {
    double clearance = std::numeric_limits<double>::infinity();
    for (double u : used) clearance = std::min(clearance, AngularDistance(candidate, u));
    if (clearance > bestClearance + 1e-9) {
      best = candidate;
      bestClearance = clearance;
    }
  }
  return best;
}

const RingTemplate* RingTemplateFor(std::size_t ringSize) {
  switch (ringSize) {
    case 4: return &kFourRing;
    case 5: return &kFiveRing;
    case 6: return &kSixRing;
    default: return nullptr;
  }
}

std::unique_ptr<TMyMolecule> BuildSkeleton(const TMolecule& molecule) {
  const TByteVector& types = molecule.AtomTypes();
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < types.size(); ++i)
    if (IsPolyvalent(types[i])) kept.push_back(i);
  const std::size_t n = kept.size();
  TByteMatrix adjacency(n, n, 0);
  TBoolMatrix aromatic(n, n, false);
  TByteVector skeletonTypes(n, 0);
  for (std::size_t a = 0; a < n; ++a) {
    skeletonTypes[a] = types[kept[a]];
    for (std::size_t b = 0; b < n; ++b) {
      adjacency[a][b] = molecule.AdjacencyMatrix()[kept[a]][kept[b]];
      aromatic[a][b] = molecule.AromaticMatrix()[kept[a]][kept[b]];
    }
  }
  auto skeleton = std::make_unique<TMyMolecule>(molecule.ID);
  // A subset of a valid molecule's atoms is always a valid structure.
  skeleton->SetStructure(std::move(adjacency), std::move(skeletonTypes), std::move(aromatic));
  skeleton->Build();
  skeleton->ResetDrawingFields();
  return skeleton;
}

int AssignRings(TMyMolecule& skeleton) {
  const TByteVector cycleAtoms = skeleton.CycleAtomIndices();
  const std::vector<std::size_t> members(cycleAtoms.begin(), cycleAtoms.end());
  const TByteMatrix& adjacency = skeleton.AdjacencyMatrix();
  // The pieces of the ring atoms are the ring systems. A bond whose removal
  // adds a piece joins two rings of a system; it stays such a bond when
  // others are removed, so all of them are removed (not only the first one
  // found), which also separates three or more rings in a row (terphenyl).
  // What remains of a system without such bonds is one ring, fused or not.
  TBoolMatrix removed(skeleton.AtomCount(), skeleton.AtomCount(), false);
  std::size_t pieces = Pieces(adjacency, members, removed).size();
  for (std::size_t a : members) {
    for (std::size_t b : members) {
      if (b <= a || adjacency[a][b] == 0) continue;
      removed[a][b] = removed[b][a] = true;
      const std::size_t without = Pieces(adjacency, members, removed).size();
      if (without > pieces)
        pieces = without;
      else
        removed[a][b] = removed[b][a] = false;
    }
  }
  int count = 0;
  for (const std::vector<std::size_t>& ring : Pieces(adjacency, members, removed)) {
    ++count;
    for (std::size_t atom : ring) skeleton.RingId[atom] = static_cast<std::uint8_t>(count);
  }
  return count;
}

void LayoutSkeleton(TMyMolecule& skeleton, const DrawingReport& report) {
  const std::size_t n = skeleton.AtomCount();
  if (n == 0) return;
  // The layout starts at atom 0. Its zigzags all run the same way, so a start
  // in the middle of a chain (or next to two rings) can put two atoms on one
  // spot; such a picture is wrong, and the layout then starts again from the
  // chain ends and, failing those, from every other atom, keeping the first
  // layout without a clash (or the least crowded one).
  std::vector<std::size_t> roots{0};
  for (std::size_t i = 1; i < n; ++i)
    if (skeleton.RingId[i] == 0 && SkeletonNeighbourCount(skeleton, i) == 1) roots.push_back(i);
  for (std::size_t i = 1; i < n; ++i)
    if (std::find(roots.begin(), roots.end(), i) == roots.end()) roots.push_back(i);

  struct Attempt {
    TVector x, y;
    TBoolVector placed;
    std::vector<std::string> messages;
    double clearance = -1.0;
  };
  Attempt best;
  for (std::size_t root : roots) {
    skeleton.X.assign(n, 0.0);
    skeleton.Y.assign(n, 0.0);
    skeleton.Placed.assign(n, false);
    Attempt attempt;
    const DrawingReport collect = [&attempt](const std::string& message) { attempt.messages.push_back(message); };
    Layouter(skeleton, root, collect).layout(root, 0.0);
    attempt.clearance = SmallestPlacedDistance(skeleton);
    if (attempt.clearance > best.clearance) {
      attempt.x = skeleton.X;
      attempt.y = skeleton.Y;
      attempt.placed = skeleton.Placed;
      best = std::move(attempt);
    }
    if (best.clearance >= kClashDistance) break;
  }
  skeleton.X = best.x;
  skeleton.Y = best.y;
  skeleton.Placed = best.placed;
  if (report)
    for (const std::string& message : best.messages) report(message);
}

}  // namespace korvane
