#pragma once
/// Holds a worker (a generation run, a save, a fusion) at a hook of the
/// windows' context until the test releases it, so that what the test does
/// meanwhile never depends on how fast the machine is.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

namespace korvane::testing {

class Gate {
 public:
  /// Holds the first caller until release(); later callers pass. A hook
  /// called on the test's own thread (work that should have run on a
  /// worker) gives up after a minute, so the test fails instead of hanging.
  std::function<void()> hook() {
    return [this] {
      std::unique_lock lock(m_mutex);
      m_reached = true;
      m_changed.notify_all();
      m_changed.wait_for(lock, std::chrono::minutes(1), [this] { return !m_held; });
    };
  }
  void waitUntilReached() {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, std::chrono::minutes(1), [this] { return m_reached; });
  }
  void release() {
    std::lock_guard lock(m_mutex);
    m_held = false;
    m_changed.notify_all();
  }

 private:
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_reached = false, m_held = true;
};

}  // namespace korvane::testing
