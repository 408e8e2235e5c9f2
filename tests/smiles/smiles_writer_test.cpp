#include "smiles/smiles_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/atom_types.h"
#include "core/identity.h"
#include "database/mol_structure_file.h"
#include "molecule_builder.h"
#include "smiles/smiles_reader.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

std::string Canonical(const TMolecule& molecule) {
  const auto smiles = CanonicalSmiles(molecule);
  EXPECT_TRUE(smiles) << smiles.error().Message;
  return smiles ? smiles.value() : "";
}

std::string CanonicalOf(const std::string& smiles) {
  const auto molecule = MoleculeFromSmiles(smiles);
  EXPECT_TRUE(molecule) << smiles;
  return molecule ? Canonical(*molecule.value()) : "";
}

// SMILES -> molecule -> canonical SMILES -> molecule gives the same species
// and the same name again.
TEST(CanonicalSmiles, RoundTripsKeepTheSpecies) {
  const char* species[] = {
      "C", "CC", "CCC", "CCCCCC", "CC(C)C", "CC(C)(C)C", "C=C", "C=CC", "CC=CC", "C=C(C)C", "C#C", "CC#CC", "C=CC=C",
      "C=C=C", "[CH3]", "C[CH2]", "[CH2]C=C", "[CH]=C", "C[C](C)C", "[CH2]", "[C]", "c1ccccc1", "Cc1ccccc1",
      "[c]1ccccc1", "[CH2]c1ccccc1", "c1ccc2ccccc2c1", "[2H]C", "[2H]C([2H])([2H])[2H]", "[3H]CC", "[2H][H]",
      "[14CH4]", "[14cH]1ccccc1", "[H]", "[H][H]", "[He]", "N#N", "O", "[OH]"};
  for (const std::string smiles : species) {
    const auto first = MoleculeFromSmiles(smiles);
    ASSERT_TRUE(first) << smiles;
    const std::string canonical = Canonical(*first.value());
    const auto second = MoleculeFromSmiles(canonical);
    ASSERT_TRUE(second) << smiles << " -> " << canonical;
    EXPECT_TRUE(AreIsomorphic(*first.value(), *second.value())) << smiles << " -> " << canonical;
    EXPECT_EQ(Canonical(*second.value()), canonical) << smiles;
  }
}

TEST(CanonicalSmiles, NamesASpeciesTheSameWhateverItsNumbering) {
  // Other typings of the reference species are compared below. The molecule has no
  // stereo: cis and trans butene are one species.
  const std::pair<const char*, const char*> sameSpecies[] = {{"[2H]CC", "CC[2H]"}, {"C/C=C/C", "C/C=C\\C"}};
  for (const auto& [a, b] : sameSpecies) EXPECT_EQ(CanonicalOf(a), CanonicalOf(b)) << a << " / " << b;
  EXPECT_NE(CanonicalOf("CCCC"), CanonicalOf("CC(C)C"));
  EXPECT_NE(CanonicalOf("C=CCC"), CanonicalOf("CC=CC"));
  for (const char* description : {"C C C C C; 0-1 1-2 1-3 3-4", "C C. C C; 0-1 1-2 2=3",
                                  "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", "C D T C14; 0-1 0-2 0-3"}) {
    auto molecule = MoleculeFrom(description);
    const int n = static_cast<int>(molecule->AtomCount());
    for (unsigned seed = 1; seed <= 4; ++seed) {
      auto shuffled = testing::Renumbered(*molecule, testing::ShuffledOrder(n, seed));
      EXPECT_EQ(Canonical(*shuffled), Canonical(*molecule)) << description << " seed " << seed;
    }
  }
}

