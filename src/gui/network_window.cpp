#include "gui/network_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <climits>

#include "gui/components_page.h"
#include "gui/feed_commands.h"
#include "gui/generation_status.h"
#include "gui/generator_thread.h"
#include "gui/manual_reaction_commands.h"
#include "gui/network_commands.h"
#include "gui/reactions_page.h"
#include "gui/window_text.h"

namespace korvane::gui {
namespace {

constexpr int kPollIntervalMs = 250;
const QColor kRed(Qt::red);
const QColor kGreen(0, 128, 0);
const QColor kBlue(Qt::blue);

QLineEdit* NumberField(const QString& text) {
  auto* field = new QLineEdit(text);
  field->setMaximumWidth(120);
  return field;
}

void SetColouredText(QLabel* label, const QString& text, const QColor& colour) {
  label->setText(text);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

}  // namespace

TReact_Net_Wind::TReact_Net_Wind(GuiContext& context, const QString& name, std::unique_ptr<TReactionNetwork> network,
                                 QWidget* parent)
    : QMainWindow(parent), m_context(context), m_name(name), m_network(std::move(network)) {
  setWindowTitle(kCaption + QStringLiteral(": ") + name);
  setAttribute(Qt::WA_DeleteOnClose, false);

  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  m_statusStrip = new QWidget;
  auto* strip = new QHBoxLayout(m_statusStrip);
  strip->setContentsMargins(0, 0, 0, 0);
  strip->addWidget(new QLabel(QStringLiteral("Generator status:")));
  m_generatorStatus = new QLabel(QStringLiteral("N/A"));
  m_statusStrip->setObjectName(QStringLiteral("generatorStatusStrip"));
  m_generatorStatus->setObjectName(QStringLiteral("generatorStatus"));
  strip->addWidget(m_generatorStatus, 1);
  m_statusStrip->setToolTip(QStringLiteral("Right-click to roll the window up or down"));
  m_statusStrip->installEventFilter(this);
  layout->addWidget(m_statusStrip);

  m_pages = new QTabWidget;
  m_pages->addTab(buildPreferencePage(), QStringLiteral("ReactionNetwork_Preferences/Controls"));
  m_componentsPage = new TComponentsPage(*this, m_context);
  AddDatabaseAndDrawingCommands(*this, *m_componentsPage, m_context);
  m_pages->addTab(m_componentsPage, QStringLiteral("Components"));
  m_reactionsPage = new TReactionsPage(*this, m_context);
  AddManualReactionCommands(*this, m_context);
  m_pages->addTab(m_reactionsPage, QStringLiteral("Reactions"));
  layout->addWidget(m_pages, 1);
  setCentralWidget(central);
  buildMenu();

  m_pollTimer = new QTimer(this);
  m_pollTimer->setObjectName(QStringLiteral("pollTimer"));
  m_pollTimer->setInterval(kPollIntervalMs);
  connect(m_pollTimer, &QTimer::timeout, this, &TReact_Net_Wind::poll);
  resize(760, 560);  // wide enough for the reaction page's four pictures and values
  updateControls();
}

TReact_Net_Wind::~TReact_Net_Wind() {
  // The thread's destructor asks the driver to stop and waits, so the
  // network outlives every step of the run.
  m_thread.reset();
}

QWidget* TReact_Net_Wind::buildPreferencePage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  auto* preferences = new QGroupBox(QStringLiteral("  Main preferences  "));
  auto* form = new QFormLayout(preferences);
  m_temperature = NumberField(QStringLiteral("1050"));
  m_eBeta = NumberField(QStringLiteral("200"));
  m_eHTransfer = NumberField(QStringLiteral("300"));
  m_eAllyl = NumberField(QStringLiteral("200"));
  m_minSelectivity = NumberField(QStringLiteral("0,01"));
  // Object names let tests and accessibility tools find the fields.
  m_temperature->setObjectName(QStringLiteral("temperature"));
  m_eBeta->setObjectName(QStringLiteral("eBeta"));
  m_eHTransfer->setObjectName(QStringLiteral("eHTransfer"));
  m_eAllyl->setObjectName(QStringLiteral("eAllyl"));
  m_minSelectivity->setObjectName(QStringLiteral("minSelectivity"));
  form->addRow(QStringLiteral("Normalized T/K = "), m_temperature);
  form->addRow(new QLabel(QStringLiteral("Activating enegy thresholds E/(kJ/mol) for reactions:")));
  form->addRow(QStringLiteral("Beta-Scission:"), m_eBeta);
  form->addRow(QStringLiteral("Hydrogen tranfer:"), m_eHTransfer);
  form->addRow(QStringLiteral("Allyl izomeration:"), m_eAllyl);
  form->addRow(QStringLiteral("Minimum of selectivity = "), m_minSelectivity);
  // A guard against runaway runs, kept with the window, not in the file.
  m_componentLimit = new QSpinBox;
  m_componentLimit->setObjectName(QStringLiteral("componentLimit"));
  m_componentLimit->setRange(1, 100'000'000);
  m_componentLimit->setGroupSeparatorShown(true);
  m_componentLimit->setMaximumWidth(120);
  m_componentLimit->setValue(static_cast<int>(m_network->ComponentLimit()));
  m_componentLimit->setToolTip(
      QStringLiteral("A run stops cleanly, with an incomplete network, when the network reaches this many "
                     "components. Not saved in the network file."));
  // The threads that compute a run's steps; the network does not depend on them.
  m_threads = new QSpinBox;
  m_threads->setObjectName(QStringLiteral("threads"));
  m_threads->setRange(1, 256);
  m_threads->setValue(static_cast<int>(m_network->ThreadCount()));
  m_threads->setToolTip(QStringLiteral("Threads that generate the network. The network is the same for every "
                                       "count. Not saved in the network file."));
  auto* limits = new QHBoxLayout;
  limits->addWidget(m_componentLimit);
  limits->addSpacing(16);
  limits->addWidget(new QLabel(QStringLiteral("Threads:")));
  limits->addWidget(m_threads);
  limits->addStretch();
  form->addRow(QStringLiteral("Component limit:"), limits);
  layout->addWidget(preferences);

