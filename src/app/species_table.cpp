#include "app/species_table.h"

#include <algorithm>

#include "core/formula.h"

namespace korvane {

TSpeciesRow SpeciesRowOf(const TReactionNetwork& network, std::size_t index, const TSmilesProvider& smiles) {
  const TMolecule& component = *network.Component(index);
  std::string text = "-";
  if (smiles)
    if (auto named = smiles(component)) text = std::move(named.value());
  return {index, HillFormula(component), std::move(text), component.Name == "Noname" ? "" : component.Name};
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
