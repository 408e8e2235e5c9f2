#include "gui/generator_thread.h"

#include <chrono>
#include <exception>

namespace korvane::gui {

TGenVlakno::TGenVlakno(TNetworkSession::TBusyLease lease, std::function<void()> afterComponent, QObject* parent)
    : QThread(parent), m_lease(std::move(lease)), m_afterComponent(std::move(afterComponent)) {
  m_startTicks = Ticks();
}

TGenVlakno::~TGenVlakno() {
  if (isRunning()) requestStop();
  wait();
}

std::int64_t TGenVlakno::Ticks() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void TGenVlakno::run() {
  m_startTicks.store(Ticks(), std::memory_order_release);
  try {
    std::function<void(std::int32_t, std::int32_t)> progress;
    if (m_afterComponent) progress = [this](std::int32_t, std::int32_t) { m_afterComponent(); };
    m_outcome = m_lease.Session().Generate(m_lease, progress);
  } catch (const std::exception& error) {
    // The undo snapshot could not be taken (memory): the run did not start.
    m_outcome = {TGenerationEnd::Failed, error.what()};
  }
  m_endTicks = Ticks();
  m_finished.store(true, std::memory_order_release);
}

}  // namespace korvane::gui
