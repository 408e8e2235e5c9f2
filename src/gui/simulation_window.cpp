#include "gui/simulation_window.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QBuffer>
#include <QButtonGroup>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QLogValueAxis>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QSvgGenerator>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>

#include "core/file_replace.h"
#include "gui/background_task.h"
#include "gui/network_window.h"
#include "gui/picture_actions.h"
#include "gui/task_strip.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"

namespace korvane::gui {
namespace {

constexpr int kSortRole = Qt::UserRole;
constexpr qint64 kLargestProfileFile = 16 << 20;

QLineEdit* Field(const char* name, const QString& text = QString()) {
  auto* field = new QLineEdit(text);
  field->setObjectName(QString::fromLatin1(name));
  field->setMaximumWidth(140);
  return field;
}

// "Export CSV…" at the right end of a new row of `layout`.
QPushButton* AddExportRow(QVBoxLayout* layout, const char* name) {
  auto* row = new QHBoxLayout;
  auto* button = new QPushButton(QStringLiteral("Export CSV…"));
  button->setObjectName(QString::fromLatin1(name));
  row->addStretch();
  row->addWidget(button);
  layout->addLayout(row);
  return button;
}

// A sortable view over `model`: each column sorts by the value kept under
// kSortRole (numbers as numbers).
QTableView* SortableView(QStandardItemModel* model, const char* name, QWidget* parent) {
  auto* proxy = new QSortFilterProxyModel(parent);
  proxy->setSourceModel(model);
  proxy->setSortRole(kSortRole);
  auto* view = new QTableView;
  view->setObjectName(QString::fromLatin1(name));
  view->setModel(proxy);
  view->setSortingEnabled(true);
  view->sortByColumn(-1, Qt::AscendingOrder);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->verticalHeader()->hide();
  view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
  return view;
}

// Fills the model behind `view`; the column `stretched` (if any) takes the
// width the others leave.
void FillView(QTableView& view, QStandardItemModel& model, const TableText& table, int stretched) {
  model.clear();
  model.setHorizontalHeaderLabels(table.Header);
  for (const TableRow& row : table.Rows) {
    QList<QStandardItem*> items;
    for (qsizetype c = 0; c < row.Texts.size(); ++c) {
      auto* item = new QStandardItem(row.Texts[c]);
      const auto& value = row.SortValues[static_cast<std::size_t>(c)];
      item->setData(value ? QVariant(*value) : QVariant(row.Texts[c]), kSortRole);
      if (value) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      items << item;
    }
    model.appendRow(items);
  }
  view.horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (stretched >= 0 && stretched < model.columnCount())
    view.horizontalHeader()->setSectionResizeMode(stretched, QHeaderView::Stretch);
}

std::string SvgOf(QChartView& view) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(view.size());
  generator.setViewBox(view.rect());
  QPainter painter(&generator);
  view.render(&painter);
  painter.end();
  return buffer.data().toStdString();
}

QChartView* ChartView(const char* name) {
  auto* chart = new QChart;
  chart->legend()->setAlignment(Qt::AlignBottom);
  auto* view = new QChartView(chart);
  view->setObjectName(QString::fromLatin1(name));
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(420, 300);
  return view;
}

// The chart's list holds the lumps, then the species.
ChartChoice ChoiceOfRow(std::size_t row) {
  return row < kLumpCount ? ChartChoice{true, row} : ChartChoice{false, row - kLumpCount};
}

void ClearChart(QChart& chart) {
  chart.removeAllSeries();
  for (QAbstractAxis* axis : chart.axes()) {
    chart.removeAxis(axis);
    delete axis;
  }
}

}  // namespace

