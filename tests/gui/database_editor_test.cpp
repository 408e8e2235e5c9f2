#include "gui/database_editor.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "database/mol_db_file.h"
#include "gui/structure_editor.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::gui {
namespace {

using testing::Lines;
using testing::SaveScreenshot;
using testing::SharedTestFile;
using Field = TDBEditor_Win::HeaderField;

const QString kOpenFilter = QStringLiteral("Molecular Database Files |*.mdb");
const QString kUnsavedQuestion =
    QStringLiteral("You have done some changes in database. Are you sure to exit without save these changes?");

class DatabaseEditor : public testing::GuiTest {
 protected:
  // A copy of the sample database with its structure files in the working
  // directory, so that saving cannot touch the shared files.
  QString copySample() {
    QDir().mkpath(file(QStringLiteral("structures")));
    for (const QString& name : QDir(SharedTestFile(QStringLiteral("structures"))).entryList(QDir::Files))
      QFile::copy(SharedTestFile(QStringLiteral("structures/") + name), file(QStringLiteral("structures/") + name));
    QFile::copy(SharedTestFile(QStringLiteral("sample.mdb")), file(QStringLiteral("sample.mdb")));
    return file(QStringLiteral("sample.mdb"));
  }
  void open(TDBEditor_Win& editor, const QString& fileName) {
    dialogs.expectOpenFile(kOpenFilter, fileName);
    editor.openDatabase();
  }
  static void select(TDBEditor_Win& editor, int index) {
    editor.itemList()->setCurrentRow(index);
    editor.showItem();
  }
  static void setSynonyms(TDBEditor_Win& editor, const QStringList& names) {
    editor.synonymCount()->setValue(std::max<int>(1, static_cast<int>(names.size())));
    for (int row = 0; row < editor.synonymGrid()->rowCount(); ++row)
      editor.synonymGrid()->setItem(row, 1, new QTableWidgetItem(row < names.size() ? names[row] : QString()));
  }
};

TEST_F(DatabaseEditor, NewAsksNameFileAndNoteAndStopsAtAShortText) {
  TDBEditor_Win editor(context);
  editor.show();
  EXPECT_FALSE(editor.headerField(Field::Name)->isEnabled());
  // A file that is not a database is reported and leaves no database current.
  dialogs.expectOpenFile(kOpenFilter, SharedTestFile(QStringLiteral("structures/propane.ms")))
      .expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("was not opened"));
  editor.openDatabase();

  const QString nameCaption = QStringLiteral("Name of Database"), fileFilter = QStringLiteral("Molucular Database Files|*.mdb");
  const QString target = file(QStringLiteral("mine.mdb"));
  dialogs.expectInput(nameCaption, QStringLiteral("Name"), QString(), QStringLiteral("ab"));
  editor.newDatabase();
  dialogs.expectInput(nameCaption, QStringLiteral("Name"), QString(), QStringLiteral("mine"))
      .expectSaveFile(fileFilter, target)
      .expectInput(QStringLiteral("Note"), QStringLiteral("Not (f.ex. author name)"), QString(), QStringLiteral("An"));
  editor.newDatabase();
  EXPECT_FALSE(editor.database());

  dialogs.expectInput(nameCaption, QStringLiteral("Name"), QString(), QStringLiteral("mine"))
      .expectSaveFile(fileFilter, target)
      .expectInput(QStringLiteral("Note"), QStringLiteral("Not (f.ex. author name)"), QString(), QStringLiteral("Ana"))
      .expectQuestion(QStringLiteral("Would you like to create Database with this parameters?"),
                      QStringLiteral("Database initial Data: FileName=\"%1\"; DBName=\"mine\"; Note=\"Ana\"").arg(target),
                      true);
  editor.newDatabase();
  ASSERT_TRUE(editor.database());
  EXPECT_EQ(editor.database()->ItemCount(), 0u);
  EXPECT_EQ(editor.windowTitle(), "Molecular Database files editor v1.01a:  [mine]");
  EXPECT_EQ(editor.headerField(Field::FileName)->text(), target);
  EXPECT_FALSE(QFile::exists(target));  // nothing is written before Save
}

