#pragma once
/// What the simulation window shows and reads, without widgets: the fields
/// read into a simulation request, the rows of its tables, the series of its
/// chart, number formats and the CSV of each table.

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

#include "app/delimited_text.h"
#include "simulation/simulation_run.h"

namespace korvane {
class TMolecule;
class TReaction;
class TReactionNetwork;
}  // namespace korvane

namespace korvane::gui {

/// The labels of the settings page's fields, which name a field that does not read.
namespace simulation_field {
inline const QString kTemperature = QStringLiteral("T / K");
inline const QString kPressure = QStringLiteral("Pressure / Pa");
inline const QString kPressureDrop = QStringLiteral("Pressure drop / Pa");
inline const QString kSteamRatio = QStringLiteral("Steam ratio / (kg/kg)");
inline const QString kTime = QStringLiteral("Residence time / s");
inline const QString kLength = QStringLiteral("Length / m");
inline const QString kVelocity = QStringLiteral("Inlet velocity / (m/s)");
inline const QString kActiveRadicals = QStringLiteral("cActR / (mol/m3)");
inline const QString kRelativeTolerance = QStringLiteral("Relative tolerance");
inline const QString kAbsoluteTolerance = QStringLiteral("Absolute tolerance / (mol/m3)");
}  // namespace simulation_field

/// The settings page's fields as typed. Fields a reactor does not use (the
/// length, velocity and pressure drop of a batch reactor) are not read.
struct SimulationFields {
  bool Batch = false;
  /// The profile table instead of the constant temperature.
  bool UseProfile = false;
  QString Temperature;
  /// Rows of the profile table: position [m], temperature [K].
  std::vector<std::pair<QString, QString>> Profile;
  QString Pressure, PressureDrop, SteamRatio;
  /// The run ends at a length instead of a residence time.
  bool EndByLength = false;
  QString Time, Length;
  /// Inlet velocity [m/s]; empty: none.
  QString Velocity;
  int Points = 11;
  /// One per feed of the network, when it has several; empty texts: equal amounts.
  std::vector<QString> FeedFractions;
  /// cActR [mol/m^3]; empty: the kinetic parameters' standard activity.
  QString ActiveRadicals;
  /// The integrator's tolerances; empty: the defaults.
  QString RelativeTolerance, AbsoluteTolerance;
  std::optional<std::size_t> RopSpecies;
  bool Sensitivity = true;
};

/// The request the fields give, or the sentence that refuses them: a field
/// that does not read as a number names its field, everything else is the
/// simulation layer's own check (SettingsProblem).
struct SimulationFieldsReading {
  std::optional<TSimulationRequest> Request;
  QString Problem;
};
SimulationFieldsReading ReadSimulationFields(const SimulationFields& fields, const TReactionNetwork& network);

/// The rows of the profile table for a profile, in the user's number format.
std::vector<std::pair<QString, QString>> ProfileRows(const TTemperatureProfile& profile);

/// How the window names a species: "[ 3 ] name", or "[ 3 ] SMILES" for a
/// component without a name of its own.
QString SpeciesLabel(std::size_t index, const TMolecule& molecule);
/// The labels of every component of the network.
QStringList SpeciesLabels(const TReactionNetwork& network);
/// "2 C=C + [H] -> ..." in the species' SMILES (or names when no SMILES).
QString ReactionEquationText(const TReaction& reaction);

/// A yield in % with four significant digits, in the user's format.
QString PercentText(double value);
/// A sensitivity or an amount with three significant digits.
QString ShortNumberText(double value);

/// One row of a table: the texts shown, and the value each column sorts by
/// (the text itself where none is given).
struct TableRow {
  QStringList Texts;
  std::vector<std::optional<double>> SortValues;
};
struct TableText {
  QStringList Header;
  std::vector<TableRow> Rows;
};

/// Yields at the last point reached: each lump ("lump" in the second
/// column), then each species with its lump; wt % and mol %.
TableText YieldsTable(const TSimulationResults& results, const QStringList& species);
/// The reactions forming, then consuming, the species: sign, reaction
/// number, equation, amount [mol per m^3 of inlet gas], share [%].
TableText RopTable(const TRateOfProduction& rop, const TReactionNetwork& network);
/// Lumps (rows) by the global kinetic parameters (columns).
TableText SensitivityTable(const TSensitivityTable& sensitivity);
/// The table as CSV: the header and every row in the order given, numbers
/// with every digit that tells them apart.
std::string TableCsv(const TableText& table);

/// "Conversion of [ 0 ] CCCCCC: 54.3 %" per feed, at the last point.
QStringList ConversionLines(const TSimulationResults& results, const QStringList& species);
/// "C/H balance drift: C 1.2e-12, H 3.4e-12", with a warning beyond 1e-6.
QString BalanceText(const TSimulationResults& results);
/// The heat the gas took up from the inlet to the last point and the
/// reactions' part of it; the reason when it is not given; empty for a run
/// that has none (a stopped one).
QString HeatText(const TSimulationResults& results);
/// Where the run ended: "Simulated to t = 0.1 s, z = 12 m (11 points)."
/// or, for a stopped run, that it was stopped and where its results end.
QString RunEndText(const TSimulationResults& results);

/// What the chart can show: a lump or a species.
struct ChartChoice {
  bool Lump = true;
  std::size_t Index = 0;
  friend bool operator==(const ChartChoice&, const ChartChoice&) = default;
};
/// The lumps the chart shows before the user chooses: H2, CH4, C2H4, C3H6, 1,3-C4H6.
std::vector<ChartChoice> DefaultChartChoices();
/// Whether the chart can be drawn against position (the run tracked it).
bool HasPositions(const TSimulationResults& results);
/// The chart's x title: "t / s" or "z / m".
QString ChartXTitle(bool againstPosition);
/// The chart's y title: "wt % of the hydrocarbon fed".
QString ChartYTitle();
/// The wt % of a lump or species over the run, named `name`; a log scale
/// leaves out the points at or below 0.
TChartSeries ChartSeriesOf(const TSimulationResults& results, const ChartChoice& choice, const QString& name,
                           bool againstPosition, bool logScale);
/// A y range that holds every point of the series: from 0 (linear) or a
/// decade below the smallest value (log) to a little above the largest.
std::pair<double, double> ChartYRange(const std::vector<TChartSeries>& series, bool logScale);

}  // namespace korvane::gui
