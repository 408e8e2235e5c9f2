#include "gui/fusion_window.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>

#include "gui/network_window.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::Named;

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
        .expectQuestion(QStringLiteral("WARNING"),
                        QStringLiteral("This action will add selected reaction sub-network into destination reaction "
                                       "network. Are you sure to contunie?"),
                        true)
        .expectMessage(QStringLiteral("WARNING"),
                       QStringLiteral("The reaction network is being generated. Wait until the generation ends, or "
                                      "stop it, before you work with this network."));
    Named<QPushButton>(dialog, "executeFusion")->click();
    return QDialog::Rejected;
  });
  testing::ClickButton(destination, QStringLiteral("Add sub- (reaction network)"));
  EXPECT_TRUE(dialogs.finished());
  EXPECT_EQ(destination.network().ComponentCount(), components);
  dialogs.expectMessageContaining(QString(), QStringLiteral("Generation was stopped."));
  source.stopGeneration();
  ASSERT_TRUE(dialogs.waitUntilFinished());
}

}  // namespace
}  // namespace korvane::gui