TEST_F(DatabaseEditor, ItemsAreListedRewrittenAddedFromSmilesAndSaved) {
  const QString sample = copySample();
  TDBEditor_Win editor(context);
  editor.show();
  open(editor, sample);
  ASSERT_EQ(editor.itemList()->count(), 9);
  EXPECT_EQ(editor.itemList()->item(0)->text(), "[0] - propane ;C3H8");

  // A changed name is red until its "OK" box is pressed.
  QLineEdit* name = editor.headerField(Field::Name);
  name->setText(QStringLiteral("Renamed"));
  editor.refreshDisplay();
  EXPECT_EQ(name->palette().color(QPalette::Base), QColor(Qt::red));
  EXPECT_FALSE(editor.headerOk(Field::Name)->isChecked());
  editor.headerOk(Field::Name)->click();
  EXPECT_EQ(editor.database()->GetDBName(), "Renamed");
  EXPECT_NE(name->palette().color(QPalette::Base), QColor(Qt::red));

  select(editor, 4);
  dialogs.expectOpenFile(QStringLiteral("Molecular Structure Files|*.ms"), file(QStringLiteral("missing.ms")))
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("File you have selected does not exist. Do you really want to continue?"), false);
  editor.selectStructureFile();
  EXPECT_EQ(editor.msFileField()->text(), "structures\\cyclohexane.ms");
  setSynonyms(editor, {});
  editor.reservationsField()->setText(QStringLiteral("a;b;"));
  editor.rewriteItem();
  EXPECT_EQ(editor.itemList()->item(4)->text(), "[4] ");
  EXPECT_EQ(editor.database()->GetItem(4).Reservations, (TStrVector{"a", "b", ""}));

  editor.itemList()->clearSelection();
  editor.deleteItem();  // no selected line: nothing happens
  EXPECT_EQ(editor.database()->ItemCount(), 9u);

  setSynonyms(editor, {QStringLiteral("butadiene")});
  editor.msFileField()->clear();
  editor.smilesField()->setText(QStringLiteral("C=CC=C"));
  editor.reservationsField()->clear();
  editor.addItem();
  ASSERT_EQ(editor.database()->ItemCount(), 10u);
  EXPECT_EQ(editor.database()->GetItem(9).MSFile, "structures\\butadiene.ms");
  EXPECT_EQ(editor.database()->GetMolecule(9)->AtomCount(), 10u);

  select(editor, 1);
  editor.moreInfo();
  EXPECT_TRUE(editor.report()->toPlainText().startsWith(QStringLiteral("Summary:\n-----------\n")));
  SaveScreenshot(editor, QStringLiteral("database_editor_report"));

  // A save that fails (into a missing folder) says so and keeps the mark, so
  // closing still asks.
  QLineEdit* fileName = editor.headerField(Field::FileName);
  fileName->setText(file(QStringLiteral("missing-folder/sample.mdb")));
  editor.applyField(Field::FileName);
  dialogs.expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("The database was not saved: "))
      .expectQuestion(QStringLiteral("WARNING"), kUnsavedQuestion, false);
  editor.saveDatabase();
  editor.close();
  EXPECT_TRUE(editor.isVisible());
  fileName->setText(sample);
  editor.applyField(Field::FileName);
  editor.saveDatabase();
  EXPECT_FALSE(editor.hasUnsavedChanges());
  editor.close();  // saved: no question
  EXPECT_FALSE(editor.isVisible());

  const auto read = ReadMolDBFile(sample.toStdString());
  ASSERT_TRUE(read);
  const TMolDBInfo& saved = read.value();
  EXPECT_EQ(saved.DBName, "Renamed");
  ASSERT_EQ(saved.Records.size(), 10u);
  EXPECT_TRUE(saved.Records[4].Synonyms.empty());
  EXPECT_EQ(saved.Records[9].Synonyms, TStrVector{"butadiene"});
  EXPECT_TRUE(QFile::exists(file(QStringLiteral("structures/butadiene.ms"))));
}

TEST_F(DatabaseEditor, SearchingByStructureFindsTheDrawnMoleculeAndListsItsNames) {
  TStruct_Edit structureEditor(context);
  context.StructureEditor = &structureEditor;
  TDBEditor_Win editor(context);
  editor.show();
  open(editor, SharedTestFile(QStringLiteral("sample.mdb")));
  // Isobutane (three carbons around a fourth), then methane, which the sample lacks.
  for (const int carbons : {4, 1}) {
    dialogs.expectWindow(QStringLiteral("Struct_Edit"), [carbons](QDialog& window) {
      StructureSketch& sketch = static_cast<TStruct_Edit&>(window).sketch();
      sketch.Clear();
      sketch.ChooseAtomKind(SketchAtomKind::Carbon);
      for (int i = 0; i < carbons; ++i) sketch.PlaceAtom({40 + 60 * i, 100});
      for (std::size_t i = 1; i < static_cast<std::size_t>(carbons); ++i) sketch.SetBond(0, i, SketchBondKind::Single);
      sketch.CompleteWithHydrogens();
      static_cast<TStruct_Edit&>(window).acceptStructure();
      return int(QDialog::Accepted);
    });
    dialogs.expectMessage(QString(), carbons == 4 ? QStringLiteral("Structure found under index 2")
                                                  : QStringLiteral("Structure was not found"));
    editor.searchByStructure();
  }
  EXPECT_EQ(editor.searchField()->text(), "isobutane+2-methylpropane");
  EXPECT_EQ(Lines(*editor.itemList()), QStringList{"[2] - isobutane ;2-methylpropane"});
  context.StructureEditor = nullptr;
}

TEST_F(DatabaseEditor, OpeningFromTheMainWindowHandsTheDatabaseToTheEditor) {
  auto manager = startManager();
  dialogs.expectOpenFile(QStringLiteral("Molecullar DataBase Files *.mdb|*mdb"), SharedTestFile(QStringLiteral("sample.mdb")));
  expectEditorQuestion(true);
  manager->openDatabase();
  TDBEditor_Win& editor = *manager->databaseEditor();
  EXPECT_EQ(editor.database(), context.Database);
  EXPECT_EQ(editor.headerField(Field::Name)->text(), "Sample hydrocarbons");
  EXPECT_EQ(editor.itemList()->count(), 9);
  editor.close();
  testing::TriggerAction(*manager, QStringLiteral("Edit"));
  EXPECT_TRUE(editor.isVisible());

  // Unsaved changes in the editor are asked about before the main window
  // closes or opens another database; No keeps everything as it is.
  editor.headerField(Field::Note)->setText(QStringLiteral("changed"));
  editor.applyField(Field::Note);
  dialogs.expectQuestion(QStringLiteral("WARNING"), kUnsavedQuestion, false)
      .expectQuestion(QStringLiteral("WARNING"), kUnsavedQuestion, false);
  EXPECT_FALSE(manager->close());
  manager->openDatabase();
  EXPECT_TRUE(editor.isVisible());
  EXPECT_EQ(editor.database(), context.Database);
  EXPECT_TRUE(editor.hasUnsavedChanges());
}

}  // namespace
}  // namespace korvane::gui
