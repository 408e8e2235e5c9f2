#include "gui/manual_reaction_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "gui/network_window.h"
#include "gui/reactions_page.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "network_checks.h"
#include "reactions/recipes.h"

namespace korvane::gui {
namespace {

using testing::Named;
using testing::SaveScreenshot;

const QString kIntegrityQuestion = QStringLiteral(
    "Would you like to re-calculate selectivity and next information to check integrity of reaction network?");

void Type(QWidget& dialog, const char* field, const char* text) {
  auto* edit = Named<QLineEdit>(dialog, field);
  edit->clear();
  QTest::keyClicks(edit, QString::fromLatin1(text));
}

void Click(QWidget& dialog, const char* button) { Named<QPushButton>(dialog, button)->click(); }

// Components 4 ethane and 5 methyl, for ethane -> 2 methyl.
class ManualReactionWindow : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window = std::make_unique<TReact_Net_Wind>(context, QStringLiteral("test"), std::make_unique<TReactionNetwork>());
    testing::AddFeed(window->network(), "C C; 0-1");
    testing::AddFeed(window->network(), "C.");
    window->show();
  }

  std::unique_ptr<TReact_Net_Wind> window;
};

// Ethane -> 2 methyl of class 10 with a small activation energy, on every
// page: fields keep their signs, the lists follow the class, and the warning
// waits for the user's word.
int ConstructScissionWithWarning(QDialog& dialog) {
  EXPECT_EQ(Named<QComboBox>(dialog, "reactionType")->currentText(), "ReT_Other");
  EXPECT_FALSE(Named<QComboBox>(dialog, "componentB")->isEnabled());
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_general"));
  auto* energies = Named<QListWidget>(dialog, "energyList");
  EXPECT_EQ(energies->count(), kKineticParameterCount);
  Named<QComboBox>(dialog, "reactionType")->setCurrentText(QStringLiteral("ReT_Other2"));
  EXPECT_EQ(energies->count(), kAlternativeParameterCount);
  EXPECT_EQ(energies->item(255)->text(), "p[255]");  // no file read: the default notes
  auto* pages = Named<QTabWidget>(dialog, "pages");
  pages->setCurrentIndex(2);
  EXPECT_TRUE(energies->isEnabled());  // class 11 chooses from the lists
  pages->setCurrentIndex(0);
  Named<QComboBox>(dialog, "reactionType")->setCurrentText(QStringLiteral("ReT_Other"));
  Named<QSpinBox>(dialog, "productCount")->setValue(2);

  Named<QComboBox>(dialog, "componentA")->setCurrentIndex(4);
  Named<QComboBox>(dialog, "componentC")->setCurrentIndex(5);
  Named<QComboBox>(dialog, "componentD")->setCurrentIndex(5);
  Type(dialog, "coefficientA", "x2");  // "x" is not a key of the field; a reactant's sign is added
  EXPECT_EQ(Named<QLineEdit>(dialog, "coefficientA")->text(), "-2");
  Type(dialog, "coefficientA", "1");
  pages->setCurrentIndex(1);
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_components"));

  pages->setCurrentIndex(2);  // class 10: explicit parameters
  EXPECT_FALSE(energies->isEnabled());
  Type(dialog, "frequencyFactor", "2E13");
  Type(dialog, "activationEnergy", "200");
  EXPECT_EQ(Named<QLabel>(dialog, "rateConstant")->text(), NumberText(RateConstant(2e13, 200, 1050)));
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_kinetic"));

  Click(dialog, "ok");
  EXPECT_EQ(pages->currentIndex(), 3);  // the report, with the warning
  EXPECT_FALSE(Named<QPushButton>(dialog, "ok")->isVisible());
  EXPECT_FALSE(pages->widget(2)->isEnabled());
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_status"));
  Click(dialog, "doSameChanges");
  EXPECT_TRUE(pages->widget(2)->isEnabled());
  EXPECT_FALSE(Named<QPushButton>(dialog, "acceptWithWarning")->isVisible());
  Click(dialog, "ok");
  Click(dialog, "acceptWithWarning");
  return dialog.result();
}

