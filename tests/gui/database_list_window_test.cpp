#include "gui/database_list_window.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/database_opening.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::gui {
namespace {

using testing::SaveScreenshot;
using testing::SharedTestFile;

QStringList Lines(const QListWidget& list) {
  QStringList lines;
  for (int i = 0; i < list.count(); ++i) lines << list.item(i)->text();
  return lines;
}

class DatabaseList : public testing::GuiTest {
 protected:
  static void press(TDBList_Win& list, const QString& caption) {
    for (QPushButton* button : list.findChildren<QPushButton*>())
      if (button->text() == caption) QTest::mouseClick(button, Qt::LeftButton);
  }
  static void type(TDBList_Win& list, const QString& text) {
    list.searchField()->clear();
    QTest::keyClicks(list.searchField(), text);
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

  type(list, QStringLiteral("hex"));  // n-hexane and cyclohexane: Enter takes nothing
  QTest::keyClick(list.searchField(), Qt::Key_Return);
  EXPECT_EQ(list.selectionList()->count(), 0);
  type(list, QStringLiteral("cyclo"));
  QTest::keyClick(list.searchField(), Qt::Key_Return);
  EXPECT_TRUE(list.isVisible());
  EXPECT_EQ(Lines(*list.selectionList()), QStringList{"[ 4 ]cyclohexane"});
  SaveScreenshot(list, QStringLiteral("database_list_search"));

  press(list, QStringLiteral("--->"));
  press(list, QStringLiteral("--->"));
  EXPECT_EQ(list.selectionList()->count(), 1);

  // A cleared search lists every item again in the found form; the same
  // item in the other form is another line.
  list.searchField()->clear();
  EXPECT_EQ(list.itemList()->item(2)->text(), "[ 2 ]isobutane;2-methylpropane");
  list.prepareToShow();
  list.itemList()->setCurrentRow(4);
  press(list, QStringLiteral("--->"));
  list.itemList()->setCurrentRow(1);
  press(list, QStringLiteral("--->"));
  type(list, QStringLiteral("cyclo"));
  QTest::keyClick(list.searchField(), Qt::Key_Return);
  list.selectionList()->setCurrentRow(1);
  press(list, QStringLiteral("<---"));
  EXPECT_EQ(Lines(*list.selectionList()), (QStringList{"[ 4 ] cyclohexane", "[ 4 ]cyclohexane"}));

  press(list, QStringLiteral("Accept selection"));
  EXPECT_FALSE(list.isVisible());
  EXPECT_EQ(list.result(), (TMoleculeVector{database->GetMolecule(4), database->GetMolecule(4)}));
}

}  // namespace
}  // namespace korvane::gui
