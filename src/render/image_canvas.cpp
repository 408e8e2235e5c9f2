#include "render/image_canvas.h"

#include <QFontMetrics>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>

namespace korvane {
namespace {

QColor ToQColor(Colour colour) { return QColor(colour.red, colour.green, colour.blue); }

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kDefaultFontPixels = 14;

}  // namespace

ImageCanvas::ImageCanvas(QImage& image) : ImageCanvas(image, DefaultFont()) {}

ImageCanvas::ImageCanvas(QImage& image, const QFont& font) : ImageCanvas(image, image.size(), font) {}

ImageCanvas::ImageCanvas(QPaintDevice& device, QSize size, const QFont& font) : m_size(size), m_font(font) {
  m_painter.begin(&device);
  m_painter.setRenderHint(QPainter::Antialiasing, true);
  m_painter.setRenderHint(QPainter::TextAntialiasing, true);
  // Integer coordinates then fall on pixel centres: a one-pixel line between
  // them covers whole pixels instead of smearing over two rows.
  m_painter.translate(0.5, 0.5);
  m_painter.setBrush(ToQColor(kWhite));
  applyPen();
}

ImageCanvas::~ImageCanvas() { m_painter.end(); }

QFont ImageCanvas::DefaultFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(kDefaultFontPixels);
  return font;
}

int ImageCanvas::width() const { return m_size.width(); }

int ImageCanvas::height() const { return m_size.height(); }

void ImageCanvas::applyPen() {
  QPen pen(ToQColor(m_penColour));
  pen.setWidth(std::max(m_penWidth, 1));
  pen.setStyle(m_penStyle == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
  // Lines end exactly at their end points; atom circles sit on those points.
  pen.setCapStyle(Qt::FlatCap);
  m_painter.setPen(pen);
}

void ImageCanvas::setPenColour(Colour colour) {
  m_penColour = colour;
  applyPen();
}

void ImageCanvas::setPenWidth(int width) {
  m_penWidth = width;
  applyPen();
}

void ImageCanvas::setPenStyle(PenStyle style) {
  m_penStyle = style;
  applyPen();
}

void ImageCanvas::setBrushColour(Colour colour) { m_painter.setBrush(ToQColor(colour)); }

void ImageCanvas::setFontColour(Colour colour) { m_fontColour = colour; }

void ImageCanvas::setFontScale(double scale) { m_fontScale = scale > 0.0 ? scale : 1.0; }

QFont ImageCanvas::scaledFont() const {
  QFont font = m_font;
  if (font.pixelSize() > 0)
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * m_fontScale))));
  else
    font.setPointSizeF(font.pointSizeF() * m_fontScale);
  return font;
}

void ImageCanvas::line(int x1, int y1, int x2, int y2) { m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2)); }

void ImageCanvas::ellipse(int left, int top, int right, int bottom) {
  m_painter.drawEllipse(QRectF(left, top, right - left, bottom - top));
}

void ImageCanvas::rectangle(int left, int top, int right, int bottom) {
  m_painter.drawRect(QRectF(left, top, right - left, bottom - top));
}

void ImageCanvas::text(int x, int y, const std::string& text) {
  const QFont font = scaledFont();
  m_painter.save();
  m_painter.setFont(font);
  m_painter.setPen(ToQColor(m_fontColour));
  m_painter.drawText(QPointF(x, y + QFontMetrics(font).ascent()), ToQString(text));
  m_painter.restore();
}

TextExtent ImageCanvas::measureText(const std::string& text) const {
  const QFontMetrics metrics(scaledFont());
  return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

void ImageCanvas::fill(Colour colour) {
  m_painter.save();
  m_painter.resetTransform();
  m_painter.setCompositionMode(QPainter::CompositionMode_Source);
  m_painter.fillRect(QRect(QPoint(0, 0), m_size), ToQColor(colour));
  m_painter.restore();
}

}  // namespace korvane
