#include "gui/network_window.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QDir>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "app/graph_export.h"
#include "app/network_file.h"
#include "database/mol_structure_file.h"
#include "gui/components_page.h"
#include "gate.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "hexane_window.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::Captioned;
using testing::FieldText;
using testing::SaveScreenshot;
using testing::SharedTestFile;

const QString kSaveFilter = QStringLiteral("Reaction Network Files|*.rnw");
const QString kNoteCaption = QStringLiteral("Advanced infromation");
const QString kNotePrompt = QStringLiteral("Note that will be saved to file");
const QString kGenerating = QStringLiteral(
    "The reaction network is being generated. Wait until the generation ends, or stop it, before you work with this "
    "network.");

class NetworkWindow : public testing::GuiTest {
 protected:
  std::unique_ptr<TReact_Net_Wind> makeWindow() {
    auto window = std::make_unique<TReact_Net_Wind>(context, QStringLiteral("test"), std::make_unique<TReactionNetwork>());
    window->show();
    return window;
  }
  static void setField(TReact_Net_Wind& window, const char* name, const char* value) {
    window.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(value));
  }
  /// Lets a save or an export on its worker end and its results reach the window.
  static void waitForTask(TReact_Net_Wind& window) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isBusy(); }, 60000));
    QCoreApplication::processEvents();
  }
};

TEST_F(NetworkWindow, ApplyReadsAndChecksEveryFieldBeforeTheNetworkChangesAndIsUndoable) {
  auto window = makeWindow();
  const TNetworkPreferences defaults = window->network().GetPreferences();
  for (auto [name, value] : {std::pair{"temperature", "1100"}, {"eBeta", "250"}, {"eHTransfer", "abc"},
                             {"eAllyl", "190"}, {"minSelectivity", "0,02"}})
    setField(*window, name, value);
  dialogs.expectMessage(QString(), QStringLiteral("'abc' is not a valid floating point value"));
  window->applyChanges();
  EXPECT_EQ(window->network().GetPreferences(), defaults);

  setField(*window, "eHTransfer", "310");
  setField(*window, "minSelectivity", "1,5");
  dialogs.expectMessage(QStringLiteral("ERROR"),
                        QStringLiteral("The minimum selectivity must be a number from 0 to 1, not 1.5."));
  window->applyChanges();
  EXPECT_EQ(window->network().GetPreferences(), defaults);
  EXPECT_FALSE(window->isWindowModified());

  setField(*window, "minSelectivity", "0,02");
  auto* components = window->findChild<QSpinBox*>(QStringLiteral("componentLimit"));
  auto* memory = window->findChild<QSpinBox*>(QStringLiteral("memoryLimit"));
  EXPECT_EQ(components->text(), "none");
  // Half the physical memory of the fixture, at most all of it.
  EXPECT_EQ(window->network().MemoryLimit(), 4096 * kMiB);
  EXPECT_EQ(std::pair(memory->value(), memory->maximum()), std::pair(4096, 8192));
  components->setValue(777);
  memory->setValue(300);
  window->findChild<QSpinBox*>(QStringLiteral("threads"))->setValue(3);
  window->applyChanges();
  EXPECT_EQ(window->network().GetPreferences(), (TNetworkPreferences{1100, 250, 310, 190, 0.02}));
  EXPECT_EQ(window->network().ComponentLimit(), 777u);
  EXPECT_EQ(window->network().MemoryLimit(), 300 * kMiB);
  EXPECT_EQ(window->network().ThreadCount(), 3u);
  EXPECT_TRUE(window->isWindowModified());
  components->setValue(0);
  window->applyChanges();
  EXPECT_EQ(window->network().ComponentLimit(), kNoComponentLimit);

  testing::TriggerAction(*window, QStringLiteral("Undo Apply changes"));
  EXPECT_EQ(window->network().GetPreferences(), defaults);
  EXPECT_EQ(FieldText(*window, "temperature"), "1050");
  EXPECT_FALSE(window->isWindowModified());
}

