#include "gui/reaction_detail_window.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>

#include "gui/network_window.h"
#include "gui/position_list_model.h"
#include "gui/reaction_detail_text.h"
#include "gui/reaction_list.h"
#include "gui/reaction_pictures.h"
#include "gui/reaction_text.h"
#include "gui/selectivity_study_page.h"
#include "gui/value_label.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"
#include "reactions/recipes.h"

namespace korvane::gui {
namespace {

enum Page { kGeneralPage, kCompetitorsPage, kKineticsPage };
enum KineticsPage { kDataPage, kStudyPage };

QStringList PictureCaptions() {
  return {QStringLiteral("Component A"), QStringLiteral("Component B"), QStringLiteral("Component C"),
          QStringLiteral("Component D")};
}

}  // namespace

TReaction_Detail::TReaction_Detail(TReact_Net_Wind& window, GuiContext& context)
    : QWidget(&window, Qt::Window), m_window(window), m_context(context) {
  setWindowTitle(kCaption);
  // A viewer: Escape closes it, as it closes a dialog.
  connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  m_pages = new QTabWidget;
  m_pages->addTab(buildGeneral(), QStringLiteral("General"));
  m_pages->addTab(buildCompetitors(), QStringLiteral("Competitive reations"));
  m_pages->addTab(buildKinetics(), QStringLiteral("Kinetics"));
  layout->addWidget(m_pages);
  connect(m_pages, &QTabWidget::currentChanged, this, &TReaction_Detail::pageShown);
  connect(&window, &TReact_Net_Wind::busyChanged, this, [this](bool busy) { m_pages->setEnabled(!busy); });
  connect(&window, &TReact_Net_Wind::networkEdited, this, &TReaction_Detail::networkEdited);
  resize(940, 620);
  AddTooltips(*this);
}

// Tab widgets may report a current page while they are taken apart; by then
// this window's own parts are gone.
TReaction_Detail::~TReaction_Detail() {
  disconnect(m_pages, nullptr, this, nullptr);
  disconnect(m_kineticsPages, nullptr, this, nullptr);
}

QWidget* TReaction_Detail::buildGeneral() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* groups = new QHBoxLayout;
  auto* base = new QGroupBox(QStringLiteral("  Base data  "));
  auto* baseForm = new QFormLayout(base);
  m_general.Type = AddValueRow(*baseForm, QStringLiteral("Type od reaction: "), QStringLiteral("generalType"));
  m_general.FrequencyFactor = AddValueRow(*baseForm, QStringLiteral("Frequency factor A = "), QStringLiteral("generalA"));
  m_general.ActivationEnergy =
      AddValueRow(*baseForm, QStringLiteral("Activating energy E* / (kJ/mol) = "), QStringLiteral("generalE"));
  m_general.RateConstant = AddValueRow(*baseForm, QStringLiteral("Rate constant k = "), QStringLiteral("generalK"));
  m_general.Temperature =
      AddValueRow(*baseForm, QStringLiteral("Normalized (by RN) T/K = "), QStringLiteral("generalTemperature"));
  m_general.AfterFilter =
      AddValueRow(*baseForm, QStringLiteral("Selectivity after filter s = "), QStringLiteral("generalAfterFilter"));
  m_general.ActiveRadicals = AddValueRow(*baseForm, QStringLiteral("Kinetics is infuenced by act. radical conc.:"),
                                         QStringLiteral("generalActiveRadicals"));
  groups->addWidget(base, 3);
  auto* components = new QGroupBox(QStringLiteral(" Components and stechiometry  "));
  auto* componentsForm = new QFormLayout(components);
  for (int k = 0; k < 4; ++k)
    m_general.Components[static_cast<std::size_t>(k)] =
        AddValueRow(*componentsForm, QStringLiteral("Component %1 = ").arg(QChar(u'A' + k)),
                    QStringLiteral("generalComponent%1").arg(QChar(u'A' + k)));
  m_general.Stoichiometry =
      AddValueRow(*componentsForm, QStringLiteral("Stechiometry:"), QStringLiteral("generalStoichiometry"));
  groups->addWidget(components, 2);
  layout->addLayout(groups);

  auto* reaction = new QGroupBox(QStringLiteral("  Reaction  "));
  auto* reactionLayout = new QVBoxLayout(reaction);
  m_general.Pictures = new ReactionPictures(PictureCaptions(), QStringLiteral("----->"), false);
  reactionLayout->addWidget(m_general.Pictures);
  layout->addWidget(reaction, 1);
  return page;
}

