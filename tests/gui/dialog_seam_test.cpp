#include "gui/dialog_seam.h"

#include <gtest/gtest.h>

namespace korvane::gui {
namespace {

// Filters in the program's "text|patterns" form: Qt's form, and the
// extension a save dialog adds (the first pattern's, when it has one).
TEST(DialogSeam, FiltersTakeQtsFormAndGiveTheSaveExtension) {
  const struct {
    const char* filter;
    const char* qt;
    const char* suffix;
  } cases[] = {
      {"", "", ""},
      {"Reaction network files|*.rnw", "Reaction network files (*.rnw)", "rnw"},
      {"Molecullar DataBase Files *.mdb|*mdb", "Molecullar DataBase Files *.mdb (*mdb)", ""},
      {"Molecullar Structure Files *.mdb|*.ms", "Molecullar Structure Files *.mdb (*.ms)", "ms"},
      {"Structures|*.ms;*.mol|All|*", "Structures (*.ms *.mol);;All (*)", "ms"},
      {"All|*", "All (*)", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QtFileFilter(QString::fromLatin1(c.filter)), c.qt) << c.filter;
    EXPECT_EQ(DefaultSuffix(QString::fromLatin1(c.filter)), c.suffix) << c.filter;
  }
}

}  // namespace
}  // namespace korvane::gui
