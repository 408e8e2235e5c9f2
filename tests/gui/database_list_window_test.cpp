#include "gui/database_list_window.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include "gui/database_opening.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::gui {
namespace {

using testing::ClickButton;
using testing::Lines;
using testing::SaveScreenshot;
using testing::SharedTestFile;

class DatabaseList : public testing::GuiTest {
 protected:
  static void search(TDBList_Win& list, const QString& text) {
    list.searchField()->clear();
    QTest::keyClicks(list.searchField(), text);
    QTest::keyClick(list.searchField(), Qt::Key_Return);
  }
};

TEST_F(DatabaseList, EnterTakesTheOneMatchAndEachLineIsSelectedOnce) {
  TDBList_Win list(context);
  dialogs.expectMessage(QString(), QStringLiteral("No DataBase was opened."));
  EXPECT_FALSE(list.prepareToShow());

  const std::shared_ptr<TDBCoordinator> database = OpenDatabaseFile(SharedTestFile(QStringLiteral("sample.mdb")), dialogs);
  list.ConnectDatabase(database);
  EXPECT_EQ(list.windowTitle(), "DBListSample hydrocarbons");
  ASSERT_TRUE(list.prepareToShow());
  list.show();
  EXPECT_EQ(Lines(*list.itemList()).first(), "[ 0 ] propane;C3H8");

  search(list, QStringLiteral("hex"));  // n-hexane and cyclohexane: Enter takes nothing
  EXPECT_EQ(list.selectionList()->count(), 0);
  search(list, QStringLiteral("cyclo"));
  EXPECT_TRUE(list.isVisible());
  EXPECT_EQ(Lines(*list.selectionList()), QStringList{"[ 4 ]cyclohexane"});
  SaveScreenshot(list, QStringLiteral("database_list_search"));

  ClickButton(list, QStringLiteral("--->"));
  ClickButton(list, QStringLiteral("--->"));
  EXPECT_EQ(list.selectionList()->count(), 1);

  // A cleared search lists every item again in the found form; the same
  // item in the other form is another line.
  list.searchField()->clear();
  EXPECT_EQ(list.itemList()->item(2)->text(), "[ 2 ]isobutane;2-methylpropane");
  list.prepareToShow();
  list.itemList()->setCurrentRow(4);
  ClickButton(list, QStringLiteral("--->"));
  list.itemList()->setCurrentRow(1);
  ClickButton(list, QStringLiteral("--->"));
  search(list, QStringLiteral("cyclo"));
  list.selectionList()->setCurrentRow(1);
  ClickButton(list, QStringLiteral("<---"));
  EXPECT_EQ(Lines(*list.selectionList()), (QStringList{"[ 4 ] cyclohexane", "[ 4 ]cyclohexane"}));

  ClickButton(list, QStringLiteral("Accept selection"));
  EXPECT_FALSE(list.isVisible());
  EXPECT_EQ(list.result(), (TMoleculeVector{database->GetMolecule(4), database->GetMolecule(4)}));
}

}  // namespace
}  // namespace korvane::gui
