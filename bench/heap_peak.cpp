#include "heap_peak.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> g_held{0};
std::atomic<std::size_t> g_peak{0};

void* Allocate(std::size_t size) {
  void* pointer = std::malloc(size == 0 ? 1 : size);
  if (!pointer) throw std::bad_alloc();
  const std::size_t held = g_held.fetch_add(malloc_usable_size(pointer), std::memory_order_relaxed) +
                           malloc_usable_size(pointer);
  std::size_t peak = g_peak.load(std::memory_order_relaxed);
  while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
  }
  return pointer;
}

void Release(void* pointer) {
  if (!pointer) return;
  g_held.fetch_sub(malloc_usable_size(pointer), std::memory_order_relaxed);
  std::free(pointer);
}

}  // namespace

// Every ordinary form is replaced, so that nothing allocated here is freed
// by another allocator. (Over-aligned forms are not used by what is measured.)
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* pointer) noexcept { Release(pointer); }
void operator delete[](void* pointer) noexcept { Release(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { Release(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { Release(pointer); }
void operator delete(void* pointer, const std::nothrow_t&) noexcept { Release(pointer); }
void operator delete[](void* pointer, const std::nothrow_t&) noexcept { Release(pointer); }

namespace korvane::bench {

void ResetHeapPeak() { g_peak.store(g_held.load(std::memory_order_relaxed), std::memory_order_relaxed); }

std::size_t HeapPeakBytes() { return g_peak.load(std::memory_order_relaxed); }

}  // namespace korvane::bench
