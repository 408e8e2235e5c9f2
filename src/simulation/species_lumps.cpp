#include "simulation/species_lumps.h"

#include <array>
#include <cassert>
#include <memory>

#include "core/atom_types.h"
#include "core/molecule.h"
#include "core/structure_notation.h"

namespace korvane {
namespace {

constexpr std::array<std::string_view, kLumpCount> kNames = {
    "H2",  "CH4", "C2H4", "C2H6", "C2H2", "C3H6", "C3H8", "1,3-C4H6", "other C4", "C5",
    "C6",  "C7",  "C8",   "C9",   "C10+", "benzene", "toluene", "xylenes", "other"};

struct TKnownSpecies {
  std::string_view Notation;
  TLump Lump;
};

// The species named by identity, in the structure notation; aromatic rings
// as the generator stores them (aromatic carbons, aromatic bonds).
constexpr TKnownSpecies kKnown[] = {
    {"H H; 0-1", TLump::Hydrogen},
    {"C", TLump::Methane},
    {"C C; 0=1", TLump::Ethylene},
    {"C C; 0-1", TLump::Ethane},
    {"C C; 0#1", TLump::Acetylene},
    {"C C C; 0-1 1=2", TLump::Propylene},
    {"C C C; 0-1 1-2", TLump::Propane},
    {"C C C C; 0=1 1-2 2=3", TLump::Butadiene},
    {"c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", TLump::Benzene},
    {"c c c c c c C; 0:1 1:2 2:3 3:4 4:5 5:0 0-6", TLump::Toluene},
    {"c c c c c c C C; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 1-7", TLump::Xylenes},
    {"c c c c c c C C; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 2-7", TLump::Xylenes},
    {"c c c c c c C C; 0:1 1:2 2:3 3:4 4:5 5:0 0-6 3-7", TLump::Xylenes},
};

struct TKnownCertificate {
  std::string Certificate;
  TLump Lump;
};

const std::vector<TKnownCertificate>& KnownCertificates() {
  static const std::vector<TKnownCertificate> known = [] {
    std::vector<TKnownCertificate> list;
    for (const TKnownSpecies& species : kKnown) {
      auto molecule = MoleculeFromNotation(species.Notation);
      assert(molecule);
      list.push_back({std::string(molecule.value()->Certificate()), species.Lump});
    }
    return list;
  }();
  return known;
}

}  // namespace

std::string_view LumpName(TLump lump) { return kNames[static_cast<std::size_t>(lump)]; }

TElementCount ElementsOf(const TMolecule& molecule) {
  TElementCount count;
  for (std::uint8_t type : molecule.AtomTypes()) {
    if (IsCarbonType(type)) ++count.Carbon;
    if (IsHydrogenLike(type)) ++count.Hydrogen;
  }
  return count;
}

TLump LumpOf(const TMolecule& molecule) {
  if (molecule.Inert || molecule.IsRadical()) return TLump::Other;
  const std::string_view certificate = molecule.Certificate();
  for (const TKnownCertificate& known : KnownCertificates())
    if (known.Certificate == certificate) return known.Lump;
  const int carbons = ElementsOf(molecule).Carbon;
  switch (carbons) {
    case 4: return TLump::OtherC4;
    case 5: return TLump::C5;
    case 6: return TLump::C6;
    case 7: return TLump::C7;
    case 8: return TLump::C8;
    case 9: return TLump::C9;
    default: return carbons >= 10 ? TLump::C10Plus : TLump::Other;
  }
}

}  // namespace korvane