// "Generate all reactions now" runs with what the fields say, checked as
// "Apply changes" checks them: a field that does not read starts no run. A
// memory limit of 1 MiB stops n-dodecane's run, and the message says so.
TEST_F(NetworkWindow, GenerateAppliesTheFieldsFirst) {
  auto window = makeWindow();
  testing::AddFeed(window->network(), testing::LinearAlkane(12));
  setField(*window, "temperature", "9x0");
  dialogs.expectMessage(QString(), QStringLiteral("'9x0' is not a valid floating point value"));
  window->generate();
  EXPECT_FALSE(window->isGenerating());

  setField(*window, "temperature", "900");
  window->findChild<QSpinBox*>(QStringLiteral("memoryLimit"))->setValue(1);
  dialogs.expectMessageContaining(
      QStringLiteral("Reaction network \"test\""),
      QStringLiteral(" MiB passed its limit of 1 MiB. The network is incomplete: it holds the components "
                                "processed so far, closed by recombination. Raise \"Memory limit (MiB):\" on the "
                                "preferences page, up to the physical memory, to let a run go further."));
  window->generate();
  ASSERT_TRUE(dialogs.waitUntilFinished());
  EXPECT_EQ(window->network().GetPreferences().NormTemperature, 900.0);
  // The run and the preferences before it are two steps.
  testing::TriggerAction(*window, QStringLiteral("Undo Generation"));
  EXPECT_EQ(window->network().ReactionCount(), 0u);
  testing::TriggerAction(*window, QStringLiteral("Undo Apply changes"));
  EXPECT_EQ(window->network().GetPreferences().NormTemperature, 1050.0);
}

// The preference fields show the user's number format from the start, as
// they do once a network's values are shown (after a load).
TEST_F(NetworkWindow, PreferenceFieldsKeepTheUsersNumberFormat) {
  for (const QLocale& locale :
       {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedStates)}) {
    QLocale::setDefault(locale);
    auto window = makeWindow();
    EXPECT_EQ(FieldText(*window, "minSelectivity"), NumberText(0.01, locale));
    window->showPreferences();
    EXPECT_EQ(FieldText(*window, "minSelectivity"), NumberText(0.01, locale));
  }
}

TEST_F(NetworkWindow, GenerationRunsOnItsThreadAndThePollReportsTheEnd) {
  auto window = makeWindow();
  testing::AddFeed(window->network(), testing::LinearAlkane(6));

  dialogs.expectMessage(QStringLiteral("WARNING"), kGenerating)
      .expectMessage(QStringLiteral("Reaction network \"test\""), QStringLiteral("Generation succesfully completed."));
  window->generate();
  EXPECT_TRUE(window->isGenerating());
  EXPECT_FALSE(window->componentsPage()->isEnabled());
  // Both status lines say the run is on.
  EXPECT_EQ(FieldText(*window, "generatorStatus"), "In progress...");
  EXPECT_EQ(FieldText(*window, "status"), "In progress...");
  EXPECT_EQ(window->networkForCommand(), nullptr);
  ASSERT_TRUE(dialogs.waitUntilFinished());

  const TReactionNetwork& network = window->network();
  EXPECT_EQ(network.ComponentCount(), 52u);
  EXPECT_EQ(network.ReactionCount(), 78u);
  EXPECT_EQ(FieldText(*window, "actualComponent"),
            QStringLiteral("%1 / %1").arg(network.ProgressLast.load()));
  EXPECT_EQ(window->findChild<QProgressBar*>(QStringLiteral("progress"))->value(), 1000);
  EXPECT_EQ(FieldText(*window, "status"), "Completed");
  EXPECT_EQ(FieldText(*window, "generatorStatus"), "Ready...");
  EXPECT_TRUE(Captioned(*window, QStringLiteral("Save reaction network to file"))->isEnabled());
  EXPECT_TRUE(window->componentsPage()->isEnabled());
  // A finished run is a change of the network: the title says so.
  EXPECT_EQ(window->windowTitle(), "Reaction Network Window: test[*]");
  EXPECT_TRUE(window->isWindowModified());
  SaveScreenshot(*window, QStringLiteral("network_window_after_run"));

  auto* timer = window->findChild<QTimer*>(QStringLiteral("pollTimer"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 2000));
  // The result stays said once the poll has stopped.
  auto* status = window->findChild<QLabel*>(QStringLiteral("status"));
  EXPECT_EQ(status->text(), "Completed");
  EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(Qt::darkGreen));
}

