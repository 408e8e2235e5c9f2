#include "gui/dialog_seam.h"

#include <gtest/gtest.h>

namespace korvane::gui {
namespace {

TEST(DialogSeam, FiltersTakeQtsForm) {
  const struct {
    const char* filter;
    const char* qt;
  } cases[] = {
      {"", ""},
      {"Reaction network files|*.rnw", "Reaction network files (*.rnw)"},
      {"Molecullar DataBase Files *.mdb|*mdb", "Molecullar DataBase Files *.mdb (*mdb)"},
      {"Structures|*.ms;*.mol|All|*", "Structures (*.ms *.mol);;All (*)"},
  };
  for (const auto& c : cases) EXPECT_EQ(QtFileFilter(QString::fromLatin1(c.filter)), c.qt) << c.filter;
}

TEST(DialogSeam, SaveDialogsAddTheFirstPatternsExtension) {
  const struct {
    const char* filter;
    const char* suffix;
  } cases[] = {
      {"Reaction network files|*.rnw", "rnw"},
      {"Molecullar Structure Files *.mdb|*.ms", "ms"},
      {"Structures|*.ms;*.mol|All|*", "ms"},
      {"Molecullar DataBase Files *.mdb|*mdb", ""},
      {"All|*", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DefaultSuffix(QString::fromLatin1(c.filter)), c.suffix) << c.filter;
}

}  // namespace
}  // namespace korvane::gui