TSimulationWindow::TSimulationWindow(TReact_Net_Wind& window, GuiContext& context)
    : QWidget(&window, Qt::Window), m_window(window), m_context(context) {
  setWindowTitle(kCaption + QStringLiteral(": ") + window.name());
  m_pages = new QTabWidget;
  m_pages->setObjectName(QStringLiteral("pages"));
  m_pages->addTab(buildSettingsPage(), QStringLiteral("Settings"));
  m_pages->addTab(buildChartPage(), QStringLiteral("Chart"));
  m_pages->addTab(buildYieldsPage(), QStringLiteral("Yields"));
  m_pages->addTab(buildRopPage(), QStringLiteral("Rate of production"));
  m_pages->addTab(buildSensitivityPage(), QStringLiteral("Sensitivity"));

  m_run = new QPushButton(QStringLiteral("Run"));
  m_run->setObjectName(QStringLiteral("run"));
  m_run->setDefault(true);
  connect(m_run, &QPushButton::clicked, this, &TSimulationWindow::run);
  m_stop = new QPushButton(QStringLiteral("Stop"));
  m_stop->setObjectName(QStringLiteral("stop"));
  connect(m_stop, &QPushButton::clicked, this, &TSimulationWindow::stop);
  m_runStatus = new QLabel(QStringLiteral("Not run yet."));
  m_runStatus->setObjectName(QStringLiteral("runStatus"));
  m_runStatus->setWordWrap(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_runStatus, 1);
  buttons->addWidget(m_run);
  buttons->addWidget(m_stop);
  m_taskStrip = new TTaskStrip;
  connect(m_taskStrip, &TTaskStrip::finished, this, &TSimulationWindow::runStartedOrEnded);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages, 1);
  layout->addWidget(m_taskStrip);
  layout->addLayout(buttons);
  connect(&m_window, &TReact_Net_Wind::networkEdited, this, &TSimulationWindow::networkChanged);
  networkChanged();
  updateFieldStates();
  runStartedOrEnded();
  resize(920, 780);
  AddTooltips(*this);
}

TSimulationWindow::~TSimulationWindow() { finishBackgroundWork(); }