// A run can be stopped; meanwhile every command on the network is refused,
// also erasing its window; closing the program stops it too, after its
// question.
TEST_F(NetworkWindow, StopEndsAHexadecaneRunWithAConsistentNetwork) {
  testing::Gate gate;
  context.AfterGeneratedComponent = gate.hook();
  auto manager = startManager();
  TReact_Net_Wind& window = testing::NewWindow(dialogs, *manager, QStringLiteral("hexadecane"));
  testing::AddFeed(window.network(), testing::LinearAlkane(16));
  window.generate();
  gate.waitUntilReached();
  QTest::qWait(300);  // the progress poll ticks, for the picture
  SaveScreenshot(window, QStringLiteral("network_window_during_run"));
  for (const char* caption : {"Generate all reactions now", "Save reaction network to file",
                              "Export graph of reaction network", "Apply changes"})
    EXPECT_FALSE(Captioned(window, QString::fromLatin1(caption))->isEnabled()) << caption;

  manager->windowList()->setCurrentRow(0);
  dialogs.expectMessage(QStringLiteral("WARNING"),
                        QStringLiteral("Reaction network \"hexadecane\" is being generated. Stop the generation "
                                       "before you erase it."));
  manager->ereaseSelected();
  EXPECT_EQ(manager->windowCount(), 1u);

  dialogs.expectMessageContaining(QStringLiteral("Reaction network \"hexadecane\""),
                                  QStringLiteral("Generation was stopped."));
  window.stopGeneration();
  // The click is seen at once, and no component after the one held is
  // processed: the run closes the network and ends.
  EXPECT_EQ(FieldText(window, "generatorStatus"), "Stopping...");
  EXPECT_EQ(FieldText(window, "status"), "Stopping...");
  const std::int32_t heldAt = window.network().ProgressCurrent.load();
  gate.release();
  ASSERT_TRUE(dialogs.waitUntilFinished(10000));
  EXPECT_LE(window.network().ProgressCurrent.load(), heldAt + 1);
  EXPECT_EQ(FieldText(window, "status"), "Stopped");
  EXPECT_LT(window.network().ComponentCount(), 9720u);
  EXPECT_EQ(testing::CheckNetwork(window.network()), "");

  // Closing the main window mid-run asks first; the run stops once the
  // answer is Discard.
  window.generate();
  dialogs.expectChoice(QStringLiteral("WARNING"),
                       QStringLiteral("These reaction networks have changes that were not saved:\n\n  hexadecane (being "
                                      "generated)\n\nSave them before the program ends?"),
                       {QStringLiteral("Save all"), QStringLiteral("Discard"), QStringLiteral("Cancel")}, 0, 2, 1);
  manager->close();
  EXPECT_EQ(manager->windowCount(), 0u);
  context.AfterGeneratedComponent = nullptr;
}

