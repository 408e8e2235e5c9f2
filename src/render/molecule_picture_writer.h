#pragma once
/// The picture writer of the network graph export, on a QImage and libpng.

#include <string>

#include "app/picture_writer.h"
#include "core/structure_layout.h"

namespace korvane {

/// Writes each molecule as a PNG picture drawn on white with a black pen of
/// width 1 (RenderMoleculePng). The drawing's messages (a ring it cannot
/// draw, an arithmetic failure) go to the report given at construction,
/// never to a dialog or to stderr, and the picture is still written; a write
/// failure is only Write's error. Needs a QGuiApplication (text is drawn
/// with its fonts).
class PngPictureWriter : public TMoleculePictureWriter {
 public:
  explicit PngPictureWriter(DrawingReport report = {});

  TResult<> Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path) override;

 private:
  DrawingReport m_report;
};

}  // namespace korvane
