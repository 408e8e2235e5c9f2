#include "gui/reaction_detail_window.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QImage>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QListView>
#include <QListWidget>
#include <QTabWidget>
#include <QValueAxis>

#include "gui/picture_actions.h"
#include "gui/reaction_detail_text.h"
#include "gui/reaction_text.h"
#include "gui/reactions_page.h"
#include "gui/selectivity_study_page.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "hexane_window.h"

namespace korvane::gui {
namespace {

using testing::FieldText;
using testing::SaveScreenshot;

class ReactionDetailWindow : public testing::HexanePageTest<TReactionsPage> {
 protected:
  // The first reaction of the class whose first reactant passes the test.
  std::size_t reactionWhere(std::int32_t type, const std::function<bool(const TMolecule&)>& reactant) const {
    const TReactionNetwork& network = window->network();
    for (std::size_t i = 0; i < network.ReactionCount(); ++i)
      if (network.Reaction(i)->ReactionType == type && reactant(*network.Reaction(i)->Reactants[0])) return i;
    ADD_FAILURE() << "no such reaction";
    return 0;
  }
  // Opens the window's selectivity study on the reaction.
  SelectivityStudyPage& openStudy(std::size_t position) {
    TReaction_Detail& detail = openDetails(position);
    detail.pages()->setCurrentIndex(2);
    detail.kineticsPages()->setCurrentIndex(1);
    return *detail.selectivityStudy();
  }
};

// A beta-scission of the hexyl radical on every page, as screenshots.
TEST_F(ReactionDetailWindow, ViewDetailsShowsTheSelectedReactionOnEveryPage) {
  const std::size_t position = reactionWhere(kBetaScission, [](const TMolecule&) { return true; });
  const TReaction& reaction = *window->network().Reaction(position);
  TReaction_Detail& detail = openDetails(position);
  EXPECT_EQ(FieldText(detail, "generalType"), "Beta-Scission");
  EXPECT_EQ(FieldText(detail, "generalComponentA"), ComponentIdText(reaction.Reactants[0]));
  EXPECT_EQ(FieldText(detail, "generalStoichiometry"), StoichiometryText(reaction, kDetailArrow));
  SaveScreenshot(detail, QStringLiteral("reaction_detail_general"));

  detail.pages()->setCurrentIndex(1);
  const auto competitors = CompetingReactions(window->network(), reaction);
  ASSERT_EQ(detail.competitorList()->model()->rowCount(), static_cast<int>(competitors.size()));
  ASSERT_FALSE(competitors.empty());
  testing::SelectRow(*detail.competitorList(), 0);
  detail.showCompetitor();
  EXPECT_EQ(FieldText(detail, "competitorStoichiometry"),
            StoichiometryText(*window->network().Reaction(static_cast<std::size_t>(competitors[0])), kDetailArrow));
  SaveScreenshot(detail, QStringLiteral("reaction_detail_competitors"));

  detail.pages()->setCurrentIndex(2);
  EXPECT_EQ(detail.findChild<QListWidget*>(QStringLiteral("increments"))->item(1)->text(), " - A_BetaSc_CC");
  SaveScreenshot(detail, QStringLiteral("reaction_detail_kinetics_data"));

  detail.kineticsPages()->setCurrentIndex(1);
  SelectivityStudyPage& study = *detail.selectivityStudy();
  EXPECT_EQ(study.reactants()->currentText(), ComponentIdText(reaction.Reactants[0]));
  study.calculate();
  QApplication::processEvents();  // the chart lays its axes out on the next pass
  SaveScreenshot(detail, QStringLiteral("reaction_detail_selectivity_study"));

  // Another reaction chosen while the window shows its kinetics: the pages
  // turn to it, not only the title.
  const std::size_t transferAt = reactionWhere(kHydrogenTransfer, [](const TMolecule&) { return true; });
  const TReaction& transfer = *window->network().Reaction(transferAt);
  openDetails(transferAt);
  EXPECT_EQ(study.reactants()->currentText(), ComponentIdText(transfer.Reactants[0]));
  EXPECT_EQ(FieldText(detail, "finalE"), NumberText(ParameterValues(transfer, context.Kinetics).E));
}

TEST_F(ReactionDetailWindow, StudyOfAReactantConsumedByTheReactionAloneIsOneEverywhere) {
  // The methyl radical's only reaction: its recombination with H.
  SelectivityStudyPage& study =
      openStudy(reactionWhere(kRecombination, [](const TMolecule& m) { return m.AtomCount() == 4; }));
  ASSERT_EQ(study.reactions()->model()->rowCount(), 1);
  // The user's number format (the tests run in English).
  EXPECT_EQ(study.from()->text() + QStringLiteral(" to ") + study.to()->text(), "298.15 to 1050");
  study.calculate();
  const QList<QPointF> points = study.series()->points();
  ASSERT_EQ(points.size(), 251);
  for (const QPointF& point : points) EXPECT_EQ(point.y(), 100.0);  // per cent, as the axis says
  const QList<QAbstractAxis*> axes = study.chart()->chart()->axes();
  EXPECT_EQ(qobject_cast<QValueAxis*>(axes[0])->titleText(), "T, K");
  EXPECT_EQ(qobject_cast<QValueAxis*>(axes[1])->titleText(), "Partial molar selectivity, %");

  // The chart's data as a table, and the chart as a drawing.
  const QList<QAction*>& entries = study.chartActions().actions();
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(entries[3]->text(), QString::fromUtf8("Export data (CSV)…"));
  dialogs.expectSaveFile(QStringLiteral("CSV table|*.csv"), file(QStringLiteral("study.csv")));
  entries[3]->trigger();
  QFile csv(file(QStringLiteral("study.csv")));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  const QStringList rows = QString::fromUtf8(csv.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 252);
  EXPECT_EQ(rows[0], "\"T, K\",\"Partial molar selectivity, %\"");
  EXPECT_EQ(rows[1], "298.15,100");
  dialogs.expectSaveFile(QStringLiteral("PNG picture|*.png"), testing::ScreenshotFile(QStringLiteral("saved_selectivity_chart.png")));
  entries[0]->trigger();
  EXPECT_EQ(QImage(testing::ScreenshotFile(QStringLiteral("saved_selectivity_chart.png"))).size(), study.chart()->size());
  dialogs.expectSaveFile(QStringLiteral("SVG drawing|*.svg"), file(QStringLiteral("study.svg")));
  entries[1]->trigger();
  QFile svg(file(QStringLiteral("study.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));

  // "From" not below "to" is refused with a message and draws nothing; a
  // text that is no number says so.
  study.from()->setText(QStringLiteral("1050"));
  study.to()->setText(QStringLiteral("900"));
  dialogs.expectMessage(QString(), QStringLiteral("The temperature \"From\" must be below the temperature \"to\"."));
  study.calculate();
  EXPECT_EQ(study.series()->points(), points);
  study.to()->setText(QStringLiteral("hot"));
  dialogs.expectMessage(QString(), QStringLiteral("'hot' is not a valid floating point value"));
  study.calculate();
}

TEST_F(ReactionDetailWindow, AsksOnceAboutCompetitorsWithSecondReactants) {
  // The hydrogen atom recombines with every radical that closes its chain.
  SelectivityStudyPage& study = openStudy(
      reactionWhere(kRecombination, [this](const TMolecule& m) { return &m == window->network().HydrogenAtom(); }));
  ASSERT_GT(study.reactions()->model()->rowCount(), 2);
  const QString question = QStringLiteral(
      "One or more reactions have more than one reactant. It will be ignored becaouse of unknown this product "
      "concentration. Continue?");
  dialogs.expectQuestion(QStringLiteral("WARNING"), question, false);
  study.calculate();
  EXPECT_EQ(study.series()->count(), 0);
  dialogs.expectQuestion(QStringLiteral("WARNING"), question, true);
  study.calculate();
  EXPECT_EQ(study.series()->count(), 251);
}

}  // namespace
}  // namespace korvane::gui
