#include "gui/manual_reaction_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
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
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::SaveScreenshot;

const QString kIntegrityQuestion = QStringLiteral(
    "Would you like to re-calculate selectivity and next information to check integrity of reaction network?");

template <class Widget>
Widget* Child(const QWidget& window, const char* name) {
  return window.findChild<Widget*>(QString::fromLatin1(name));
}

QPushButton* Button(const QWidget& window, const char* caption) {
  for (QPushButton* each : window.findChildren<QPushButton*>())
    if (each->text() == QLatin1String(caption)) return each;
  return nullptr;
}

void Type(QLineEdit* field, const char* text) {
  field->clear();
  QTest::keyClicks(field, QString::fromLatin1(text));
}

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
  // Ethane -> methyl + methyl with the recipes (1) and (9, 15).
  static void SpecifyScission(QDialog& dialog) {
    Child<QComboBox>(dialog, "reactionType")->setCurrentIndex(0);
    Child<QSpinBox>(dialog, "productCount")->setValue(2);
    Child<QComboBox>(dialog, "componentA")->setCurrentIndex(4);
    Child<QComboBox>(dialog, "componentC")->setCurrentIndex(5);
    Child<QComboBox>(dialog, "componentD")->setCurrentIndex(5);
    dialog.findChild<QTabWidget*>()->setCurrentIndex(2);
    Child<QListWidget>(dialog, "frequencyList")->setCurrentRow(kA_BetaSc_CC);
    auto* energies = Child<QListWidget>(dialog, "energyList");
    energies->item(kE_BetaSc_CC_1subst)->setCheckState(Qt::Checked);
    energies->item(kE_BetaSc_DoubleAlfa)->setCheckState(Qt::Checked);
  }

  std::unique_ptr<TReact_Net_Wind> window;
};

TEST_F(ManualReactionWindow, FieldsKeepSignsAndListsFollowTheClass) {
  TManual_ReactConstr dialog(context);
  TReaction reaction;
  dialog.setNetwork(&window->network());
  dialog.setReaction(&reaction);
  dialog.show();
  EXPECT_EQ(Child<QComboBox>(dialog, "reactionType")->currentText(), "ReT_Other");
  EXPECT_FALSE(Child<QComboBox>(dialog, "componentB")->isEnabled());
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_general"));

  auto* reactant = Child<QLineEdit>(dialog, "coefficientA");
  auto* product = Child<QLineEdit>(dialog, "coefficientC");
  Type(reactant, "2");
  EXPECT_EQ(reactant->text(), "-2");
  Type(product, "-1");
  EXPECT_EQ(product->text(), "1");
  Type(product, "x1");  // not a key of the field
  EXPECT_EQ(product->text(), "1");

  auto* energies = Child<QListWidget>(dialog, "energyList");
  EXPECT_EQ(energies->count(), kKineticParameterCount);
  Child<QComboBox>(dialog, "reactionType")->setCurrentText(QStringLiteral("ReT_Other2"));
  ASSERT_EQ(energies->count(), kAlternativeParameterCount);
  EXPECT_EQ(energies->item(255)->text(), "p[255]");  // no file read: the default notes
  dialog.findChild<QTabWidget*>()->setCurrentIndex(2);
  EXPECT_TRUE(energies->isEnabled());  // class 11 chooses from the lists
}

TEST_F(ManualReactionWindow, WarningsWaitForTheUsersWordOnEveryPage) {
  TManual_ReactConstr dialog(context);
  TReaction reaction;
  dialog.setNetwork(&window->network());
  dialog.setReaction(&reaction);
  dialog.show();
  SpecifyScission(dialog);
  Child<QComboBox>(dialog, "reactionType")->setCurrentText(QStringLiteral("ReT_Other"));
  auto* pages = dialog.findChild<QTabWidget*>();
  pages->setCurrentIndex(1);
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_components"));
  pages->setCurrentIndex(2);
  EXPECT_FALSE(Child<QListWidget>(dialog, "energyList")->isEnabled());  // class 10: explicit
  Type(Child<QLineEdit>(dialog, "frequencyFactor"), "2E13");
  Type(Child<QLineEdit>(dialog, "activationEnergy"), "200");
  EXPECT_EQ(Child<QLabel>(dialog, "rateConstant")->text(), NumberText(2e13 * std::exp(-200000.0 / (8.314 * 1050))));
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_kinetic"));

  Button(dialog, "OK")->click();
  EXPECT_EQ(pages->currentIndex(), 3);
  EXPECT_TRUE(Child<QPlainTextEdit>(dialog, "report")
                  ->toPlainText()
                  .endsWith(QStringLiteral("Activating energy: WARNING: Activating energy unusually small.\n"
                                           "Other checkings: OK")));
  EXPECT_FALSE(Button(dialog, "OK")->isVisible());
  EXPECT_FALSE(pages->widget(2)->isEnabled());
  SaveScreenshot(dialog, QStringLiteral("manual_reaction_status"));
  Button(dialog, "Do same changes")->click();
  EXPECT_TRUE(Button(dialog, "OK")->isVisible());
  EXPECT_FALSE(Button(dialog, "Accept with warning")->isVisible());
  EXPECT_TRUE(reaction.Reactants.empty());  // nothing accepted yet

  Button(dialog, "OK")->click();
  Button(dialog, "Accept with warning")->click();
  EXPECT_TRUE(dialog.accepted());
  EXPECT_EQ(reaction.ReactionType, kOtherReaction);
  EXPECT_EQ(reaction.ActEnergy, 200.0);
  EXPECT_EQ(reaction.ProductCoefs, (TIntVector{1, 1}));
}