  m_apply = new QPushButton(QStringLiteral("Apply changes"));
  connect(m_apply, &QPushButton::clicked, this, &TReact_Net_Wind::applyChanges);
  auto* applyRow = new QHBoxLayout;
  applyRow->addWidget(m_apply);
  applyRow->addStretch();
  layout->addLayout(applyRow);
  m_networkControls.push_back(m_apply);

  auto* controls = new QGroupBox(QStringLiteral("  Reaction network cotnrols  "));
  m_controlsGroup = controls;
  auto* controlsLayout = new QVBoxLayout(controls);
  layout->addWidget(controls);
  auto* runRow = new QHBoxLayout;
  m_generate = new QPushButton(QStringLiteral("Generate all reactions now"));
  m_generate->setDefault(true);
  connect(m_generate, &QPushButton::clicked, this, &TReact_Net_Wind::generate);
  m_stop = new QPushButton(QStringLiteral("Stop generation"));
  connect(m_stop, &QPushButton::clicked, this, &TReact_Net_Wind::stopGeneration);
  runRow->addWidget(m_generate, 1);
  runRow->addWidget(m_stop);
  controlsLayout->addLayout(runRow);
  m_networkControls.push_back(m_generate);
  m_exportGraph = addNetworkControl(QStringLiteral("Export graph of reaction network"), [this] { exportGraph(); });
  m_save = addNetworkControl(QStringLiteral("Save reaction network to file"), [this] { saveToFile(); });

