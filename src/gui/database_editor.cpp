#include "gui/database_editor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "database/db_paths.h"
#include "database/mol_db_file.h"
#include "gui/characterisation_report.h"
#include "gui/database_item_input.h"
#include "gui/database_opening.h"
#include "gui/database_texts.h"
#include "gui/molecule_picture_widget.h"
#include "gui/structure_editor.h"
#include "gui/tooltip_texts.h"

namespace korvane::gui {
namespace {

constexpr int kRefreshIntervalMs = 500;
constexpr std::uint8_t kItemPictureSize = 15;
constexpr std::uint8_t kReportPictureSize = 10;
const QString kStructureFilter = QStringLiteral("Molecular Structure Files|*.ms");

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

QPushButton* Button(const QString& caption, const QString& hint) {
  auto* button = new QPushButton(caption);
  button->setStatusTip(hint);
  return button;
}

}  // namespace

TDBEditor_Win::TDBEditor_Win(GuiContext& context, QWidget* parent) : QMainWindow(parent), m_context(context) {
  setWindowTitle(kInitialCaption);
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildHeader());
  layout->addWidget(buildDataGroup(), 1);
  setCentralWidget(central);
  buildMenu();
  statusBar();  // shows the hint of the control under the mouse

  m_timer = new QTimer(this);
  m_timer->setObjectName(QStringLiteral("refreshTimer"));
  m_timer->setInterval(kRefreshIntervalMs);
  connect(m_timer, &QTimer::timeout, this, &TDBEditor_Win::refreshDisplay);
  setControlsEnabled(false);
  resize(1240, 700);
  AddTooltips(*this);
}

QWidget* TDBEditor_Win::buildHeader() {
  auto* header = new QWidget;
  auto* grid = new QGridLayout(header);
  grid->setContentsMargins(0, 0, 0, 0);
  const char* const captions[] = {"DBFileName:", "DBName:", "Note:"};
  const char* const hints[] = {"Full path of the database file; press OK to use it",
                               "Name of the database; press OK to use it",
                               "Note of the database (f.ex. the author's name); press OK to use it"};
  for (int i = 0; i < 3; ++i) {
    m_fields[i] = new QLineEdit;
    m_fields[i]->setStatusTip(QString::fromLatin1(hints[i]));
    m_oks[i] = new QCheckBox(QStringLiteral("OK"));
    m_oks[i]->setStatusTip(QStringLiteral("Applies the field's text to the database"));
    const auto field = static_cast<HeaderField>(i);
    connect(m_oks[i], &QCheckBox::clicked, this, [this, field] { applyField(field); });
    grid->addWidget(new QLabel(QString::fromLatin1(captions[i])), i, 0);
    grid->addWidget(m_fields[i], i, 1);
    grid->addWidget(m_oks[i], i, 2);
  }
  m_fields[0]->setObjectName(QStringLiteral("dbFileName"));
  m_fields[1]->setObjectName(QStringLiteral("dbName"));
  m_fields[2]->setObjectName(QStringLiteral("dbNote"));
  m_version = new QLabel;
  m_version->setObjectName(QStringLiteral("version"));
  grid->addWidget(m_version, 3, 0, 1, 2);
  m_searchByStructure = Button(QStringLiteral("Searching by structure"),
                               QStringLiteral("Draws a structure and finds the item that holds it"));
  connect(m_searchByStructure, &QPushButton::clicked, this, &TDBEditor_Win::searchByStructure);
  grid->addWidget(m_searchByStructure, 3, 2);
  return header;
}

