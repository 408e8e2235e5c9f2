// The simulation window of the n-hexane network: opened from the controls,
// a plug-flow run whose tables agree with a direct run of the layer, a run
// stopped midway, the fields refused with their messages, the profile read
// from a file and the clipboard, the exports.

#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLogValueAxis>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <atomic>
#include <cmath>

#include "gate.h"
#include "gui/picture_actions.h"
#include "gui/simulation_window.h"
#include "hexane_window.h"

namespace korvane::gui {
namespace {

using testing::Named;
using testing::SaveScreenshot;

class SimulationWindow : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window = testing::HexaneWindow(context);
    testing::ClickButton(*window, TSimulationWindow::kRunCommand);
    simulation = window->simulationWindow();
    ASSERT_TRUE(simulation && simulation->isVisible());
  }
  void TearDown() override {
    context.AfterTaskProgress = nullptr;
    window.reset();
    GuiTest::TearDown();
  }

  void setField(const char* name, const QString& text) { Named<QLineEdit>(*simulation, name)->setText(text); }
  void showPage(const QString& title) {
    auto* pages = Named<QTabWidget>(*simulation, "pages");
    for (int i = 0; i < pages->count(); ++i)
      if (pages->tabText(i) == title) pages->setCurrentIndex(i);
  }
  bool waitForRun() { return QTest::qWaitFor([this] { return !simulation->isRunning(); }, 120000); }
  QAbstractItemModel& table(const char* name) { return *Named<QTableView>(*simulation, name)->model(); }

  std::unique_ptr<TReact_Net_Wind> window;
  TSimulationWindow* simulation = nullptr;
};

