#include "render/molecule_picture.h"

#include <QImage>
#include <algorithm>

#include "core/structure_drawing.h"
#include "render/image_canvas.h"
#include "render/png_writer.h"

namespace korvane {

TResult<> RenderMoleculePng(const TMolecule& molecule, int width, int height, std::uint8_t size,
                            const std::string& path, const DrawingReport& report) {
  QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  if (!image.isNull()) {
    ImageCanvas canvas(image);
    canvas.fill(kWhite);
    DrawMolecule(canvas, molecule, size, 1, kBlack, report);
  }
  return WritePng(image, path);
}

}  // namespace korvane
