#pragma once
/// The model behind every long list of the network window and its detail
/// windows: one line per component or reaction, "[ position ] ...".

#include <QAbstractListModel>
#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

class QAbstractItemView;

namespace korvane::gui {

/// Holds the line texts made at the last refresh, so showing and scrolling
/// never read the network (it may be growing on the generator thread).
/// Tooltips come from a provider asked on first hover and kept until the
/// next refresh; the provider returns an empty text when it cannot read the
/// network now, and that answer is not kept.
class PositionListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using ToolTipProvider = std::function<QString(int position)>;
  /// The full text of a line, made when the line is first shown; empty
  /// when it cannot be made now (the stored text is shown then).
  using LineProvider = std::function<QString(int position)>;

  explicit PositionListModel(QObject* parent = nullptr);

  /// Replaces every line; `positions[i]` is the component or reaction of
  /// line i.
  void setLines(std::vector<int> positions, QStringList texts);
  void clear();
  void setToolTipProvider(ToolTipProvider provider) { m_toolTip = std::move(provider); }
  void setLineProvider(LineProvider provider) { m_line = std::move(provider); }
  /// The line of that component or reaction, or -1.
  int rowOfPosition(int position) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

 private:
  std::vector<int> m_positions;
  QStringList m_texts;
  ToolTipProvider m_toolTip;
  LineProvider m_line;
  mutable QHash<int, QString> m_toolTips;
  mutable QHash<int, QString> m_lines;
};

/// The number in the current line of a list ("[ 3 ] - x" gives 3): nothing
/// when the list is empty, no line is current or the line holds no number.
std::optional<int> SelectedListPosition(const QAbstractItemView& view);

}  // namespace korvane::gui
