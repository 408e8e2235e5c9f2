#include "gui/simulation_texts.h"

#include <gtest/gtest.h>

#include <functional>

#include "gui_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {
namespace {

const TReactionNetwork& PropaneNetwork() {
  static const auto network = [] {
    auto made = std::make_unique<TReactionNetwork>();
    testing::AddFeed(*made, testing::LinearAlkane(3));
    made->Generate();
    return made;
  }();
  return *network;
}

SimulationFields PlugFlowFields() {
  SimulationFields f;
  f.Temperature = QStringLiteral("1050");
  f.Pressure = QStringLiteral("100000");
  f.PressureDrop = QStringLiteral("0");
  f.SteamRatio = QStringLiteral("0,5");
  f.Time = QStringLiteral("0.1");
  return f;
}

// Each field that does not read names itself; every other refusal is the
// simulation layer's sentence.
TEST(SimulationFields, RefusesEachBadFieldWithItsMessage) {
  const struct {
    const char* name;
    std::function<void(SimulationFields&)> change;
    QString message;
  } cases[] = {
      {"temperature", [](auto& f) { f.Temperature = "abc"; }, "T / K: 'abc' is not a number."},
      {"empty pressure", [](auto& f) { f.Pressure = ""; }, "Pressure / Pa: '' is not a number."},
      {"profile row",
       [](auto& f) {
         f.UseProfile = true;
         f.Profile = {{"0", "1000"}, {"x", "1100"}};
       },
       "Row 2 of the temperature profile: 'x' is not a number."},
      {"cActR", [](auto& f) { f.ActiveRadicals = "0"; }, "cActR must be a number above 0 mol/m3."},
      {"tolerance text", [](auto& f) { f.AbsoluteTolerance = "tight"; },
       "Absolute tolerance / (mol/m3): 'tight' is not a number."},
      {"zero tolerance", [](auto& f) { f.RelativeTolerance = "0"; }, "The tolerances must be numbers above 0."},
      {"hot", [](auto& f) { f.Temperature = "3500"; }, "The temperature must be from 200 to 3000 K."},
      {"negative steam", [](auto& f) { f.SteamRatio = "-1"; }, "The steam ratio must be a number of 0 kg/kg or more."},
      {"batch profile",
       [](auto& f) {
         f.Batch = true;
         f.UseProfile = true;
         f.Profile = {{"0", "1000"}, {"10", "1100"}};
       },
       "A batch reactor is isothermal: give one temperature, not a profile."},
      {"length without velocity",
       [](auto& f) {
         f.EndByLength = true;
         f.Length = "10";
       },
       "A reactor length or a temperature profile needs the inlet velocity."},
      {"drop without length", [](auto& f) { f.PressureDrop = "1000"; }, "A pressure drop needs the reactor length."},
      {"feed fractions", [](auto& f) { f.FeedFractions = {"1", "2"}; },
       "The network has 1 feeds but 2 feed fractions were given."},
  };
  for (const auto& c : cases) {
    SimulationFields fields = PlugFlowFields();
    c.change(fields);
    const SimulationFieldsReading reading = ReadSimulationFields(fields, PropaneNetwork());
    EXPECT_FALSE(reading.Request) << c.name;
    EXPECT_EQ(reading.Problem, c.message) << c.name;
  }
}

TEST(SimulationFields, ReadsWhatTheReactorUsesInEitherDecimalFormat) {
  SimulationFields batch = PlugFlowFields();
  batch.Batch = true;
  batch.SteamRatio = "0,25";
  batch.Time = "2e-1";
  // A batch reactor has no length, velocity or pressure drop: not read.
  batch.EndByLength = true;
  batch.Length = batch.Velocity = batch.PressureDrop = "junk";
  const auto read = ReadSimulationFields(batch, PropaneNetwork());
  ASSERT_TRUE(read.Request) << read.Problem.toStdString();
  const TSimulationSettings& s = read.Request->Settings;
  EXPECT_EQ(s.Reactor, TReactorKind::Batch);
  EXPECT_EQ(s.SteamRatio, 0.25);
  EXPECT_EQ(s.Time, 0.2);
  EXPECT_FALSE(s.Length || s.Velocity || read.Request->ActiveRadicals);
  EXPECT_EQ(s.RelativeTolerance, TSimulationSettings{}.RelativeTolerance);  // empty fields keep the defaults
  EXPECT_EQ(s.PressureDrop, 0.0);
  EXPECT_EQ(s.Profile.At(0.0), 1050.0);

  SimulationFields plug = PlugFlowFields();
  plug.UseProfile = true;
  plug.Profile = {{"0", "1000"}, {" ", ""}, {"12,5", "1100"}};  // a blank row is skipped
  plug.EndByLength = true;
  plug.Length = "12.5";
  plug.Velocity = "100";
  plug.ActiveRadicals = "1e-7";
  plug.RelativeTolerance = "1e-9";
  plug.AbsoluteTolerance = "1e-14";
  plug.RopSpecies = 2;
  plug.Sensitivity = false;
  const auto flow = ReadSimulationFields(plug, PropaneNetwork());
  ASSERT_TRUE(flow.Request) << flow.Problem.toStdString();
  const TSimulationSettings& p = flow.Request->Settings;
  ASSERT_EQ(p.Profile.Points().size(), 2u);
  EXPECT_EQ(p.Profile.Points()[1].Position, 12.5);
  EXPECT_EQ(p.Length, 12.5);
  EXPECT_FALSE(p.Time);
  EXPECT_EQ(p.Velocity, 100.0);
  EXPECT_EQ(flow.Request->ActiveRadicals, 1e-7);
  EXPECT_EQ(p.RelativeTolerance, 1e-9);
  EXPECT_EQ(p.AbsoluteTolerance, 1e-14);
  EXPECT_EQ(p.RopSpecies, 2u);
  EXPECT_FALSE(p.Sensitivity);
  EXPECT_TRUE(p.FeedFractions.empty());
}

// Two species over two points: n-hexane (C6) that became 40 wt % ethylene.
TSimulationResults TwoPointRun() {
  TSimulationResults r;
  r.Times = {0.0, 0.1};
  r.Positions = {0.0, 5.0};
  r.SpeciesLumps = {TLump::C6, TLump::Ethylene};
  r.WtPercent = {{100.0, 0.0}, {60.0, 40.0}};
  r.MolPercent = {{100.0, 0.0}, {12.3456, 87.6544}};
  r.LumpWtPercent.resize(2);
  r.LumpMolPercent.resize(2);
  r.LumpWtPercent[0][static_cast<std::size_t>(TLump::C6)] = 100.0;
  r.LumpWtPercent[1][static_cast<std::size_t>(TLump::C6)] = 60.0;
  r.LumpWtPercent[1][static_cast<std::size_t>(TLump::Ethylene)] = 40.0;
  r.LumpMolPercent = {r.LumpWtPercent[0], r.LumpWtPercent[1]};
  r.Feeds = {0};
  r.Conversion = {{0.0}, {0.4}};
  r.CarbonDrift = 2e-12;
  r.HydrogenDrift = 3e-12;
  return r;
}
const QStringList kLabels = {QStringLiteral("[ 0 ] CCCCCC"), QStringLiteral("[ 1 ] C=C")};

TEST(SimulationTexts, YieldsTableHasTheLumpsThenTheSpeciesAtTheLastPoint) {
  const TableText table = YieldsTable(TwoPointRun(), kLabels);
  ASSERT_EQ(table.Rows.size(), kLumpCount + 2);
  EXPECT_EQ(table.Rows[static_cast<std::size_t>(TLump::Ethylene)].Texts,
            QStringList({"C2H4", "lump", "40", "40"}));
  EXPECT_EQ(table.Rows[kLumpCount + 1].Texts, QStringList({"[ 1 ] C=C", "C2H4", "40", "87.65"}));
  EXPECT_EQ(table.Rows[kLumpCount].SortValues[3], 12.3456);
  // The file keeps every digit, not the four shown.
  const std::string csv = TableCsv(table);
  EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), "Species / lump,Lump,wt %,mol %\n");
  EXPECT_NE(csv.find("[ 0 ] CCCCCC,C6,60,12.3456\n"), std::string::npos) << csv;
  EXPECT_EQ(ConversionLines(TwoPointRun(), kLabels), QStringList{"Conversion of [ 0 ] CCCCCC: 40.00 %"});
}

