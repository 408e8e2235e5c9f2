// A chemical engineer's day in the desktop program, from the main window's
// menus and the buttons of its windows, every question answered through the
// dialog seam: a database, two feeds (one picked, one drawn), a run, the
// lists, the detail windows, a hand-edited reaction, the exports, a saved
// network loaded again, a fusion, an erased window and the kinetic
// parameters saved. Its screenshots are the README's (make screenshots).

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QLineSeries>
#include <QListWidget>
#include <QProcess>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "app/export_kinetics.h"
#include "app/graph_export.h"
#include "gui/components_page.h"
#include "gui/database_list_window.h"
#include "gui/network_window.h"
#include "gui/reaction_detail_window.h"
#include "gui/reactions_page.h"
#include "gui/selectivity_study_page.h"
#include "gui/structure_editor.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "network_checks.h"
#include "reactions/kinpar_file.h"

namespace korvane::gui {
namespace {

using testing::Captioned;
using testing::Lines;
using testing::SaveScreenshot;
using testing::SelectRow;
using testing::TriggerAction;

void Press(const QWidget& window, const char* caption) { testing::ClickButton(window, QString::fromLatin1(caption)); }

// The visible top-level window whose title begins with `title`.
QWidget& TopLevel(const QString& title) {
  for (QWidget* each : QApplication::topLevelWidgets())
    if (each->isVisible() && each->windowTitle().startsWith(title)) return *each;
  throw std::runtime_error("no window " + title.toStdString());
}

// Propene drawn as a user draws it, and accepted.
int DrawPropene(QDialog& dialog) {
  auto& editor = static_cast<TStruct_Edit&>(dialog);
  testing::DrawPropene(editor);
  SaveScreenshot(editor, QStringLiteral("road_structure_editor"));
  TriggerAction(editor, QStringLiteral("Accept structure"));
  return dialog.result();
}

class DesktopScenario : public testing::GuiTest {
 protected:
  // Runs a program in the working directory: options apart by spaces, then files.
  static void Run(const char* program, const char* options, const QStringList& files) {
    QProcess process;
    process.start(QString::fromLatin1(program), QString::fromLatin1(options).split(QLatin1Char(' ')) + files);
    ASSERT_TRUE(process.waitForFinished(60000)) << program;
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  }
  // Lets a save or an export on its worker end and its results reach the window.
  static void waitUntilIdle(TReact_Net_Wind& window) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isBusy(); }, 60000));
    QCoreApplication::processEvents();
  }
};

