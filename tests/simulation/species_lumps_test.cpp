// Lumps by structure: specific species by identity, whatever their atom
// order, their isomers by carbon count or "other".

#include <gtest/gtest.h>

#include "molecule_builder.h"
#include "simulation/species_lumps.h"

namespace korvane {
namespace {

TEST(SpeciesLumps, PlacesSpeciesByIdentityAndIsomersByCarbonCount) {
  const std::pair<const char*, TLump> cases[] = {
      {"H H; 0-1", TLump::Hydrogen},
      {"C", TLump::Methane},
      {"C C; 0=1", TLump::Ethylene},
      {"C C; 0-1", TLump::Ethane},
      {"C C; 0#1", TLump::Acetylene},
      {"C C C; 0=1 1-2", TLump::Propylene},
      {"C C C; 0-1 1-2", TLump::Propane},
      {"C C C; 0=1 1=2", TLump::Other},  // allene is no propylene
      {"C C C; 0-1 0-2 1-2", TLump::Other},  // nor is cyclopropane
      {"C C C C; 0=1 1-2 2=3", TLump::Butadiene},
      {"C C C C; 0=1 1=2 2-3", TLump::OtherC4},  // 1,2-butadiene
      {"C C C C; 0-1 1-2 2=3", TLump::OtherC4},
      {"C C C C C; 0-1 1-2 2-3 3=4", TLump::C5},
      {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", TLump::Benzene},
      {"C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", TLump::C6},
      {"c c c c c c C; 0:1 1:2 2:3 3:4 4:5 5:0 3-6", TLump::Toluene},
      {"c c c c c c C C; 0:1 1:2 2:3 3:4 4:5 5:0 4-6 1-7", TLump::Xylenes},
      {"c c c c c c C C; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 6-7", TLump::C8},  // ethylbenzene
      {"C C C C C C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-6 6-7 7-8 8-9 9-10", TLump::C10Plus},
      {"C. C; 0-1", TLump::Other},  // radicals are no product
      {"H.", TLump::Other},
  };
  for (auto [notation, lump] : cases) {
    const auto molecule = testing::MoleculeFrom(notation);
    EXPECT_EQ(LumpName(LumpOf(*molecule)), LumpName(lump)) << notation;
    // The atom order does not matter.
    const auto shuffled = testing::Renumbered(*molecule, testing::ShuffledOrder(int(molecule->AtomCount()), 7));
    EXPECT_EQ(LumpOf(*shuffled), lump) << notation;
  }
}

TEST(SpeciesLumps, CountsCarbonAndHydrogenIsotopesAlike) {
  const auto molecule = testing::MoleculeFrom("C14 C D; 0-1 1-2");
  const TElementCount count = ElementsOf(*molecule);
  EXPECT_EQ(count.Carbon, 2);
  EXPECT_EQ(count.Hydrogen, 6);
}

}  // namespace
}  // namespace korvane
