#include "gui/equation_export_window.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <atomic>
#include <chrono>
#include <thread>

#include "gui/network_window.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::Named;

const QString kOverwrite = QStringLiteral("The file, you have selected, just exists. Overwrite it?");

// A successful export from the network window's button, in every language,
// is the desktop scenario's.
using EquationExportWindow = testing::GuiTest;

TEST_F(EquationExportWindow, ExportRefusesWhatIsMissingInOrderAndKeepsTheOldFile) {
  TReactionNetwork network;
  TEqExporterWind window(context);
  window.setNetwork(&network);
  window.show();
  auto* parts = Named<QListWidget>(window, "parts");
  auto* exportButton = Named<QPushButton>(window, "export");
  dialogs.expectMessage(QString(), QStringLiteral("Select destionation file."));
  exportButton->click();

  const QString path = file(QStringLiteral("old.c"));
  testing::WriteFile(path, "kept");
  dialogs.expectSaveFile(QStringLiteral("All files|*.*"), path);
  Named<QPushButton>(window, "select")->click();
  parts->item(2)->setCheckState(Qt::Checked);
  Named<QRadioButton>(window, "matlab")->click();
  EXPECT_EQ(parts->item(2)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(parts->item(2)->flags() & Qt::ItemIsEnabled);
  dialogs.expectQuestion(QStringLiteral("WARNING"), kOverwrite, true)
      .expectMessage(QString(), QStringLiteral("Select wanted parts of system"));
  exportButton->click();
  parts->item(0)->setCheckState(Qt::Checked);
  dialogs.expectQuestion(QStringLiteral("WARNING"), kOverwrite, false);
  exportButton->click();
  EXPECT_EQ(testing::ReadFile(path), "kept");
  Named<QRadioButton>(window, "pascal")->click();
  EXPECT_TRUE(parts->item(2)->flags() & Qt::ItemIsEnabled);
  testing::SaveScreenshot(window, QStringLiteral("equation_export_window"));
}

// The export runs on the network window's worker under its busy lease,
// with the progress strip and its Cancel: a cancelled CHEMKIN export
// changes neither file and says nothing; then the export completes. The
// export is held before it writes, so the Cancel always finds it running.
TEST_F(EquationExportWindow, ChemkinExportRunsOnTheNetworksWorkerAndCancelKeepsBothFiles) {
  auto manager = startManager();
  TReact_Net_Wind& window = testing::NewWindow(dialogs, *manager, QStringLiteral("propane"));
  testing::AddFeed(window.network(), testing::LinearAlkane(3));
  window.network().Generate();
  kinetics.Table[kE_Recombination] = 1.5;  // no longer the defaults
  const QString mechanism = file(QStringLiteral("propane.inp"));
  const QString dictionary = file(QStringLiteral("propane_dictionary.txt"));
  testing::WriteFile(mechanism, "old mechanism");
  testing::WriteFile(dictionary, "old dictionary");
  std::atomic<bool> hold{true};
  context.BeforeExport = [&hold] {
    while (hold.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  };
  auto exportChemkin = [&] {
    dialogs.expectWindow(TEqExporterWind::kCaption, [&](QDialog& dialog) {
      Named<QRadioButton>(dialog, "chemkin")->click();
      EXPECT_FALSE(Named<QListWidget>(dialog, "parts")->isEnabled());
      Named<QLineEdit>(dialog, "destination")->setText(mechanism);
      dialogs.expectQuestion(QStringLiteral("WARNING"), kOverwrite, true)
          .expectQuestion(QStringLiteral("WARNING"),
                          QStringLiteral("The species dictionary \"%1\" exists. Overwrite it?").arg(dictionary), true);
      Named<QPushButton>(dialog, "export")->click();
      EXPECT_FALSE(dialog.isVisible());  // closed once the export is handed over
      return dialog.result();
    });
    testing::ClickButton(window, TEqExporterWind::kExportCommand);
  };

  exportChemkin();
  ASSERT_TRUE(window.isBusy());
  EXPECT_TRUE(Named<QWidget>(window, "taskStrip")->isVisibleTo(&window));
  Named<QPushButton>(window, "taskCancel")->click();
  hold = false;
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isBusy(); }, 60000));
  EXPECT_TRUE(dialogs.finished());  // nothing said
  EXPECT_EQ(testing::ReadFile(mechanism), "old mechanism");
  EXPECT_EQ(testing::ReadFile(dictionary), "old dictionary");
  EXPECT_EQ(QDir(file(QString())).entryList(QDir::Files).filter(QStringLiteral("propane")).size(), 2);

  exportChemkin();
  dialogs.expectMessage(QString(),
                        QStringLiteral("Exporting finished.\n\nThe species dictionary is %1.").arg(dictionary));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isBusy() && dialogs.finished(); }, 60000));
  EXPECT_TRUE(testing::ReadFile(mechanism).contains("the program's kinetic parameter set (file "));
  EXPECT_TRUE(testing::ReadFile(dictionary).startsWith("! Species dictionary"));
}

// The fifth language writes the Cantera file on the network's worker.
TEST_F(EquationExportWindow, CanteraYamlIsTheFifthLanguageAndRunsOnTheWorker) {
  auto manager = startManager();
  TReact_Net_Wind& window = testing::NewWindow(dialogs, *manager, QStringLiteral("propane"));
  testing::AddFeed(window.network(), testing::LinearAlkane(3));
  window.network().Generate();
  const QString destination = file(QStringLiteral("propane.yaml"));
  dialogs.expectWindow(TEqExporterWind::kCaption, [&](QDialog& dialog) {
    auto* cantera = Named<QRadioButton>(dialog, "cantera");
    EXPECT_EQ(cantera->text(), QStringLiteral("Cantera YAML"));
    cantera->click();
    EXPECT_FALSE(Named<QListWidget>(dialog, "parts")->isEnabled());
    Named<QLineEdit>(dialog, "destination")->setText(destination);
    Named<QPushButton>(dialog, "export")->click();
    return dialog.result();
  });
  dialogs.expectMessage(QString(), QStringLiteral("Exporting finished."));
  testing::ClickButton(window, TEqExporterWind::kExportCommand);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isBusy() && dialogs.finished(); }, 60000));
  EXPECT_TRUE(testing::ReadFile(destination).startsWith("description: |\n  Cantera input of a primary"));
}

}  // namespace
}  // namespace korvane::gui
