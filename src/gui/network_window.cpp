#include "gui/network_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
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
#include <QTimer>
#include <QVBoxLayout>
#include <QPropertyAnimation>
#include <climits>
#include <set>

#include "gui/components_page.h"
#include "gui/feed_commands.h"
#include "gui/generation_status.h"
#include "gui/generator_thread.h"
#include "gui/manual_reaction_commands.h"
#include "gui/network_commands.h"
#include "gui/reactions_page.h"
#include "gui/simulation_window.h"
#include "gui/task_strip.h"
#include "gui/window_text.h"
#include "gui/dropped_files.h"
#include "gui/tooltip_texts.h"

namespace korvane::gui {
namespace {

constexpr int kPollIntervalMs = 250;
constexpr int kRollDurationMs = 160;
const QColor kRed(Qt::red);
const QColor kGreen(0, 128, 0);
const QColor kBlue(Qt::blue);
const QString kExportGraphCommand = QStringLiteral("Export graph of reaction network");
const QString kApplyCommand = QStringLiteral("Apply changes");

QLineEdit* NumberField(const QString& text) {
  auto* field = new QLineEdit(text);
  field->setMaximumWidth(120);
  return field;
}

// The component limit field shows no limit as 0, its text "none".
int ComponentLimitValue(std::size_t limit) {
  return limit == kNoComponentLimit ? 0 : static_cast<int>(std::min<std::size_t>(limit, INT_MAX));
}

int MemoryLimitValue(std::size_t limit) { return static_cast<int>(std::min<std::size_t>(limit / kMiB, INT_MAX)); }

void SetColouredText(QLabel* label, const QString& text, const QColor& colour) {
  label->setText(text);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
}

}  // namespace

TReact_Net_Wind::TReact_Net_Wind(GuiContext& context, const QString& name, std::unique_ptr<TNetworkSession> session,
                                 QWidget* parent)
    : QMainWindow(parent), m_context(context), m_name(name), m_session(std::move(session)) {
  build();
  AddTooltips(*this);
}

TReact_Net_Wind::TReact_Net_Wind(GuiContext& context, const QString& name, std::unique_ptr<TReactionNetwork> network,
                                 QWidget* parent)
    : TReact_Net_Wind(context, name, std::make_unique<TNetworkSession>(std::move(network)), parent) {}

TReact_Net_Wind::~TReact_Net_Wind() {
  // The threads' destructors ask their work to stop and wait, so the
  // network outlives every step of it.
  m_thread.reset();
  m_simulation.reset();
  m_taskStrip->abandon();
}

void TReact_Net_Wind::build() {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setAcceptDrops(true);

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
  // Below the pages, shown only while a save or an export runs.
  m_taskStrip = new TTaskStrip;
  connect(m_taskStrip, &TTaskStrip::finished, this, [this] {
    updateControls();
    emit busyChanged(false);
  });
  layout->addWidget(m_taskStrip);
  setCentralWidget(central);
  buildMenu();

  m_pollTimer = new QTimer(this);
  m_pollTimer->setObjectName(QStringLiteral("pollTimer"));
  m_pollTimer->setInterval(kPollIntervalMs);
  connect(m_pollTimer, &QTimer::timeout, this, &TReact_Net_Wind::poll);
  m_rollAnimation = new QPropertyAnimation(this, "size", this);
  m_rollAnimation->setDuration(kRollDurationMs);
  connect(this, &TReact_Net_Wind::networkEdited, this, [this] {
    updateTitle();
    updateUndoActions();
  });
  resize(760, 560);  // wide enough for the reaction page's four pictures and values
  updateControls();
  updateTitle();
}

QWidget* TReact_Net_Wind::buildPreferencePage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);

  auto* preferences = new QGroupBox(QStringLiteral("  Main preferences  "));
  auto* form = new QFormLayout(preferences);
  // The defaults in the user's number format, as showPreferences writes a
  // loaded network's values (either separator reads).
  m_temperature = NumberField(NumberText(1050));
  m_eBeta = NumberField(NumberText(200));
  m_eHTransfer = NumberField(NumberText(300));
  m_eAllyl = NumberField(NumberText(200));
  m_minSelectivity = NumberField(NumberText(0.01));
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
  m_componentLimit->setRange(0, 100'000'000);
  m_componentLimit->setSpecialValueText(QStringLiteral("none"));
  m_componentLimit->setGroupSeparatorShown(true);
  m_componentLimit->setMaximumWidth(120);
  m_componentLimit->setValue(ComponentLimitValue(network().ComponentLimit()));
  m_componentLimit->setToolTip(
      QStringLiteral("A run stops cleanly, with an incomplete network, when the network reaches this many "
                     "components. Not saved in the network file."));
  // The run's memory limit, from 1 MiB to the physical memory; the window
  // starts it at half the physical memory.
  network().SetMemoryLimit(DefaultMemoryLimit(m_context.PhysicalMemory));
  m_memoryLimit = new QSpinBox;
  m_memoryLimit->setObjectName(QStringLiteral("memoryLimit"));
  m_memoryLimit->setRange(1, m_context.PhysicalMemory == 0
                                 ? INT_MAX
                                 : static_cast<int>(std::min<std::uint64_t>(m_context.PhysicalMemory / kMiB, INT_MAX)));
  m_memoryLimit->setGroupSeparatorShown(true);
  m_memoryLimit->setMaximumWidth(120);
  m_memoryLimit->setValue(MemoryLimitValue(network().MemoryLimit()));
  m_memoryLimit->setToolTip(
      QStringLiteral("A run stops cleanly, with an incomplete network, when the network's estimated memory passes "
                     "this many MiB; at most the physical memory, half of it by default. Not saved in the network "
                     "file."));
  // The threads that compute a run's steps; the network does not depend on them.
  m_threads = new QSpinBox;
  m_threads->setObjectName(QStringLiteral("threads"));
  m_threads->setRange(1, 256);
  m_threads->setValue(static_cast<int>(network().ThreadCount()));
  m_threads->setToolTip(QStringLiteral("Threads that generate the network. The network is the same for every "
                                       "count. Not saved in the network file."));
  auto* limits = new QHBoxLayout;
  limits->addWidget(m_componentLimit);
  limits->addSpacing(16);
  limits->addWidget(new QLabel(QStringLiteral("Memory limit (MiB):")));
  limits->addWidget(m_memoryLimit);
  limits->addSpacing(16);
  limits->addWidget(new QLabel(QStringLiteral("Threads:")));
  limits->addWidget(m_threads);
  limits->addStretch();
  form->addRow(QStringLiteral("Component limit:"), limits);
  layout->addWidget(preferences);

  m_apply = new QPushButton(kApplyCommand);
  m_apply->setToolTip(QStringLiteral("\"Generate all reactions now\" applies the fields too."));
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
  m_generate = new QPushButton(QString::fromLatin1(kGenerationCommand));
  m_generate->setDefault(true);
  connect(m_generate, &QPushButton::clicked, this, &TReact_Net_Wind::generate);
  m_stop = new QPushButton(QStringLiteral("Stop generation"));
  connect(m_stop, &QPushButton::clicked, this, &TReact_Net_Wind::stopGeneration);
  runRow->addWidget(m_generate, 1);
  runRow->addWidget(m_stop);
  controlsLayout->addLayout(runRow);
  m_networkControls.push_back(m_generate);
  m_exportGraph = addNetworkControl(kExportGraphCommand, [this] { exportGraph(); });
  m_save = addNetworkControl(QString::fromLatin1(kSaveCommand), [this] { saveAs(); });
  // Not a network control: an open simulation window is brought forward
  // also while its run holds the network.
  auto* simulate = new QPushButton(TSimulationWindow::kRunCommand);
  simulate->setObjectName(QStringLiteral("simulate"));
  connect(simulate, &QPushButton::clicked, this, &TReact_Net_Wind::openSimulation);
  controlsLayout->addWidget(simulate);

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
  QAction* save = menu->addAction(QStringLiteral("Save"), this, [this] { this->save(); });
  save->setShortcut(QKeySequence::Save);
  QAction* saveAs = menu->addAction(QStringLiteral("Save as..."), this, [this] { this->saveAs(); });
  saveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  QAction* graph = menu->addAction(kExportGraphCommand, this, [this] { exportGraph(); });
  menu->addSeparator();
  QAction* run = menu->addAction(QString::fromLatin1(kGenerationCommand), this, [this] { generate(); });
  run->setShortcut(QKeySequence(Qt::Key_F5));
  menu->addAction(QStringLiteral("Stop generation"), this, [this] { stopGeneration(); });
  menu->addAction(QStringLiteral("Simulate..."), this, [this] { openSimulation(); });
  menu->addSeparator();
  menu->addAction(QStringLiteral("Roll up / down"), this, [this] { toggleRollUp(); })
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  menu->addAction(QStringLiteral("Close"), this, [this] { close(); })->setShortcut(QKeySequence::Close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  m_undoAction = edit->addAction(QStringLiteral("Undo"), this, [this] { undo(); });
  m_undoAction->setShortcut(QKeySequence::Undo);
  m_redoAction = edit->addAction(QStringLiteral("Redo"), this, [this] { redo(); });
  m_redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
  m_networkActions = {save, saveAs, graph, run};
  updateUndoActions();
}

