#include "gui/reactions_page.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "gui/reaction_detail_window.h"
#include "gui/reaction_text.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "hexane_window.h"
#include "network_checks.h"
#include "reactions/recipes.h"

namespace korvane::gui {
namespace {

using testing::SaveScreenshot;

class ReactionsPage : public testing::HexanePageTest<TReactionsPage> {
 protected:
  QAbstractItemModel& model() const { return *page->list()->model(); }
  QString line(int row) const { return model().index(row, 0).data().toString(); }
  template <class Control>
  Control* control(const char* caption) const {
    return testing::Captioned<Control>(*page, QString::fromLatin1(caption));
  }
  QString value(const char* name) const { return testing::FieldText(*page, name); }
};

TEST_F(ReactionsPage, ModesEnableTheirControlsAndFilterTheList) {
  EXPECT_EQ(model().rowCount(), 78);
  EXPECT_EQ(line(77), "[ 77 ]");
  auto* substance = page->findChild<QSpinBox*>(QStringLiteral("substance"));
  EXPECT_FALSE(control<QCheckBox>("Beta-Scissions")->isEnabled());
  EXPECT_FALSE(substance->isEnabled());

  control<QRadioButton>("Filter by reaction type")->setChecked(true);
  EXPECT_TRUE(control<QCheckBox>("Beta-Scissions")->isEnabled());
  EXPECT_EQ(model().rowCount(), 0);
  control<QCheckBox>("Beta-Scissions")->setChecked(true);
  EXPECT_EQ(model().rowCount(), static_cast<int>(ListedReactions(window->network(), page->filter()).size()));

  control<QRadioButton>("Filter by substance #")->setChecked(true);
  EXPECT_FALSE(control<QCheckBox>("Beta-Scissions")->isEnabled());
  EXPECT_TRUE(substance->isEnabled());
  substance->setValue(4);  // n-hexane
  control<QCheckBox>("As reactant")->setChecked(true);
  EXPECT_EQ(model().rowCount(), static_cast<int>(window->network().Component(4)->ReactionLinks[kConsumedIn].size()));
}

TEST_F(ReactionsPage, ShowDisplaysTheClickedReaction) {
  const TReactionNetwork& network = window->network();
  // A beta-scission: one reactant, two products.
  int position = 0;
  while (network.Reaction(static_cast<std::size_t>(position))->ReactionType != kBetaScission) ++position;
  const TReaction& reaction = *network.Reaction(static_cast<std::size_t>(position));
  const QRect line = page->list()->visualRect(model().index(position, 0));
  QTest::mouseClick(page->list()->viewport(), Qt::LeftButton, {}, line.center());

  // The texts are the plain functions'; here the fields must show this reaction.
  EXPECT_EQ(value("stoichiometry"), StoichiometryText(reaction, kPageArrow));
  EXPECT_EQ(value("referenceA"), ComponentIdText(reaction.Reactants[0]));
  EXPECT_EQ(value("referenceD"), ComponentIdText(reaction.Products[1]));
  EXPECT_EQ(value("rateConstant"), NumberText(RateConstant(reaction.FreqFactor, reaction.ActEnergy, 1050)));
  EXPECT_GT(ReadNumber(value("absolute")).value(), 0.0);
  SaveScreenshot(*window, QStringLiteral("reactions_page"));
}

// The details of a removed reaction close and forget it; with none, they say so.
TEST_F(ReactionsPage, RemoveAsksAndRefreshesTheListAndTheDetailsAtOnce) {
  dialogs.expectMessage(QString(), QStringLiteral("No reaction was selected."));
  page->detailWindow().show();
  page->detailWindow().hide();
  TReaction_Detail& detail = openDetails(77);
  const QString question = QStringLiteral(
      "Reaction will be removed, reaction network integrity can become to be damaged. Are you sure to continue?");
  dialogs.expectQuestion(QStringLiteral("WARNING"), question, false).expectQuestion(QStringLiteral("WARNING"), question, true);
  page->removeReaction();
  EXPECT_EQ(window->network().ReactionCount(), 78u);
  page->removeReaction();
  EXPECT_EQ(window->network().ReactionCount(), 77u);
  EXPECT_EQ(model().rowCount(), 77);
  EXPECT_EQ(line(76), "[ 76 ]");
  EXPECT_EQ(value("stoichiometry"), "N/A");
  EXPECT_FALSE(detail.isVisible());
  EXPECT_EQ(detail.competitorList()->model()->rowCount(), 0);
}

}  // namespace
}  // namespace korvane::gui
