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

template <class Button>
Button* Find(const QWidget& window, const QString& caption) {
  for (Button* each : window.findChildren<Button*>())
    if (each->text() == caption) return each;
  return nullptr;
}

using EquationExportWindow = testing::GuiTest;

TEST_F(EquationExportWindow, ExportRefusesWhatIsMissingInOrderAndKeepsTheOldFile) {
  TReactionNetwork network;
  TEqExporterWind window(context);
  window.setNetwork(&network);
  window.show();
  auto* parts = window.findChild<QListWidget*>(QStringLiteral("parts"));
  dialogs.expectMessage(QString(), QStringLiteral("Select destionation file."));
  window.exportEquations();

  const QString path = file(QStringLiteral("old.c"));
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("kept");
  old.close();
  dialogs.expectSaveFile(QStringLiteral("All files|*.*"), path);
  Find<QPushButton>(window, QStringLiteral("Select"))->click();
  const QString overwrite = QStringLiteral("The file, you have selected, just exists. Overwrite it?");
  dialogs.expectQuestion(QStringLiteral("WARNING"), overwrite, true)
      .expectMessage(QString(), QStringLiteral("Select wanted parts of system"));
  window.exportEquations();
  parts->item(2)->setCheckState(Qt::Checked);
  Find<QRadioButton>(window, QStringLiteral("Matlab"))->click();
  EXPECT_EQ(parts->item(2)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(parts->item(2)->flags() & Qt::ItemIsEnabled);
  dialogs.expectQuestion(QStringLiteral("WARNING"), overwrite, true)
      .expectMessage(QString(), QStringLiteral("Select wanted parts of system"));
  window.exportEquations();
  parts->item(0)->setCheckState(Qt::Checked);
  dialogs.expectQuestion(QStringLiteral("WARNING"), overwrite, false);
  window.exportEquations();
  ASSERT_TRUE(old.open(QIODevice::ReadOnly));
  EXPECT_EQ(old.readAll(), "kept");
  Find<QRadioButton>(window, QStringLiteral("Pascal"))->click();
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
  Find<QRadioButton>(window, QStringLiteral("CHEMKIN-II"))->click();
  EXPECT_FALSE(window.findChild<QListWidget*>(QStringLiteral("parts"))->isEnabled());
  const QString mechanism = file(QStringLiteral("propane.inp"));
  const QString dictionary = file(QStringLiteral("propane_dictionary.txt"));
  window.findChild<QLineEdit*>(QStringLiteral("destination"))->setText(mechanism);
  dialogs.expectMessage(QString(),
                        QStringLiteral("Exporting finished.\n\nThe species dictionary is %1.").arg(dictionary));
  window.exportEquations();
  QFile text(mechanism);
  ASSERT_TRUE(text.open(QIODevice::ReadOnly));
  const QByteArray content = text.readAll();
  EXPECT_TRUE(content.contains("THERMO ALL"));
  EXPECT_TRUE(content.contains("the program's kinetic parameter set (file "));
  EXPECT_TRUE(QFile::exists(dictionary));

  dialogs
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The file, you have selected, just exists. Overwrite it?"), true)
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
    Find<QRadioButton>(dialog, QStringLiteral("ASCI C"))->click();
    auto* parts = dialog.findChild<QListWidget*>(QStringLiteral("parts"));
    parts->item(0)->setCheckState(Qt::Checked);
    parts->item(1)->setCheckState(Qt::Checked);
    dialogs.expectSaveFile(QStringLiteral("All files|*.*"), path)
        .expectMessage(QString(), QStringLiteral("Exporting finished."));
    Find<QPushButton>(dialog, QStringLiteral("Select"))->click();
    testing::SaveScreenshot(dialog, QStringLiteral("equation_export_window"));
    Find<QPushButton>(dialog, QStringLiteral("Export"))->click();
    EXPECT_FALSE(dialog.isVisible());  // closed after the export
    return dialog.result();
  });
  Find<QPushButton>(window, QStringLiteral("Export equations"))->click();
  EXPECT_TRUE(dialogs.finished());
  ASSERT_TRUE(QFile::exists(path));
  if (std::system("command -v gcc > /dev/null") != 0) GTEST_SKIP() << "gcc is not installed";
  const std::string compile = "LC_ALL=C gcc -std=c99 -Wall -Werror -c '" + path.toStdString() + "' -o '" +
                              file(QStringLiteral("butane.o")).toStdString() + "'";
  EXPECT_EQ(std::system(compile.c_str()), 0) << compile;
}

}  // namespace
}  // namespace korvane::gui
