#pragma once
/// Drawing of a molecule's structural formula on a canvas: a skeletal formula
/// of small circles (red for radical centres) joined by bond lines, or a text
/// formula for the few very small species (H, He, H2, N2, H2O, CH3, C2H2,
/// CH4). The layout is in structure_layout.h.

#include <cstdint>

#include "core/canvas.h"
#include "core/molecule.h"
#include "core/structure_layout.h"

namespace korvane {

inline constexpr const char* kDivisionByZeroMessage =
    "Invalid arimthmetic operation: \"dividion by zero\" during structure drawing. Process stopped.";
inline constexpr const char* kInvalidOperationMessage =
    "Invalid arimthmetic operation: \"invalid floating point operation\" during structure drawing. Process "
    "stopped.";

/// Radius of an atom's circle [pixels].
inline constexpr int kAtomRadius = 4;

/// Draws the molecule onto the canvas the caller has created and sized.
/// `size` is how many bond lengths fit across the larger canvas dimension
/// (the windows use 7, 9, 10, 12 or 15); a structure that would reach past
/// the edge is drawn at the largest smaller bond length that keeps it inside.
/// Messages (a ring without a template, an arithmetic failure) go to
/// `report`; after an arithmetic failure the canvas keeps what was drawn so
/// far. Never blocks and throws nothing of its own.
void DrawMolecule(Canvas& canvas, const TMolecule& molecule, std::uint8_t size, std::uint8_t penWidth,
                  Colour penColour, const DrawingReport& report);

/// One bond from (x1, y1) to (x2, y2) with the canvas's current pen colour
/// and width. With n the unit normal (-dy, dx) / length: order 1 is one line,
/// order 2 two lines shifted by -2n and +2n, order 3 the line and two lines
/// shifted by -3n and +3n; an aromatic bond of any order is a solid line
/// shifted by -2n and a dotted line shifted by +2n (nothing at zero length).
/// Returns false, drawing nothing, for a double or triple bond of zero length,
/// which has no normal to shift along.
bool RenderBond(Canvas& canvas, int x1, int y1, int x2, int y2, std::uint8_t order, bool aromatic);

}  // namespace korvane
