#pragma once
/// The reaction list of the network window: the text of a list line and the
/// three modes of "  Reaction list preferences  ".

#include <QString>
#include <vector>

#include "reactions/reaction_network.h"

namespace korvane::gui {

/// "[ 3 ]".
QString ReactionListText(int position);

enum class ReactionListMode {
  /// "Show all reactions summary"
  All,
  /// "Filter by reaction type"
  ByType,
  /// "Filter by substance #"
  BySubstance,
};

struct ReactionFilter {
  ReactionListMode Mode = ReactionListMode::All;
  // "Filter by reaction type": the classes to list.
  bool HydrogenTransfers = false;
  bool BetaScissions = false;
  bool AllylIzomerations = false;
  bool Recombinations = false;
  // "Filter by substance #": the component's position and its side.
  int Substance = 0;
  bool AsReactant = false;
  bool AsProduct = false;
};

/// Positions of the listed reactions, in reaction order. A substance number
/// outside the component list lists nothing.
std::vector<int> ListedReactions(const TReactionNetwork& network, const ReactionFilter& filter);

}  // namespace korvane::gui
