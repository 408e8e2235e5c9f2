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
using testing::Renumbered;
using testing::ShuffledOrder;

constexpr double kTolerance = 1e-9;
const double kSin60 = std::sqrt(3.0) / 2.0;

double Deg(double degrees) { return DegreesToRadians(degrees); }

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

double SmallestDistance(const TMyMolecule& s) {
  double smallest = 1e9;
  for (std::size_t a = 0; a < s.AtomCount(); ++a)
    for (std::size_t b = a + 1; b < s.AtomCount(); ++b) smallest = std::min(smallest, Distance(s, a, b));
  return smallest;
}

void ExpectAt(const TMyMolecule& s, std::size_t atom, double x, double y) {
  EXPECT_NEAR(s.X[atom], x, 1e-6) << "atom " << atom;
  EXPECT_NEAR(s.Y[atom], y, 1e-6) << "atom " << atom;
}

TEST(NextDirection, FollowsTheContinuationTable) {
  // Incoming direction, then modes 0, 1, 2 [degrees].
  const double table[8][4] = {{60, -60, 90, -90},    {-60, 60, -90, 90},   {90, 60, 120, 90},
                              {-90, -60, -120, -90}, {120, -120, 90, 180}, {-120, 120, -90, 180},
                              {180, -120, 120, 180}, {0, -60, 60, 0}};
  for (const auto& row : table)
    for (int mode = 0; mode < 3; ++mode)
      EXPECT_NEAR(NextDirection(mode, Deg(row[0])), Deg(row[mode + 1]), kTolerance) << row[0] << " mode " << mode;
}

TEST(NextDirection, OffTableDirectionsUseTheNearestAndExtraBranchesKeepClear) {
  EXPECT_NEAR(NextDirection(0, Deg(65)), Deg(-60), kTolerance);        // nearest 60
  EXPECT_NEAR(NextDirection(0, Deg(60 + 360)), Deg(-60), kTolerance);  // a full turn changes nothing
  // 150 lies midway between 120 and 180: the earlier table entry (120) wins.
  EXPECT_NEAR(NextDirection(0, Deg(150)), Deg(-120), kTolerance);
  EXPECT_NEAR(NextDirection(2, Deg(210)), Deg(180), kTolerance);  // -150: -120 before 180
  // Coming in at 0 the atom's bonds run 180 (back), -60, 60 and 0; a fourth
  // branch takes 120 (60 from its nearest neighbours), a fifth -120.
  EXPECT_NEAR(NextDirection(3, 0.0), Deg(120), kTolerance);
  EXPECT_NEAR(NextDirection(4, 0.0), Deg(-120), kTolerance);
}

TEST(RingTemplates, MatchTheHexagonAndSendSubstituentsOutward) {
  EXPECT_EQ(RingTemplateFor(3), nullptr);
  EXPECT_EQ(RingTemplateFor(7), nullptr);
  // Hexagon of side 1 seen from an anchor at the origin, centred at (2, 0).
  const double hexagon[6][2] = {{1, 0}, {1.5, kSin60}, {2.5, kSin60}, {3, 0}, {2.5, -kSin60}, {1.5, -kSin60}};
  const int fiveRingVertex[5] = {0, 1, 2, 4, 5};
  for (std::size_t size : {4u, 5u, 6u}) {
    const RingTemplate* ring = RingTemplateFor(size);
    ASSERT_NE(ring, nullptr);
    EXPECT_EQ(ring->Size, size);
    double centreX = 0.0;
    for (std::size_t k = 0; k < size; ++k) centreX += ring->Radius[k] * std::cos(ring->Angle[k]) / size;
    for (std::size_t k = 0; k < size; ++k) {
      const double x = ring->Radius[k] * std::cos(ring->Angle[k]), y = ring->Radius[k] * std::sin(ring->Angle[k]);
      if (size == 6) {
        EXPECT_NEAR(x, hexagon[k][0], 1e-3) << k;
        EXPECT_NEAR(y, hexagon[k][1], 1e-3) << k;
      } else if (size == 5) {
        EXPECT_NEAR(x, hexagon[fiveRingVertex[k]][0], 1e-3) << k;
        EXPECT_NEAR(y, hexagon[fiveRingVertex[k]][1], 1e-3) << k;
      }
      // Both substituents of a vertex lie farther from the ring's centre
      // than the vertex itself, and not on the same spot.
      const double vertexDistance = std::hypot(x - centreX, y);
      for (double direction : ring->Substituent[k])
        EXPECT_GT(std::hypot(x + std::cos(direction) - centreX, y + std::sin(direction)), vertexDistance + 0.3)
            << "size " << size << " vertex " << k;
      EXPECT_GT(std::fabs(ring->Substituent[k][0] - ring->Substituent[k][1]), 0.5) << "size " << size << " " << k;
    }
  }
}

