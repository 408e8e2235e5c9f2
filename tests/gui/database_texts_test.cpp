#include "gui/database_texts.h"

#include <gtest/gtest.h>

#include "gui/characterisation_report.h"
#include "molecule_builder.h"

namespace korvane::gui {
namespace {

TEST(DatabaseTexts, EditorAndListLinesAndTheIndexReadBackFromThem) {
  EXPECT_EQ(EditorItemLine(4, {"ethane", "C2H6"}), "[4] - ethane ;C2H6");
  EXPECT_EQ(EditorItemLine(12, {"benzene"}), "[12] - benzene");
  EXPECT_EQ(EditorItemLine(3, {}), "[3] ");
  EXPECT_EQ(ListItemLine(1, {"propene", "propylene"}, false), "[ 1 ] propene;propylene");
  EXPECT_EQ(ListItemLine(1, {"propene", "propylene"}, true), "[ 1 ]propene;propylene");

  const struct {
    const char* line;
    std::optional<int> index;
  } cases[] = {{"[4] - ethane ;C2H6", 4}, {"[3] ", 3}, {"[ 7 ]x", 7}, {"[x] - a", {}}, {"4] - [a", {}}, {"", {}}};
  for (const auto& c : cases) EXPECT_EQ(EditorLineIndex(QString::fromLatin1(c.line)), c.index) << c.line;
}

TEST(DatabaseTexts, CaptionQuestionAndSearchText) {
  const QString name = QStringLiteral("Sample hydrocarbons");
  EXPECT_EQ(EditorCaption(&name), "Molecular Database files editor v1.01a:  [Sample hydrocarbons]");
  EXPECT_EQ(EditorCaption(nullptr), "Molecular Database files editor v1.01a:  [ *Blank* ]");
  EXPECT_EQ(NewDatabaseQuestion("/d/my.mdb", "mine", "Ana %1"),
            "Database initial Data: FileName=\"/d/my.mdb\"; DBName=\"mine\"; Note=\"Ana %1\"");
  EXPECT_EQ(SearchTextOf({"propene", "propylene"}), "propene+propylene");
}

TEST(CharacterisationReport, MethylRadical) {
  const auto methyl = testing::MoleculeFrom("C.");
  const QStringList report = CharacterisationReport(*methyl);
  const QStringList expected = {
      "Summary:", "-----------", "", "Count of components of continuity: 1", "Formula:  H3C1", "", "Invariants:",
      "Radical: True", "Cyclic:  False", "Count of atoms:4", "Count Of atoms per type: (0;3;1;0;0;0;0;0;0;0;0)",
      "Graph score I = (4;1;1;1)", "Graph score II = (4;1;1;1)", "", "Molecular structure characterisation:",
      "Atoms type vector = (2; 1; 1; 1)", "Index of atoms that are in cycles: ();", "Adjacency matrix = (",
      "(1; 1; 1; 1);", "(1; 0; 0; 0);", "(1; 0; 0; 0);", "(1; 0; 0; 0);", ")", "Bonds aromatic character matrix = (",
      "(0; 0; 0; 0);", "(0; 0; 0; 0);", "(0; 0; 0; 0);", "(0; 0; 0; 0);", ")", "Distance matrix = (",
      "(0; 1; 1; 1);", "(1; 0; 2; 2);", "(1; 2; 0; 2);", "(1; 2; 2; 0);", ")", "Bonds energy matrix = ("};
  ASSERT_EQ(report.size(), expected.size() + 5);
  EXPECT_EQ(report.mid(0, expected.size()), expected);
  EXPECT_EQ(report.back(), ")");
}

}  // namespace
}  // namespace korvane::gui
