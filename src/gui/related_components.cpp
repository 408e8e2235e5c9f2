#include "gui/related_components.h"

#include <algorithm>

#include "reactions/reaction.h"

namespace korvane::gui {

std::vector<const TMolecule*> RelatedComponents(const TMolecule& component, const RelatedFilter& filter) {
  std::vector<std::int32_t> accepted;
  if (filter.FilterReactions) {
    if (filter.HydrogenTransfer) accepted.push_back(kHydrogenTransfer);
    if (filter.BetaScission) accepted.push_back(kBetaScission);
    if (filter.AllylIzomeration) accepted.push_back(kAllylIzomeration);
  } else {
    accepted = ReactionTypeCodes();
  }

  std::vector<const TMolecule*> candidates;
  const int side = filter.Products ? kConsumedIn : kFormedIn;
  for (const TReaction* reaction : component.ReactionLinks[side]) {
    if (std::find(accepted.begin(), accepted.end(), reaction->ReactionType) == accepted.end()) continue;
    const TReactionSide& related = filter.Products ? reaction->Products : reaction->Reactants;
    candidates.insert(candidates.end(), related.begin(), related.end());
  }
  if (!filter.FilterComponents) return candidates;
  std::erase_if(candidates, [&filter](const TMolecule* candidate) {
    const bool radical = candidate->IsRadical();
    const bool kind = (filter.Radicals && radical) || (filter.Molecules && !radical);
    return !kind || (filter.OnlyFraction && candidate->CarbonNumber() != filter.Fraction);
  });
  return candidates;
}

std::vector<RelatedCount> CountRelated(const std::vector<const TMolecule*>& related) {
  std::vector<RelatedCount> counted;
  for (const TMolecule* component : related) {
    const auto found = std::find_if(counted.begin(), counted.end(),
                                    [component](const RelatedCount& each) { return each.Component == component; });
    if (found == counted.end())
      counted.push_back({component, 1});
    else
      ++found->Reactions;
  }
  return counted;
}

std::string RelatedCountText(int reactions) {
  return " (" + std::to_string(reactions) + (reactions == 1 ? " reaction)" : " reactions)");
}

}  // namespace korvane::gui
