#include "gui/user_guide.h"

#include <gtest/gtest.h>

#include "gui_test_support.h"

namespace korvane {
namespace {

TEST(UserGuide, TakesTheDesktopSectionWithItsSubsections) {
  const QString readme = QStringLiteral(
      "# Title\n\n## Getting started\nbuild\n\n## The desktop program\nwindows\n\n### Saving\nnothing lost\n"
      "## The network file\nformat\n");
  EXPECT_EQ(gui::DesktopGuide(readme), "## The desktop program\nwindows\n\n### Saving\nnothing lost\n");
  // The last section runs to the end; a text without it gives nothing.
  EXPECT_EQ(gui::DesktopGuide(QStringLiteral("## The desktop program\nonly")), "## The desktop program\nonly\n");
  EXPECT_EQ(gui::DesktopGuide(QStringLiteral("## The desktop programs\n## Other\n")), "");
  // The README shipped with the program has the section.
  EXPECT_TRUE(gui::DesktopGuide(QString::fromUtf8(testing::ReadFile(testing::SourceReadme()))).contains("A typical day"));
}

}  // namespace
}  // namespace korvane
