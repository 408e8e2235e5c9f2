#pragma once
/// A canvas that draws nothing and records every call with the pen, brush and
/// font state in force, so tests can assert coordinates and colours.

#include <string>
#include <tuple>
#include <vector>

#include "core/canvas.h"

namespace korvane::testing {

struct CanvasCall {
  enum Kind { kLine, kEllipse, kRectangle, kText, kFill };
  Kind kind;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // text: top-left in x1, y1
  std::string text;
  Colour pen;
  int penWidth = 1;
  PenStyle penStyle = PenStyle::Solid;
  Colour brush;
  Colour font;
  double fontScale = 1.0;
};

/// Text is measured as 8 pixels per character and 14 pixels high, times the
/// font scale.
class RecordingCanvas : public Canvas {
 public:
  RecordingCanvas(int width, int height) : m_width(width), m_height(height) {}

  std::vector<CanvasCall> calls;

  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const {
    std::vector<CanvasCall> selected;
    for (const CanvasCall& call : calls)
      if (call.kind == kind) selected.push_back(call);
    return selected;
  }

  int width() const override { return m_width; }
  int height() const override { return m_height; }
  void setPenColour(Colour colour) override { m_state.pen = colour; }
  void setPenWidth(int width) override { m_state.penWidth = width; }
  void setPenStyle(PenStyle style) override { m_state.penStyle = style; }
  void setBrushColour(Colour colour) override { m_state.brush = colour; }
  void setFontColour(Colour colour) override { m_state.font = colour; }
  void setFontScale(double scale) override { m_state.fontScale = scale; }
  void line(int x1, int y1, int x2, int y2) override { record(CanvasCall::kLine, x1, y1, x2, y2); }
  void ellipse(int l, int t, int r, int b) override { record(CanvasCall::kEllipse, l, t, r, b); }
  void rectangle(int l, int t, int r, int b) override { record(CanvasCall::kRectangle, l, t, r, b); }
  void text(int x, int y, const std::string& text) override {
    record(CanvasCall::kText, x, y, 0, 0);
    calls.back().text = text;
  }
  TextExtent measureText(const std::string& text) const override {
    return {static_cast<int>(8 * text.size() * m_state.fontScale), static_cast<int>(14 * m_state.fontScale)};
  }
  void fill(Colour colour) override {
    record(CanvasCall::kFill, 0, 0, m_width, m_height);
    calls.back().brush = colour;
  }

 private:
  void record(CanvasCall::Kind kind, int x1, int y1, int x2, int y2) {
    CanvasCall& call = calls.emplace_back(m_state);
    std::tie(call.kind, call.x1, call.y1, call.x2, call.y2) = std::tie(kind, x1, y1, x2, y2);
  }

  int m_width, m_height;
  CanvasCall m_state{CanvasCall::kLine, 0, 0, 0, 0, "", kBlack, 1, PenStyle::Solid, kWhite, kBlack, 1.0};
};

}  // namespace korvane::testing
