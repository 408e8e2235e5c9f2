#include "gui/related_components_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/component_detail_window.h"
#include "gui/component_list.h"
#include "gui/molecule_picture_widget.h"
#include "gui/position_list_model.h"
#include "gui/selection_follower.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {
namespace {

constexpr std::uint8_t kRelatedPictureSize = 12;

}  // namespace

RelatedComponentsTab::RelatedComponentsTab(TComponent_Detail& detail) : m_detail(detail) {
  auto* layout = new QHBoxLayout(this);
  m_model = new PositionListModel(this);
  m_list = new QListView;
  m_list->setModel(m_model);
  m_list->setUniformItemSizes(true);
  m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
  new SelectionFollower(*m_list, [this] {
    if (m_model->rowCount() > 0) showComponent();
  });
  layout->addWidget(m_list, 1);

  auto* side = new QVBoxLayout;
  auto* controls = new QGridLayout;
  auto check = [this](const char* caption) {
    auto* box = new QCheckBox(QString::fromLatin1(caption));
    connect(box, &QCheckBox::toggled, this, [this] { refresh(); });
    return box;
  };
  m_products = new QRadioButton(QStringLiteral("All possible products"));
  m_precursors = new QRadioButton(QStringLiteral("All possible precursors"));
  m_products->setChecked(true);
  for (QRadioButton* choice : {m_products, m_precursors})
    connect(choice, &QRadioButton::toggled, this, [this](bool checked) {
      if (checked) refresh();
    });
  m_filterReactions = new QCheckBox(QStringLiteral("Filter reactions"));
  m_hydrogenTransfer = check("Hydrogen trasfer");
  m_betaScission = check("Beta-Scission");
  m_allylIzomeration = check("Allyl izomeration");
  m_filterComponents = new QCheckBox(QStringLiteral("Filter components"));
  m_radicals = check("Radicals");
  m_molecules = check("Molecules");
  m_onlyFraction = new QCheckBox(QStringLiteral("Only fraction"));
  m_fraction = new QSpinBox;
  m_fraction->setObjectName(QStringLiteral("relatedFraction"));
  m_fraction->setRange(0, 255);
  connect(m_fraction, &QSpinBox::valueChanged, this, [this] { refresh(); });
  for (QCheckBox* box : {m_filterReactions, m_filterComponents, m_onlyFraction})
    connect(box, &QCheckBox::toggled, this, [this] {
      applyEnabling();
      refresh();
    });

  controls->addWidget(m_products, 0, 0);
  controls->addWidget(m_precursors, 0, 1);
  controls->addWidget(m_filterReactions, 1, 0);
  controls->addWidget(m_filterComponents, 1, 1);
  controls->addWidget(m_hydrogenTransfer, 2, 0);
  controls->addWidget(m_radicals, 2, 1);
  controls->addWidget(m_betaScission, 3, 0);
  controls->addWidget(m_molecules, 3, 1);
  controls->addWidget(m_allylIzomeration, 4, 0);
  auto* fraction = new QHBoxLayout;
  fraction->addWidget(m_onlyFraction);
  fraction->addWidget(m_fraction);
  controls->addLayout(fraction, 4, 1);
  side->addLayout(controls);

  auto* buttons = new QHBoxLayout;
  auto* show = new QPushButton(QStringLiteral("Show component"));
  connect(show, &QPushButton::clicked, this, &RelatedComponentsTab::showComponent);
  auto* refreshButton = new QPushButton(QStringLiteral("Refresh"));
  connect(refreshButton, &QPushButton::clicked, this, &RelatedComponentsTab::refresh);
  buttons->addWidget(show);
  buttons->addWidget(refreshButton);
  side->addLayout(buttons);

  auto* structure = new QGroupBox(QStringLiteral("  Realted component structure  "));
  auto* structureLayout = new QVBoxLayout(structure);
  m_picture = new MoleculePictureWidget(kRelatedPictureSize);
  m_picture->enableSaving(m_detail.context().Dialogs, m_detail.context().StartDirectory);
  m_picture->setMinimumSize(240, 180);
  m_picture->setMessageSink([this](const std::string& text) {
    m_detail.context().Dialogs.message(QString(), QString::fromStdString(text));
  });
  structureLayout->addWidget(m_picture);
  side->addWidget(structure, 1);
  layout->addLayout(side, 2);
  applyEnabling();
}

void RelatedComponentsTab::applyEnabling() {
  for (QCheckBox* box : {m_hydrogenTransfer, m_betaScission, m_allylIzomeration})
    box->setEnabled(m_filterReactions->isChecked());
  for (QCheckBox* box : {m_radicals, m_molecules, m_onlyFraction}) box->setEnabled(m_filterComponents->isChecked());
  m_fraction->setEnabled(m_filterComponents->isChecked() && m_onlyFraction->isChecked());
}

void RelatedComponentsTab::showTab() {
  applyEnabling();
  refresh();
}

RelatedFilter RelatedComponentsTab::filter() const {
  return {m_products->isChecked(),         m_filterReactions->isChecked(), m_hydrogenTransfer->isChecked(),
          m_betaScission->isChecked(),     m_allylIzomeration->isChecked(), m_filterComponents->isChecked(),
          m_radicals->isChecked(),         m_molecules->isChecked(),        m_onlyFraction->isChecked(),
          m_fraction->value()};
}

void RelatedComponentsTab::refresh() {
  const TComponent_Detail::Subject subject = m_detail.subjectForCommand();
  if (!subject) return;
  std::vector<int> positions;
  QStringList texts;
  for (const RelatedCount& related : CountRelated(RelatedComponents(*subject.Component, filter()))) {
    positions.push_back(related.Component->ID);
    texts.append(ComponentListText(*related.Component) + QString::fromStdString(RelatedCountText(related.Reactions)));
  }
  m_model->setLines(std::move(positions), std::move(texts));
}

void RelatedComponentsTab::clearList() {
  m_model->clear();
  m_picture->clearPicture();
}

void RelatedComponentsTab::showComponent() {
  const TComponent_Detail::Subject subject = m_detail.subjectForCommand();
  if (!subject) return;
  const std::optional<int> position = SelectedListPosition(*m_list);
  if (!position || *position < 0 || static_cast<std::size_t>(*position) >= subject.Network->ComponentCount()) return;
  m_picture->showMolecule(*subject.Network->Component(static_cast<std::size_t>(*position)));
}

}  // namespace korvane::gui
