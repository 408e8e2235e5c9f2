#include <gtest/gtest.h>

#include <string>

#include "database/thermo_library.h"
#include "smiles/smiles_reader.h"

namespace korvane {
namespace {

// Each entry's structure notation and its SMILES, read by the SMILES
// reader, are the same species: the lookup of the SMILES molecule finds
// exactly that entry.
TEST(ThermoLibraryKeys, EverySmilesFindsItsOwnEntry) {
  const TThermoLibrary& library = TThermoLibrary::Instance();
  for (const TThermoLibraryEntry& entry : library.Entries()) {
    SCOPED_TRACE(std::string(entry.Name) + " " + std::string(entry.Smiles));
    const auto molecule = MoleculeFromSmiles(entry.Smiles);
    ASSERT_TRUE(molecule) << molecule.error().Message;
    EXPECT_EQ(library.Find(*molecule.value()), &entry);
  }
  // Labelled species are other species.
  for (const char* labelled : {"[2H]C", "[14CH4]", "[2H]C([2H])=C", "[14cH]1ccccc1"}) {
    const auto molecule = MoleculeFromSmiles(labelled);
    ASSERT_TRUE(molecule) << labelled;
    EXPECT_EQ(library.Find(*molecule.value()), nullptr) << labelled;
  }
}

}  // namespace
}  // namespace korvane
