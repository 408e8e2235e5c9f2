#include "gui/database_list_window.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/database_texts.h"
#include "gui/molecule_picture_widget.h"
#include "gui/window_text.h"
#include "gui/tooltip_texts.h"

namespace korvane::gui {
namespace {

constexpr std::uint8_t kPictureSize = 12;

QPushButton* Button(const QString& caption, QWidget* parent) { return new QPushButton(caption, parent); }

}  // namespace

TDBList_Win::TDBList_Win(GuiContext& context, QWidget* parent)
    : QDialog(parent, Qt::Tool), m_context(context) {
  setWindowTitle(kCaption);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Search:")), 0, 0);
  m_search = new QLineEdit;
  grid->addWidget(m_search, 0, 1);
  m_items = new QListWidget;
  grid->addWidget(m_items, 1, 0, 1, 2);

  auto* arrows = new QVBoxLayout;
  arrows->addStretch();
  QPushButton* add = Button(QStringLiteral("--->"), this);
  QPushButton* remove = Button(QStringLiteral("<---"), this);
  arrows->addWidget(add);
  arrows->addWidget(remove);
  arrows->addStretch();
  grid->addLayout(arrows, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Selection:")), 0, 3);
  m_selection = new QListWidget;
  grid->addWidget(m_selection, 1, 3);

  m_showStructure = new QCheckBox(QStringLiteral("Show structure"));
  m_showStructure->setChecked(true);
  grid->addWidget(m_showStructure, 2, 0, 1, 2);
  m_picture = new MoleculePictureWidget(kPictureSize);
  m_picture->enableSaving(m_context.Dialogs, m_context.StartDirectory);
  m_picture->setMinimumSize(260, 180);
  m_picture->setMessageSink([this](const std::string& text) { m_context.Dialogs.message(QString(), QString::fromStdString(text)); });
  grid->addWidget(m_picture, 3, 0, 1, 2);
  QPushButton* accept = Button(QStringLiteral("Accept selection"), this);
  accept->setAutoDefault(false);
  grid->addWidget(accept, 3, 3, Qt::AlignBottom);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  // Enter in the search field picks the one match; it must not close the
  // window through a default button.
  for (QPushButton* button : {add, remove}) button->setAutoDefault(false);

  connect(m_search, &QLineEdit::textChanged, this, &TDBList_Win::search);
  connect(m_search, &QLineEdit::returnPressed, this, &TDBList_Win::searchEntered);
  connect(m_items, &QListWidget::itemClicked, this, &TDBList_Win::showSelectedItem);
  connect(m_items, &QListWidget::itemDoubleClicked, this, &TDBList_Win::addSelected);
  connect(m_selection, &QListWidget::itemDoubleClicked, this, &TDBList_Win::removeSelected);
  connect(add, &QPushButton::clicked, this, &TDBList_Win::addSelected);
  connect(remove, &QPushButton::clicked, this, &TDBList_Win::removeSelected);
  connect(accept, &QPushButton::clicked, this, &TDBList_Win::acceptSelection);
  resize(620, 480);
  AddTooltips(*this);
}

void TDBList_Win::ConnectDatabase(std::shared_ptr<TDBCoordinator> database) {
  if (!database) return;
  m_database = std::move(database);
  setWindowTitle(kCaption + QString::fromStdString(m_database->GetDBName()));
  listEveryItem();
}

void TDBList_Win::listEveryItem() {
  m_items->clear();
  for (std::size_t i = 0; i < m_database->ItemCount(); ++i)
    m_items->addItem(ListItemLine(static_cast<int>(i), m_database->GetSynonyms(i), false));
}

bool TDBList_Win::prepareToShow() {
  if (!m_database) {
    m_context.Dialogs.message(QString(), QStringLiteral("No DataBase was opened."));
    return false;
  }
  m_search->clear();  // before the list: clearing a search lists the found form
  listEveryItem();
  m_selection->clear();
  m_result.clear();
  m_showStructure->setChecked(true);
  m_picture->clearPicture();
  m_search->setFocus();
  return true;
}

void TDBList_Win::search(const QString& text) {
  if (!m_database) return;
  m_items->clear();
  for (std::int32_t index : m_database->SearchByNames(text.toStdString()))
    m_items->addItem(ListItemLine(index, m_database->GetSynonyms(static_cast<std::size_t>(index)), true));
}

void TDBList_Win::searchEntered() {
  if (m_items->count() != 1) return;
  m_items->setCurrentRow(0);
  showSelectedItem();
  addSelected();
}

void TDBList_Win::showSelectedItem() {
  const QListWidgetItem* item = m_items->currentItem();
  if (!m_database || !item || !m_showStructure->isChecked()) return;
  const std::optional<int> index = ListPosition(item->text());
  const TMolecule* molecule =
      index && *index >= 0 ? m_database->GetMolecule(static_cast<std::size_t>(*index)) : nullptr;
  if (molecule && molecule->AtomCount() > 0)
    m_picture->showMolecule(*molecule);
  else
    m_picture->clearPicture();
}

void TDBList_Win::addSelected() {
  const QListWidgetItem* item = m_items->currentItem();
  if (!item) return;
  if (m_selection->findItems(item->text(), Qt::MatchExactly).isEmpty()) m_selection->addItem(item->text());
}

void TDBList_Win::removeSelected() {
  const int row = m_selection->currentRow();
  if (row >= 0) delete m_selection->takeItem(row);
}

void TDBList_Win::acceptSelection() {
  m_result.clear();
  for (int row = 0; row < m_selection->count(); ++row) {
    const std::optional<int> index = ListPosition(m_selection->item(row)->text());
    if (!m_database || !index || *index < 0) continue;
    // An item whose structure was never read has nothing to add.
    TMolecule* molecule = m_database->GetMolecule(static_cast<std::size_t>(*index));
    if (molecule && molecule->AtomCount() > 0) m_result.push_back(molecule);
  }
  accept();
}

}  // namespace korvane::gui
