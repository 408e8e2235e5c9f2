#include "gui/generator_thread.h"

#include <chrono>

namespace korvane::gui {

TGenVlakno::TGenVlakno(TReactionNetwork& network, QObject* parent) : QThread(parent), m_network(network) {
  m_startTicks = Ticks();
}

TGenVlakno::~TGenVlakno() {
  requestStop();
  wait();
}

std::int64_t TGenVlakno::Ticks() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void TGenVlakno::run() {
  m_startTicks.store(Ticks(), std::memory_order_release);
  m_outcome = m_network.Generate({.Stop = &m_stop});
  m_endTicks = Ticks();
  m_finished.store(true, std::memory_order_release);
}

}  // namespace korvane::gui
