#include "render/molecule_picture.h"

#include <QBuffer>
#include <QImage>
#include <QSvgGenerator>
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

std::string MoleculeSvg(const TMolecule& molecule, int width, int height, std::uint8_t size,
                        const DrawingReport& report) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  const QSize extent(std::max(width, 1), std::max(height, 1));
  generator.setSize(extent);
  generator.setViewBox(QRect(QPoint(0, 0), extent));
  {
    ImageCanvas canvas(generator, extent, ImageCanvas::DefaultFont());
    canvas.fill(kWhite);
    DrawMolecule(canvas, molecule, size, 1, kBlack, report);
  }
  return buffer.data().toStdString();
}

}  // namespace korvane