// 10 m of coil at 100 m/s, 1050 K: the tables show what the layer computes
// for the same settings, sorted by value on request, and export themselves.
TEST_F(SimulationWindow, APlugFlowRunShowsTheLayersYieldsAndExportsThem) {
  simulation->close();
  testing::TriggerAction(*window, QStringLiteral("Simulate..."));  // the menu brings the same one back
  EXPECT_EQ(window->simulationWindow(), simulation);
  EXPECT_TRUE(simulation->isVisible());
  Named<QRadioButton>(*simulation, "endByLength")->setChecked(true);
  setField("length", QStringLiteral("10"));
  setField("velocity", QStringLiteral("100"));
  Named<QSpinBox>(*simulation, "points")->setValue(6);
  testing::ClickButton(*simulation, QStringLiteral("Run"));
  ASSERT_TRUE(waitForRun());
  ASSERT_TRUE(dialogs.finished());
  ASSERT_TRUE(simulation->results());

  TSimulationRequest request;
  request.Settings.Profile = TTemperatureProfile(1050.0);
  request.Settings.Length = 10.0;
  request.Settings.Velocity = 100.0;
  request.Settings.Points = 6;
  request.Settings.Sensitivity = true;
  for (std::size_t j = 0; j < window->network().ComponentCount(); ++j)
    if (LumpOf(*window->network().Component(j)) == TLump::Ethylene) request.Settings.RopSpecies = j;
  const auto direct = RunSimulation(window->network(), kinetics, request);
  ASSERT_TRUE(direct);
  const std::size_t species = window->network().ComponentCount();
  const TSimulationResults& d = direct.value();
  ASSERT_EQ(d.Times.size(), 6u);
  EXPECT_NEAR(d.Positions.back(), 10.0, 1e-9);

  QAbstractItemModel& yields = table("yields");
  ASSERT_EQ(yields.rowCount(), static_cast<int>(kLumpCount + species));
  for (int row = 0; row < yields.rowCount(); ++row) {
    const auto r = static_cast<std::size_t>(row);
    const double wt = r < kLumpCount ? d.LumpWtPercent.back()[r] : d.WtPercent.back()[r - kLumpCount];
    const double mol = r < kLumpCount ? d.LumpMolPercent.back()[r] : d.MolPercent.back()[r - kLumpCount];
    EXPECT_NEAR(yields.index(row, 2).data(Qt::UserRole).toDouble(), wt, 1e-9 * (1.0 + wt)) << row;
    EXPECT_NEAR(yields.index(row, 3).data(Qt::UserRole).toDouble(), mol, 1e-9 * (1.0 + mol)) << row;
  }
  const auto ethylene = static_cast<int>(TLump::Ethylene);
  EXPECT_EQ(yields.index(ethylene, 2).data().toString(),
            QLocale().toString(d.LumpWtPercent.back()[static_cast<std::size_t>(ethylene)], 'g', 4));
  // Sorted by wt % as numbers, largest first.
  Named<QTableView>(*simulation, "yields")->sortByColumn(2, Qt::DescendingOrder);
  for (int row = 1; row < yields.rowCount(); ++row)
    EXPECT_GE(yields.index(row - 1, 2).data(Qt::UserRole).toDouble(), yields.index(row, 2).data(Qt::UserRole).toDouble());
  EXPECT_TRUE(testing::FieldText(*simulation, "balance").startsWith("C/H balance drift: C "));
  EXPECT_EQ(testing::FieldText(*simulation, "runStatus"), "Simulated to t = " +
                                                               QLocale().toString(d.Times.back(), 'g', 3) +
                                                               " s, z = 10 m (6 points).");
  ASSERT_EQ(table("rop").rowCount(),
            static_cast<int>(d.RateOfProduction->Formation.size() + d.RateOfProduction->Consumption.size()));
  EXPECT_EQ(table("rop").index(0, 1).data().toString(), QString::number(d.RateOfProduction->Formation[0].Reaction));
  ASSERT_EQ(table("sensitivity").rowCount(), static_cast<int>(kLumpCount));
  EXPECT_NEAR(table("sensitivity").index(ethylene, 1).data(Qt::UserRole).toDouble(),
              d.Sensitivity->Values[static_cast<std::size_t>(ethylene)][0], 1e-6);

  auto* chart = Named<QChartView>(*simulation, "chart")->chart();
  EXPECT_EQ(chart->series().size(), 5);  // the main lumps until the user chooses
  Named<QCheckBox>(*simulation, "againstPosition")->setChecked(true);
  showPage(QStringLiteral("Chart"));
  SaveScreenshot(*simulation, QStringLiteral("simulation_window_chart"));
  Named<QCheckBox>(*simulation, "logScale")->setChecked(true);
  EXPECT_TRUE(qobject_cast<QLogValueAxis*>(chart->axes(Qt::Vertical).value(0)));
  showPage(QStringLiteral("Yields"));
  SaveScreenshot(*simulation, QStringLiteral("simulation_window_yields"));
  showPage(QStringLiteral("Rate of production"));
  SaveScreenshot(*simulation, QStringLiteral("simulation_window_rop"));
  showPage(QStringLiteral("Settings"));
  SaveScreenshot(*simulation, QStringLiteral("simulation_window_settings"));
  showPage(QStringLiteral("Sensitivity"));
  SaveScreenshot(*simulation, QStringLiteral("simulation_window_sensitivity"));

  // The yields as CSV, every digit kept; the chart as PNG and SVG.
  const QString csv = file(QStringLiteral("yields.csv")), png = file(QStringLiteral("chart.png")),
                svg = file(QStringLiteral("chart.svg"));
  dialogs.expectSaveFile(TSimulationWindow::kCsvFilter, csv)
      .expectSaveFile(QStringLiteral("PNG picture|*.png"), png)
      .expectSaveFile(QStringLiteral("SVG drawing|*.svg"), svg);
  Named<QPushButton>(*simulation, "exportYields")->click();
  simulation->chartActions().actions()[0]->trigger();
  simulation->chartActions().actions()[1]->trigger();
  const QList<QByteArray> lines = testing::ReadFile(csv).split('\n');
  ASSERT_EQ(lines.size(), static_cast<qsizetype>(kLumpCount + species + 2));  // header, rows, the last line break
  const QList<QByteArray> c2h4 = lines[1 + ethylene].trimmed().split(',');
  ASSERT_EQ(c2h4.size(), 4);
  EXPECT_EQ(c2h4[0], "C2H4");
  EXPECT_DOUBLE_EQ(c2h4[2].toDouble(), d.LumpWtPercent.back()[static_cast<std::size_t>(ethylene)]);
  EXPECT_TRUE(testing::ReadFile(png).startsWith("\x89PNG"));
  EXPECT_TRUE(testing::ReadFile(svg).contains("<svg"));
}

