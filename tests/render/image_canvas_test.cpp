#include "render/image_canvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include "core/structure_drawing.h"
#include "molecule_builder.h"
#include "recording_canvas.h"

namespace korvane {
namespace {

using testing::CanvasCall;
using testing::MoleculeFrom;
using testing::RecordingCanvas;

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

bool Is(const QImage& image, int x, int y, QRgb colour) { return image.pixel(x, y) == colour; }

constexpr QRgb kImageWhite = 0xffffffff;
constexpr QRgb kImageRed = 0xffff0000;
constexpr QRgb kImageBlack = 0xff000000;

TEST(ImageCanvas, PaintsShapesWithPenAndBrush) {
  QImage image = WhiteImage(80, 60);
  {
    ImageCanvas canvas(image);
    EXPECT_EQ(canvas.width(), 80);
    EXPECT_EQ(canvas.height(), 60);
    canvas.setPenColour(kBlack);
    canvas.setBrushColour(kRed);
    canvas.ellipse(46, 26, 54, 34);  // radius 4 around (50, 30)
    canvas.line(5, 10, 35, 10);
    canvas.setPenStyle(PenStyle::Dotted);
    canvas.line(5, 50, 35, 50);
    canvas.setPenStyle(PenStyle::Solid);
    canvas.setBrushColour(Colour{0, 0, 255});
    canvas.rectangle(60, 5, 70, 15);
  }
  EXPECT_TRUE(Is(image, 50, 30, kImageRed));
  EXPECT_TRUE(Is(image, 58, 30, kImageWhite));
  // A one-pixel line between pixel centres covers exactly its row.
  for (int x = 6; x < 35; ++x) EXPECT_TRUE(Is(image, x, 10, kImageBlack)) << x;
  EXPECT_TRUE(Is(image, 20, 9, kImageWhite));
  EXPECT_TRUE(Is(image, 20, 11, kImageWhite));
  int dots = 0, gaps = 0;
  for (int x = 6; x < 35; ++x) (Is(image, x, 50, kImageWhite) ? gaps : dots) += 1;
  EXPECT_GT(dots, 5);
  EXPECT_GT(gaps, 5);
  EXPECT_TRUE(Is(image, 65, 10, 0xff0000ff));
  EXPECT_TRUE(Is(image, 60, 10, kImageBlack));
}

TEST(ImageCanvas, FillsAndMeasuresAndDrawsText) {
  QImage image = WhiteImage(120, 40);
  ImageCanvas canvas(image);
  canvas.fill(Colour{0, 128, 0});
  EXPECT_TRUE(Is(image, 0, 0, 0xff008000));
  EXPECT_TRUE(Is(image, 119, 39, 0xff008000));
  canvas.fill(kWhite);

  const TextExtent one = canvas.measureText("H");
  const TextExtent two = canvas.measureText("HH");
  EXPECT_GT(one.width, 0);
  EXPECT_GT(one.height, 0);
  EXPECT_NEAR(two.width, 2 * one.width, 1);  // advances are rounded
  canvas.setFontScale(0.7);
  EXPECT_LT(canvas.measureText("H").width, one.width);
  canvas.setFontScale(1.0);

  canvas.setFontColour(kRed);
  canvas.text(10, 5, "H");
  int red = 0, elsewhere = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (Is(image, x, y, kImageWhite)) continue;
      const bool inside = x >= 10 && x < 10 + one.width && y >= 5 && y < 5 + one.height;
      (inside ? red : elsewhere) += 1;
      if (inside) {
        EXPECT_GT(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)));
      }
    }
  EXPECT_GT(red, 10);
  EXPECT_EQ(elsewhere, 0);
}

TEST(ImageCanvas, DrawnMoleculesLandWhereTheRecordedCirclesAre) {
  auto propyl = MoleculeFrom("C. C C; 0-1 1-2");
  RecordingCanvas recorder(256, 150);
  DrawMolecule(recorder, *propyl, 7, 1, kBlack, {});
  QImage image = WhiteImage(256, 150);
  {
    ImageCanvas canvas(image);
    DrawMolecule(canvas, *propyl, 7, 1, kBlack, {});
  }
  const auto circles = recorder.Of(CanvasCall::kEllipse);
  ASSERT_EQ(circles.size(), 3u);
  for (const CanvasCall& circle : circles) {
    const int x = (circle.x1 + circle.x2) / 2, y = (circle.y1 + circle.y2) / 2;
    const QRgb fill = circle.brush == kRed ? kImageRed : kImageWhite;
    // The fill covers the centre and the bond ends around it.
    for (int dx = -2; dx <= 2; ++dx)
      for (int dy = -2; dy <= 2; ++dy) EXPECT_TRUE(Is(image, x + dx, y + dy, fill)) << x << "," << y;
    EXPECT_LT(qGray(image.pixel(x + kAtomRadius, y)), 200) << "outline";
  }
  EXPECT_EQ(circles[0].brush, kRed);
  // The bond between the circles is drawn: dark pixels halfway between them.
  const int midX = (circles[0].x1 + circles[1].x1) / 2 + kAtomRadius;
  const int midY = (circles[0].y1 + circles[1].y1) / 2 + kAtomRadius;
  EXPECT_LT(qGray(image.pixel(midX, midY)), 200);
}

}  // namespace
}  // namespace korvane
