#include "gui/generation_status.h"

#include <gtest/gtest.h>

namespace korvane::gui {
namespace {

TEST(GenerationStatus, ProgressIsPerMilleOfTheLastComponentAndZeroBeforeTheFirst) {
  const struct {
    std::int32_t current, last;
    int position;
  } cases[] = {{0, 0, 0}, {7, 0, 0}, {1, 3, 333}, {2, 3, 667}, {3, 3, 1000}, {0, 51, 0}};
  for (const auto& c : cases) EXPECT_EQ(ProgressPosition(c.current, c.last), c.position) << c.current << c.last;
}

TEST(GenerationStatus, RollingEndsExactlyAtTheFloorAndAtTheSavedHeight) {
  const std::vector<int> up = RollUpHeights(560, 40);
  ASSERT_FALSE(up.empty());
  EXPECT_EQ(up.front(), 560 * 8 / 9);
  EXPECT_EQ(up.back(), 40);
  const std::vector<int> down = RollDownHeights(40, 560);
  EXPECT_EQ(down.front(), 45);  // 40 * 9 / 8, rounded
  EXPECT_EQ(down.back(), 560);
  EXPECT_TRUE(std::is_sorted(down.begin(), down.end()));
  EXPECT_TRUE(RollUpHeights(40, 40).empty());
}

}  // namespace
}  // namespace korvane::gui
