#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QTableView>
#include <QTest>

#include "gui/molecule_picture_widget.h"
#include "gui/network_table_view.h"
#include "gui/position_list_model.h"
#include "gui/reaction_text.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "hexane_window.h"
#include "reactions/recipes.h"

namespace korvane::gui {
namespace {

using testing::SaveScreenshot;

// A click on the row, as the user makes it.
void ClickRow(QAbstractItemView& view, int row) {
  view.scrollTo(view.model()->index(row, 0));
  const QRect rect = view.visualRect(view.model()->index(row, 0));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, rect.center());
}

QStringList Captions(const QAbstractItemModel& model) {
  QStringList captions;
  for (int column = 0; column < model.columnCount(); ++column)
    captions << model.headerData(column, Qt::Horizontal).toString();
  return captions;
}

template <class Page>
class TablePage : public testing::HexanePageTest<Page> {
 protected:
  NetworkTableView& view() const { return *this->page->tableView(); }
  QTableView& table() const { return *view().table(); }
  NetworkTableModel& model() const { return view().model(); }
  void showTable() { testing::Captioned<QCheckBox>(*this->page, QStringLiteral("Table"))->setChecked(true); }
  QString cell(int row, int column) const { return model().index(row, column).data().toString(); }
  int position(int row) const { return model().index(row, 0).data(NetworkTableModel::PositionRole).toInt(); }
  QLineEdit& field(const char* name) const { return *testing::Named<QLineEdit>(view(), name); }
};

using ComponentTable = TablePage<TComponentsPage>;
using ReactionTable = TablePage<TReactionsPage>;

TEST_F(ComponentTable, TogglesBetweenListAndTableOnTheSameComponent) {
  testing::SelectRow(*page->list(), 4);
  showTable();
  EXPECT_FALSE(page->list()->isVisible());
  ASSERT_TRUE(table().isVisible());
  EXPECT_EQ(Captions(model()), (QStringList{"#", "Name", "Formula", "SMILES", "Molar mass (g/mol)", "Radical", "Rings",
                                            "Carbons", "Feed", "Reactions"}));
  EXPECT_EQ(model().rowCount(), 52);
  EXPECT_EQ(view().currentPosition(), 4);
  EXPECT_EQ((QStringList{cell(4, 2), cell(4, 3), cell(4, 5), cell(4, 8)}),
            (QStringList{"C6H14", "CCCCCC", "False", "True"}));
  SaveScreenshot(*window, QStringLiteral("components_table"));

  ClickRow(table(), 7);
  testing::Captioned<QCheckBox>(*page, QStringLiteral("Table"))->setChecked(false);
  EXPECT_TRUE(page->list()->isVisible());
  EXPECT_EQ(SelectedListPosition(*page->list()), 7);
}

TEST_F(ComponentTable, SortsNumericColumnsByValue) {
  showTable();
  table().sortByColumn(0, Qt::DescendingOrder);
  EXPECT_EQ(cell(0, 0), "51");  // as text "9" would come first
  table().sortByColumn(4, Qt::AscendingOrder);
  EXPECT_EQ(cell(0, 2), "H");
  for (int row = 1; row < model().rowCount(); ++row)
    EXPECT_LE(ReadNumber(cell(row - 1, 4)).value(), ReadNumber(cell(row, 4)).value()) << row;
  table().sortByColumn(2, Qt::AscendingOrder);  // formulas as text
  EXPECT_EQ(cell(0, 2), "C2H4");
  EXPECT_EQ(cell(model().rowCount() - 1, 2), "N2");
}

TEST_F(ComponentTable, SearchesTextAndQueriesByStructure) {
  showTable();
  field("tableSearch").setText(QStringLiteral("c6h13"));
  EXPECT_EQ(model().rowCount(), 3);  // the three hexyl radicals
  field("tableSearch").setText(QStringLiteral("[CH2]CCCCC"));
  EXPECT_EQ(model().rowCount(), 1);
  field("tableSearch").clear();

  // Any SMILES of n-hexane finds component 4; benzene is none; a typing slip is told.
  const struct {
    const char* smiles;
    int rows;
  } queries[] = {{"CCCCCC", 1}, {"C(CC)CCC", 1}, {"c1ccccc1", 0}, {"", 52}};
  for (const auto& query : queries) {
    field("tableStructure").setText(QString::fromLatin1(query.smiles));
    testing::ClickButton(view(), QStringLiteral("Find structure"));
    EXPECT_EQ(model().rowCount(), query.rows) << query.smiles;
  }
  field("tableStructure").setText(QStringLiteral("CCCCCC"));
  testing::ClickButton(view(), QStringLiteral("Find structure"));
  EXPECT_EQ(position(0), 4);
  dialogs.expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("C1CC"));
  field("tableStructure").setText(QStringLiteral("C1CC"));
  testing::ClickButton(view(), QStringLiteral("Find structure"));
  EXPECT_EQ(model().rowCount(), 1);  // the last query stays
}

