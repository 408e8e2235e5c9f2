#include "core/structure_sketch.h"

#include <gtest/gtest.h>

#include <cmath>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

std::vector<std::string> LabelTexts(const StructureSketch& sketch) {
  std::vector<std::string> texts;
  for (const SketchLabel& label : sketch.Labels()) texts.push_back(label.Text);
  return texts;
}

std::size_t Place(StructureSketch& sketch, SketchAtomKind kind, int x = 10, int y = 10) {
  sketch.ChooseAtomKind(kind);
  return *sketch.PlaceAtom({x, y});
}

TEST(StructureSketch, CompletionFillsEachValenceOnceAndShowsTheHydrogensOnTheLabel) {
  StructureSketch methane;
  Place(methane, SketchAtomKind::Carbon);
  EXPECT_EQ(methane.CompleteWithHydrogens(), 4u);
  EXPECT_EQ(methane.CompleteWithHydrogens(), 0u);
  const auto expected = MoleculeFrom("C");  // hydrogens numbered after their atom, as a completion adds them
  EXPECT_EQ(methane.AtomTypes(), expected->AtomTypes());
  EXPECT_EQ(methane.AdjacencyMatrix(), expected->AdjacencyMatrix());
  EXPECT_EQ(LabelTexts(methane), (std::vector<std::string>{"C(0)HHHH"}));

  // An unpaired electron counts against the valence, set once however often
  // the label is clicked.
  StructureSketch methyl;
  Place(methyl, SketchAtomKind::Carbon);
  methyl.ToggleUnpairedElectronMode();
  EXPECT_TRUE(methyl.ClickAtom(0));
  EXPECT_TRUE(methyl.ClickAtom(0));
  EXPECT_TRUE(methyl.IsRadicalCentre(0));
  EXPECT_EQ(methyl.CompleteWithHydrogens(), 3u);
  EXPECT_EQ(LabelTexts(methyl), (std::vector<std::string>{"C(0)HHH"}));

  // An aromatic carbon has valence 3; its aromatic bonds count 1 each.
  StructureSketch ring;
  for (int i = 0; i < 3; ++i) Place(ring, SketchAtomKind::AromaticCarbon, 10 + 40 * i);
  ring.SetBond(0, 1, SketchBondKind::Aromatic);
  ring.SetBond(0, 2, SketchBondKind::Aromatic);
  EXPECT_EQ(ring.CompleteWithHydrogens(), 5u);
  EXPECT_EQ(LabelTexts(ring), (std::vector<std::string>{"C(0)H", "C(1)HH", "C(2)HH"}));
  EXPECT_TRUE(ring.AromaticMatrix()[0][1] && ring.AromaticMatrix()[2][0]);

  // Atoms placed after a completion are numbered after its hydrogens.
  EXPECT_EQ(Place(methane, SketchAtomKind::Hydrogen), 5u);
  EXPECT_EQ(methane.Labels().back().Text, "H(5)");
  methane.Clear();
  EXPECT_TRUE(methane.AdjacencyMatrix().empty() && methane.AtomTypes().empty() && methane.AromaticMatrix().empty());
  EXPECT_TRUE(methane.Labels().empty() && methane.Bonds().empty());
}

TEST(StructureSketch, BondsNeedTwoClicksAndASecondBondReplacesTheFirst) {
  StructureSketch sketch;
  EXPECT_FALSE(sketch.PlaceAtom({5, 5}));  // no atom kind chosen
  Place(sketch, SketchAtomKind::Carbon);
  Place(sketch, SketchAtomKind::Carbon);
  sketch.ChooseBondKind(SketchBondKind::Double);
  EXPECT_FALSE(sketch.ClickAtom(0));
  EXPECT_EQ(sketch.FirstAtom(), 0u);
  sketch.ChooseBondKind(SketchBondKind::Single);  // cancels the selection
  EXPECT_FALSE(sketch.FirstAtom());
  EXPECT_FALSE(sketch.ClickAtom(1));
  EXPECT_TRUE(sketch.ClickAtom(0));
  EXPECT_EQ(sketch.AdjacencyMatrix()[0][1], 1);

  sketch.SetBond(0, 1, SketchBondKind::Aromatic);
  sketch.SetBond(1, 0, SketchBondKind::Triple);
  // A bond from an atom to itself gives it unpaired electrons, never an aromatic mark.
  sketch.SetBond(1, 1, SketchBondKind::Aromatic);
  EXPECT_EQ(sketch.AdjacencyMatrix(), (TByteMatrix{{0, 3}, {3, 1}}));
  EXPECT_EQ(sketch.AromaticMatrix(), (TBoolMatrix{{false, false}, {false, false}}));
  ASSERT_EQ(sketch.Bonds().size(), 1u);
  EXPECT_EQ(sketch.Bonds()[0].Kind, SketchBondKind::Triple);

  sketch.ToggleUnpairedElectronMode();
  sketch.ClickAtom(0);
  sketch.StartOpening();
  EXPECT_FALSE(sketch.UnpairedElectronMode());
  EXPECT_EQ(sketch.BondKind(), SketchBondKind::Single);
}

