// korvane-cli simulate: a network's batch or plug-flow reactor.

#include <charconv>
#include <filesystem>

#include "app/delimited_text.h"
#include "app/network_session.h"
#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/json_writer.h"
#include "cli/network_json.h"
#include "cli/network_text.h"
#include "cli/text_table.h"
#include "database/binary_file.h"
#include "simulation/simulation_run.h"
#include "smiles/smiles_reader.h"

namespace korvane {
namespace {

// The component a --rop argument names: an index, a component's name, or a SMILES.
std::size_t RopSpecies(const TReactionNetwork& network, const std::string& text) {
  std::size_t index = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), index);
  if (error == std::errc() && end == text.data() + text.size()) {
    if (index < network.ComponentCount()) return index;
    throw InputError("--rop " + text, "the network has " + std::to_string(network.ComponentCount()) + " species");
  }
  for (std::size_t j = 0; j < network.ComponentCount(); ++j)
    if (network.Component(j)->Name == text) return j;
  if (const auto molecule = MoleculeFromSmiles(text))
    if (const int found = network.FindComponent(*molecule.value()); found >= 0) return static_cast<std::size_t>(found);
  throw InputError("--rop " + text, "no species of the network has this index, name or SMILES");
}

TSimulationRequest RequestOf(const SimulateOptions& o, const TReactionNetwork& network) {
  TSimulationRequest request;
  TSimulationSettings& s = request.Settings;
  s.Reactor = o.Reactor == "batch" ? TReactorKind::Batch : TReactorKind::PlugFlow;
  if (o.Profile) {
    const auto bytes = ReadFileBytes(*o.Profile, 16u << 20);
    if (!bytes) throw InputError(*o.Profile, bytes.error().Message);
    const auto profile = ProfileFromCsv(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!profile) throw InputError(*o.Profile, profile.error().Message);
    s.Profile = profile.value();
  } else {
    s.Profile = TTemperatureProfile(o.Temperature.value_or(network.GetPreferences().NormTemperature));
  }
  s.Pressure = o.Pressure;
  s.PressureDrop = o.PressureDrop;
  s.SteamRatio = o.SteamRatio;
  s.Time = o.Time;
  s.Length = o.Length;
  s.Velocity = o.Velocity;
  s.Points = o.Points;
  s.RelativeTolerance = o.RelativeTolerance;
  s.AbsoluteTolerance = o.AbsoluteTolerance;
  s.FeedFractions = o.FeedFractions;
  if (o.Rop) s.RopSpecies = RopSpecies(network, *o.Rop);
  s.RopTop = o.RopTop;
  s.Sensitivity = o.Sensitivity;
  request.ActiveRadicals = o.ActiveRadicals;
  return request;
}

std::string SpeciesLabel(const TReactionNetwork& network, std::size_t j) {
  return std::to_string(j) + " " + SmilesText(*network.Component(j));
}

// Time, position, T and p, then the lumps and every species, one row per point.
std::string YieldsCsv(const TReactionNetwork& network, const TSimulationResults& r, bool wt) {
  std::vector<std::string> header = {"time_s"};
  if (!r.Positions.empty()) header.emplace_back("position_m");
  header.insert(header.end(), {"T_K", "p_Pa"});
  const std::string unit = wt ? "wt% " : "mol% ";
  for (std::size_t l = 0; l < kLumpCount; ++l) header.push_back(unit + std::string(LumpName(TLump(l))));
  for (std::size_t j = 0; j < network.ComponentCount(); ++j) header.push_back(unit + SpeciesLabel(network, j));
  std::string text = DelimitedRecord(header);
  for (std::size_t p = 0; p < r.Times.size(); ++p) {
    std::vector<std::string> row = {JsonNumber(r.Times[p])};
    if (!r.Positions.empty()) row.push_back(JsonNumber(r.Positions[p]));
    row.insert(row.end(), {JsonNumber(r.Temperatures[p]), JsonNumber(r.Pressures[p])});
    for (double v : wt ? r.LumpWtPercent[p] : r.LumpMolPercent[p]) row.push_back(JsonNumber(v));
    for (double v : wt ? r.WtPercent[p] : r.MolPercent[p]) row.push_back(JsonNumber(v));
    text += DelimitedRecord(row);
  }
  return text;
}

