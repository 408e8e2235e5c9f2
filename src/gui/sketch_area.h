#pragma once
/// The drawing area of the structure editor: paints a StructureSketch (bonds
/// between the top-left corners of the atom labels, then the labels on top)
/// and turns mouse clicks into calls on it.

#include <QFont>
#include <QPoint>
#include <QWidget>
#include <optional>

#include "core/structure_sketch.h"

namespace korvane::gui {

class SketchArea : public QWidget {
  Q_OBJECT

 public:
  /// Size of the drawing area [pixels].
  static constexpr int kWidth = 737;
  static constexpr int kHeight = 417;

  /// `sketch` is the editor's and outlives the area.
  explicit SketchArea(StructureSketch& sketch, QWidget* parent = nullptr);

  /// Label font: bold Arial, 11 points.
  static QFont LabelFont();
  /// Where the label of `label` lies on the area.
  QRect labelRect(const SketchLabel& label) const;
  /// The atom whose label is under the point (the topmost one), if any.
  std::optional<std::size_t> atomAt(QPoint point) const;
  /// The last mouse position over the area; its centre before the mouse came.
  QPoint lastMousePosition() const { return m_lastMouse; }
  /// Where label corners may lie so that the whole label stays visible.
  SketchBounds labelBounds() const;

  /// A click at `point`: on a label it acts on that atom, elsewhere it
  /// places an atom of the chosen kind there.
  void clickAt(QPoint point);

 signals:
  /// The sketch changed through a click.
  void changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  StructureSketch& m_sketch;
  QPoint m_lastMouse;
};

}  // namespace korvane::gui