QGroupBox* TDBEditor_Win::buildDataGroup() {
  m_data = new QGroupBox(QStringLiteral("  Data  "));
  auto* columns = new QHBoxLayout(m_data);

  auto* list = new QVBoxLayout;
  auto* searchRow = new QHBoxLayout;
  searchRow->addWidget(new QLabel(QStringLiteral("Searching for:")));
  m_search = new QLineEdit;
  m_search->setStatusTip(QStringLiteral("Name fragments; join several with \"+\" to find items carrying all of them"));
  searchRow->addWidget(m_search);
  list->addLayout(searchRow);
  m_items = new QListWidget;
  m_items->setStatusTip(QStringLiteral("Click an item to edit it and see its structure"));
  list->addWidget(m_items, 1);
  m_itemIndex = new QLabel(QStringLiteral("Database item index = N/A"));
  list->addWidget(m_itemIndex);
  columns->addLayout(list, 4);

  auto* item = new QGridLayout;
  item->addWidget(new QLabel(QStringLiteral("MS File:")), 0, 0);
  m_msFile = new QLineEdit;
  m_msFile->setStatusTip(QStringLiteral("Structure file of the item, relative to the database file"));
  item->addWidget(m_msFile, 0, 1);
  QPushButton* select = Button(QStringLiteral("Select"), QStringLiteral("Chooses the item's structure file"));
  connect(select, &QPushButton::clicked, this, &TDBEditor_Win::selectStructureFile);
  item->addWidget(select, 0, 2);
  item->addWidget(new QLabel(QStringLiteral("SMILES:")), 1, 0);
  m_smiles = new QLineEdit;
  m_smiles->setStatusTip(
      QStringLiteral("Instead of a structure file: the structure as SMILES, saved beside the database on adding"));
  item->addWidget(m_smiles, 1, 1, 1, 2);
  item->addWidget(new QLabel(QStringLiteral("Synonyms:")), 2, 0);
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(new QLabel(QStringLiteral("Count of synonyms")));
  m_synonymCount = new QSpinBox;
  m_synonymCount->setRange(1, static_cast<int>(kMaxDBFileString));
  m_synonymCount->setStatusTip(QStringLiteral("Number of names of the item"));
  countRow->addWidget(m_synonymCount);
  countRow->addStretch();
  item->addLayout(countRow, 2, 1, 1, 2);
  m_synonyms = new QTableWidget(1, 2);
  m_synonyms->setHorizontalHeaderLabels({QStringLiteral("i"), QStringLiteral("Synonym_i")});
  m_synonyms->verticalHeader()->hide();
  m_synonyms->horizontalHeader()->setStretchLastSection(true);
  m_synonyms->setColumnWidth(0, 36);
  m_synonyms->setStatusTip(QStringLiteral("Names of the item; searching by name looks at these"));
  item->addWidget(m_synonyms, 3, 0, 1, 3);
  item->addWidget(new QLabel(QStringLiteral("Reservations:")), 4, 0);
  m_reservations = new QLineEdit;
  m_reservations->setStatusTip(QStringLiteral("Free texts of the item, separated by \";\""));
  item->addWidget(m_reservations, 4, 1, 1, 2);
  auto* buttons = new QGridLayout;
  const std::tuple<const char*, const char*, void (TDBEditor_Win::*)()> commands[] = {
      {"Add as new item", "Adds an item with these synonyms and this structure", &TDBEditor_Win::addItem},
      {"Rewrite old item", "Replaces the selected item by these data", &TDBEditor_Win::rewriteItem},
      {"Delete item", "Removes the selected item (its structure file stays on disk)", &TDBEditor_Win::deleteItem},
      {"More info", "Writes the characterisation of the selected item's molecule", &TDBEditor_Win::moreInfo}};
  int position = 0;
  for (auto [caption, hint, command] : commands) {
    QPushButton* button = Button(QString::fromLatin1(caption), QString::fromLatin1(hint));
    connect(button, &QPushButton::clicked, this, command);
    buttons->addWidget(button, position / 2, position % 2);
    ++position;
  }
  item->addLayout(buttons, 5, 0, 1, 3);
  item->setRowStretch(3, 1);
  columns->addLayout(item, 5);

  auto* show = new QVBoxLayout;
  m_picture = new MoleculePictureWidget(kItemPictureSize);
  m_picture->enableSaving(m_context.Dialogs, m_context.StartDirectory);
  m_picture->setMinimumSize(340, 240);
  m_picture->setMessageSink([this](const std::string& text) { m_context.Dialogs.message(QString(), FromStd(text)); });
  show->addWidget(m_picture, 2);
  m_report = new QPlainTextEdit;
  m_report->setReadOnly(true);
  m_report->setLineWrapMode(QPlainTextEdit::NoWrap);
  m_report->setFont(QFont(QStringLiteral("Monospace"), 9));
  m_report->setStatusTip(QStringLiteral("Characterisation of the item's molecule (More info)"));
  show->addWidget(m_report, 3);
  columns->addLayout(show, 6);

  connect(m_search, &QLineEdit::textChanged, this, &TDBEditor_Win::refreshItems);
  connect(m_items, &QListWidget::itemClicked, this, &TDBEditor_Win::showItem);
  connect(m_synonymCount, &QSpinBox::valueChanged, this, &TDBEditor_Win::resizeSynonymGrid);
  resizeSynonymGrid(1);
  return m_data;
}