QPushButton* TReact_Net_Wind::addNetworkControl(const QString& caption, std::function<void()> command) {
  auto* button = new QPushButton(caption);
  button->setToolTip(TooltipFor(caption));
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
  const std::string command = m_session->BusyCommand();
  if (command.empty()) return &m_session->Network();
  m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(BusyMessage(command)));
  return nullptr;
}

bool TReact_Net_Wind::editNetwork(const QString& label, const std::function<bool(TReactionNetwork&)>& change) {
  const auto edited = m_session->Edit(label.toStdString(), change);
  if (!edited) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(edited.error().Message));
    return false;
  }
  notifyNetworkEdited();
  return true;
}

void TReact_Net_Wind::notifyNetworkEdited() {
  emit networkEdited();
  emit documentChanged();
}

void TReact_Net_Wind::showPreferences() {
  const TNetworkPreferences& p = network().GetPreferences();
  m_temperature->setText(NumberText(p.NormTemperature));
  m_eBeta->setText(NumberText(p.EThresholdBetaScission));
  m_eHTransfer->setText(NumberText(p.EThresholdHTransfer));
  m_eAllyl->setText(NumberText(p.EThresholdAllyl));
  m_minSelectivity->setText(NumberText(p.MinSelectivity));
  m_componentLimit->setValue(ComponentLimitValue(network().ComponentLimit()));
  m_memoryLimit->setValue(MemoryLimitValue(network().MemoryLimit()));
  m_threads->setValue(static_cast<int>(network().ThreadCount()));
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

bool TReact_Net_Wind::applyChanges() {
  if (!networkForCommand()) return false;
  // Every field is read and checked before the network changes.
  const auto preferences = readPreferenceFields();
  if (!preferences) return false;
  // The limits and the thread count are settings of the window's run, not
  // of the network's document: they change nothing that is saved or undone.
  const int components = m_componentLimit->value();
  network().SetComponentLimit(components == 0 ? kNoComponentLimit : static_cast<std::size_t>(components));
  network().SetMemoryLimit(static_cast<std::size_t>(m_memoryLimit->value()) * kMiB);
  network().SetThreadCount(static_cast<unsigned>(m_threads->value()));
  return editNetwork(kApplyCommand, [&](TReactionNetwork& edited) {
    if (edited.GetPreferences() == *preferences) return false;
    edited.SetPreferences(*preferences);
    return true;
  });
}

void TReact_Net_Wind::generate() {
  if (isGenerating()) return;  // one run at a time
  // The run uses what the fields say, as "Apply changes" would store it.
  if (!applyChanges()) return;
  auto lease = m_session->TryLease(kGenerationCommand);
  if (!lease) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(lease.error().Message));
    return;
  }
  setGeneratorStatus(QStringLiteral("In progress..."), kRed);
  m_generatorStatus->repaint();
  m_pollTimer->start();
  m_progress->setValue(0);
  m_thread = std::make_unique<TGenVlakno>(std::move(lease.value()), m_context.AfterGeneratedComponent);
  m_thread->start();
  // Both status lines say the run is on until it ends.
  SetColouredText(m_status, QStringLiteral("In progress..."), kRed);
  updateControls();
  emit generatingChanged(true);
  emit busyChanged(true);
}

