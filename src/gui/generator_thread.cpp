#include "gui/generator_thread.h"

#include <chrono>
#include <exception>

namespace korvane::gui {

TGenVlakno::TGenVlakno(TNetworkSession::TBusyLease lease, QObject* parent)
    : QThread(parent), m_lease(std::move(lease)) {
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
    m_outcome = m_lease.Session().Generate(m_lease);
  } catch (const std::exception& error) {
    // The undo snapshot could not be taken (memory): the run did not start.
    m_outcome = {TGenerationEnd::Failed, error.what()};
  }
  m_endTicks = Ticks();
  m_finished.store(true, std::memory_order_release);
}

}  // namespace korvane::gui
