#include "gui/component_list.h"

#include "core/formula.h"
#include "smiles/smiles_writer.h"

namespace korvane::gui {

QString ComponentListText(int position, const std::string& name, const std::string& formula,
                          const std::string& smiles) {
  QString text = QStringLiteral("[ %1 ] ").arg(position);
  if (name != "Noname") return text + QStringLiteral("- ") + QString::fromStdString(name);
  text += QString::fromStdString(formula);
  if (!smiles.empty()) text += QLatin1Char(' ') + QString::fromStdString(smiles);
  return text;
}

QString ComponentListText(const TMolecule& component) {
  if (component.Name != "Noname") return ComponentListText(component.ID, component.Name);
  const TResult<std::string> smiles = CanonicalSmiles(component);
  return ComponentListText(component.ID, component.Name, HillFormula(component), smiles ? smiles.value() : "");
}

bool PassesComponentFilter(const TMolecule& component, const ComponentFilter& filter) {
  const bool radical = component.IsRadical();
  if (!((filter.Molecules && !radical) || (filter.Radicals && radical))) return false;
  const bool saturated = component.IsSaturated();
  if (!((filter.Saturated && saturated) || (filter.Nonsaturated && !saturated))) return false;
  const bool cyclic = component.IsCyclic();
  if (!((filter.Aromatic && component.IsAromatic()) || (filter.Cyclic && cyclic) || (filter.Acyclic && !cyclic)))
    return false;
  return !filter.OnlyFraction || component.CarbonNumber() == filter.Fraction;
}

std::vector<int> ListedComponents(const TReactionNetwork& network, const std::optional<ComponentFilter>& filter) {
  std::vector<int> positions;
  positions.reserve(network.ComponentCount());
  for (std::size_t i = 0; i < network.ComponentCount(); ++i)
    if (!filter || PassesComponentFilter(*network.Component(i), *filter)) positions.push_back(static_cast<int>(i));
  return positions;
}

}  // namespace korvane::gui
