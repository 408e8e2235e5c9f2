#include "app/species_table.h"

#include <algorithm>

#include "core/formula.h"

namespace korvane {

std::vector<TSpeciesRow> SpeciesRows(const TReactionNetwork& network, const TSmilesProvider& smiles) {
  std::vector<TSpeciesRow> rows;
  rows.reserve(network.ComponentCount());
  for (std::size_t j = 0; j < network.ComponentCount(); ++j) {
    const TMolecule& component = *network.Component(j);
    std::string text = "-";
    if (smiles)
      if (const auto named = smiles(component)) text = named.value();
    rows.push_back({j, HillFormula(component), text, component.Name == "Noname" ? "" : component.Name});
  }
  return rows;
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
