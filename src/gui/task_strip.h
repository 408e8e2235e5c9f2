#pragma once
/// TTaskStrip: the strip below a window's content while a long command runs
/// on a worker thread: the command's caption with how far it is, a progress
/// bar and Cancel. It owns the running task, polls its progress, and once
/// the task's thread has ended releases its leases and hands it to the
/// command's `done`.

#include <functional>
#include <memory>

#include "gui/background_task.h"
#include "gui/progress_strip.h"

namespace korvane::gui {

class TTaskStrip : public TProgressStrip {
  Q_OBJECT

 public:
  explicit TTaskStrip(QWidget* parent = nullptr);
  /// Cancels a task still under way and waits for its thread.
  ~TTaskStrip() override;

  /// Shows the strip and starts `task`. `done` runs on this thread once the
  /// task has ended, after `finished`.
  void start(std::unique_ptr<TBackgroundTask> task, bool cancellable,
             std::function<void(const TBackgroundTask&)> done);
  bool running() const { return m_task != nullptr; }
  /// Asks the task under way to stop, as Cancel does; `done` still runs.
  void cancel() { cancelPressed(); }
  /// Cancels the task under way and waits for its thread; its leases end,
  /// its `done` is not called and nothing is emitted.
  void abandon();

 signals:
  /// The task has ended and its leases are released.
  void finished();

 private:
  void poll() override;
  void cancelPressed() override;
  void taskFinished();

  std::unique_ptr<TBackgroundTask> m_task;
  std::function<void(const TBackgroundTask&)> m_done;
};

}  // namespace korvane::gui