std::string RopCsv(const TReactionNetwork& network, const TRateOfProduction& rop) {
  std::string text = DelimitedRecord({"direction", "reaction", "equation", "amount_mol_per_m3_inlet", "share"});
  for (const auto* list : {&rop.Formation, &rop.Consumption})
    for (const TRopEntry& e : *list)
      text += DelimitedRecord({list == &rop.Formation ? "formation" : "consumption", std::to_string(e.Reaction),
                       ReactionEquation(*network.Reaction(e.Reaction)), JsonNumber(e.Amount), JsonNumber(e.Share)});
  return text;
}

std::string SensitivityCsv(const TSensitivityTable& table) {
  std::vector<std::string> header = {"lump"};
  for (int m : table.Parameters) header.emplace_back(kKineticParameterKeys[static_cast<std::size_t>(m)]);
  std::string text = DelimitedRecord(header);
  for (std::size_t l = 0; l < kLumpCount; ++l) {
    std::vector<std::string> row = {std::string(LumpName(TLump(l)))};
    for (double v : table.Values[l]) row.push_back(JsonNumber(v));
    text += DelimitedRecord(row);
  }
  return text;
}

void WriteText(const std::string& fileName, const std::string& text) {
  const auto written = WriteFileReplacing(
      fileName, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  if (!written) throw InputError::OfWrite(fileName, written.error());
}

std::string Sibling(const std::string& fileName, const std::string& suffix) {
  const std::filesystem::path path(fileName);
  return (path.parent_path() / (path.stem().string() + suffix + ".csv")).string();
}

void WriteJson(const TReactionNetwork& network, const TSimulationResults& r, std::ostream& out) {
  JsonWriter json;
  auto numbers = [&json](const auto& values) {
    json.BeginArray();
    for (double v : values) json.Number(v);
    json.EndArray();
  };
  json.BeginObject().Key("times");
  numbers(r.Times);
  if (!r.Positions.empty()) {
    json.Key("positions");
    numbers(r.Positions);
  }
  json.Key("temperatures");
  numbers(r.Temperatures);
  json.Key("pressures");
  numbers(r.Pressures);
  json.Key("species").BeginArray();
  for (std::size_t j = 0; j < network.ComponentCount(); ++j) {
    std::vector<double> wt, mol;
    for (std::size_t p = 0; p < r.Times.size(); ++p) {
      wt.push_back(r.WtPercent[p][j]);
      mol.push_back(r.MolPercent[p][j]);
    }
    json.BeginObject().Key("index").Integer(static_cast<std::int64_t>(j));
    json.Key("smiles").String(SmilesText(*network.Component(j))).Key("name").String(network.Component(j)->Name);
    json.Key("lump").String(LumpName(r.SpeciesLumps[j])).Key("wt_percent");
    numbers(wt);
    json.Key("mol_percent");
    numbers(mol);
    json.EndObject();
  }
  json.EndArray().Key("lumps").BeginObject();
  for (std::size_t l = 0; l < kLumpCount; ++l) {
    std::vector<double> values;
    for (const auto& point : r.LumpWtPercent) values.push_back(point[l]);
    json.Key(LumpName(TLump(l)));
    numbers(values);
  }
  json.EndObject().Key("conversion").BeginObject();
  for (std::size_t f = 0; f < r.Feeds.size(); ++f) {
    std::vector<double> values;
    for (const auto& point : r.Conversion) values.push_back(point[f]);
    json.Key(SpeciesLabel(network, r.Feeds[f]));
    numbers(values);
  }
  json.EndObject().Key("balance").BeginObject().Key("C").Number(r.CarbonDrift).Key("H").Number(r.HydrogenDrift);
  json.EndObject();
  if (!r.HeatTaken.empty()) {
    json.Key("heat_taken_kJ_per_kg");
    numbers(r.HeatTaken);
    json.Key("reaction_heat_kJ_per_kg");
    numbers(r.ReactionHeat);
  }
  json.Key("active_radicals").Number(r.ActiveRadicals).Key("steps").Integer(r.Steps);
  json.Key("stopped").Bool(r.Stopped).Key("warnings").BeginArray();
  for (const std::string& warning : r.Warnings) json.String(warning);
  json.EndArray();
  if (r.RateOfProduction) {
    const TRateOfProduction& rop = *r.RateOfProduction;
    json.Key("rop").BeginObject().Key("species").Integer(static_cast<std::int64_t>(rop.Species));
    json.Key("formed").Number(rop.Formed).Key("consumed").Number(rop.Consumed);
    for (const auto* list : {&rop.Formation, &rop.Consumption}) {
      json.Key(list == &rop.Formation ? "formation" : "consumption").BeginArray();
      for (const TRopEntry& e : *list)
        json.BeginObject()
            .Key("reaction")
            .Integer(static_cast<std::int64_t>(e.Reaction))
            .Key("equation")
            .String(ReactionEquation(*network.Reaction(e.Reaction)))
            .Key("amount")
            .Number(e.Amount)
            .Key("share")
            .Number(e.Share)
            .EndObject();
      json.EndArray();
    }
    json.EndObject();
  }
  if (r.Sensitivity) {
    json.Key("sensitivity").BeginObject().Key("parameters").BeginArray();
    for (int m : r.Sensitivity->Parameters) json.String(kKineticParameterKeys[static_cast<std::size_t>(m)]);
    json.EndArray().Key("lumps").BeginObject();
    for (std::size_t l = 0; l < kLumpCount; ++l) {
      json.Key(LumpName(TLump(l)));
      numbers(r.Sensitivity->Values[l]);
    }
    json.EndObject().EndObject();
  }
  json.EndObject();
  out << json.Text() << '\n';
}

// Four significant digits: the summary is for reading; the files keep every digit.
std::string Short(double value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
  return std::string(buffer, written.ptr);
}

void WriteSummary(const TReactionNetwork& network, const TSimulationResults& r, std::ostream& out) {
  const std::size_t last = r.Times.size() - 1;
  out << "simulated to t = " << Short(r.Times[last]) << " s";
  if (!r.Positions.empty()) out << ", z = " << Short(r.Positions[last]) << " m";
  out << " (" << r.Steps << " steps, cActR = " << Short(r.ActiveRadicals) << " mol/m3)\n";
  TextTable lumps({"lump", "wt %", "mol %"});
  for (std::size_t l = 0; l < kLumpCount; ++l)
    lumps.AddRow({std::string(LumpName(TLump(l))), Short(r.LumpWtPercent[last][l]),
                  Short(r.LumpMolPercent[last][l])});
  lumps.AlignRight(1);
  lumps.AlignRight(2);
  out << "\nyields of the hydrocarbon fed at the end\n" << lumps.Text();
  out << "\nconversion\n";
  for (std::size_t f = 0; f < r.Feeds.size(); ++f)
    out << "  " << SpeciesLabel(network, r.Feeds[f]) << ": " << Short(100.0 * r.Conversion[last][f]) << " %\n";
  out << "\nbalance drift: C " << Short(r.CarbonDrift) << ", H " << Short(r.HydrogenDrift) << '\n';
  if (!r.HeatTaken.empty())
    out << "heat taken up since the inlet: " << Short(r.HeatTaken[last]) << " kJ per kg of hydrocarbon fed, "
        << Short(r.ReactionHeat[last]) << " of it by the reactions\n";
  if (r.RateOfProduction) {
    const TRateOfProduction& rop = *r.RateOfProduction;
    out << "\nrate of production of " << SpeciesLabel(network, rop.Species) << " [mol per m3 of inlet gas]: formed "
        << Short(rop.Formed) << ", consumed " << Short(rop.Consumed) << '\n';
    TextTable table({"", "reaction", "equation", "amount", "share %"});
    for (const auto* list : {&rop.Formation, &rop.Consumption})
      for (const TRopEntry& e : *list)
        table.AddRow({list == &rop.Formation ? "+" : "-", std::to_string(e.Reaction),
                      ReactionEquation(*network.Reaction(e.Reaction)), Short(e.Amount),
                      Short(100.0 * e.Share)});
    table.AlignRight(3);
    table.AlignRight(4);
    out << table.Text();
  }
  if (r.Sensitivity) {
    out << "\nsensitivity at the end: d ln Y / d ln A (A_ entries), dY / dE in wt % per kJ/mol (E_ entries)\n";
    constexpr TLump kShown[] = {TLump::Hydrogen, TLump::Methane, TLump::Ethylene, TLump::Propylene, TLump::Butadiene};
    std::vector<std::string> header = {"parameter"};
    for (TLump lump : kShown) header.emplace_back(LumpName(lump));
    TextTable table(header);
    for (std::size_t p = 0; p < r.Sensitivity->Parameters.size(); ++p) {
      std::vector<std::string> row = {
          std::string(kKineticParameterKeys[static_cast<std::size_t>(r.Sensitivity->Parameters[p])])};
      for (TLump lump : kShown) row.push_back(Short(r.Sensitivity->Values[static_cast<std::size_t>(lump)][p]));
      table.AddRow(row);
    }
    for (std::size_t c = 1; c <= std::size(kShown); ++c) table.AlignRight(c);
    out << table.Text();
  }
  for (const std::string& warning : r.Warnings) out << "\nwarning: " << warning << '\n';
}

}  // namespace

