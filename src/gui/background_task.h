#pragma once
/// A long command of a window (saving, exporting the graph, a fusion) on a
/// worker thread. It holds the session's busy lease until it is destroyed,
/// so no other command touches the network meanwhile; it reports how far it
/// is through two counters the window polls, and stops early when the user
/// cancels (the lease's stop flag).

#include <QString>
#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/network_session.h"
#include "core/work_control.h"

namespace korvane::gui {

/// Items done of a total; a total of 0 means unknown.
struct TTaskProgress {
  std::atomic<std::int64_t> Done{0};
  std::atomic<std::int64_t> Total{0};
};

/// A control for domain work that stops with `stop` and counts into `progress`.
TWorkControl TaskControl(const std::atomic<bool>& stop, TTaskProgress& progress);

class TBackgroundTask : public QThread {
  Q_OBJECT

 public:
  /// The work runs on the worker thread with the lease (whose StopRequested
  /// says the user cancelled) and the progress to count; it returns what
  /// went wrong, empty when it succeeded. An exception counts as a failure.
  /// What the work holds (a fusion's leases on its sources) goes with the
  /// lease.
  using Work = std::function<std::string(TNetworkSession::TBusyLease& lease, TTaskProgress& progress)>;

  TBackgroundTask(QString command, TNetworkSession::TBusyLease lease, Work work, QObject* parent = nullptr);
  /// Asks the work to stop and waits for it; the lease goes with the task.
  ~TBackgroundTask() override;

  /// The command's caption ("Export graph of reaction network").
  const QString& command() const { return m_command; }
  const TTaskProgress& progress() const { return m_progress; }
  /// Asks the work to stop at its next chance.
  void cancel();
  bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
  /// What went wrong; read once the thread has finished.
  const std::string& failure() const { return m_failure; }
  /// Ends the lease, and drops the work with what it holds, once the thread
  /// has finished, so that whoever reads the results may give the networks
  /// new commands.
  void releaseLease();

 protected:
  void run() override;

 private:
  QString m_command;
  TNetworkSession& m_session;
  std::optional<TNetworkSession::TBusyLease> m_lease;
  std::atomic<bool> m_cancelled{false};
  Work m_work;
  TTaskProgress m_progress;
  std::string m_failure;
};

}  // namespace korvane::gui
