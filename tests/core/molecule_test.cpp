#include "core/molecule.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/structure_notation.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::Renumbered;

std::vector<int> Indices(const TAtomVector& atoms) {
  std::vector<int> indices;
  for (const TAtom* atom : atoms) indices.push_back(atom->GetIndex());
  return indices;
}

// The neighbour list of an atom as indices, self entries included.
std::vector<int> EntryIndices(const TAtom* atom) { return Indices(atom->GetNeighbours()); }

constexpr const char* kBenzene = "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0";
constexpr const char* kToluene = "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1";

// Lower neighbours ascending, then self entries, then higher neighbours.
// Looking at a component (rings for its properties or its picture) must never
// reorder its neighbour lists: a later generation walks them in order.
TEST(MoleculeCycleAtoms, NeighbourListsKeepTheBuildOrderChainsAndFragmentsHaveNoRingAtoms) {
  EXPECT_EQ(EntryIndices(MoleculeFrom("C. C; 0-1")->GetAtom(0)), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(EntryIndices(MoleculeFrom("C C. C; 0-1 1-2")->GetAtom(1)), (std::vector<int>{0, 1, 2, 6}));
  auto cyclopropane = MoleculeFrom("C C C; 0-1 1-2 2-0");
  EXPECT_EQ(cyclopropane->CycleAtomIndices(), (TByteVector{1, 0, 2}));
  EXPECT_EQ(EntryIndices(cyclopropane->GetAtom(0)), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(EntryIndices(cyclopropane->GetAtom(1)), (std::vector<int>{0, 2, 5, 6}));
  EXPECT_EQ(EntryIndices(cyclopropane->GetAtom(2)), (std::vector<int>{0, 1, 7, 8}));
  auto benzene = MoleculeFrom(kBenzene);
  TByteVector ring = benzene->CycleAtomIndices();
  std::sort(ring.begin(), ring.end());
  EXPECT_EQ(ring, (TByteVector{0, 1, 2, 3, 4, 5}));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(benzene->GetAtom(i)->AromaticBondCount(), 2);  // flags restored
  EXPECT_TRUE(MoleculeFrom(LinearAlkane(5))->CycleAtoms().empty());
  // An already disconnected molecule never stays connected: no ring atoms.
  EXPECT_TRUE(MoleculeFrom("C C C C; 0-1 1-2 2-0")->CycleAtoms().empty());
}

TEST(MoleculeStructure, RefusesWhatNoMoleculeIsAndLeavesTheMoleculeUnchanged) {
  TMolecule molecule(3);
  std::string error;
  ASSERT_TRUE(molecule.SetStructure(TByteMatrix{{0}}, TByteVector{kHelium}, TBoolMatrix{{false}}, &error));
  molecule.Build();
  const std::size_t n = 256;
  // Ethane's carbons with the bond in one triangle only, and aromatic marks
  // that no bond of order 1 carries both ways.
  const TByteVector carbons{kCarbon, kCarbon};
  const struct {
    TByteMatrix adjacency;
    TByteVector types;
    TBoolMatrix aromatic;
    const char* says;
  } cases[] = {
      {TByteMatrix(n, n, 0), TByteVector(n, kHydrogen), TBoolMatrix(n, n, false), "at most 255 atoms; this structure has 256"},
      {TByteMatrix{{0, 0}, {0, 0}}, TByteVector{kCarbon}, TBoolMatrix{{false, false}, {false, false}}, "different numbers"},
      {TByteMatrix{{3, 0}, {1, 3}}, carbons, TBoolMatrix{{false, false}, {false, false}},
       "The adjacency matrix is not symmetric: entry (0, 1) is 0, entry (1, 0) is 1."},
      {TByteMatrix{{3, 1}, {1, 3}}, carbons, TBoolMatrix{{false, true}, {false, false}}, "not symmetric at (0, 1)"},
      {TByteMatrix{{2, 2}, {2, 2}}, carbons, TBoolMatrix{{false, true}, {true, false}}, "not a bond of order 1"},
      {TByteMatrix{{4, 0}, {0, 4}}, carbons, TBoolMatrix{{false, true}, {true, false}}, "not a bond of order 1"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(molecule.SetStructure(c.adjacency, c.types, c.aromatic, &error)) << c.says;
    EXPECT_NE(error.find(c.says), std::string::npos) << error;
    EXPECT_EQ(molecule.AtomTypes(), TByteVector{kHelium});
  }
  // 255 atoms is the largest molecule there is, and it builds.
  const std::size_t largest = 255;
  auto hydrogens = TMolecule::FromStructure(0, TByteMatrix(largest, largest, 0), TByteVector(largest, kHydrogen),
                                            TBoolMatrix(largest, largest, false));
  ASSERT_NE(hydrogens, nullptr);
  EXPECT_EQ(hydrogens->Invariants().AtomCount, 255);
}

TEST(MoleculeCopy, KeepsIdAndStructureButNotNameFlagsOrLinks) {
  auto original = MoleculeFrom("C. C C; 0-1 1-2", 17);
  original->Name = "propyl";
  original->Inert = true;
  original->ReactionLinks.Add(kConsumedIn, nullptr, -1);
  auto copy = original->Copy();
  EXPECT_TRUE(copy->ID == 17 && copy->Name == "Noname" && !copy->Inert);
  EXPECT_TRUE(copy->ReactionLinks.Coefficients(kConsumedIn).empty());
  EXPECT_EQ(copy->Invariants(), original->Invariants());
  EXPECT_EQ(copy->GetAtom(0)->Entries().front().Atom, copy->GetAtom(0));  // its own atoms
}

TEST(MoleculeInvariants, ScoresTypeCountsMassFractionsAndMolarMass) {
  const TInvariants propane = MoleculeFrom(LinearAlkane(3))->Invariants();
  EXPECT_TRUE(propane.AtomCount == 11 && propane.AtomsPerType[kHydrogen] == 8 && propane.AtomsPerType[kCarbon] == 3);
  // Allyl: row sums count the unpaired electron and the bond orders (all 4);
  // neighbour counts include the self entry (C0 4, C1 3, C2 3).
  auto allyl = MoleculeFrom("C. C C; 0-1 1=2");
  EXPECT_EQ(allyl->Invariants().GraphScore1, (TByteVector{4, 4, 4, 1, 1, 1, 1, 1}));
  EXPECT_EQ(allyl->Invariants().GraphScore2, (TByteVector{4, 3, 3, 1, 1, 1, 1, 1}));

  auto methane = MoleculeFrom("C");
  EXPECT_NEAR(methane->MassFractions()[kHydrogen], 0.2513, 1e-4);
  EXPECT_NEAR(methane->MassFractions()[kCarbon], 0.7487, 1e-4);
  EXPECT_EQ(methane->MassFractions()[kOxygen], 0.0);
  TMolecule empty;
  empty.Build();  // no atoms: nothing to divide, every fraction is 0
  for (int code = 1; code <= 10; ++code) EXPECT_EQ(empty.MassFractions()[code], 0.0);
  // Below 11 atoms the mass sums the atoms, from 11 on the type counts.
  const double h = AtomicMass(kHydrogen), c = AtomicMass(kCarbon);
  EXPECT_NEAR(methane->MolarMass(), c + 4 * h, 1e-12);
  EXPECT_NEAR(MoleculeFrom(LinearAlkane(3))->MolarMass(), 3 * c + 8 * h, 1e-12);
}

TEST(MoleculeCharacter, RadicalCyclicAromaticAndCarbonCounts) {
  EXPECT_FALSE(MoleculeFrom("C..")->IsRadical());  // carbene: an even number of unpaired electrons
  EXPECT_TRUE(MoleculeFrom("H.")->IsRadical());
  EXPECT_EQ(MoleculeFrom("C C C. C; 0-1 1-2 2-3")->RadicalAtoms(), TByteVector{2});
  const std::pair<const char*, bool> cyclic[] = {
      {"C C C; 0-1 1-2", false}, {"C C C; 0-1 1=2", false}, {"C.", false},
      {"C.. C; 0-1", false},  // a diagonal 2 counts as unpaired electrons
      {"C C C; 0-1 1-2 2-0", true}, {kBenzene, true},       {"C. C C; 0-1 1-2 2-0", true},
      {"O", true},  // oxygen is outside the balance
  };
  for (const auto& [description, expected] : cyclic)
    EXPECT_EQ(MoleculeFrom(description)->IsCyclic(), expected) << description;
  TMolecule empty;
  empty.Build();
  EXPECT_TRUE(empty.IsCyclic());  // 2 differs from 0
  auto water = MoleculeFrom("O");
  water->Inert = true;
  EXPECT_FALSE(water->IsCyclic());  // inert molecules skip the balance

  EXPECT_TRUE(MoleculeFrom(kBenzene)->IsSaturated());
  EXPECT_TRUE(MoleculeFrom("c14 c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0")->IsAromatic());
  EXPECT_FALSE(MoleculeFrom("C C C; 0-1 1=2")->IsSaturated());
  // The fraction number counts type codes 2..7, deuterium and tritium included.
  auto deuteratedMethane = MoleculeFrom("C D D D D; 0-1 0-2 0-3 0-4");
  EXPECT_EQ(deuteratedMethane->CarbonNumber(), 5);
  EXPECT_EQ(deuteratedMethane->CarbonCount(), 1);
}

TEST(MoleculeFormula, CountsEveryCodeAndSplitsCarbonKinds) {
  const std::pair<const char*, const char*> cases[] = {
      {"C C C; 0-1 1-2", "H8C3"}, {kToluene, "H8C1C6"}, {"C.", "H3C1"},
      {"O", "H2O1"},              {"He..", "He1"},      {"C14 C; 0-1", "H6C1(14)C1"},
  };
  for (const auto& [description, formula] : cases) EXPECT_EQ(MoleculeFrom(description)->Formula(), formula);
}

TEST(MoleculeComponents, FragmentsInOrderOfTheirLowestAtomAndDistancesInBonds) {
  // Two methanes whose atoms are interleaved: fragment of atom 0 first.
  auto twoMethanes = Renumbered(*MoleculeFrom("C C"), {1, 0, 6, 2, 7, 3, 8, 4, 9, 5});
  const TAtomMatrix fragments = twoMethanes->Components();
  ASSERT_EQ(fragments.size(), 2u);
  EXPECT_EQ(Indices(fragments[0]), (std::vector<int>{0, 2, 4, 6, 8}));
  EXPECT_EQ(Indices(fragments[1]), (std::vector<int>{1, 3, 5, 7, 9}));
  EXPECT_FALSE(twoMethanes->IsConnected());
  EXPECT_EQ(twoMethanes->DistanceMatrix()[0][1], 255);  // across fragments
  auto propane = MoleculeFrom(LinearAlkane(3));
  EXPECT_TRUE(propane->IsConnected());
  EXPECT_EQ(propane->DistanceMatrix()[0][2], 2);
  EXPECT_EQ(propane->DistanceMatrix()[3][10], 4);  // H on C0 to H on C2
}

// The notation refuses, naming the token, what describes no molecule.
TEST(StructureNotation, RefusesWhatDescribesNoMolecule) {
  const std::pair<const char*, const char*> cases[] = {
      {"X", "unknown atom symbol in 'X'"},      {"C.x", "bad atom token 'C.x'"},
      {"C C; 0-", "bad bond token '0-'"},        {"C C; a-1", "bad bond token 'a-1'"},
      {"C C; 0-2", "bad bond atoms in '0-2'"},   {"C; 0-0", "bad bond atoms in '0-0'"},
      {"C C; 0#1 0=1", "atom 0 exceeds its valence"}};
  for (const auto& [text, message] : cases) {
    const auto molecule = MoleculeFromNotation(text);
    ASSERT_FALSE(molecule) << text;
    EXPECT_EQ(molecule.error().Code, TErrorCode::InvalidInput);
    EXPECT_EQ(molecule.error().Message, message);
  }
  EXPECT_EQ(MoleculeFromNotation("C C; 0=1", 7).value()->ID, 7);
}

}  // namespace
}  // namespace korvane
