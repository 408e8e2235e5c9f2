#pragma once
/// Atom-type codes: the only element information an atom carries. Symbol,
/// valence and mass are functions of the code. Codes above 10 have valence 0
/// and an empty symbol.

#include <cstdint>
#include <string>

namespace korvane {

enum TAtomTypeCode : std::uint8_t {
  kNoType = 0,
  kHydrogen = 1,
  kCarbon = 2,
  kAromaticCarbon = 3,
  kDeuterium = 4,
  kTritium = 5,
  kCarbon14 = 6,
  kAromaticCarbon14 = 7,
  kHelium = 8,
  kNitrogen = 9,
  kOxygen = 10,
};

/// Number of atom-type codes (0..10).
inline constexpr int kAtomTypeCount = 11;

std::string AtomSymbol(std::uint8_t code);
inline std::uint8_t Valence(std::uint8_t code) {
  // The aromatic carbon's valence is 3 because one electron belongs to the
  // aromatic system; its aromatic bonds are stored with order 1.
  constexpr std::uint8_t kValences[kAtomTypeCount] = {0, 1, 4, 3, 1, 1, 4, 3, 2, 3, 2};
  return code < kAtomTypeCount ? kValences[code] : 0;
}
/// Atomic mass [g/mol].
double AtomicMass(std::uint8_t code);

/// H, D or T (valence 1).
inline bool IsHydrogenLike(std::uint8_t code) {
  return code == kHydrogen || code == kDeuterium || code == kTritium;
}
/// Codes 2, 3, 6 and 7.
inline bool IsCarbonType(std::uint8_t code) {
  return code == kCarbon || code == kAromaticCarbon || code == kCarbon14 || code == kAromaticCarbon14;
}
/// Codes 3 and 7.
inline bool IsAromaticType(std::uint8_t code) { return code == kAromaticCarbon || code == kAromaticCarbon14; }
/// Valence greater than 1.
inline bool IsPolyvalent(std::uint8_t code) { return Valence(code) > 1; }

}  // namespace korvane
