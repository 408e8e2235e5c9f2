#include "reactions/network_preferences.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

TEST(NetworkPreferences, EachValueIsCheckedAtItsBoundsAndNamedWhenOut) {
  EXPECT_EQ(PreferencesProblem({}), "");
  const struct {
    TNetworkPreferences preferences;
    const char* problem;  // empty: accepted
  } cases[] = {
      {{.NormTemperature = 5000.0}, ""},
      {{.NormTemperature = 200.0}, ""},
      {{.NormTemperature = 1.0}, "The normalised temperature must be a number from 200 K to 5000 K, not 1."},
      {{.NormTemperature = 5000.5}, "The normalised temperature must be a number from 200 K to 5000 K, not 5000.5."},
      {{.NormTemperature = 1e308}, "The normalised temperature must be a number from 200 K to 5000 K, not 1e+308."},
      {{.EThresholdBetaScission = 0.0, .EThresholdHTransfer = 1e6, .EThresholdAllyl = 0.0}, ""},
      {{.EThresholdBetaScission = -100.0}, "The beta-scission threshold must be a finite number of kJ/mol, 0 or more, not -100."},
      {{.EThresholdHTransfer = kNaN}, "The hydrogen transfer threshold must be a finite number of kJ/mol, 0 or more, not nan."},
      {{.EThresholdAllyl = kInfinity}, "The allyl isomerisation threshold must be a finite number of kJ/mol, 0 or more, not inf."},
      {{.MinSelectivity = 0.0}, ""},
      {{.MinSelectivity = 1.0}, ""},
      {{.MinSelectivity = 1.5}, "The minimum selectivity must be a number from 0 to 1, not 1.5."},
      {{.MinSelectivity = kNaN}, "The minimum selectivity must be a number from 0 to 1, not nan."},
      // The first preference out of range is the one named.
      {{.NormTemperature = -1.0, .MinSelectivity = 2.0}, "The normalised temperature must be a number from 200 K to 5000 K, not -1."},
  };
  for (const auto& [preferences, problem] : cases) EXPECT_EQ(PreferencesProblem(preferences), problem) << problem;
}

}  // namespace
}  // namespace korvane