  auto* status = new QGroupBox(QStringLiteral("  Generating status  "));
  auto* statusForm = new QFormLayout(status);
  m_status = new QLabel(QStringLiteral("N/A"));
  m_progress = new QProgressBar;
  m_progress->setRange(0, 1000);
  m_progress->setValue(0);
  m_progress->setTextVisible(false);
  m_actualComponent = new QLabel(QStringLiteral("N/A"));
  m_time = new QLabel(QStringLiteral("N/A"));
  m_status->setObjectName(QStringLiteral("status"));
  m_progress->setObjectName(QStringLiteral("progress"));
  m_actualComponent->setObjectName(QStringLiteral("actualComponent"));
  m_time->setObjectName(QStringLiteral("time"));
  statusForm->addRow(QStringLiteral("Status:"), m_status);
  statusForm->addRow(m_progress);
  statusForm->addRow(QStringLiteral("Actual component: "), m_actualComponent);
  statusForm->addRow(QStringLiteral("Time/ms:"), m_time);
  layout->addWidget(status);
  layout->addStretch();
  return page;
}

void TReact_Net_Wind::buildMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Network"));
  QAction* save = menu->addAction(QStringLiteral("Save reaction network to file"), this, [this] { saveToFile(); });
  save->setShortcut(QKeySequence::Save);
  QAction* run = menu->addAction(QStringLiteral("Generate all reactions now"), this, [this] { generate(); });
  run->setShortcut(QKeySequence(Qt::Key_F5));
  menu->addAction(QStringLiteral("Stop generation"), this, [this] { stopGeneration(); });
  menu->addSeparator();
  menu->addAction(QStringLiteral("Roll up / down"), this, [this] { toggleRollUp(); })
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  menu->addAction(QStringLiteral("Close"), this, [this] { close(); })->setShortcut(QKeySequence::Close);
  m_networkActions = {save, run};
}

QPushButton* TReact_Net_Wind::addNetworkControl(const QString& caption, std::function<void()> command) {
  auto* button = new QPushButton(caption);
  connect(button, &QPushButton::clicked, this, [this, command = std::move(command)] {
    // Refused in code too: a click queued before the button was disabled.
    if (networkForCommand()) command();
  });
  m_controlsGroup->layout()->addWidget(button);
  m_networkControls.push_back(button);
  updateControls();
  return button;
}

void TReact_Net_Wind::addPage(QWidget* page, const QString& title) { m_pages->addTab(page, title); }

void TReact_Net_Wind::addAuxiliaryWindow(QWidget* window) { m_auxiliaryWindows.emplace_back(window); }

void TReact_Net_Wind::setDatabase(std::shared_ptr<TDBCoordinator> database) { m_database = std::move(database); }

TReactionNetwork* TReact_Net_Wind::networkForCommand() {
  if (!isGenerating()) return m_network.get();
  m_context.Dialogs.message(QStringLiteral("WARNING"),
                            QStringLiteral("The reaction network is being generated. Wait until the generation "
                                           "ends, or stop it, before you work with this network."));
  return nullptr;
}

void TReact_Net_Wind::showPreferences() {
  const TNetworkPreferences& p = m_network->GetPreferences();
  m_temperature->setText(NumberText(p.NormTemperature));
  m_eBeta->setText(NumberText(p.EThresholdBetaScission));
  m_eHTransfer->setText(NumberText(p.EThresholdHTransfer));
  m_eAllyl->setText(NumberText(p.EThresholdAllyl));
  m_minSelectivity->setText(NumberText(p.MinSelectivity));
  m_componentLimit->setValue(static_cast<int>(std::min<std::size_t>(m_network->ComponentLimit(), INT_MAX)));
  m_threads->setValue(static_cast<int>(m_network->ThreadCount()));
}

std::optional<TNetworkPreferences> TReact_Net_Wind::readPreferenceFields() {
  TNetworkPreferences read;
  const std::pair<QLineEdit*, double*> fields[] = {
      {m_temperature, &read.NormTemperature}, {m_eBeta, &read.EThresholdBetaScission},
      {m_eHTransfer, &read.EThresholdHTransfer}, {m_eAllyl, &read.EThresholdAllyl},
      {m_minSelectivity, &read.MinSelectivity}};
  for (auto [field, value] : fields) {
    const std::optional<double> number = ReadNumber(field->text());
    if (!number) {
      m_context.Dialogs.message(QString(),
                                QStringLiteral("'%1' is not a valid floating point value").arg(field->text()));
      field->setFocus();
      return std::nullopt;
    }
    *value = *number;
  }
  if (const std::string problem = PreferencesProblem(read); !problem.empty()) {
    m_context.Dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(problem));
    return std::nullopt;
  }
  return read;
}

