#pragma once
/// The drawing surface the structure drawing paints on: an off-screen bitmap
/// with a pen, a brush and a font, addressed in whole pixels with x growing to
/// the right and y growing downward. The domain layers see only this
/// interface; the raster implementation on a QImage lives in the render layer
/// and the tests use a recording implementation.

#include <cstdint>
#include <string>

namespace korvane {

/// An opaque RGB colour.
struct Colour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  friend bool operator==(const Colour&, const Colour&) = default;
};

inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};
inline constexpr Colour kRed{255, 0, 0};

enum class PenStyle { Solid, Dotted };

/// Width and height of a text in pixels, as the canvas would draw it.
struct TextExtent {
  int width = 0;
  int height = 0;
};

/// Abstract raster canvas. Shapes are outlined with the pen; closed shapes
/// are filled with the brush; text is drawn in the font colour without a
/// background.
class Canvas {
 public:
  virtual ~Canvas() = default;

  /// Size of the bitmap [pixels].
  virtual int width() const = 0;
  virtual int height() const = 0;

  virtual void setPenColour(Colour colour) = 0;
  /// Pen width [pixels]; 0 and 1 both draw one-pixel lines.
  virtual void setPenWidth(int width) = 0;
  virtual void setPenStyle(PenStyle style) = 0;
  virtual void setBrushColour(Colour colour) = 0;
  virtual void setFontColour(Colour colour) = 0;
  /// Font size relative to the canvas's own font (1 = normal; subscripts use
  /// a smaller scale).
  virtual void setFontScale(double scale) = 0;

  /// Straight line from (x1, y1) to (x2, y2) with the pen.
  virtual void line(int x1, int y1, int x2, int y2) = 0;
  /// Ellipse inscribed in the rectangle with corners (left, top) and
  /// (right, bottom): outlined with the pen, filled with the brush.
  virtual void ellipse(int left, int top, int right, int bottom) = 0;
  /// Rectangle with corners (left, top) and (right, bottom): outlined with
  /// the pen, filled with the brush.
  virtual void rectangle(int left, int top, int right, int bottom) = 0;
  /// Text whose bounding box has its top-left corner at (x, y).
  virtual void text(int x, int y, const std::string& text) = 0;
  /// Size the text takes in the current font and scale.
  virtual TextExtent measureText(const std::string& text) const = 0;
  /// Paints the whole bitmap in one colour.
  virtual void fill(Colour colour) = 0;
};

}  // namespace korvane
