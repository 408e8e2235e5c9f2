#include "gui/network_table_view.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <set>
#include <utility>

#include "gui/network_window.h"
#include "gui/position_list_model.h"
#include "gui/selection_follower.h"
#include "smiles/smiles_reader.h"

namespace korvane::gui {
namespace {

// Work per pass between events: the user never waits on more.
constexpr qint64 kPassMilliseconds = 10;

}  // namespace

std::optional<const TMolecule*> ComponentOfSmiles(TReact_Net_Wind& window, DialogSeam& dialogs, const QString& smiles) {
  const TReactionNetwork* network = window.networkForCommand();
  if (!network) return std::nullopt;
  const auto read = MoleculeFromSmiles(smiles.toStdString());
  if (!read) {
    dialogs.message(QStringLiteral("ERROR"), QString::fromStdString(read.error().Message));
    return std::nullopt;
  }
  const int found = network->FindComponent(*read.value());
  return found < 0 ? nullptr : network->Component(static_cast<std::size_t>(found));
}

NetworkTableView::NetworkTableView(GuiContext& context, StructureFinder finder, QWidget* parent)
    : QWidget(parent), m_context(context), m_finder(std::move(finder)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* fields = new QHBoxLayout;
  auto* tools = new QHBoxLayout;
  m_search = new QLineEdit;
  m_search->setObjectName(QStringLiteral("tableSearch"));
  m_search->setPlaceholderText(QStringLiteral("Search name, formula or SMILES"));
  m_search->setClearButtonEnabled(true);
  m_structure = new QLineEdit;
  m_structure->setObjectName(QStringLiteral("tableStructure"));
  m_structure->setPlaceholderText(QStringLiteral("Structure (SMILES)"));
  m_structure->setClearButtonEnabled(true);
  auto* find = new QPushButton(QStringLiteral("Find structure"));
  auto* exportButton = new QPushButton(QStringLiteral("Export CSV"));
  fields->addWidget(m_search, 3);
  fields->addWidget(m_structure, 2);
  layout->addLayout(fields);
  tools->addWidget(find);
  tools->addWidget(exportButton);
  tools->addStretch();

  m_model = new NetworkTableModel(this);
  m_table = new QTableView;
  m_table->setObjectName(QStringLiteral("networkTable"));
  m_table->setModel(m_model);
  m_table->setSortingEnabled(true);
  m_table->sortByColumn(-1, Qt::AscendingOrder);  // network order until a header is clicked
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->verticalHeader()->hide();
  // Fixed row heights and no sizing to contents: neither reads every row.
  m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
  m_table->horizontalHeader()->setStretchLastSection(true);
  m_table->setWordWrap(false);
  m_table->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto* copy = new QAction(QStringLiteral("Copy"), m_table);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, &NetworkTableView::copySelection);
  m_table->addAction(copy);
  m_table->installEventFilter(this);
  auto* exportAction = new QAction(QStringLiteral("Export CSV"), m_table);
  connect(exportAction, &QAction::triggered, this, &NetworkTableView::exportCsv);
  m_table->addAction(exportAction);
  layout->addWidget(m_table, 1);
  m_count = new QLabel;
  m_count->setObjectName(QStringLiteral("tableCount"));
  tools->addWidget(m_count);
  layout->addLayout(tools);

  m_prepare = new QTimer(this);
  m_prepare->setInterval(0);
  connect(m_prepare, &QTimer::timeout, this, &NetworkTableView::prepareSome);
  m_model->setSortGuard([this](int column) { return mayTakeLong(column); });
  connect(m_search, &QLineEdit::textChanged, this, [this](const QString& text) {
    m_model->setSearch(text);
    updateCount();
  });
  connect(m_structure, &QLineEdit::returnPressed, this, &NetworkTableView::findStructure);
  connect(find, &QPushButton::clicked, this, &NetworkTableView::findStructure);
  connect(exportButton, &QPushButton::clicked, this, &NetworkTableView::exportCsv);
}

void NetworkTableView::setSource(std::unique_ptr<TableSource> source, std::function<bool()> canRead) {
  const std::optional<int> current = currentPosition();
  m_canRead = std::move(canRead);
  const int columns = m_model->columnCount();
  m_model->setSource(std::move(source));
  // Widths from the columns' own sizes, never from reading every row.
  if (m_model->source() && columns != m_model->columnCount()) {
    const int character = m_table->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    const auto& all = m_model->source()->Columns();
    for (std::size_t column = 0; column < all.size(); ++column)
      m_table->setColumnWidth(static_cast<int>(column), all[column].Width * character + 12);
  }
  if (current) {
    if (const int row = m_model->rowOfPosition(*current); row >= 0) {
      // Quietly: the row is put back, not chosen anew.
      const QSignalBlocker blocker(m_table->selectionModel());
      m_table->setCurrentIndex(m_model->index(row, 0));
      m_table->selectRow(row);
    }
  }
  updateCount();
  m_prepare->start();
}

void NetworkTableView::clear() {
  m_prepare->stop();
  m_model->clear();
  updateCount();
}

