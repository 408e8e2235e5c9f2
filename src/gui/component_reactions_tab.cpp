#include "gui/component_reactions_tab.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/component_detail_window.h"
#include "gui/position_list_model.h"
#include "gui/selection_follower.h"
#include "gui/reaction_list.h"
#include "gui/reaction_pictures.h"
#include "gui/reaction_text.h"
#include "gui/value_label.h"
#include "gui/window_text.h"
#include "reactions/recipes.h"

namespace korvane::gui {

ComponentReactionsTab::ComponentReactionsTab(TComponent_Detail& detail) : m_detail(detail) {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  m_model = new PositionListModel(this);
  m_list = new QListView;
  m_list->setModel(m_model);
  m_list->setUniformItemSizes(true);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_list->setMaximumWidth(100);  // "[ 12345 ]" fits; the pictures get the rest
  new SelectionFollower(*m_list, [this] { showReaction(); });
  top->addWidget(m_list);

  auto* side = new QVBoxLayout;
  m_producing = new QRadioButton(QStringLiteral("Producting this components"));
  m_consuming = new QRadioButton(QStringLiteral("Consuming this components"));
  m_producing->setChecked(true);
  for (QRadioButton* choice : {m_producing, m_consuming})
    connect(choice, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) refresh();
    });
  auto* refreshButton = new QPushButton(QStringLiteral("Refresh"));
  connect(refreshButton, &QPushButton::clicked, this, &ComponentReactionsTab::refresh);
  side->addWidget(m_producing);
  side->addWidget(m_consuming);
  side->addWidget(refreshButton);

  m_pictures = new ReactionPictures(
      {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}, QStringLiteral("--->"), true);
  m_pictures->setMessageSink([this](const std::string& text) {
    m_detail.context().Dialogs.message(QString(), QString::fromStdString(text));
  });
  m_pictures->enableSaving(m_detail.context().Dialogs, m_detail.context().StartDirectory);
  side->addWidget(m_pictures);
  auto* form = new QFormLayout;
  m_stoichiometry = AddValueRow(*form, QStringLiteral("Stechiometry:"), QStringLiteral("stoichiometry"));
  m_activationEnergy =
      AddValueRow(*form, QStringLiteral("Activating energy / (kJ/mol) = "), QStringLiteral("activationEnergy"));
  m_frequencyFactor =
      AddValueRow(*form, QStringLiteral("Frequency factor / (mol/dm^3/s) = "), QStringLiteral("frequencyFactor"));
  m_selectivity = AddValueRow(*form, QStringLiteral("Projecting selectivity / 1 = "), QStringLiteral("selectivity"));
  m_rateConstant = AddValueRow(*form, QStringLiteral("Rate constant k = "), QStringLiteral("rateConstant"));
  m_afterFilter = AddValueRow(*form, QStringLiteral("After filter selectivity s = "), QStringLiteral("afterFilter"));
  m_absolute = AddValueRow(*form, QStringLiteral("Absolute selectivity s = "), QStringLiteral("absolute"));
  side->addLayout(form);
  side->addStretch();
  top->addLayout(side, 1);
  layout->addLayout(top);
}

void ComponentReactionsTab::setProducing(bool producing) {
  (producing ? m_producing : m_consuming)->setChecked(true);
}

void ComponentReactionsTab::refresh() {
  const TComponent_Detail::Subject subject = m_detail.subjectForCommand();
  if (!subject) return;
  // Membership by the component object itself, through the substance
  // filter of the reaction page.
  ReactionFilter filter;
  filter.Mode = ReactionListMode::BySubstance;
  filter.Substance = subject.Network->IndexOfComponent(subject.Component);
  filter.AsProduct = m_producing->isChecked();
  filter.AsReactant = !filter.AsProduct;
  std::vector<int> positions = ListedReactions(*subject.Network, filter);
  QStringList texts;
  for (int position : positions) texts.append(ReactionListText(position));
  m_model->setLines(std::move(positions), std::move(texts));
}

void ComponentReactionsTab::clearList() { m_model->clear(); }

void ComponentReactionsTab::showReaction() {
  const TComponent_Detail::Subject subject = m_detail.subjectForCommand();
  if (!subject) return;
  const std::optional<int> position = SelectedListPosition(*m_list);
  if (!position || *position < 0 || static_cast<std::size_t>(*position) >= subject.Network->ReactionCount()) return;
  const TReaction& reaction = *subject.Network->Reaction(static_cast<std::size_t>(*position));
  m_pictures->showReaction(reaction);
  m_stoichiometry->setText(StoichiometryText(reaction, kDetailArrow));
  m_activationEnergy->setText(NumberText(reaction.ActEnergy));
  m_frequencyFactor->setText(NumberText(reaction.FreqFactor));
  m_selectivity->setText(NumberText(reaction.Selectivity));
  m_rateConstant->setText(NumberText(
      RateConstant(reaction.FreqFactor, reaction.ActEnergy, subject.Network->GetPreferences().NormTemperature)));
  m_afterFilter->setText(NumberText(reaction.SelectivityAfterFilter));
  m_absolute->setText(NumberText(subject.Network->AbsoluteSelectivity(static_cast<std::size_t>(*position))));
}

void ComponentReactionsTab::clearDisplay() {
  m_pictures->clear();
  for (QLabel* value : {m_stoichiometry, m_activationEnergy, m_frequencyFactor, m_selectivity, m_rateConstant,
                        m_afterFilter, m_absolute})
    value->setText(QStringLiteral("N/A"));
}

}  // namespace korvane::gui
