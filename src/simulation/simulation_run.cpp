#include "simulation/simulation_run.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <thread>

#include "app/export_kinetics.h"
#include "core/atom_types.h"
#include "reactions/reaction_network.h"
#include "simulation/cvodes_integrator.h"
#include "simulation/heat_balance.h"
#include "simulation/kinetics_model.h"
#include "simulation/reactor_model.h"

namespace korvane {
namespace {

// The quadratures of the rate of production: one per reaction that changes
// the species, V S_sj r_j.
struct TRopTerms {
  std::vector<std::size_t> Reactions;
  std::vector<double> Coefficients;
};

TRopTerms RopTermsOf(const TKineticsModel& kinetics, std::size_t species) {
  TRopTerms terms;
  for (auto s = kinetics.SpeciesRowStart()[species]; s < kinetics.SpeciesRowStart()[species + 1]; ++s) {
    terms.Reactions.push_back(kinetics.SpeciesReactions()[static_cast<std::size_t>(s)]);
    terms.Coefficients.push_back(kinetics.SpeciesCoefficients()[static_cast<std::size_t>(s)]);
  }
  return terms;
}

TRateOfProduction RateOfProduction(std::size_t species, const TRopTerms& terms, std::span<const double> amounts,
                                   std::size_t top) {
  TRateOfProduction rop;
  rop.Species = species;
  for (std::size_t k = 0; k < terms.Reactions.size(); ++k) {
    const double amount = amounts[k];
    (amount >= 0.0 ? rop.Formed : rop.Consumed) += amount;
    (amount >= 0.0 ? rop.Formation : rop.Consumption).push_back({terms.Reactions[k], amount, 0.0});
  }
  for (auto* list : {&rop.Formation, &rop.Consumption}) {
    const double total = list == &rop.Formation ? rop.Formed : rop.Consumed;
    for (TRopEntry& entry : *list) entry.Share = total != 0.0 ? entry.Amount / total : 0.0;
    std::sort(list->begin(), list->end(),
              [](const TRopEntry& a, const TRopEntry& b) { return std::fabs(a.Amount) > std::fabs(b.Amount); });
    if (list->size() > top) list->resize(top);
  }
  return rop;
}

// Mass of hydrocarbon fed to the element [g].
double FedMass(const TReactionNetwork& network, const TSimulationResults& results) {
  double mass = 0.0;
  for (std::size_t f : results.Feeds) mass += results.Moles.front()[f] * network.Component(f)->MolarMass();
  return mass;
}

// Yields, lumps, conversion and balances of every point.
void FillYields(const TReactionNetwork& network, TSimulationResults& results) {
  const std::size_t species = network.ComponentCount();
  std::vector<double> mass(species), carbon(species), hydrogen(species);
  results.SpeciesLumps.clear();
  for (std::size_t j = 0; j < species; ++j) {
    const TMolecule& molecule = *network.Component(j);
    mass[j] = molecule.MolarMass();
    const TElementCount elements = ElementsOf(molecule);
    carbon[j] = elements.Carbon;
    hydrogen[j] = elements.Hydrogen;
    results.SpeciesLumps.push_back(LumpOf(molecule));
  }
  const std::vector<double>& initial = results.Moles.front();
  const double fedMass = FedMass(network, results);
  const double carbon0 = std::inner_product(initial.begin(), initial.end(), carbon.begin(), 0.0);
  const double hydrogen0 = std::inner_product(initial.begin(), initial.end(), hydrogen.begin(), 0.0);
  for (const std::vector<double>& n : results.Moles) {
    const double moles = std::accumulate(n.begin(), n.end(), 0.0);
    std::vector<double> wt(species), mol(species);
    std::array<double, kLumpCount> lumpWt{}, lumpMol{};
    for (std::size_t j = 0; j < species; ++j) {
      wt[j] = 100.0 * n[j] * mass[j] / fedMass;
      mol[j] = 100.0 * n[j] / moles;
      lumpWt[static_cast<std::size_t>(results.SpeciesLumps[j])] += wt[j];
      lumpMol[static_cast<std::size_t>(results.SpeciesLumps[j])] += mol[j];
    }
    results.WtPercent.push_back(std::move(wt));
    results.MolPercent.push_back(std::move(mol));
    results.LumpWtPercent.push_back(lumpWt);
    results.LumpMolPercent.push_back(lumpMol);
    std::vector<double> conversion;
    for (std::size_t f : results.Feeds) conversion.push_back(1.0 - n[f] / initial[f]);
    results.Conversion.push_back(std::move(conversion));
    const double c = std::inner_product(n.begin(), n.end(), carbon.begin(), 0.0);
    const double h = std::inner_product(n.begin(), n.end(), hydrogen.begin(), 0.0);
    results.CarbonDrift = std::max(results.CarbonDrift, std::fabs(c - carbon0) / carbon0);
    results.HydrogenDrift = std::max(results.HydrogenDrift, std::fabs(h - hydrogen0) / hydrogen0);
  }
  if (results.CarbonDrift > kBalanceWarningDrift || results.HydrogenDrift > kBalanceWarningDrift)
    results.Warnings.push_back("The carbon or hydrogen balance drifted by more than 1e-6 (C " +
                               std::to_string(results.CarbonDrift) + ", H " + std::to_string(results.HydrogenDrift) +
                               "); tighten the tolerances.");
}

// The heat taken up at every point; a warning instead when a species has
// no thermodynamic data. Nothing when the run is being stopped.
void FillHeat(const TReactionNetwork& network, TReactorKind kind, double steam, const TWorkControl& control,
              TSimulationResults& results) {
  const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
  const auto polynomials = ComponentPolynomials(network, threads, TWorkControl{control.Stop, {}});
  if (!polynomials) {
    if (polynomials.error().Code != TErrorCode::Refused)
      results.Warnings.push_back(std::string(kHeatNotGiven) + polynomials.error().Message + ".");
    return;
  }
  const THeatBalance balance{polynomials.value(), kind, results.Moles.front(), results.Temperatures.front(),
                             steam, FedMass(network, results)};
  for (std::size_t p = 0; p < results.Moles.size(); ++p) {
    const THeatTaken heat = balance.At(results.Moles[p], results.Temperatures[p]);
    results.HeatTaken.push_back(heat.Total);
    results.ReactionHeat.push_back(heat.Reactions);
  }
}

// The lumps' sensitivities from the state's sensitivities at the last point.
TSensitivityTable LumpSensitivities(const TReactionNetwork& network, const TSimulationResults& results,
                                    const std::vector<int>& parameters,
                                    const std::vector<std::vector<double>>& stateSensitivity) {
  TSensitivityTable table;
  table.Parameters = parameters;
  const double fedMass = FedMass(network, results);
  const auto& lumps = results.LumpWtPercent.back();
  for (auto& column : table.Values) column.assign(parameters.size(), 0.0);
  for (std::size_t p = 0; p < parameters.size(); ++p) {
    std::array<double, kLumpCount> dY{};
    for (std::size_t j = 0; j < network.ComponentCount(); ++j)
      dY[static_cast<std::size_t>(results.SpeciesLumps[j])] +=
          100.0 * stateSensitivity[p][j] * network.Component(j)->MolarMass() / fedMass;
    for (std::size_t l = 0; l < kLumpCount; ++l) {
      if (parameters[p] < kE_STOPValue)
        table.Values[l][p] = lumps[l] > 0.0 ? dY[l] / lumps[l] : 0.0;
      else
        table.Values[l][p] = dY[l];
    }
  }
  return table;
}

}  // namespace

TResult<TSimulationResults> RunSimulation(const TReactionNetwork& network, const TKineticParameterSet& parameters,
                                          const TSimulationRequest& request, const TWorkControl& control) {
  const TSimulationSettings& settings = request.Settings;
  if (const std::string problem = SettingsProblem(settings, network); !problem.empty())
    return TError{TErrorCode::InvalidInput, problem};
  const double activeRadicals = request.ActiveRadicals.value_or(parameters.RadicalActivity.StandardActivity);
  auto kinetics = TKineticsModel::Build(network, {parameters.Table, parameters.AlternativeValues, activeRadicals});
  if (!kinetics) return kinetics.error();

  TSimulationResults results;
  results.ActiveRadicals = activeRadicals;
  results.Feeds = FeedComponents(network);
  // The inlet gas: p/(R T) split between the feeds and the steam.
  std::vector<double> fractions = settings.FeedFractions;
  if (fractions.empty()) fractions.assign(results.Feeds.size(), 1.0);
  const double fractionSum = std::accumulate(fractions.begin(), fractions.end(), 0.0);
  double feedMolarMass = 0.0;
  for (std::size_t f = 0; f < fractions.size(); ++f) {
    fractions[f] /= fractionSum;
    feedMolarMass += fractions[f] * network.Component(results.Feeds[f])->MolarMass();
  }
  const double waterMolarMass = 2.0 * AtomicMass(kHydrogen) + AtomicMass(kOxygen);
  const double steamPerFeed = settings.SteamRatio * feedMolarMass / waterMolarMass;
  const double T0 = settings.Profile.At(0.0);
  const double total = settings.Pressure / (kExportGasConstant * T0);
  std::vector<double> initial(network.ComponentCount(), 0.0);
  for (std::size_t f = 0; f < fractions.size(); ++f)
    initial[results.Feeds[f]] += total * fractions[f] / (1.0 + steamPerFeed);
  const double steam = total * steamPerFeed / (1.0 + steamPerFeed);

  TReactorModel reactor(kinetics.value(), settings, parameters.Table, initial, steam);
  TIntegratorOptions options;
  options.RelativeTolerance = settings.RelativeTolerance;
  options.AbsoluteTolerance = settings.AbsoluteTolerance;
  options.Sensitivities = settings.Sensitivity;
  options.Control = control;
  TRopTerms ropTerms;
  std::vector<double> rates(kinetics.value().ReactionCount());
  if (settings.RopSpecies) {
    ropTerms = RopTermsOf(kinetics.value(), *settings.RopSpecies);
    options.QuadratureCount = ropTerms.Reactions.size();
    options.Quadrature = [&](std::span<const double> y, std::span<double> qdot) {
      reactor.RatesAt(y, rates);
      const double volume = reactor.VolumeOf(y);
      for (std::size_t k = 0; k < ropTerms.Reactions.size(); ++k)
        qdot[k] = volume * ropTerms.Coefficients[k] * rates[ropTerms.Reactions[k]];
    };
  }
  auto created = TCvodesIntegrator::Create(reactor, options);
  if (!created) return created.error();
  TCvodesIntegrator& integrator = *created.value();

  const std::size_t species = network.ComponentCount();
  std::vector<std::vector<double>> sensitivity;
  std::vector<double> quadratures(options.QuadratureCount, 0.0);
  auto record = [&] {
    const auto y = integrator.State();
    results.Times.push_back(integrator.Time());
    if (reactor.TracksPosition()) results.Positions.push_back(reactor.PositionOf(y));
    results.Temperatures.push_back(reactor.TemperatureOf(y));
    results.Pressures.push_back(reactor.PressureOf(y));
    results.Moles.emplace_back(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(species));
    if (settings.Sensitivity) {
      sensitivity.clear();
      // A run ended by its length reports at a position, which a parameter
      // reaches earlier or later: ds|z = ds|t - (dy/dt) s_z / (dz/dt).
      std::vector<double> ydot(reactor.StateSize());
      if (settings.Length) reactor.Rhs(y, ydot);
      for (std::size_t p = 0; p < reactor.SensitivityParameters().size(); ++p) {
        const auto s = integrator.Sensitivity(p);
        sensitivity.emplace_back(s.begin(), s.end());
        if (settings.Length)
          for (std::size_t j = 0; j < ydot.size(); ++j) sensitivity.back()[j] -= ydot[j] * s[species] / ydot[species];
      }
    }
    const auto q = integrator.Quadratures();
    std::copy(q.begin(), q.end(), quadratures.begin());
  };
  record();
  const auto intervals = static_cast<std::size_t>(settings.Points - 1);
  control.Report(0, intervals);
  for (std::size_t k = 1; k <= intervals; ++k) {
    const double fraction = static_cast<double>(k) / static_cast<double>(intervals);
    const TResult<> advanced = settings.Length ? integrator.AdvanceToPosition(*settings.Length * fraction)
                                               : integrator.AdvanceTo(*settings.Time * fraction);
    if (!advanced && advanced.error().Code == TErrorCode::Refused) {
      results.Stopped = true;
      results.Warnings.push_back("The run was stopped at t = " + std::to_string(results.Times.back()) +
                                 " s; the results end there.");
      break;
    }
    if (!advanced) return advanced.error();
    record();
    control.Report(k, intervals);
  }
  const auto statistics = integrator.Statistics();
  results.Steps = statistics.Steps;
  results.RhsEvaluations = statistics.RhsEvaluations;
  results.JacobianEvaluations = statistics.JacobianEvaluations;
  results.ErrorTestFailures = statistics.ErrorTestFailures;
  results.NewtonFailures = statistics.NewtonFailures;
  FillYields(network, results);
  FillHeat(network, settings.Reactor, steam, control, results);
  if (settings.RopSpecies) results.RateOfProduction = RateOfProduction(*settings.RopSpecies, ropTerms, quadratures, settings.RopTop);
  if (settings.Sensitivity)
    results.Sensitivity = LumpSensitivities(network, results, reactor.SensitivityParameters(), sensitivity);
  return results;
}

}  // namespace korvane
