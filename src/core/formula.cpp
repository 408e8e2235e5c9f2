#include "core/formula.h"

#include <array>
#include <map>

#include "core/atom_types.h"

namespace korvane {

std::string HillFormula(const TMolecule& molecule) {
  std::array<int, kAtomTypeCount + 1> counts{};  // the last slot counts unknown codes
  for (std::uint8_t type : molecule.AtomTypes()) ++counts[type < kAtomTypeCount ? type : kAtomTypeCount];

  std::string formula;
  auto append = [&formula](const std::string& symbol, int count) {
    if (count == 0) return;
    formula += symbol;
    if (count != 1) formula += std::to_string(count);
  };
  const int carbon = counts[kCarbon] + counts[kAromaticCarbon];
  const int carbon14 = counts[kCarbon14] + counts[kAromaticCarbon14];
  // Hill order: carbon and hydrogen lead only when there is carbon. A labelled
  // carbon-14 still makes the species organic, so it joins the carbon group.
  std::map<std::string, int> rest;
  for (std::uint8_t code : {kDeuterium, kTritium, kHelium, kNitrogen, kOxygen}) rest[AtomSymbol(code)] = counts[code];
  if (carbon + carbon14 > 0) {
    append("C", carbon);
    append(AtomSymbol(kCarbon14), carbon14);
    append("H", counts[kHydrogen]);
  } else {
    rest["H"] = counts[kHydrogen];
  }
  for (const auto& [symbol, count] : rest) append(symbol, count);
  append("?", counts[kNoType] + counts[kAtomTypeCount]);
  return formula;
}

}  // namespace korvane
