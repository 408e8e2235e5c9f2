#pragma once
/// The "Related components" tab of the component detail window: the
/// products (or precursors) of a component through its reactions, filtered
/// by reaction type and by kind and carbon count.

#include <string>
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

/// A related component and the number of reactions relating it.
struct RelatedCount {
  const TMolecule* Component = nullptr;
  int Reactions = 0;
};

/// Each component of RelatedComponents once, in order of first
/// appearance, with how often it appears: one appearance per reaction,
/// since a reaction names a participant once on each side.
std::vector<RelatedCount> CountRelated(const std::vector<const TMolecule*>& related);

/// " (1 reaction)", " (3 reactions)": what follows a related component's line.
std::string RelatedCountText(int reactions);

}  // namespace korvane::gui
