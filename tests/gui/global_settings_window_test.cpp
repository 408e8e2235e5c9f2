#include "gui/global_settings_window.h"

#include <QFile>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "gui_fixture.h"
#include "gui_test_support.h"
#include "reactions/kinpar_file.h"

namespace korvane::gui {
namespace {

using testing::SaveScreenshot;

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
  QPushButton* button(const char* caption) {
    for (QPushButton* each : window->findChildren<QPushButton*>())
      if (each->text() == QLatin1String(caption)) return each;
    return nullptr;
  }
  template <class Widget>
  Widget* child(const char* name) {
    return window->findChild<Widget*>(QString::fromLatin1(name));
  }
  // Moves the focus from `from` to the Select button, as a click on it would.
  void leave(QWidget* from) {
    from->setFocus();
    button("Select")->setFocus();
  }
  void showPage(int page) { window->findChildren<QTabWidget*>().back()->setCurrentIndex(page); }

  std::unique_ptr<TGlob_Set> window;
};

TEST_F(GlobalSettings, ResetThenSaveWritesAFileThatReadsBackComplete) {
  kinetics.Table[kA_Recombination] = 5.0;
  kinetics.FileName = file(QStringLiteral("kinpar.ini")).toStdString();
  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("Values will be rewrited by defulat values. Are you sure to continue?"), true);
  button("Reset to def.")->click();
  EXPECT_EQ(child<QTableWidget>("increments")->item(kA_Recombination, 1)->text(), "10000000000");
  EXPECT_EQ(child<QTableWidget>("alternatives")->item(7, 2)->text(), "p[7]");
  SaveScreenshot(*window, QStringLiteral("global_settings"));
  const std::string good = kinetics.FileName;
  kinetics.FileName = file(QStringLiteral("no-such-folder/kinpar.ini")).toStdString();
  dialogs.expectMessageContaining(QStringLiteral("ERROR"), QStringLiteral("The kinetic parameters were not saved: "));
  button("Save")->click();
  kinetics.FileName = good;
  button("Save")->click();

  TKineticParameterSet read;
  EXPECT_EQ(ReadKineticParameterFile(kinetics.FileName, read), 0);
  EXPECT_EQ(read.Table, kKineticParameterDefaults);
  EXPECT_EQ(read.AlternativeNotes[255], "p[255]");
}

TEST_F(GlobalSettings, SelectingAMissingFileOnlyPointsToItAndSaveCreatesIt) {
  const QString missing = file(QStringLiteral("other.ini"));
  dialogs.expectChooseFile(QStringLiteral("Kinetic parameters files|*.ini|All files|*"), missing)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The file, you have chosen, does not exist. Do you want to keep current kinetic "
                                     "data and rewrite only point to file?"),
                      true);
  button("Select")->click();
  EXPECT_EQ(child<QLineEdit>("source")->text(), missing);
  EXPECT_EQ(kinetics.Table, kKineticParameterDefaults);  // nothing was read

  // Reloading a file that is not there asks first.
  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("The file \"%1\" does not exist. Reloading it would mark every kinetic "
                                        "parameter as missing (-1). Do you want to reload it anyway?")
                             .arg(missing),
                         false);
  button("Reload")->click();
  EXPECT_EQ(kinetics.Table, kKineticParameterDefaults);

  button("Save")->click();
  EXPECT_TRUE(QFile::exists(missing));
  kinetics.Table[0] = 1.0;
  dialogs.expectChooseFile(QStringLiteral("Kinetic parameters files|*.ini|All files|*"), missing)
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("Global kinetic parameters file was selected. Do you want to reload it?"), true);
  button("Select")->click();
  EXPECT_EQ(kinetics.Table, kKineticParameterDefaults);
}

TEST_F(GlobalSettings, ACommaLocaleRefusesAPointInARadicalActivityField) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  showPage(1);
  window->refresh();
  auto* activity = child<QLineEdit>("StandardActivity");
  EXPECT_EQ(activity->text(), "6,159E-8");
  activity->setFocus();
  activity->selectAll();
  QTest::keyClicks(activity, QStringLiteral("1.5"));
  EXPECT_EQ(activity->palette().color(QPalette::Base), TGlob_Set::kInvalidColour);
  SaveScreenshot(*window, QStringLiteral("global_settings_invalid_field"));
  dialogs.expectMessage(QString(), QStringLiteral("It is not real numer."));
  leave(activity);
  EXPECT_EQ(activity->text(), "6,159E-8");

  activity->setFocus();
  activity->selectAll();
  QTest::keyClicks(activity, QStringLiteral("1,5"));
  EXPECT_EQ(activity->palette().color(QPalette::Base), TGlob_Set::kChangedColour);
  dialogs.expectQuestion(QStringLiteral("Confirmation"), QStringLiteral("Value has been changed. Overwrite it?"), true);
  leave(activity);
  EXPECT_EQ(kinetics.RadicalActivity.StandardActivity, 1.5);
  EXPECT_EQ(activity->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
}

TEST_F(GlobalSettings, LeavingAGridAsksBeforeStoringItsEdits) {
  auto* increments = child<QTableWidget>("increments");
  increments->item(kE_Recombination, 1)->setText(QStringLiteral("0.00000005"));  // below 1e-7: noise
  leave(increments);
  EXPECT_EQ(kinetics.Table[kE_Recombination], 0.0);
  increments->item(kE_Recombination, 1)->setText(QStringLiteral("12.5"));
  dialogs.expectQuestion(QStringLiteral("WARNING"),
                         QStringLiteral("Values was manually changed, do you want to accept changies?"), true);
  leave(increments);
  EXPECT_EQ(kinetics.Table[kE_Recombination], 12.5);

  showPage(2);
  auto* alternatives = child<QTableWidget>("alternatives");
  alternatives->item(3, 2)->setText(QStringLiteral("my note"));
  alternatives->item(4, 1)->setText(QStringLiteral("2.5"));
  dialogs.expectQuestion(QStringLiteral("Confirmation"),
                         QStringLiteral("Alternative parameters or their notes were changed. Overwrite by new values?"),
                         false);
  leave(alternatives);
  EXPECT_EQ(alternatives->item(3, 2)->text(), "");  // declined: the grid shows the set again
  alternatives->item(4, 1)->setText(QStringLiteral("2.5"));
  dialogs.expectQuestion(QStringLiteral("Confirmation"),
                         QStringLiteral("Alternative parameters or their notes were changed. Overwrite by new values?"),
                         true);
  leave(alternatives);
  EXPECT_EQ(kinetics.AlternativeValues[4], 2.5);
  SaveScreenshot(*window, QStringLiteral("global_settings_alternatives"));
}

TEST_F(GlobalSettings, TheMainMenuOpensTheWindowFromAnItemBeforeAbout) {
  auto manager = startManager();
  QStringList items;
  for (const QAction* action : manager->menuBar()->actions()) items << action->text();
  ASSERT_GE(items.size(), 2);
  EXPECT_EQ(items.mid(items.size() - 2), (QStringList{"Global settings", "About"}));
  auto* settings = manager->findChild<TGlob_Set*>();
  ASSERT_NE(settings, nullptr);
  EXPECT_FALSE(settings->isVisible());
  manager->menuBar()->actions()[items.size() - 2]->trigger();
  EXPECT_TRUE(settings->isVisible());
}

}  // namespace
}  // namespace korvane::gui
