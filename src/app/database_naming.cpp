#include "app/database_naming.h"

namespace korvane {

std::size_t NameComponentsFromDatabase(TReactionNetwork& network, const TDBCoordinator& database) {
  std::size_t changed = 0;
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    TMolecule& component = *network.Component(i);
    const std::int32_t item = database.FindStructure(component);
    if (item < 0) continue;
    const TStrVector synonyms = database.GetSynonyms(static_cast<std::size_t>(item));
    if (synonyms.empty() || synonyms.front() == component.Name) continue;
    component.Name = synonyms.front();
    ++changed;
  }
  return changed;
}

}  // namespace korvane
