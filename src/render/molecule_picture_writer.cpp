#include "render/molecule_picture_writer.h"

#include <utility>

#include "render/molecule_picture.h"

namespace korvane {

PngPictureWriter::PngPictureWriter(DrawingReport report) : m_report(std::move(report)) {}

TResult<> PngPictureWriter::Write(const TMolecule& molecule, const TPictureGeometry& geometry,
                                  const std::string& path) {
  return RenderMoleculePng(molecule, geometry.Width, geometry.Height, geometry.DrawingSize, path, m_report);
}

}  // namespace korvane
