#include "reactions/step_pipeline.h"

#include <atomic>
#include <cassert>
#include <stdexcept>
#include <system_error>

namespace korvane {

namespace {

// Steps a worker may compute ahead of the driver, per thread: enough to keep
// every thread busy while the driver registers, few enough that the products
// waiting for registration stay a small part of the network's memory.
constexpr std::size_t kWindowPerThread = 32;

std::thread PlainThread(std::function<void()> work) { return std::thread(std::move(work)); }

std::atomic<TThreadStarter> g_threadStarter{nullptr};

}  // namespace

TThreadStarter SetThreadStarter(TThreadStarter starter) { return g_threadStarter.exchange(starter); }

TStepPipeline::TStepPipeline(const TNetworkPreferences& preferences, const TKnownSpecies* known, unsigned workers)
    : m_preferences(preferences), m_known(known), m_window(kWindowPerThread * (workers + 1)) {
  const TThreadStarter start = g_threadStarter.load() ? g_threadStarter.load() : &PlainThread;
  m_workers.reserve(workers);
  try {
    for (unsigned k = 0; k < workers; ++k) m_workers.push_back(start([this] { work(); }));
  } catch (const std::system_error& error) {
    // A joinable thread left behind by a throwing constructor would end the
    // process; the threads already started are stopped first.
    stopWorkers();
    throw std::runtime_error("a worker thread could not be started (" + std::to_string(m_workers.size() + 1) +
                             " of " + std::to_string(workers) + "): " + error.what());
  }
}

TStepPipeline::~TStepPipeline() { stopWorkers(); }

void TStepPipeline::stopWorkers() {
  {
    std::lock_guard lock(m_mutex);
    m_stopping = true;
  }
  m_changed.notify_all();
  for (std::thread& worker : m_workers)
    if (worker.joinable()) worker.join();
}

void TStepPipeline::Publish(TMolecule* component) {
  {
    std::lock_guard lock(m_mutex);
    m_slots.emplace_back().Component = component;
  }
  m_changed.notify_all();
}

TStepResult TStepPipeline::TakeNext() {
  std::unique_lock lock(m_mutex);
  assert(!m_slots.empty());
  Slot& slot = m_slots.front();  // deque elements stay put while others come and go
  while (slot.State != SlotState::Done) {
    // Compute the next step nobody has begun (this one, when no worker has
    // reached it) rather than wait for a worker.
    if (m_firstWaiting < m_slots.size() && m_firstWaiting < m_window)
      compute(m_slots[m_firstWaiting++], lock);
    else
      m_changed.wait(lock);
  }
  TStepResult result = std::move(slot.Result);
  const std::exception_ptr error = slot.Error;
  m_slots.pop_front();
  if (m_firstWaiting > 0) --m_firstWaiting;
  lock.unlock();
  m_changed.notify_all();  // the window has moved on
  if (error) std::rethrow_exception(error);
  return result;
}

void TStepPipeline::work() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_changed.wait(lock, [this] {
      return m_stopping || (m_firstWaiting < m_slots.size() && m_firstWaiting < m_window);
    });
    if (m_stopping) return;
    compute(m_slots[m_firstWaiting++], lock);
    m_changed.notify_all();
  }
}

void TStepPipeline::compute(Slot& slot, std::unique_lock<std::mutex>& lock) {
  slot.State = SlotState::Working;
  lock.unlock();
  TStepResult result;
  std::exception_ptr error;
  try {
    result = ComputeStep(*slot.Component, m_preferences, m_known);
    // A processed component keeps its stored structure only; what it needs
    // again later (drawing, properties) is derived anew.
    slot.Component->ReleaseDerivedData();
  } catch (...) {
    error = std::current_exception();
  }
  lock.lock();
  slot.Result = std::move(result);
  slot.Error = error;
  slot.State = SlotState::Done;
}

}  // namespace korvane
