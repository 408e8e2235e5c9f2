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

const QString kQuestion = QStringLiteral(
    "This action will add selected reaction sub-network into destination reaction network. Are you sure to contunie?");

class Fusion : public testing::GuiTest {
 protected:
  // Windows "a" and "b", each with the network generated from propane.
  void SetUp() override {
    GuiTest::SetUp();
    manager = startManager();
    for (const char* name : {"a", "b"}) {
      dialogs.expectInput(QStringLiteral("Enter window name"), QStringLiteral("Window name"),
                          QStringLiteral("RN_Window #%1").arg(manager->windowCount()), QString::fromLatin1(name));
      manager->newWindow();
      TReact_Net_Wind& window = *manager->window(manager->windowCount() - 1);
      testing::AddFeed(window.network(), testing::LinearAlkane(3));
      dialogs.expectMessage(QString(), QStringLiteral("Generation succesfully completed."));
      window.generate();
      ASSERT_TRUE(dialogs.waitUntilFinished());
    }
  }
  // From window "a": "b" checked as the only source, then "Execute fusion"
  // answered Yes, with `outcome` expected after the question.
  void fuseFromA(const std::function<void()>& outcome) {
    dialogs.expectWindow(TAdd_RN_CTRL_WIN::kCaption, [&](QDialog& dialog) {
      auto* destination = Named<QComboBox>(dialog, "destination");
      EXPECT_EQ(destination->currentText(), "a");
      destination->setCurrentIndex(1);
      EXPECT_EQ(Named<QListWidget>(dialog, "sources")->item(0)->text(), "a");
      destination->setCurrentIndex(0);
      EXPECT_EQ(Named<QLabel>(dialog, "reactionCount")->text(),
                QString::number(manager->window(0)->network().ReactionCount()));
      testing::SaveScreenshot(dialog, QStringLiteral("fusion_window"));
      Named<QTabWidget>(dialog, "pages")->setCurrentIndex(1);
      auto* sources = Named<QListWidget>(dialog, "sources");
      EXPECT_EQ(sources->count(), 1);  // not the destination
      sources->item(0)->setCheckState(Qt::Checked);
      testing::SaveScreenshot(dialog, QStringLiteral("fusion_window_sources"));
      dialogs.expectQuestion(QStringLiteral("WARNING"), kQuestion, true);
      outcome();
      Named<QPushButton>(dialog, "executeFusion")->click();
      return QDialog::Rejected;
    });
    for (QPushButton* button : manager->window(0)->findChildren<QPushButton*>())
      if (button->text() == "Add sub- (reaction network)") button->click();
    EXPECT_TRUE(dialogs.finished());
  }

  std::unique_ptr<TGen_Wind_Manager> manager;
};

TEST_F(Fusion, TwoNetworksOfTheSameFeedAddNothingAndSaySo) {
  const TReactionNetwork& destination = manager->window(0)->network();
  const std::size_t components = destination.ComponentCount(), reactions = destination.ReactionCount();
  fuseFromA([&] {
    dialogs.expectMessage(QString(), QStringLiteral("Fusion of reaction network(s) was succesfully finished.\n\n"
                                                    "Components added: 0, reactions added: 0."));
  });
  EXPECT_EQ(destination.ComponentCount(), components);
  EXPECT_EQ(destination.ReactionCount(), reactions);
  EXPECT_EQ(testing::CheckNetwork(destination), "");
}

TEST_F(Fusion, ASourceThatIsGeneratingIsRefused) {
  TReact_Net_Wind& source = *manager->window(1);
  testing::AddFeed(source.network(), testing::LinearAlkane(16));
  source.generate();
  const std::size_t components = manager->window(0)->network().ComponentCount();
  fuseFromA([&] {
    dialogs.expectMessage(QStringLiteral("WARNING"),
                          QStringLiteral("The reaction network is being generated. Wait until the generation ends, or "
                                         "stop it, before you work with this network."));
  });
  EXPECT_EQ(manager->window(0)->network().ComponentCount(), components);
  dialogs.expectMessageContaining(QString(), QStringLiteral("Generation was stopped."));
  source.stopGeneration();
  ASSERT_TRUE(dialogs.waitUntilFinished());
}

}  // namespace
}  // namespace korvane::gui