void TDBEditor_Win::buildMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("DB"));
  menu->addAction(QStringLiteral("New"), this, [this] { newDatabase(); });
  menu->addAction(QStringLiteral("Open"), this, [this] { openDatabase(); });
  menu->addAction(QStringLiteral("Save"), this, [this] { saveDatabase(); })->setShortcut(QKeySequence::Save);
  menu->addAction(QStringLiteral("Select DBFileName"), this, [this] { selectFileName(); });
}

QLineEdit* TDBEditor_Win::headerField(HeaderField field) const { return m_fields[static_cast<int>(field)]; }
QCheckBox* TDBEditor_Win::headerOk(HeaderField field) const { return m_oks[static_cast<int>(field)]; }

void TDBEditor_Win::setControlsEnabled(bool enabled) {
  for (int i = 0; i < 3; ++i) {
    m_fields[i]->setEnabled(enabled);
    m_oks[i]->setEnabled(enabled);
    if (!enabled) m_oks[i]->setChecked(false);
  }
  m_data->setEnabled(enabled);
  m_searchByStructure->setEnabled(enabled);
  if (!enabled) m_version->clear();
}

void TDBEditor_Win::setDatabase(std::shared_ptr<TDBCoordinator> database) {
  m_database = std::move(database);
  refreshDisplay();
  refreshItems();
}

bool TDBEditor_Win::mayDiscardChanges() {
  if (!m_unsaved) return true;
  if (!m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("You have done some changes in database. Are you sure to exit without "
                                            "save these changes?")))
    return false;
  m_unsaved = false;
  return true;
}

void TDBEditor_Win::fillHeader() {
  m_fields[0]->setText(FromStd(m_database->GetDBFileName()));
  m_fields[1]->setText(FromStd(m_database->GetDBName()));
  m_fields[2]->setText(FromStd(m_database->GetNote()));
  m_shownDatabase = m_database.get();
  setControlsEnabled(true);
}

void TDBEditor_Win::refreshDisplay() {
  if (!m_database) {
    setWindowTitle(EditorCaption(nullptr));
    if (m_data->isEnabled()) setControlsEnabled(false);
    m_shownDatabase = nullptr;
    return;
  }
  const QString name = FromStd(m_database->GetDBName());
  setWindowTitle(EditorCaption(&name));
  // A database that has just become current fills the fields; one whose
  // values are already there keeps what the user is typing.
  if (m_shownDatabase != m_database.get() || !m_data->isEnabled()) fillHeader();
  m_version->setText(QStringLiteral("Database file format version = %1").arg(m_database->GetVersion()));
  m_data->setTitle(QStringLiteral("Data - %1 items").arg(m_database->ItemCount()));
  const std::string values[] = {m_database->GetDBFileName(), m_database->GetDBName(), m_database->GetNote()};
  for (int i = 0; i < 3; ++i) {
    const bool changed = m_fields[i]->text() != FromStd(values[i]);
    QPalette palette = m_fields[i]->palette();
    palette.setColor(QPalette::Base, changed ? QColor(Qt::red) : this->palette().color(QPalette::Base));
    palette.setColor(QPalette::Text, changed ? QColor(Qt::white) : this->palette().color(QPalette::Text));
    m_fields[i]->setPalette(palette);
    m_oks[i]->setChecked(!changed);
  }
}

void TDBEditor_Win::applyField(HeaderField field) {
  if (!m_database) return;
  const std::string text = headerField(field)->text().toStdString();
  switch (field) {
    case HeaderField::FileName: m_database->SetDBFileName(text); break;
    case HeaderField::Name: m_database->SetDBName(text); break;
    case HeaderField::Note: m_database->SetNote(text); break;
  }
  m_unsaved = true;
  refreshDisplay();
}

void TDBEditor_Win::newDatabase() {
  if (!mayDiscardChanges()) return;
  const std::optional<QString> name = m_context.Dialogs.input(QStringLiteral("Name of Database"), QStringLiteral("Name"), QString());
  if (!name || name->size() < 3) return;
  const std::optional<QString> fileName =
      m_context.Dialogs.saveFile(QStringLiteral("Molucular Database Files|*.mdb"), m_context.StartDirectory, true);
  if (!fileName) return;
  const std::optional<QString> note =
      m_context.Dialogs.input(QStringLiteral("Note"), QStringLiteral("Not (f.ex. author name)"), QString());
  if (!note || note->size() < 3) return;
  if (!m_context.Dialogs.ask(QStringLiteral("Would you like to create Database with this parameters?"),
                             NewDatabaseQuestion(*fileName, *name, *note)))
    return;
  auto database = std::make_shared<TDBCoordinator>();
  database->SetDBName(name->toStdString());
  database->SetDBFileName(fileName->toStdString());
  database->SetNote(note->toStdString());
  // Built from the start, so that items added later are found by structure.
  database->BuildMolecules();
  setDatabase(std::move(database));
}