QWidget* TSimulationWindow::buildSettingsPage() {
  auto* page = new QWidget;
  auto* form = new QFormLayout;
  m_reactor = new QComboBox;
  m_reactor->setObjectName(QStringLiteral("reactor"));
  m_reactor->addItems({QStringLiteral("Plug flow"), QStringLiteral("Batch (isothermal, constant volume)")});
  m_reactor->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(m_reactor, &QComboBox::currentIndexChanged, this, [this] { updateFieldStates(); });
  auto* reactorRow = new QHBoxLayout;
  reactorRow->addWidget(m_reactor);
  reactorRow->addStretch();
  form->addRow(QStringLiteral("Reactor:"), reactorRow);

  m_constant = new QRadioButton(QStringLiteral("Constant T / K:"));
  m_constant->setObjectName(QStringLiteral("constantTemperature"));
  m_constant->setChecked(true);
  m_useProfile = new QRadioButton(QStringLiteral("Temperature profile (table)"));
  m_useProfile->setObjectName(QStringLiteral("useProfile"));
  auto* temperatureChoice = new QButtonGroup(page);
  temperatureChoice->addButton(m_constant);
  temperatureChoice->addButton(m_useProfile);
  connect(m_useProfile, &QRadioButton::toggled, this, [this] { updateFieldStates(); });
  m_temperature = Field("temperature", NumberText(m_window.network().GetPreferences().NormTemperature));
  form->addRow(m_constant, m_temperature);
  form->addRow(QString(), m_useProfile);
  m_pressure = Field("pressure", NumberText(1.0e5));
  form->addRow(simulation_field::kPressure + QLatin1Char(':'), m_pressure);
  m_pressureDrop = Field("pressureDrop", NumberText(0.0));
  form->addRow(simulation_field::kPressureDrop + QLatin1Char(':'), m_pressureDrop);
  m_steamRatio = Field("steamRatio", NumberText(0.5));
  form->addRow(simulation_field::kSteamRatio + QLatin1Char(':'), m_steamRatio);

  m_endByTime = new QRadioButton(simulation_field::kTime + QLatin1Char(':'));
  m_endByTime->setObjectName(QStringLiteral("endByTime"));
  m_endByTime->setChecked(true);
  m_endByLength = new QRadioButton(simulation_field::kLength + QLatin1Char(':'));
  m_endByLength->setObjectName(QStringLiteral("endByLength"));
  auto* endChoice = new QButtonGroup(page);
  endChoice->addButton(m_endByTime);
  endChoice->addButton(m_endByLength);
  connect(m_endByLength, &QRadioButton::toggled, this, [this] { updateFieldStates(); });
  m_time = Field("time", NumberText(0.1));
  m_length = Field("length");
  form->addRow(m_endByTime, m_time);
  form->addRow(m_endByLength, m_length);
  m_velocity = Field("velocity");
  m_velocity->setPlaceholderText(QStringLiteral("none"));
  m_velocity->setToolTip(QStringLiteral("Gives the position of the gas: needed by a length and by a profile."));
  form->addRow(simulation_field::kVelocity + QLatin1Char(':'), m_velocity);
  m_points = new QSpinBox;
  m_points->setObjectName(QStringLiteral("points"));
  m_points->setRange(2, 100000);
  m_points->setValue(11);
  m_points->setMaximumWidth(140);
  form->addRow(QStringLiteral("Reported points:"), m_points);
  m_activeRadicals = Field("activeRadicals");
  m_activeRadicals->setPlaceholderText(QStringLiteral("default"));
  m_activeRadicals->setToolTip(
      QStringLiteral("Concentration of active radicals for the flagged reactions; empty: the kinetic parameters' "
                     "standard activity, as the exports use."));
  form->addRow(simulation_field::kActiveRadicals + QLatin1Char(':'), m_activeRadicals);
  const TSimulationSettings defaults;
  m_relativeTolerance = Field("relativeTolerance");
  m_relativeTolerance->setPlaceholderText(NumberText(defaults.RelativeTolerance));
  form->addRow(simulation_field::kRelativeTolerance + QLatin1Char(':'), m_relativeTolerance);
  m_absoluteTolerance = Field("absoluteTolerance");
  m_absoluteTolerance->setPlaceholderText(NumberText(defaults.AbsoluteTolerance));
  form->addRow(simulation_field::kAbsoluteTolerance + QLatin1Char(':'), m_absoluteTolerance);
  m_sensitivityOn = new QCheckBox(QStringLiteral("Sensitivity of the lumps to the kinetic parameters"));
  m_sensitivityOn->setObjectName(QStringLiteral("sensitivityOn"));
  m_sensitivityOn->setChecked(true);
  form->addRow(QString(), m_sensitivityOn);

  auto* feeds = new QGroupBox(QStringLiteral("Feed mole fractions (empty: equal amounts)"));
  m_feedBox = feeds;
  m_feedForm = new QFormLayout(feeds);

  auto* profile = new QGroupBox(QStringLiteral("Temperature profile"));
  auto* profileLayout = new QVBoxLayout(profile);
  m_profile = new QTableWidget(0, 2);
  m_profile->setObjectName(QStringLiteral("profile"));
  m_profile->setHorizontalHeaderLabels({QStringLiteral("Position / m"), QStringLiteral("T / K")});
  m_profile->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  profileLayout->addWidget(m_profile, 1);
  auto* profileButtons = new QGridLayout;
  auto addButton = [&](const QString& caption, int row, int column, auto&& handler) {
    auto* button = new QPushButton(caption);
    connect(button, &QPushButton::clicked, this, handler);
    profileButtons->addWidget(button, row, column);
  };
  addButton(QStringLiteral("Add row"), 0, 0, [this] { m_profile->insertRow(m_profile->rowCount()); });
  addButton(QStringLiteral("Remove row"), 0, 1, [this] {
    if (m_profile->currentRow() >= 0) m_profile->removeRow(m_profile->currentRow());
  });
  addButton(QStringLiteral("Paste"), 1, 0, [this] { pasteProfile(); });
  addButton(QStringLiteral("Import CSV…"), 1, 1, [this] { importProfile(); });
  profileLayout->addLayout(profileButtons);

  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addWidget(feeds);
  left->addStretch();
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 3);
  layout->addWidget(profile, 2);
  return page;
}

