#include "gui/structure_editor.h"

#include <QApplication>
#include <QClipboard>

#include "database/mol_structure_file.h"
#include "gui/sketch_area.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::gui {
namespace {

using testing::SaveScreenshot;
using testing::TriggerAction;

QStringList LabelTexts(TStruct_Edit& editor) {
  QStringList texts;
  for (const SketchLabel& label : editor.sketch().Labels()) texts << QString::fromStdString(label.Text);
  return texts;
}

using StructureEditor = testing::GuiTest;

TEST_F(StructureEditor, ClicksDrawPropeneAndARadicalAndTheDrawingStaysForTheNextOpening) {
  TStruct_Edit editor(context);
  dialogs.expectWindow(QStringLiteral("Struct_Edit"), [](QDialog& window) {
    auto& editor = static_cast<TStruct_Edit&>(window);
    testing::DrawPropene(editor);
    TriggerAction(editor, QStringLiteral("C"));
    testing::ClickSketch(editor, {480, 200});
    TriggerAction(editor, QStringLiteral("Non-paird_electron"));
    testing::ClickAtom(editor, 9);
    TriggerAction(editor, QStringLiteral("Non-paird_electron"));
    TriggerAction(editor, QStringLiteral("Complete structure by including H"));
    EXPECT_EQ(LabelTexts(editor), (QStringList{"C(0)HHH", "C(1)H", "C(2)HH", "C(9)HHH"}));
    SaveScreenshot(editor, QStringLiteral("structure_editor_propene_and_radical"));
    TriggerAction(editor, QStringLiteral("Accept structure"));
    return int(QDialog::Accepted);
  });
  const std::optional<TMolCharacterisation> drawn = editor.drawStructure();
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->AtomTypes.size(), 13u);
  EXPECT_EQ(drawn->AdjacencyMatrix[0][1], 1);
  EXPECT_EQ(drawn->AdjacencyMatrix[2][1], 2);
  EXPECT_EQ(drawn->AdjacencyMatrix[9][9], 1);
  EXPECT_FALSE(drawn->AromaticMatrix[1][2]);

  // The next opening keeps the drawing and forgets the mode; closing it
  // without accepting gives nothing. (Clear all empties the arrays: the
  // editing model's test.)
  editor.sketch().ToggleUnpairedElectronMode();
  dialogs.expectWindow(QStringLiteral("Struct_Edit"), [](QDialog& window) {
    auto& editor = static_cast<TStruct_Edit&>(window);
    EXPECT_EQ(editor.sketch().Labels().size(), 4u);
    EXPECT_FALSE(editor.sketch().UnpairedElectronMode());
    EXPECT_FALSE(editor.structureAccepted());
    editor.reject();
    return int(QDialog::Rejected);
  });
  EXPECT_FALSE(editor.drawStructure());
}

TEST_F(StructureEditor, PastedSmilesIsLaidOutForFurtherEditing) {
  TStruct_Edit editor(context);
  editor.show();
  QApplication::clipboard()->setText(QStringLiteral("Cc1ccccc1"));
  TriggerAction(editor, QStringLiteral("Paste SMILES"));
  EXPECT_EQ(LabelTexts(editor),
            (QStringList{"C(0)HHH", "C(1)", "C(2)H", "C(3)H", "C(4)H", "C(5)H", "C(6)H"}));
  EXPECT_EQ(editor.sketch().AtomCount(), 15u);
  for (const SketchLabel& label : editor.sketch().Labels())
    EXPECT_TRUE(editor.drawingArea()->rect().contains(editor.drawingArea()->labelRect(label))) << label.Text;
  SaveScreenshot(editor, QStringLiteral("structure_editor_pasted_toluene"));

  QApplication::clipboard()->setText(QStringLiteral("C1CC"));
  dialogs.expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("C1CC"));
  TriggerAction(editor, QStringLiteral("Paste SMILES"));
  EXPECT_EQ(editor.sketch().AtomCount(), 15u);
}

TEST_F(StructureEditor, DrawNewStructureSavesTheDrawingUnderANumericIdentification) {
  auto manager = startManager();
  const QString target = file(QStringLiteral("propene.ms"));
  const QString filter = QStringLiteral("Molecullar Structure Files *.mdb|*.ms");
  auto accept = [](QDialog& window) {
    auto& editor = static_cast<TStruct_Edit&>(window);
    if (editor.sketch().AtomCount() == 0) testing::DrawPropene(editor);
    TriggerAction(editor, QStringLiteral("Accept structure"));
    return int(QDialog::Accepted);
  };
  dialogs.expectWindow(QStringLiteral("Struct_Edit"), accept)
      .expectSaveFile(filter, target)
      .expectInput(QStringLiteral("Enter identification"), QString(), QString(), QStringLiteral("12x"))
      .expectMessage(QString(), QStringLiteral("'12x' is not a valid integer value"));
  TriggerAction(*manager, QStringLiteral("Draw new structure"));
  EXPECT_FALSE(QFile::exists(target));

  dialogs.expectWindow(QStringLiteral("Struct_Edit"), accept)
      .expectSaveFile(filter, target)
      .expectInput(QStringLiteral("Enter identification"), QString(), QString(), QStringLiteral("-7"));
  manager->drawNewStructure();
  const auto read = ReadMolStructureFile(target.toStdString());
  ASSERT_TRUE(read);
  TMolCharacterisation expected = manager->structureEditor()->result();
  expected.Identification = -7;
  EXPECT_EQ(read.value(), expected);
  EXPECT_EQ(read->AtomTypes.size(), 9u);
}

}  // namespace
}  // namespace korvane::gui
