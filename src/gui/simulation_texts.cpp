#include "gui/simulation_texts.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <tuple>

#include "core/formula.h"
#include "reactions/reaction_network.h"
#include "smiles/smiles_writer.h"
#include "gui/window_text.h"

namespace korvane::gui {
namespace {

// Reads one field; the sentence naming it when it is not a number.
bool ReadField(const QString& label, const QString& text, double& value, QString& problem) {
  const std::optional<double> number = ReadNumber(text.trimmed());
  if (!number) {
    problem = QStringLiteral("%1: '%2' is not a number.").arg(label, text);
    return false;
  }
  value = *number;
  return true;
}

QString Name(const TMolecule& molecule) {
  if (!molecule.Name.empty() && molecule.Name != "Noname") return QString::fromStdString(molecule.Name);
  const TResult<std::string> smiles = CanonicalSmiles(molecule);
  return QString::fromStdString(smiles ? smiles.value() : HillFormula(molecule));
}

QString Side(const TReactionSide& participants, const TSideCoefficients& coefficients) {
  QStringList terms;
  for (std::size_t i = 0; i < participants.size(); ++i) {
    const int amount = std::abs(coefficients[i]);
    terms << (amount == 1 ? QString() : QString::number(amount) + QLatin1Char(' ')) + Name(*participants[i]);
  }
  return terms.join(QStringLiteral(" + "));
}

// Every digit that tells the number apart, "." as decimal separator.
std::string CsvNumber(double value) {
  char buffer[32];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, written.ptr);
}

TableRow Row(QStringList texts, std::vector<std::optional<double>> values) {
  values.resize(static_cast<std::size_t>(texts.size()));
  return {std::move(texts), std::move(values)};
}

QString PointText(const TSimulationResults& results, std::size_t point) {
  QString text = QStringLiteral("t = %1 s").arg(ShortNumberText(results.Times[point]));
  if (HasPositions(results)) text += QStringLiteral(", z = %1 m").arg(ShortNumberText(results.Positions[point]));
  return text;
}

}  // namespace

SimulationFieldsReading ReadSimulationFields(const SimulationFields& fields, const TReactionNetwork& network) {
  SimulationFieldsReading reading;
  TSimulationRequest request;
  TSimulationSettings& s = request.Settings;
  QString& problem = reading.Problem;
  s.Reactor = fields.Batch ? TReactorKind::Batch : TReactorKind::PlugFlow;
  if (fields.UseProfile) {
    std::vector<TProfilePoint> points;
    for (std::size_t row = 0; row < fields.Profile.size(); ++row) {
      const auto& [position, temperature] = fields.Profile[row];
      if (position.trimmed().isEmpty() && temperature.trimmed().isEmpty()) continue;
      const QString label = QStringLiteral("Row %1 of the temperature profile").arg(row + 1);
      TProfilePoint point;
      if (!ReadField(label, position, point.Position, problem) ||
          !ReadField(label, temperature, point.Temperature, problem))
        return reading;
      points.push_back(point);
    }
    s.Profile = TTemperatureProfile(std::move(points));
  } else {
    double temperature = 0.0;
    if (!ReadField(simulation_field::kTemperature, fields.Temperature, temperature, problem)) return reading;
    s.Profile = TTemperatureProfile(temperature);
  }
  if (!ReadField(simulation_field::kPressure, fields.Pressure, s.Pressure, problem) ||
      !ReadField(simulation_field::kSteamRatio, fields.SteamRatio, s.SteamRatio, problem))
    return reading;
  double value = 0.0;
  if (fields.Batch || !fields.EndByLength) {
    if (!ReadField(simulation_field::kTime, fields.Time, value, problem)) return reading;
    s.Time = value;
  }
  if (!fields.Batch) {
    if (!ReadField(simulation_field::kPressureDrop, fields.PressureDrop, s.PressureDrop, problem)) return reading;
    if (fields.EndByLength) {
      if (!ReadField(simulation_field::kLength, fields.Length, value, problem)) return reading;
      s.Length = value;
    }
    if (!fields.Velocity.trimmed().isEmpty()) {
      if (!ReadField(simulation_field::kVelocity, fields.Velocity, value, problem)) return reading;
      s.Velocity = value;
    }
  }
  s.Points = fields.Points;
  if (std::any_of(fields.FeedFractions.begin(), fields.FeedFractions.end(),
                  [](const QString& text) { return !text.trimmed().isEmpty(); }))
    for (std::size_t f = 0; f < fields.FeedFractions.size(); ++f) {
      if (!ReadField(QStringLiteral("Feed fraction %1").arg(f + 1), fields.FeedFractions[f], value, problem))
        return reading;
      s.FeedFractions.push_back(value);
    }
  if (!fields.ActiveRadicals.trimmed().isEmpty()) {
    if (!ReadField(simulation_field::kActiveRadicals, fields.ActiveRadicals, value, problem)) return reading;
    if (!(value > 0.0)) {
      problem = QStringLiteral("cActR must be a number above 0 mol/m3.");
      return reading;
    }
    request.ActiveRadicals = value;
  }
  for (const auto& [label, text, tolerance] :
       {std::tuple{simulation_field::kRelativeTolerance, fields.RelativeTolerance, &s.RelativeTolerance},
        std::tuple{simulation_field::kAbsoluteTolerance, fields.AbsoluteTolerance, &s.AbsoluteTolerance}})
    if (!text.trimmed().isEmpty() && !ReadField(label, text, *tolerance, problem)) return reading;
  s.RopSpecies = fields.RopSpecies;
  s.Sensitivity = fields.Sensitivity;
  if (const std::string refused = SettingsProblem(s, network); !refused.empty()) {
    problem = QString::fromStdString(refused);
    return reading;
  }
  reading.Request = std::move(request);
  return reading;
}

