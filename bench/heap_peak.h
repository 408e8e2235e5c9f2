#pragma once
// Peak heap use of the running benchmark: this program replaces the global
// allocation functions with counting ones, so a case can report the most
// memory it held at once, independent of the cases run before it.

#include <cstddef>

namespace korvane::bench {

/// Starts a new peak at the memory held now.
void ResetHeapPeak();
/// Largest number of bytes held at once since the last reset.
std::size_t HeapPeakBytes();

}  // namespace korvane::bench
