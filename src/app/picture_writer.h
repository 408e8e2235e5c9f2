#pragma once
/// The picture writer through which the network graph export asks for the
/// picture of each molecule. The export stays free of any drawing surface;
/// the render layer implements the writer on an image and a PNG encoder, and
/// tests substitute a writer that records what it is asked for.

#include <cstdint>
#include <string>

#include "core/molecule.h"
#include "core/result.h"

namespace korvane {

/// Size of a molecule picture.
struct TPictureGeometry {
  /// Picture size [pixels].
  int Width = 0;
  int Height = 0;
  /// Bond lengths across the larger dimension (the drawing's size argument).
  std::uint8_t DrawingSize = 0;

  friend bool operator==(const TPictureGeometry&, const TPictureGeometry&) = default;
};

/// Writes pictures of molecules to files.
class TMoleculePictureWriter {
 public:
  virtual ~TMoleculePictureWriter() = default;

  /// Draws the molecule (black pen of width 1 on white) in a picture of the
  /// given geometry and writes it to `path`, replacing any file there. The
  /// error's message names the path and the reason when the file cannot be
  /// written; a failed write leaves no partial file.
  virtual TResult<> Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path) = 0;
};

}  // namespace korvane
