#pragma once
/// The yield lumps of steam cracking, each species placed by its structure:
/// H2, CH4, C2H4, C2H6, C2H2, C3H6, C3H8, 1,3-butadiene, other C4, C5+ by
/// carbon count (C5 ... C9, C10+) less the named aromatics, benzene,
/// toluene, xylenes, and "other" (radicals, inert components, C3 species
/// other than propene and propane, ...). Specific species are recognised by
/// identity (the certificate), so an isomer never counts as one: propyne is
/// "other", not propene; ethylbenzene is C8, not a xylene.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class TMolecule;

enum class TLump : int {
  Hydrogen,
  Methane,
  Ethylene,
  Ethane,
  Acetylene,
  Propylene,
  Propane,
  Butadiene,
  OtherC4,
  C5,
  C6,
  C7,
  C8,
  C9,
  C10Plus,
  Benzene,
  Toluene,
  Xylenes,
  Other,
};

inline constexpr std::size_t kLumpCount = static_cast<std::size_t>(TLump::Other) + 1;

/// Name of a lump as tables show it: "H2", "CH4", "C2H4", "C2H6", "C2H2",
/// "C3H6", "C3H8", "1,3-C4H6", "other C4", "C5", ... "C9", "C10+",
/// "benzene", "toluene", "xylenes", "other".
std::string_view LumpName(TLump lump);

/// The lump of a species. Radicals are "other" whatever their size.
TLump LumpOf(const TMolecule& molecule);

/// Carbon and hydrogen atoms of a molecule (hydrogen isotopes count as
/// hydrogen, carbon-14 as carbon).
struct TElementCount {
  int Carbon = 0, Hydrogen = 0;
};
TElementCount ElementsOf(const TMolecule& molecule);

}  // namespace korvane
