#pragma once
/// A picture area that shows one molecule drawn as a structural formula.

#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/canvas.h"
#include "core/molecule.h"

namespace korvane::gui {

class DialogSeam;
class PictureActions;

/// Draws into an image of its own size when a molecule is set. It keeps that
/// image and a private copy of the molecule, so painting and redrawing at a
/// new size never read the caller's molecule again (a network may be growing
/// on another thread meanwhile). Right-clicked, it offers to save the
/// picture as PNG or SVG and to copy it or its SMILES.
class MoleculePictureWidget : public QWidget {
  Q_OBJECT

 public:
  /// `size` and the pen are those the window gives for its pictures.
  explicit MoleculePictureWidget(std::uint8_t size, QWidget* parent = nullptr, Colour penColour = kBlack,
                                 int penWidth = 1);
  ~MoleculePictureWidget() override;

  /// Lets the save entries of the context menu ask for file names.
  void enableSaving(DialogSeam& dialogs, const QString& directory);
  /// The context-menu entries.
  PictureActions& actions() { return *m_actions; }

  /// Receives the drawing's messages (an unknown ring type, an arithmetic
  /// failure); without one they are dropped.
  void setMessageSink(std::function<void(const std::string&)> sink) { m_sink = std::move(sink); }

  /// How many bond lengths fit across the picture from the next drawing on.
  void setDrawingSize(std::uint8_t size) { m_size = size; }
  /// Draws the molecule at the widget's current size, and again whenever
  /// the widget is resized. Drawing messages come with the first drawing
  /// only.
  void showMolecule(const TMolecule& molecule);
  /// Blank picture.
  void clearPicture();
  const QImage& picture() const { return m_picture; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void draw(bool reportMessages);

  std::uint8_t m_size;
  Colour m_penColour;
  int m_penWidth;
  std::function<void(const std::string&)> m_sink;
  QImage m_picture;
  std::unique_ptr<TMolecule> m_molecule;
  std::unique_ptr<PictureActions> m_actions;
};

}  // namespace korvane::gui