QWidget* TSimulationWindow::buildChartPage() {
  auto* page = new QWidget;
  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(QStringLiteral("Show:")));
  m_chartChoices = new QListWidget;
  m_chartChoices->setObjectName(QStringLiteral("chartChoices"));
  m_chartChoices->setMaximumWidth(220);
  connect(m_chartChoices, &QListWidget::itemChanged, this, [this] { redrawChart(); });
  side->addWidget(m_chartChoices, 1);
  m_logScale = new QCheckBox(QStringLiteral("Logarithmic y axis"));
  m_logScale->setObjectName(QStringLiteral("logScale"));
  connect(m_logScale, &QCheckBox::toggled, this, [this] { redrawChart(); });
  side->addWidget(m_logScale);
  m_againstPosition = new QCheckBox(QStringLiteral("Against position"));
  m_againstPosition->setObjectName(QStringLiteral("againstPosition"));
  m_againstPosition->setEnabled(false);
  connect(m_againstPosition, &QCheckBox::toggled, this, [this] { redrawChart(); });
  side->addWidget(m_againstPosition);

  m_chart = ChartView("chart");
  PictureSources sources;
  sources.Image = [this] { return m_chartSeries.empty() ? QImage() : m_chart->grab().toImage(); };
  sources.Svg = [this] { return SvgOf(*m_chart); };
  sources.Csv = [this] {
    return ChartCsv(ChartXTitle(m_againstPosition->isChecked()).toStdString(), m_chartSeries);
  };
  m_chartActions = std::make_unique<PictureActions>(*m_chart, std::move(sources));
  m_chartActions->enableSaving(m_context.Dialogs, m_context.StartDirectory);

  auto* layout = new QHBoxLayout(page);
  layout->addLayout(side);
  layout->addWidget(m_chart, 1);
  return page;
}

QWidget* TSimulationWindow::buildYieldsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  m_yieldsModel = new QStandardItemModel(this);
  m_yieldsView = SortableView(m_yieldsModel, "yields", this);
  layout->addWidget(m_yieldsView, 1);
  m_conversion = new QLabel;
  m_conversion->setObjectName(QStringLiteral("conversion"));
  m_balance = new QLabel;
  m_balance->setObjectName(QStringLiteral("balance"));
  layout->addWidget(m_conversion);
  layout->addWidget(m_balance);
  connect(AddExportRow(layout, "exportYields"), &QPushButton::clicked, this, &TSimulationWindow::exportYields);
  return page;
}

QWidget* TSimulationWindow::buildRopPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("Species:")));
  m_ropSpecies = new QComboBox;
  m_ropSpecies->setObjectName(QStringLiteral("ropSpecies"));
  m_ropSpecies->setMinimumWidth(260);
  top->addWidget(m_ropSpecies, 1);
  auto* again = new QPushButton(QStringLiteral("Run for this species"));
  again->setObjectName(QStringLiteral("runForSpecies"));
  again->setToolTip(QStringLiteral("The rate of production is integrated during a run: this runs again."));
  connect(again, &QPushButton::clicked, this, &TSimulationWindow::run);
  top->addWidget(again);
  layout->addLayout(top);
  m_ropTotals = new QLabel;
  m_ropTotals->setObjectName(QStringLiteral("ropTotals"));
  layout->addWidget(m_ropTotals);
  m_ropModel = new QStandardItemModel(this);
  m_ropView = SortableView(m_ropModel, "rop", this);
  layout->addWidget(m_ropView, 1);
  connect(AddExportRow(layout, "exportRop"), &QPushButton::clicked, this, &TSimulationWindow::exportRateOfProduction);
  return page;
}