QWidget* TReaction_Detail::buildCompetitors() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* side = new QVBoxLayout;
  m_competitors = new PositionListModel(this);
  m_competitorList = new QListView;
  m_competitorList->setModel(m_competitors);
  m_competitorList->setUniformItemSizes(true);
  m_competitorList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_competitorList->setMaximumWidth(120);
  connect(m_competitorList, &QListView::clicked, this, &TReaction_Detail::showCompetitor);
  side->addWidget(m_competitorList, 1);
  auto* refresh = new QPushButton(QStringLiteral("Refresh"));
  connect(refresh, &QPushButton::clicked, this, &TReaction_Detail::showCompetitors);
  auto* show = new QPushButton(QStringLiteral("Show"));
  connect(show, &QPushButton::clicked, this, &TReaction_Detail::showCompetitor);
  side->addWidget(refresh);
  side->addWidget(show);
  layout->addLayout(side);

  auto* right = new QVBoxLayout;
  auto* reaction = new QGroupBox(QStringLiteral("  Reaction  "));
  auto* reactionLayout = new QVBoxLayout(reaction);
  m_competitor.Pictures = new ReactionPictures(PictureCaptions(), QStringLiteral("----->"), false);
  reactionLayout->addWidget(m_competitor.Pictures);
  right->addWidget(reaction, 1);
  auto* data = new QGroupBox(QStringLiteral("  Basic reaction data  "));
  auto* columns = new QHBoxLayout(data);
  auto* left = new QFormLayout;
  auto* second = new QFormLayout;
  m_competitor.Type = AddValueRow(*left, QStringLiteral("Type od reaction: "), QStringLiteral("competitorType"));
  m_competitor.FrequencyFactor = AddValueRow(*left, QStringLiteral("Frequency factor A = "), QStringLiteral("competitorA"));
  m_competitor.ActivationEnergy =
      AddValueRow(*left, QStringLiteral("Activating energy E* / (kJ/mol) = "), QStringLiteral("competitorE"));
  m_competitor.RateConstant = AddValueRow(*left, QStringLiteral("Rate constant k = "), QStringLiteral("competitorK"));
  m_competitor.AfterFilter =
      AddValueRow(*left, QStringLiteral("Selectivity after filter s = "), QStringLiteral("competitorAfterFilter"));
  m_competitor.ActiveRadicals = AddValueRow(*left, QStringLiteral("Infl. by act. radicals conc.:"),
                                            QStringLiteral("competitorActiveRadicals"));
  for (int k = 0; k < 4; ++k)
    m_competitor.Components[static_cast<std::size_t>(k)] =
        AddValueRow(*second, QStringLiteral("Comp. %1 = ").arg(QChar(u'A' + k)),
                    QStringLiteral("competitorComponent%1").arg(QChar(u'A' + k)));
  m_competitor.Stoichiometry =
      AddValueRow(*second, QStringLiteral("Stechiometry:"), QStringLiteral("competitorStoichiometry"));
  columns->addLayout(left, 3);
  columns->addLayout(second, 2);
  right->addWidget(data);
  layout->addLayout(right, 1);
  return page;
}

QWidget* TReaction_Detail::buildData() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* group = new QGroupBox(QStringLiteral("  These values will be used for simulation  "));
  auto* form = new QFormLayout(group);
  m_parameterSource = AddValueRow(*form, QStringLiteral("Parameter source:"), QStringLiteral("parameterSource"));
  m_increments = new QListWidget;
  m_increments->setObjectName(QStringLiteral("increments"));
  form->addRow(QStringLiteral("Increments:"), m_increments);
  form->addRow(new QLabel(QStringLiteral("Final values:")));
  m_finalA = AddValueRow(*form, QStringLiteral("A = "), QStringLiteral("finalA"));
  m_finalE = AddValueRow(*form, QStringLiteral("E ="), QStringLiteral("finalE"));
  m_finalK = AddValueRow(*form, QStringLiteral("k = "), QStringLiteral("finalK"));
  layout->addWidget(group);
  return page;
}

QWidget* TReaction_Detail::buildKinetics() {
  m_kineticsPages = new QTabWidget;
  m_kineticsPages->addTab(buildData(), QStringLiteral("Data"));
  m_study = new SelectivityStudyPage(*this);
  m_kineticsPages->addTab(m_study, QStringLiteral("Selectivity study"));
  connect(m_kineticsPages, &QTabWidget::currentChanged, this, &TReaction_Detail::kineticsPageShown);
  return m_kineticsPages;
}

void TReaction_Detail::SetReaction(TReactionNetwork& network, TReaction& reaction) {
  m_network = &network;
  m_reaction = &reaction;
  setWindowTitle(kCaption + QStringLiteral(": [ %1 ]").arg(network.IndexOfReaction(&reaction)));
  m_study->clear();
  // A window already open turns to the new reaction on the page it shows; a
  // hidden one does so when it is shown.
  if (isVisible() && !m_window.isBusy()) pageShown(m_pages->currentIndex());
}

