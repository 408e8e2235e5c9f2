#include "gui/component_list.h"

#include "gui/window_text.h"
#include "smiles/smiles_reader.h"

#include <gtest/gtest.h>

#include "network_checks.h"

namespace korvane::gui {
namespace {

TEST(ComponentList, LineNamesThePositionAndANameOtherThanNoname) {
  EXPECT_EQ(ComponentListText(3, "Noname"), "[ 3 ] ");
  EXPECT_EQ(ComponentListText(12, "n-hexane"), "[ 12 ] - n-hexane");
  EXPECT_EQ(ComponentListText(0, ""), "[ 0 ] - ");
}

// An unnamed component's line carries its formula and SMILES after the
// position, which still reads back from the leading "[ n ]" alone.
TEST(ComponentList, UnnamedLineShowsFormulaAndSmilesAndKeepsItsPosition) {
  struct Case {
    const char* name;
    const char* smiles;
    QString line;
  };
  const Case cases[] = {{"Noname", "CC[CH2]", "[ 7 ] C3H7 [CH2]CC"},
                        {"Noname", "c1ccccc1C", "[ 7 ] C7H8 Cc1ccccc1"},
                        {"propyl", "CC[CH2]", "[ 7 ] - propyl"}};
  for (const Case& each : cases) {
    const auto molecule = MoleculeFromSmiles(each.smiles, 7);
    ASSERT_TRUE(molecule) << each.smiles;
    molecule.value()->Name = each.name;
    const QString line = ComponentListText(*molecule.value());
    EXPECT_EQ(line, each.line);
    EXPECT_EQ(ListPosition(line), 7);
  }
  EXPECT_EQ(ListPosition(QStringLiteral("[ 12 ] C2H5 C[CH2] [ 3 ]")), 12);
}

// The built-in components (0 H, 1 He, 2 N2, 3 H2O) and five feeds.
class ComponentFilterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* feed : {"C C C; 0-1 1-2",                             // 4 propane
                             "C C C; 0-1 1=2",                             // 5 propene
                             "C. C; 0-1",                                  // 6 ethyl
                             "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0",       // 7 benzene
                             "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0"})      // 8 cyclohexane
      testing::AddFeed(network, feed);
  }
  TReactionNetwork network;
};

TEST_F(ComponentFilterTest, ListsTheComponentsPassingAllFourGroups) {
  ComponentFilter all{true, true, true, true, true, true, true, false, 0};
  const std::vector<int> everything{0, 1, 2, 3, 4, 5, 6, 7, 8};
  EXPECT_EQ(ListedComponents(network, std::nullopt), everything);
  EXPECT_EQ(ListedComponents(network, all), everything);

  struct Case {
    const char* name;
    ComponentFilter filter;
    std::vector<int> listed;
  };
  auto with = [all](auto change) {
    ComponentFilter filter = all;
    change(filter);
    return filter;
  };
  const Case cases[] = {
      {"no kind", with([](auto& f) { f.Molecules = f.Radicals = false; }), {}},
      {"radicals", with([](auto& f) { f.Molecules = false; }), {0, 6}},
      {"molecules", with([](auto& f) { f.Radicals = false; }), {1, 2, 3, 4, 5, 7, 8}},
      {"nonsaturated", with([](auto& f) { f.Saturated = false; }), {2, 5}},
      {"no saturation", with([](auto& f) { f.Saturated = f.Nonsaturated = false; }), {}},
      {"aromatic", with([](auto& f) { f.Cyclic = f.Acyclic = false; }), {7}},
      {"cyclic", with([](auto& f) { f.Aromatic = f.Acyclic = false; }), {7, 8}},
      {"no rings group", with([](auto& f) { f.Aromatic = f.Cyclic = f.Acyclic = false; }), {}},
      {"C3", with([](auto& f) { f.OnlyFraction = true, f.Fraction = 3; }), {4, 5}},
      {"C0", with([](auto& f) { f.OnlyFraction = true; }), {0, 1, 2, 3}},
  };
  for (const Case& c : cases) EXPECT_EQ(ListedComponents(network, c.filter), c.listed) << c.name;
}

}  // namespace
}  // namespace korvane::gui
