#include "gui/network_window.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "app/graph_export.h"
#include "app/network_file.h"
#include "gui/components_page.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::Captioned;
using testing::FieldText;
using testing::SaveScreenshot;
using testing::SharedTestFile;

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
};

TEST_F(NetworkWindow, ApplyReadsAndChecksEveryFieldBeforeTheNetworkChanges) {
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

  setField(*window, "minSelectivity", "0,02");
  window->findChild<QSpinBox*>(QStringLiteral("componentLimit"))->setValue(777);
  window->findChild<QSpinBox*>(QStringLiteral("threads"))->setValue(3);
  window->applyChanges();
  EXPECT_EQ(window->network().GetPreferences(), (TNetworkPreferences{1100, 250, 310, 190, 0.02}));
  EXPECT_EQ(window->network().ComponentLimit(), 777u);
  EXPECT_EQ(window->network().ThreadCount(), 3u);
}

TEST_F(NetworkWindow, GenerationRunsOnItsThreadAndThePollReportsTheEnd) {
  auto window = makeWindow();
  testing::AddFeed(window->network(), testing::LinearAlkane(6));

  dialogs.expectMessage(QStringLiteral("WARNING"),
                        QStringLiteral("The reaction network is being generated. Wait until the generation ends, or "
                                       "stop it, before you work with this network."))
      .expectMessage(QString(), QStringLiteral("Generation succesfully completed."));
  window->generate();
  EXPECT_TRUE(window->isGenerating());
  EXPECT_FALSE(window->componentsPage()->isEnabled());
  EXPECT_EQ(FieldText(*window, "generatorStatus"), "Ready...");
  EXPECT_EQ(window->networkForCommand(), nullptr);
  ASSERT_TRUE(dialogs.waitUntilFinished());

  const TReactionNetwork& network = window->network();
  EXPECT_EQ(network.ComponentCount(), 52u);
  EXPECT_EQ(network.ReactionCount(), 78u);
  EXPECT_EQ(FieldText(*window, "actualComponent"),
            QStringLiteral("%1 / %1").arg(network.ProgressLast.load()));
  EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 1000);
  EXPECT_EQ(FieldText(*window, "status"), "In progress...");
  EXPECT_TRUE(Captioned(*window, QStringLiteral("Save reaction network to file"))->isEnabled());
  EXPECT_TRUE(window->componentsPage()->isEnabled());
  SaveScreenshot(*window, QStringLiteral("network_window_after_run"));

  auto* timer = window->findChild<QTimer*>(QStringLiteral("pollTimer"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !timer->isActive(); }, 2000));
  auto* status = window->findChild<QLabel*>(QStringLiteral("status"));
  EXPECT_EQ(status->text(), "N/A");
  EXPECT_EQ(status->palette().color(QPalette::WindowText), QColor(Qt::blue));
}

// A run can be stopped; meanwhile every command on the network is refused,
// also erasing its window; closing the program stops it too.
TEST_F(NetworkWindow, StopEndsAHexadecaneRunWithAConsistentNetwork) {
  auto manager = startManager();
  TReact_Net_Wind& window = testing::NewWindow(dialogs, *manager, QStringLiteral("hexadecane"));
  testing::AddFeed(window.network(), testing::LinearAlkane(16));
  window.generate();
  QTest::qWait(600);
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

  dialogs.expectMessageContaining(QString(), QStringLiteral("Generation was stopped."));
  window.stopGeneration();
  ASSERT_TRUE(dialogs.waitUntilFinished(10000));
  EXPECT_LT(window.network().ComponentCount(), 9720u);
  EXPECT_EQ(testing::CheckNetwork(window.network()), "");

  // Closing the main window mid-run stops the run before its network goes.
  window.generate();
  manager->close();
  EXPECT_EQ(manager->windowCount(), 0u);
}

// Saving and the graph export as the desktop scenario does them, with the
// answers it does not give.
TEST_F(NetworkWindow, SaveAsksBeforeOverwritingAndRefusesALongNoteGraphExportDropsTheHydrogenAtom) {
  auto window = makeWindow();
  ASSERT_EQ(LoadNetworkFile(SharedTestFile(QStringLiteral("networks/ethane.rnw")).toStdString(), window->network())
                .Damage,
            kNetworkFileRead);
  const QString path = file(QStringLiteral("kept.rnw"));
  testing::WriteFile(path, "previous content");
  const QString filter = QStringLiteral("Reaction Network Files|*.rnw");
  const QString question = QStringLiteral("The file, you have chosen, exists. Are you sure to rewrite it?");
  const QString caption = QStringLiteral("Advanced infromation"), prompt = QStringLiteral("Note that will be saved to file");
  const QString longNote(256, QLatin1Char('n'));
  dialogs.expectSaveFile(filter, path)
      .expectQuestion(QStringLiteral("WARNING"), question, false)
      .expectSaveFile(filter, path)
      .expectQuestion(QStringLiteral("WARNING"), question, true)
      .expectInput(caption, prompt, QString(), longNote)
      .expectMessage(QStringLiteral("WARNING"), QStringLiteral("The note is longer than 255 bytes. Shorten it, please."))
      .expectInput(caption, prompt, longNote, QStringLiteral("my note"));
  window->saveToFile();
  EXPECT_EQ(testing::ReadFile(path), "previous content");
  window->saveToFile();
  TReactionNetwork loaded;
  EXPECT_EQ(LoadNetworkFile(path.toStdString(), loaded).Note, "my note");

  const QString graph = file(QStringLiteral("ethane.dot"));
  dialogs.expectSaveFile(QString(), graph)
      .expectQuestion(QStringLiteral("Warning"), QString::fromStdString(GraphFolderQuestion(graph.toStdString())), true)
      .expectQuestion(QString(), QStringLiteral("Would you like to remove hydrogen radical from the scheme?"), true);
  window->exportGraph();
  EXPECT_TRUE(QFile::exists(file(QStringLiteral("pict_4.png"))));
  EXPECT_FALSE(QFile::exists(file(QStringLiteral("pict_0.png"))));  // the hydrogen atom
}

TEST_F(NetworkWindow, RollingUpAndDownRestoresTheHeight) {
  auto window = makeWindow();
  const int height = window->height();
  QTest::mouseClick(window->findChild<QWidget*>(QStringLiteral("generatorStatusStrip")), Qt::RightButton);
  EXPECT_LT(window->height(), height / 2);
  window->toggleRollUp();
  EXPECT_EQ(window->height(), height);
}

}  // namespace
}  // namespace korvane::gui
