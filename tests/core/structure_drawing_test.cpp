#include "core/structure_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "molecule_builder.h"
#include "recording_canvas.h"

namespace korvane {
namespace {

using testing::CanvasCall;
using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::RecordingCanvas;

constexpr int kWidth = 256, kHeight = 150, kSize = 7;
constexpr int kUnit = kWidth / kSize;  // 36 pixels per bond

struct Drawn {
  RecordingCanvas canvas{kWidth, kHeight};
  std::vector<std::string> messages;
};

Drawn Draw(const TMolecule& molecule, std::uint8_t size = kSize, std::uint8_t penWidth = 1,
           Colour pen = kBlack) {
  Drawn drawn;
  DrawMolecule(drawn.canvas, molecule, size, penWidth, pen,
               [&drawn](const std::string& message) { drawn.messages.push_back(message); });
  return drawn;
}

struct Point {
  double x, y;
};

std::vector<Point> Centres(const RecordingCanvas& canvas) {
  std::vector<Point> centres;
  for (const CanvasCall& circle : canvas.Of(CanvasCall::kEllipse)) {
    EXPECT_EQ(circle.x2 - circle.x1, 2 * kAtomRadius);
    EXPECT_EQ(circle.y2 - circle.y1, 2 * kAtomRadius);
    centres.push_back({(circle.x1 + circle.x2) / 2.0, (circle.y1 + circle.y2) / 2.0});
  }
  return centres;
}

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(DrawMolecule, EthaneIsTwoWhiteCirclesOneUnitApartWithTheBondDrawnFromBothEnds) {
  const Colour blue{0, 0, 200};
  Drawn drawn = Draw(*MoleculeFrom("C C; 0-1"), kSize, 2, blue);
  const std::vector<Point> centres = Centres(drawn.canvas);
  ASSERT_EQ(centres.size(), 2u);
  EXPECT_NEAR(Distance(centres[0], centres[1]), kUnit, 1.0);
  for (const CanvasCall& circle : drawn.canvas.Of(CanvasCall::kEllipse)) EXPECT_EQ(circle.brush, kWhite);
  for (const CanvasCall& call : drawn.canvas.calls) {
    EXPECT_EQ(call.pen, blue);
    EXPECT_EQ(call.penWidth, 2);
  }
  // One bond, listed by both atoms: two identical lines, opposite ways.
  const auto lines = drawn.canvas.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].x1, lines[1].x2);
  EXPECT_EQ(lines[0].y1, lines[1].y2);
  EXPECT_EQ(lines[0].x1, centres[0].x);
  EXPECT_EQ(lines[0].y2, centres[1].y);
  EXPECT_TRUE(drawn.messages.empty());
}

TEST(DrawMolecule, BenzeneIsARegularHexagonWithSolidAndDottedLinesOnBothSides) {
  Drawn drawn = Draw(*MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"));
  const std::vector<Point> centres = Centres(drawn.canvas);
  ASSERT_EQ(centres.size(), 6u);
  Point mean{0, 0};
  for (Point c : centres) mean = {mean.x + c.x / 6, mean.y + c.y / 6};
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_NEAR(Distance(centres[i], mean), kUnit, 1.5) << i;
    EXPECT_NEAR(Distance(centres[i], centres[(i + 1) % 6]), kUnit, 1.5) << i;
  }
  const auto lines = drawn.canvas.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 24u);  // 6 bonds x 2 ends x (solid + dotted)
  for (std::size_t i = 0; i < 6; ++i) {
    const Point a = centres[i], b = centres[(i + 1) % 6];
    int solid[2] = {0, 0}, dotted[2] = {0, 0};
    for (const CanvasCall& line : lines) {
      const Point p{double(line.x1), double(line.y1)}, q{double(line.x2), double(line.y2)};
      const bool sameWay = Distance(p, a) < 3 && Distance(q, b) < 3;
      if (!sameWay && !(Distance(p, b) < 3 && Distance(q, a) < 3)) continue;
      // Side of the bond axis a->b the line runs on.
      const double cross = (b.x - a.x) * ((p.y + q.y) / 2 - a.y) - (b.y - a.y) * ((p.x + q.x) / 2 - a.x);
      ASSERT_GT(std::fabs(cross), 0.0);
      (line.penStyle == PenStyle::Dotted ? dotted : solid)[cross > 0] += 1;
    }
    EXPECT_EQ(solid[0], 1) << "bond " << i;
    EXPECT_EQ(solid[1], 1) << "bond " << i;
    EXPECT_EQ(dotted[0], 1) << "bond " << i;
    EXPECT_EQ(dotted[1], 1) << "bond " << i;
  }
}

