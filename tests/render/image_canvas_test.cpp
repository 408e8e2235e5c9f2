#include "render/image_canvas.h"

#include <gtest/gtest.h>

#include <QImage>


namespace korvane {
namespace {

constexpr QRgb kImageWhite = 0xffffffff, kImageRed = 0xffff0000, kImageBlack = 0xff000000;

QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

TEST(ImageCanvas, PaintsWithPenBrushAndFontColours) {
  QImage image = WhiteImage(120, 60);
  TextExtent h{};
  {
    ImageCanvas canvas(image);
    canvas.setPenColour(kBlack);
    canvas.setBrushColour(kRed);
    canvas.ellipse(46, 26, 54, 34);  // radius 4 around (50, 30)
    canvas.line(5, 10, 35, 10);
    canvas.setPenStyle(PenStyle::Dotted);
    canvas.line(5, 50, 35, 50);
    h = canvas.measureText("H");
    canvas.setFontColour(kRed);
    canvas.text(80, 5, "H");
  }
  EXPECT_EQ(image.pixel(50, 30), kImageRed);
  EXPECT_EQ(image.pixel(58, 30), kImageWhite);
  // A one-pixel line between pixel centres covers exactly its row.
  int dots = 0;
  for (int x = 6; x < 35; ++x) {
    EXPECT_EQ(image.pixel(x, 10), kImageBlack) << x;
    EXPECT_EQ(image.pixel(x, 11), kImageWhite) << x;
    dots += image.pixel(x, 50) != kImageWhite;
  }
  EXPECT_TRUE(dots > 5 && dots < 24) << dots;
  int red = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 70; x < 120; ++x)
      if (image.pixel(x, y) != kImageWhite) {
        EXPECT_TRUE(x >= 80 && x < 80 + h.width && y >= 5 && y < 5 + h.height) << x << "," << y;
        EXPECT_GT(qRed(image.pixel(x, y)), qGreen(image.pixel(x, y)));
        ++red;
      }
  EXPECT_GT(red, 10);
}

}  // namespace
}  // namespace korvane
