#include "gui/fusion_window.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "gui/network_window.h"
#include "gate.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::Named;

const QString kQuestion = QStringLiteral(
    "This action will add selected reaction sub-network into destination reaction network. Are you sure to "
    "contunie?");

using Fusion = testing::GuiTest;

// The fusion of two finished networks is the desktop scenario's; here, from
// window "a", the window's lists and a source that is still generating.
TEST_F(Fusion, ListsTheOtherWindowsAndRefusesASourceThatIsGenerating) {
  auto manager = startManager();
  TReact_Net_Wind& destination = testing::NewWindow(dialogs, *manager, QStringLiteral("a"));
  testing::AddFeed(destination.network(), testing::LinearAlkane(3));
  destination.network().Generate();
  TReact_Net_Wind& source = testing::NewWindow(dialogs, *manager, QStringLiteral("b"));
  testing::AddFeed(source.network(), testing::LinearAlkane(16));
  source.generate();
  const std::size_t components = destination.network().ComponentCount();

  dialogs.expectWindow(TAdd_RN_CTRL_WIN::kCaption, [&](QDialog& dialog) {
    auto* choice = Named<QComboBox>(dialog, "destination");
    EXPECT_EQ(choice->currentText(), "a");
    choice->setCurrentIndex(1);
    EXPECT_EQ(Named<QListWidget>(dialog, "sources")->item(0)->text(), "a");
    choice->setCurrentIndex(0);
    EXPECT_EQ(Named<QLabel>(dialog, "reactionCount")->text(), QString::number(destination.network().ReactionCount()));
    testing::SaveScreenshot(dialog, QStringLiteral("fusion_window"));
    Named<QTabWidget>(dialog, "pages")->setCurrentIndex(1);
    auto* sources = Named<QListWidget>(dialog, "sources");
    EXPECT_EQ(sources->count(), 1);  // not the destination
    sources->item(0)->setCheckState(Qt::Checked);
    testing::SaveScreenshot(dialog, QStringLiteral("fusion_window_sources"));
    dialogs
        .expectQuestion(QStringLiteral("WARNING"), kQuestion, true)
        .expectMessage(QStringLiteral("WARNING"),
                       QStringLiteral("The reaction network is being generated. Wait until the generation ends, or "
                                      "stop it, before you work with this network."));
    Named<QPushButton>(dialog, "executeFusion")->click();
    return QDialog::Rejected;
  });
  testing::ClickButton(destination, QStringLiteral("Add sub- (reaction network)"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(destination.network().ComponentCount(), components);
  dialogs.expectMessageContaining(QStringLiteral("Reaction network \"b\""), QStringLiteral("Generation was stopped."));
  source.stopGeneration();
  ASSERT_TRUE(dialogs.waitUntilFinished());
}

// The fusion runs on a worker under the leases of the networks it involves:
// held at its first report, the dialog shows how far it is and stays open,
// both windows refuse their commands; Cancel leaves the destination as it was
// without a word, and executing again fuses and reports what was added.
TEST_F(Fusion, RunsOnAWorkerAndCancelLeavesTheDestinationAsItWas) {
  testing::Gate gate;
  context.AfterTaskProgress = gate.hook();
  auto manager = startManager();
  TReact_Net_Wind& destination = testing::NewWindow(dialogs, *manager, QStringLiteral("a"));
  TReactionNetwork unchanged, fused;
  for (TReactionNetwork* network : {&destination.network(), &unchanged, &fused}) {
    testing::AddFeed(*network, testing::LinearAlkane(3));
    network->Generate();
  }
  TReact_Net_Wind& source = testing::NewWindow(dialogs, *manager, QStringLiteral("b"));
  testing::AddFeed(source.network(), testing::LinearAlkane(6));
  source.network().Generate();
  const std::size_t components = fused.ComponentCount(), reactions = fused.ReactionCount();
  fused.Fuse({&source.network()});
  const std::size_t records = source.network().ComponentCount() + source.network().ReactionCount();
  ASSERT_GT(records, 128u);  // the fusion reports every 64 records

  dialogs.expectWindow(TAdd_RN_CTRL_WIN::kCaption, [&](QDialog& dialog) {
    Named<QListWidget>(dialog, "sources")->item(0)->setCheckState(Qt::Checked);
    dialogs.expectQuestion(QStringLiteral("WARNING"), kQuestion, true);
    Named<QPushButton>(dialog, "executeFusion")->click();
    gate.waitUntilReached();
    const QString shown = QStringLiteral("Fusion: 64 / %1").arg(records);
    EXPECT_TRUE(QTest::qWaitFor([&] { return testing::FieldText(dialog, "taskText") == shown; }, 30000))
        << testing::FieldText(dialog, "taskText").toStdString();
    EXPECT_FALSE(Named<QPushButton>(dialog, "executeFusion")->isEnabled());
    // The source's component page, first shown now, is filled once the fusion ends.
    auto* sourcePages = source.centralWidget()->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly);
    sourcePages->setCurrentIndex(1);
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    for (TReact_Net_Wind* window : {&destination, &source})
      EXPECT_FALSE(testing::Captioned(*window, QStringLiteral("Generate all reactions now"))->isEnabled());
    testing::SaveScreenshot(dialog, QStringLiteral("fusion_window_fusing"));

    Named<QPushButton>(dialog, "taskCancel")->click();
    gate.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Named<QPushButton>(dialog, "executeFusion")->isEnabled(); }, 30000));
    EXPECT_EQ(testing::CompareNetworks(destination.network(), unchanged), "");
    EXPECT_FALSE(destination.session().CanUndo());
    for (TReact_Net_Wind* window : {&destination, &source})
      EXPECT_TRUE(testing::Captioned(*window, QStringLiteral("Generate all reactions now"))->isEnabled());
    EXPECT_EQ(source.findChild<QListView*>(QStringLiteral("componentList"))->model()->rowCount(),
              static_cast<int>(source.network().ComponentCount()));

    dialogs.expectQuestion(QStringLiteral("WARNING"), kQuestion, true)
        .expectMessage(QString(), QStringLiteral("Fusion of reaction network(s) was succesfully finished.\n\n"
                                                 "Components added: %1, reactions added: %2.")
                                      .arg(fused.ComponentCount() - components)
                                      .arg(fused.ReactionCount() - reactions));
    Named<QPushButton>(dialog, "executeFusion")->click();
    EXPECT_TRUE(dialogs.waitUntilFinished());
    EXPECT_EQ(Named<QLabel>(dialog, "reactionCount")->text(), QString::number(fused.ReactionCount()));
    return QDialog::Rejected;
  });
  testing::ClickButton(destination, QStringLiteral("Add sub- (reaction network)"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(testing::CompareNetworks(destination.network(), fused), "");
  EXPECT_EQ(destination.session().UndoLabel(), "Fusion");
  context.AfterTaskProgress = nullptr;
}

}  // namespace
}  // namespace korvane::gui
