#include "gui/equation_export_window.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

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

TEST_F(EquationExportWindow, ChemkinWritesTheMechanismWithItsDictionaryBeside) {
  TReactionNetwork network;
  testing::AddFeed(network, testing::LinearAlkane(3));
  network.Generate();
  kinetics.Table[kE_Recombination] = 1.5;  // no longer the defaults
  TEqExporterWind window(context);
  window.setNetwork(&network);
  window.show();
  Named<QRadioButton>(window, "chemkin")->click();
  EXPECT_FALSE(Named<QListWidget>(window, "parts")->isEnabled());
  const QString mechanism = file(QStringLiteral("propane.inp"));
  const QString dictionary = file(QStringLiteral("propane_dictionary.txt"));
  Named<QLineEdit>(window, "destination")->setText(mechanism);
  dialogs.expectMessage(QString(),
                        QStringLiteral("Exporting finished.\n\nThe species dictionary is %1.").arg(dictionary));
  window.exportEquations();
  EXPECT_FALSE(window.isVisible());  // closed after the export
  EXPECT_TRUE(testing::ReadFile(mechanism).contains("the program's kinetic parameter set (file "));
  EXPECT_TRUE(QFile::exists(dictionary));

  dialogs.expectQuestion(QStringLiteral("WARNING"), kOverwrite, true)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The species dictionary \"%1\" exists. Overwrite it?").arg(dictionary), false);
  window.exportEquations();
}

}  // namespace
}  // namespace korvane::gui
