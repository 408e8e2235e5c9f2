#pragma once
/// Layout of a skeletal formula on a grid of bond length 1: the skeleton of
/// polyvalent atoms, its rings, and the coordinates every atom receives from
/// fixed direction tables and fixed 4-, 5- and 6-membered ring templates.
/// The painting on a canvas is in structure_drawing.h.
///
/// Angles are in radians; a positive angle turns from +x towards +y, and y
/// grows downward on the bitmap.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <numbers>
#include <string>

#include "core/molecule.h"
#include "core/vectors.h"

namespace korvane {

/// Receives the drawing's messages (the windows show them in message boxes,
/// the batch tool prints them). May be empty.
using DrawingReport = std::function<void(const std::string&)>;

inline constexpr const char* kUnknownCycleMessage =
    "Structure includes unkwnown type of cyclus, that can not be drawn. Drawing process stopped.";

/// A molecule with the coordinates the drawing gives its atoms.
class TMyMolecule : public TMolecule {
 public:
  using TMolecule::TMolecule;

  /// x of each atom [bond lengths].
  TVector X;
  /// y of each atom [bond lengths], growing downward on the bitmap.
  TVector Y;
  /// 0 for an atom in no ring, otherwise the 1-based number of its ring.
  TByteVector RingId;
  /// True once the atom has coordinates.
  TBoolVector Placed;

  /// Sizes X, Y, RingId and Placed to the atom count, all zero.
  void ResetDrawingFields();
};

constexpr double DegreesToRadians(double degrees) { return degrees * std::numbers::pi / 180.0; }

/// The direction table: the start directions of atom 0's bonds, and the only
/// directions `NextDirection` returns.
inline constexpr std::array<double, 8> kDirections = {
    DegreesToRadians(60),  DegreesToRadians(-60),  DegreesToRadians(90),  DegreesToRadians(-90),
    DegreesToRadians(120), DegreesToRadians(-120), DegreesToRadians(180), DegreesToRadians(0)};

/// Direction of the bond that continues a chain: `mode` counts the other
/// bonds of the atom in neighbour-list order (0, 1, 2), `incoming` is the
/// direction of the bond that reached it. Modes 0 to 2 follow the
/// continuation table, which turns chains into zigzags. Incoming directions
/// outside the table (ring substituents after a rotated ring) use the nearest
/// table direction; modes 3 and above (only hypervalent input has them) take
/// the table direction farthest from the bond back and from every lower mode.
double NextDirection(int mode, double incoming);

/// A ring template: vertex k (in cycle order, k = 0 bonded to the anchor)
/// lies at distance Radius[k] and angle Angle[k] from the anchor; its
/// substituents leave in the directions Substituent[k]. Angles are added to
/// the ring's entry direction.
struct RingTemplate {
  std::size_t Size;
  std::array<double, 6> Radius;
  std::array<double, 6> Angle;
  std::array<std::array<double, 2>, 6> Substituent;
};

/// The template of a 4-, 5- or 6-membered ring; null for any other size.
const RingTemplate* RingTemplateFor(std::size_t ringSize);

/// The skeleton: the polyvalent atoms of the molecule in index order with
/// the bonds and unpaired electrons among them, built, drawing fields zeroed.
std::unique_ptr<TMyMolecule> BuildSkeleton(const TMolecule& molecule);

/// Sets RingId of every ring atom of the skeleton. Ring systems are split at
/// the bonds joining their rings; a system with no such bond is one ring
/// (fused systems therefore come out as one large ring). Returns the number of
/// rings. Reorders the skeleton's neighbour lists, never the molecule's.
int AssignRings(TMyMolecule& skeleton);

/// Gives coordinates to the atoms reachable from atom 0. A ring without a
/// template is reported with kUnknownCycleMessage and left unplaced, together
/// with whatever is reached only through it; those atoms keep (0, 0). When
/// the layout from atom 0 puts two atoms on (nearly) one spot, it is redone
/// from the chain ends and then from the other atoms in index order, and the
/// first layout without such a clash is kept (the least crowded one if none
/// is free). Messages are those of the layout kept.
void LayoutSkeleton(TMyMolecule& skeleton, const DrawingReport& report);

}  // namespace korvane
