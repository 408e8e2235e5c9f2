#include "reactions/component_index.h"

namespace korvane {

namespace {

constexpr std::size_t kInitialCapacity = 64;  // a power of two

// Growth keeps a table at most 7/10 full, so probe sequences stay short and
// always end.
bool Crowded(std::size_t count, std::size_t capacity) { return 10 * count > 7 * capacity; }

}  // namespace

TComponentIndex::TComponentIndex() { Clear(); }

TComponentIndex::~TComponentIndex() = default;

TMolecule* TComponentIndex::Find(std::string_view certificate, std::size_t hash) const {
  const Table* table = m_current.load(std::memory_order_acquire);
  for (std::size_t k = hash & table->Mask;; k = (k + 1) & table->Mask) {
    const Slot& slot = table->Slots[k];
    // The acquire pairs with the release in Place: the slot's hash and the
    // component's certificate were written before its component.
    TMolecule* component = slot.Component.load(std::memory_order_acquire);
    if (!component) return nullptr;
    if (slot.Hash.load(std::memory_order_relaxed) == hash && component->Certificate() == certificate)
      return component;
  }
}

void TComponentIndex::Add(TMolecule* component) {
  const std::string_view certificate = component->Certificate();
  const std::size_t hash = CertificateHash(certificate);
  if (Find(certificate, hash)) return;
  if (Crowded(m_count + 1, m_current.load(std::memory_order_relaxed)->Mask + 1)) Grow();
  Place(*m_current.load(std::memory_order_relaxed), hash, component);
  ++m_count;
}

void TComponentIndex::Clear() {
  m_tables.clear();
  m_tables.push_back(std::make_unique<Table>(kInitialCapacity));
  m_current.store(m_tables.back().get(), std::memory_order_release);
  m_count = 0;
}

void TComponentIndex::ReleaseRetired() { m_tables.erase(m_tables.begin(), m_tables.end() - 1); }

std::size_t TComponentIndex::MemoryBytes() const {
  std::size_t slots = 0;
  for (const auto& table : m_tables) slots += table->Mask + 1;
  return slots * sizeof(Slot);
}

void TComponentIndex::Place(Table& table, std::size_t hash, TMolecule* component) {
  std::size_t k = hash & table.Mask;
  while (table.Slots[k].Component.load(std::memory_order_relaxed)) k = (k + 1) & table.Mask;
  Slot& slot = table.Slots[k];
  slot.Hash.store(hash, std::memory_order_relaxed);
  slot.Component.store(component, std::memory_order_release);
}

void TComponentIndex::Grow() {
  const Table& old = *m_current.load(std::memory_order_relaxed);
  auto larger = std::make_unique<Table>(2 * (old.Mask + 1));
  for (std::size_t k = 0; k <= old.Mask; ++k) {
    const Slot& slot = old.Slots[k];
    if (TMolecule* component = slot.Component.load(std::memory_order_relaxed))
      Place(*larger, slot.Hash.load(std::memory_order_relaxed), component);
  }
  // Lookups under way finish on the old table, which stays until released.
  m_tables.push_back(std::move(larger));
  m_current.store(m_tables.back().get(), std::memory_order_release);
}

}  // namespace korvane
