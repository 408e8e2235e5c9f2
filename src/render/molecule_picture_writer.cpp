#include "render/molecule_picture_writer.h"

#include <utility>
#include <vector>

#include "render/molecule_picture.h"

namespace korvane {

PngPictureWriter::PngPictureWriter(DrawingReport report) : m_report(std::move(report)) {}

bool PngPictureWriter::Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path,
                             std::string* error) {
  // RenderMoleculePng reports the write failure after the drawing's messages;
  // holding them back separates the failure, which belongs to the caller,
  // from the drawing messages, which belong to the report.
  std::vector<std::string> messages;
  const bool written = RenderMoleculePng(molecule, geometry.Width, geometry.Height, geometry.DrawingSize, path,
                                         [&messages](const std::string& message) { messages.push_back(message); });
  if (!written && !messages.empty()) {
    if (error) *error = messages.back();
    messages.pop_back();
  } else if (!written && error) {
    *error = "Cannot write the picture \"" + path + "\".";
  }
  if (m_report)
    for (const std::string& message : messages) m_report(message);
  return written;
}

}  // namespace korvane
