#pragma once
/// How a long read, write or export reports how far it is and ends early.
/// The caller owns the stop flag and may set it from any thread; the work
/// looks at it between records and reports through the callback, on its own
/// thread, now and then.

#include <atomic>
#include <cstddef>
#include <functional>

namespace korvane {

struct TWorkControl {
  /// Set from any thread to end the work after the record under way; not owned.
  const std::atomic<bool>* Stop = nullptr;
  /// Gets the records done and their number now and then, and once at the end.
  std::function<void(std::size_t done, std::size_t total)> Progress;

  bool StopRequested() const { return Stop && Stop->load(std::memory_order_relaxed); }
  void Report(std::size_t done, std::size_t total) const {
    if (Progress) Progress(done, total);
  }
};

/// Counts the records of a work of known size: at the first record and
/// every kStride records after it reports progress and looks at the stop
/// flag, so neither costs anything per record and a short work still sees
/// a stop set before it began.
class TWorkCounter {
 public:
  static constexpr std::size_t kStride = 1024;

  TWorkCounter(const TWorkControl& control, std::size_t total) : m_control(control), m_total(total) {}

  /// One record more; false once the work is to stop.
  bool Step(std::size_t records = 1) {
    const std::size_t before = m_done;
    m_done += records;
    if (before != 0 && m_done / kStride == before / kStride) return !m_stopped;
    m_control.Report(m_done, m_total);
    m_stopped = m_stopped || m_control.StopRequested();
    return !m_stopped;
  }
  /// Reports the whole work done.
  void Finish() const { m_control.Report(m_total, m_total); }
  bool Stopped() const { return m_stopped; }

 private:
  const TWorkControl& m_control;
  std::size_t m_total;
  std::size_t m_done = 0;
  bool m_stopped = false;
};

}  // namespace korvane
