#include "gui/window_manager.h"

#include <QListWidget>
#include <QTabWidget>

#include "gui/about_window.h"
#include "gui/network_window.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::gui {
namespace {

using testing::Lines;
using testing::SaveScreenshot;
using testing::SharedTestFile;

const QString kNoteCaption = QStringLiteral("Note saved at file");
const QString kEthaneNote = QStringLiteral("ethane primary network");
const QString kStillOpen = QStringLiteral("A DBase named \"Sample hydrocarbons\" is still open. It is needed to close "
                                          "it before opening the other one? Do you want to continue?");

using WindowManager = testing::GuiTest;

TEST_F(WindowManager, KineticFileDamageIsReportedFlagByFlagHeaderFirst) {
  testing::WriteFile(file(QStringLiteral("kinpar.ini")),
                     testing::ReadFile(SharedTestFile(QStringLiteral("kinpar/two-data-keys-missing.ini")))
                         .replace("KineticParametersFile", "SomethingElse"));

  dialogs.expectMessage(QString(), QStringLiteral("Kinetic parameters file is propably damaged. Header is unknown"))
      .expectMessage(QString(),
                     QStringLiteral("Kinetic parameters file is propably damaged. One or more items is missed."));
  TGen_Wind_Manager manager(context);
  EXPECT_EQ(manager.windowTitle(), "Reacion Network Windows manager");
  EXPECT_EQ(kinetics.Table[kE_Recombination], -1.0);
}

TEST_F(WindowManager, NewProposesTheNextNumberAndRefusesATakenName) {
  auto manager = startManager();
  testing::NewWindow(dialogs, *manager, QStringLiteral("abc"));
  testing::NewWindow(dialogs, *manager, QStringLiteral("ABC"));  // names differ by case
  expectWindowName(QStringLiteral("RN_Window #2"), QStringLiteral("abc"));
  dialogs.expectMessage(QStringLiteral("WARNING"),
                        QStringLiteral("Window named \"abc\" already exists. Choose another name."));
  expectWindowName(QStringLiteral("abc"), std::nullopt);
  manager->newWindow();
  EXPECT_EQ(Lines(*manager->windowList()), (QStringList{"[ 0 ] - abc", "[ 1 ] - ABC"}));
  EXPECT_EQ(manager->window(1)->windowTitle(), "Reaction Network Window: ABC");
  EXPECT_TRUE(manager->window(1)->isVisible());
}

TEST_F(WindowManager, EreaseRenumbersAndALineWithoutANumberDoesNothing) {
  auto manager = startManager();
  for (const char* name : {"a", "b", "c"}) testing::NewWindow(dialogs, *manager, QString::fromLatin1(name));
  manager->windowList()->setCurrentRow(0);
  const QString question = QStringLiteral(
      "Reaction network \"a\" and all relevant data will be ereased. Are you sure to continue?");
  dialogs.expectQuestion(QStringLiteral("WARNING"), question, false).expectQuestion(QStringLiteral("WARNING"), question, true);
  manager->ereaseSelected();
  EXPECT_EQ(manager->windowCount(), 3u);
  manager->ereaseSelected();
  EXPECT_EQ(Lines(*manager->windowList()), (QStringList{"[ 0 ] - b", "[ 1 ] - c"}));

  manager->window(0)->hide();
  manager->windowList()->item(0)->setText(QStringLiteral("[ x ] - b"));
  manager->windowList()->setCurrentRow(0);
  manager->showSelected();
  manager->showSelectedWindow();
  manager->ereaseSelected();  // no question: the script fails on any
  EXPECT_EQ(manager->windowCount(), 2u);
  EXPECT_FALSE(manager->window(0)->isVisible());
  EXPECT_EQ(testing::FieldText(*manager, "statName"), "N/A");
}

TEST_F(WindowManager, LoadShowsTheNoteAndPreferencesAndStopsAtTwentyWindows) {
  auto manager = startManager();
  const QString filter = QStringLiteral("Reaction network files|*.rnw");
  const QString ethane = SharedTestFile(QStringLiteral("networks/ethane.rnw"));
  dialogs.expectOpenFile(filter, file(QStringLiteral("missing.rnw")))
      .expectMessage(QStringLiteral("ERROR"), QStringLiteral("File, you have selected, does not exist. Process stopped."))
      .expectOpenFile(filter, ethane);
  expectWindowName(QStringLiteral("RN_Window #0"), std::nullopt);
  dialogs.expectMessage(kNoteCaption, kEthaneNote);
  manager->loadFromFile();
  manager->loadFromFile();
  ASSERT_EQ(manager->windowCount(), 1u);
  TReact_Net_Wind& loaded = *manager->window(0);
  EXPECT_EQ(loaded.name(), "RN_Window #0");
  EXPECT_EQ(loaded.network().ComponentCount(), 8u);
  QStringList fields;
  for (const char* name : {"temperature", "eBeta", "eHTransfer", "eAllyl", "minSelectivity"})
    fields << testing::FieldText(loaded, name);
  EXPECT_EQ(fields, (QStringList{"1050", "200", "300", "200", "0.01"}));

  // A damaged file still gives a window, after the damage question.
  testing::WriteFile(file(QStringLiteral("cut.rnw")), testing::ReadFile(ethane).left(300));
  dialogs.expectOpenFile(filter, file(QStringLiteral("cut.rnw")));
  expectWindowName(QStringLiteral("RN_Window #1"), QStringLiteral("cut"));
  dialogs.expectQuestion(QStringLiteral("ERROR"), QStringLiteral("ERROR When reading file. Data may be damaged."), true)
      .expectMessage(kNoteCaption, kEthaneNote);
  manager->loadFromFile();

  while (manager->windowCount() < 19)
    testing::NewWindow(dialogs, *manager, QStringLiteral("w%1").arg(manager->windowCount()));
  dialogs.expectOpenFile(filter, ethane);
  expectWindowName(QStringLiteral("RN_Window #19"), QStringLiteral("twentieth"));
  dialogs.expectMessage(kNoteCaption, kEthaneNote)
      .expectMessage(QString(), QStringLiteral("Maximum count of paralel window copy is 20. The next one will not be "
                                               "created. You have to clouse one of existing."));
  manager->loadFromFile();
  manager->loadFromFile();
  EXPECT_EQ(manager->windowCount(), 20u);
  EXPECT_EQ(manager->window(19)->name(), "twentieth");
}

TEST_F(WindowManager, OpensADatabaseAndShowsBothPagesAndAbout) {
  auto manager = startManager();
  const QString filter = QStringLiteral("Molecullar DataBase Files *.mdb|*mdb");
  dialogs.expectOpenFile(filter, SharedTestFile(QStringLiteral("sample.mdb")));
  expectEditorQuestion(false);
  dialogs.expectQuestion(QStringLiteral("WARNING"), kStillOpen, false);
  manager->openDatabase();
  manager->openDatabase();
  ASSERT_TRUE(context.Database);
  EXPECT_EQ(context.Database->ItemCount(), 9u);
  testing::NewWindow(dialogs, *manager, QStringLiteral("with database"));
  EXPECT_EQ(manager->window(0)->database(), context.Database);

  manager->show();
  manager->findChild<QTabWidget*>()->setCurrentIndex(1);
  EXPECT_EQ(testing::FieldText(*manager, "dbName") + QStringLiteral(", ") + testing::FieldText(*manager, "dbCount"),
            "Sample hydrocarbons, 9");
  SaveScreenshot(*manager, QStringLiteral("main_window_database"));

  context.BundledDatabase = QStringLiteral(KORVANE_BUNDLED_DATABASE);
  dialogs.expectQuestion(QStringLiteral("WARNING"), kStillOpen, true);
  expectEditorQuestion(false);
  manager->openBundledDatabase();
  ASSERT_TRUE(context.Database);
  EXPECT_EQ(context.Database->GetDBName(), "Hydrocarbons of steam cracking");
  EXPECT_EQ(manager->window(0)->database(), context.Database);

  dialogs.expectWindow(QStringLiteral("About Korvane v1.0"), [](QDialog& window) {
    auto& about = static_cast<TAboutWin&>(window);
    EXPECT_TRUE(about.text().contains(QStringLiteral("steam cracking")));
    SaveScreenshot(about, QStringLiteral("about_english"));
    about.showLanguage(1);
    EXPECT_TRUE(about.text().contains(QStringLiteral("pyrolýze")));
    SaveScreenshot(about, QStringLiteral("about_czech"));
    return int(QDialog::Rejected);
  });
  manager->showAbout();
}

}  // namespace
}  // namespace korvane::gui