// Save as asks for the file, before overwriting and for the note; the file
// is written on a worker, and the window then carries the file's name and
// no mark of changes. Save writes to that file without a question.
TEST_F(NetworkWindow, SaveAsAsksSaveWritesToTheFileItHas) {
  auto window = makeWindow();
  testing::AddFeed(window->network(), testing::LinearAlkane(2));
  window->editNetwork(QStringLiteral("Rename component"), [](TReactionNetwork& network) {
    network.Component(4)->Name = "ethane";
    return true;
  });
  EXPECT_TRUE(window->isWindowModified());
  const QString path = file(QStringLiteral("kept.rnw"));
  testing::WriteFile(path, "previous content");
  const QString question = QStringLiteral("The file, you have chosen, exists. Are you sure to rewrite it?");
  const QString longNote(256, QLatin1Char('n'));
  dialogs.expectSaveFile(kSaveFilter, path)
      .expectQuestion(QStringLiteral("WARNING"), question, false)
      .expectSaveFile(kSaveFilter, path)
      .expectQuestion(QStringLiteral("WARNING"), question, true)
      .expectInput(kNoteCaption, kNotePrompt, QString(), longNote)
      .expectMessage(QStringLiteral("WARNING"), QStringLiteral("The note is longer than 255 bytes. Shorten it, please."))
      .expectInput(kNoteCaption, kNotePrompt, longNote, QStringLiteral("my note"));
  testing::ClickButton(*window, QStringLiteral("Save reaction network to file"));
  EXPECT_EQ(testing::ReadFile(path), "previous content");
  testing::ClickButton(*window, QStringLiteral("Save reaction network to file"));
  waitForTask(*window);
  TReactionNetwork loaded;
  EXPECT_EQ(LoadNetworkFile(path.toStdString(), loaded)->Note, "my note");
  EXPECT_EQ(window->windowTitle(), "Reaction Network Window: test - kept.rnw[*]");
  EXPECT_FALSE(window->isWindowModified());

  window->editNetwork(QStringLiteral("Rename component"), [](TReactionNetwork& network) {
    network.Component(4)->Name = "C2H6";
    return true;
  });
  EXPECT_TRUE(window->isWindowModified());
  testing::TriggerAction(*window, QStringLiteral("Save"));  // Ctrl+S: no question
  waitForTask(*window);
  ASSERT_EQ(LoadNetworkFile(path.toStdString(), loaded)->Note, "my note");
  EXPECT_EQ(loaded.Component(4)->Name, "C2H6");
  EXPECT_FALSE(window->isWindowModified());
}

// A save runs on a worker: held at its first report of progress, the window
// goes on answering (its timers tick, a click waiting in the event queue is
// handled), the strip below the pages shows how far the save is, and Cancel
// ends it with the previous file as it was and nothing beside it.
TEST_F(NetworkWindow, ASaveHeldMidwayLeavesTheWindowAnsweringAndCancelKeepsThePreviousFile) {
  testing::Gate gate;
  context.AfterTaskProgress = gate.hook();
  auto window = makeWindow();
  testing::AddFeed(window->network(), testing::LinearAlkane(10));
  window->network().Generate();
  // The writer reports at its first record, then every 1024.
  const std::size_t records = window->network().ComponentCount() + window->network().ReactionCount();
  const QString path = file(QStringLiteral("kept.rnw"));
  testing::WriteFile(path, "previous content");
  dialogs.expectSaveFile(kSaveFilter, path)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The file, you have chosen, exists. Are you sure to rewrite it?"), true)
      .expectInput(kNoteCaption, kNotePrompt, QString(), QStringLiteral("held"));
  int ticks = 0;
  QTimer ticker;
  ticker.setInterval(10);
  QObject::connect(&ticker, &QTimer::timeout, [&ticks] { ++ticks; });
  ticker.start();

  testing::ClickButton(*window, QStringLiteral("Save reaction network to file"));
  gate.waitUntilReached();
  auto* tabs = window->centralWidget()->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
  auto* tabBar = tabs->tabBar();
  const QPoint tab = tabBar->tabRect(1).center();
  QCoreApplication::postEvent(tabBar, new QMouseEvent(QEvent::MouseButtonPress, tab, tabBar->mapToGlobal(tab),
                                                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
  QCoreApplication::postEvent(tabBar, new QMouseEvent(QEvent::MouseButtonRelease, tab, tabBar->mapToGlobal(tab),
                                                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
  const QString shown = QStringLiteral("Save reaction network to file: 1 / %1").arg(records);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 3 && FieldText(*window, "taskText") == shown; }, 30000))
      << ticks << " ticks, strip " << FieldText(*window, "taskText").toStdString();
  EXPECT_EQ(tabs->currentIndex(), 1);
  auto* bar = window->findChild<QProgressBar*>(QStringLiteral("taskProgress"));
  EXPECT_EQ(std::pair(bar->value(), bar->maximum()), std::pair(1, static_cast<int>(records)));
  EXPECT_TRUE(window->isBusy());
  SaveScreenshot(*window, QStringLiteral("network_window_saving"));

  QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("taskCancel")), Qt::LeftButton);
  gate.release();
  waitForTask(*window);
  EXPECT_TRUE(dialogs.finished());  // a cancelled save says nothing
  EXPECT_EQ(testing::ReadFile(path), "previous content");
  EXPECT_EQ(QDir(file(QString())).entryList({QStringLiteral("kept.rnw*")}, QDir::Files | QDir::Hidden),
            QStringList{QStringLiteral("kept.rnw")});
  EXPECT_EQ(window->windowTitle(), "Reaction Network Window: test[*]");
  EXPECT_FALSE(window->findChild<QWidget*>(QStringLiteral("taskStrip"))->isVisibleTo(window.get()));
  context.AfterTaskProgress = nullptr;
}