TEST_F(ManualReactionWindow, AddMunallyWaitsForWarningsToBeAcceptedThenAsks) {
  dialogs.expectWindow(TManual_ReactConstr::kCaption, [](QDialog&) { return QDialog::Rejected; })
      .expectMessage(QString(), QStringLiteral("Reaction will not be added."));
  Click(*window, "addMunally");

  dialogs.expectWindow(TManual_ReactConstr::kCaption, ConstructScissionWithWarning)
      .expectQuestion(QString(), QStringLiteral("Are you sure to add specified reaction to reaction network?"), true)
      .expectQuestion(QString(), kIntegrityQuestion, true);
  Click(*window, "addMunally");
  EXPECT_TRUE(dialogs.finished());
  const TReactionNetwork& network = window->network();
  ASSERT_EQ(network.ReactionCount(), 1u);
  EXPECT_EQ(network.Reaction(0)->ReactionType, kOtherReaction);
  EXPECT_EQ(network.Reaction(0)->ActEnergy, 200.0);
  EXPECT_EQ(network.Reaction(0)->ProductCoefs, (TIntVector{1, 1}));
  EXPECT_EQ(network.Reaction(0)->SelectivityAfterFilter, 1.0);  // computed on the integrity question
  EXPECT_EQ(testing::CheckNetwork(network), "");
  EXPECT_EQ(window->reactionsPage()->list()->model()->rowCount(), 1);
}

// Ethane -> 2 methyl, a beta-scission with the recipes (1) and (9, 15), made
// three times as much: the recipes come back from the dialog's lists.
TEST_F(ManualReactionWindow, EditActualChangesTheSelectedReactionInPlace) {
  TReactionNetwork& network = window->network();
  TReaction scission;
  scission.AddReactant(network.Component(4), -1);
  scission.AddProduct(network.Component(5), 1);
  scission.AddProduct(network.Component(5), 1);
  scission.SetParameters(kBetaScission, 130.0, 1e14);
  scission.FreqFact2 = {char(kA_BetaSc_CC)};
  scission.ActEnerg2 = {char(kE_BetaSc_DoubleAlfa), char(kE_BetaSc_CC_1subst)};
  window->reactionsPage()->addReactionCopy(scission);
  QListView* list = window->reactionsPage()->list();
  list->setCurrentIndex(list->model()->index(0, 0));

  dialogs
      .expectWindow(TManual_ReactConstr::kCaption,
                    [](QDialog& dialog) {
                      for (const char* field : {"coefficientA", "coefficientC", "coefficientD"})
                        Type(dialog, field, "3");
                      Click(dialog, "ok");  // no warning: accepted at once
                      return dialog.result();
                    })
      .expectQuestion(QString(), QStringLiteral("Are you sure to apply changes?"), true)
      .expectQuestion(QString(), kIntegrityQuestion, false);
  Click(*window, "editActual");
  EXPECT_TRUE(dialogs.finished());

  ASSERT_EQ(network.ReactionCount(), 1u);
  const TReaction& after = *network.Reaction(0);
  EXPECT_EQ(after.ReactantCoefs, TIntVector{-3});
  EXPECT_EQ(after.ProductCoefs, (TIntVector{3, 3}));
  EXPECT_EQ(after.ReactionType, kBetaScission);
  EXPECT_EQ(after.ActEnergy, 130.0);
  EXPECT_EQ(after.FreqFact2, scission.FreqFact2);
  EXPECT_EQ(after.ActEnerg2, (std::string{char(kE_BetaSc_CC_1subst), char(kE_BetaSc_DoubleAlfa)}));  // list order
  EXPECT_EQ(testing::CheckNetwork(network), "");

  // Values entered explicitly become the scission's own kinetics, and the
  // dialog shows them again when it reopens.
  dialogs
      .expectWindow(TManual_ReactConstr::kCaption,
                    [](QDialog& dialog) {
                      Named<QTabWidget>(dialog, "pages")->setCurrentIndex(2);
                      testing::Captioned<QRadioButton>(dialog, QStringLiteral("Enter parameters explicitly"))->click();
                      Type(dialog, "frequencyFactor", "3E13");
                      Type(dialog, "activationEnergy", "230");
                      Click(dialog, "ok");
                      return dialog.result();
                    })
      .expectQuestion(QString(), QStringLiteral("Are you sure to apply changes?"), true)
      .expectQuestion(QString(), kIntegrityQuestion, false)
      .expectWindow(TManual_ReactConstr::kCaption,
                    [](QDialog& dialog) {
                      Named<QTabWidget>(dialog, "pages")->setCurrentIndex(2);
                      EXPECT_TRUE(testing::Captioned<QRadioButton>(dialog, QStringLiteral("Enter parameters explicitly"))
                                      ->isChecked());
                      EXPECT_EQ(Named<QLineEdit>(dialog, "activationEnergy")->text(), "230");
                      return int(QDialog::Rejected);
                    })
      .expectMessage(QString(), QStringLiteral("Changes will not be aplicated."));
  Click(*window, "editActual");
  EXPECT_TRUE(after.ExplicitKinetics);
  EXPECT_EQ(after.ActEnergy, 230.0);
  EXPECT_EQ(after.ReactionType, kBetaScission);
  Click(*window, "editActual");
  EXPECT_TRUE(dialogs.finished());
}

}  // namespace
}  // namespace korvane::gui
