#include "gui/reactions_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>
#include <utility>

#include "gui/network_table_view.h"
#include "gui/network_window.h"
#include "gui/position_list_model.h"
#include "gui/selection_follower.h"
#include "gui/reaction_detail_window.h"
#include "gui/reaction_pictures.h"
#include "gui/reaction_text.h"
#include "gui/value_label.h"
#include "gui/window_placement.h"
#include "gui/window_text.h"
#include "reactions/recipes.h"

namespace korvane::gui {

TReactionsPage::TReactionsPage(TReact_Net_Wind& window, GuiContext& context) : m_window(window), m_context(context) {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  layout->addLayout(top, 1);

  m_model = new PositionListModel(this);
  const ListOrTable views = BuildListOrTable(window, context, m_model, QStringLiteral("reactionList"),
                                             [this] { showReaction(); }, [this] { viewDetails(); });
  m_list = views.List;
  m_listFollower = views.ListFollower;
  m_tableView = views.Table;
  m_tableOn = views.TableOn;
  connect(m_tableOn, &QCheckBox::toggled, this, &TReactionsPage::showTable);
  m_viewsLayout = top;
  top->addLayout(views.Layout, 1);

  auto* side = new QVBoxLayout;
  // The commands three to a row; later windows add theirs through addCommand.
  m_commands = new QGridLayout;
  side->addLayout(m_commands);
  const std::pair<const char*, void (TReactionsPage::*)()> commands[] = {
      {"show", &TReactionsPage::showReaction},
      {"refresh", &TReactionsPage::refresh},
      {"View details", &TReactionsPage::viewDetails},
      {"Remove", &TReactionsPage::removeReaction}};
  for (auto [caption, command] : commands) {
    auto* button = new QPushButton(QString::fromLatin1(caption));
    connect(button, &QPushButton::clicked, this, command);
    const int index = m_commands->count();
    m_commands->addWidget(button, index / 3, index % 3);
  }
  side->addWidget(buildPreferences());
  side->addStretch();
  top->addLayout(side, 2);
  layout->addWidget(buildDisplay());

  applyModeEnabling();
  FollowWindowState(*this, m_window, *m_tableView, m_listStale, [this] { fillList(m_window.network()); });
}

QWidget* TReactionsPage::buildPreferences() {
  auto* group = new QGroupBox(QStringLiteral("  Reaction list preferences  "));
  auto* grid = new QGridLayout(group);
  m_showAll = new QRadioButton(QStringLiteral("Show all reactions summary"));
  m_byType = new QRadioButton(QStringLiteral("Filter by reaction type"));
  m_bySubstance = new QRadioButton(QStringLiteral("Filter by substance #"));
  m_showAll->setChecked(true);
  auto* modes = new QButtonGroup(group);
  for (QRadioButton* mode : {m_showAll, m_byType, m_bySubstance}) {
    modes->addButton(mode);
    connect(mode, &QRadioButton::toggled, this, [this](bool checked) {
      if (!checked) return;  // the newly chosen one refreshes
      applyModeEnabling();
      refresh();
    });
  }
  auto check = [this](const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
    return box;
  };
  m_hydrogenTransfers = check("Hydrogen transfers");
  m_betaScissions = check("Beta-Scissions");
  m_allylIzomerations = check("Allyl-Izomerations");
  m_recombinations = check("Recombinations");
  m_substance = new QSpinBox;
  m_substance->setObjectName(QStringLiteral("substance"));
  m_substance->setRange(0, 32767);
  connect(m_substance, &QSpinBox::valueChanged, this, [this] { refresh(); });
  m_asReactant = check("As reactant");
  m_asProduct = check("As product");

  grid->addWidget(m_showAll, 0, 0, 1, 2);
  grid->addWidget(m_byType, 1, 0, 1, 2);
  grid->addWidget(m_hydrogenTransfers, 2, 0);
  grid->addWidget(m_betaScissions, 2, 1);
  grid->addWidget(m_allylIzomerations, 3, 0);
  grid->addWidget(m_recombinations, 3, 1);
  grid->addWidget(m_bySubstance, 4, 0);
  grid->addWidget(m_substance, 4, 1);
  grid->addWidget(m_asReactant, 5, 0);
  grid->addWidget(m_asProduct, 5, 1);
  return group;
}

QWidget* TReactionsPage::buildDisplay() {
  auto* box = new QWidget;
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  const QString component = QStringLiteral("Component");
  m_pictures = new ReactionPictures({component, component, component, component}, QStringLiteral("------->"), true);
  m_pictures->setMessageSink(
      [this](const std::string& text) { m_context.Dialogs.message(QString(), QString::fromStdString(text)); });
  m_pictures->enableSaving(m_context.Dialogs, m_context.StartDirectory);
  layout->addWidget(m_pictures);

  auto* values = new QHBoxLayout;
  auto* left = new QFormLayout;
  auto* right = new QFormLayout;
  m_stoichiometry = AddValueRow(*left, QStringLiteral("Stechiometry:"), QStringLiteral("stoichiometry"));
  // Room for the longest form from the start, so showing a reaction never
  // widens the window.
  m_stoichiometry->setMinimumWidth(
      m_stoichiometry->fontMetrics().horizontalAdvance(QStringLiteral("-2*A + -2*B   --->   2*C + 2*D")));
  m_activationEnergy =
      AddValueRow(*left, QStringLiteral("Activating energy E*/(kJ/mol) = "), QStringLiteral("activationEnergy"));
  m_frequencyFactor = AddValueRow(*left, QStringLiteral("Frequency factor A = "), QStringLiteral("frequencyFactor"));
  m_rateConstant = AddValueRow(*left, QStringLiteral("Rate constant k = "), QStringLiteral("rateConstant"));
  m_selectivity = AddValueRow(*right, QStringLiteral("Projecting selectivity s = "), QStringLiteral("selectivity"));
  m_afterFilter = AddValueRow(*right, QStringLiteral("After filter selectivity s ="), QStringLiteral("afterFilter"));
  m_absolute = AddValueRow(*right, QStringLiteral("Absolute selectivity s = "), QStringLiteral("absolute"));
  m_activeRadicals =
      AddValueRow(*right, QStringLiteral("Influenced by act. rad. conc.: "), QStringLiteral("activeRadicals"));
  values->addLayout(left, 1);
  values->addLayout(right, 1);
  layout->addLayout(values);
  return box;
}

QPushButton* TReactionsPage::addCommand(const QString& caption, std::function<void()> command) {
  auto* button = new QPushButton(caption);
  connect(button, &QPushButton::clicked, this, [this, command = std::move(command)] {
    if (m_window.networkForCommand()) command();
  });
  const int index = m_commands->count();
  m_commands->addWidget(button, index / 3, index % 3);
  return button;
}

void TReactionsPage::applyModeEnabling() {
  const bool byType = m_byType->isChecked();
  for (QWidget* control : {m_hydrogenTransfers, m_betaScissions, m_allylIzomerations, m_recombinations})
    control->setEnabled(byType);
  const bool bySubstance = m_bySubstance->isChecked();
  for (QWidget* control : std::initializer_list<QWidget*>{m_substance, m_asReactant, m_asProduct})
    control->setEnabled(bySubstance);
}

ReactionFilter TReactionsPage::filter() const {
  ReactionFilter filter;
  filter.Mode = m_byType->isChecked()        ? ReactionListMode::ByType
                : m_bySubstance->isChecked() ? ReactionListMode::BySubstance
                                             : ReactionListMode::All;
  filter.HydrogenTransfers = m_hydrogenTransfers->isChecked();
  filter.BetaScissions = m_betaScissions->isChecked();
  filter.AllylIzomerations = m_allylIzomerations->isChecked();
  filter.Recombinations = m_recombinations->isChecked();
  filter.Substance = m_substance->value();
  filter.AsReactant = m_asReactant->isChecked();
  filter.AsProduct = m_asProduct->isChecked();
  return filter;
}

void TReactionsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  applyModeEnabling();
  m_listStale = m_window.isBusy();
  if (!m_listStale) fillList(m_window.network());
}