// The graph export runs on a worker with its progress below the pages;
// meanwhile the network refuses every other command (a second run, erasing
// its window) instead of freeing the network under the export, as the
// export's nested event loop once let them.
TEST_F(NetworkWindow, GraphExportRunsOnAWorkerAndHoldsTheNetwork) {
  auto manager = startManager();
  TReact_Net_Wind& window = testing::NewWindow(dialogs, *manager, QStringLiteral("ethane"));
  const auto loaded =
      LoadNetworkFile(SharedTestFile(QStringLiteral("networks/ethane.rnw")).toStdString(), window.network());
  ASSERT_TRUE(loaded && loaded->Damage == kNetworkFileRead);
  const QString graph = file(QStringLiteral("ethane.dot"));
  const QString busy = QStringLiteral(
      "The reaction network is busy with \"Export graph of reaction network\". Wait until it ends, or cancel it, "
      "before you work with this network.");
  dialogs.expectSaveFile(QString(), graph)
      .expectQuestion(QStringLiteral("Warning"), QString::fromStdString(GraphFolderQuestion(graph.toStdString())), true)
      .expectQuestion(QString(), QStringLiteral("Would you like to remove hydrogen radical from the scheme?"), true)
      .expectMessage(QStringLiteral("WARNING"), busy)
      .expectMessage(QStringLiteral("WARNING"),
                     QStringLiteral("Reaction network \"ethane\" is busy with \"Export graph of reaction network\". "
                                    "Wait until it ends, or cancel it, before you erase it."));
  window.exportGraph();
  // The task's end reaches the window through the event loop, which has
  // not run yet: the network is still held.
  ASSERT_TRUE(window.isBusy());
  EXPECT_TRUE(window.findChild<QWidget*>(QStringLiteral("taskStrip"))->isVisibleTo(&window));
  EXPECT_FALSE(window.componentsPage()->isEnabled());
  SaveScreenshot(window, QStringLiteral("network_window_exporting"));
  // F5 and the menu are disabled; the command refuses in code too.
  window.generate();
  manager->windowList()->setCurrentRow(0);
  manager->ereaseSelected();
  EXPECT_EQ(manager->windowCount(), 1u);
  EXPECT_FALSE(window.isGenerating());

  waitForTask(window);
  EXPECT_TRUE(QFile::exists(file(QStringLiteral("pict_4.png"))));
  EXPECT_FALSE(QFile::exists(file(QStringLiteral("pict_0.png"))));  // the hydrogen atom
  EXPECT_TRUE(QFile::exists(graph));
  EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("taskStrip"))->isVisibleTo(&window));
  EXPECT_TRUE(window.componentsPage()->isEnabled());

  // Quitting while an export runs names it: Cancel lets it go on, Discard
  // ends it without a word.
  dialogs.expectSaveFile(QString(), graph)
      .expectQuestion(QStringLiteral("Warning"), QString::fromStdString(GraphFolderQuestion(graph.toStdString())), true)
      .expectQuestion(QString(), QStringLiteral("Would you like to remove hydrogen radical from the scheme?"), false);
  window.exportGraph();
  const QString quit = QStringLiteral(
      "These reaction networks have changes that were not saved, or work under way:\n\n  ethane (busy with \"Export "
      "graph of reaction network\")\n\nSave them before the program ends?");
  const QStringList buttons{QStringLiteral("Save all"), QStringLiteral("Discard"), QStringLiteral("Cancel")};
  dialogs.expectChoice(QStringLiteral("WARNING"), quit, buttons, 0, 2, 2)
      .expectChoice(QStringLiteral("WARNING"), quit, buttons, 0, 2, 1);
  EXPECT_FALSE(manager->close());
  EXPECT_TRUE(window.isBusy());
  EXPECT_TRUE(manager->close());
  EXPECT_EQ(manager->windowCount(), 0u);
}