// Held at its third report of progress, the run keeps the window answering
// and the network refusing commands; Stop ends it with the points reached.
TEST_F(SimulationWindow, StopEndsARunWithThePointsReached) {
  testing::Gate gate;
  std::atomic<int> reports{0};
  context.AfterTaskProgress = [&reports, hold = gate.hook()] {
    if (++reports == 3) hold();
  };
  setField("time", QStringLiteral("1"));
  Named<QCheckBox>(*simulation, "sensitivityOn")->setChecked(false);
  testing::ClickButton(*simulation, QStringLiteral("Run"));
  gate.waitUntilReached();
  ASSERT_TRUE(QTest::qWaitFor([&] { return testing::FieldText(*simulation, "taskText") == "Simulate: 2 / 10"; }, 30000));
  EXPECT_TRUE(window->isBusy());
  EXPECT_FALSE(testing::Captioned(*window, QStringLiteral("Apply changes"))->isEnabled());
  EXPECT_FALSE(Named<QPushButton>(*simulation, "run")->isEnabled());
  dialogs.expectMessage(QStringLiteral("WARNING"),
                        QStringLiteral("The reaction network is busy with \"Simulate\". Wait until it ends, or cancel "
                                       "it, before you work with this network."));
  EXPECT_FALSE(window->applyChanges());

  testing::ClickButton(*simulation, QStringLiteral("Stop"));
  gate.release();
  ASSERT_TRUE(waitForRun());
  EXPECT_TRUE(dialogs.finished());
  EXPECT_FALSE(window->isBusy());
  ASSERT_TRUE(simulation->results());
  const TSimulationResults& r = *simulation->results();
  EXPECT_TRUE(r.Stopped);
  EXPECT_GE(r.Times.size(), 3u);
  EXPECT_LT(r.Times.size(), 11u);
  EXPECT_EQ(testing::FieldText(*simulation, "runStatus"),
            QStringLiteral("The run was stopped at t = %1 s; the results end there (%2 points).")
                .arg(QLocale().toString(r.Times.back(), 'g', 3))
                .arg(r.Times.size()));
  EXPECT_EQ(table("yields").rowCount(), static_cast<int>(kLumpCount + window->network().ComponentCount()));
}

// A field that does not read, and settings the layer refuses, are told and
// nothing runs; a profile comes from a file or the clipboard.
TEST_F(SimulationWindow, BadFieldsAreRefusedAndProfilesAreImported) {
  const QString filter = QStringLiteral("CSV table|*.csv|Text|*.txt");
  const QString good = file(QStringLiteral("profile.csv")), bad = file(QStringLiteral("bad.csv"));
  testing::WriteFile(good, "position,T\n0,1000\n5,1100\n");
  testing::WriteFile(bad, "0,1000\n5,hot\n");
  setField("pressure", QStringLiteral("1 bar"));
  dialogs.expectMessage(QStringLiteral("ERROR"), QStringLiteral("Pressure / Pa: '1 bar' is not a number."))
      .expectOpenFile(filter, bad)
      .expectMessage(QStringLiteral("ERROR"),
                     QStringLiteral("Line 2 of the temperature profile is not \"position,temperature\"."))
      .expectOpenFile(filter, good)
      .expectMessage(QStringLiteral("ERROR"),
                     QStringLiteral("A reactor length or a temperature profile needs the inlet velocity."))
      .expectMessage(QStringLiteral("ERROR"),
                     QStringLiteral("A batch reactor is isothermal: give one temperature, not a profile."));
  testing::ClickButton(*simulation, QStringLiteral("Run"));
  setField("pressure", QStringLiteral("100000"));
  testing::ClickButton(*simulation, QStringLiteral("Import CSV…"));
  auto* profile = Named<QTableWidget>(*simulation, "profile");
  EXPECT_EQ(profile->rowCount(), 0);
  testing::ClickButton(*simulation, QStringLiteral("Import CSV…"));
  ASSERT_EQ(profile->rowCount(), 2);
  EXPECT_EQ(profile->item(1, 0)->text() + " " + profile->item(1, 1)->text(), "5 1100");
  EXPECT_TRUE(Named<QRadioButton>(*simulation, "useProfile")->isChecked());
  testing::ClickButton(*simulation, QStringLiteral("Run"));
  Named<QComboBox>(*simulation, "reactor")->setCurrentIndex(1);
  testing::ClickButton(*simulation, QStringLiteral("Run"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_FALSE(simulation->isRunning());
  EXPECT_FALSE(simulation->results());

  QApplication::clipboard()->setText(QStringLiteral("0;1000\n2;1050\n4.5;1100\n"));
  testing::ClickButton(*simulation, QStringLiteral("Paste"));
  ASSERT_EQ(profile->rowCount(), 3);
  EXPECT_EQ(profile->item(2, 0)->text(), "4.5");
}

}  // namespace
}  // namespace korvane::gui
