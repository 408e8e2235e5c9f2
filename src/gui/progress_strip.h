#pragma once
/// TProgressStrip: the strip under a window's content while work runs on a
/// worker thread: a caption with how far the work is, a progress bar and
/// Cancel. It polls its owner for progress while shown; what the work is,
/// and what Cancel does, belong to the owner (a command's task, a file
/// being read).

#include <QWidget>
#include <cstdint>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace korvane::gui {

class TProgressStrip : public QWidget {
 public:
  /// How often the strip asks for the work's progress [ms].
  static constexpr int kPollIntervalMs = 100;

 protected:
  explicit TProgressStrip(QWidget* parent);

  /// Shows the strip with `text` and a busy bar (the total is not known
  /// yet) and starts polling.
  void begin(const QString& text, bool cancellable);
  /// `done` of `total` items, with the caption `text`.
  void report(const QString& text, std::int64_t done, std::int64_t total);
  /// Stops polling and hides the strip.
  void end();
  void disableCancel();

  /// Called every kPollIntervalMs while the strip is shown.
  virtual void poll() = 0;
  /// The user pressed Cancel.
  virtual void cancelPressed() = 0;

 private:
  QLabel* m_text = nullptr;
  QProgressBar* m_progress = nullptr;
  QPushButton* m_cancel = nullptr;
  QTimer* m_timer = nullptr;
};

}  // namespace korvane::gui
