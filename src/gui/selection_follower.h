#pragma once
/// Shows the current line of a list or table of the network window however
/// it became current: a click, the arrow keys, Page Up/Down, Home or End.

#include <QObject>
#include <functional>

class QAbstractItemView;

namespace korvane::gui {

class SelectionFollower : public QObject {
  Q_OBJECT

 public:
  /// `show` displays the view's current line; called when the current line
  /// changes and on a click on the line already current. The view's model
  /// must be set: the follower watches its selection model.
  SelectionFollower(QAbstractItemView& view, std::function<void()> show);

  /// While set, a change of the current line shows nothing: a list being
  /// refilled puts the selection back without displaying anything anew.
  void setQuiet(bool quiet) { m_quiet = quiet; }

 private:
  std::function<void()> m_show;
  bool m_quiet = false;
  // The press of a click made the line current and showed it already.
  bool m_shownByChange = false;
};

}  // namespace korvane::gui
