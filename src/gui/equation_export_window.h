#pragma once
/// TEqExporterWind: exports the kinetic equations of a network as source
/// code (Pascal, C, Matlab: destination file, language, parts, then Export),
/// as a CHEMKIN-II mechanism with its species dictionary beside it, or as a
/// Cantera YAML input file.
/// Export asks its questions and makes its checks, then closes the window
/// leaving the export as a job that the network's window runs on a worker
/// (TReact_Net_Wind::startTask).

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

#include "gui/background_task.h"
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
  /// Caption of the export's task (and its busy lease).
  static inline const QString kExportCommand = QStringLiteral("Export equations");

  /// An export ready to run: the work for the worker and what the window
  /// says once it has ended (nothing when the user cancelled it).
  struct TExportJob {
    TBackgroundTask::Work Work;
    std::function<void(const TBackgroundTask&)> Done;
  };

  /// The "Export" button: checks destination, language and parts (and asks
  /// before replacing files), then leaves the export as the job and closes
  /// the window.
  void exportEquations();
  /// The job the last Export left, once; none when it was refused.
  std::optional<TExportJob> takeJob();

 private:
  void languageChosen();
  bool chemkinChosen() const;
  bool canteraChosen() const;
  /// The mechanism and its dictionary as the job; whether the checks passed.
  bool prepareChemkin(const QString& destination);
  /// The Cantera file as the job; whether the checks passed.
  bool prepareCantera(const QString& destination);

  GuiContext& m_context;
  const TReactionNetwork* m_network = nullptr;
  QLineEdit* m_destination = nullptr;
  std::vector<QRadioButton*> m_languages;
  QListWidget* m_parts = nullptr;
  std::optional<TExportJob> m_job;
};

}  // namespace korvane::gui