std::vector<std::pair<QString, QString>> ProfileRows(const TTemperatureProfile& profile) {
  std::vector<std::pair<QString, QString>> rows;
  for (const TProfilePoint& point : profile.Points())
    rows.emplace_back(NumberText(point.Position), NumberText(point.Temperature));
  return rows;
}

QString SpeciesLabel(std::size_t index, const TMolecule& molecule) {
  return QStringLiteral("[ %1 ] %2").arg(index).arg(Name(molecule));
}

QStringList SpeciesLabels(const TReactionNetwork& network) {
  QStringList labels;
  for (std::size_t j = 0; j < network.ComponentCount(); ++j) labels << SpeciesLabel(j, *network.Component(j));
  return labels;
}

QString ReactionEquationText(const TReaction& reaction) {
  return Side(reaction.Reactants, reaction.ReactantCoefs) + QStringLiteral(" -> ") +
         Side(reaction.Products, reaction.ProductCoefs);
}

QString PercentText(double value) { return QLocale().toString(value, 'g', 4); }

QString ShortNumberText(double value) { return QLocale().toString(value, 'g', 3); }

TableText YieldsTable(const TSimulationResults& results, const QStringList& species) {
  TableText table{{QStringLiteral("Species / lump"), QStringLiteral("Lump"), QStringLiteral("wt %"),
                   QStringLiteral("mol %")},
                  {}};
  if (results.Times.empty()) return table;
  const std::size_t last = results.Times.size() - 1;
  for (std::size_t l = 0; l < kLumpCount; ++l) {
    const double wt = results.LumpWtPercent[last][l], mol = results.LumpMolPercent[last][l];
    table.Rows.push_back(Row({QString::fromLatin1(LumpName(TLump(l))), QStringLiteral("lump"), PercentText(wt),
                              PercentText(mol)},
                             {std::nullopt, std::nullopt, wt, mol}));
  }
  for (std::size_t j = 0; j < results.WtPercent[last].size(); ++j) {
    const double wt = results.WtPercent[last][j], mol = results.MolPercent[last][j];
    table.Rows.push_back(Row({species.value(static_cast<qsizetype>(j)),
                              QString::fromLatin1(LumpName(results.SpeciesLumps[j])), PercentText(wt),
                              PercentText(mol)},
                             {std::nullopt, std::nullopt, wt, mol}));
  }
  return table;
}

TableText RopTable(const TRateOfProduction& rop, const TReactionNetwork& network) {
  TableText table{{QStringLiteral(""), QStringLiteral("Reaction"), QStringLiteral("Equation"),
                   QStringLiteral("Amount / (mol/m3)"), QStringLiteral("Share / %")},
                  {}};
  for (const auto* list : {&rop.Formation, &rop.Consumption})
    for (const TRopEntry& entry : *list) {
      const double share = 100.0 * entry.Share;
      table.Rows.push_back(Row({list == &rop.Formation ? QStringLiteral("formed") : QStringLiteral("consumed"),
                                QString::number(entry.Reaction),
                                ReactionEquationText(*network.Reaction(entry.Reaction)),
                                ShortNumberText(entry.Amount), QLocale().toString(share, 'f', 1)},
                               {std::nullopt, static_cast<double>(entry.Reaction), std::nullopt, entry.Amount, share}));
    }
  return table;
}

TableText SensitivityTable(const TSensitivityTable& sensitivity) {
  TableText table{{QStringLiteral("Lump")}, {}};
  for (int parameter : sensitivity.Parameters)
    table.Header << QString::fromLatin1(kKineticParameterKeys[static_cast<std::size_t>(parameter)]);
  for (std::size_t l = 0; l < kLumpCount; ++l) {
    QStringList texts{QString::fromLatin1(LumpName(TLump(l)))};
    std::vector<std::optional<double>> values{std::nullopt};
    for (double value : sensitivity.Values[l]) {
      texts << ShortNumberText(value);
      values.emplace_back(value);
    }
    table.Rows.push_back(Row(std::move(texts), std::move(values)));
  }
  return table;
}