void TReact_Net_Wind::stopGeneration() {
  if (m_thread && !m_thread->RunFinished()) {
    m_thread->requestStop();
    m_stop->setEnabled(false);
    // Seen at once: no further component is processed; the network is
    // then closed by recombination before the run ends.
    setGeneratorStatus(QStringLiteral("Stopping..."), kRed);
    SetColouredText(m_status, QStringLiteral("Stopping..."), kRed);
  }
}

void TReact_Net_Wind::poll() {
  if (!m_thread) {
    m_pollTimer->stop();
    return;
  }
  // The finished mark is read before the counters, so the last poll of a run
  // shows their final values.
  const bool finished = m_thread->RunFinished();
  const std::int32_t last = network().ProgressLast.load(std::memory_order_relaxed);
  const std::int32_t current = network().ProgressCurrent.load(std::memory_order_relaxed);
  m_progress->setValue(ProgressPosition(current, last));
  m_actualComponent->setText(QStringLiteral("%1 / %2").arg(current).arg(last));
  if (!finished) {
    m_time->setText(QString::number(TGenVlakno::Ticks() - m_thread->StartTicks()));
    return;
  }
  m_time->setText(QString::number(m_thread->EndTicks() - m_thread->StartTicks()));
  const TGenerationOutcome outcome = m_thread->Outcome();
  m_thread->wait();
  m_thread.reset();  // releases the lease
  m_pollTimer->stop();
  setGeneratorStatus(QStringLiteral("Ready..."), kGreen);
  SetColouredText(m_status, RunStatusText(outcome), outcome.End == TGenerationEnd::Completed ? kGreen : kRed);
  updateControls();
  emit generatingChanged(false);
  emit busyChanged(false);
  notifyNetworkEdited();
  // The box's title names the network: with several windows running, the
  // user knows which run ended.
  m_context.Dialogs.message(RunEndCaption(name()), RunEndMessage(outcome));
}