QWidget* TSimulationWindow::buildSensitivityPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(new QLabel(
      QStringLiteral("At the end of the run: d ln Y / d ln A for A entries, dY / dE in wt % per kJ/mol for E entries.")));
  m_sensitivityModel = new QStandardItemModel(this);
  m_sensitivityView = SortableView(m_sensitivityModel, "sensitivity", this);
  layout->addWidget(m_sensitivityView, 1);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(QStringLiteral("Chart of lump:")));
  m_sensitivityLump = new QComboBox;
  m_sensitivityLump->setObjectName(QStringLiteral("sensitivityLump"));
  for (std::size_t l = 0; l < kLumpCount; ++l) m_sensitivityLump->addItem(QString::fromLatin1(LumpName(TLump(l))));
  m_sensitivityLump->setCurrentIndex(static_cast<int>(TLump::Ethylene));
  connect(m_sensitivityLump, &QComboBox::currentIndexChanged, this, [this] { redrawSensitivityChart(); });
  row->addWidget(m_sensitivityLump);
  row->addStretch();
  auto* exportButton = new QPushButton(QStringLiteral("Export CSV…"));
  exportButton->setObjectName(QStringLiteral("exportSensitivity"));
  connect(exportButton, &QPushButton::clicked, this, &TSimulationWindow::exportSensitivity);
  row->addWidget(exportButton);
  layout->addLayout(row);
  m_sensitivityChart = ChartView("sensitivityChart");
  m_sensitivityChart->chart()->legend()->hide();
  m_sensitivityChart->setMinimumHeight(380);
  layout->addWidget(m_sensitivityChart, 3);

  PictureSources sources;
  sources.Image = [this] {
    return m_sensitivityChart->chart()->series().isEmpty() ? QImage() : m_sensitivityChart->grab().toImage();
  };
  sources.Svg = [this] { return SvgOf(*m_sensitivityChart); };
  sources.Csv = [this] {
    const int lump = m_sensitivityLump->currentIndex();
    std::string text = DelimitedRecord({"parameter", m_sensitivityLump->currentText().toStdString()});
    if (!m_results || !m_results->Sensitivity || lump < 0) return text;
    for (std::size_t row = 0; row + 1 < static_cast<std::size_t>(m_sensitivity.Header.size()); ++row)
      text += DelimitedRecord({m_sensitivity.Header[static_cast<qsizetype>(row + 1)].toStdString(),
                         QString::number(m_results->Sensitivity->Values[static_cast<std::size_t>(lump)][row], 'g', 10)
                             .toStdString()});
    return text;
  };
  m_sensitivityChartActions = std::make_unique<PictureActions>(*m_sensitivityChart, std::move(sources));
  m_sensitivityChartActions->enableSaving(m_context.Dialogs, m_context.StartDirectory);
  return page;
}

void TSimulationWindow::networkChanged() {
  // Results of another network would show wrong species.
  clearResults();
  const TReactionNetwork& network = m_window.network();
  m_labels = SpeciesLabels(network);
  m_ropSpecies->clear();
  m_ropSpecies->addItem(QStringLiteral("(none)"));
  m_ropSpecies->addItems(m_labels);
  // Ethylene, the yield that matters most, until the user chooses.
  for (std::size_t j = 0; j < network.ComponentCount(); ++j)
    if (LumpOf(*network.Component(j)) == TLump::Ethylene) {
      m_ropSpecies->setCurrentIndex(static_cast<int>(j) + 1);
      break;
    }

  while (m_feedForm->rowCount() > 0) m_feedForm->removeRow(0);
  m_feedFractions.clear();
  const std::vector<std::size_t> feeds = FeedComponents(network);
  for (std::size_t f = 0; f < feeds.size() && feeds.size() > 1; ++f) {
    auto* field = Field("feedFraction");
    field->setObjectName(QStringLiteral("feedFraction%1").arg(f));
    m_feedForm->addRow(m_labels.value(static_cast<qsizetype>(feeds[f])) + QLatin1Char(':'), field);
    m_feedFractions.push_back(field);
  }
  m_feedBox->setVisible(feeds.size() > 1);
}

SimulationFields TSimulationWindow::fields() const {
  SimulationFields f;
  f.Batch = m_reactor->currentIndex() == 1;
  f.UseProfile = m_useProfile->isChecked();
  f.Temperature = m_temperature->text();
  for (int row = 0; row < m_profile->rowCount(); ++row) {
    auto text = [&](int column) {
      const QTableWidgetItem* item = m_profile->item(row, column);
      return item ? item->text() : QString();
    };
    f.Profile.emplace_back(text(0), text(1));
  }
  f.Pressure = m_pressure->text();
  f.PressureDrop = m_pressureDrop->text();
  f.SteamRatio = m_steamRatio->text();
  f.EndByLength = m_endByLength->isChecked();
  f.Time = m_time->text();
  f.Length = m_length->text();
  f.Velocity = m_velocity->text();
  f.Points = m_points->value();
  for (const QLineEdit* field : m_feedFractions) f.FeedFractions.push_back(field->text());
  f.ActiveRadicals = m_activeRadicals->text();
  f.RelativeTolerance = m_relativeTolerance->text();
  f.AbsoluteTolerance = m_absoluteTolerance->text();
  if (m_ropSpecies->currentIndex() > 0) f.RopSpecies = static_cast<std::size_t>(m_ropSpecies->currentIndex() - 1);
  f.Sensitivity = m_sensitivityOn->isChecked();
  return f;
}

