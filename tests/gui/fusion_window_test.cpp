#include "gui/fusion_window.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "gui/network_window.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

const QString kQuestion = QStringLiteral(
    "This action will add selected reaction sub-network into destination reaction network. Are you sure to contunie?");
const QString kGenerating = QStringLiteral(
    "The reaction network is being generated. Wait until the generation ends, or stop it, before you work with this "
    "network.");

QPushButton* Button(const QWidget& window, const QString& caption) {
  for (QPushButton* each : window.findChildren<QPushButton*>())
    if (each->text() == caption) return each;
  return nullptr;
}

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
  // Opens the fusion window from window "a" with "b" checked as the source.
  void fuseFromA(const std::function<void(QDialog&)>& afterChecking) {
    dialogs.expectWindow(TAdd_RN_CTRL_WIN::kCaption, [&](QDialog& dialog) {
      auto* sources = dialog.findChild<QListWidget*>(QStringLiteral("sources"));
      EXPECT_EQ(sources->count(), 1);
      sources->item(0)->setCheckState(Qt::Checked);
      afterChecking(dialog);
      return QDialog::Rejected;
    });
    Button(*manager->window(0), QStringLiteral("Add sub- (reaction network)"))->click();
    EXPECT_TRUE(dialogs.finished());
  }

  std::unique_ptr<TGen_Wind_Manager> manager;
};

TEST_F(Fusion, TwoNetworksOfTheSameFeedAddNothingAndSaySo) {
  const TReactionNetwork& destination = manager->window(0)->network();
  const std::size_t components = destination.ComponentCount(), reactions = destination.ReactionCount();
  fuseFromA([&](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QComboBox*>(QStringLiteral("destination"))->currentText(), "a");
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("reactionCount"))->text(), QString::number(reactions));
    testing::SaveScreenshot(dialog, QStringLiteral("fusion_window"));
    dialogs.expectQuestion(QStringLiteral("WARNING"), kQuestion, true)
        .expectMessage(QString(), QStringLiteral("Fusion of reaction network(s) was succesfully finished.\n\n"
                                                 "Components added: 0, reactions added: 0."));
    Button(dialog, QStringLiteral("Execute fusion"))->click();
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
  fuseFromA([&](QDialog& dialog) {
    dialogs.expectQuestion(QStringLiteral("WARNING"), kQuestion, true)
        .expectMessage(QStringLiteral("WARNING"), kGenerating);
    Button(dialog, QStringLiteral("Execute fusion"))->click();
  });
  EXPECT_EQ(manager->window(0)->network().ComponentCount(), components);
  dialogs.expectMessageContaining(QString(), QStringLiteral("Generation was stopped."));
  source.stopGeneration();
  ASSERT_TRUE(dialogs.waitUntilFinished());
}

}  // namespace
}  // namespace korvane::gui
