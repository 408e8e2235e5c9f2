#include "gui/fusion_window.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/network_window.h"
#include "gui/task_strip.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"

namespace korvane::gui {
namespace {

// Labels of the destination's state, in the order of the group.
constexpr const char* kStateLabels[] = {
    "T_ref / K = ",
    "Max E* (beta-scission) / (kJ/mol) = ",
    "Max E* (hydrogen transfer) / (kJ/mol) = ",
    "Max E* (izomeration) / (kJ/mol) = ",
    "Minimal selectivity of each reaction step = ",
    "Count of components:",
    "Count of reactions:",
};

}  // namespace

TAdd_RN_CTRL_WIN::TAdd_RN_CTRL_WIN(GuiContext& context, WindowList windows, QWidget* parent)
    : QDialog(parent), m_context(context), m_windows(std::move(windows)) {
  setWindowTitle(kCaption);
  auto* pages = new QTabWidget;
  pages->setObjectName(QStringLiteral("pages"));

  auto* general = new QWidget;
  auto* generalLayout = new QVBoxLayout(general);
  generalLayout->addWidget(new QLabel(QStringLiteral("Destinating reaction network:")));
  m_destinationList = new QComboBox;
  m_destinationList->setObjectName(QStringLiteral("destination"));
  // Also a choice made from code (a script) refreshes the page.
  connect(m_destinationList, &QComboBox::currentIndexChanged, this, [this] { destinationChosen(); });
  generalLayout->addWidget(m_destinationList);
  auto* state = new QGroupBox(QStringLiteral("  Present state of destination RN  "));
  auto* stateForm = new QFormLayout(state);
  for (const char* label : kStateLabels) {
    auto* value = new QLabel(QStringLiteral("N/A"));
    stateForm->addRow(QString::fromLatin1(label), value);
    m_state.push_back(value);
  }
  m_state[5]->setObjectName(QStringLiteral("componentCount"));
  m_state[6]->setObjectName(QStringLiteral("reactionCount"));
  generalLayout->addWidget(state);
  generalLayout->addStretch();
  pages->addTab(general, QStringLiteral("General"));

  auto* source = new QWidget;
  auto* sourceLayout = new QVBoxLayout(source);
  sourceLayout->addWidget(
      new QLabel(QStringLiteral("Select sources that will be included into destination reation network:")));
  m_sourceList = new QListWidget;
  m_sourceList->setObjectName(QStringLiteral("sources"));
  sourceLayout->addWidget(m_sourceList);
  pages->addTab(source, QStringLiteral("Source"));

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  m_execute = new QPushButton(QStringLiteral("Execute fusion"));
  m_execute->setObjectName(QStringLiteral("executeFusion"));
  connect(m_execute, &QPushButton::clicked, this, &TAdd_RN_CTRL_WIN::executeFusion);
  m_close = new QPushButton(QStringLiteral("Close"));
  m_close->setObjectName(QStringLiteral("close"));
  connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(m_execute);
  buttons->addWidget(m_close);

  m_taskStrip = new TTaskStrip;
  connect(m_taskStrip, &TTaskStrip::finished, this, &TAdd_RN_CTRL_WIN::fusionStartedOrEnded);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages);
  layout->addWidget(m_taskStrip);
  layout->addLayout(buttons);
  resize(480, 380);
  AddTooltips(*this);
}

void TAdd_RN_CTRL_WIN::showEvent(QShowEvent* event) {
  fillDestinations();
  QDialog::showEvent(event);
}

void TAdd_RN_CTRL_WIN::fillDestinations() {
  // The list and the windows behind it change together; the page follows once.
  const QSignalBlocker blocker(m_destinationList);
  m_destinationList->clear();
  m_destinations.clear();
  for (TReact_Net_Wind* window : m_windows()) {
    m_destinationList->addItem(window->name());
    m_destinations.emplace_back(window);
    if (window == m_target) m_destinationList->setCurrentIndex(m_destinationList->count() - 1);
  }
  if (!m_target) m_destinationList->setCurrentIndex(-1);
  destinationChosen();
}

TReact_Net_Wind* TAdd_RN_CTRL_WIN::destination() const {
  const int row = m_destinationList->currentIndex();
  return row < 0 ? nullptr : m_destinations[static_cast<std::size_t>(row)].data();
}

void TAdd_RN_CTRL_WIN::destinationChosen() {
  showDestinationState();
  // The sources: every other window, none checked.
  m_sourceList->clear();
  m_sources.clear();
  const TReact_Net_Wind* chosen = destination();
  for (const QPointer<TReact_Net_Wind>& window : m_destinations) {
    if (!window || window == chosen) continue;
    auto* item = new QListWidgetItem(window->name(), m_sourceList);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    m_sources.push_back(window);
  }
}

