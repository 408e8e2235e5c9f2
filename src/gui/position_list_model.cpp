#include "gui/position_list_model.h"

#include <QAbstractItemView>
#include <algorithm>

#include "gui/window_text.h"

namespace korvane::gui {

PositionListModel::PositionListModel(QObject* parent) : QAbstractListModel(parent) {}

void PositionListModel::setLines(std::vector<int> positions, QStringList texts) {
  Q_ASSERT(positions.size() == static_cast<std::size_t>(texts.size()));
  beginResetModel();
  m_positions = std::move(positions);
  m_texts = std::move(texts);
  m_toolTips.clear();
  m_lines.clear();
  endResetModel();
}

void PositionListModel::clear() { setLines({}, {}); }

int PositionListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_texts.size());
}

QVariant PositionListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_texts.size()) return {};
  if (role == Qt::DisplayRole) {
    if (!m_line) return m_texts[index.row()];
    const int position = m_positions[static_cast<std::size_t>(index.row())];
    if (const auto kept = m_lines.constFind(position); kept != m_lines.constEnd()) return *kept;
    const QString text = m_line(position);
    if (text.isEmpty()) return m_texts[index.row()];
    m_lines.insert(position, text);
    return text;
  }
  if (role == Qt::ToolTipRole && m_toolTip) {
    const int position = m_positions[static_cast<std::size_t>(index.row())];
    if (const auto kept = m_toolTips.constFind(position); kept != m_toolTips.constEnd()) return *kept;
    const QString text = m_toolTip(position);
    if (text.isEmpty()) return {};
    m_toolTips.insert(position, text);
    return text;
  }
  return {};
}

int PositionListModel::rowOfPosition(int position) const {
  const auto found = std::find(m_positions.begin(), m_positions.end(), position);
  return found == m_positions.end() ? -1 : static_cast<int>(found - m_positions.begin());
}

std::optional<int> SelectedListPosition(const QAbstractItemView& view) {
  const QModelIndex current = view.currentIndex();
  if (!view.model() || view.model()->rowCount() == 0 || !current.isValid()) return std::nullopt;
  return ListPosition(current.data(Qt::DisplayRole).toString());
}

}  // namespace korvane::gui