void TReact_Net_Wind::applyChanges() {
  TReactionNetwork* network = networkForCommand();
  if (!network) return;
  // Every field is read and checked before the network changes.
  const auto preferences = readPreferenceFields();
  if (!preferences) return;
  network->SetPreferences(*preferences);
  network->SetComponentLimit(static_cast<std::size_t>(m_componentLimit->value()));
  network->SetThreadCount(static_cast<unsigned>(m_threads->value()));
}

void TReact_Net_Wind::generate() {
  if (isGenerating()) return;  // one run at a time
  setGeneratorStatus(QStringLiteral("In progress..."), kRed);
  m_generatorStatus->repaint();
  m_pollTimer->start();
  m_progress->setValue(0);
  m_thread = std::make_unique<TGenVlakno>(*m_network);
  m_thread->start();
  setGeneratorStatus(QStringLiteral("Ready..."), kGreen);
  updateControls();
  emit generatingChanged(true);
}

void TReact_Net_Wind::stopGeneration() {
  if (m_thread && !m_thread->RunFinished()) {
    m_thread->requestStop();
    m_stop->setEnabled(false);
  }
}

void TReact_Net_Wind::poll() {
  if (!m_thread) {
    SetColouredText(m_status, QStringLiteral("N/A"), kBlue);
    m_pollTimer->stop();
    return;
  }
  SetColouredText(m_status, QStringLiteral("In progress..."), kRed);
  // The finished mark is read before the counters, so the last poll of a run
  // shows their final values.
  const bool finished = m_thread->RunFinished();
  const std::int32_t last = m_network->ProgressLast.load(std::memory_order_relaxed);
  const std::int32_t current = m_network->ProgressCurrent.load(std::memory_order_relaxed);
  m_progress->setValue(ProgressPosition(current, last));
  m_actualComponent->setText(QStringLiteral("%1 / %2").arg(current).arg(last));
  if (!finished) {
    m_time->setText(QString::number(TGenVlakno::Ticks() - m_thread->StartTicks()));
    return;
  }
  m_time->setText(QString::number(m_thread->EndTicks() - m_thread->StartTicks()));
  const TGenerationOutcome outcome = m_thread->Outcome();
  m_thread->wait();
  m_thread.reset();
  updateControls();
  emit generatingChanged(false);
  emit networkReplaced();
  m_context.Dialogs.message(QString(), RunEndMessage(outcome));
}

void TReact_Net_Wind::setGeneratorStatus(const QString& text, const QColor& colour) {
  SetColouredText(m_generatorStatus, text, colour);
}

void TReact_Net_Wind::updateControls() {
  const bool idle = !isGenerating();
  for (const auto& control : m_networkControls)
    if (control) control->setEnabled(idle);
  for (QAction* action : m_networkActions) action->setEnabled(idle);
  m_stop->setEnabled(!idle);
}

void TReact_Net_Wind::saveToFile() {
  if (TReactionNetwork* network = networkForCommand()) SaveNetworkCommand(m_context, *network);
}

void TReact_Net_Wind::exportGraph() {
  if (TReactionNetwork* network = networkForCommand()) ExportGraphCommand(m_context, *network, this);
}

void TReact_Net_Wind::closeEvent(QCloseEvent* event) {
  // Closing hides the window; it stays in the manager's list.
  for (const auto& window : m_auxiliaryWindows)
    if (window) window->close();
  hide();
  event->ignore();
}

bool TReact_Net_Wind::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_statusStrip && event->type() == QEvent::MouseButtonPress &&
      static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    toggleRollUp();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TReact_Net_Wind::toggleRollUp() {
  // The window rolls up to its menu and status line, so the line that rolls
  // it down again stays in reach (the window manager owns the title bar).
  const int floor = m_statusStrip->geometry().bottom() + centralWidget()->geometry().top() + 4;
  if (!m_rolledUp) {
    m_savedHeight = height();
    setMinimumHeight(0);
    m_pages->hide();
    for (int h : RollUpHeights(height(), floor)) {
      resize(width(), h);
      QCoreApplication::processEvents();
    }
    m_rolledUp = true;
  } else {
    m_pages->show();
    for (int h : RollDownHeights(height(), m_savedHeight)) {
      resize(width(), h);
      QCoreApplication::processEvents();
      QThread::msleep(10);
    }
    m_rolledUp = false;
  }
}

}  // namespace korvane::gui