void TAdd_RN_CTRL_WIN::showDestinationState() {
  for (QLabel* value : m_state) value->setText(QStringLiteral("N/A"));
  TReact_Net_Wind* window = destination();
  if (!window) return;
  // A run only reads the preferences; its counts are shown once it ends.
  const TNetworkPreferences& p = window->network().GetPreferences();
  const double preferences[] = {p.NormTemperature, p.EThresholdBetaScission, p.EThresholdHTransfer, p.EThresholdAllyl,
                                p.MinSelectivity};
  for (std::size_t i = 0; i < std::size(preferences); ++i) m_state[i]->setText(NumberText(preferences[i]));
  if (window->isBusy()) {
    m_state[5]->setText(QStringLiteral("generating..."));
    m_state[6]->setText(QStringLiteral("generating..."));
    return;
  }
  m_state[5]->setText(QString::number(window->network().ComponentCount()));
  m_state[6]->setText(QString::number(window->network().ReactionCount()));
}

void TAdd_RN_CTRL_WIN::executeFusion() {
  TReact_Net_Wind* target = destination();
  if (!target || isFusing()) return;
  std::vector<TReact_Net_Wind*> sources;
  for (int row = 0; row < m_sourceList->count(); ++row)
    if (m_sourceList->item(row)->checkState() == Qt::Checked && m_sources[static_cast<std::size_t>(row)])
      sources.push_back(m_sources[static_cast<std::size_t>(row)]);
  if (sources.empty()) {
    m_context.Dialogs.message(QString(), QStringLiteral("Select at least one source reaction network."));
    return;
  }
  if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("This action will add selected reaction sub-network into destination "
                                            "reaction network. Are you sure to contunie?")))
    return;
  // Neither the destination nor a source may be busy; the sessions refuse
  // the fusion then, naming the command under way. The leases hold them
  // until the worker has finished.
  std::vector<TNetworkSession*> sourceSessions;
  for (TReact_Net_Wind* source : sources) sourceSessions.push_back(&source->session());
  auto sourceLeases = TNetworkSession::LeaseFusionSources(target->session(), sourceSessions);
  if (!sourceLeases) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(sourceLeases.error().Message));
    return;
  }
  auto lease = target->session().TryLease(undo_label::kFusion);
  if (!lease) {
    m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(lease.error().Message));
    return;
  }

  auto held = std::make_shared<std::vector<TNetworkSession::TBusyLease>>(std::move(sourceLeases.value()));
  auto added = std::make_shared<TResult<TNetworkSession::TFusionAdded>>(TError{});
  auto work = [held, added, hook = m_context.AfterTaskProgress](TNetworkSession::TBusyLease& lease,
                                                                 TTaskProgress& progress) {
    *added = lease.Session().Fuse(lease, *held, [&](std::size_t done, std::size_t total) {
      progress.Total.store(static_cast<std::int64_t>(total), std::memory_order_relaxed);
      progress.Done.store(static_cast<std::int64_t>(done), std::memory_order_relaxed);
      if (hook) hook();
    });
    return std::string();
  };
  auto done = [this, target = QPointer<TReact_Net_Wind>(target), added](const TBackgroundTask& task) {
    if (!task.failure().empty()) {
      m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(task.failure()));
      return;
    }
    // Cancelled before the network changed: it is as it was, nothing to say.
    if (!*added && task.cancelled()) return;
    if (!*added) {
      m_context.Dialogs.message(QStringLiteral("WARNING"), QString::fromStdString(added->error().Message));
      return;
    }
    if (target) target->notifyNetworkEdited();
    showDestinationState();
    m_context.Dialogs.message(QString(), QStringLiteral("Fusion of reaction network(s) was succesfully finished.\n\n"
                                                        "Components added: %1, reactions added: %2.")
                                             .arg(added->value().Components)
                                             .arg(added->value().Reactions));
  };
  m_held = {target};
  for (TReact_Net_Wind* source : sources) m_held.emplace_back(source);
  m_taskStrip->start(std::make_unique<TBackgroundTask>(QString::fromLatin1(undo_label::kFusion),
                                                       std::move(lease.value()), std::move(work)),
                     true, std::move(done));
  fusionStartedOrEnded();
}

bool TAdd_RN_CTRL_WIN::isFusing() const { return m_taskStrip->running(); }

void TAdd_RN_CTRL_WIN::fusionStartedOrEnded() {
  const bool fusing = isFusing();
  for (QWidget* control : {static_cast<QWidget*>(m_destinationList), static_cast<QWidget*>(m_sourceList),
                           static_cast<QWidget*>(m_execute), static_cast<QWidget*>(m_close)})
    control->setEnabled(!fusing);
  for (const QPointer<TReact_Net_Wind>& window : m_held)
    if (window) window->refreshBusyState();
  if (!fusing) m_held.clear();
}

void TAdd_RN_CTRL_WIN::finishBackgroundWork() {
  if (!isFusing()) return;
  m_taskStrip->abandon();
  fusionStartedOrEnded();
}

void TAdd_RN_CTRL_WIN::reject() {
  if (!isFusing()) QDialog::reject();
}

}  // namespace korvane::gui
