#include "gui/global_settings_window.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "gui_fixture.h"
#include "gui_test_support.h"
#include "reactions/kinpar_file.h"

namespace korvane::gui {
namespace {

using testing::Named;
using testing::SaveScreenshot;

const QString kFilter = QStringLiteral("Kinetic parameters files|*.ini|All files|*");

class GlobalSettings : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window = std::make_unique<TGlob_Set>(context);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void TearDown() override {
    window.reset();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    GuiTest::TearDown();
  }
  void click(const char* button) { Named<QPushButton>(*window, button)->click(); }
  // Moves the focus from `from` to a button, as a click on it would.
  void leave(QWidget* from) {
    from->setFocus();
    Named<QPushButton>(*window, "select")->setFocus();
  }
  void type(QLineEdit* field, const char* text) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::fromLatin1(text));
  }

  std::unique_ptr<TGlob_Set> window;
};

// Select a missing file, reset, save: the file is created and reads back
// complete; selected again it is reloaded.
TEST_F(GlobalSettings, FileCommandsPointReloadResetAndSave) {
  kinetics.Table[kA_Recombination] = 5.0;
  const QString created = file(QStringLiteral("other.ini"));
  dialogs.expectChooseFile(kFilter, created)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The file, you have chosen, does not exist. Do you want to keep current kinetic "
                                     "data and rewrite only point to file?"),
                      true);
  click("select");
  EXPECT_EQ(Named<QLineEdit>(*window, "source")->text(), created);
  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("The file \"%1\" does not exist. Reloading it would mark every kinetic "
                                        "parameter as missing (-1). Do you want to reload it anyway?")
                             .arg(created),
                         false);
  click("reload");
  EXPECT_EQ(kinetics.Table[kA_Recombination], 5.0);

  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("Values will be rewrited by defulat values. Are you sure to continue?"), true);
  click("resetToDefaults");
  EXPECT_EQ(Named<QTableWidget>(*window, "increments")->item(kA_Recombination, 1)->text(), "10000000000");
  SaveScreenshot(*window, QStringLiteral("global_settings"));
  click("save");
  TKineticParameterSet read;
  EXPECT_EQ(ReadKineticParameterFile(created.toStdString(), read).Damage, 0);
  EXPECT_EQ(read.Table, kKineticParameterDefaults);
  EXPECT_EQ(read.AlternativeNotes[255], "p[255]");

  kinetics.Table[0] = 1.0;
  dialogs.expectChooseFile(kFilter, created)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("Global kinetic parameters file was selected. Do you want to reload it?"), true);
  click("select");
  EXPECT_EQ(kinetics.Table, kKineticParameterDefaults);

  kinetics.FileName = file(QStringLiteral("no-such-folder/kinpar.ini")).toStdString();
  dialogs.expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("The kinetic parameters were not saved: "));
  click("save");
}

TEST_F(GlobalSettings, ACommaLocaleRefusesAPointInARadicalActivityField) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  Named<QTabWidget>(*window, "pages")->setCurrentIndex(1);
  window->refresh();
  auto* activity = Named<QLineEdit>(*window, "StandardActivity");
  EXPECT_EQ(activity->text(), "6,159E-8");
  type(activity, "1.5");
  EXPECT_EQ(activity->palette().color(QPalette::Base), TGlob_Set::kInvalidColour);
  SaveScreenshot(*window, QStringLiteral("global_settings_invalid_field"));
  dialogs.expectMessage(QString(), QStringLiteral("It is not real numer."));
  leave(activity);
  EXPECT_EQ(activity->text(), "6,159E-8");

  type(activity, "1,5");
  EXPECT_EQ(activity->palette().color(QPalette::Base), TGlob_Set::kChangedColour);
  dialogs.expectQuestion(QStringLiteral("Confirmation"), QStringLiteral("Value has been changed. Overwrite it?"), true);
  leave(activity);
  EXPECT_EQ(kinetics.RadicalActivity.StandardActivity, 1.5);
  EXPECT_EQ(activity->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

TEST_F(GlobalSettings, LeavingAGridAsksBeforeStoringItsEdits) {
  auto* increments = Named<QTableWidget>(*window, "increments");
  increments->item(kE_Recombination, 1)->setText(QStringLiteral("0.00000005"));  // below 1e-7: noise
  leave(increments);
  EXPECT_EQ(kinetics.Table[kE_Recombination], 0.0);
  // Turning the page leaves the grid too.
  increments->setFocus();
  increments->item(kE_Recombination, 1)->setText(QStringLiteral("12.5"));
  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("Values was manually changed, do you want to accept changies?"), true);
  Named<QTabWidget>(*window, "pages")->setCurrentIndex(2);
  EXPECT_EQ(kinetics.Table[kE_Recombination], 12.5);

  auto* alternatives = Named<QTableWidget>(*window, "alternatives");
  alternatives->item(3, 2)->setText(QStringLiteral("my note"));
  alternatives->item(4, 1)->setText(QStringLiteral("2.5"));
  dialogs.expectQuestion(QStringLiteral("Confirmation"),
                         QStringLiteral("Alternative parameters or their notes were changed. Overwrite by new values?"),
                         true);
  leave(alternatives);
  EXPECT_EQ(kinetics.AlternativeValues[4], 2.5);
  EXPECT_EQ(kinetics.AlternativeNotes[3], "my note");
  SaveScreenshot(*window, QStringLiteral("global_settings_alternatives"));
}

}  // namespace
}  // namespace korvane::gui
