#include "core/atom_types.h"

#include <array>

namespace korvane {
namespace {

struct TypeInfo {
  const char* symbol;
  std::uint8_t valence;
  double mass;
};

// The aromatic carbon's valence is 3 because one electron belongs to the
// aromatic system; its aromatic bonds are stored with order 1.
constexpr std::array<TypeInfo, kAtomTypeCount> kTypes{{
    {"", 0, 0.0},
    {"H", 1, 1.00794},
    {"C", 4, 12.0107},
    {"C", 3, 12.0107},
    {"D", 1, 2.0},
    {"T", 1, 3.0},
    {"(14)C", 4, 14.0},
    {"(14)C", 3, 14.0},
    {"He", 2, 4.002602},
    {"N", 3, 14.0068},
    {"O", 2, 15.9994},
}};

}  // namespace

std::string AtomSymbol(std::uint8_t code) { return code < kAtomTypeCount ? kTypes[code].symbol : ""; }

std::uint8_t Valence(std::uint8_t code) { return code < kAtomTypeCount ? kTypes[code].valence : 0; }

double AtomicMass(std::uint8_t code) { return code < kAtomTypeCount ? kTypes[code].mass : 0.0; }

}  // namespace korvane
