#include "reactions/network_preferences.h"

#include <array>
#include <charconv>
#include <cmath>
#include <utility>

namespace korvane {
namespace {

// Shortest text that reads back as the value ("1.5", "1e+308", "nan").
std::string NumberText(double value) {
  std::array<char, 32> buffer;
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value).ptr;
  return std::string(buffer.data(), end);
}

}  // namespace

std::string PreferenceName(TPreference preference) {
  switch (preference) {
    case TPreference::NormTemperature: return "normalised temperature";
    case TPreference::EThresholdBetaScission: return "beta-scission threshold";
    case TPreference::EThresholdHTransfer: return "hydrogen transfer threshold";
    case TPreference::EThresholdAllyl: return "allyl isomerisation threshold";
    case TPreference::MinSelectivity: return "minimum selectivity";
  }
  return "preference";
}

std::string PreferenceValueProblem(TPreference preference, double value) {
  const std::string actual = ", not " + NumberText(value);
  switch (preference) {
    case TPreference::NormTemperature:
      // Reactions are weighed by exp(-1000 E / (R T)) at this temperature.
      // Below 200 K the weight of a 1000 kJ/mol fission (the largest bond
      // energy) leaves the range of doubles, and at a few kelvin every weight
      // is 0, which silently switches the selectivity filter off. Steam
      // cracking runs near 1100 K; far above a few thousand K hydrocarbons
      // fall apart into atoms and the parameters mean nothing, so 5000 K
      // bounds the range with ample room.
      if (value >= kMinNormTemperature && value <= kMaxNormTemperature) return {};  // false for NaN
      return "must be a number from 200 K to 5000 K" + actual;
    case TPreference::EThresholdBetaScission:
    case TPreference::EThresholdHTransfer:
    case TPreference::EThresholdAllyl:
      if (std::isfinite(value) && value >= 0.0) return {};
      return "must be a finite number of kJ/mol, 0 or more" + actual;
    case TPreference::MinSelectivity:
      if (value >= 0.0 && value <= 1.0) return {};  // false for NaN
      return "must be a number from 0 to 1" + actual;
  }
  return {};
}

std::string PreferencesProblem(const TNetworkPreferences& preferences) {
  const std::pair<TPreference, double> values[] = {
      {TPreference::NormTemperature, preferences.NormTemperature},
      {TPreference::EThresholdBetaScission, preferences.EThresholdBetaScission},
      {TPreference::EThresholdHTransfer, preferences.EThresholdHTransfer},
      {TPreference::EThresholdAllyl, preferences.EThresholdAllyl},
      {TPreference::MinSelectivity, preferences.MinSelectivity},
  };
  for (const auto& [preference, value] : values)
    if (std::string problem = PreferenceValueProblem(preference, value); !problem.empty())
      return "The " + PreferenceName(preference) + " " + problem + ".";
  return {};
}

}  // namespace korvane
