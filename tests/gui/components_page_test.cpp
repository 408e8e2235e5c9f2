#include "gui/components_page.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QListView>
#include <QSpinBox>
#include <QTest>

#include "gui/component_detail_window.h"
#include "gui/component_reactions_tab.h"
#include "gui/database_opening.h"
#include "gui/position_list_model.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "hexane_window.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::SaveScreenshot;
using testing::SharedTestFile;

class ComponentsPage : public testing::HexanePageTest<TComponentsPage> {
 protected:
  QAbstractItemModel& model() const { return *page->list()->model(); }
  QString line(int row) const { return model().index(row, 0).data().toString(); }
  QCheckBox* box(const char* caption) const {
    return testing::Captioned<QCheckBox>(*page, QString::fromLatin1(caption));
  }
};

TEST_F(ComponentsPage, FilterControlsEnableEachOtherAndChangeTheList) {
  EXPECT_EQ(model().rowCount(), 52);
  EXPECT_EQ(line(4), "[ 4 ] C6H14 CCCCCC");
  auto* group = page->findChild<QGroupBox*>();
  auto* fraction = page->findChild<QSpinBox*>(QStringLiteral("fraction"));
  EXPECT_FALSE(group->isEnabled());

  box("Filter substance list, show only:")->setChecked(true);
  EXPECT_TRUE(group->isEnabled());
  EXPECT_FALSE(fraction->isEnabled());
  EXPECT_EQ(model().rowCount(), 0);  // neither molecules nor radicals
  // Filtering by kind and carbon count is the desktop scenario's (C6 radicals).
  box("Only fraction")->setChecked(true);
  EXPECT_TRUE(fraction->isEnabled());

  box("Filter substance list, show only:")->setChecked(false);
  EXPECT_EQ(model().rowCount(), 52);
  // A click on a line draws its component.
  const QRect line4 = page->list()->visualRect(model().index(4, 0));
  QTest::mouseClick(page->list()->viewport(), Qt::LeftButton, {}, line4.center());
  SaveScreenshot(*window, QStringLiteral("components_page"));
}

TEST_F(ComponentsPage, AddsFromFileAndSmilesButNeverTwiceTheSameSpeciesNorABrokenOne) {
  // Propane whose first C-C bond is double: carbons of valence 5.
  QFile propane(SharedTestFile(QStringLiteral("structures/propane.ms")));
  ASSERT_TRUE(propane.open(QIODevice::ReadOnly));
  QByteArray broken = propane.readAll();
  broken[8 + 1] = broken[8 + 11] = 2;
  QFile brokenFile(file(QStringLiteral("broken.ms")));
  ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly) && brokenFile.write(broken) == broken.size());
  brokenFile.close();

  const QString filter = QStringLiteral("Mulecular Structure File *.ms|*.ms");
  dialogs.expectOpenFile(filter, file(QStringLiteral("missing.ms")))
      .expectMessage(QString(), QStringLiteral("File, you have selected, does not esist. Process stopped."))
      .expectOpenFile(filter, file(QStringLiteral("broken.ms")))
      .expectMessage(QStringLiteral("ERROR"), QStringLiteral("The structure cannot be a feed and was not added: atom 0 "
                                                             "(C) has bonds and unpaired electrons of valence 5; C has 4."))
      .expectOpenFile(filter, SharedTestFile(QStringLiteral("structures/n-hexane.ms")))
      .expectMessage(QStringLiteral("WARNING"), QStringLiteral("The structure is already component [ 4 ] of the "
                                                               "reaction network. It was not added again."))
      .expectOpenFile(filter, SharedTestFile(QStringLiteral("structures/toluene.ms")));
  for (int i = 0; i < 4; ++i) page->addFromFile();
  EXPECT_EQ(model().rowCount(), 53);
  EXPECT_EQ(line(52), "[ 52 ] C7H8 Cc1ccccc1");
  EXPECT_EQ(SelectedListPosition(*page->list()), 52);  // selected and drawn
  EXPECT_TRUE(window->network().IsRoot(window->network().Component(52)));

  const QString caption = QStringLiteral("Add from SMILES"), prompt = QStringLiteral("SMILES of the component (e.g. CCCCCC)");
  dialogs.expectInput(caption, prompt, QString(), QStringLiteral("C1CC"))
      .expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("C1CC"))
      .expectInput(caption, prompt, QStringLiteral("C1CC"), QStringLiteral("C1CCCCC1"));
  page->addFromSmiles();
  ASSERT_EQ(model().rowCount(), 54);
  EXPECT_EQ(model().index(53, 0).data(Qt::ToolTipRole).toString(), "C6H12\nC1CCCCC1");
  EXPECT_EQ(testing::CheckNetwork(window->network()), "");
}

// Unfiltered, the list shows every component on the line of its position.
TEST_F(ComponentsPage, RenamesAndRemovesTheSelectedComponent) {
  testing::SelectRow(*page->list(), 4);
  const QString prompt = QStringLiteral("Enter new name");
  const QString longName(256, QLatin1Char('x'));
  dialogs.expectInput(prompt, prompt, QStringLiteral("Noname"), longName)
      .expectMessage(QStringLiteral("WARNING"), QStringLiteral("The name is longer than 255 bytes. Shorten it, please."))
      .expectInput(prompt, prompt, longName, QStringLiteral("hexane"));
  page->renameComponent();
  EXPECT_EQ(line(4), "[ 4 ] - hexane");
  EXPECT_EQ(SelectedListPosition(*page->list()), 4);

  // The last component is a product only: removing it keeps the rest, and
  // its details close and forget it.
  TComponent_Detail& detail = openDetails(51);
  const QString question = QStringLiteral("Action will remove all realted components and reactions, continue?");
  dialogs.expectQuestion(QStringLiteral("WARNING"), question, false).expectQuestion(QStringLiteral("WARNING"), question, true);
  page->removeComponent();
  EXPECT_EQ(model().rowCount(), 52);
  page->removeComponent();
  EXPECT_EQ(model().rowCount(), static_cast<int>(window->network().ComponentCount()));
  EXPECT_LT(window->network().ComponentCount(), 52u);
  EXPECT_EQ(testing::CheckNetwork(window->network()), "");
  EXPECT_FALSE(detail.isVisible());
  detail.reactions()->refresh();  // reads nothing: no component
  EXPECT_EQ(detail.reactions()->list()->model()->rowCount(), 0);
}

TEST_F(ComponentsPage, NamesComponentsFromTheOpenDatabase) {
  dialogs.expectMessage(QString(), QStringLiteral("No DataBase was opened. Process stopped."));
  page->nameComponentsFromDatabase();
  window->setDatabase(OpenDatabaseFile(SharedTestFile(QStringLiteral("sample.mdb")), dialogs));
  page->nameComponentsFromDatabase();
  EXPECT_EQ(line(4), "[ 4 ] - n-hexane");
  EXPECT_EQ(window->network().Component(4)->Name, "n-hexane");
}

}  // namespace
}  // namespace korvane::gui