TEST_F(ComponentTable, CopiesSelectedRowsAndExportsShownRows) {
  showTable();
  field("tableSearch").setText(QStringLiteral("CCCCCC"));
  ASSERT_EQ(model().rowCount(), 1);
  table().selectAll();
  QTest::keyClick(&table(), Qt::Key_C, Qt::ControlModifier);
  const QStringList copied = QApplication::clipboard()->text().split(QLatin1Char('\n'));
  ASSERT_EQ(copied.size(), 3);  // header, hexane, and the empty text after the last line end
  EXPECT_EQ(copied[0], "#\tName\tFormula\tSMILES\tMolar mass (g/mol)\tRadical\tRings\tCarbons\tFeed\tReactions");
  EXPECT_TRUE(copied[1].startsWith(QStringLiteral("4\tNoname\tC6H14\tCCCCCC\t86.1")));
  EXPECT_TRUE(copied[1].endsWith(QStringLiteral("\tFalse\t0\t6\tTrue\t3"))) << copied[1].toStdString();  // three hydrogen transfers

  const QString csv = file(QStringLiteral("hexane.csv"));
  dialogs.expectSaveFile(QStringLiteral("CSV file *.csv|*.csv"), std::nullopt)
      .expectSaveFile(QStringLiteral("CSV file *.csv|*.csv"), csv);
  testing::ClickButton(view(), QStringLiteral("Export CSV"));
  EXPECT_FALSE(QFile::exists(csv));
  field("tableSearch").clear();
  testing::ClickButton(view(), QStringLiteral("Export CSV"));
  const QList<QByteArray> lines = testing::ReadFile(csv).split('\n');
  ASSERT_EQ(lines.size(), 54);
  EXPECT_TRUE(lines[0].startsWith("#,Name,Formula,SMILES,Molar mass (g/mol),"));
  EXPECT_TRUE(lines[5].startsWith("4,Noname,C6H14,CCCCCC,86.1"));
}

TEST_F(ComponentTable, ArrowPageHomeAndEndKeysDrawAsAClickDoes) {
  const QImage& picture = page->findChild<MoleculePictureWidget*>()->picture();
  auto keyThenClick = [&](QAbstractItemView& view, Qt::Key key, int expectedRow) {
    const int before = view.currentIndex().row();
    QTest::keyClick(&view, key);
    if (expectedRow < 0) expectedRow = view.currentIndex().row();
    EXPECT_NE(view.currentIndex().row(), before) << key;
    EXPECT_EQ(view.currentIndex().row(), expectedRow) << key;
    const QImage byKey = picture;
    ClickRow(view, 0);
    ClickRow(view, expectedRow);
    EXPECT_EQ(byKey, picture) << key;
  };
  ClickRow(*page->list(), 4);
  keyThenClick(*page->list(), Qt::Key_Down, 5);
  keyThenClick(*page->list(), Qt::Key_End, 51);
  keyThenClick(*page->list(), Qt::Key_Home, 0);

  showTable();
  table().setFocus();
  keyThenClick(table(), Qt::Key_Down, 1);
  keyThenClick(table(), Qt::Key_PageDown, -1);
  keyThenClick(table(), Qt::Key_End, 51);
  keyThenClick(table(), Qt::Key_Up, 50);
}

