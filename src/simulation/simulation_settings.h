#pragma once
/// What a reactor simulation is asked to do, and its checks.

#include <optional>
#include <string>
#include <vector>

#include "simulation/temperature_profile.h"

namespace korvane {

class TReactionNetwork;

enum class TReactorKind {
  /// Isothermal, constant volume: the model of the exported Pascal balance.
  Batch,
  /// Plug flow followed in the residence time of an isobaric fluid element
  /// whose volume follows its moles, temperature and pressure (ideal gas).
  PlugFlow,
};

struct TSimulationSettings {
  TReactorKind Reactor = TReactorKind::PlugFlow;
  /// T(z), or one point for a constant temperature [K]. A batch reactor
  /// takes the first point's temperature only.
  TTemperatureProfile Profile{1050.0};
  /// Inlet (plug flow) or initial (batch) pressure [Pa].
  double Pressure = 1.0e5;
  /// Pressure lost over the length [Pa], linear in the position (plug flow
  /// with a length only).
  double PressureDrop = 0.0;
  /// Steam dilution [kg steam / kg hydrocarbon]; steam is inert.
  double SteamRatio = 0.5;
  /// End of the run: the residence time [s] ...
  std::optional<double> Time;
  /// ... or the reactor length [m] (plug flow with an inlet velocity).
  std::optional<double> Length;
  /// Inlet gas velocity [m/s]; gives the position of the element (needed
  /// by a profile of more than one point and by a length).
  std::optional<double> Velocity;
  /// Reported points, equally spaced from the inlet to the end (in time, or
  /// in position when a length ends the run); at least 2.
  int Points = 11;
  /// Relative and absolute tolerance of the integration (absolute in mol per
  /// m^3 of inlet gas, which holds about 10 mol at cracking conditions: the
  /// default ignores species below 1e-13 of the gas).
  double RelativeTolerance = 1.0e-7;
  double AbsoluteTolerance = 1.0e-12;
  /// Mole fractions of the feeds among the hydrocarbon fed, in the order of
  /// the network's feeds; empty: equal molar amounts. Normalised to 1.
  std::vector<double> FeedFractions;
  /// Species whose rate of production is integrated (component index).
  std::optional<std::size_t> RopSpecies;
  /// Reactions kept in each of the formation and consumption lists.
  std::size_t RopTop = 10;
  /// Sensitivity of the lumps to the global kinetic parameters.
  bool Sensitivity = false;
};

/// Why the settings cannot run on `network`, as a sentence; empty when they
/// can. Checks every value (finite, in range), the combinations (a length
/// or a profile of several points needs a velocity, a pressure drop a length,
/// a batch reactor no profile), the feed fractions against the network's
/// feeds, the rate-of-production species, and that the network has feeds
/// and reactions.
std::string SettingsProblem(const TSimulationSettings& settings, const TReactionNetwork& network);

/// The network's feeds: roots that are neither inert nor the hydrogen atom,
/// as component indices in root order.
std::vector<std::size_t> FeedComponents(const TReactionNetwork& network);

}  // namespace korvane
