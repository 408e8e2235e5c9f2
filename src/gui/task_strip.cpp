#include "gui/task_strip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <climits>

namespace korvane::gui {

TTaskStrip::TTaskStrip(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("taskStrip"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  m_text = new QLabel;
  m_text->setObjectName(QStringLiteral("taskText"));
  m_progress = new QProgressBar;
  m_progress->setObjectName(QStringLiteral("taskProgress"));
  m_cancel = new QPushButton(QStringLiteral("Cancel"));
  m_cancel->setObjectName(QStringLiteral("taskCancel"));
  connect(m_cancel, &QPushButton::clicked, this, [this] {
    if (m_task) m_task->cancel();
    m_cancel->setEnabled(false);
  });
  row->addWidget(m_text);
  row->addWidget(m_progress, 1);
  row->addWidget(m_cancel);
  m_timer = new QTimer(this);
  m_timer->setInterval(kPollIntervalMs);
  connect(m_timer, &QTimer::timeout, this, &TTaskStrip::poll);
  hide();
}

TTaskStrip::~TTaskStrip() { abandon(); }

void TTaskStrip::start(std::unique_ptr<TBackgroundTask> task, bool cancellable,
                       std::function<void(const TBackgroundTask&)> done) {
  m_task = std::move(task);
  m_done = std::move(done);
  // Queued: the slot runs here, after the thread has ended its work.
  connect(m_task.get(), &QThread::finished, this, &TTaskStrip::taskFinished, Qt::QueuedConnection);
  m_text->setText(m_task->command());
  m_progress->setRange(0, 0);  // busy until the work tells its total
  m_cancel->setEnabled(cancellable);
  show();
  m_timer->start();
  m_task->start();
}

void TTaskStrip::poll() {
  if (!m_task) return;
  const TTaskProgress& progress = m_task->progress();
  const std::int64_t total = progress.Total.load(std::memory_order_relaxed);
  const std::int64_t done = progress.Done.load(std::memory_order_relaxed);
  if (total <= 0) return;
  m_progress->setRange(0, static_cast<int>(std::min<std::int64_t>(total, INT_MAX)));
  m_progress->setValue(static_cast<int>(std::min(done, total)));
  m_text->setText(QStringLiteral("%1: %2 / %3").arg(m_task->command()).arg(done).arg(total));
}

void TTaskStrip::taskFinished() {
  if (!m_task || m_task->isRunning()) return;
  m_timer->stop();
  hide();
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
  m_timer->stop();
  hide();
  m_task->cancel();
  m_task->wait();
  m_task.reset();
}

}  // namespace korvane::gui
