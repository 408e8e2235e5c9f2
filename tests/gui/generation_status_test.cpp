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

}  // namespace
}  // namespace korvane::gui
