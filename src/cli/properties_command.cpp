// korvane-cli properties: estimated pure-component properties and the
// equation of state.

#include <sstream>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/text_table.h"
#include "database/property_estimation.h"

namespace korvane {
namespace {

const char* ModelName(TStateModel model) {
  switch (model) {
    case TStateModel::kIdeal: return "Ideal";
    case TStateModel::kRedlichKwong: return "Redlich-Kwong";
    case TStateModel::kSoaveRedlichKwong: return "Redlich-Kwong-Soave";
  }
  return "";
}

void PrintProperty(std::ostream& out, const char* name, const TResult<double>& result, const char* unit) {
  out << name << " = ";
  if (result)
    out << NumberText(result.value()) << (*unit ? " " : "") << unit << '\n';
  else
    out << result.error().Message << '\n';
}

}  // namespace

int RunProperties(const PropertiesOptions& options, const CliStreams& streams) {
  const int stateValues = options.Temperature.has_value() + options.Pressure.has_value() +
                          options.MolarVolume.has_value();
  if (stateValues == 1 || stateValues == 3)
    throw UsageError("give two of --T, --p and --Vm to compute the third, or none");

  const std::unique_ptr<TDBCoordinator> database = OpenFeedDatabase(options.Database, {options.Feed});
  const Feed feed = LoadFeed(options.Feed, database.get());
  // A radical has no estimates at all: a page of "not available" lines is
  // no answer.
  if (feed.Molecule->IsRadical()) throw InputError(options.Feed, FaultText(TPropertyFault::kRadical));
  const TEstimatedProperties properties = EstimateProperties(*feed.Molecule);

  // Everything is computed before anything is printed, so that a state the
  // model cannot give leaves only the message.
  std::ostringstream out;
  PrintProperty(out, "cp", properties.Cp298, "J/(mol*K)");
  PrintProperty(out, "Hf", properties.Hf, "J/mol");
  PrintProperty(out, "Gf", properties.Gf, "J/mol");
  PrintProperty(out, "Sf", properties.Sf, "J/(mol*K)");
  PrintProperty(out, "Tb", properties.Tb, "K");
  PrintProperty(out, "Tc", properties.Tc, "K");
  PrintProperty(out, "pc", properties.Pc, "Pa");
  PrintProperty(out, "Vc", properties.Vc, "m3/mol");
  PrintProperty(out, "zc", properties.Zc, "");
  PrintProperty(out, "omega", properties.Omega, "");
  if (stateValues == 0) {
    streams.Out << out.str();
    return kExitSuccess;
  }

  const std::string model = ModelName(options.Model);
  const char* unknown = !options.Temperature ? "T" : !options.Pressure ? "p" : "Vm";
  std::string givens;
  if (options.Temperature) givens += "T = " + NumberText(*options.Temperature) + " K";
  if (options.Pressure) givens += (givens.empty() ? "" : " and ") + ("p = " + NumberText(*options.Pressure) + " Pa");
  if (options.MolarVolume)
    givens += (givens.empty() ? "" : " and ") + ("Vm = " + NumberText(*options.MolarVolume) + " m3/mol");
  auto fail = [&](const std::string& reason) {
    throw InputError(options.Feed, std::string(unknown) + " cannot be computed with the " + model + " model at " +
                                       givens + ": " + reason);
  };
  // The cubic models need the critical constants and the acentric factor.
  if (options.Model != TStateModel::kIdeal)
    for (const TResult<double>* needed : {&properties.Tc, &properties.Pc, &properties.Omega})
      if (!*needed) fail(needed->error().Message + " (the model needs Tc, pc and omega)");

  // The ideal gas uses none of them; an estimate that failed then counts as 0.
  const double omega = properties.Omega.value_or(0.0);
  const double Vc = properties.Vc.value_or(0.0);
  const double Tc = properties.Tc.value_or(0.0);
  const double pc = properties.Pc.value_or(0.0);
  const char* unit = "";
  const TResult<double> result = [&] {
    if (!options.Pressure) {
      unit = "Pa";
      return StatePressure(options.Model, omega, Vc, Tc, pc, *options.MolarVolume, *options.Temperature);
    }
    if (!options.Temperature) {
      unit = "K";
      return StateTemperature(options.Model, omega, Vc, Tc, pc, *options.MolarVolume, *options.Pressure);
    }
    unit = "m3/mol";
    return StateVolume(options.Model, omega, Vc, Tc, pc, *options.Temperature, *options.Pressure);
  }();
  if (!result) fail(result.error().Message);
  out << "model = " << model << '\n';
  PrintProperty(out, unknown, result, unit);
  streams.Out << out.str();
  return kExitSuccess;
}

}  // namespace korvane