TEST_F(ManualReactionWindow, AddMunallyAsksBeforeAddingAndOffersTheIntegrityCheck) {
  dialogs.expectWindow(TManual_ReactConstr::kCaption, [](QDialog&) { return QDialog::Rejected; })
      .expectMessage(QString(), QStringLiteral("Reaction will not be added."));
  Button(*window, "Add munally")->click();

  dialogs
      .expectWindow(TManual_ReactConstr::kCaption,
                    [](QDialog& dialog) {
                      SpecifyScission(dialog);
                      auto* pages = dialog.findChild<QTabWidget*>();
                      pages->setCurrentIndex(0);
                      Child<QComboBox>(dialog, "reactionType")->setCurrentText(QStringLiteral("ReT_Other"));
                      pages->setCurrentIndex(2);  // showing the page chooses explicit parameters
                      Type(Child<QLineEdit>(dialog, "frequencyFactor"), "2E13");
                      Type(Child<QLineEdit>(dialog, "activationEnergy"), "1500");
                      Button(dialog, "OK")->click();
                      Button(dialog, "Accept with warning")->click();
                      return dialog.result();
                    })
      .expectQuestion(QString(), QStringLiteral("Are you sure to add specified reaction to reaction network?"), true)
      .expectQuestion(QString(), kIntegrityQuestion, true);
  Button(*window, "Add munally")->click();
  EXPECT_TRUE(dialogs.finished());
  const TReactionNetwork& network = window->network();
  ASSERT_EQ(network.ReactionCount(), 1u);
  EXPECT_EQ(network.Reaction(0)->ActEnergy, 1500.0);
  EXPECT_EQ(network.Reaction(0)->SelectivityAfterFilter, 1.0);  // computed on the integrity question
  EXPECT_EQ(testing::CheckNetwork(network), "");
  EXPECT_EQ(window->reactionsPage()->list()->model()->rowCount(), 1);
}

TEST_F(ManualReactionWindow, EditActualChangesTheSelectedReactionInPlace) {
  testing::AddFeed(window->network(), testing::LinearAlkane(4));
  dialogs.expectMessage(QString(), QStringLiteral("Generation succesfully completed."));
  window->generate();
  ASSERT_TRUE(dialogs.waitUntilFinished());
  TReactionNetwork& network = window->network();
  // The first beta-scission of a radical into two products.
  std::size_t edited = 0;
  while (edited < network.ReactionCount() && network.Reaction(edited)->ReactionType != kBetaScission) ++edited;
  ASSERT_LT(edited, network.ReactionCount());
  const TReaction before = *network.Reaction(edited);
  ASSERT_EQ(before.Products.size(), 2u);
  QListView* list = window->reactionsPage()->list();
  list->setCurrentIndex(list->model()->index(static_cast<int>(edited), 0));

  // Three times the reaction; its recipes stay checked in the lists, so it
  // passes the check at once.
  dialogs
      .expectWindow(TManual_ReactConstr::kCaption,
                    [](QDialog& dialog) {
                      Type(Child<QLineEdit>(dialog, "coefficientA"), "3");
                      Type(Child<QLineEdit>(dialog, "coefficientC"), "3");
                      Type(Child<QLineEdit>(dialog, "coefficientD"), "3");
                      Button(dialog, "OK")->click();
                      return dialog.result();
                    })
      .expectQuestion(QString(), QStringLiteral("Are you sure to apply changes?"), true)
      .expectQuestion(QString(), kIntegrityQuestion, false);
  Button(*window, "Edit actual")->click();
  EXPECT_TRUE(dialogs.finished());

  const TReaction& after = *network.Reaction(edited);
  EXPECT_EQ(after.Reactants, before.Reactants);
  EXPECT_EQ(after.ReactantCoefs, TIntVector{-3});
  EXPECT_EQ(after.ProductCoefs, (TIntVector{3, 3}));
  EXPECT_EQ(after.ReactionType, kBetaScission);
  EXPECT_EQ(after.FreqFact2, before.FreqFact2);
  auto sorted = [](std::string recipe) {
    std::sort(recipe.begin(), recipe.end());
    return recipe;
  };
  EXPECT_EQ(sorted(after.ActEnerg2), sorted(before.ActEnerg2));
  EXPECT_EQ(after.ActEnergy, before.ActEnergy);
  EXPECT_EQ(testing::CheckNetwork(network), "");
}

}  // namespace
}  // namespace korvane::gui
