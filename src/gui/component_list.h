#pragma once
/// The component list of the network window: the text of a list line and
/// the filter of the "Components" page.

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "core/molecule.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {

/// "[ 3 ] - name", or for a component still named "Noname" "[ 3 ] " and
/// then its formula and SMILES when given: "[ 3 ] C6H14 CCCCCC". Only the
/// leading "[ 3 ]" is read back as the position.
QString ComponentListText(int position, const std::string& name, const std::string& formula = {},
                          const std::string& smiles = {});

/// The line of a component with its Hill formula and canonical SMILES when
/// it is unnamed (the formula alone when no SMILES names it).
QString ComponentListText(const TMolecule& component);

/// The check boxes and the fraction number of "  Substance list
/// preferences  ". A component is listed when it passes all four groups:
/// kind (molecule / radical), saturation, rings, and the carbon count.
struct ComponentFilter {
  bool Molecules = false;
  bool Radicals = false;
  bool Saturated = false;
  bool Nonsaturated = false;
  bool Aromatic = false;
  bool Cyclic = false;
  bool Acyclic = false;
  bool OnlyFraction = false;
  /// Carbon atoms a component must have when OnlyFraction is set.
  int Fraction = 0;
};

bool PassesComponentFilter(const TMolecule& component, const ComponentFilter& filter);

/// Positions of the listed components, in component order: every component
/// without a filter, else those passing it.
std::vector<int> ListedComponents(const TReactionNetwork& network, const std::optional<ComponentFilter>& filter);

}  // namespace korvane::gui
