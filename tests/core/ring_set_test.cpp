#include "core/ring_set.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

// The ring sizes of a skeleton, and every ring a closed path of bonds.
TEST(RingSet, FindsTheSmallestIndependentRings) {
  const struct {
    const char* molecule;
    std::vector<std::size_t> sizes;
  } cases[] = {
      {"C C C C C C; 0-1 1-2 2-3 3-4 4-5", {}},
      {"C C C; 0-1 1-2 2-0", {3}},
      {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", {6}},
      // decalin: two six-membered rings, not the ten-membered perimeter
      {"C C C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 4-6 6-7 7-8 8-9 9-5", {6, 6}},
      // norbornane: two five-membered rings sharing the bridge
      {"C C C C C C C; 0-1 1-2 2-3 3-4 4-0 0-5 5-6 6-3", {5, 5}},
      // spiro[2.2]pentane
      {"C C C C C; 0-1 1-2 2-0 0-3 3-4 4-0", {3, 3}},
      // cubane: five four-membered rings are independent
      {"C C C C C C C C; 0-1 1-2 2-3 3-0 4-5 5-6 6-7 7-4 0-4 1-5 2-6 3-7", {4, 4, 4, 4, 4}},
      // two separate rings joined by a chain
      {"C C C C C C C; 0-1 1-2 2-0 2-3 3-4 4-5 5-6 6-4", {3, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.molecule);
    const auto molecule = MoleculeFrom(c.molecule);
    const std::vector<TRing> rings = SmallestRings(*molecule);
    std::vector<std::size_t> sizes;
    for (const TRing& ring : rings) {
      sizes.push_back(ring.size());
      for (std::size_t k = 0; k < ring.size(); ++k)
        EXPECT_NE(molecule->AdjacencyMatrix()[ring[k]][ring[(k + 1) % ring.size()]], 0) << "ring bond " << k;
    }
    EXPECT_EQ(sizes, c.sizes);
  }
}

}  // namespace
}  // namespace korvane
