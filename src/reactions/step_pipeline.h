#pragma once
/// Computes generation steps ahead on worker threads while the driver
/// registers them one by one in component order.
///
/// The driver publishes components in index order as the network grows and
/// takes the step of component i when it is ready to register it; workers
/// compute the steps of published components meanwhile, at most a window
/// ahead of the driver. Because a step reads only its component (see
/// generation_step.h) and registration stays in order on the driver's
/// thread, the network is the same whatever the number of threads.

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "reactions/generation_step.h"

namespace korvane {

/// Starts a thread running `work`. The pipeline starts its workers through
/// it so that tests can make starting fail as an exhausted system does.
using TThreadStarter = std::thread (*)(std::function<void()> work);
/// Replaces the thread starter of pipelines made from now on (nullptr: the
/// plain std::thread); returns the previous one.
TThreadStarter SetThreadStarter(TThreadStarter starter);

class TStepPipeline {
 public:
  /// Starts `workers` threads (none is fine: the driver then computes every
  /// step itself when it takes it). Steps look products up in `known`
  /// (optional), which must stay valid, and safe to read from the workers,
  /// while the pipeline lives. A thread that cannot be started stops and
  /// joins those already started and throws std::runtime_error saying so.
  TStepPipeline(const TNetworkPreferences& preferences, const TKnownSpecies* known, unsigned workers);
  /// Stops the workers and waits for them; steps not taken are discarded.
  ~TStepPipeline();
  TStepPipeline(const TStepPipeline&) = delete;
  TStepPipeline& operator=(const TStepPipeline&) = delete;

  /// Makes the next component (index = number published so far) available.
  /// The component is handed to one thread at a time: nothing else may touch
  /// it until its step has been taken.
  void Publish(TMolecule* component);
  /// The step of the next component not yet taken (component order). While
  /// it is not ready, this thread computes steps nobody has begun, that one
  /// first. Rethrows what its computation threw. Requires that component to
  /// be published.
  TStepResult TakeNext();

 private:
  enum class SlotState { Waiting, Working, Done };
  struct Slot {
    TMolecule* Component = nullptr;
    SlotState State = SlotState::Waiting;
    TStepResult Result;
    std::exception_ptr Error;
  };

  void work();
  void stopWorkers();
  /// Computes into the slot; the lock is released meanwhile.
  void compute(Slot& slot, std::unique_lock<std::mutex>& lock);

  const TNetworkPreferences m_preferences;
  const TKnownSpecies* m_known;
  const std::size_t m_window;  // how far past the driver workers may go
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::deque<Slot> m_slots;  // from the next step to take to the last published
  std::size_t m_firstWaiting = 0;  // position in m_slots of the first step nobody began
  bool m_stopping = false;
  std::vector<std::thread> m_workers;
};

}  // namespace korvane