void TDBEditor_Win::openDatabase() {
  if (!mayDiscardChanges()) return;
  const std::optional<QString> fileName =
      m_context.Dialogs.openFile(QStringLiteral("Molecular Database Files |*.mdb"), m_context.StartDirectory);
  if (!fileName) return;
  // A file that is not a readable database is reported and leaves the
  // current database as it was; a structure file that does not read is
  // reported and the database opens without the structures from it on.
  if (std::shared_ptr<TDBCoordinator> database = OpenDatabaseFile(*fileName, m_context.Dialogs))
    setDatabase(std::move(database));
}

void TDBEditor_Win::saveDatabase() {
  if (!m_database) return;
  TResult<> saved = m_database->CheckSave();
  if (saved) saved = m_database->SaveStructures();
  if (saved) saved = m_database->SaveDB();
  if (!saved) {
    error(QStringLiteral("The database was not saved: %1").arg(QString::fromLocal8Bit(saved.error().Message.c_str())));
    return;
  }
  m_unsaved = false;
}

void TDBEditor_Win::selectFileName() {
  if (!m_database) return;
  // Picking a name changes nothing until its "OK" box is pressed, so any
  // unsaved changes stay marked.
  if (const std::optional<QString> fileName = m_context.Dialogs.saveFile(
          QStringLiteral("Molucular Database Files|*.mdb"), m_fields[0]->text(), true))
    m_fields[0]->setText(*fileName);
  refreshDisplay();
}

void TDBEditor_Win::refreshItems() {
  m_items->clear();
  if (!m_database || m_database->ItemCount() == 0) return;
  for (std::int32_t index : m_database->SearchByNames(m_search->text().toStdString()))
    m_items->addItem(EditorItemLine(index, m_database->GetSynonyms(static_cast<std::size_t>(index))));
}

std::optional<std::size_t> TDBEditor_Win::selectedItem() const {
  const QListWidgetItem* line = m_items->currentItem();
  if (!m_database || !line || !line->isSelected()) return std::nullopt;
  const std::optional<int> index = EditorLineIndex(line->text());
  if (!index || *index < 0 || static_cast<std::size_t>(*index) >= m_database->ItemCount()) return std::nullopt;
  return static_cast<std::size_t>(*index);
}

void TDBEditor_Win::resizeSynonymGrid(int count) {
  m_synonyms->setRowCount(count);
  for (int row = 0; row < count; ++row) {
    auto* number = new QTableWidgetItem(QString::number(row + 1));
    number->setFlags(Qt::ItemIsEnabled);
    m_synonyms->setItem(row, 0, number);
  }
}

TStrVector TDBEditor_Win::gridSynonyms() const {
  TStrVector synonyms;
  for (int row = 0; row < m_synonyms->rowCount(); ++row)
    // Rows left empty name nothing.
    if (const QTableWidgetItem* cell = m_synonyms->item(row, 1); cell && !cell->text().isEmpty())
      synonyms.push_back(cell->text().toStdString());
  return synonyms;
}

void TDBEditor_Win::showPicture(std::size_t index, std::uint8_t size) {
  const TMolecule* molecule = m_database->GetMolecule(index);
  m_picture->setDrawingSize(size);
  if (molecule && molecule->AtomCount() > 0)
    m_picture->showMolecule(*molecule);
  else
    m_picture->clearPicture();
}

void TDBEditor_Win::showItem() {
  const std::optional<std::size_t> index = selectedItem();
  if (!index) return;
  m_itemIndex->setText(QStringLiteral("Database item index = %1").arg(*index));
  const TMolDBRecord record = m_database->GetItem(*index);
  m_msFile->setText(FromStd(record.MSFile));
  m_smiles->clear();
  m_synonymCount->setValue(std::max<int>(1, static_cast<int>(record.Synonyms.size())));
  for (int row = 0; row < m_synonyms->rowCount(); ++row) {
    const bool named = static_cast<std::size_t>(row) < record.Synonyms.size();
    m_synonyms->setItem(row, 1, new QTableWidgetItem(named ? FromStd(record.Synonyms[static_cast<std::size_t>(row)]) : QString()));
  }
  m_reservations->setText(FromStd(Join(record.Reservations)));
  showPicture(*index, kItemPictureSize);
}