TEST(StructureSketch, BondLinesAreShiftedFourPixelsAcrossTheBond) {
  // dx = 30, dy = 40, length 50: the offset (4*40/50, -4*30/50) rounds to (3, -2).
  const SketchPoint a{0, 0}, b{30, 40};
  const SketchLine axis{a, b, false};
  EXPECT_EQ(BondLines(a, b, SketchBondKind::Single), (std::vector<SketchLine>{axis}));
  EXPECT_EQ(BondLines(a, b, SketchBondKind::Double), (std::vector<SketchLine>{axis, {{3, -2}, {33, 38}, false}}));
  EXPECT_EQ(BondLines(a, b, SketchBondKind::Triple),
            (std::vector<SketchLine>{axis, {{3, -2}, {33, 38}, false}, {{-3, 2}, {27, 42}, false}}));
  EXPECT_EQ(BondLines(a, b, SketchBondKind::Aromatic), (std::vector<SketchLine>{axis, {{3, -2}, {33, 38}, true}}));
  EXPECT_EQ(BondLines(a, a, SketchBondKind::Double), (std::vector<SketchLine>{{a, a, false}}));
}

TEST(StructureSketch, AddedMoleculesAreLaidOutInsideTheBoundsAfterThePresentAtoms) {
  StructureSketch sketch;
  Place(sketch, SketchAtomKind::Carbon);
  const auto propene = MoleculeFrom("C C C; 0-1 1=2");
  const SketchBounds bounds{0, 0, 700, 400};
  ASSERT_TRUE(sketch.AddMolecule(*propene, {350, 200}, bounds, 60));
  ASSERT_EQ(sketch.AtomCount(), 10u);
  for (std::size_t i = 0; i < 9; ++i)
    for (std::size_t j = 0; j < 9; ++j) EXPECT_EQ(sketch.AdjacencyMatrix()[1 + i][1 + j], propene->AdjacencyMatrix()[i][j]);
  EXPECT_EQ(sketch.AdjacencyMatrix()[0][1], 0);
  EXPECT_EQ(LabelTexts(sketch), (std::vector<std::string>{"C(0)", "C(1)HHH", "C(2)H", "C(3)HH"}));
  ASSERT_EQ(sketch.Bonds().size(), 2u);
  EXPECT_EQ(sketch.Bonds()[1].Kind, SketchBondKind::Double);
  const SketchPoint c1 = sketch.Labels()[1].Corner, c2 = sketch.Labels()[2].Corner;
  EXPECT_NEAR(std::hypot(c2.X - c1.X, c2.Y - c1.Y), 60.0, 1.0);

  // A centre near the edge moves inward and a small area shortens the bonds;
  // hydrogen bonded to no polyvalent atom is labelled itself.
  StructureSketch corner;
  const SketchBounds small{10, 10, 70, 40};
  ASSERT_TRUE(corner.AddMolecule(*MoleculeFrom("C C C C C C; 0-1 1-2 2-3 3-4 4-5"), {0, 0}, small, 60));
  for (const SketchLabel& label : corner.Labels())
    EXPECT_TRUE(label.Corner.X >= 10 && label.Corner.X <= 70 && label.Corner.Y >= 10 && label.Corner.Y <= 40);
  StructureSketch hydrogen;
  ASSERT_TRUE(hydrogen.AddMolecule(*MoleculeFrom("H H; 0-1"), {100, 100}, bounds, 60));
  EXPECT_EQ(LabelTexts(hydrogen), (std::vector<std::string>{"H(0)", "H(1)"}));

  // Past 255 atoms nothing is added.
  const auto large = MoleculeFrom(testing::LinearAlkane(6));  // 20 atoms
  const std::size_t present = sketch.AtomCount();
  while (sketch.AtomCount() + large->AtomCount() <= kMaxAtoms) ASSERT_TRUE(sketch.AddMolecule(*large, {0, 0}, bounds, 60));
  const std::size_t full = sketch.AtomCount();
  EXPECT_FALSE(sketch.AddMolecule(*large, {0, 0}, bounds, 60));
  EXPECT_EQ(sketch.AtomCount(), full);
  EXPECT_GT(full, present);
}

}  // namespace
}  // namespace korvane
