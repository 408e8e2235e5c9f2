#pragma once
/// Pictures of molecules as PNG files, for the network graph export and the
/// batch tool, and as SVG drawings, for the desktop's pictures.

#include <cstdint>
#include <string>

#include "core/molecule.h"
#include "core/result.h"
#include "core/structure_layout.h"

namespace korvane {

/// Draws the molecule (pen width 1, black) on a white image of the given size
/// [pixels] and writes it as a PNG file. `size` is the drawing's bond lengths
/// across the larger dimension (the graph export uses 256 x 150 and 7). The
/// drawing's messages go to `report`; a write failure is the error
/// (WritePng). Needs a QGuiApplication (text is drawn with its fonts).
TResult<> RenderMoleculePng(const TMolecule& molecule, int width, int height, std::uint8_t size,
                            const std::string& path, const DrawingReport& report);

/// The same drawing as an SVG document of the given size [pixels].
std::string MoleculeSvg(const TMolecule& molecule, int width, int height, std::uint8_t size,
                        const DrawingReport& report);

}  // namespace korvane
