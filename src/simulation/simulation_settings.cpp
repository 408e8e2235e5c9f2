#include "simulation/simulation_settings.h"

#include <cmath>

#include "reactions/reaction_network.h"

namespace korvane {
namespace {

bool Positive(double value) { return std::isfinite(value) && value > 0.0; }
bool NonNegative(double value) { return std::isfinite(value) && value >= 0.0; }

}  // namespace

std::vector<std::size_t> FeedComponents(const TReactionNetwork& network) {
  std::vector<std::size_t> feeds;
  for (const TMolecule* root : network.Roots())
    if (!root->Inert && root != network.HydrogenAtom()) feeds.push_back(static_cast<std::size_t>(root->ID));
  return feeds;
}

std::string SettingsProblem(const TSimulationSettings& s, const TReactionNetwork& network) {
  if (const std::string problem = ProfileProblem(s.Profile); !problem.empty()) return problem;
  if (s.Time && !Positive(*s.Time)) return "The residence time must be a number above 0 s.";
  if (s.Length && !Positive(*s.Length)) return "The reactor length must be a number above 0 m.";
  if (s.Time.has_value() == s.Length.has_value()) return "Give either a residence time or a reactor length.";
  if (s.Velocity && !Positive(*s.Velocity)) return "The inlet velocity must be a number above 0 m/s.";
  if (!Positive(s.Pressure)) return "The pressure must be a number above 0 Pa.";
  if (!NonNegative(s.PressureDrop)) return "The pressure drop must be a number of 0 Pa or more.";
  if (!NonNegative(s.SteamRatio)) return "The steam ratio must be a number of 0 kg/kg or more.";
  if (s.Points < 2) return "At least 2 points must be reported.";
  if (!Positive(s.RelativeTolerance) || !Positive(s.AbsoluteTolerance))
    return "The tolerances must be numbers above 0.";
  if (s.Reactor == TReactorKind::Batch) {
    if (!s.Profile.IsConstant()) return "A batch reactor is isothermal: give one temperature, not a profile.";
    if (s.Length || s.Velocity || s.PressureDrop > 0.0)
      return "A batch reactor has no length, velocity or pressure drop.";
  } else {
    if ((s.Length || !s.Profile.IsConstant()) && !s.Velocity)
      return "A reactor length or a temperature profile needs the inlet velocity.";
    if (s.PressureDrop > 0.0 && !s.Length) return "A pressure drop needs the reactor length.";
    if (s.Length && s.PressureDrop >= s.Pressure) return "The pressure drop must be below the inlet pressure.";
  }
  const std::vector<std::size_t> feeds = FeedComponents(network);
  if (feeds.empty()) return "The network has no feed.";
  if (network.ReactionCount() == 0) return "The network has no reactions.";
  if (!s.FeedFractions.empty()) {
    if (s.FeedFractions.size() != feeds.size())
      return "The network has " + std::to_string(feeds.size()) + " feeds but " +
             std::to_string(s.FeedFractions.size()) + " feed fractions were given.";
    double sum = 0.0;
    for (double x : s.FeedFractions) {
      if (!NonNegative(x)) return "The feed fractions must be numbers of 0 or more.";
      sum += x;
    }
    if (!(sum > 0.0)) return "The feed fractions must not all be 0.";
  }
  if (s.RopSpecies && *s.RopSpecies >= network.ComponentCount())
    return "The network has no species " + std::to_string(*s.RopSpecies) + " for the rate of production.";
  return {};
}

}  // namespace korvane