TEST(DrawMolecule, RadicalCentresAreRedAndUnpairedElectronsAreZeroLengthLines) {
  Drawn ethyl = Draw(*MoleculeFrom("C. C; 0-1"));
  const auto circles = ethyl.canvas.Of(CanvasCall::kEllipse);
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0].brush, kRed);
  EXPECT_EQ(circles[1].brush, kWhite);
  const auto lines = ethyl.canvas.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 3u);
  const int zeroLength = std::count_if(lines.begin(), lines.end(), [](const CanvasCall& l) {
    return l.x1 == l.x2 && l.y1 == l.y2;
  });
  EXPECT_EQ(zeroLength, 1);
  // Circles come after every line, so no bond crosses the red fill.
  const auto& calls = ethyl.canvas.calls;
  auto firstCircle = std::find_if(calls.begin(), calls.end(), [](const CanvasCall& c) { return c.kind == CanvasCall::kEllipse; });
  EXPECT_TRUE(std::none_of(firstCircle, calls.end(), [](const CanvasCall& c) { return c.kind == CanvasCall::kLine; }));

  // Two unpaired electrons on one atom are two single self entries, not a
  // double bond of no length; the atom is not a radical centre.
  Drawn carbene = Draw(*MoleculeFrom("C.. C; 0-1"));
  EXPECT_TRUE(carbene.messages.empty());
  EXPECT_EQ(carbene.canvas.Of(CanvasCall::kLine).size(), 4u);
  EXPECT_EQ(carbene.canvas.Of(CanvasCall::kEllipse)[0].brush, kWhite);
}

TEST(DrawMolecule, PicturesAreCentredOnTheBitmap) {
  for (const char* description : {"C C C C; 0-1 1-2 1-3", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",
                                  "C C c c c c c c; 0=1 1-2 2:3 3:4 4:5 5:6 6:7 7:2", "C. C C; 0-1 1=2"}) {
    Drawn drawn = Draw(*MoleculeFrom(description));
    const std::vector<Point> centres = Centres(drawn.canvas);
    ASSERT_FALSE(centres.empty());
    Point mean{0, 0};
    for (Point c : centres) mean = {mean.x + c.x / centres.size(), mean.y + c.y / centres.size()};
    EXPECT_NEAR(mean.x, kWidth / 2, 0.5) << description;
    EXPECT_NEAR(mean.y, kHeight / 2, 0.5) << description;
  }
}

TEST(DrawMolecule, ALongChainShrinksToFitWhileSmallOnesKeepTheUnit) {
  // Sixteen carbons span 7.5 bonds, 270 pixels at 36 per bond: too wide.
  Drawn drawn = Draw(*MoleculeFrom(LinearAlkane(16)));
  const std::vector<Point> centres = Centres(drawn.canvas);
  ASSERT_EQ(centres.size(), 16u);
  for (const CanvasCall& circle : drawn.canvas.Of(CanvasCall::kEllipse)) {
    EXPECT_GE(circle.x1, 0);
    EXPECT_LT(circle.x2, kWidth);
  }
  const double bond = Distance(centres[0], centres[1]);
  EXPECT_LT(bond, kUnit - 2);
  for (std::size_t i = 1; i + 1 < 16; ++i) EXPECT_NEAR(Distance(centres[i], centres[i + 1]), bond, 1.5);
}

TEST(DrawMolecule, SingleAtomsAreTextCentredOnTheBitmap) {
  Drawn hydrogen = Draw(*MoleculeFrom("H."));
  auto texts = hydrogen.canvas.Of(CanvasCall::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "H");
  EXPECT_EQ(texts[0].font, kRed);
  EXPECT_EQ(texts[0].x1, (kWidth - 8) / 2);
  EXPECT_EQ(texts[0].y1, (kHeight - 14) / 2);

  // Helium is black whatever the pen colour.
  Drawn helium = Draw(*MoleculeFrom("He.."), kSize, 1, kRed);
  texts = helium.canvas.Of(CanvasCall::kText);
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].text, "He");
  EXPECT_EQ(texts[0].font, kBlack);
  EXPECT_EQ(texts[0].x1, (kWidth - 16) / 2);
}

