#include "gui/sketch_area.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace korvane::gui {
namespace {

const QColor kTeal(0, 128, 128);
const QColor kSelected(255, 200, 0);

}  // namespace

SketchArea::SketchArea(StructureSketch& sketch, QWidget* parent)
    : QWidget(parent), m_sketch(sketch), m_lastMouse(kWidth / 2, kHeight / 2) {
  setFixedSize(kWidth, kHeight);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

QFont SketchArea::LabelFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(11);
  font.setBold(true);
  return font;
}

QRect SketchArea::labelRect(const SketchLabel& label) const {
  const QFontMetrics metrics(LabelFont());
  const QString text = QString::fromStdString(label.Text);
  return {label.Corner.X, label.Corner.Y, metrics.horizontalAdvance(text) + 4, metrics.height() + 2};
}

std::optional<std::size_t> SketchArea::atomAt(QPoint point) const {
  const std::vector<SketchLabel>& labels = m_sketch.Labels();
  for (auto label = labels.rbegin(); label != labels.rend(); ++label)
    if (labelRect(*label).contains(point)) return label->Atom;
  return std::nullopt;
}

SketchBounds SketchArea::labelBounds() const {
  // Room for a label as wide as "C(100)HHH" right of and below the corner.
  const QFontMetrics metrics(LabelFont());
  const int width = metrics.horizontalAdvance(QStringLiteral("C(100)HHH")) + 4;
  return {4, 4, kWidth - width, kHeight - metrics.height() - 4};
}

void SketchArea::clickAt(QPoint point) {
  m_lastMouse = point;
  bool changed = false;
  if (const std::optional<std::size_t> atom = atomAt(point)) {
    changed = m_sketch.ClickAtom(*atom);
  } else {
    changed = m_sketch.PlaceAtom({point.x(), point.y()}).has_value();
  }
  update();  // the selection may have changed even when the sketch did not
  if (changed) emit this->changed();
}

void SketchArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const std::vector<SketchLabel>& labels = m_sketch.Labels();
  auto cornerOf = [&labels](std::size_t atom) {
    for (const SketchLabel& label : labels)
      if (label.Atom == atom) return label.Corner;
    return SketchPoint{};
  };
  for (const SketchBond& bond : m_sketch.Bonds())
    for (const SketchLine& line : BondLines(cornerOf(bond.First), cornerOf(bond.Second), bond.Kind)) {
      painter.setPen(QPen(Qt::black, 1, line.Dotted ? Qt::DotLine : Qt::SolidLine));
      painter.drawLine(line.From.X, line.From.Y, line.To.X, line.To.Y);
    }

  painter.setFont(LabelFont());
  for (const SketchLabel& label : labels) {
    const QRect box = labelRect(label);
    painter.fillRect(box, kTeal);
    if (m_sketch.FirstAtom() == label.Atom) {
      painter.setPen(QPen(kSelected, 2));
      painter.drawRect(box.adjusted(-1, -1, 0, 0));
    }
    painter.setPen(m_sketch.IsRadicalCentre(label.Atom) ? Qt::red : Qt::black);
    painter.drawText(box, Qt::AlignCenter, QString::fromStdString(label.Text));
  }
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void SketchArea::mouseMoveEvent(QMouseEvent* event) { m_lastMouse = event->position().toPoint(); }

void SketchArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) clickAt(event->position().toPoint());
}

}  // namespace korvane::gui
