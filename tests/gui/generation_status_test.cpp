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

// A limit ends a run as a stop does, and its message says which limit.
TEST(GenerationStatus, ALimitsEndMessageSaysWhichLimitStoppedTheRun) {
  const QString incomplete = QStringLiteral(
      ". The network is incomplete: it holds the components processed so far, closed by recombination.");
  const std::pair<TGenerationOutcome, QString> cases[] = {
      {{TGenerationEnd::ComponentLimitReached, "the network grew past its limit of 20 components"},
       QStringLiteral("Generation stopped: the network grew past its limit of 20 components") + incomplete},
      {{TGenerationEnd::MemoryLimitReached, "the network's estimated memory of 1.01 MiB passed its limit of 1 MiB"},
       QStringLiteral("Generation stopped: the network's estimated memory of 1.01 MiB passed its limit of 1 MiB") +
           incomplete +
           QStringLiteral(" Raise \"Memory limit (MiB):\" on the preferences page, up to the physical memory, to "
                          "let a run go further.")},
  };
  for (const auto& [outcome, message] : cases) {
    EXPECT_EQ(RunEndMessage(outcome), message);
    EXPECT_EQ(RunStatusText(outcome), "Stopped at a limit");
  }
  EXPECT_EQ(RunStatusText({TGenerationEnd::Completed, ""}), "Completed");
  EXPECT_EQ(RunStatusText({TGenerationEnd::Stopped, ""}), "Stopped");
  EXPECT_EQ(RunEndCaption(QStringLiteral("error")), "Reaction network \"error\"");
}

}  // namespace
}  // namespace korvane::gui