bool TReact_Net_Wind::startTask(const QString& command, bool cancellable, TBackgroundTask::Work work,
                                std::function<void(const TBackgroundTask&)> done) {
  auto lease = m_session->TryLease(command.toStdString());
  if (!lease) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(lease.error().Message));
    return false;
  }
  m_taskStrip->start(std::make_unique<TBackgroundTask>(command, std::move(lease.value()), std::move(work)),
                     cancellable, std::move(done));
  updateControls();
  emit busyChanged(true);
  return true;
}

void TReact_Net_Wind::openSimulation() {
  if (!m_simulation) {
    // The window reads the network's species and feeds as it opens.
    if (!networkForCommand()) return;
    m_simulation = std::make_unique<TSimulationWindow>(*this, m_context);
    addAuxiliaryWindow(m_simulation.get());
  }
  m_simulation->show();
  m_simulation->raise();
  m_simulation->activateWindow();
}

void TReact_Net_Wind::refreshBusyState() {
  updateControls();
  emit busyChanged(isBusy());
}

void TReact_Net_Wind::finishBackgroundWork() {
  if (m_thread) {
    m_thread->requestStop();
    m_thread->wait();
    m_pollTimer->stop();
    m_thread.reset();
    updateControls();
    emit generatingChanged(false);
    emit busyChanged(false);
  }
  if (m_simulation) m_simulation->finishBackgroundWork();
  if (m_taskStrip->running()) {
    // Ended on purpose: what it would report (a cancelled export) is no news.
    m_taskStrip->abandon();
    updateControls();
    emit busyChanged(false);
  }
}

