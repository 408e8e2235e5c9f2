#include "gui/selection_follower.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <utility>

namespace korvane::gui {

SelectionFollower::SelectionFollower(QAbstractItemView& view, std::function<void()> show)
    : QObject(&view), m_show(std::move(show)) {
  Q_ASSERT(view.selectionModel());
  connect(view.selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current, const QModelIndex& previous) {
            if (m_quiet || !current.isValid() || current.row() == previous.row()) return;
            m_shownByChange = true;
            m_show();
          });
  connect(&view, &QAbstractItemView::clicked, this, [this] {
    if (!std::exchange(m_shownByChange, false)) m_show();
  });
}

}  // namespace korvane::gui
