#include "core/structure_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "molecule_builder.h"
#include "recording_canvas.h"

namespace korvane {
namespace {

using testing::CanvasCall;
using testing::MoleculeFrom;
using testing::RecordingCanvas;

constexpr int kWidth = 256, kHeight = 150, kSize = 7;
constexpr int kUnit = kWidth / kSize;  // 36 pixels per bond
constexpr Colour kBlue{0, 0, 200};

struct Drawn {
  RecordingCanvas canvas{kWidth, kHeight};
  std::vector<std::string> messages;
};

// Drawn with pen width 2 in kBlue.
Drawn Draw(const std::string& description, std::uint8_t size = kSize) {
  Drawn drawn;
  DrawMolecule(drawn.canvas, *MoleculeFrom(description), size, 2, kBlue,
               [&drawn](const std::string& message) { drawn.messages.push_back(message); });
  return drawn;
}

struct Point {
  double x, y;
};

double Distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

std::vector<Point> Centres(const RecordingCanvas& canvas) {
  std::vector<Point> centres;
  for (const CanvasCall& circle : canvas.Of(CanvasCall::kEllipse)) {
    EXPECT_EQ(circle.x2 - circle.x1, 2 * kAtomRadius);
    centres.push_back({(circle.x1 + circle.x2) / 2.0, (circle.y1 + circle.y2) / 2.0});
  }
  return centres;
}

Point Mean(const std::vector<Point>& points) {
  Point mean{0, 0};
  for (Point p : points) mean = {mean.x + p.x / points.size(), mean.y + p.y / points.size()};
  return mean;
}

TEST(DrawMolecule, EthaneIsTwoWhiteCirclesOneUnitApartJoinedByTheirBond) {
  Drawn drawn = Draw("C C; 0-1");
  const std::vector<Point> centres = Centres(drawn.canvas);
  ASSERT_EQ(centres.size(), 2u);
  EXPECT_NEAR(Distance(centres[0], centres[1]), kUnit, 1.0);
  for (const CanvasCall& circle : drawn.canvas.Of(CanvasCall::kEllipse)) EXPECT_EQ(circle.brush, kWhite);
  for (const CanvasCall& call : drawn.canvas.calls) EXPECT_TRUE(call.pen == kBlue && call.penWidth == 2);
  // The bond, listed by both atoms, runs from centre to centre both ways.
  const auto lines = drawn.canvas.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(lines[0].x1 == centres[0].x && lines[0].y1 == centres[0].y && lines[0].x2 == centres[1].x &&
              lines[0].y2 == centres[1].y);
  EXPECT_TRUE(lines[1].x1 == lines[0].x2 && lines[1].y1 == lines[0].y2 && lines[1].x2 == lines[0].x1 &&
              lines[1].y2 == lines[0].y1);
  EXPECT_TRUE(drawn.messages.empty());
}

TEST(DrawMolecule, BenzeneBondsHaveASolidAndADottedLineOnBothSides) {
  Drawn drawn = Draw("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0");
  const std::vector<Point> centres = Centres(drawn.canvas);
  ASSERT_EQ(centres.size(), 6u);
  // Each bond, drawn from both ends, has a solid and a dotted line on each side of its axis.
  const auto lines = drawn.canvas.Of(CanvasCall::kLine);
  ASSERT_EQ(lines.size(), 24u);
  for (std::size_t i = 0; i < 6; ++i) {
    const Point a = centres[i], b = centres[(i + 1) % 6];
    std::multiset<std::pair<bool, bool>> kinds;  // (dotted, left of a->b)
    for (const CanvasCall& line : lines) {
      const Point p{double(line.x1), double(line.y1)}, q{double(line.x2), double(line.y2)};
      if (!(Distance(p, a) < 3 && Distance(q, b) < 3) && !(Distance(p, b) < 3 && Distance(q, a) < 3)) continue;
      const double cross = (b.x - a.x) * ((p.y + q.y) / 2 - a.y) - (b.y - a.y) * ((p.x + q.x) / 2 - a.x);
      if (cross != 0) kinds.insert({line.penStyle == PenStyle::Dotted, cross > 0});
    }
    EXPECT_EQ(kinds, (std::multiset<std::pair<bool, bool>>{{false, false}, {false, true}, {true, false}, {true, true}}))
        << "bond " << i;
  }
}

TEST(DrawMolecule, RadicalCentresAreRedAndPaintedOverTheBonds) {
  Drawn ethyl = Draw("C. C; 0-1");
  const auto circles = ethyl.canvas.Of(CanvasCall::kEllipse);
  ASSERT_EQ(circles.size(), 2u);
  EXPECT_EQ(circles[0].brush, kRed);
  EXPECT_EQ(circles[1].brush, kWhite);
  // Circles come after every line, so no bond crosses the red fill.
  const auto& calls = ethyl.canvas.calls;
  auto isCircle = [](const CanvasCall& c) { return c.kind == CanvasCall::kEllipse; };
  auto isLine = [](const CanvasCall& c) { return c.kind == CanvasCall::kLine; };
  EXPECT_TRUE(std::none_of(std::find_if(calls.begin(), calls.end(), isCircle), calls.end(), isLine));
  // Two unpaired electrons are two zero-length lines, not a double bond
  // without a direction; the atom is no radical centre.
  Drawn carbene = Draw("C.. C; 0-1");
  ASSERT_TRUE(carbene.messages.empty());
  EXPECT_EQ(carbene.canvas.Of(CanvasCall::kLine).size(), 4u);
  for (const CanvasCall& circle : carbene.canvas.Of(CanvasCall::kEllipse)) EXPECT_EQ(circle.brush, kWhite);
}

TEST(DrawMolecule, PicturesAreCentredOnTheBitmap) {
  for (const char* description : {"C C C C; 0-1 1-2 1-3", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",
                                  "C C c c c c c c; 0=1 1-2 2:3 3:4 4:5 5:6 6:7 7:2", "C. C C; 0-1 1=2"}) {
    const Point mean = Mean(Centres(Draw(description).canvas));
    EXPECT_NEAR(mean.x, kWidth / 2, 0.5) << description;
    EXPECT_NEAR(mean.y, kHeight / 2, 0.5) << description;
  }
}

// Sixteen carbons span 7.5 bonds, 270 pixels at 36 per bond: once drawn past
// the edge, now at a smaller bond length that fits.
TEST(DrawMolecule, ALongChainShrinksToFit) {
  Drawn drawn = Draw(testing::LinearAlkane(16));
  const std::vector<Point> centres = Centres(drawn.canvas);
  ASSERT_EQ(centres.size(), 16u);
  for (const CanvasCall& circle : drawn.canvas.Of(CanvasCall::kEllipse))
    EXPECT_TRUE(circle.x1 >= 0 && circle.x2 < kWidth);
  const double bond = Distance(centres[0], centres[1]);
  EXPECT_LT(bond, kUnit - 2);
  for (std::size_t i = 1; i + 1 < 16; ++i) EXPECT_NEAR(Distance(centres[i], centres[i + 1]), bond, 1.5);
}

// Each text run with its colour (r red, p the pen's, none black) and "_" for a subscript.
std::string Texts(const RecordingCanvas& canvas) {
  std::string joined;
  for (const CanvasCall& text : canvas.Of(CanvasCall::kText)) {
    const char* colour = text.font == kRed ? "r" : text.font == kBlue ? "p" : "";
    joined += text.text + (text.fontScale < 1 ? "_" : "") + colour + " ";
  }
  return joined;
}

TEST(DrawMolecule, VerySmallSpeciesAreTextTemplates) {
  const struct {
    const char* description;
    const char* texts;
    std::size_t lines;
  } cases[] = {
      {"H.", "Hr ", 0},        {"He..", "He ", 0},      {"O", "Hp 2_p Op ", 0}, {"C.", "Cr H 3_ ", 0},
      {"C", "C H 4_ ", 0},     {"H H; 0-1", "Hp Hp ", 1}, {"N N; 0#1", "Np Np ", 3}, {"C C; 0#1", "CHp CHp ", 3},
      {"N", "", 0},  // four atoms without carbon: blank
  };
  for (const auto& c : cases) {
    Drawn drawn = Draw(c.description);
    EXPECT_EQ(Texts(drawn.canvas), c.texts) << c.description;
    EXPECT_EQ(drawn.canvas.Of(CanvasCall::kLine).size(), c.lines) << c.description;
    EXPECT_TRUE(drawn.canvas.Of(CanvasCall::kEllipse).empty()) << c.description;
  }
  // Text is centred; a subscript hangs lower than its symbol.
  const auto water = Draw("O").canvas.Of(CanvasCall::kText);
  ASSERT_EQ(water.size(), 3u);
  EXPECT_TRUE(water[0].x1 == (kWidth - 21) / 2 && water[0].y1 == (kHeight - 14) / 2);  // "H2O" 8 + 5 + 8 wide
  EXPECT_GT(water[1].y1, water[0].y1);
  // Two-atom templates: a bond one unit long (triple: lines 3 pixels off the
  // centre line), labels 2 pixels outside its ends.
  const int x1 = kWidth / 2 - kUnit / 2, x2 = x1 + kUnit, y = kHeight / 2;
  const RecordingCanvas acetylene = Draw("C C; 0#1").canvas;
  const auto bond = acetylene.Of(CanvasCall::kLine), labels = acetylene.Of(CanvasCall::kText);
  ASSERT_TRUE(bond.size() == 3 && labels.size() == 2);
  EXPECT_TRUE(bond[0].x1 == x1 && bond[0].x2 == x2 && bond[0].y1 == y && bond[1].y1 == y - 3 && bond[2].y1 == y + 3);
  EXPECT_TRUE(labels[0].x1 == x1 - 2 - 16 && labels[1].x1 == x2 + 2);
  // Methanimine has five atoms but is no methane: a skeleton of two atoms.
  EXPECT_EQ(Draw("N C; 0=1").canvas.Of(CanvasCall::kEllipse).size(), 2u);
}

TEST(DrawMolecule, FailuresAreReportedAndAnUnknownRingStillDrawsAtTheCentre) {
  Drawn naphthalene = Draw("c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5");
  EXPECT_EQ(naphthalene.messages, std::vector<std::string>{kUnknownCycleMessage});
  EXPECT_EQ(naphthalene.canvas.Of(CanvasCall::kEllipse).size(), 10u);
  for (Point c : Centres(naphthalene.canvas)) EXPECT_TRUE(c.x == kWidth / 2 && c.y == kHeight / 2);
  EXPECT_EQ(Draw("C C; 0-1", 0).messages, std::vector<std::string>{kDivisionByZeroMessage});
  // Three hydrogen molecules in one structure: no skeleton to average.
  EXPECT_EQ(Draw("H H H").messages, std::vector<std::string>{kInvalidOperationMessage});
  // Kekule naphthalene: the unplaced atoms meet at one point, where a double
  // bond has no direction; no atom is drawn.
  Drawn kekule = Draw("C C C C C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0 4-6 6=7 7-8 8=9 9-5");
  EXPECT_EQ(kekule.messages, (std::vector<std::string>{kUnknownCycleMessage, kInvalidOperationMessage}));
  EXPECT_TRUE(kekule.canvas.Of(CanvasCall::kEllipse).empty());
}

}  // namespace
}  // namespace korvane