TEST(CanonicalSmiles, WritesRadicalsIsotopesAndSmallSpecies) {
  const std::pair<const char*, const char*> cases[] = {
      {"C C C; 0-1 1-2", "CCC"}, {"C.", "[CH3]"}, {"C..", "[CH2]"},     {"H.", "[H]"},   {"H H; 0-1", "[H][H]"},
      {"He..", "[He]"},          {"N N; 0#1", "N#N"}, {"O", "O"},        {"C C", "C.C"},  {"C14", "[14CH4]"},
      {"C D; 0-1", "[2H]C"},     {"C T; 0-1", "[3H]C"}, {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", "c1ccccc1"},
      // A ring stored in Kekulé form with plain carbons gets the aromatic name.
      {"C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0", "c1ccccc1"},
  };
  for (const auto& [description, smiles] : cases) EXPECT_EQ(Canonical(*MoleculeFrom(description)), smiles);
}

// The reference structure files against the species typed as SMILES: in the
// files' atom order the matrices agree; typed any other way the name does.
TEST(CanonicalSmiles, ReferenceStructuresMatchTheirTypedSmiles) {
  const struct {
    const char *name, *inFileOrder, *otherwise;
  } cases[] = {
      {"propane", "CCC", "C(C)C"},           {"propene", "C=CC", "CC=C"},     {"isobutane", "CC(C)C", "C(C)(C)C"},
      {"n-hexane", "CCCCCC", "CCCCCC"},      {"cyclohexane", "C1CCCCC1", "C1CCCCC1"},
      {"benzene", "c1ccccc1", "C1=CC=CC=C1"}, {"toluene", "Cc1ccccc1", "c1ccccc1C"},
      {"methyl", "[CH3]", "[CH3]"},          {"allyl", "[CH2]C=C", "C=C[CH2]"},
  };
  for (const auto& c : cases) {
    const std::string path = std::string(KORVANE_TEST_DATA) + "/reference/structures/" + c.name + ".ms";
    const auto file = ReadMolStructureFile(path);
    ASSERT_TRUE(file) << c.name;
    const TMolCharacterisation& reference = file.value();
    const auto typed = MoleculeFromSmiles(c.inFileOrder);
    ASSERT_TRUE(typed) << c.name;
    const TMolecule& read = *typed.value();
    EXPECT_EQ(read.AtomTypes(), reference.AtomTypes) << c.name;
    EXPECT_TRUE(read.AdjacencyMatrix() == reference.AdjacencyMatrix) << c.name;
    EXPECT_TRUE(read.AromaticMatrix() == reference.AromaticMatrix) << c.name;
    auto molecule = TMolecule::FromStructure(reference.Identification, reference.AdjacencyMatrix, reference.AtomTypes,
                                             reference.AromaticMatrix);
    ASSERT_NE(molecule, nullptr) << c.name;
    EXPECT_EQ(Canonical(*molecule), CanonicalOf(c.otherwise)) << c.name;
  }
}

// The molecule with its stored pieces changed by `edit`.
std::unique_ptr<TMolecule> Edited(const TMolecule& molecule,
                                  const std::function<void(TByteMatrix&, TByteVector&, TBoolMatrix&)>& edit) {
  TByteMatrix adjacency = molecule.AdjacencyMatrix();
  TByteVector types = molecule.AtomTypes();
  TBoolMatrix aromatic = molecule.AromaticMatrix();
  edit(adjacency, types, aromatic);
  return TMolecule::FromStructure(0, std::move(adjacency), std::move(types), std::move(aromatic));
}

TEST(CanonicalSmiles, RefusesStructuresNoSmilesNames) {
  auto methyl = MoleculeFrom("C.");
  auto ethane = MoleculeFrom("C C; 0-1");
  const std::pair<std::unique_ptr<TMolecule>, const char*> cases[] = {
      {TMolecule::FromStructure(0, {}, {}, {}), "a molecule without atoms has no SMILES"},
      {Edited(*methyl, [](auto& a, auto&, auto&) { a[0][0] = 0; }),
       "atom 0 (C) has bonds and unpaired electrons adding up to 3 instead of its valence 4"},
      {Edited(*methyl, [](auto& a, auto&, auto&) { a[0][0] = 2; }),
       "atom 0 (C) has bonds and unpaired electrons adding up to 5 instead of its valence 4"},
      {Edited(*MoleculeFrom("He.."), [](auto& a, auto&, auto&) { a[0][0] = 0; }),
       "atom 0 (He) is not a lone helium atom with its two electrons"},
      {Edited(*methyl, [](auto&, auto& t, auto&) { t[3] = kNoType; }), "atom 3 has no element (type code 0)"},
      {Edited(*ethane, [](auto& a, auto&, auto&) { a[0][1] = a[1][0] = 4; }),
       "the bond between atoms 0 and 1 has order 4"},
      {Edited(*ethane, [](auto&, auto&, auto& r) { r[0][1] = r[1][0] = true; }),
       "the aromatic bond between atoms 0 and 1 does not join two aromatic carbons"},
      {MoleculeFrom("c c c c c; 0:1 1:2 2:3 3:4 4:0"), "RDKit cannot sanitise the structure"},
  };
  for (const auto& [molecule, message] : cases) {
    ASSERT_NE(molecule, nullptr) << message;
    const auto smiles = CanonicalSmiles(*molecule);
    ASSERT_FALSE(smiles) << message;
    EXPECT_EQ(smiles.error().Code, TErrorCode::InvalidInput);
    EXPECT_NE(smiles.error().Message.find(message), std::string::npos)
        << message << " gave: " << smiles.error().Message;
  }
}

}  // namespace
}  // namespace korvane
