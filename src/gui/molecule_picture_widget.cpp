#include "gui/molecule_picture_widget.h"

#include <QPainter>

#include "core/structure_drawing.h"
#include "gui/picture_actions.h"
#include "render/image_canvas.h"
#include "render/molecule_picture.h"
#include "smiles/smiles_writer.h"

namespace korvane::gui {

MoleculePictureWidget::MoleculePictureWidget(std::uint8_t size, QWidget* parent, Colour penColour, int penWidth)
    : QWidget(parent), m_size(size), m_penColour(penColour), m_penWidth(penWidth) {
  setMinimumSize(64, 48);
  setAttribute(Qt::WA_OpaquePaintEvent);
  PictureSources sources;
  sources.Image = [this] { return m_molecule ? m_picture : QImage(); };
  sources.Svg = [this] {
    return m_molecule ? MoleculeSvg(*m_molecule, width(), height(), m_size, [](const std::string&) {}) : std::string();
  };
  sources.Smiles = [this] {
    if (!m_molecule) return std::string();
    const auto smiles = CanonicalSmiles(*m_molecule);
    return smiles ? smiles.value() : std::string();
  };
  m_actions = std::make_unique<PictureActions>(*this, std::move(sources));
}

MoleculePictureWidget::~MoleculePictureWidget() = default;

void MoleculePictureWidget::enableSaving(DialogSeam& dialogs, const QString& directory) {
  m_actions->enableSaving(dialogs, directory);
}

void MoleculePictureWidget::showMolecule(const TMolecule& molecule) {
  m_molecule = molecule.Copy();
  draw(true);
}

void MoleculePictureWidget::draw(bool reportMessages) {
  QImage image(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  {
    ImageCanvas canvas(image);
    canvas.fill(kWhite);
    DrawMolecule(canvas, *m_molecule, m_size, static_cast<std::uint8_t>(m_penWidth), m_penColour,
                 [this, reportMessages](const std::string& text) {
                   if (m_sink && reportMessages) m_sink(text);
                 });
  }
  m_picture = std::move(image);
  update();
}

void MoleculePictureWidget::clearPicture() {
  m_molecule.reset();
  m_picture = QImage();
  update();
}

void MoleculePictureWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (m_molecule) draw(false);
}

void MoleculePictureWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!m_picture.isNull()) painter.drawImage(0, 0, m_picture);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace korvane::gui