// Edits are undone and redone step by step from the Edit menu, whose items
// name the step; the window's mark follows whether the network is the
// saved one.
TEST_F(NetworkWindow, EditMenuUndoesAndRedoesRemovals) {
  auto window = makeWindow();
  testing::AddFeed(window->network(), testing::LinearAlkane(4));
  testing::AddFeed(window->network(), "C C C; 0-1 1=2");
  window->network().Generate();
  const std::size_t components = window->network().ComponentCount();
  testing::ShowPage(*window, window->componentsPage());
  testing::SelectRow(*window->componentsPage()->list(), 4);
  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("Action will remove all realted components and reactions, continue?"), true);
  testing::ClickButton(*window, QStringLiteral("Remove component"));
  const std::size_t afterRemoval = window->network().ComponentCount();
  EXPECT_LT(afterRemoval, components);
  EXPECT_TRUE(window->isWindowModified());

  testing::TriggerAction(*window, QStringLiteral("Undo Remove component"));
  EXPECT_EQ(window->network().ComponentCount(), components);
  EXPECT_EQ(testing::Lines(*window->componentsPage()->list()).size(), static_cast<qsizetype>(components));
  EXPECT_FALSE(window->isWindowModified());
  testing::TriggerAction(*window, QStringLiteral("Redo Remove component"));
  EXPECT_EQ(window->network().ComponentCount(), afterRemoval);
  EXPECT_EQ(testing::CheckNetwork(window->network()), "");
}

// A structure file dropped on the window is added as a feed.
TEST_F(NetworkWindow, ADroppedStructureFileBecomesAFeed) {
  auto window = makeWindow();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(SharedTestFile(QStringLiteral("structures/propane.ms")))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.get(), &drop);
  ASSERT_EQ(window->network().ComponentCount(), 5u);
  EXPECT_TRUE(window->network().IsRoot(window->network().Component(4)));
  EXPECT_EQ(window->network().Component(4)->CarbonCount(), 3);
  EXPECT_TRUE(window->isWindowModified());
}

TEST_F(NetworkWindow, RollingUpAndDownRestoresTheHeight) {
  auto window = makeWindow();
  const int height = window->height();
  QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("generatorStatusStrip")), Qt::RightButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->height() < height / 2; }, 5000));
  window->toggleRollUp();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->height() == height; }, 5000));
}

}  // namespace
}  // namespace korvane::gui
