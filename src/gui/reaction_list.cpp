#include "gui/reaction_list.h"

#include <algorithm>

namespace korvane::gui {

QString ReactionListText(int position) { return QStringLiteral("[ %1 ]").arg(position); }

std::vector<int> ListedReactions(const TReactionNetwork& network, const ReactionFilter& filter) {
  std::vector<std::int32_t> types;
  if (filter.HydrogenTransfers) types.push_back(kHydrogenTransfer);
  if (filter.BetaScissions) types.push_back(kBetaScission);
  if (filter.AllylIzomerations) types.push_back(kAllylIzomeration);
  if (filter.Recombinations) types.push_back(kRecombination);

  const TMolecule* substance = nullptr;
  if (filter.Mode == ReactionListMode::BySubstance) {
    if (filter.Substance < 0 || static_cast<std::size_t>(filter.Substance) >= network.ComponentCount()) return {};
    substance = network.Component(static_cast<std::size_t>(filter.Substance));
  }

  std::vector<int> positions;
  positions.reserve(network.ReactionCount());
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
    const TReaction& reaction = *network.Reaction(i);
    bool listed = true;
    switch (filter.Mode) {
      case ReactionListMode::All: break;
      case ReactionListMode::ByType:
        listed = std::find(types.begin(), types.end(), reaction.ReactionType) != types.end();
        break;
      case ReactionListMode::BySubstance:
        listed = (filter.AsReactant && reaction.HasReactant(substance)) ||
                 (filter.AsProduct && reaction.HasProduct(substance));
        break;
    }
    if (listed) positions.push_back(static_cast<int>(i));
  }
  return positions;
}

}  // namespace korvane::gui
