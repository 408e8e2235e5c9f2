#include "gui/task_strip.h"

namespace korvane::gui {

TTaskStrip::TTaskStrip(QWidget* parent) : TProgressStrip(parent) { setObjectName(QStringLiteral("taskStrip")); }

TTaskStrip::~TTaskStrip() { abandon(); }

void TTaskStrip::start(std::unique_ptr<TBackgroundTask> task, bool cancellable,
                       std::function<void(const TBackgroundTask&)> done) {
  m_task = std::move(task);
  m_done = std::move(done);
  // Queued: the slot runs here, after the thread has ended its work.
  connect(m_task.get(), &QThread::finished, this, &TTaskStrip::taskFinished, Qt::QueuedConnection);
  begin(m_task->command(), cancellable);  // busy until the work tells its total
  m_task->start();
}

void TTaskStrip::poll() {
  if (!m_task) return;
  const TTaskProgress& progress = m_task->progress();
  const std::int64_t total = progress.Total.load(std::memory_order_relaxed);
  const std::int64_t done = progress.Done.load(std::memory_order_relaxed);
  if (total <= 0) return;
  report(QStringLiteral("%1: %2 / %3").arg(m_task->command()).arg(done).arg(total), done, total);
}

void TTaskStrip::cancelPressed() {
  if (m_task) m_task->cancel();
  disableCancel();
}

void TTaskStrip::taskFinished() {
  if (!m_task || m_task->isRunning()) return;
  end();
  const std::unique_ptr<TBackgroundTask> task = std::move(m_task);
  const std::function<void(const TBackgroundTask&)> done = std::move(m_done);
  // The leases end first, so the callback may give the networks commands;
  // the task's results stay readable until it is destroyed.
  task->releaseLease();
  emit finished();
  if (done) done(*task);
}

void TTaskStrip::abandon() {
  if (!m_task) return;
  m_done = nullptr;
  end();
  m_task->cancel();
  m_task->wait();
  m_task.reset();
}

}  // namespace korvane::gui
