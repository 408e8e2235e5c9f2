#include "gui/background_task.h"

#include <exception>

namespace korvane::gui {

TWorkControl TaskControl(const std::atomic<bool>& stop, TTaskProgress& progress) {
  return {&stop, [&progress](std::size_t done, std::size_t total) {
            progress.Total.store(static_cast<std::int64_t>(total), std::memory_order_relaxed);
            progress.Done.store(static_cast<std::int64_t>(done), std::memory_order_relaxed);
          }};
}

TBackgroundTask::TBackgroundTask(QString command, TNetworkSession::TBusyLease lease, Work work, QObject* parent)
    : QThread(parent),
      m_command(std::move(command)),
      m_session(lease.Session()),
      m_lease(std::move(lease)),
      m_work(std::move(work)) {}

TBackgroundTask::~TBackgroundTask() {
  if (isRunning()) cancel();
  wait();
}

void TBackgroundTask::cancel() {
  m_cancelled.store(true, std::memory_order_relaxed);
  if (m_lease) m_session.RequestStop();
}

void TBackgroundTask::releaseLease() {
  wait();
  m_lease.reset();
  m_work = nullptr;
}

void TBackgroundTask::run() {
  try {
    m_failure = m_work(*m_lease, m_progress);
  } catch (const std::exception& error) {
    m_failure = error.what();
  }
}

}  // namespace korvane::gui
