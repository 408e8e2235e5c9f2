// korvane-cli properties: estimated pure-component properties and the
// equation of state.

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

void PrintProperty(std::ostream& out, const char* name, const TPropertyResult& result, const char* unit) {
  out << name << " = ";
  if (result)
    out << NumberText(result.Value) << (*unit ? " " : "") << unit << '\n';
  else
    out << FaultText(result.Fault) << '\n';
}

}  // namespace

int RunProperties(const PropertiesOptions& options, const CliStreams& streams) {
  const int stateValues = options.Temperature.has_value() + options.Pressure.has_value() +
                          options.MolarVolume.has_value();
  if (stateValues == 1 || stateValues == 3)
    throw UsageError("give two of --T, --p and --Vm to compute the third, or none");

  const std::unique_ptr<TDBCoordinator> database = OpenFeedDatabase(options.Database, {options.Feed});
  const Feed feed = LoadFeed(options.Feed, database.get());
  const TEstimatedProperties properties = EstimateProperties(*feed.Molecule);

  std::ostream& out = streams.Out;
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
  if (stateValues == 0) return kExitSuccess;

  out << "model = " << ModelName(options.Model) << '\n';
  // The cubic models need the critical constants and the acentric factor.
  if (options.Model != TStateModel::kIdeal) {
    for (const TPropertyResult* needed : {&properties.Tc, &properties.Pc, &properties.Omega}) {
      if (!*needed) {
        const char* name = !options.Temperature ? "T" : !options.Pressure ? "p" : "Vm";
        out << name << " = " << FaultText(needed->Fault) << " (the model needs Tc, pc and omega)\n";
        return kExitSuccess;
      }
    }
  }
  const double omega = properties.Omega.Value;
  const double Vc = properties.Vc.Value;
  const double Tc = properties.Tc.Value;
  const double pc = properties.Pc.Value;
  if (!options.Pressure)
    PrintProperty(out, "p",
                  StatePressure(options.Model, omega, Vc, Tc, pc, *options.MolarVolume, *options.Temperature), "Pa");
  else if (!options.Temperature)
    PrintProperty(out, "T",
                  StateTemperature(options.Model, omega, Vc, Tc, pc, *options.MolarVolume, *options.Pressure), "K");
  else
    PrintProperty(out, "Vm", StateVolume(options.Model, omega, Vc, Tc, pc, *options.Temperature, *options.Pressure),
                  "m3/mol");
  return kExitSuccess;
}

}  // namespace korvane
