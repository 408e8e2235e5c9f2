#include "simulation/temperature_profile.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace korvane {
namespace {

// The segment holding z: the index of its first point.
std::size_t Segment(const std::vector<TProfilePoint>& points, double z) {
  const auto after = std::upper_bound(points.begin(), points.end(), z,
                                      [](double value, const TProfilePoint& p) { return value < p.Position; });
  const auto index = static_cast<std::size_t>(after - points.begin());
  return std::clamp<std::size_t>(index, 1, points.size() - 1) - 1;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool ReadNumber(std::string_view text, double& value) {
  text = Trimmed(text);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

}  // namespace

double TTemperatureProfile::At(double z) const {
  if (m_points.size() == 1 || z <= m_points.front().Position) return m_points.front().Temperature;
  if (z >= m_points.back().Position) return m_points.back().Temperature;
  const std::size_t s = Segment(m_points, z);
  const TProfilePoint &a = m_points[s], &b = m_points[s + 1];
  return a.Temperature + (b.Temperature - a.Temperature) * (z - a.Position) / (b.Position - a.Position);
}

double TTemperatureProfile::SlopeAt(double z) const {
  if (m_points.size() == 1 || z < m_points.front().Position || z >= m_points.back().Position) return 0.0;
  const std::size_t s = Segment(m_points, z);
  const TProfilePoint &a = m_points[s], &b = m_points[s + 1];
  return (b.Temperature - a.Temperature) / (b.Position - a.Position);
}

std::string ProfileProblem(const TTemperatureProfile& profile) {
  const auto& points = profile.Points();
  if (points.empty()) return "The temperature profile has no point.";
  for (std::size_t i = 0; i < points.size(); ++i) {
    const TProfilePoint& p = points[i];
    const std::string where = " at point " + std::to_string(i + 1);
    if (!std::isfinite(p.Position) || !std::isfinite(p.Temperature))
      return "The temperature profile has a value that is not a number" + where + ".";
    if (p.Temperature < kMinSimulationTemperature || p.Temperature > kMaxSimulationTemperature)
      return points.size() == 1 ? "The temperature must be from 200 to 3000 K."
                                : "The temperature profile leaves 200 to 3000 K" + where + ".";
    if (i == 0 && p.Position < 0.0) return "The temperature profile starts below position 0.";
    if (i > 0 && !(p.Position > points[i - 1].Position))
      return "The temperature profile's positions do not increase" + where + ".";
  }
  return {};
}

TResult<TTemperatureProfile> ProfileFromCsv(std::string_view text) {
  std::vector<TProfilePoint> points;
  std::size_t lineNumber = 0;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = Trimmed(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t separator = line.find_first_of(",;\t");
    TProfilePoint point;
    const bool read = separator != std::string_view::npos && ReadNumber(line.substr(0, separator), point.Position) &&
                      ReadNumber(line.substr(separator + 1), point.Temperature);
    if (read) {
      points.push_back(point);
      continue;
    }
    // Only the first line that carries text may be a header.
    if (points.empty() && lineNumber == 1) continue;
    return TError{TErrorCode::InvalidInput, "Line " + std::to_string(lineNumber) +
                                                " of the temperature profile is not \"position,temperature\"."};
  }
  TTemperatureProfile profile(std::move(points));
  if (const std::string problem = ProfileProblem(profile); !problem.empty())
    return TError{TErrorCode::InvalidInput, problem};
  return profile;
}

}  // namespace korvane
