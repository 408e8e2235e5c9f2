#pragma once
/// TGenVlakno: the worker thread of one generation run.

#include <QThread>
#include <atomic>
#include <cstdint>
#include <functional>

#include "app/network_session.h"

namespace korvane::gui {

/// Runs the generation of a session's network under the lease it was given,
/// records the millisecond ticks before and after, and marks itself
/// finished as the last step of its run. While it runs, nothing else may
/// touch the network except the two progress counters; the lease refuses
/// every other command of the session.
class TGenVlakno : public QThread {
 public:
  /// `afterComponent`, when given, is called on this thread after each
  /// component of the run.
  TGenVlakno(TNetworkSession::TBusyLease lease, std::function<void()> afterComponent = {}, QObject* parent = nullptr);
  /// Stops the run and waits for it; the lease goes with the thread.
  ~TGenVlakno() override;

  /// Asks this run (and no later one) to stop after the component under way.
  void requestStop() { m_lease.Session().RequestStop(); }
  /// Set by the run itself after EndTicks; only then may the others be read.
  bool RunFinished() const { return m_finished.load(std::memory_order_acquire); }
  std::int64_t StartTicks() const { return m_startTicks.load(std::memory_order_acquire); }
  std::int64_t EndTicks() const { return m_endTicks; }
  const TGenerationOutcome& Outcome() const { return m_outcome; }

  /// Milliseconds of a monotonic clock, in 64 bits.
  static std::int64_t Ticks();

 protected:
  void run() override;

 private:
  TNetworkSession::TBusyLease m_lease;
  std::function<void()> m_afterComponent;
  std::atomic<std::int64_t> m_startTicks{0};
  std::int64_t m_endTicks = 0;
  TGenerationOutcome m_outcome;
  std::atomic<bool> m_finished{false};
};

}  // namespace korvane::gui
