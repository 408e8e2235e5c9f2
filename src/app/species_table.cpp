#include "app/species_table.h"

#include <algorithm>

#include "core/formula.h"
#include "database/species_thermo.h"

namespace korvane {

TSpeciesRow SpeciesRowOf(const TReactionNetwork& network, std::size_t index, const TSmilesProvider& smiles) {
  const TMolecule& component = *network.Component(index);
  std::string text = "-";
  if (smiles)
    if (auto named = smiles(component)) text = std::move(named.value());
  TSpeciesRow row{index, HillFormula(component), std::move(text), {}, {},
                  component.Name == "Noname" ? "" : component.Name};
  // On a copy, as the mechanism exports do: the estimate builds the atoms
  // and matrices, which go with the copy.
  if (const auto thermo = SpeciesThermo(*component.Copy())) {
    constexpr double kStandardTemperature = 298.15;
    row.FormationEnthalpy = NasaEnthalpy(thermo.value().Polynomial, kStandardTemperature) / 1000.0;
    row.Entropy = NasaEntropy(thermo.value().Polynomial, kStandardTemperature);
  }
  return row;
}

std::string OneLineText(const std::string& text, std::size_t limit) {
  std::size_t end = std::min(limit, text.size());
  // Never end inside a UTF-8 sequence: back up over its continuation bytes and its lead byte.
  if (end < text.size())
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  std::string line = text.substr(0, end);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = ' ';
  return line;
}

}  // namespace korvane
