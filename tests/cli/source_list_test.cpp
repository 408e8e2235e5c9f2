#include "cli/source_list.h"

#include <gtest/gtest.h>

#include "cli/cli_common.h"

namespace korvane {
namespace {

std::string Problem(const std::string& text) {
  try {
    ParseSourceList(text, "list.txt");
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

TEST(SourceList, ReadsFieldsAndSynonymsWithSpaces) {
  const auto entries = ParseSourceList(
      "# species\n\n"
      "propene   CC=C   C3H6   propene; propylene ;methyl ethylene;\r\n"
      "  # indented comment\n"
      "2,3-dimethylbutane CC(C)C(C)C C6H14 2,3-dimethylbutane\n",
      "list.txt");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].Line, 3u);
  EXPECT_EQ(entries[0].Stem, "propene");
  EXPECT_EQ(entries[0].Smiles, "CC=C");
  EXPECT_EQ(entries[0].Formula, "C3H6");
  EXPECT_EQ(entries[0].Synonyms, (TStrVector{"propene", "propylene", "methyl ethylene"}));
  EXPECT_EQ(entries[1].Line, 5u);
  EXPECT_EQ(entries[1].Stem, "2,3-dimethylbutane");
}

TEST(SourceList, RefusesIncompleteLinesUnsafeStemsAndRepeatedStems) {
  EXPECT_EQ(Problem("a CC C2H6 ethane\nb CC C2H6\n").rfind("list.txt:2: expected", 0), 0u);
  EXPECT_EQ(Problem("a CC C2H6 ;;\n").rfind("list.txt:1: expected", 0), 0u);
  EXPECT_EQ(Problem("../up CC C2H6 ethane\n").rfind("list.txt:1: ", 0), 0u);
  EXPECT_EQ(Problem(".hidden CC C2H6 ethane\n").rfind("list.txt:1: ", 0), 0u);
  EXPECT_EQ(Problem("a CC C2H6 ethane\na C C H4 methane\n"), "list.txt:2: the file stem a is used twice");
}

}  // namespace
}  // namespace korvane
