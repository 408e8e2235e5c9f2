#include "gui/equation_export_window.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <cstdlib>

#include "gui/network_window.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::Named;

const QString kOverwrite = QStringLiteral("The file, you have selected, just exists. Overwrite it?");

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
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("kept");
  old.close();
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
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "kept");
  Named<QRadioButton>(window, "pascal")->click();
  EXPECT_TRUE(parts->item(2)->flags() & Qt::ItemIsEnabled);
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
  QFile text(mechanism);
  ASSERT_TRUE(text.open(QIODevice::ReadOnly));
  EXPECT_TRUE(text.readAll().contains("the program's kinetic parameter set (file "));
  EXPECT_TRUE(QFile::exists(dictionary));

  dialogs.expectQuestion(QStringLiteral("WARNING"), kOverwrite, true)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The species dictionary \"%1\" exists. Overwrite it?").arg(dictionary), false);
  window.exportEquations();
}

// From the network window's button to a C file that gcc compiles.
TEST_F(EquationExportWindow, WritesCOfAGeneratedNetworkThatCompiles) {
  auto manager = startManager();
  dialogs.expectInput(QStringLiteral("Enter window name"), QStringLiteral("Window name"),
                      QStringLiteral("RN_Window #0"), QStringLiteral("butane"));
  manager->newWindow();
  TReact_Net_Wind& window = *manager->window(0);
  testing::AddFeed(window.network(), testing::LinearAlkane(4));
  dialogs.expectMessage(QString(), QStringLiteral("Generation succesfully completed."));
  window.generate();
  ASSERT_TRUE(dialogs.waitUntilFinished());

  const QString path = file(QStringLiteral("butane.c"));
  dialogs.expectWindow(TEqExporterWind::kCaption, [&](QDialog& dialog) {
    Named<QRadioButton>(dialog, "c")->click();
    auto* parts = Named<QListWidget>(dialog, "parts");
    parts->item(0)->setCheckState(Qt::Checked);
    parts->item(1)->setCheckState(Qt::Checked);
    dialogs.expectSaveFile(QStringLiteral("All files|*.*"), path)
        .expectMessage(QString(), QStringLiteral("Exporting finished."));
    Named<QPushButton>(dialog, "select")->click();
    testing::SaveScreenshot(dialog, QStringLiteral("equation_export_window"));
    Named<QPushButton>(dialog, "export")->click();
    EXPECT_FALSE(dialog.isVisible());  // closed after the export
    return dialog.result();
  });
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == "Export equations") button->click();
  EXPECT_TRUE(dialogs.finished());
  ASSERT_TRUE(QFile::exists(path));
  if (std::system("command -v gcc > /dev/null") != 0) GTEST_SKIP() << "gcc is not installed";
  // The flags of the compile test of the exported code.
  const std::string compile = "LC_ALL=C gcc -std=c99 -Wall -Werror -c '" + path.toStdString() + "' -o '" +
                              file(QStringLiteral("butane.o")).toStdString() + "'";
  EXPECT_EQ(std::system(compile.c_str()), 0) << compile;
}

}  // namespace
}  // namespace korvane::gui
