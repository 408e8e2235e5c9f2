#pragma once
/// An imposed temperature along a plug-flow reactor: a table of positions
/// [m] and temperatures [K], linear between points and held at the end
/// values beyond them; one point is a constant temperature.

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"

namespace korvane {

struct TProfilePoint {
  /// Position along the reactor [m].
  double Position = 0.0;
  /// Temperature [K].
  double Temperature = 0.0;
};

class TTemperatureProfile {
 public:
  TTemperatureProfile() = default;
  /// A constant temperature.
  explicit TTemperatureProfile(double temperature) : m_points{{0.0, temperature}} {}
  explicit TTemperatureProfile(std::vector<TProfilePoint> points) : m_points(std::move(points)) {}

  const std::vector<TProfilePoint>& Points() const { return m_points; }
  bool IsConstant() const { return m_points.size() == 1; }
  /// T at position z [K].
  double At(double z) const;
  /// dT/dz at position z [K/m]; 0 beyond the table and on a constant profile.
  double SlopeAt(double z) const;

 private:
  std::vector<TProfilePoint> m_points;
};

/// Lowest and highest temperature a simulation accepts [K].
inline constexpr double kMinSimulationTemperature = 200.0;
inline constexpr double kMaxSimulationTemperature = 3000.0;

/// Why the profile cannot be used ("The temperature profile ..."): no
/// point, a value that is not finite, positions that do not increase or
/// start below 0, a temperature outside the accepted range. Empty when fine.
std::string ProfileProblem(const TTemperatureProfile& profile);

/// A profile from CSV text: lines "position,temperature" ("," or ";" or
/// tabs between them), an optional header line of non-numbers, blank lines
/// and lines starting with "#" skipped. InvalidInput naming the line when a
/// line does not read; the profile's own checks are ProfileProblem's.
TResult<TTemperatureProfile> ProfileFromCsv(std::string_view text);

}  // namespace korvane
