#include "gui/position_list_model.h"

#include <QAbstractItemView>

#include "gui/window_text.h"

namespace korvane::gui {

PositionListModel::PositionListModel(QObject* parent) : QAbstractListModel(parent) {}

void PositionListModel::setLines(std::vector<int> positions, QStringList texts) {
  Q_ASSERT(positions.size() == static_cast<std::size_t>(texts.size()));
  beginResetModel();
  m_positions = std::move(positions);
  m_texts = std::move(texts);
  m_toolTips.clear();
  endResetModel();
}

void PositionListModel::clear() { setLines({}, {}); }

int PositionListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_texts.size());
}

QVariant PositionListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_texts.size()) return {};
  if (role == Qt::DisplayRole) return m_texts[index.row()];
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

std::optional<int> SelectedListPosition(const QAbstractItemView& view) {
  const QModelIndex current = view.currentIndex();
  if (!view.model() || view.model()->rowCount() == 0 || !current.isValid()) return std::nullopt;
  return ListPosition(current.data(Qt::DisplayRole).toString());
}

}  // namespace korvane::gui
