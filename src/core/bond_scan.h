#pragma once
/// The bonds of a stored structure as Build reads them: the non-zero entries
/// below the diagonal of the adjacency matrix, row by row. Molecules are
/// sparse (about one bond per atom), so the scan skips sixteen or eight empty
/// entries at a time; identity, ring test and invariants all read the bonds
/// this way.

#include <cstdint>
#include <cstring>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/vectors.h"

namespace korvane {

/// One bond of a stored structure: Row > Column, as ForEachBond visits it.
struct TBondEntry {
  std::uint8_t Row;
  std::uint8_t Column;
  std::uint8_t Order;
  bool Aromatic;
};
/// Bonds in the order ForEachBond visits them.
using TBondList = std::vector<TBondEntry>;

/// Calls visit(i, j, order) for every entry (i, j) with j < i and order != 0,
/// in row order, then column order.
template <class Visit>
void ForEachBond(const TByteMatrix& adjacency, Visit&& visit) {
  const std::size_t n = adjacency.rows();
  for (std::size_t i = 1; i < n; ++i) {
    const std::uint8_t* row = adjacency[i];
    std::size_t j = 0;
#if defined(__SSE2__)
    for (; j + 16 <= i; j += 16) {
      const __m128i sixteen = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + j));
      const int empty = _mm_movemask_epi8(_mm_cmpeq_epi8(sixteen, _mm_setzero_si128()));
      unsigned bonded = ~static_cast<unsigned>(empty) & 0xffffu;
      while (bonded) {
        const std::size_t k = j + static_cast<std::size_t>(__builtin_ctz(bonded));
        visit(i, k, row[k]);
        bonded &= bonded - 1;
      }
    }
#endif
    for (; j + 8 <= i; j += 8) {
      std::uint64_t eight;
      std::memcpy(&eight, row + j, sizeof eight);
      if (eight == 0) continue;
      for (std::size_t k = j; k < j + 8; ++k)
        if (row[k] != 0) visit(i, k, row[k]);
    }
    for (; j < i; ++j)
      if (row[j] != 0) visit(i, j, row[j]);
  }
}

}  // namespace korvane