int RunSimulate(const SimulateOptions& options, const CliStreams& streams) {
  const auto session = LoadNetworkInput(options.Network);
  const TReactionNetwork& network = session->Network();
  TKineticParameterSet parameters;
  const std::string parameterSource = LoadKineticParameterInput(options.KineticParameterFile, parameters, streams.Err);
  const TSimulationRequest request = RequestOf(options, network);
  if (const std::string problem = SettingsProblem(request.Settings, network); !problem.empty())
    throw InputError(options.Network, problem);
  std::vector<std::string> outputs;
  if (options.Output) {
    outputs = {*options.Output, Sibling(*options.Output, "_mol")};
    if (request.Settings.RopSpecies) outputs.push_back(Sibling(*options.Output, "_rop"));
    if (request.Settings.Sensitivity) outputs.push_back(Sibling(*options.Output, "_sensitivity"));
    for (const std::string& output : outputs) CheckOutputFile(output);
  }

  const auto results = RunSimulation(network, parameters, request);
  if (!results && results.error().Code == TErrorCode::KineticParameters)
    throw InputError(parameterSource.empty() ? "the default kinetic parameters" : parameterSource,
                     results.error().Message);
  if (!results) throw InputError(options.Network, results.error().Message);

  const TSimulationResults& r = results.value();
  if (options.Output) {
    WriteText(outputs[0], YieldsCsv(network, r, true));
    WriteText(outputs[1], YieldsCsv(network, r, false));
    std::size_t next = 2;
    if (r.RateOfProduction) WriteText(outputs[next++], RopCsv(network, *r.RateOfProduction));
    if (r.Sensitivity) WriteText(outputs[next], SensitivityCsv(*r.Sensitivity));
  }
  if (options.Json) WriteJson(network, r, streams.Out);
  WriteSummary(network, r, options.Json ? streams.Err : streams.Out);
  if (options.Output)
    for (const std::string& output : outputs) (options.Json ? streams.Err : streams.Out) << "wrote " << output << '\n';
  return kExitSuccess;
}

}  // namespace korvane