std::string TableCsv(const TableText& table) {
  std::vector<std::string> fields;
  for (const QString& title : table.Header) fields.push_back(title.toStdString());
  std::string text = DelimitedRecord(fields);
  for (const TableRow& row : table.Rows) {
    fields.clear();
    for (qsizetype c = 0; c < row.Texts.size(); ++c) {
      const auto& value = row.SortValues[static_cast<std::size_t>(c)];
      fields.push_back(value ? CsvNumber(*value) : row.Texts[c].toStdString());
    }
    text += DelimitedRecord(fields);
  }
  return text;
}

QStringList ConversionLines(const TSimulationResults& results, const QStringList& species) {
  QStringList lines;
  if (results.Conversion.empty()) return lines;
  for (std::size_t f = 0; f < results.Feeds.size(); ++f)
    lines << QStringLiteral("Conversion of %1: %2 %")
                 .arg(species.value(static_cast<qsizetype>(results.Feeds[f])),
                      QLocale().toString(100.0 * results.Conversion.back()[f], 'f', 2));
  return lines;
}

QString BalanceText(const TSimulationResults& results) {
  QString text = QStringLiteral("C/H balance drift: C %1, H %2")
                     .arg(ShortNumberText(results.CarbonDrift), ShortNumberText(results.HydrogenDrift));
  if (results.CarbonDrift > kBalanceWarningDrift || results.HydrogenDrift > kBalanceWarningDrift)
    text += QStringLiteral(" - more than 1e-6: tighten the tolerances.");
  return text;
}

QString HeatText(const TSimulationResults& results) {
  if (!results.HeatTaken.empty())
    return QStringLiteral("Heat taken up since the inlet: %1 kJ per kg of hydrocarbon fed, %2 of it by the reactions")
        .arg(QLocale().toString(results.HeatTaken.back(), 'f', 1),
             QLocale().toString(results.ReactionHeat.back(), 'f', 1));
  for (const std::string& warning : results.Warnings)
    if (warning.starts_with(kHeatNotGiven)) return QString::fromStdString(warning);
  return {};
}

QString RunEndText(const TSimulationResults& results) {
  if (results.Times.empty()) return {};
  const std::size_t last = results.Times.size() - 1;
  if (results.Stopped)
    return QStringLiteral("The run was stopped at %1; the results end there (%2 points).")
        .arg(PointText(results, last))
        .arg(results.Times.size());
  return QStringLiteral("Simulated to %1 (%2 points).").arg(PointText(results, last)).arg(results.Times.size());
}

std::vector<ChartChoice> DefaultChartChoices() {
  std::vector<ChartChoice> choices;
  for (TLump lump : {TLump::Hydrogen, TLump::Methane, TLump::Ethylene, TLump::Propylene, TLump::Butadiene})
    choices.push_back({true, static_cast<std::size_t>(lump)});
  return choices;
}

bool HasPositions(const TSimulationResults& results) {
  return !results.Positions.empty() && results.Positions.size() == results.Times.size();
}

QString ChartXTitle(bool againstPosition) { return againstPosition ? QStringLiteral("z / m") : QStringLiteral("t / s"); }

QString ChartYTitle() { return QStringLiteral("wt % of the hydrocarbon fed"); }

TChartSeries ChartSeriesOf(const TSimulationResults& results, const ChartChoice& choice, const QString& name,
                           bool againstPosition, bool logScale) {
  TChartSeries series{name.toStdString(), {}};
  const std::vector<double>& x = againstPosition && HasPositions(results) ? results.Positions : results.Times;
  for (std::size_t p = 0; p < results.Times.size(); ++p) {
    const double y = choice.Lump ? results.LumpWtPercent[p][choice.Index] : results.WtPercent[p][choice.Index];
    if (logScale && !(y > 0.0)) continue;
    series.Points.emplace_back(x[p], y);
  }
  return series;
}

std::pair<double, double> ChartYRange(const std::vector<TChartSeries>& series, bool logScale) {
  double low = INFINITY, high = -INFINITY;
  for (const TChartSeries& each : series)
    for (const auto& [x, y] : each.Points) {
      low = std::min(low, y);
      high = std::max(high, y);
    }
  if (!logScale) return {0.0, high > 0.0 ? 1.05 * high : 1.0};
  if (!(low > 0.0) || !std::isfinite(high)) return {1.0e-3, 100.0};
  const double bottom = std::pow(10.0, std::floor(std::log10(low)));
  double top = std::pow(10.0, std::ceil(std::log10(high)));
  if (top <= bottom) top = 10.0 * bottom;
  return {bottom, top};
}

}  // namespace korvane::gui
