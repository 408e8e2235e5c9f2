#include "core/structure_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;

const double kSin60 = std::sqrt(3.0) / 2.0;

// The skeleton of a molecule laid out as the drawing does it; messages kept.
struct Laid {
  std::unique_ptr<TMyMolecule> s;
  std::vector<std::string> messages;
};

Laid Layout(const TMolecule& molecule) {
  Laid laid{BuildSkeleton(molecule), {}};
  if (molecule.IsCyclic()) AssignRings(*laid.s);
  LayoutSkeleton(*laid.s, [&laid](const std::string& message) { laid.messages.push_back(message); });
  return laid;
}

double Distance(const TMyMolecule& s, std::size_t a, std::size_t b) {
  return std::hypot(s.X[a] - s.X[b], s.Y[a] - s.Y[b]);
}

void ExpectAt(const TMyMolecule& s, std::size_t atom, double x, double y) {
  EXPECT_NEAR(s.X[atom], x, 1e-6) << "atom " << atom;
  EXPECT_NEAR(s.Y[atom], y, 1e-6) << "atom " << atom;
}

TEST(NextDirection, UsesTheNearestEntryAndKeepsExtraBranchesClear) {
  const auto deg = DegreesToRadians;
  EXPECT_NEAR(NextDirection(0, deg(65)), deg(-60), 1e-9);  // off the table: nearest 60
  // Coming in at 0 the bonds run 180 (back), -60, 60 and 0; a fourth branch
  // takes 120 (60 from its nearest neighbours), a fifth -120.
  EXPECT_NEAR(NextDirection(3, 0.0), deg(120), 1e-9);
  EXPECT_NEAR(NextDirection(4, 0.0), deg(-120), 1e-9);
}

// Ring systems split at every bond joining two rings, also when several
// join them (three rings in a row); fused systems stay one ring.
TEST(Rings, SplitAtTheBondsJoiningThemFusedSystemsStayWhole) {
  const std::pair<const char*, int> cases[] = {
      {"C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", 1},
      {"c c c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6:7 7:8 8:9 9:10 10:11 11:6", 2},
      {"c c c c c c c c c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6:7 7:8 8:9 9:10 10:11 11:6 "
       "9-12 12:13 13:14 14:15 15:16 16:17 17:12", 3},
      {"c c c c c c C c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6-7 7:8 8:9 9:10 10:11 11:12 12:7", 2},
      {"c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5", 1},
  };
  for (const auto& [description, rings] : cases) {
    auto skeleton = BuildSkeleton(*MoleculeFrom(description));
    EXPECT_EQ(AssignRings(*skeleton), rings) << description;
  }
}

TEST(Layout, ChainsZigzagFromAtomZeroOrAChainEndAndBenzeneStartsAtTheOrigin) {
  Laid hexadecane = Layout(*MoleculeFrom(LinearAlkane(16)));
  for (std::size_t i = 0; i < 16; ++i) ExpectAt(*hexadecane.s, i, 0.5 * i, i % 2 ? kSin60 : 0.0);
  // Pentane numbered from its middle: from atom 0 both halves zigzag to the
  // right and C2 and C4 would both land at (1, 0). The layout starts again at
  // the first chain end, atom 2.
  Laid pentane = Layout(*MoleculeFrom("C C C C C; 0-1 1-2 0-3 3-4"));
  const double expected[5][2] = {{1.0, 0}, {0.5, kSin60}, {0, 0}, {1.5, kSin60}, {2.0, 0}};
  for (std::size_t i = 0; i < 5; ++i) ExpectAt(*pentane.s, i, expected[i][0], expected[i][1]);
  // The ring of atom 0 is entered at direction 0: a hexagon centred at (2, 0).
  Laid benzene = Layout(*MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"));
  for (std::size_t i = 0; i < 6; ++i) EXPECT_NEAR(std::hypot(benzene.s->X[i] - 2.0, benzene.s->Y[i]), 1.0, 1e-3) << i;
}

TEST(Layout, EveryNumberingOfTheListedSpeciesKeepsAtomsApart) {
  const std::string species[] = {
      LinearAlkane(16), "C C C C C; 0-1 1-2 1-3 1-4", "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",
      "C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1", "C C C C C; 0-1 1-2 2-3 3-4 4-0",
      // Octamethylcyclobutane guards the four-ring template: a substituent
      // direction into the ring, or two alike, puts atoms on one spot.
      "C C C C C C C C C C C C; 0-1 1-2 2-3 3-0 0-4 0-5 1-6 1-7 2-8 2-9 3-10 3-11",
      "C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 0-6 0-7",                            // 1,1-dimethylcyclohexane
      "c c c c c c C c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6-7 7:8 8:9 9:10 10:11 11:12 12:7",
  };
  for (const std::string& description : species) {
    auto molecule = MoleculeFrom(description);
    const int n = static_cast<int>(molecule->AtomCount());
    for (unsigned seed = 0; seed <= 10; ++seed) {  // seed 0: as written
      Laid laid = Layout(seed == 0 ? *molecule : *testing::Renumbered(*molecule, testing::ShuffledOrder(n, seed)));
      EXPECT_TRUE(laid.messages.empty()) << description;
      const TMyMolecule& s = *laid.s;
      for (std::size_t a = 0; a < s.AtomCount(); ++a) {
        EXPECT_TRUE(s.Placed[a]) << description << " seed " << seed;
        for (std::size_t b = a + 1; b < s.AtomCount(); ++b) {
          EXPECT_GT(Distance(s, a, b), 0.5) << description << " seed " << seed;
          if (!molecule->IsCyclic() && s.AdjacencyMatrix()[a][b]) {  // chain bonds stay one unit long
            EXPECT_NEAR(Distance(s, a, b), 1.0, 1e-9) << description << " seed " << seed;
          }
        }
      }
    }
  }
}

TEST(Layout, RingsWithoutATemplateAreReportedOnceAndLeftAtTheOrigin) {
  // Methylnaphthalene keeps only its methyl placed. Bicyclo[1.1.1]pentane has
  // five ring atoms that no walk visits in one cycle; then a seven-ring.
  for (const char* description : {"C c c c c c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1 5:7 7:8 8:9 9:10 10:6",
                                  "C C C C C; 0-1 1-2 0-3 3-2 0-4 4-2", "C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-0"}) {
    Laid laid = Layout(*MoleculeFrom(description));
    EXPECT_EQ(laid.messages, std::vector<std::string>{kUnknownCycleMessage}) << description;
    for (std::size_t i = 1; i < laid.s->AtomCount(); ++i) ExpectAt(*laid.s, i, 0, 0);
  }
}

}  // namespace
}  // namespace korvane
