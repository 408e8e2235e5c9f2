#include "gui/picture_actions.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>

#include "gui/molecule_picture_widget.h"
#include "gui_fixture.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::GuiTest;

class PictureActions : public GuiTest {};

// A molecule picture saves itself as PNG and SVG, copies itself and its
// SMILES; without dialogs at hand its save entries stay disabled, and a
// file that cannot be written is said.
TEST_F(PictureActions, MoleculePicturesSaveAndCopyThemselves) {
  gui::MoleculePictureWidget picture(8);
  picture.resize(240, 160);
  picture.showMolecule(*testing::MoleculeFrom("C C C; 0-1 1-2"));
  const QList<QAction*>& entries = picture.actions().actions();
  QStringList texts;
  for (const QAction* entry : entries) texts << entry->text();
  EXPECT_EQ(texts, (QStringList{QString::fromUtf8("Save as PNG…"), QString::fromUtf8("Save as SVG…"),
                                QStringLiteral("Copy"), QStringLiteral("Copy SMILES")}));
  EXPECT_FALSE(entries[0]->isEnabled());
  EXPECT_EQ(picture.contextMenuPolicy(), Qt::ActionsContextMenu);

  picture.enableSaving(dialogs, QString());
  ASSERT_TRUE(entries[0]->isEnabled());
  dialogs.expectSaveFile(QStringLiteral("PNG picture|*.png"), file(QStringLiteral("propane.png")));
  entries[0]->trigger();
  EXPECT_EQ(QImage(file(QStringLiteral("propane.png"))).size(), QSize(240, 160));
  dialogs.expectSaveFile(QStringLiteral("SVG drawing|*.svg"), file(QStringLiteral("propane.svg")));
  entries[1]->trigger();
  QFile svg(file(QStringLiteral("propane.svg")));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));

  entries[2]->trigger();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(240, 160));
  entries[3]->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "CCC");

  const QString unwritable = file(QStringLiteral("no such folder/propane.png"));
  dialogs.expectSaveFile(QStringLiteral("PNG picture|*.png"), unwritable);
  dialogs.expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("Could not write ") + unwritable);
  entries[0]->trigger();
  EXPECT_TRUE(dialogs.finished());

  // A blank picture has nothing to save: no question is asked.
  picture.clearPicture();
  entries[0]->trigger();
}

}  // namespace
}  // namespace korvane
