#pragma once
/// A reactor simulation of a network: RunSimulation and what it reports.
///
/// Yields are percentages of the hydrocarbon fed: wt % = 100 n_j M_j / m0
/// with m0 the mass of the feeds, steam excluded; mol % = 100 n_j / sum of
/// the network's species (steam excluded). Moles are per fluid element of
/// 1 m^3 of inlet gas (see reactor_model.h).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "core/work_control.h"
#include "reactions/kinetic_parameters.h"
#include "simulation/simulation_settings.h"
#include "simulation/species_lumps.h"

namespace korvane {

class TReactionNetwork;

/// One reaction's part in forming or consuming a species over the run.
struct TRopEntry {
  std::size_t Reaction = 0;
  /// Moles formed (positive) or consumed (negative) by it [mol per element].
  double Amount = 0.0;
  /// Its share of all formation, or of all consumption [0..1].
  double Share = 0.0;
};

struct TRateOfProduction {
  std::size_t Species = 0;
  /// Totals over the run [mol per element]; Consumed is negative.
  double Formed = 0.0, Consumed = 0.0;
  /// The largest contributions, largest first.
  std::vector<TRopEntry> Formation, Consumption;
};

/// Sensitivity of the lumps' yields at the last point to the global kinetic
/// parameters: d ln Y / d ln A for A entries, dY / dE [wt % per kJ/mol] for
/// E entries.
struct TSensitivityTable {
  /// Global parameter indexes (columns), the ones some recipe names.
  std::vector<int> Parameters;
  /// [lump][column].
  std::array<std::vector<double>, kLumpCount> Values;
};

struct TSimulationResults {
  /// Reported points: time [s], position [m] (when tracked), temperature
  /// [K], pressure [Pa].
  std::vector<double> Times, Positions, Temperatures, Pressures;
  /// [point][species]: moles per element, wt % and mol %.
  std::vector<std::vector<double>> Moles, WtPercent, MolPercent;
  /// [point][lump].
  std::vector<std::array<double, kLumpCount>> LumpWtPercent, LumpMolPercent;
  /// Lump of every species.
  std::vector<TLump> SpeciesLumps;
  /// The feeds (component indexes) and their conversion [point][feed], 0..1.
  std::vector<std::size_t> Feeds;
  std::vector<std::vector<double>> Conversion;
  /// Heat the gas took up from the inlet to every point, and the part the
  /// reactions took [kJ per kg of hydrocarbon fed] (heat_balance.h); empty
  /// when a species has no thermodynamic data (a warning says which).
  std::vector<double> HeatTaken, ReactionHeat;
  /// Largest relative drift of the carbon and the hydrogen atoms over the points.
  double CarbonDrift = 0.0, HydrogenDrift = 0.0;
  /// cActR used [mol/m^3].
  double ActiveRadicals = 0.0;
  std::optional<TRateOfProduction> RateOfProduction;
  std::optional<TSensitivityTable> Sensitivity;
  /// Integration steps taken, evaluations of the equations and of the
  /// Jacobian, failed error tests and failed Newton iterations.
  long Steps = 0, RhsEvaluations = 0, JacobianEvaluations = 0, ErrorTestFailures = 0, NewtonFailures = 0;
  /// The run was stopped; the points reached are kept.
  bool Stopped = false;
  /// Sentences for the user: a balance that drifted, a stopped run.
  std::vector<std::string> Warnings;
};

/// How the warning begins that says why a run gives no heat.
inline constexpr std::string_view kHeatNotGiven = "The heat taken up is not given: ";

/// Drift of the element balances above which a run warns.
inline constexpr double kBalanceWarningDrift = 1.0e-6;

/// Everything a run takes besides the network.
struct TSimulationRequest {
  TSimulationSettings Settings;
  /// cActR [mol/m^3]; default the parameter set's StandardActivity, as the exporters.
  std::optional<double> ActiveRadicals;
};

/// Simulates the network's reactor. Refuses (nothing run) settings that
/// SettingsProblem finds fault with (InvalidInput) and kinetic parameters a
/// recipe finds missing (KineticParameters, the exporters' message).
/// Reports the points done and their number through `control` and stops
/// between evaluations when asked: the results then hold the points reached
/// and Stopped. NoValue when the integration fails.
TResult<TSimulationResults> RunSimulation(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                          const TSimulationRequest& request, const TWorkControl& control = {});

}  // namespace korvane