void TReact_Net_Wind::setGeneratorStatus(const QString& text, const QColor& colour) {
  SetColouredText(m_generatorStatus, text, colour);
}

void TReact_Net_Wind::updateControls() {
  // Also a command of another window (a fusion) may hold the network.
  const bool idle = !isBusy();
  for (const auto& control : m_networkControls)
    if (control) control->setEnabled(idle);
  for (QAction* action : m_networkActions) action->setEnabled(idle);
  m_stop->setEnabled(isGenerating());
  updateUndoActions();
}

void TReact_Net_Wind::updateTitle() {
  // Qt shows "*" in place of "[*]" while the window is modified.
  QString title = kCaption + QStringLiteral(": ") + m_name;
  if (m_session->IsDamaged())
    title += QStringLiteral(" (damaged)");
  else if (!m_session->FileName().empty())
    title += QStringLiteral(" - ") + QFileInfo(QString::fromStdString(m_session->FileName())).fileName();
  setWindowTitle(title + QStringLiteral("[*]"));
  setWindowModified(m_session->IsModified());
}

void TReact_Net_Wind::updateUndoActions() {
  if (!m_undoAction) return;
  // The history belongs to the command under way until it ends.
  const bool idle = !isBusy();
  m_undoAction->setEnabled(idle && m_session->CanUndo());
  m_redoAction->setEnabled(idle && m_session->CanRedo());
  if (!idle) return;
  m_undoAction->setText(m_session->CanUndo() ? QStringLiteral("Undo ") + QString::fromStdString(m_session->UndoLabel())
                                             : QStringLiteral("Undo"));
  m_redoAction->setText(m_session->CanRedo() ? QStringLiteral("Redo ") + QString::fromStdString(m_session->RedoLabel())
                                             : QStringLiteral("Redo"));
}

void TReact_Net_Wind::undo() { travel(true); }

void TReact_Net_Wind::redo() { travel(false); }

void TReact_Net_Wind::travel(bool back) {
  if (!networkForCommand() || !(back ? m_session->CanUndo() : m_session->CanRedo())) return;
  if (const auto done = back ? m_session->Undo() : m_session->Redo(); !done) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(done.error().Message));
    return;
  }
  showPreferences();
  notifyNetworkEdited();
}

void TReact_Net_Wind::save() {
  if (!networkForCommand()) return;
  if (m_session->FileName().empty()) {
    saveAs();
    return;
  }
  startSave(QString::fromStdString(m_session->FileName()), QString::fromStdString(m_session->Note()));
}

void TReact_Net_Wind::saveAs() {
  if (!networkForCommand()) return;
  const auto request = AskSaveAs(m_context, QString::fromStdString(m_session->Note()));
  if (request) startSave(request->FileName, request->Note);
}

void TReact_Net_Wind::startSave(const QString& fileName, const QString& note) {
  const std::string path = fileName.toStdString(), text = note.toStdString();
  auto written = std::make_shared<TResult<std::uint64_t>>(TError{});
  startTask(
      QString::fromLatin1(kSaveCommand), true,
      [path, text, written, hook = m_context.AfterTaskProgress](TNetworkSession::TBusyLease& lease,
                                                                 TTaskProgress& progress) {
        *written = lease.Session().WriteFile(lease, path, text, [&](std::size_t done, std::size_t total) {
          progress.Total.store(static_cast<std::int64_t>(total), std::memory_order_relaxed);
          progress.Done.store(static_cast<std::int64_t>(done), std::memory_order_relaxed);
          if (hook) hook();
        });
        return std::string();
      },
      [this, path, text, fileName, written](const TBackgroundTask& task) {
        // Cancelled by the user: the previous file is whole, nothing to say.
        if (!*written && task.cancelled()) return;
        if (!*written) {
          m_context.Dialogs.message(QStringLiteral("ERROR"), SaveFailureMessage(written->error()));
          return;
        }
        m_session->Saved(path, text, written->value());
        announceSaved(fileName);
      });
}

