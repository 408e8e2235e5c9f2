#pragma once
/// TGenVlakno: the worker thread of one generation run.

#include <QThread>
#include <atomic>
#include <cstdint>

#include "reactions/reaction_network.h"

namespace korvane::gui {

/// Runs the generation driver on a network it does not own, records the
/// millisecond ticks before and after, and marks itself finished as the last
/// step of its run. While it runs, nothing else may touch the network except
/// the two progress counters.
class TGenVlakno : public QThread {
 public:
  explicit TGenVlakno(TReactionNetwork& network, QObject* parent = nullptr);
  /// Stops the run and waits for it.
  ~TGenVlakno() override;

  /// Asks this run to stop after the component under way.
  void requestStop() { m_stop.store(true, std::memory_order_relaxed); }

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
  TReactionNetwork& m_network;
  std::atomic<std::int64_t> m_startTicks{0};
  std::int64_t m_endTicks = 0;
  TGenerationOutcome m_outcome;
  std::atomic<bool> m_finished{false};
  std::atomic<bool> m_stop{false};
};

}  // namespace korvane::gui