void TSimulationWindow::updateFieldStates() {
  const bool running = isRunning();
  const bool plugFlow = m_reactor->currentIndex() == 0;
  m_pages->widget(0)->setEnabled(!running);
  m_temperature->setEnabled(m_constant->isChecked());
  for (QWidget* field : {static_cast<QWidget*>(m_pressureDrop), static_cast<QWidget*>(m_endByLength),
                         static_cast<QWidget*>(m_velocity)})
    field->setEnabled(plugFlow);
  if (!plugFlow) m_endByTime->setChecked(true);
  m_time->setEnabled(m_endByTime->isChecked());
  m_length->setEnabled(plugFlow && m_endByLength->isChecked());
}

void TSimulationWindow::setProfile(const TTemperatureProfile& profile) {
  const auto rows = ProfileRows(profile);
  m_profile->setRowCount(static_cast<int>(rows.size()));
  for (std::size_t row = 0; row < rows.size(); ++row) {
    m_profile->setItem(static_cast<int>(row), 0, new QTableWidgetItem(rows[row].first));
    m_profile->setItem(static_cast<int>(row), 1, new QTableWidgetItem(rows[row].second));
  }
  m_useProfile->setChecked(true);
  updateFieldStates();
}

void TSimulationWindow::readProfile(const std::string& text) {
  const auto profile = ProfileFromCsv(text);
  if (!profile) {
    m_context.Dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(profile.error().Message));
    return;
  }
  setProfile(profile.value());
}

void TSimulationWindow::pasteProfile() { readProfile(QGuiApplication::clipboard()->text().toStdString()); }

void TSimulationWindow::importProfile() {
  const auto path = m_context.Dialogs.openFile(QStringLiteral("CSV table|*.csv|Text|*.txt"), m_context.StartDirectory);
  if (!path) return;
  QFile file(*path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kLargestProfileFile) {
    m_context.Dialogs.message(QStringLiteral("ERROR"), QStringLiteral("Could not read %1.").arg(*path));
    return;
  }
  readProfile(file.readAll().toStdString());
}

void TSimulationWindow::run() {
  if (isRunning()) return;
  const SimulationFieldsReading reading = ReadSimulationFields(fields(), m_window.network());
  if (!reading.Request) {
    m_context.Dialogs.message(QStringLiteral("ERROR"), reading.Problem);
    return;
  }
  auto lease = m_window.session().TryLease(kRunCommand.toStdString());
  if (!lease) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(lease.error().Message));
    return;
  }
  // The worker gets its own copy of the kinetic parameters, which only this
  // thread writes; the network is held by the lease.
  auto results = std::make_shared<TResult<TSimulationResults>>(TError{});
  auto work = [network = &m_window.network(), parameters = m_context.Kinetics, request = *reading.Request, results,
               hook = m_context.AfterTaskProgress](TNetworkSession::TBusyLease& lease, TTaskProgress& progress) {
    TWorkControl control = TaskControl(lease.StopFlag(), progress);
    if (hook)
      control.Progress = [count = std::move(control.Progress), hook](std::size_t done, std::size_t total) {
        count(done, total);
        hook();
      };
    *results = RunSimulation(*network, parameters, request, control);
    return std::string();
  };
  auto done = [this, results](const TBackgroundTask& task) {
    if (!task.failure().empty()) {
      m_context.Dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(task.failure()));
      return;
    }
    if (!*results) {
      m_context.Dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(results->error().Message));
      return;
    }
    showResults(std::move(results->value()));
  };
  m_taskStrip->start(std::make_unique<TBackgroundTask>(kRunCommand, std::move(lease.value()), std::move(work)), true,
                     std::move(done));
  m_runStatus->setText(QStringLiteral("Running…"));
  runStartedOrEnded();
}

void TSimulationWindow::stop() {
  if (isRunning()) m_taskStrip->cancel();
}

bool TSimulationWindow::isRunning() const { return m_taskStrip->running(); }

void TSimulationWindow::finishBackgroundWork() {
  if (!isRunning()) return;
  m_taskStrip->abandon();
  runStartedOrEnded();
}