void TReactionsPage::refresh() {
  if (const TReactionNetwork* network = m_window.networkForCommand()) fillList(*network);
}

void TReactionsPage::showTable(bool shown) {
  m_tableOn->setChecked(shown);
  // The table's columns take the room the list's short lines leave.
  m_viewsLayout->setStretch(0, shown ? 3 : 1);
  m_viewsLayout->setStretch(1, shown ? 1 : 2);
  ShowListOrTable(shown, *m_list, *m_model, *m_tableView, !m_window.isBusy(),
                  [this] { fillTable(ListedReactions(m_window.network(), filter())); });
}

void TReactionsPage::fillTable(std::vector<int> positions) {
  if (!m_tableOn->isChecked()) return;
  m_tableView->setSource(std::make_unique<ReactionTableSource>(m_window.network(), std::move(positions)),
                         [this] { return !m_window.isBusy(); });
}

void TReactionsPage::fillList(const TReactionNetwork& network) {
  const std::optional<int> selected = SelectedListPosition(*m_list);
  std::vector<int> positions = ListedReactions(network, filter());
  fillTable(positions);
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(positions.size()));
  int selectedRow = -1;
  for (std::size_t row = 0; row < positions.size(); ++row) {
    texts.append(ReactionListText(positions[row]));
    if (selected && positions[row] == *selected) selectedRow = static_cast<int>(row);
  }
  m_model->setLines(std::move(positions), std::move(texts));
  m_listFollower->setQuiet(true);
  if (selectedRow >= 0) m_list->setCurrentIndex(m_model->index(selectedRow));
  m_listFollower->setQuiet(false);
}