TReaction_Detail::Subject TReaction_Detail::subjectForCommand(bool tellWhenNone) {
  if (!m_reaction) {
    if (tellWhenNone) m_context.Dialogs.message(QString(), QStringLiteral("No reaction was selected."));
    return {};
  }
  TReactionNetwork* network = m_window.networkForCommand();
  if (!network) return {};
  return {network, m_reaction};
}

void TReaction_Detail::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Quietly: a window shown again during a run keeps what it shows.
  if (!m_window.isBusy()) pageShown(m_pages->currentIndex());
}

void TReaction_Detail::pageShown(int index) {
  if (m_window.isBusy()) return;
  if (index == kGeneralPage)
    showGeneral();
  else if (index == kCompetitorsPage)
    showCompetitors();
  else if (index == kKineticsPage && m_reaction) {
    showData();
    m_study->showPage();
  }
}

void TReaction_Detail::kineticsPageShown(int index) {
  if (m_window.isBusy() || !m_reaction) return;
  if (index == kDataPage)
    showData();
  else
    m_study->showPage();
}

void TReaction_Detail::showIn(const ReactionFields& fields, const TReaction& reaction, const TReactionNetwork& network) {
  const double temperature = network.GetPreferences().NormTemperature;
  fields.Type->setText(QString::fromStdString(ReactionTypeName(reaction.ReactionType)));
  fields.FrequencyFactor->setText(NumberText(reaction.FreqFactor));
  fields.ActivationEnergy->setText(NumberText(reaction.ActEnergy));
  fields.RateConstant->setText(NumberText(RateConstant(reaction.FreqFactor, reaction.ActEnergy, temperature)));
  if (fields.Temperature) fields.Temperature->setText(NumberText(temperature));
  fields.AfterFilter->setText(NumberText(reaction.SelectivityAfterFilter));
  fields.ActiveRadicals->setText(BooleanText(reaction.MultiplyByActiveRadicals));
  const auto participants = ReactionParticipants(reaction);
  for (std::size_t k = 0; k < 4; ++k) fields.Components[k]->setText(ComponentIdText(participants[k]));
  fields.Stoichiometry->setText(StoichiometryText(reaction, kDetailArrow));
  fields.Pictures->setMessageSink(
      [this](const std::string& text) { m_context.Dialogs.message(QString(), QString::fromStdString(text)); });
  fields.Pictures->enableSaving(m_context.Dialogs, m_context.StartDirectory);
  fields.Pictures->showReaction(reaction);
}

void TReaction_Detail::showGeneral() {
  if (const Subject subject = subjectForCommand(true)) showIn(m_general, *subject.Reaction, *subject.Network);
}

void TReaction_Detail::showCompetitors() {
  const Subject subject = subjectForCommand();
  if (!subject) return;
  std::vector<int> positions = CompetingReactions(*subject.Network, *subject.Reaction);
  QStringList texts;
  for (int position : positions) texts.append(ReactionListText(position));
  m_competitors->setLines(std::move(positions), std::move(texts));
}

void TReaction_Detail::showCompetitor() {
  const Subject subject = subjectForCommand();
  if (!subject) return;
  const std::optional<int> position = SelectedListPosition(*m_competitorList);
  if (!position || *position < 0 || static_cast<std::size_t>(*position) >= subject.Network->ReactionCount()) return;
  showIn(m_competitor, *subject.Network->Reaction(static_cast<std::size_t>(*position)), *subject.Network);
}

void TReaction_Detail::showData() {
  const Subject subject = subjectForCommand();
  if (!subject) return;
  const TReaction& reaction = *subject.Reaction;
  m_parameterSource->setText(ParameterSourceText(reaction));
  m_increments->clear();
  m_increments->addItems(IncrementLines(reaction, m_context.Kinetics));
  const Arrhenius values = ParameterValues(reaction, m_context.Kinetics);
  m_finalA->setText(NumberText(values.A));
  m_finalE->setText(NumberText(values.E));
  m_finalK->setText(NumberText(RateConstant(values.A, values.E, kDataTemperature)));
}

void TReaction_Detail::networkEdited() {
  if (!m_reaction) return;
  // IndexOfReaction compares addresses only, so a freed reaction is safe to
  // look for; checked at once, before anything new can take its place.
  const int position = m_network->IndexOfReaction(m_reaction);
  if (position < 0) {
    m_reaction = nullptr;
    m_competitors->clear();
    m_study->clear();
    close();
    return;
  }
  setWindowTitle(kCaption + QStringLiteral(": [ %1 ]").arg(position));
  pageShown(m_pages->currentIndex());
  if (m_pages->currentIndex() != kCompetitorsPage) showCompetitors();
}

}  // namespace korvane::gui
