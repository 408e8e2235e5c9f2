#pragma once
/// The machine's physical memory, which sizes the default memory limit of a
/// generation run.

#include <cstdint>

namespace korvane {

/// Physical memory of the machine [bytes]; 0 when the system does not tell.
std::uint64_t PhysicalMemoryBytes();

}  // namespace korvane