void TReact_Net_Wind::announceSaved(const QString& fileName) {
  updateTitle();
  emit documentChanged();
  emit savedTo(fileName);
}

bool TReact_Net_Wind::saveBeforeClosing() {
  std::string path = m_session->FileName(), note = m_session->Note();
  if (path.empty()) {
    const auto request = AskSaveAs(m_context, QString::fromStdString(note));
    if (!request) return false;
    path = request->FileName.toStdString();
    note = request->Note.toStdString();
  }
  if (const auto saved = m_session->Save(path, note); !saved) {
    m_context.Dialogs.message(QStringLiteral("ERROR"), SaveFailureMessage(saved.error()));
    return false;
  }
  announceSaved(QString::fromStdString(path));
  return true;
}

void TReact_Net_Wind::exportGraph() {
  if (!networkForCommand()) return;
  const auto request = AskGraphExport(m_context);
  if (!request) return;
  auto messages = std::make_shared<std::set<std::string>>();
  const TReactionNetwork* exported = &network();
  startTask(
      kExportGraphCommand, true,
      [request = *request, messages, exported](TNetworkSession::TBusyLease& lease, TTaskProgress& progress) {
        return ExportGraphWork(*exported, request, lease.StopFlag(), progress, *messages);
      },
      [this, messages](const TBackgroundTask& task) {
        for (const std::string& message : *messages)
          m_context.Dialogs.message(QString(), QString::fromStdString(message));
        if (!task.failure().empty())
          m_context.Dialogs.message(QStringLiteral("ERROR"), QStringLiteral("The graph was not exported: %1")
                                                                 .arg(QString::fromStdString(task.failure())));
      });
}

void TReact_Net_Wind::closeEvent(QCloseEvent* event) {
  // Closing hides the window; it stays in the manager's list.
  for (const auto& window : m_auxiliaryWindows)
    if (window) window->close();
  hide();
  event->ignore();
}

void TReact_Net_Wind::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFiles(event->mimeData(), QStringLiteral(".ms")).isEmpty()) event->acceptProposedAction();
}

void TReact_Net_Wind::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedFiles(event->mimeData(), QStringLiteral(".ms"));
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  for (const QString& fileName : files) m_componentsPage->addStructureFile(fileName);
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
  // The animation runs on the event loop; nothing waits for it.
  const int floor = m_statusStrip->geometry().bottom() + centralWidget()->geometry().top() + 4;
  m_rollAnimation->stop();
  if (!m_rolledUp) {
    m_savedHeight = height();
    setMinimumHeight(0);
    m_pages->hide();
    m_taskStrip->setMaximumHeight(0);
    m_rollAnimation->setStartValue(size());
    m_rollAnimation->setEndValue(QSize(width(), std::min(floor, height())));
    m_rollAnimation->setEasingCurve(QEasingCurve::InQuad);
    m_rolledUp = true;
  } else {
    m_pages->show();
    m_taskStrip->setMaximumHeight(QWIDGETSIZE_MAX);
    m_rollAnimation->setStartValue(size());
    m_rollAnimation->setEndValue(QSize(width(), m_savedHeight));
    m_rollAnimation->setEasingCurve(QEasingCurve::OutQuad);
    m_rolledUp = false;
  }
  m_rollAnimation->start();
}

}  // namespace korvane::gui