std::string Texts(const RecordingCanvas& canvas) {
  std::string joined;
  for (const CanvasCall& text : canvas.Of(CanvasCall::kText))
    joined += text.text + (text.fontScale < 1 ? "_" : "") + (text.font == kRed ? "r" : "") + " ";
  return joined;
}

TEST(DrawMolecule, SmallMoleculesAreTextFormulas) {
  Drawn water = Draw(*MoleculeFrom("O"));
  EXPECT_EQ(Texts(water.canvas), "H 2_ O ");
  const auto parts = water.canvas.Of(CanvasCall::kText);
  // "H" 8, subscript "2" 5 and "O" 8 pixels wide: 21 in all, centred.
  EXPECT_EQ(parts[0].x1, (kWidth - 21) / 2);
  EXPECT_EQ(parts[1].x1, parts[0].x1 + 8);
  EXPECT_EQ(parts[2].x1, parts[1].x1 + 5);
  EXPECT_GT(parts[1].y1, parts[0].y1);  // the subscript hangs lower

  EXPECT_EQ(Texts(Draw(*MoleculeFrom("C.")).canvas), "Cr H 3_ ");
  EXPECT_EQ(Texts(Draw(*MoleculeFrom("C")).canvas), "C H 4_ ");
  EXPECT_TRUE(Draw(*MoleculeFrom("C")).canvas.Of(CanvasCall::kEllipse).empty());
  // Methanimine has five atoms but is no methane: a skeleton of two atoms.
  EXPECT_EQ(Draw(*MoleculeFrom("N C; 0=1")).canvas.Of(CanvasCall::kEllipse).size(), 2u);
  // Four atoms without one or two carbons (ammonia) and two atoms that are
  // neither H2 nor N2 are left blank.
  EXPECT_TRUE(Draw(*MoleculeFrom("N")).canvas.calls.empty());
  auto heliumPair = TMolecule::FromStructure(0, TByteMatrix(2, 2, 0), TByteVector{kHelium, kHelium},
                                             TBoolMatrix(2, 2, false));
  EXPECT_TRUE(Draw(*heliumPair).canvas.calls.empty());
}

TEST(DrawMolecule, TwoAtomTemplatesSpanOneUnitWithLabelsTwoPixelsOutside) {
  const int x1 = kWidth / 2 - kUnit / 2, x2 = x1 + kUnit, y = kHeight / 2;
  Drawn acetylene = Draw(*MoleculeFrom("C C; 0#1"));
  const auto lines = acetylene.canvas.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].x1, x1);
  EXPECT_EQ(lines[0].x2, x2);
  EXPECT_EQ(lines[0].y1, y);
  EXPECT_EQ(lines[1].y1, y - 3);
  EXPECT_EQ(lines[2].y1, y + 3);
  const auto labels = acetylene.canvas.Of(CanvasCall::kText);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].text, "CH");
  EXPECT_EQ(labels[0].x1, x1 - 2 - 16);
  EXPECT_EQ(labels[1].x1, x2 + 2);
  EXPECT_EQ(labels[0].y1, y - 7);

  Drawn hydrogen = Draw(*MoleculeFrom("H"));
  EXPECT_EQ(Texts(hydrogen.canvas), "H H ");
  EXPECT_EQ(hydrogen.canvas.Of(CanvasCall::kLine).size(), 1u);
  Drawn nitrogen = Draw(*MoleculeFrom("N N; 0#1"), kSize, 1, Colour{0, 0, 200});
  EXPECT_EQ(nitrogen.canvas.Of(CanvasCall::kText)[1].text, "N");
  EXPECT_EQ(nitrogen.canvas.Of(CanvasCall::kText)[1].font, (Colour{0, 0, 200}));
  EXPECT_EQ(nitrogen.canvas.Of(CanvasCall::kLine).size(), 3u);
}

