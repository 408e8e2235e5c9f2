#include "reactions/component_index.h"

#include <mutex>

namespace korvane {

TMolecule* TComponentIndex::Find(std::string_view certificate) const {
  std::shared_lock lock(m_mutex);
  const auto found = m_first.find(certificate);
  return found == m_first.end() ? nullptr : found->second;
}

void TComponentIndex::Add(TMolecule* component) {
  const std::string& certificate = component->Certificate();  // computed before the lock is taken
  std::unique_lock lock(m_mutex);
  m_first.try_emplace(certificate, component);
}

void TComponentIndex::Clear() {
  std::unique_lock lock(m_mutex);
  m_first.clear();
}

}  // namespace korvane
