#include "core/molecule.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::Renumbered;

std::vector<int> EntryIndices(const TAtom* atom) {
  std::vector<int> indices;
  for (const TNeighbour& entry : atom->Entries()) indices.push_back(entry.Atom->GetIndex());
  return indices;
}

constexpr const char* kBenzene = "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0";
constexpr const char* kToluene = "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1";

TEST(MoleculeBuild, NeighbourListsFollowTheDocumentedOrder) {
  // Ethyl radical: C0 (radical) C1, hydrogens 2,3 on C0 and 4,5,6 on C1.
  auto ethyl = MoleculeFrom("C. C; 0-1");
  // Lower neighbours ascending, then self entries, then higher neighbours.
  EXPECT_EQ(EntryIndices(ethyl->GetAtom(0)), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(EntryIndices(ethyl->GetAtom(1)), (std::vector<int>{0, 4, 5, 6}));
  EXPECT_EQ(EntryIndices(ethyl->GetAtom(5)), (std::vector<int>{1}));

  // A radical centre with higher and lower neighbours puts itself between them.
  auto isopropyl = MoleculeFrom("C C. C; 0-1 1-2");
  EXPECT_EQ(EntryIndices(isopropyl->GetAtom(1)), (std::vector<int>{0, 1, 2, 6}));
  EXPECT_EQ(isopropyl->GetAtom(1)->Entries()[1].Order, 1);
}

TEST(MoleculeBuild, DiagonalBecomesSelfEntriesAndBondsCarryOrderAndFlag) {
  auto vinyl = MoleculeFrom("C. C; 0=1");
  const TAtom* centre = vinyl->GetAtom(0);
  EXPECT_EQ(centre->UnpairedElectrons(), 1);
  EXPECT_EQ(centre->BondOrderTo(vinyl->GetAtom(1)), 2);
  auto benzene = MoleculeFrom(kBenzene);
  EXPECT_TRUE(benzene->GetAtom(0)->IsAromaticBondTo(benzene->GetAtom(5)));
  EXPECT_EQ(benzene->GetAtom(0)->BondOrderTo(benzene->GetAtom(5)), 1);
}

TEST(MoleculeStructure, RefusesMoreThan255AtomsAndMismatchedPieces) {
  TMolecule molecule(3);
  std::string error;
  ASSERT_TRUE(molecule.SetStructure(TByteMatrix{{0}}, TByteVector{kHelium}, TBoolMatrix{{false}}, &error));
  molecule.Build();

  const std::size_t n = 256;
  EXPECT_FALSE(molecule.SetStructure(TByteMatrix(n, n, 0), TByteVector(n, kHydrogen), TBoolMatrix(n, n, false), &error));
  EXPECT_NE(error.find("at most 255 atoms"), std::string::npos) << error;
  EXPECT_NE(error.find("256"), std::string::npos) << error;
  EXPECT_EQ(molecule.AtomTypes(), TByteVector{kHelium});  // unchanged

  error.clear();
  EXPECT_FALSE(molecule.SetStructure(TByteMatrix(2, 2, 0), TByteVector(3, kHydrogen), TBoolMatrix(3, 3, false), &error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(TMolecule::FromStructure(0, TByteMatrix(3, 3, 0), TByteVector(3, 1), TBoolMatrix(2, 2, false)), nullptr);

  // 255 atoms is the largest molecule there is, and it builds.
  const std::size_t largest = 255;
  auto hydrogens = TMolecule::FromStructure(0, TByteMatrix(largest, largest, 0), TByteVector(largest, kHydrogen),
                                            TBoolMatrix(largest, largest, false));
  ASSERT_NE(hydrogens, nullptr);
  EXPECT_EQ(hydrogens->Invariants().AtomCount, 255);
}

TEST(MoleculeStructure, AccessorsHandOutIndependentCopies) {
  auto propane = MoleculeFrom(LinearAlkane(3));
  TByteMatrix adjacency = propane->GetAdjacencyMatrix();
  adjacency[0][1] = 3;
  TByteVector types = propane->GetAtomTypes();
  types[0] = kOxygen;
  TIntMatrix energies = propane->GetBondEnergyMatrix();
  energies[0][3] = -1;
  EXPECT_EQ(propane->AdjacencyMatrix()[0][1], 1);
  EXPECT_EQ(propane->AtomTypes()[0], kCarbon);
  EXPECT_EQ(propane->BondEnergyMatrix()[0][3], 225);
}

TEST(MoleculeCopy, KeepsIdAndStructureButNotNameFlagsOrLinks) {
  auto original = MoleculeFrom("C. C C; 0-1 1-2", 17);
  original->Name = "propyl";
  original->Inert = true;
  original->ReactionCoefficients[kConsumedIn].push_back(-1.0);
  auto copy = original->Copy();
  EXPECT_EQ(copy->ID, 17);
  EXPECT_EQ(copy->Name, "Noname");
  EXPECT_FALSE(copy->Inert);
  EXPECT_TRUE(copy->ReactionCoefficients[kConsumedIn].empty());
  EXPECT_EQ(copy->AdjacencyMatrix(), original->AdjacencyMatrix());
  EXPECT_EQ(copy->Invariants(), original->Invariants());
  EXPECT_NE(copy->GetAtom(0), original->GetAtom(0));
  EXPECT_EQ(copy->GetAtom(0)->Entries().front().Atom, copy->GetAtom(0));
}

TEST(MoleculeRebuild, ClearAndRebuildRefreshesDerivedData) {
  auto molecule = MoleculeFrom(LinearAlkane(2));
  EXPECT_EQ(molecule->BondEnergyMatrix()[0][2], 225);
  EXPECT_EQ(molecule->DistanceMatrix().size(), 8u);
  auto methyl = MoleculeFrom("C.");
  molecule->ClearStructure();
  EXPECT_EQ(molecule->AtomCount(), 0u);
  EXPECT_TRUE(molecule->AdjacencyMatrix().empty());
  ASSERT_TRUE(molecule->SetStructure(methyl->AdjacencyMatrix(), methyl->AtomTypes(), methyl->AromaticMatrix()));
  molecule->Build();
  EXPECT_EQ(molecule->BondEnergyMatrix().size(), 4u);
  EXPECT_EQ(molecule->BondEnergyMatrix()[0][1], 435);  // radical variant, CH(0)
  EXPECT_EQ(molecule->DistanceMatrix().size(), 4u);
  EXPECT_TRUE(molecule->Invariants().Radical);
}

TEST(MoleculeInvariants, PropaneScoresAndTypeCounts) {
  auto propane = MoleculeFrom(LinearAlkane(3));
  const TInvariants& inv = propane->Invariants();
  EXPECT_FALSE(inv.Radical);
  EXPECT_FALSE(inv.Cyclic);
  EXPECT_EQ(inv.AtomCount, 11);
  TByteVector perType(11, 0);
  perType[kHydrogen] = 8;
  perType[kCarbon] = 3;
  EXPECT_EQ(inv.AtomsPerType, perType);
  const TByteVector scores = {4, 4, 4, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_EQ(inv.GraphScore1, scores);
  EXPECT_EQ(inv.GraphScore2, scores);
}

TEST(MoleculeInvariants, ScoresCountUnpairedElectronsAndBondOrders) {
  auto allyl = MoleculeFrom("C. C C; 0-1 1=2");
  // Row sums: C0 1+1+2 H = 4, C1 1+2+1 H = 4, C2 2+2 H = 4; neighbour counts
  // (self entry included): C0 4, C1 3, C2 3.
  EXPECT_EQ(allyl->Invariants().GraphScore1, (TByteVector{4, 4, 4, 1, 1, 1, 1, 1}));
  EXPECT_EQ(allyl->Invariants().GraphScore2, (TByteVector{4, 3, 3, 1, 1, 1, 1, 1}));
  // The invariants do not depend on the atom order.
  auto shuffled = Renumbered(*allyl, testing::ShuffledOrder(8, 3));
  EXPECT_EQ(shuffled->Invariants(), allyl->Invariants());
}

TEST(MoleculeInvariants, MassFractions) {
  TMolecule fresh;
  for (int code = 1; code <= 10; ++code) EXPECT_EQ(fresh.MassFractions()[code], -1.0);

  auto methane = MoleculeFrom("C");
  EXPECT_NEAR(methane->MassFractions()[kHydrogen], 0.2513, 1e-4);
  EXPECT_NEAR(methane->MassFractions()[kCarbon], 0.7487, 1e-4);
  for (int code = 3; code <= 10; ++code) EXPECT_EQ(methane->MassFractions()[code], 0.0);

  fresh.Build();  // no atoms: nothing to divide, every fraction is 0
  for (int code = 1; code <= 10; ++code) EXPECT_EQ(fresh.MassFractions()[code], 0.0);
}

TEST(MoleculeCharacter, MethylRadical) {
  auto methyl = MoleculeFrom("C.");
  EXPECT_TRUE(methyl->IsRadical());
  EXPECT_FALSE(methyl->IsCyclic());
  EXPECT_EQ(methyl->Formula(), "H3C1");
  EXPECT_EQ(methyl->RadicalAtoms(), TByteVector{0});
  EXPECT_TRUE(methyl->IsConnected());
}

TEST(MoleculeCharacter, RadicalMeansAnOddNumberOfUnpairedElectrons) {
  EXPECT_FALSE(MoleculeFrom("C..")->IsRadical());  // carbene
  EXPECT_EQ(MoleculeFrom("C..")->RadicalAtoms(), TByteVector{0});
  EXPECT_TRUE(MoleculeFrom("H.")->IsRadical());
  EXPECT_FALSE(MoleculeFrom("He..")->IsRadical());
  EXPECT_TRUE(MoleculeFrom("C C C. C; 0-1 1-2 2-3")->RadicalAtoms() == TByteVector{2});
}

TEST(MoleculeCharacter, CyclicByTheBalance) {
  EXPECT_FALSE(MoleculeFrom(LinearAlkane(3))->IsCyclic());
  EXPECT_FALSE(MoleculeFrom("C C C; 0-1 1=2")->IsCyclic());
  EXPECT_FALSE(MoleculeFrom("C.")->IsCyclic());
  EXPECT_FALSE(MoleculeFrom("C C; 0#1")->IsCyclic());
  EXPECT_FALSE(MoleculeFrom("H.")->IsCyclic());
  EXPECT_FALSE(MoleculeFrom("C.. C; 0-1")->IsCyclic());  // diagonal 2 counts as U
  EXPECT_TRUE(MoleculeFrom("C C C; 0-1 1-2 2-0")->IsCyclic());
  EXPECT_TRUE(MoleculeFrom(kBenzene)->IsCyclic());
  EXPECT_TRUE(MoleculeFrom("C C C C C C; 0-1 1=2 2-3 3-4 4=5 5-0")->IsCyclic());
  EXPECT_TRUE(MoleculeFrom("C. C C; 0-1 1-2 2-0")->IsCyclic());

  TMolecule empty;
  empty.Build();
  EXPECT_TRUE(empty.IsCyclic());  // 2 differs from 0

  auto water = MoleculeFrom("O");
  EXPECT_TRUE(water->IsCyclic());  // oxygen is outside the balance ...
  water->Inert = true;
  EXPECT_FALSE(water->IsCyclic());  // ... which inert molecules skip
}

TEST(MoleculeCharacter, SaturatedAromaticAndCarbonCounts) {
  auto benzene = MoleculeFrom(kBenzene);
  EXPECT_TRUE(benzene->IsSaturated());
  EXPECT_TRUE(benzene->IsAromatic());
  EXPECT_FALSE(MoleculeFrom("C C C; 0-1 1=2")->IsSaturated());
  EXPECT_FALSE(MoleculeFrom("C C C; 0-1 1=2")->IsAromatic());
  EXPECT_TRUE(MoleculeFrom("c14 c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0")->IsAromatic());

  auto toluene = MoleculeFrom(kToluene);
  EXPECT_EQ(toluene->CarbonNumber(), 7);
  EXPECT_EQ(toluene->CarbonCount(), 7);

  // The fraction number counts type codes 2..7, deuterium and tritium included.
  auto deuteratedMethane = MoleculeFrom("C D D D D; 0-1 0-2 0-3 0-4");
  EXPECT_EQ(deuteratedMethane->CarbonNumber(), 5);
  EXPECT_EQ(deuteratedMethane->CarbonCount(), 1);
  deuteratedMethane->Inert = true;
  EXPECT_EQ(deuteratedMethane->CarbonCount(), 0);
}

TEST(MoleculeFormula, CountsEveryCodeAndSplitsCarbonKinds) {
  EXPECT_EQ(MoleculeFrom(LinearAlkane(3))->Formula(), "H8C3");
  EXPECT_EQ(MoleculeFrom(kToluene)->Formula(), "H8C1C6");
  EXPECT_EQ(MoleculeFrom("O")->Formula(), "H2O1");
  EXPECT_EQ(MoleculeFrom("He..")->Formula(), "He1");
  EXPECT_EQ(MoleculeFrom("C14 C; 0-1")->Formula(), "H6C1(14)C1");
  TMolecule empty;
  empty.Build();
  EXPECT_EQ(empty.Formula(), "");
}

TEST(MoleculeMass, BothSummationRoutesAgree) {
  const double h = AtomicMass(kHydrogen), c = AtomicMass(kCarbon);
  EXPECT_NEAR(MoleculeFrom("C")->MolarMass(), c + 4 * h, 1e-12);          // fewer than 11 atoms
  EXPECT_NEAR(MoleculeFrom(LinearAlkane(3))->MolarMass(), 3 * c + 8 * h, 1e-12);  // from AtomsPerType
  EXPECT_NEAR(MoleculeFrom(kBenzene)->MolarMass(), 6 * c + 6 * h, 1e-12);
}

TEST(MoleculeComponents, FragmentsInOrderOfTheirLowestAtom) {
  // Two methanes whose atoms are interleaved: fragment of atom 0 first.
  auto twoMethanes = Renumbered(*MoleculeFrom("C C"), {1, 0, 6, 2, 7, 3, 8, 4, 9, 5});
  const TAtomMatrix fragments = twoMethanes->Components();
  ASSERT_EQ(fragments.size(), 2u);
  std::vector<int> first, second;
  for (TAtom* atom : fragments[0]) first.push_back(atom->GetIndex());
  for (TAtom* atom : fragments[1]) second.push_back(atom->GetIndex());
  EXPECT_EQ(first, (std::vector<int>{0, 2, 4, 6, 8}));
  EXPECT_EQ(second, (std::vector<int>{1, 3, 5, 7, 9}));
  EXPECT_FALSE(twoMethanes->IsConnected());

  EXPECT_EQ(MoleculeFrom(LinearAlkane(4))->Components().size(), 1u);
  TMolecule empty;
  empty.Build();
  EXPECT_TRUE(empty.Components().empty());
}

TEST(MoleculeCycleAtoms, CyclopropaneReordersRestoredBonds) {
  auto cyclopropane = MoleculeFrom("C C C; 0-1 1-2 2-0");
  ASSERT_EQ(EntryIndices(cyclopropane->GetAtom(0)), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(cyclopropane->CycleAtomIndices(), (TByteVector{1, 0, 2}));
  // Every tested bond was removed and appended again at the end of both lists.
  EXPECT_EQ(EntryIndices(cyclopropane->GetAtom(0)), (std::vector<int>{3, 4, 1, 2}));
  EXPECT_EQ(EntryIndices(cyclopropane->GetAtom(1)), (std::vector<int>{5, 6, 0, 2}));
  EXPECT_EQ(EntryIndices(cyclopropane->GetAtom(2)), (std::vector<int>{7, 8, 0, 1}));
  // The structure itself is unchanged.
  EXPECT_EQ(cyclopropane->GetAtom(0)->NeighbourCount(), 4);
  EXPECT_TRUE(cyclopropane->IsConnected());
}

TEST(MoleculeCycleAtoms, BenzeneChainAndDisconnectedMolecule) {
  auto benzene = MoleculeFrom(kBenzene);
  TByteVector ring = benzene->CycleAtomIndices();
  std::sort(ring.begin(), ring.end());
  EXPECT_EQ(ring, (TByteVector{0, 1, 2, 3, 4, 5}));
  // Aromatic flags survive the removal and restoration.
  for (int i = 0; i < 6; ++i) EXPECT_EQ(benzene->GetAtom(i)->AromaticBondCount(), 2);

  auto toluene = MoleculeFrom(kToluene);
  TByteVector tolueneRing = toluene->CycleAtomIndices();
  std::sort(tolueneRing.begin(), tolueneRing.end());
  EXPECT_EQ(tolueneRing, (TByteVector{1, 2, 3, 4, 5, 6}));

  EXPECT_TRUE(MoleculeFrom(LinearAlkane(5))->CycleAtoms().empty());
  // An already disconnected molecule never stays connected: no ring atoms.
  EXPECT_TRUE(MoleculeFrom("C C C C; 0-1 1-2 2-0")->CycleAtoms().empty());
}

TEST(MoleculeDistance, BreadthFirstAgreesWithAllPairsRelaxation) {
  for (const char* description : {"C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0 0-6", kToluene, "C C; 0-1", "C C"}) {
    auto molecule = MoleculeFrom(description);
    const std::size_t n = molecule->AtomCount();
    TIntMatrix reference(n, n, 255);
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = 0; j < n; ++j)
        reference[i][j] = i == j ? 0 : molecule->AdjacencyMatrix()[i][j] ? 1 : 255;
    for (std::size_t k = 0; k < n; ++k)
      for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
          reference[i][j] = std::min(reference[i][j], reference[i][k] + reference[k][j]);
    const TByteMatrix& distance = molecule->DistanceMatrix();
    for (std::size_t i = 0; i < n; ++i)
      for (std::size_t j = 0; j < n; ++j) ASSERT_EQ(distance[i][j], reference[i][j]) << description << " " << i << "," << j;
  }
  auto propane = MoleculeFrom(LinearAlkane(3));
  EXPECT_EQ(propane->DistanceMatrix()[0][2], 2);
  EXPECT_EQ(propane->DistanceMatrix()[3][10], 4);  // H on C0 to H on C2
}

}  // namespace
}  // namespace korvane