TEST(DrawMolecule, NaphthaleneReportsTheRingAndTheDrawingStillCompletes) {
  Drawn drawn = Draw(*MoleculeFrom("c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5"));
  EXPECT_EQ(drawn.messages, std::vector<std::string>{kUnknownCycleMessage});
  // Every atom is drawn, unplaced at the centre; aromatic bonds of no length
  // draw nothing.
  for (Point c : Centres(drawn.canvas)) {
    EXPECT_EQ(c.x, kWidth / 2);
    EXPECT_EQ(c.y, kHeight / 2);
  }
  EXPECT_EQ(drawn.canvas.Of(CanvasCall::kEllipse).size(), 10u);
  EXPECT_TRUE(drawn.canvas.Of(CanvasCall::kLine).empty());
}

TEST(DrawMolecule, ArithmeticFailuresAreReportedAndStopTheDrawing) {
  Drawn noSize = Draw(*MoleculeFrom("C C; 0-1"), 0);
  EXPECT_EQ(noSize.messages, std::vector<std::string>{kDivisionByZeroMessage});
  EXPECT_TRUE(noSize.canvas.Of(CanvasCall::kEllipse).empty());

  // Three hydrogen molecules in one structure: no skeleton to average.
  Drawn noSkeleton = Draw(*MoleculeFrom("H H H"));
  EXPECT_EQ(noSkeleton.messages, std::vector<std::string>{kInvalidOperationMessage});

  // Kekule naphthalene: the unplaced atoms meet at one point, where a double
  // bond has no direction.
  Drawn kekule = Draw(*MoleculeFrom("C C C C C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0 4-6 6=7 7-8 8=9 9-5"));
  EXPECT_EQ(kekule.messages, (std::vector<std::string>{kUnknownCycleMessage, kInvalidOperationMessage}));
  EXPECT_TRUE(kekule.canvas.Of(CanvasCall::kEllipse).empty());
}

TEST(RenderBond, OffsetsFollowTheUnitNormal) {
  RecordingCanvas canvas(100, 100);
  auto lines = [&canvas] {
    std::vector<std::vector<int>> out;
    for (const CanvasCall& l : canvas.Of(CanvasCall::kLine)) out.push_back({l.x1, l.y1, l.x2, l.y2, l.penStyle == PenStyle::Dotted});
    canvas.calls.clear();
    return out;
  };
  // Horizontal, left to right: the normal (-dy, dx) / L is (0, 1).
  EXPECT_TRUE(RenderBond(canvas, 10, 20, 40, 20, 2, false));
  EXPECT_EQ(lines(), (std::vector<std::vector<int>>{{10, 18, 40, 18, 0}, {10, 22, 40, 22, 0}}));
  RenderBond(canvas, 10, 20, 40, 20, 3, false);
  EXPECT_EQ(lines(), (std::vector<std::vector<int>>{{10, 20, 40, 20, 0}, {10, 17, 40, 17, 0}, {10, 23, 40, 23, 0}}));
  RenderBond(canvas, 10, 20, 40, 20, 1, true);
  EXPECT_EQ(lines(), (std::vector<std::vector<int>>{{10, 18, 40, 18, 0}, {10, 22, 40, 22, 1}}));
  // (0,0)-(30,40): L = 50, n = (-0.8, 0.6); -2n = (1.6, -1.2) rounds to (2, -1).
  RenderBond(canvas, 0, 0, 30, 40, 2, false);
  EXPECT_EQ(lines(), (std::vector<std::vector<int>>{{2, -1, 32, 39, 0}, {-2, 1, 28, 41, 0}}));
  // Zero length: a single bond is a point, an aromatic one nothing, and a
  // double or triple one cannot be drawn.
  EXPECT_TRUE(RenderBond(canvas, 5, 5, 5, 5, 1, false));
  EXPECT_EQ(lines().size(), 1u);
  EXPECT_TRUE(RenderBond(canvas, 5, 5, 5, 5, 1, true));
  EXPECT_FALSE(RenderBond(canvas, 5, 5, 5, 5, 2, false));
  EXPECT_FALSE(RenderBond(canvas, 5, 5, 5, 5, 3, false));
  EXPECT_TRUE(lines().empty());
}

}  // namespace
}  // namespace korvane