TEST(SimulationTexts, NumbersStatusAndBalance) {
  EXPECT_EQ(PercentText(12.3456), "12.35");
  EXPECT_EQ(PercentText(0.000123456), "0.0001235");
  EXPECT_EQ(ShortNumberText(-0.04567), "-0.0457");
  TSimulationResults r = TwoPointRun();
  EXPECT_EQ(RunEndText(r), "Simulated to t = 0.1 s, z = 5 m (2 points).");
  EXPECT_EQ(BalanceText(r), "C/H balance drift: C 2E-12, H 3E-12");
  r.Stopped = true;
  r.Positions.clear();
  r.CarbonDrift = 2e-6;
  EXPECT_EQ(RunEndText(r), "The run was stopped at t = 0.1 s; the results end there (2 points).");
  EXPECT_EQ(BalanceText(r), "C/H balance drift: C 2E-06, H 3E-12 - more than 1e-6: tighten the tolerances.");
  EXPECT_EQ(HeatText(r), "");
  r.Warnings = {"The run was stopped.", "The heat taken up is not given: no thermodynamic data for component 4."};
  EXPECT_EQ(HeatText(r), "The heat taken up is not given: no thermodynamic data for component 4.");
  r.HeatTaken = {0.0, 1234.56};
  r.ReactionHeat = {0.0, -7.04};
  EXPECT_EQ(HeatText(r),
            "Heat taken up since the inlet: 1,234.6 kJ per kg of hydrocarbon fed, -7.0 of it by the reactions");
}