void TDBEditor_Win::selectStructureFile() {
  if (!m_database) return;
  const QString preset = FromStd(StructureFilePath(m_database->GetDirectory(), m_msFile->text().toStdString()));
  const std::optional<QString> fileName = m_context.Dialogs.openFile(kStructureFilter, preset);
  if (!fileName) return;
  if (!QFileInfo::exists(*fileName) &&
      !m_context.Dialogs.ask(QStringLiteral("WARNING"),
                             QStringLiteral("File you have selected does not exist. Do you really want to continue?")))
    return;
  m_msFile->setText(*fileName);
}

void TDBEditor_Win::error(const QString& text) { m_context.Dialogs.message(QStringLiteral("ERROR"), text); }

void TDBEditor_Win::addItem() {
  if (!m_database) return;
  TMolDBRecord record;
  record.Synonyms = gridSynonyms();
  // The typed reservations are kept; an empty field gives none.
  if (!m_reservations->text().isEmpty()) record.Reservations = Split(m_reservations->text().toStdString());
  if (!AddDatabaseItem(*m_database, std::move(record), m_msFile->text(), m_smiles->text(), m_context.Dialogs)) return;
  m_unsaved = true;
  m_smiles->clear();
  m_msFile->setText(FromStd(m_database->Records().back().MSFile));
  refreshItems();
  refreshDisplay();
}

void TDBEditor_Win::rewriteItem() {
  const std::optional<std::size_t> index = selectedItem();
  if (!index) return;
  TMolDBRecord record;
  record.Synonyms = gridSynonyms();
  record.Reservations = Split(m_reservations->text().toStdString());
  if (!ReplaceDatabaseItem(*m_database, *index, std::move(record), m_msFile->text(), m_context.Dialogs)) return;
  m_unsaved = true;
  // The list shows the new names at once, with the item still selected.
  refreshItems();
  for (int row = 0; row < m_items->count(); ++row)
    if (EditorLineIndex(m_items->item(row)->text()) == static_cast<int>(*index)) m_items->setCurrentRow(row);
  showPicture(*index, kItemPictureSize);
}

void TDBEditor_Win::deleteItem() {
  const std::optional<std::size_t> index = selectedItem();
  if (!index) return;
  m_database->DeleteItem(*index);
  m_unsaved = true;
  m_itemIndex->setText(QStringLiteral("Database item index = N/A"));
  m_picture->clearPicture();
  refreshItems();
  refreshDisplay();
}

void TDBEditor_Win::moreInfo() {
  const std::optional<std::size_t> index = selectedItem();
  if (!index) return;
  TMolecule* molecule = m_database->GetMolecule(*index);
  if (!molecule || molecule->AtomCount() == 0) {
    error(QStringLiteral("Item %1 has no structure: its structure file was not read.").arg(*index));
    return;
  }
  m_report->setPlainText(CharacterisationReport(*molecule).join(QLatin1Char('\n')));
  showPicture(*index, kReportPictureSize);
}

void TDBEditor_Win::searchByStructure() {
  if (!m_database || !m_context.StructureEditor) return;
  const std::optional<TMolCharacterisation> structure = m_context.StructureEditor->drawStructure();
  if (!structure) return;
  std::string problem;
  const std::unique_ptr<TMolecule> molecule = TMolecule::FromStructure(
      0, structure->AdjacencyMatrix, structure->AtomTypes, structure->AromaticMatrix, &problem);
  if (!molecule) {
    error(QStringLiteral("The drawn structure is not a valid molecule: %1").arg(FromStd(problem)));
    return;
  }
  const std::int32_t index = m_database->FindStructure(*molecule);
  if (index < 0) {
    m_context.Dialogs.message(QString(), QStringLiteral("Structure was not found"));
    return;
  }
  m_context.Dialogs.message(QString(), QStringLiteral("Structure found under index %1").arg(index));
  m_search->setText(SearchTextOf(m_database->GetSynonyms(static_cast<std::size_t>(index))));
}

void TDBEditor_Win::showEvent(QShowEvent* event) {
  // Showing the window starts afresh; a window coming back from the task
  // bar keeps its mark.
  if (!event->spontaneous()) m_unsaved = false;
  refreshDisplay();
  m_timer->start();
  QMainWindow::showEvent(event);
}

void TDBEditor_Win::hideEvent(QHideEvent* event) {
  m_timer->stop();
  QMainWindow::hideEvent(event);
}

void TDBEditor_Win::closeEvent(QCloseEvent* event) {
  if (mayDiscardChanges())
    event->accept();
  else
    event->ignore();
}

}  // namespace korvane::gui
