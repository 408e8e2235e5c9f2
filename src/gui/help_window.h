#pragma once
/// The "User guide" window: the desktop part of the README shipped with the
/// program, with its pictures, opened by F1 or Help > "User guide".

#include <QWidget>

class QTextBrowser;

namespace korvane::gui {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  /// `guideFile` is the shipped README; empty or unreadable, the window says
  /// where it looked.
  explicit HelpWindow(const QString& guideFile, QWidget* parent = nullptr);

  QTextBrowser* browser() const { return m_browser; }

 private:
  QTextBrowser* m_browser = nullptr;
};

}  // namespace korvane::gui