void TSimulationWindow::runStartedOrEnded() {
  const bool running = isRunning();
  m_run->setEnabled(!running);
  m_stop->setEnabled(running);
  if (QWidget* again = findChild<QWidget*>(QStringLiteral("runForSpecies"))) again->setEnabled(!running);
  updateFieldStates();
  m_window.refreshBusyState();
}

void TSimulationWindow::clearResults() {
  m_results.reset();
  m_chartSeries.clear();
  m_yields = m_rop = m_sensitivity = {};
  m_chartChoices->clear();
  ClearChart(*m_chart->chart());
  ClearChart(*m_sensitivityChart->chart());
  m_yieldsModel->clear();
  m_ropModel->clear();
  m_sensitivityModel->clear();
  m_conversion->clear();
  m_balance->clear();
  m_ropTotals->clear();
  if (m_runStatus) m_runStatus->setText(QStringLiteral("Not run yet."));
}

void TSimulationWindow::showResults(TSimulationResults results) {
  // What the chart shows stays chosen from one run to the next.
  std::vector<ChartChoice> chosen;
  for (int row = 0; row < m_chartChoices->count(); ++row)
    if (m_chartChoices->item(row)->checkState() == Qt::Checked)
      chosen.push_back(ChoiceOfRow(static_cast<std::size_t>(row)));
  if (m_chartChoices->count() == 0) chosen = DefaultChartChoices();
  clearResults();
  m_results = std::move(results);
  const TSimulationResults& r = *m_results;

  {
    const QSignalBlocker blocker(m_chartChoices);
    for (std::size_t row = 0; row < kLumpCount + m_labels.size(); ++row) {
      const ChartChoice choice = ChoiceOfRow(row);
      auto* item = new QListWidgetItem(choice.Lump ? QString::fromLatin1(LumpName(TLump(row)))
                                                   : m_labels[static_cast<qsizetype>(choice.Index)],
                                       m_chartChoices);
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
      item->setCheckState(std::find(chosen.begin(), chosen.end(), choice) != chosen.end() ? Qt::Checked
                                                                                          : Qt::Unchecked);
    }
  }
  m_againstPosition->setEnabled(HasPositions(r));
  if (!HasPositions(r)) m_againstPosition->setChecked(false);
  redrawChart();

  m_yields = YieldsTable(r, m_labels);
  FillView(*m_yieldsView, *m_yieldsModel, m_yields, 0);
  QStringList summary = ConversionLines(r, m_labels);
  if (const QString heat = HeatText(r); !heat.isEmpty()) summary << heat;
  m_conversion->setText(summary.join(QLatin1Char('\n')));
  m_balance->setText(BalanceText(r));
  const bool drifted = r.CarbonDrift > kBalanceWarningDrift || r.HydrogenDrift > kBalanceWarningDrift;
  m_balance->setStyleSheet(drifted ? QStringLiteral("color: red") : QString());

  if (r.RateOfProduction) {
    m_rop = RopTable(*r.RateOfProduction, m_window.network());
    m_ropTotals->setText(QStringLiteral("%1: formed %2, consumed %3 mol per m3 of inlet gas")
                             .arg(m_labels.value(static_cast<qsizetype>(r.RateOfProduction->Species)),
                                  ShortNumberText(r.RateOfProduction->Formed),
                                  ShortNumberText(r.RateOfProduction->Consumed)));
    FillView(*m_ropView, *m_ropModel, m_rop, 2);
  }
  if (r.Sensitivity) {
    m_sensitivity = SensitivityTable(*r.Sensitivity);
    FillView(*m_sensitivityView, *m_sensitivityModel, m_sensitivity, -1);
    redrawSensitivityChart();
  }
  m_runStatus->setText(RunEndText(r));
  m_runStatus->setStyleSheet(r.Stopped ? QStringLiteral("color: red") : QString());
}