TEST_F(DesktopScenario, FromADatabaseFeedToFusedNetworksAndSavedParameters) {
  context.BundledDatabase = QStringLiteral(KORVANE_BUNDLED_DATABASE);
  auto manager = startManager();
  manager->show();

  // The bundled database, not handed to its editor.
  expectEditorQuestion(false);
  TriggerAction(*manager, QStringLiteral("Open bundled database"));
  ASSERT_TRUE(context.Database);

  expectWindowName(QStringLiteral("RN_Window #0"), QStringLiteral("hexane and propene"));
  TriggerAction(*manager, QStringLiteral("New"));
  ASSERT_EQ(manager->windowCount(), 1u);
  TReact_Net_Wind& first = *manager->window(0);

  // n-hexane picked by name, propene drawn.
  dialogs.expectWindow(QStringLiteral("DBListHydrocarbons of steam cracking"), [](QDialog& dialog) {
    auto& list = static_cast<TDBList_Win&>(dialog);
    QTest::keyClicks(list.searchField(), QStringLiteral("n-hexane"));
    QTest::keyClick(list.searchField(), Qt::Key_Return);
    SaveScreenshot(list, QStringLiteral("road_database_list"));
    Press(list, "Accept selection");
    return list.QDialog::result();
  });
  Press(first, "Add from DBase");
  dialogs.expectWindow(QStringLiteral("Struct_Edit"), DrawPropene);
  Press(first, "Add by drawing struct.");
  ASSERT_TRUE(dialogs.finished());
  ASSERT_EQ(Lines(*first.componentsPage()->list()).size(), 6);  // H, He, N2, H2O and the two feeds
  EXPECT_EQ(first.network().Component(4)->Formula(), "H14C6");
  EXPECT_EQ(first.network().Component(5)->Formula(), "H6C3");

  first.findChild<QLineEdit*>(QStringLiteral("temperature"))->setText(QStringLiteral("1100"));
  Press(first, "Apply changes");
  EXPECT_EQ(first.network().GetPreferences().NormTemperature, 1100.0);
  dialogs.expectMessage(QStringLiteral("Reaction network \"hexane and propene\""),
                        QStringLiteral("Generation succesfully completed."));
  Press(first, "Generate all reactions now");
  ASSERT_TRUE(dialogs.waitUntilFinished());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !first.isGenerating(); }, 5000));
  const TReactionNetwork& network = first.network();
  EXPECT_EQ(testing::CheckNetwork(network), "");
  EXPECT_GT(network.ComponentCount(), 50u);
  SaveScreenshot(first, QStringLiteral("road_network_window"));

  // Radicals of six carbons only: one choice at least in each group.
  TComponentsPage& components = *first.componentsPage();
  first.findChild<QTabWidget*>()->setCurrentWidget(&components);
  for (const char* box : {"Filter substance list, show only:", "Radicals", "Saturated", "Nonsaturated", "Cyclic",
                          "Acyclic", "Only fraction"})
    Captioned<QCheckBox>(components, QString::fromLatin1(box))->setChecked(true);
  components.findChild<QSpinBox*>(QStringLiteral("fraction"))->setValue(6);
  const QStringList radicals = Lines(*components.list());
  ASSERT_FALSE(radicals.isEmpty());
  for (const QString& line : radicals) {
    const TMolecule& shown = *network.Component(*ListPosition(line));
    EXPECT_TRUE(shown.IsRadical() && shown.CarbonNumber() == 6) << line.toStdString();
  }
  SelectRow(*components.list(), 0);
  Press(components, "Show component");
  Press(components, "View details");
  QWidget& componentDetail = TopLevel(QStringLiteral("Component_Detail: [ "));
  SaveScreenshot(components, QStringLiteral("road_components_page"));
  SaveScreenshot(componentDetail, QStringLiteral("road_component_detail"));
  componentDetail.close();

  // A reaction's details with its selectivity study, then the same reaction
  // edited by hand.
  TReactionsPage& reactions = *first.reactionsPage();
  first.findChild<QTabWidget*>()->setCurrentWidget(&reactions);
  SelectRow(*reactions.list(), 0);
  Press(reactions, "View details");
  auto& reactionDetail = static_cast<TReaction_Detail&>(TopLevel(QStringLiteral("Reaction details viewer: [ 0 ]")));
  reactionDetail.pages()->setCurrentIndex(2);
  reactionDetail.kineticsPages()->setCurrentIndex(1);
  Press(reactionDetail, "Calculate");
  EXPECT_EQ(reactionDetail.selectivityStudy()->series()->count(), 251);
  SaveScreenshot(reactionDetail, QStringLiteral("road_reaction_detail"));
  reactionDetail.close();

  dialogs
      .expectWindow(QStringLiteral("Manually construction of reaction"),
                    [](QDialog& dialog) {
                      dialog.findChild<QTabWidget*>()->setCurrentIndex(2);
                      Captioned<QRadioButton>(dialog, QStringLiteral("Enter parameters explicitly"))->click();
                      for (auto [field, value] : {std::pair{"frequencyFactor", "2E13"}, {"activationEnergy", "250"}}) {
                        auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(field));
                        edit->clear();
                        QTest::keyClicks(edit, QString::fromLatin1(value));
                      }
                      SaveScreenshot(dialog, QStringLiteral("road_manual_reaction"));
                      Press(dialog, "OK");  // nothing unusual: accepted at once
                      return dialog.result();
                    })
      .expectQuestion(QString(), QStringLiteral("Are you sure to apply changes?"), true)
      .expectQuestion(QString(),
                      QStringLiteral("Would you like to re-calculate selectivity and next information to check "
                                     "integrity of reaction network?"),
                      true);
  Press(reactions, "Edit actual");
  ASSERT_TRUE(dialogs.finished());
  // The values entered are the reaction's kinetics, in every export.
  EXPECT_EQ(network.Reaction(0)->ActEnergy, 250.0);
  EXPECT_TRUE(network.Reaction(0)->ExplicitKinetics);
  EXPECT_EQ(ReactionKinetics(network, kinetics.Table, kinetics.AlternativeValues).Reactions[0].E, 250.0);
  EXPECT_EQ(testing::CheckNetwork(network), "");

  // The equations in the three languages (the C compiles) and the graph
  // (dot draws it).
  for (auto [language, name] : {std::pair{"Pascal", "day.pas"}, {"ASCI C", "day.c"}, {"Matlab", "day.m"}}) {
    dialogs.expectWindow(QStringLiteral("Equations exporting"), [&](QDialog& dialog) {
      Captioned<QRadioButton>(dialog, QString::fromLatin1(language))->click();
      auto* parts = dialog.findChild<QListWidget*>(QStringLiteral("parts"));
      for (int part = 0; part < 2; ++part) parts->item(part)->setCheckState(Qt::Checked);
      dialogs.expectSaveFile(QStringLiteral("All files|*.*"), file(QString::fromLatin1(name)))
          .expectMessage(QString(), QStringLiteral("Exporting finished."));
      Press(dialog, "Select");
      Press(dialog, "Export");
      return dialog.result();
    });
    Press(first, "Export equations");
    waitUntilIdle(first);
    EXPECT_TRUE(QFile::exists(file(QString::fromLatin1(name)))) << language;
  }
  Run("gcc", "-std=c99 -Wall -Werror -c", {file(QStringLiteral("day.c"))});
  const QString graph = file(QStringLiteral("day.dot"));
  dialogs.expectSaveFile(QString(), graph)
      .expectQuestion(QStringLiteral("Warning"), QString::fromStdString(GraphFolderQuestion(graph.toStdString())), true)
      .expectQuestion(QString(), QStringLiteral("Would you like to remove hydrogen radical from the scheme?"), false);
  Press(first, "Export graph of reaction network");
  waitUntilIdle(first);
  Run("dot", "-Tpng -o", {file(QStringLiteral("day.png")), graph});

  // Saved, loaded into a second window, fused into it, the first erased.
  const QString saved = file(QStringLiteral("day.rnw"));
  dialogs.expectSaveFile(QStringLiteral("Reaction Network Files|*.rnw"), saved)
      .expectInput(QStringLiteral("Advanced infromation"), QStringLiteral("Note that will be saved to file"), QString(),
                   QStringLiteral("n-hexane and propene at 1100 K"));
  Press(first, "Save reaction network to file");
  waitUntilIdle(first);
  EXPECT_FALSE(first.isWindowModified());
  // The file is open in the first window: a second copy only when asked for.
  dialogs.expectOpenFile(QStringLiteral("Reaction network files|*.rnw"), saved)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The file \"%1\" is already open in the reaction network window \"hexane and "
                                     "propene\". Open another copy?")
                          .arg(saved),
                      true);
  expectWindowName(QStringLiteral("RN_Window #1"), QStringLiteral("loaded"));
  dialogs.expectMessage(QStringLiteral("Note saved at file"), QStringLiteral("n-hexane and propene at 1100 K"));
  TriggerAction(*manager, QStringLiteral("Load from file"));
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  ASSERT_EQ(manager->windowCount(), 2u);
  TReact_Net_Wind& second = *manager->window(1);
  second.findChild<QTabWidget*>()->setCurrentWidget(second.componentsPage());
  EXPECT_EQ(Lines(*second.componentsPage()->list()).size(), static_cast<int>(network.ComponentCount()));
  manager->windowList()->setCurrentRow(1);
  Press(*manager, "Show");
  EXPECT_EQ(testing::FieldText(*manager, "statReactions"), QString::number(network.ReactionCount()));
  SaveScreenshot(*manager, QStringLiteral("road_main_window"));

  dialogs.expectWindow(QStringLiteral("Add Reaction Networks"), [&](QDialog& dialog) {
    dialog.findChild<QListWidget*>(QStringLiteral("sources"))->item(0)->setCheckState(Qt::Checked);
    dialogs
        .expectQuestion(QStringLiteral("WARNING"),
                        QStringLiteral("This action will add selected reaction sub-network into destination reaction "
                                       "network. Are you sure to contunie?"),
                        true)
        .expectMessage(QString(), QStringLiteral("Fusion of reaction network(s) was succesfully finished.\n\n"
                                                 "Components added: 0, reactions added: 0."));
    Press(dialog, "Execute fusion");
    // The fusion runs on a worker; its message comes once it has ended.
    EXPECT_TRUE(dialogs.waitUntilFinished());
    return dialog.result();
  });
  Press(second, "Add sub- (reaction network)");
  EXPECT_EQ(testing::CheckNetwork(second.network()), "");

  manager->windowList()->setCurrentRow(0);
  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("Reaction network \"hexane and propene\" and all relevant data will be "
                                        "ereased. Are you sure to continue?"),
                         true);
  Press(*manager, "Erease RN");
  EXPECT_EQ(Lines(*manager->windowList()), QStringList{QStringLiteral("[ 0 ] - loaded *")});  // fused, not saved

  // The kinetic parameters, saved where the program reads them at start-up.
  TriggerAction(*manager, QStringLiteral("Global settings"));
  QWidget& settings = TopLevel(QStringLiteral("Global settings"));
  SaveScreenshot(settings, QStringLiteral("road_global_settings"));
  Press(settings, "Save");
  TKineticParameterSet read;
  EXPECT_EQ(ReadKineticParameterFile(file(QStringLiteral("kinpar.ini")).toStdString(), read).Damage, 0);
  EXPECT_EQ(read.Table, kinetics.Table);
}

}  // namespace
}  // namespace korvane::gui