TEST(SimulationTexts, ChartSeriesFollowTheChoiceAxisAndScale) {
  const TSimulationResults r = TwoPointRun();
  const ChartChoice ethylene{true, static_cast<std::size_t>(TLump::Ethylene)};
  const TChartSeries byPosition = ChartSeriesOf(r, ethylene, "C2H4", true, false);
  EXPECT_EQ(byPosition.Name, "C2H4");
  EXPECT_EQ(byPosition.Points, (std::vector<std::pair<double, double>>{{0.0, 0.0}, {5.0, 40.0}}));
  // A log axis cannot show 0.
  EXPECT_EQ(ChartSeriesOf(r, {false, 1}, "C=C", false, true).Points,
            (std::vector<std::pair<double, double>>{{0.1, 40.0}}));
  EXPECT_EQ(ChartSeriesOf(r, {false, 0}, "hexane", false, false).Points,
            (std::vector<std::pair<double, double>>{{0.0, 100.0}, {0.1, 60.0}}));
  EXPECT_EQ(ChartXTitle(true), "z / m");

  const std::vector<TChartSeries> series = {{"a", {{0.0, 0.03}, {1.0, 40.0}}}};
  EXPECT_EQ(ChartYRange(series, false), (std::pair{0.0, 42.0}));
  EXPECT_EQ(ChartYRange(series, true), (std::pair{0.01, 100.0}));
  EXPECT_EQ(ChartYRange({}, false), (std::pair{0.0, 1.0}));
}

TEST(SimulationTexts, SensitivityTableNamesTheGlobalParameters) {
  TSensitivityTable sensitivity;
  sensitivity.Parameters = {0, 14};
  for (auto& row : sensitivity.Values) row = {0.0, 0.0};
  sensitivity.Values[static_cast<std::size_t>(TLump::Ethylene)] = {0.25, -0.125};
  const TableText table = SensitivityTable(sensitivity);
  EXPECT_EQ(table.Header, QStringList({"Lump", QString::fromLatin1(kKineticParameterKeys[0]),
                                       QString::fromLatin1(kKineticParameterKeys[14])}));
  EXPECT_EQ(table.Rows[static_cast<std::size_t>(TLump::Ethylene)].Texts, QStringList({"C2H4", "0.25", "-0.125"}));
}

}  // namespace
}  // namespace korvane::gui
