#include "gui/network_table_model.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "app/delimited_text.h"
#include "gui/window_text.h"

namespace korvane::gui {

NetworkTableModel::NetworkTableModel(QObject* parent) : QAbstractTableModel(parent) {}

NetworkTableModel::~NetworkTableModel() = default;

void NetworkTableModel::setSource(std::unique_ptr<TableSource> source) {
  beginResetModel();
  m_source = std::move(source);
  m_order.resize(m_source ? m_source->RowCount() : 0);
  std::iota(m_order.begin(), m_order.end(), 0);
  if (m_sortColumn >= 0 && m_source) arrange(m_sortColumn, m_sortOrder);
  rebuild();
  endResetModel();
}

void NetworkTableModel::clear() { setSource(nullptr); }

void NetworkTableModel::setSearch(const QString& text) {
  beginResetModel();
  m_search = text.trimmed().toStdString();
  rebuild();
  endResetModel();
}

void NetworkTableModel::setStructure(std::optional<const TMolecule*> component) {
  beginResetModel();
  m_structure = component;
  rebuild();
  endResetModel();
}

void NetworkTableModel::rebuild() {
  m_rows.clear();
  if (!m_source) return;
  if (m_structure && !*m_structure) return;
  m_rows.reserve(m_order.size());
  for (const int row : m_order) {
    const auto r = static_cast<std::size_t>(row);
    if (m_structure && !m_source->Involves(r, **m_structure)) continue;
    if (!m_search.empty() && !m_source->Matches(r, m_search)) continue;
    m_rows.push_back(row);
  }
}

int NetworkTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int NetworkTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !m_source ? 0 : static_cast<int>(m_source->Columns().size());
}

QVariant NetworkTableModel::data(const QModelIndex& index, int role) const {
  if (!m_source || !index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(m_rows[static_cast<std::size_t>(index.row())]);
  const bool numeric = m_source->Columns()[static_cast<std::size_t>(index.column())].Numeric;
  switch (role) {
    case Qt::DisplayRole:
      return numeric ? NumberText(m_source->Number(row, index.column()))
                     : QString::fromStdString(m_source->Text(row, index.column()));
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignVCenter | (numeric ? Qt::AlignRight : Qt::AlignLeft));
    case PositionRole: return m_source->Position(row);
    default: return {};
  }
}

QVariant NetworkTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal || !m_source || section < 0 ||
      section >= columnCount())
    return QAbstractTableModel::headerData(section, orientation, role);
  return QString::fromStdString(m_source->Columns()[static_cast<std::size_t>(section)].Caption);
}

void NetworkTableModel::sort(int column, Qt::SortOrder order) {
  if (!m_source || column < 0 || column >= columnCount()) return;
  if (column == m_sortColumn && order == m_sortOrder) return;
  if (m_sortGuard && !m_sortGuard(column)) return;
  emit layoutAboutToBeChanged();
  const QModelIndexList before = persistentIndexList();
  std::vector<int> positionsBefore;
  for (const QModelIndex& index : before) positionsBefore.push_back(index.data(PositionRole).toInt());
  arrange(column, order);
  rebuild();
  // The selection and the current row follow their components or reactions.
  std::unordered_map<int, int> rowOf;
  for (std::size_t row = 0; row < m_rows.size(); ++row)
    rowOf.emplace(m_source->Position(static_cast<std::size_t>(m_rows[row])), static_cast<int>(row));
  QModelIndexList after;
  for (qsizetype i = 0; i < before.size(); ++i) {
    const auto found = rowOf.find(positionsBefore[static_cast<std::size_t>(i)]);
    after.append(found == rowOf.end() ? QModelIndex() : index(found->second, before[i].column()));
  }
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

void NetworkTableModel::arrange(int column, Qt::SortOrder order) {
  m_sortColumn = column;
  m_sortOrder = order;
  std::iota(m_order.begin(), m_order.end(), 0);
  // Keys for every row at once: each cell is read once, not per comparison.
  const std::size_t count = m_source->RowCount();
  auto byKeys = [&](const auto& keys) {
    std::stable_sort(m_order.begin(), m_order.end(), [&](int a, int b) {
      const auto& ka = keys[static_cast<std::size_t>(a)];
      const auto& kb = keys[static_cast<std::size_t>(b)];
      return order == Qt::AscendingOrder ? ka < kb : kb < ka;
    });
  };
  if (m_source->Columns()[static_cast<std::size_t>(column)].Numeric) {
    std::vector<double> keys(count);
    for (std::size_t row = 0; row < count; ++row) keys[row] = m_source->Number(row, column);
    byKeys(keys);
  } else {
    std::vector<std::string> keys(count);
    for (std::size_t row = 0; row < count; ++row) keys[row] = m_source->Text(row, column);
    byKeys(keys);
  }
}

int NetworkTableModel::rowOfPosition(int position) const {
  if (!m_source) return -1;
  for (std::size_t row = 0; row < m_rows.size(); ++row)
    if (m_source->Position(static_cast<std::size_t>(m_rows[row])) == position) return static_cast<int>(row);
  return -1;
}

std::string NetworkTableModel::delimitedText(std::vector<int> rows, char separator) const {
  if (!m_source) return {};
  if (rows.empty()) {
    rows.resize(m_rows.size());
    std::iota(rows.begin(), rows.end(), 0);
  }
  std::vector<std::string> header;
  for (const TableColumn& column : m_source->Columns()) header.push_back(column.Caption);
  std::vector<std::vector<std::string>> lines;
  lines.reserve(rows.size());
  const int columns = columnCount();
  for (const int shown : rows) {
    const auto row = static_cast<std::size_t>(m_rows[static_cast<std::size_t>(shown)]);
    std::vector<std::string>& line = lines.emplace_back();
    for (int column = 0; column < columns; ++column) line.push_back(m_source->Text(row, column));
  }
  return DelimitedText(header, lines, separator);
}

}  // namespace korvane::gui