std::optional<std::size_t> TReactionsPage::selectedPosition(const TReactionNetwork& network) const {
  const std::optional<int> position =
      m_tableOn->isChecked() ? m_tableView->currentPosition() : SelectedListPosition(*m_list);
  if (!position || *position < 0 || static_cast<std::size_t>(*position) >= network.ReactionCount())
    return std::nullopt;
  return static_cast<std::size_t>(*position);
}

TReaction* TReactionsPage::selectedReaction() {
  const TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return nullptr;
  const std::optional<std::size_t> position = selectedPosition(*network);
  return position ? network->Reaction(*position) : nullptr;
}

TReaction* TReactionsPage::addReactionCopy(const TReaction& reaction) {
  TReaction* added = nullptr;
  m_window.editNetwork(QStringLiteral("Add reaction"), [&](TReactionNetwork& network) {
    added = network.AddReactionCopy(reaction);
    return true;
  });
  return added;
}

void TReactionsPage::showReaction() {
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return;
  const std::optional<std::size_t> position = selectedPosition(*network);
  if (!position) return;
  const TReaction& reaction = *network->Reaction(*position);
  m_pictures->showReaction(reaction);
  m_stoichiometry->setText(StoichiometryText(reaction, kPageArrow));
  m_activationEnergy->setText(NumberText(reaction.ActEnergy));
  m_frequencyFactor->setText(NumberText(reaction.FreqFactor));
  m_rateConstant->setText(
      NumberText(RateConstant(reaction.FreqFactor, reaction.ActEnergy, network->GetPreferences().NormTemperature)));
  m_selectivity->setText(NumberText(reaction.Selectivity));
  m_afterFilter->setText(NumberText(reaction.SelectivityAfterFilter));
  m_absolute->setText(NumberText(network->AbsoluteSelectivity(*position)));
  m_activeRadicals->setText(BooleanText(reaction.MultiplyByActiveRadicals));
}

void TReactionsPage::clearDisplay() {
  m_pictures->clear();
  for (QLabel* value : {m_stoichiometry, m_activationEnergy, m_frequencyFactor, m_rateConstant, m_selectivity,
                        m_afterFilter, m_absolute, m_activeRadicals})
    value->setText(QStringLiteral("N/A"));
}

TReaction_Detail& TReactionsPage::detailWindow() {
  if (!m_detail) {
    m_detail = new TReaction_Detail(m_window, m_context);
    m_window.addAuxiliaryWindow(m_detail);
    PlaceOver(*m_detail, m_window);
  }
  return *m_detail;
}

void TReactionsPage::viewDetails() {
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return;
  const std::optional<std::size_t> position = selectedPosition(*network);
  if (!position) return;
  TReaction_Detail& detail = detailWindow();
  detail.SetReaction(*network, *network->Reaction(*position));
  detail.show();
  detail.raise();
  detail.activateWindow();
  detail.showGeneral();
  detail.showCompetitors();
}

void TReactionsPage::removeReaction() {
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return;
  const std::optional<std::size_t> position = selectedPosition(*network);
  if (!position) return;
  if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("Reaction will be removed, reaction network integrity can become to be "
                                            "damaged. Are you sure to continue?")))
    return;
  // The list is refreshed at once, so no line names a reaction that is gone.
  clearDisplay();
  m_window.editNetwork(QStringLiteral("Remove reaction"), [&](TReactionNetwork& edited) {
    edited.RemoveReaction(*position);
    return true;
  });
}

}  // namespace korvane::gui
