#include "smiles/smiles_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

// Why the SMILES is refused; empty when it reads.
std::string Refusal(std::string_view smiles) {
  const auto read = MoleculeFromSmiles(smiles);
  if (read) return {};
  EXPECT_EQ(read.error().Code, TErrorCode::InvalidInput);
  return read.error().Message;
}

// Heavy atoms in SMILES order, then hydrogens grouped by owner (those written
// as atoms first): the same matrices as the molecules built by hand. Unpaired
// electrons land on the diagonal, isotopes in their atom types, and Kekulé
// benzene reads as aromatic, as the generator aromatises such rings.
TEST(SmilesReader, GivesTheSameMatricesAsTheHandBuiltMolecules) {
  const std::string benzene = "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0";
  const std::pair<const char*, std::string> cases[] = {
      {"CCC", "C C C; 0-1 1-2"},   {"CC(C)C", "C C C C; 0-1 1-2 1-3"}, {"C#CC", "C C C; 0#1 1-2"},
      {"c1ccccc1", benzene},       {"C1=CC=CC=C1", benzene},           {"[CH3]", "C."},
      {"C[CH2]", "C C.; 0-1"},     {"[CH2]C=C", "C. C C; 0-1 1=2"},    {"[CH]=C", "C. C; 0=1"},
      {"C[C](C)C", "C C. C C; 0-1 1-2 1-3"}, {"[CH2]", "C.."},          {"[C]", "C...."},
      {"[c]1ccccc1", "c. c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"},          {"[H]", "H."},
      {"[H][H]", "H H; 0-1"},      {"[HH]", "H H; 0-1"},               {"[H]C([H])([H])[H]", "C"},
      {"C([H])C", "C C; 0-1"},     {"[2H]C", "C D; 0-1"},              {"C[2H]", "C D; 0-1"},
      {"C([3H])[2H]", "C T D; 0-1 0-2"}, {"[2H][2H]", "D D; 0-1"},      {"[14CH3]C", "C14 C; 0-1"},
      {"[14cH]1ccccc1", "c14 c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"},      {"[He]", "He.."},
      {"N#N", "N N; 0#1"},         {"[NH2]", "N."},                    {"O", "O"},
      {"[OH]", "O."},              {"  CCC\r\n", "C C C; 0-1 1-2"},  // surrounding space ignored
  };
  for (const auto& [smiles, description] : cases) {
    const auto read = MoleculeFromSmiles(smiles, 42);
    ASSERT_TRUE(read) << smiles << ": " << read.error().Message;
    const TMolecule& molecule = *read.value();
    auto built = MoleculeFrom(description);
    EXPECT_EQ(molecule.ID, 42) << smiles;
    EXPECT_EQ(molecule.AtomTypes(), built->AtomTypes()) << smiles;
    EXPECT_TRUE(molecule.AdjacencyMatrix() == built->AdjacencyMatrix()) << smiles;
    EXPECT_TRUE(molecule.AromaticMatrix() == built->AromaticMatrix()) << smiles;
  }
  EXPECT_FALSE(MoleculeFromSmiles("C1=CCCCC1").value()->IsAromatic());
}

TEST(SmilesReader, HoldsUpTo255Atoms) {
  // An alkene C85H170 has exactly 255 atoms, the alkane C85H172 257.
  const auto largest = MoleculeFromSmiles("C=C" + std::string(83, 'C'));
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest.value()->AtomCount(), 255u);
  EXPECT_EQ(Refusal(std::string(85, 'C')),
            "a molecule holds at most 255 atoms; '" + std::string(37, 'C') + "...' has 257");
  // Benzene rings in a row: 1 000 (8 KB) are refused by their written
  // atoms before ring perception, 10 000 (80 KB) by their length unread.
  std::string rings;
  for (int k = 0; k < 1000; ++k) rings += "c1ccccc1";
  EXPECT_EQ(Refusal(rings),
            "a molecule holds at most 255 atoms; 'c1ccccc1c1ccccc1c1ccccc1c1ccccc1c1ccc...' has 6000 without its "
            "hydrogens");
  EXPECT_EQ(Refusal(std::string(80000, 'C')),
            "'" + std::string(37, 'C') + "...' is 80000 characters long; a SMILES of at most 255 atoms is far "
            "shorter (at most 16384 characters are read)");
}

TEST(SmilesReader, RefusesWhatTheMoleculeCannotHold) {
  const std::pair<const char*, const char*> cases[] = {
      {"CCS", "unsupported element S in 'CCS'"}, {"*C", "unsupported element * in '*C'"},
      {"[NH4+]", "charged atoms are not supported in '[NH4+]'"},
      {"[13CH4]", "isotope [13C] in '[13CH4]' is not supported"}, {"[15N]#N", "isotope [15N] in '[15N]#N' is not"},
      {"C(C", "'C(C' is not valid SMILES"}, {"C1CC", "'C1CC' is not valid SMILES"},
      {"c1ccncc1", "aromatic N in 'c1ccncc1' is not supported"}, {"C1=CC=NC=C1", "aromatic N in 'C1=CC=NC=C1' is not"},
      {"[He]C", "helium bonded to other atoms is not supported"},
      {"C$C", "quadruple bond between atoms 0 and 1 in 'C$C' is not supported"},
      {"C:C", "aromatic bond between atoms 0 and 1 in 'C:C' lies outside an aromatic ring"},
      {"C->C", "unsupported bond between atoms 0 and 1 in 'C->C'"},
      {"c1cccc1", "RDKit cannot sanitise 'c1cccc1': Can't kekulize"}, {"C(C)(C)(C)(C)C", "RDKit cannot sanitise"},
      // RDKit sanitises these, but into states the model cannot hold.
      {"[H][NH]#N", "charged atoms are not supported in '[H][NH]#N'"},
      {"c1ccccc1:[OH][H]", "atom 6 (O) of 'c1ccccc1:[OH][H]' has valence 3; O has 2"},
      {"Cc1ccc:c#C:1", "multiple bond between aromatic atoms 5 and 6 in 'Cc1ccc:c#C:1' is not supported"},
      {"C.[H]", "'C.[H]' holds 2 separate fragments; write one species per SMILES"},
      {"CCC propane", "unexpected text after the SMILES in 'CCC propane'"}, {" \t", "empty SMILES"},
  };
  for (const auto& [smiles, message] : cases) {
    const std::string refusal = Refusal(smiles);
    EXPECT_NE(refusal, "") << smiles;
    EXPECT_NE(refusal.find(message), std::string::npos) << smiles << " gave: " << refusal;
  }
}

}  // namespace
}  // namespace korvane
