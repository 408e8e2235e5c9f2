#pragma once
/// TEqExporterWind: exports the kinetic equations of a network as source
/// code (Pascal, C, Matlab: destination file, language, parts, then Export),
/// or as a CHEMKIN-II mechanism with its species dictionary beside it.

#include <QDialog>
#include <vector>

#include "gui/gui_context.h"

class QLineEdit;
class QListWidget;
class QRadioButton;

namespace korvane {
class TReactionNetwork;
}

namespace korvane::gui {

class TEqExporterWind : public QDialog {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Equations exporting");

  explicit TEqExporterWind(GuiContext& context, QWidget* parent = nullptr);

  /// The network to export, given by its window before showing this one;
  /// not owned.
  void setNetwork(const TReactionNetwork* network) { m_network = network; }

  /// The "Select" button: the destination from a file dialog.
  void selectDestination();
  /// The "Export" button: checks destination, language and parts, writes the
  /// file and closes the window.
  void exportEquations();

 private:
  void languageChosen();
  bool chemkinChosen() const;
  /// Writes the mechanism and its dictionary; whether it did.
  bool exportChemkin(const QString& destination);

  GuiContext& m_context;
  const TReactionNetwork* m_network = nullptr;
  QLineEdit* m_destination = nullptr;
  std::vector<QRadioButton*> m_languages;
  QListWidget* m_parts = nullptr;
};

}  // namespace korvane::gui
