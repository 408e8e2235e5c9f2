#pragma once
/// The drawing canvas on a QImage, or on any paint device (an SVG
/// generator), painted with QPainter.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSize>

#include "core/canvas.h"

namespace korvane {

/// Paints on an image the caller owns; the image must outlive the canvas and
/// holds the drawing once the canvas is destroyed. Lines and ellipses are
/// antialiased, integer coordinates address pixel centres.
class ImageCanvas : public Canvas {
 public:
  /// The default font: DejaVu Sans at 14 pixels.
  explicit ImageCanvas(QImage& image);
  ImageCanvas(QImage& image, const QFont& font);
  /// Paints on another device of the given size [pixels] (an SVG generator).
  ImageCanvas(QPaintDevice& device, QSize size, const QFont& font);
  ImageCanvas(const ImageCanvas&) = delete;
  ImageCanvas& operator=(const ImageCanvas&) = delete;
  ~ImageCanvas() override;

  /// The font a text is drawn in at scale 1.
  static QFont DefaultFont();

  int width() const override;
  int height() const override;
  void setPenColour(Colour colour) override;
  void setPenWidth(int width) override;
  void setPenStyle(PenStyle style) override;
  void setBrushColour(Colour colour) override;
  void setFontColour(Colour colour) override;
  void setFontScale(double scale) override;
  void line(int x1, int y1, int x2, int y2) override;
  void ellipse(int left, int top, int right, int bottom) override;
  void rectangle(int left, int top, int right, int bottom) override;
  void text(int x, int y, const std::string& text) override;
  TextExtent measureText(const std::string& text) const override;
  void fill(Colour colour) override;

 private:
  QFont scaledFont() const;
  void applyPen();

  QSize m_size;
  QPainter m_painter;
  QFont m_font;
  Colour m_penColour = kBlack;
  int m_penWidth = 1;
  PenStyle m_penStyle = PenStyle::Solid;
  Colour m_fontColour = kBlack;
  double m_fontScale = 1.0;
};

}  // namespace korvane
