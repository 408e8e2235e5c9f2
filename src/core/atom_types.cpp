#include "core/atom_types.h"

#include <array>

namespace korvane {
namespace {

struct TypeInfo {
  const char* symbol;
  double mass;
};

constexpr std::array<TypeInfo, kAtomTypeCount> kTypes{{
    {"", 0.0},
    {"H", 1.00794},
    {"C", 12.0107},
    {"C", 12.0107},
    {"D", 2.0},
    {"T", 3.0},
    {"(14)C", 14.0},
    {"(14)C", 14.0},
    {"He", 4.002602},
    {"N", 14.0068},
    {"O", 15.9994},
}};

}  // namespace

std::string AtomSymbol(std::uint8_t code) { return code < kAtomTypeCount ? kTypes[code].symbol : ""; }

double AtomicMass(std::uint8_t code) { return code < kAtomTypeCount ? kTypes[code].mass : 0.0; }

}  // namespace korvane
