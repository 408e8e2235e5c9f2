#pragma once
/// The "Related components" tab of the component detail window: the
/// products (or precursors) of a component through its reactions, filtered
/// by reaction type and by kind and carbon count.

#include <vector>

#include "core/molecule.h"

namespace korvane::gui {

struct RelatedFilter {
  /// "All possible products" (true) or "All possible precursors" (false).
  bool Products = true;
  /// "Filter reactions": only the checked classes; otherwise all six.
  bool FilterReactions = false;
  bool HydrogenTransfer = false;
  bool BetaScission = false;
  bool AllylIzomeration = false;
  /// "Filter components": only radicals and/or molecules, optionally of one
  /// carbon count.
  bool FilterComponents = false;
  bool Radicals = false;
  bool Molecules = false;
  bool OnlyFraction = false;
  int Fraction = 0;
};

/// The products of the reactions consuming the component (or the reactants
/// of those forming it), reaction by reaction in link order, duplicates
/// kept, then filtered.
std::vector<const TMolecule*> RelatedComponents(const TMolecule& component, const RelatedFilter& filter);

}  // namespace korvane::gui
