#pragma once
/// The five generation preferences of a network and the ranges in which
/// they mean something. The batch tool and the desktop preference page check
/// user input with the same functions.

#include <string>

namespace korvane {

/// Generation preferences, always in this order.
struct TNetworkPreferences {
  /// Normalised temperature T [K].
  double NormTemperature = 1050.0;
  /// Activation-energy thresholds [kJ/mol].
  double EThresholdBetaScission = 200.0;
  double EThresholdHTransfer = 300.0;
  double EThresholdAllyl = 200.0;
  /// Minimum projecting selectivity of a reaction step.
  double MinSelectivity = 0.01;

  friend bool operator==(const TNetworkPreferences&, const TNetworkPreferences&) = default;
};

/// One of the five preferences, in their order.
enum class TPreference { NormTemperature, EThresholdBetaScission, EThresholdHTransfer, EThresholdAllyl, MinSelectivity };

/// Range of normalised temperatures accepted [K].
inline constexpr double kMinNormTemperature = 200.0;
inline constexpr double kMaxNormTemperature = 5000.0;

/// The preference as users read it: "normalised temperature",
/// "beta-scission threshold", ...
std::string PreferenceName(TPreference preference);

/// Why `value` cannot be that preference ("must be ..."); empty when it can.
/// Every value must be finite; T from kMinNormTemperature to kMaxNormTemperature,
/// the thresholds 0 or more, the minimum selectivity from 0 to 1.
std::string PreferenceValueProblem(TPreference preference, double value);

/// The first preference out of its range, named, as a sentence ("The
/// minimum selectivity must be ..."); empty when all five are fine.
std::string PreferencesProblem(const TNetworkPreferences& preferences);

}  // namespace korvane
