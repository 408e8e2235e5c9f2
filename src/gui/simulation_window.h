#pragma once
/// TSimulationWindow: simulates the network of one network window in a batch
/// or plug-flow reactor. Its settings page reads the reactor, temperature
/// (constant or a profile table, pasted or imported), pressure, steam,
/// residence time or length and the reported points; "Run" simulates on a
/// worker under the network's busy lease with its progress and Stop below
/// the pages; the results show as a chart of chosen lumps and species, a
/// sortable yields table with conversions and the C/H balance, the rate of
/// production of a chosen species and the lumps' sensitivities to the
/// global kinetic parameters, each table and chart exportable.

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "gui/gui_context.h"
#include "gui/simulation_texts.h"

class QButtonGroup;
class QChartView;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStandardItemModel;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace korvane::gui {

class PictureActions;
class TReact_Net_Wind;
class TTaskStrip;

class TSimulationWindow : public QWidget {
  Q_OBJECT

 public:
  static inline const QString kCaption = QStringLiteral("Simulation");
  /// The command that holds the network while a run is under way.
  static inline const QString kRunCommand = QStringLiteral("Simulate");
  static inline const QString kCsvFilter = QStringLiteral("CSV table|*.csv");

  /// A window over `window`'s network; it must be idle now.
  TSimulationWindow(TReact_Net_Wind& window, GuiContext& context);
  /// Stops a run under way and waits for its worker.
  ~TSimulationWindow() override;

  /// "Run": the fields read and checked, then the run started on a worker;
  /// a field that does not read, or the network busy, is told instead.
  void run();
  /// "Stop": the run ends after the step under way and shows what it reached.
  void stop();
  bool isRunning() const;
  /// Stops a run under way and waits for it, without showing its results;
  /// for closing the program.
  void finishBackgroundWork();

  /// The profile from the clipboard's CSV text or from a CSV file chosen in
  /// the open dialog; the table and the choice of a profile follow.
  void pasteProfile();
  void importProfile();
  /// "Export CSV…" of the yields, rate-of-production and sensitivity tables.
  void exportYields();
  void exportRateOfProduction();
  void exportSensitivity();

  /// The results shown; none before the first run ends.
  const std::optional<TSimulationResults>& results() const { return m_results; }
  /// The chart's and the sensitivity chart's context-menu entries.
  PictureActions& chartActions() { return *m_chartActions; }
  PictureActions& sensitivityChartActions() { return *m_sensitivityChartActions; }

 protected:
  /// Closing stops a run under way and hides the window.
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* buildSettingsPage();
  QWidget* buildChartPage();
  QWidget* buildYieldsPage();
  QWidget* buildRopPage();
  QWidget* buildSensitivityPage();
  /// The network changed: its labels, feeds and species are read again and
  /// results of the previous network are dropped.
  void networkChanged();
  SimulationFields fields() const;
  void updateFieldStates();
  void setProfile(const TTemperatureProfile& profile);
  void readProfile(const std::string& text);
  void runStartedOrEnded();
  void showResults(TSimulationResults results);
  void clearResults();
  void redrawChart();
  void redrawSensitivityChart();
  void exportTable(const TableText& table);

  TReact_Net_Wind& m_window;
  GuiContext& m_context;
  QStringList m_labels;
  std::optional<TSimulationResults> m_results;
  std::vector<TChartSeries> m_chartSeries;
  TableText m_yields, m_rop, m_sensitivity;

  QTabWidget* m_pages = nullptr;
  QComboBox* m_reactor = nullptr;
  QRadioButton* m_constant = nullptr;
  QRadioButton* m_useProfile = nullptr;
  QLineEdit* m_temperature = nullptr;
  QTableWidget* m_profile = nullptr;
  QLineEdit* m_pressure = nullptr;
  QLineEdit* m_pressureDrop = nullptr;
  QLineEdit* m_steamRatio = nullptr;
  QRadioButton* m_endByTime = nullptr;
  QRadioButton* m_endByLength = nullptr;
  QLineEdit* m_time = nullptr;
  QLineEdit* m_length = nullptr;
  QLineEdit* m_velocity = nullptr;
  QSpinBox* m_points = nullptr;
  QLineEdit* m_relativeTolerance = nullptr;
  QLineEdit* m_absoluteTolerance = nullptr;
  QLineEdit* m_activeRadicals = nullptr;
  QCheckBox* m_sensitivityOn = nullptr;
  QWidget* m_feedBox = nullptr;
  QFormLayout* m_feedForm = nullptr;
  std::vector<QLineEdit*> m_feedFractions;
  QPushButton* m_run = nullptr;
  QPushButton* m_stop = nullptr;
  QLabel* m_runStatus = nullptr;
  TTaskStrip* m_taskStrip = nullptr;

  QListWidget* m_chartChoices = nullptr;
  QCheckBox* m_logScale = nullptr;
  QCheckBox* m_againstPosition = nullptr;
  QChartView* m_chart = nullptr;
  std::unique_ptr<PictureActions> m_chartActions;

  QStandardItemModel* m_yieldsModel = nullptr;
  QTableView* m_yieldsView = nullptr;
  QLabel* m_conversion = nullptr;
  QLabel* m_balance = nullptr;

  QComboBox* m_ropSpecies = nullptr;
  QLabel* m_ropTotals = nullptr;
  QStandardItemModel* m_ropModel = nullptr;
  QTableView* m_ropView = nullptr;

  QStandardItemModel* m_sensitivityModel = nullptr;
  QTableView* m_sensitivityView = nullptr;
  QComboBox* m_sensitivityLump = nullptr;
  QChartView* m_sensitivityChart = nullptr;
  std::unique_ptr<PictureActions> m_sensitivityChartActions;
};

}  // namespace korvane::gui
