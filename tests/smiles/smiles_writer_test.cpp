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

using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::Renumbered;
using testing::ShuffledOrder;

std::string Canonical(const TMolecule& molecule) {
  std::string error;
  const auto smiles = CanonicalSmiles(molecule, &error);
  EXPECT_TRUE(smiles.has_value()) << error;
  return smiles.value_or("");
}

std::string CanonicalOf(const std::string& smiles) {
  auto molecule = MoleculeFromSmiles(smiles);
  EXPECT_NE(molecule, nullptr) << smiles;
  return molecule ? Canonical(*molecule) : "";
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

TEST(CanonicalSmiles, RoundTripsKeepTheSpecies) {
  const std::vector<std::string> species = {
      // alkanes, alkenes, alkynes, dienes
      "C", "CC", "CCC", "CCCCCC", "CC(C)C", "CC(C)(C)C", "CCC(C)CC", "C=C", "C=CC", "CC=CC", "C=C(C)C", "C#C", "CC#C",
      "CC#CC", "C=CC=C", "C=CCC=C", "C=C=C",
      // radicals
      "[CH3]", "C[CH2]", "[CH2]C=C", "[CH]=C", "C[C](C)C", "[CH2]", "[C]",
      // aromatics
      "c1ccccc1", "Cc1ccccc1", "[c]1ccccc1", "[CH2]c1ccccc1", "c1ccc2ccccc2c1",
      // deuterium, tritium, carbon 14
      "[2H]C", "[2H]C([2H])([2H])[2H]", "[3H]CC", "[2H][2H]", "[2H][H]", "[14CH4]", "[14CH3]C", "[14cH]1ccccc1",
      // small species
      "[H]", "[H][H]", "[He]", "N#N", "O", "[OH]"};
  for (const std::string& smiles : species) {
    auto first = MoleculeFromSmiles(smiles);
    ASSERT_NE(first, nullptr) << smiles;
    const std::string canonical = Canonical(*first);
    auto second = MoleculeFromSmiles(canonical);
    ASSERT_NE(second, nullptr) << smiles << " -> " << canonical;
    EXPECT_TRUE(AreIsomorphic(*first, *second)) << smiles << " -> " << canonical;
    EXPECT_EQ(first->RefinementHash(), second->RefinementHash()) << smiles << " -> " << canonical;
    EXPECT_EQ(Canonical(*second), canonical) << smiles;
  }
}

TEST(CanonicalSmiles, NamesASpeciesTheSameWhateverItsNumbering) {
  const std::pair<const char*, const char*> sameSpecies[] = {
      {"CCC", "C(C)C"},
      {"Cc1ccccc1", "c1ccccc1C"},
      {"C1=CC=CC=C1C", "Cc1ccccc1"},
      {"[CH2]C=C", "C=C[CH2]"},
      {"C=CC", "CC=C"},
      {"[2H]CC", "CC[2H]"},
      {"[H]C([H])([H])[H]", "C"},
      // The molecule has no stereo: cis and trans butene are one species.
      {"C/C=C/C", "C/C=C\\C"},
  };
  for (const auto& [a, b] : sameSpecies) EXPECT_EQ(CanonicalOf(a), CanonicalOf(b)) << a << " / " << b;
  EXPECT_NE(CanonicalOf("CCCC"), CanonicalOf("CC(C)C"));
  EXPECT_NE(CanonicalOf("C=CCC"), CanonicalOf("CC=CC"));

  for (const char* description : {"C C C C C; 0-1 1-2 1-3 3-4", "C C. C C; 0-1 1-2 2=3",
                                  "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", "C D T C14; 0-1 0-2 0-3"}) {
    auto molecule = MoleculeFrom(description);
    const std::string expected = Canonical(*molecule);
    for (unsigned seed = 1; seed <= 4; ++seed) {
      auto shuffled = Renumbered(*molecule, ShuffledOrder(static_cast<int>(molecule->AtomCount()), seed));
      EXPECT_EQ(Canonical(*shuffled), expected) << description << " seed " << seed;
    }
  }
}

TEST(CanonicalSmiles, WritesRadicalsIsotopesAndSmallSpecies) {
  const std::pair<const char*, const char*> cases[] = {
      {"C C C; 0-1 1-2", "CCC"},
      {"C.", "[CH3]"},
      {"C..", "[CH2]"},
      {"H.", "[H]"},
      {"H H; 0-1", "[H][H]"},
      {"He..", "[He]"},
      {"N N; 0#1", "N#N"},
      {"O", "O"},
      {"C C", "C.C"},
      {"C14", "[14CH4]"},
      {"C D; 0-1", "[2H]C"},
      {"C T; 0-1", "[3H]C"},
      {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", "c1ccccc1"},
      // A ring stored in Kekulé form with plain carbons gets the aromatic name.
      {"C C C C C C; 0=1 1-2 2=3 3-4 4=5 5-0", "c1ccccc1"},
  };
  for (const auto& [description, smiles] : cases) EXPECT_EQ(Canonical(*MoleculeFrom(description)), smiles);
}

// Two routes to one name: the reference structure files and
// the species typed as SMILES, some written differently from the files' order.
TEST(CanonicalSmiles, ReferenceStructuresMatchTheirTypedSmiles) {
  const std::pair<const char*, const char*> cases[] = {
      {"propane", "C(C)C"},     {"propene", "CC=C"},         {"isobutane", "C(C)(C)C"},
      {"n-hexane", "CCCCCC"},   {"cyclohexane", "C1CCCCC1"}, {"benzene", "C1=CC=CC=C1"},
      {"toluene", "c1ccccc1C"}, {"methyl", "[CH3]"},         {"allyl", "C=C[CH2]"},
  };
  for (const auto& [name, smiles] : cases) {
    TMolCharacterisation reference;
    const std::string path = std::string(KORVANE_TEST_DATA) + "/reference/structures/" + name + ".ms";
    ASSERT_EQ(ReadMolStructureFile(path, reference), kStructureFileRead) << name;
    auto molecule = TMolecule::FromStructure(reference.Identification, reference.AdjacencyMatrix, reference.AtomTypes,
                                             reference.AromaticMatrix);
    ASSERT_NE(molecule, nullptr) << name;
    EXPECT_EQ(Canonical(*molecule), CanonicalOf(smiles)) << name;
  }
}

TEST(CanonicalSmiles, RefusesStructuresNoSmilesNames) {
  auto methyl = MoleculeFrom("C.");
  auto ethane = MoleculeFrom(LinearAlkane(2));
  struct Case {
    const char* what;
    std::unique_ptr<TMolecule> molecule;
    const char* message;
  };
  Case cases[] = {
      {"no atoms", TMolecule::FromStructure(0, {}, {}, {}), "a molecule without atoms has no SMILES"},
      {"methyl without its electron", Edited(*methyl, [](auto& a, auto&, auto&) { a[0][0] = 0; }),
       "atom 0 (C) has bonds and unpaired electrons adding up to 3 instead of its valence 4"},
      {"methyl with two electrons", Edited(*methyl, [](auto& a, auto&, auto&) { a[0][0] = 2; }),
       "atom 0 (C) has bonds and unpaired electrons adding up to 5 instead of its valence 4"},
      {"helium without electrons", Edited(*MoleculeFrom("He.."), [](auto& a, auto&, auto&) { a[0][0] = 0; }),
       "atom 0 (He) is not a lone helium atom with its two electrons"},
      {"untyped atom", Edited(*methyl, [](auto&, auto& t, auto&) { t[3] = kNoType; }),
       "atom 3 has no element (type code 0)"},
      {"quadruple bond", Edited(*ethane, [](auto& a, auto&, auto&) { a[0][1] = a[1][0] = 4; }),
       "the bond between atoms 0 and 1 has order 4"},
      {"aromatic chain bond", Edited(*ethane, [](auto&, auto&, auto& r) { r[0][1] = r[1][0] = true; }),
       "the aromatic bond between atoms 0 and 1 does not join two aromatic carbons"},
      {"aromatic flag without bond", Edited(*ethane, [](auto&, auto&, auto& r) { r[2][3] = r[3][2] = true; }),
       "atoms 2 and 3 are marked aromatic but not bonded"},
      {"five aromatic carbons", MoleculeFrom("c c c c c; 0:1 1:2 2:3 3:4 4:0"), "RDKit cannot sanitise the structure"},
  };
  for (Case& c : cases) {
    ASSERT_NE(c.molecule, nullptr) << c.what;
    std::string error;
    EXPECT_EQ(CanonicalSmiles(*c.molecule, &error), std::nullopt) << c.what;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.what << " gave: " << error;
    EXPECT_EQ(CanonicalSmiles(*c.molecule), std::nullopt) << c.what;
  }
}

}  // namespace
}  // namespace korvane