TEST(Skeleton, KeepsPolyvalentAtomsWithTheirBondsElectronsAndAromaticFlags) {
  // Hydrogens first: the skeleton still takes the carbons in index order.
  auto ethyl = MoleculeFrom("C. C; 0-1");
  auto hydrogensFirst = Renumbered(*ethyl, {2, 3, 4, 5, 6, 1, 0});
  auto s = BuildSkeleton(*hydrogensFirst);
  ASSERT_EQ(s->AtomCount(), 2u);
  EXPECT_EQ(s->AdjacencyMatrix(), (TByteMatrix{{0, 1}, {1, 1}}));
  EXPECT_TRUE(s->GetAtom(1)->IsRadicalCentre());
  EXPECT_EQ(s->X, (TVector{0.0, 0.0}));
  EXPECT_EQ(s->Placed, (TBoolVector{false, false}));

  auto benzene = BuildSkeleton(*MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"));
  EXPECT_EQ(benzene->AtomCount(), 6u);
  EXPECT_TRUE(benzene->AromaticMatrix()[0][5]);
  EXPECT_EQ(benzene->AdjacencyMatrix()[2][3], 1);
}

TEST(Rings, SplitAtTheBondsJoiningThemFusedSystemsStayWhole) {
  auto toluene = BuildSkeleton(*MoleculeFrom("C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1"));
  EXPECT_EQ(AssignRings(*toluene), 1);
  EXPECT_EQ(toluene->RingId, (TByteVector{0, 1, 1, 1, 1, 1, 1}));

  auto biphenyl =
      BuildSkeleton(*MoleculeFrom("c c c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6:7 7:8 8:9 9:10 10:11 11:6"));
  EXPECT_EQ(AssignRings(*biphenyl), 2);
  EXPECT_NE(biphenyl->RingId[0], biphenyl->RingId[6]);
  for (std::size_t i = 1; i < 6; ++i) EXPECT_EQ(biphenyl->RingId[i], biphenyl->RingId[0]);

  // Three rings in a row: both joining bonds are removed.
  auto terphenyl = BuildSkeleton(*MoleculeFrom(
      "c c c c c c c c c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6:7 7:8 8:9 9:10 10:11 11:6 "
      "9-12 12:13 13:14 14:15 15:16 16:17 17:12"));
  EXPECT_EQ(AssignRings(*terphenyl), 3);

  auto diphenylmethane = BuildSkeleton(
      *MoleculeFrom("c c c c c c C c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6-7 7:8 8:9 9:10 10:11 11:12 12:7"));
  EXPECT_EQ(AssignRings(*diphenylmethane), 2);
  EXPECT_EQ(diphenylmethane->RingId[6], 0);

  auto naphthalene = BuildSkeleton(*MoleculeFrom("c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5"));
  EXPECT_EQ(AssignRings(*naphthalene), 1);
  EXPECT_EQ(naphthalene->RingId, TByteVector(10, 1));
}

TEST(Layout, ChainsZigzagFromAtomZero) {
  Laid ethane = Layout(*MoleculeFrom("C C; 0-1"));
  ExpectAt(*ethane.s, 0, 0, 0);
  ExpectAt(*ethane.s, 1, 0.5, kSin60);

  Laid hexadecane = Layout(*MoleculeFrom(LinearAlkane(16)));
  for (std::size_t i = 0; i < 16; ++i) ExpectAt(*hexadecane.s, i, 0.5 * i, i % 2 ? kSin60 : 0.0);

  // Neopentane from a methyl: the centre at 60, its branches at -60, 90, -90.
  Laid neopentane = Layout(*MoleculeFrom("C C C C C; 0-1 1-2 1-3 1-4"));
  ExpectAt(*neopentane.s, 1, 0.5, kSin60);
  ExpectAt(*neopentane.s, 2, 1.0, 0.0);
  ExpectAt(*neopentane.s, 3, 0.5, kSin60 + 1);
  ExpectAt(*neopentane.s, 4, 0.5, kSin60 - 1);
  EXPECT_GT(SmallestDistance(*neopentane.s), 0.5);
  EXPECT_TRUE(neopentane.messages.empty());
}

TEST(Layout, AFourthBranchGetsItsOwnDirection) {
  // A five-bonded carbon (only malformed input has one): C1 carries C0 and C2..C5.
  TByteMatrix adjacency(6, 6, 0);
  for (std::size_t b : {0u, 2u, 3u, 4u, 5u}) adjacency[1][b] = adjacency[b][1] = 1;
  auto molecule = TMolecule::FromStructure(0, adjacency, TByteVector(6, kCarbon), TBoolMatrix(6, 6, false));
  Laid laid = Layout(*molecule);
  // Entered at 60: branches -60, 90, -90, and the fourth at 180.
  ExpectAt(*laid.s, 5, -0.5, kSin60);
  EXPECT_GT(SmallestDistance(*laid.s), 0.5);
  for (std::size_t b : {0u, 2u, 3u, 4u, 5u}) EXPECT_NEAR(Distance(*laid.s, 1, b), 1.0, 1e-9);
}

TEST(Layout, StartsAgainFromAChainEndWhenAtomsWouldCoincide) {
  // Pentane numbered from its middle: from atom 0 both halves zigzag to the
  // right and C2 and C4 would both land at (1, 0). The layout starts again at
  // the first chain end, atom 2.
  Laid pentane = Layout(*MoleculeFrom("C C C C C; 0-1 1-2 0-3 3-4"));
  ExpectAt(*pentane.s, 2, 0, 0);
  ExpectAt(*pentane.s, 1, 0.5, kSin60);
  ExpectAt(*pentane.s, 0, 1.0, 0);
  ExpectAt(*pentane.s, 3, 1.5, kSin60);
  ExpectAt(*pentane.s, 4, 2.0, 0);

  auto hexadecane = MoleculeFrom(LinearAlkane(16));
  for (unsigned seed = 1; seed <= 20; ++seed) {
    Laid laid = Layout(*Renumbered(*hexadecane, ShuffledOrder(50, seed)));
    EXPECT_GT(SmallestDistance(*laid.s), 0.5) << "seed " << seed;
    for (std::size_t a = 0; a < 16; ++a)
      for (const TNeighbour& entry : laid.s->GetAtom(a)->Entries())
        if (entry.Atom->GetIndex() != a) {
          EXPECT_NEAR(Distance(*laid.s, a, entry.Atom->GetIndex()), 1.0, 1e-9);
        }
  }
}

TEST(Layout, RingsWithSubstituentsKeepEveryAtomApart) {
  const char* species[] = {
      "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",                                      // toluene
      "C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-1",                                      // methylcyclohexane
      "C C C C C; 0-1 1-2 2-3 3-4 4-0",                                                  // cyclopentane
      "C C C C; 0-1 1-2 2-3 3-0",                                                        // cyclobutane
      "C C C C C C C C C C C C; 0-1 1-2 2-3 3-0 0-4 0-5 1-6 1-7 2-8 2-9 3-10 3-11",      // octamethylcyclobutane
      "C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 0-6 0-7",                                // 1,1-dimethylcyclohexane
      "c c c c c c C c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6-7 7:8 8:9 9:10 10:11 11:12 12:7",  // diphenylmethane
  };
  for (const char* description : species) {
    auto molecule = MoleculeFrom(description);
    for (unsigned seed = 0; seed <= 10; ++seed) {
      auto numbered = seed == 0 ? MoleculeFrom(description)
                                : Renumbered(*molecule, ShuffledOrder(static_cast<int>(molecule->AtomCount()), seed));
      Laid laid = Layout(*numbered);
      EXPECT_TRUE(laid.messages.empty());
      for (std::size_t i = 0; i < laid.s->AtomCount(); ++i) EXPECT_TRUE(laid.s->Placed[i]);
      EXPECT_GT(SmallestDistance(*laid.s), 0.5) << description << " seed " << seed;
    }
  }
}

TEST(Layout, RingOfAtomZeroStartsAtTheOriginWithEntryDirectionZero) {
  Laid benzene = Layout(*MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"));
  ExpectAt(*benzene.s, 0, 1.0, 0.0);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_NEAR(std::hypot(benzene.s->X[i] - 2.0, benzene.s->Y[i]), 1.0, 1e-3) << i;
    EXPECT_NEAR(Distance(*benzene.s, i, (i + 1) % 6), 1.0, 1e-3) << i;
  }
}

TEST(Layout, RingsWithoutATemplateAreReportedOnceAndLeftAtTheOrigin) {
  Laid methylnaphthalene =
      Layout(*MoleculeFrom("C c c c c c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1 5:7 7:8 8:9 9:10 10:6"));
  EXPECT_EQ(methylnaphthalene.messages, std::vector<std::string>{kUnknownCycleMessage});
  EXPECT_TRUE(methylnaphthalene.s->Placed[0]);
  for (std::size_t i = 1; i < 11; ++i) {
    EXPECT_FALSE(methylnaphthalene.s->Placed[i]);
    ExpectAt(*methylnaphthalene.s, i, 0, 0);
  }
  // Bicyclo[1.1.1]pentane: five ring atoms, but no walk visits them all in a
  // cycle, so the five-ring template cannot take them.
  Laid bicyclic = Layout(*MoleculeFrom("C C C C C; 0-1 1-2 0-3 3-2 0-4 4-2"));
  EXPECT_EQ(bicyclic.messages, std::vector<std::string>{kUnknownCycleMessage});
  // A seven-membered ring.
  EXPECT_EQ(Layout(*MoleculeFrom("C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-0")).messages.size(), 1u);
}

}  // namespace
}  // namespace korvane