void TSimulationWindow::redrawChart() {
  QChart& chart = *m_chart->chart();
  ClearChart(chart);
  m_chartSeries.clear();
  if (!m_results || m_results->Times.empty()) return;
  const TSimulationResults& r = *m_results;
  const bool log = m_logScale->isChecked();
  const bool position = m_againstPosition->isChecked() && HasPositions(r);
  for (int row = 0; row < m_chartChoices->count(); ++row) {
    const QListWidgetItem* item = m_chartChoices->item(row);
    if (item->checkState() != Qt::Checked) continue;
    m_chartSeries.push_back(ChartSeriesOf(r, ChoiceOfRow(static_cast<std::size_t>(row)), item->text(), position, log));
  }
  if (m_chartSeries.empty()) return;
  auto* x = new QValueAxis;
  x->setTitleText(ChartXTitle(position));
  const std::vector<double>& xs = position ? r.Positions : r.Times;
  x->setRange(xs.front(), xs.back() > xs.front() ? xs.back() : xs.front() + 1.0);
  x->setLabelFormat(QStringLiteral("%g"));
  x->applyNiceNumbers();
  const auto [low, high] = ChartYRange(m_chartSeries, log);
  QAbstractAxis* y = nullptr;
  if (log) {
    auto* axis = new QLogValueAxis;
    axis->setBase(10.0);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setRange(low, high);
    y = axis;
  } else {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    y = axis;
  }
  y->setTitleText(ChartYTitle());
  chart.addAxis(x, Qt::AlignBottom);
  chart.addAxis(y, Qt::AlignLeft);
  for (const TChartSeries& each : m_chartSeries) {
    auto* series = new QLineSeries;
    series->setName(QString::fromStdString(each.Name));
    for (const auto& [px, py] : each.Points) series->append(px, py);
    chart.addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
  }
}

void TSimulationWindow::redrawSensitivityChart() {
  QChart& chart = *m_sensitivityChart->chart();
  ClearChart(chart);
  const int lump = m_sensitivityLump->currentIndex();
  if (!m_results || !m_results->Sensitivity || lump < 0) return;
  const std::vector<double>& values = m_results->Sensitivity->Values[static_cast<std::size_t>(lump)];
  auto* set = new QBarSet(m_sensitivityLump->currentText());
  QStringList categories;
  double largest = 0.0;
  // Horizontal bars stack from the bottom: the first parameter goes last, to the top.
  for (std::size_t p = values.size(); p-- > 0;) {
    set->append(values[p]);
    categories << m_sensitivity.Header.value(static_cast<qsizetype>(p + 1));
    largest = std::max(largest, std::abs(values[p]));
  }
  auto* series = new QHorizontalBarSeries;
  series->append(set);
  chart.addSeries(series);
  auto* names = new QBarCategoryAxis;
  names->append(categories);
  // One label per parameter: small enough that none is elided.
  QFont small = names->labelsFont();
  small.setPointSizeF(7.5);
  names->setLabelsFont(small);
  auto* axis = new QValueAxis;
  axis->setRange(-1.05 * largest - 1e-12, 1.05 * largest + 1e-12);
  axis->setLabelFormat(QStringLiteral("%.3g"));
  axis->setTitleText(QStringLiteral("Sensitivity of %1").arg(m_sensitivityLump->currentText()));
  chart.addAxis(names, Qt::AlignLeft);
  chart.addAxis(axis, Qt::AlignBottom);
  series->attachAxis(names);
  series->attachAxis(axis);
}

void TSimulationWindow::exportTable(const TableText& table) {
  if (table.Rows.empty()) {
    m_context.Dialogs.message(QString(), QStringLiteral("There is nothing to export yet: run the simulation first."));
    return;
  }
  const auto path = m_context.Dialogs.saveFile(kCsvFilter, m_context.StartDirectory, true);
  if (!path) return;
  if (const auto written = ReplaceFileContents(path->toStdString(), TableCsv(table)); !written)
    m_context.Dialogs.message(QStringLiteral("ERROR"), QStringLiteral("Could not write %1: %2")
                                                           .arg(*path, QString::fromStdString(written.error().Message)));
}

void TSimulationWindow::exportYields() { exportTable(m_yields); }
void TSimulationWindow::exportRateOfProduction() { exportTable(m_rop); }
void TSimulationWindow::exportSensitivity() { exportTable(m_sensitivity); }

void TSimulationWindow::closeEvent(QCloseEvent* event) {
  finishBackgroundWork();
  hide();
  event->ignore();
}

}  // namespace korvane::gui