TEST_F(ReactionTable, ShowsEquationsAndKeysShowTheReactionOfTheSortedRow) {
  showTable();
  EXPECT_EQ(Captions(model()), (QStringList{"#", "Equation", "Type", "E*/(kJ/mol)", "A", "k", "Projecting s",
                                            "After filter s", "Absolute s"}));
  ASSERT_EQ(model().rowCount(), 78);
  table().sortByColumn(5, Qt::DescendingOrder);
  table().setFocus();
  ClickRow(table(), 3);
  SaveScreenshot(*window, QStringLiteral("reactions_table"));
  for (const Qt::Key key : {Qt::Key_Up, Qt::Key_End, Qt::Key_Home}) {
    QTest::keyClick(&table(), key);
    const TReaction& reaction = *window->network().Reaction(static_cast<std::size_t>(position(table().currentIndex().row())));
    EXPECT_EQ(testing::FieldText(*page, "stoichiometry"), StoichiometryText(reaction, kPageArrow)) << key;
    EXPECT_EQ(testing::FieldText(*page, "rateConstant"),
              NumberText(RateConstant(reaction.FreqFactor, reaction.ActEnergy, 1050)));
  }
  EXPECT_EQ(table().currentIndex().row(), 0);
  // Highest k first.
  EXPECT_GE(ReadNumber(cell(0, 5)).value(), ReadNumber(cell(1, 5)).value());

  field("tableStructure").setText(QStringLiteral("CCCCCC"));
  testing::ClickButton(view(), QStringLiteral("Find structure"));
  EXPECT_EQ(model().rowCount(), 3);  // n-hexane's three hydrogen transfers
  field("tableStructure").clear();
  testing::ClickButton(view(), QStringLiteral("Find structure"));
  field("tableSearch").setText(QStringLiteral("C6H13"));
  EXPECT_GT(model().rowCount(), 3);
  for (int row = 0; row < model().rowCount(); ++row) EXPECT_TRUE(cell(row, 1).contains(QStringLiteral("C6H13")));
}

// A column whose cells are each a walk over the network: 20,001 of them.
class SlowSource : public TableSource {
 public:
  SlowSource() : TableSource(std::vector<int>(kSlowSortCells + 1, 0)) {}
  const std::vector<TableColumn>& Columns() const override {
    static const std::vector<TableColumn> columns{{"#", true}, {"Absolute s", true}};
    return columns;
  }
  std::string Text(std::size_t, int) override { return {}; }
  double Number(std::size_t row, int) override { return -static_cast<double>(row); }
  bool Matches(std::size_t, std::string_view) override { return true; }
  bool Involves(std::size_t, const TMolecule&) const override { return true; }
  std::size_t Missing(int column) const override { return column == 1 ? RowCount() : 0; }
};

using SlowSort = testing::GuiTest;

TEST_F(SlowSort, AsksBeforeComputingManyCellsAndKeepsTheOrderOnNo) {
  NetworkTableView view(context, {});
  view.setSource(std::make_unique<SlowSource>(), {});
  const QString question = QStringLiteral(
      "Sorting by \"Absolute s\" computes it for 20001 reactions, a walk over the reaction network each, which can "
      "take minutes. Continue?");
  dialogs.expectQuestion(QStringLiteral("WARNING"), question, false)
      .expectQuestion(QStringLiteral("WARNING"), question, true);
  view.table()->sortByColumn(1, Qt::AscendingOrder);
  EXPECT_EQ(view.model().sortColumn(), -1);
  EXPECT_EQ(view.table()->horizontalHeader()->sortIndicatorSection(), -1);
  view.table()->sortByColumn(1, Qt::AscendingOrder);
  EXPECT_EQ(view.model().sortColumn(), 1);
  EXPECT_EQ(view.model().index(0, 1).data().toString(), "-20000");
  view.table()->sortByColumn(0, Qt::DescendingOrder);  // asks nothing: no slow cells
}

}  // namespace
}  // namespace korvane::gui
