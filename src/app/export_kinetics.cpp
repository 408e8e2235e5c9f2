#include "app/export_kinetics.h"

#include <array>

#include "reactions/kinetic_parameters.h"

namespace korvane {

TExportKinetics ReactionKinetics(const TReactionNetwork& network, std::span<const double> global,
                                 std::span<const double> alternative) {
  TExportKinetics kinetics;
  kinetics.Reactions.reserve(network.ReactionCount());
  std::array<bool, kKineticParameterCount> missing{};
  for (std::size_t i = 0; i < network.ReactionCount(); ++i) {
    const TReaction& reaction = *network.Reaction(i);
    kinetics.Reactions.push_back({reaction.FrequencyFactorValue(global, alternative),
                                  reaction.ActivationEnergyValue(global, alternative)});
    if (reaction.UsesExplicitKinetics() || reaction.ReactionType == kOtherReaction2) continue;
    for (const std::string* recipe : {&reaction.FreqFact2, &reaction.ActEnerg2})
      for (char entry : *recipe) {
        const auto index = static_cast<unsigned char>(entry);
        // -1 is the reader's mark for a key it did not find.
        if (index < kKineticParameterCount && index < global.size() && global[index] == -1.0) missing[index] = true;
      }
  }
  for (std::size_t index = 0; index < missing.size(); ++index)
    if (missing[index]) kinetics.MissingKeys.emplace_back(kKineticParameterKeys[index]);
  return kinetics;
}

std::string MissingParametersMessage(const std::vector<std::string>& keys) {
  std::string list;
  for (const std::string& key : keys) list += (list.empty() ? "" : ", ") + key;
  return "The kinetic parameter set lacks " + list +
         " (read as -1 from a damaged kinetic parameter file); the reactions that use them have no kinetics, "
         "so nothing was exported.";
}

}  // namespace korvane