bool NetworkTableView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_table || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->matches(QKeySequence::Copy)) {
    copySelection();
    return true;
  }
  // Rows are what the table selects: Home and End go to the first and last
  // row, as in the lists, not to the first and last column.
  if ((key->key() == Qt::Key_Home || key->key() == Qt::Key_End) && key->modifiers() == Qt::NoModifier) {
    QKeyEvent toRow(QEvent::KeyPress, key->key(), Qt::ControlModifier);
    QApplication::sendEvent(m_table, &toRow);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

bool NetworkTableView::mayTakeLong(int column) {
  const std::size_t missing = m_model->source()->Missing(column);
  if (missing <= kSlowSortCells) return true;
  const QString caption = m_model->headerData(column, Qt::Horizontal).toString();
  if (m_context.Dialogs.ask(QStringLiteral("WARNING"),
                            QStringLiteral("Sorting by \"%1\" computes it for %2 reactions, a walk over the reaction "
                                           "network each, which can take minutes. Continue?")
                                .arg(caption)
                                .arg(missing)))
    return true;
  // The header shows the order the rows are still in.
  const QSignalBlocker blocker(m_table->horizontalHeader());
  m_table->horizontalHeader()->setSortIndicator(m_model->sortColumn(), m_model->sortOrder());
  return false;
}

void NetworkTableView::prepareSome() {
  TableSource* source = m_model->source();
  if (!source) return m_prepare->stop();
  if (m_canRead && !m_canRead()) return;
  QElapsedTimer pass;
  pass.start();
  while (pass.elapsed() < kPassMilliseconds)
    if (source->Prepare(4) == 0) return m_prepare->stop();
}

void NetworkTableView::updateCount() {
  const std::size_t all = m_model->source() ? m_model->source()->RowCount() : 0;
  m_count->setText(QStringLiteral("%1 of %2 rows").arg(m_model->rowCount()).arg(all));
}

std::optional<int> NetworkTableView::currentPosition() const {
  const QModelIndex current = m_table->currentIndex();
  if (!current.isValid()) return std::nullopt;
  return current.data(NetworkTableModel::PositionRole).toInt();
}

void NetworkTableView::copySelection() {
  std::set<int> rows;
  for (const QModelIndex& index : m_table->selectionModel()->selectedIndexes()) rows.insert(index.row());
  if (rows.empty()) return;
  const std::string text = m_model->delimitedText({rows.begin(), rows.end()}, '\t');
  QApplication::clipboard()->setText(QString::fromStdString(text));
}

void NetworkTableView::exportCsv() {
  if (!m_model->source()) return;
  const std::optional<QString> fileName =
      m_context.Dialogs.saveFile(QStringLiteral("CSV file *.csv|*.csv"), m_context.StartDirectory, true);
  if (!fileName) return;
  const std::string text = m_model->delimitedText({}, ',');
  // Written beside the old file and renamed into place: a failure keeps it.
  QSaveFile file(*fileName);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
      !file.commit()) {
    m_context.Dialogs.message(QStringLiteral("ERROR"),
                              QStringLiteral("The file %1 could not be written: %2").arg(*fileName, file.errorString()));
  }
}

void NetworkTableView::findStructure() {
  const QString smiles = m_structure->text().trimmed();
  if (smiles.isEmpty()) {
    m_model->setStructure(std::nullopt);
  } else {
    const std::optional<const TMolecule*> component = m_finder ? m_finder(smiles) : std::nullopt;
    if (!component) return;
    m_model->setStructure(component);
  }
  updateCount();
}

ListOrTable BuildListOrTable(TReact_Net_Wind& window, GuiContext& context, PositionListModel* model,
                             const QString& listName, const std::function<void()>& onCurrent,
                             const std::function<void()>& onOpen) {
  ListOrTable views;
  views.List = new QListView;
  views.List->setObjectName(listName);
  views.List->setModel(model);
  views.List->setUniformItemSizes(true);  // keeps lists of 10^4 lines quick
  views.List->setEditTriggers(QAbstractItemView::NoEditTriggers);
  views.ListFollower = new SelectionFollower(*views.List, [model, onCurrent] {
    if (model->rowCount() > 0) onCurrent();
  });
  QObject::connect(views.List, &QListView::doubleClicked, views.List, [onOpen] { onOpen(); });

  views.Table = new NetworkTableView(context, [&window, &context](const QString& smiles) {
    return ComponentOfSmiles(window, context.Dialogs, smiles);
  });
  new SelectionFollower(*views.Table->table(), onCurrent);
  QObject::connect(views.Table->table(), &QTableView::doubleClicked, views.Table, [onOpen] { onOpen(); });
  views.Table->hide();
  views.TableOn = new QCheckBox(QStringLiteral("Table"));
  views.Layout = new QVBoxLayout;
  views.Layout->addWidget(views.TableOn);
  views.Layout->addWidget(views.List, 1);
  views.Layout->addWidget(views.Table, 1);
  return views;
}

void FollowWindowState(QWidget& page, TReact_Net_Wind& window, NetworkTableView& table, bool& listStale,
                       const std::function<void()>& fillList) {
  QObject::connect(&window, &TReact_Net_Wind::busyChanged, &page,
                   [&page, &table, &listStale, fillList, tableStale = false](bool busy) mutable {
                     page.setEnabled(!busy);
                     if (busy) {
                       tableStale = table.model().source() != nullptr;
                       table.clear();
                       return;
                     }
                     if (std::exchange(tableStale, false) && !listStale && page.isVisible()) fillList();
                     if (!listStale || !page.isVisible()) return;
                     listStale = false;
                     fillList();
                   });
  QObject::connect(&window, &TReact_Net_Wind::networkEdited, &page, [fillList] { fillList(); });
}

void ShowListOrTable(bool table, QListView& list, const PositionListModel& model, NetworkTableView& view,
                     bool canFill, const std::function<void()>& fill) {
  list.setVisible(!table);
  view.setVisible(table);
  if (!table) {
    if (const std::optional<int> selected = view.currentPosition())
      if (const int row = model.rowOfPosition(*selected); row >= 0) list.setCurrentIndex(model.index(row));
    view.clear();
  } else if (canFill) {
    fill();
    if (const std::optional<int> selected = SelectedListPosition(list))
      if (const int row = view.model().rowOfPosition(*selected); row >= 0) view.table()->selectRow(row);
  }
}

}  // namespace korvane::gui
