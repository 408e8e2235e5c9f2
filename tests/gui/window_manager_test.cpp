#include "gui/window_manager.h"

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTextBrowser>
#include <QTextDocument>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

#include "gui/about_window.h"
#include "gui/help_window.h"
#include "gui/components_page.h"
#include "gui/network_window.h"
#include "gui/recent_files.h"
#include "gui/recovery_store.h"
#include "gui_fixture.h"
#include "gui_test_support.h"
#include "hexane_window.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane::gui {
namespace {

using testing::Lines;
using testing::SaveScreenshot;
using testing::SharedTestFile;

const QString kNoteCaption = QStringLiteral("Note saved at file");
const QString kEthaneNote = QStringLiteral("ethane primary network");
const QString kStillOpen = QStringLiteral("A DBase named \"Sample hydrocarbons\" is still open. It is needed to close "
                                          "it before opening the other one? Do you want to continue?");

const QStringList kQuitButtons{QStringLiteral("Save all"), QStringLiteral("Discard"), QStringLiteral("Cancel")};

class WindowManager : public testing::GuiTest {
 protected:
  void expectDamageQuestion(const QString& details, int answer) {
    dialogs.expectChoice(QStringLiteral("ERROR"),
                         QStringLiteral("ERROR When reading file. Data may be damaged.\n\n") + details,
                         {QStringLiteral("Open"), QStringLiteral("Cancel")}, 1, 1, answer);
  }
  void expectQuitQuestion(const QString& networks, int answer) {
    dialogs.expectChoice(QStringLiteral("WARNING"),
                         QStringLiteral("These reaction networks have changes that were not saved:\n\n") + networks +
                             QStringLiteral("\n\nSave them before the program ends?"),
                         kQuitButtons, 0, 2, answer);
  }
  /// A window of `manager` holding a generated network of the feeds.
  TReact_Net_Wind& generatedWindow(TGen_Wind_Manager& manager, const QString& name,
                                   std::initializer_list<std::string> feeds) {
    TReact_Net_Wind& window = testing::NewWindow(dialogs, manager, name);
    window.editNetwork(QStringLiteral("Add component"), [&](TReactionNetwork& network) {
      for (const std::string& feed : feeds) testing::AddFeed(network, feed);
      network.Generate();
      return true;
    });
    return window;
  }
};

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
  expectWindowName(QStringLiteral("abc"), QString());
  dialogs.expectMessage(QStringLiteral("WARNING"), QStringLiteral("The window name must not be empty."));
  expectWindowName(QString(), std::nullopt);
  manager->newWindow();
  EXPECT_EQ(Lines(*manager->windowList()), (QStringList{"[ 0 ] - abc", "[ 1 ] - ABC"}));
  EXPECT_EQ(manager->window(1)->windowTitle(), "Reaction Network Window: ABC[*]");
  EXPECT_FALSE(manager->window(1)->isWindowModified());
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

// Load from file: a whole file opens with its note and preferences and the
// file's name in the title; a file that is no network file opens nothing; a
// damaged one opens only when asked, as what could be read, without a file
// (Save asks where); a file already open is shown and opened again only
// when asked; twenty windows are the most.
TEST_F(WindowManager, LoadOpensWholeFilesAndAsksAboutDamagedAndOpenOnes) {
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
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  ASSERT_EQ(manager->windowCount(), 1u);
  TReact_Net_Wind& loaded = *manager->window(0);
  EXPECT_EQ(loaded.name(), "RN_Window #0");
  EXPECT_EQ(loaded.network().ComponentCount(), 8u);
  EXPECT_EQ(loaded.windowTitle(), "Reaction Network Window: RN_Window #0 - ethane.rnw[*]");
  EXPECT_FALSE(loaded.isWindowModified());
  EXPECT_EQ(manager->recentFiles(), QStringList{ethane});
  QStringList fields;
  for (const char* name : {"temperature", "eBeta", "eHTransfer", "eAllyl", "minSelectivity"})
    fields << testing::FieldText(loaded, name);
  EXPECT_EQ(fields, (QStringList{"1050", "200", "300", "200", "0.01"}));

  // A picture renamed .rnw and a file shorter than the header open nothing.
  testing::WriteFile(file(QStringLiteral("picture.rnw")), QByteArray("\x89PNG\r\n\x1a\n", 8));
  testing::WriteFile(file(QStringLiteral("short.rnw")), QByteArray("\x48\x05", 2));
  for (const char* name : {"picture.rnw", "short.rnw"}) {
    dialogs.expectOpenFile(filter, file(QString::fromLatin1(name)));
    expectWindowName(QStringLiteral("RN_Window #1"), std::nullopt);
    dialogs.expectMessage(QStringLiteral("ERROR"),
                          QStringLiteral("The file %1 cannot be opened: %2")
                              .arg(file(QString::fromLatin1(name)),
                                   name[0] == 'p' ? QStringLiteral("The file is not a reaction network file.")
                                                  : QStringLiteral("The reaction network file ends before its last "
                                                                   "record.")));
    manager->loadFromFile();
    ASSERT_TRUE(testing::WaitForLoads(*manager));
  }
  EXPECT_EQ(manager->windowCount(), 1u);

  testing::WriteFile(file(QStringLiteral("cut.rnw")), testing::ReadFile(ethane).left(300));
  const QString cutDetails = QStringLiteral(
      "The reaction network file ends before its last record.\n\nOpen what could be read? 6 of 8 components and 0 of "
      "3 reactions were read.");
  for (int answer : {1, 0}) {
    dialogs.expectOpenFile(filter, file(QStringLiteral("cut.rnw")));
    expectWindowName(QStringLiteral("RN_Window #1"), QStringLiteral("cut"));
    expectDamageQuestion(cutDetails, answer);
    if (answer == 0) dialogs.expectMessage(kNoteCaption, kEthaneNote);
    manager->loadFromFile();
    ASSERT_TRUE(testing::WaitForLoads(*manager));
    EXPECT_EQ(manager->windowCount(), answer == 0 ? 2u : 1u);
  }
  TReact_Net_Wind& damaged = *manager->window(1);
  EXPECT_EQ(damaged.windowTitle(), "Reaction Network Window: cut (damaged)[*]");
  EXPECT_TRUE(damaged.isWindowModified());
  EXPECT_EQ(testing::Lines(*manager->windowList())[1], "[ 1 ] - cut *");
  dialogs.expectSaveFile(QStringLiteral("Reaction Network Files|*.rnw"), std::nullopt);
  testing::TriggerAction(damaged, QStringLiteral("Save"));  // no file: Save asks for one
  EXPECT_EQ(manager->recentFiles(), QStringList{ethane});

  const QString again = QStringLiteral("The file \"%1\" is already open in the reaction network window \"RN_Window "
                                       "#0\". Open another copy?")
                            .arg(ethane);
  dialogs.expectOpenFile(filter, ethane).expectQuestion(QStringLiteral("WARNING"), again, false);
  manager->loadFromFile();
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  EXPECT_EQ(manager->windowCount(), 2u);

  while (manager->windowCount() < 19)
    testing::NewWindow(dialogs, *manager, QStringLiteral("w%1").arg(manager->windowCount()));
  dialogs.expectOpenFile(filter, ethane).expectQuestion(QStringLiteral("WARNING"), again, true);
  expectWindowName(QStringLiteral("RN_Window #19"), QStringLiteral("twentieth"));
  dialogs.expectMessage(kNoteCaption, kEthaneNote)
      .expectMessage(QString(), QStringLiteral("Maximum count of paralel window copy is 20. The next one will not be "
                                               "created. You have to clouse one of existing."));
  manager->loadFromFile();
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  manager->loadFromFile();
  ASSERT_TRUE(testing::WaitForLoads(*manager));
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

// F1 in any window opens the desktop part of the shipped README, with its
// pictures; without a guide the window says where it looked.
TEST_F(WindowManager, F1OpensTheUserGuide) {
  context.UserGuide = testing::SourceReadme();
  auto manager = startManager();
  manager->show();
  TReact_Net_Wind& window = testing::NewWindow(dialogs, *manager, QStringLiteral("guided"));
  window.show();
  QApplication::setActiveWindow(&window);
  QTest::keyClick(&window, Qt::Key_F1);
  ASSERT_NE(manager->userGuide(), nullptr);
  gui::HelpWindow& guide = *manager->userGuide();
  EXPECT_TRUE(guide.isVisible());
  EXPECT_EQ(guide.windowTitle(), "User guide");
  const QString text = guide.browser()->toPlainText();
  EXPECT_TRUE(text.startsWith(QStringLiteral("The desktop program")));
  EXPECT_TRUE(text.contains(QStringLiteral("A typical day")));
  EXPECT_FALSE(text.contains(QStringLiteral("The batch tool")));
  const QTextDocument& document = *guide.browser()->document();
  EXPECT_FALSE(document.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("docs/network_window.png")))
                   .value<QImage>()
                   .isNull());
  SaveScreenshot(guide, QStringLiteral("user_guide"));

  gui::HelpWindow missing(QStringLiteral("/nowhere/README.md"));
  EXPECT_TRUE(missing.browser()->toPlainText().contains(QStringLiteral("looked for /nowhere/README.md")));
}

// Quitting with unsaved networks asks once, naming them: Cancel keeps the
// program and every network as it is; Save all saves each (asking where
// for a network without a file), then the program ends. A saved network is
// not named.
TEST_F(WindowManager, QuitAsksAboutEveryUnsavedNetworkOnce) {
  auto manager = startManager();
  TReact_Net_Wind& saved = generatedWindow(*manager, QStringLiteral("saved"), {testing::LinearAlkane(2)});
  ASSERT_TRUE(saved.session().Save(file(QStringLiteral("saved.rnw")).toStdString(), ""));
  TReact_Net_Wind& renamed = generatedWindow(*manager, QStringLiteral("named"), {testing::LinearAlkane(3)});
  ASSERT_TRUE(renamed.session().Save(file(QStringLiteral("named.rnw")).toStdString(), "propane"));
  renamed.editNetwork(QStringLiteral("Rename component"), [](TReactionNetwork& network) {
    network.Component(4)->Name = "propane";
    return true;
  });
  generatedWindow(*manager, QStringLiteral("new"), {testing::LinearAlkane(4)});
  manager->refresh();
  EXPECT_EQ(Lines(*manager->windowList()),
            (QStringList{"[ 0 ] - saved", "[ 1 ] - named *", "[ 2 ] - new *"}));
  SaveScreenshot(*manager, QStringLiteral("main_window_unsaved"));
  SaveScreenshot(renamed, QStringLiteral("network_window_modified"));

  const QString unsaved = QStringLiteral("  named (named.rnw)\n  new");
  expectQuitQuestion(unsaved, 2);
  EXPECT_FALSE(manager->close());
  EXPECT_EQ(manager->windowCount(), 3u);

  expectQuitQuestion(unsaved, 0);
  dialogs.expectSaveFile(QStringLiteral("Reaction Network Files|*.rnw"), file(QStringLiteral("new.rnw")))
      .expectInput(QStringLiteral("Advanced infromation"), QStringLiteral("Note that will be saved to file"), QString(),
                   QStringLiteral("n-butane"));
  EXPECT_TRUE(manager->close());
  EXPECT_EQ(manager->windowCount(), 0u);
  auto named = TNetworkSession::Load(file(QStringLiteral("named.rnw")).toStdString());
  ASSERT_TRUE(named);
  EXPECT_EQ(named.value().Session->Network().Component(4)->Name, "propane");
  auto added = TNetworkSession::Load(file(QStringLiteral("new.rnw")).toStdString());
  ASSERT_TRUE(added);
  EXPECT_EQ(added.value().Session->Note(), "n-butane");
}

// Erasing a network with unsaved changes offers to save it; Cancel keeps
// it, Save keeps its work in a file, Discard drops it.
TEST_F(WindowManager, EreaseOffersToSaveAnUnsavedNetwork) {
  auto manager = startManager();
  for (const char* name : {"a", "b"}) generatedWindow(*manager, QString::fromLatin1(name), {testing::LinearAlkane(2)});
  const QStringList buttons{QStringLiteral("Save"), QStringLiteral("Discard"), QStringLiteral("Cancel")};
  auto expectErase = [&](const char* name, int answer) {
    dialogs.expectChoice(QStringLiteral("WARNING"),
                         QStringLiteral("Reaction network \"%1\" has changes that were not saved. Save them before it "
                                        "is ereased?")
                             .arg(QString::fromLatin1(name)),
                         buttons, 0, 2, answer);
  };
  manager->windowList()->setCurrentRow(0);
  expectErase("a", 2);
  manager->ereaseSelected();
  EXPECT_EQ(manager->windowCount(), 2u);
  expectErase("a", 0);
  dialogs.expectSaveFile(QStringLiteral("Reaction Network Files|*.rnw"), file(QStringLiteral("a.rnw")))
      .expectInput(QStringLiteral("Advanced infromation"), QStringLiteral("Note that will be saved to file"), QString(),
                   QString());
  manager->ereaseSelected();
  EXPECT_EQ(manager->windowCount(), 1u);
  EXPECT_TRUE(QFile::exists(file(QStringLiteral("a.rnw"))));
  EXPECT_EQ(manager->recentFiles(), QStringList{file(QStringLiteral("a.rnw"))});
  manager->windowList()->setCurrentRow(0);
  expectErase("b", 1);
  manager->ereaseSelected();
  EXPECT_EQ(manager->windowCount(), 0u);
}

// n-hexane beside a drawn propene, which n-hexane's reactions also form:
// saved and opened again, propene is still a feed, so removing n-hexane
// keeps propene and what it makes, as in the network before saving.
TEST_F(WindowManager, ASavedNetworkKeepsItsFeeds) {
  auto manager = startManager();
  TReact_Net_Wind& original =
      generatedWindow(*manager, QStringLiteral("original"), {testing::LinearAlkane(6), "C C C; 0-1 1=2"});
  const QString path = file(QStringLiteral("feeds.rnw"));
  ASSERT_TRUE(original.session().Save(path.toStdString(), "two feeds"));
  dialogs
      .expectQuestion(QStringLiteral("WARNING"),
                      QStringLiteral("The file \"%1\" is already open in the reaction network window \"original\". "
                                     "Open another copy?")
                          .arg(path),
                      true)
      .expectMessage(kNoteCaption, QStringLiteral("two feeds"));
  manager->openFiles({path});
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  ASSERT_EQ(manager->windowCount(), 2u);
  TReact_Net_Wind& reopened = *manager->window(1);
  EXPECT_EQ(reopened.name(), "feeds");
  for (TReact_Net_Wind* window : {&original, &reopened}) {
    testing::ShowPage(*window, window->componentsPage());
    testing::SelectRow(*window->componentsPage()->list(), 4);
    dialogs.expectQuestion(QStringLiteral("WARNING"),
                           QStringLiteral("Action will remove all realted components and reactions, continue?"), true);
    window->componentsPage()->removeComponent();
  }
  EXPECT_GE(reopened.network().FindComponent(*testing::MoleculeFrom("C C C; 0-1 1=2")), 0);
  EXPECT_EQ(reopened.network().ComponentCount(), original.network().ComponentCount());
  EXPECT_EQ(reopened.network().ReactionCount(), original.network().ReactionCount());
}

// Network files come in from the command line, by a drop on the main window
// and from the recent files of the menu, which keeps the newest first.
TEST_F(WindowManager, OpensFilesGivenDroppedAndRecent) {
  const QString ethane = SharedTestFile(QStringLiteral("networks/ethane.rnw"));
  QFile::copy(ethane, file(QStringLiteral("copy.rnw")));
  auto manager = startManager();
  dialogs.expectMessage(kNoteCaption, kEthaneNote);
  manager->openFiles({ethane});
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  EXPECT_EQ(manager->window(0)->name(), "ethane");

  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file(QStringLiteral("copy.rnw"))), QUrl::fromLocalFile(file(QStringLiteral("x.txt")))});
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(manager.get(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  dialogs.expectMessage(kNoteCaption, kEthaneNote);
  QCoreApplication::sendEvent(manager.get(), &drop);
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  ASSERT_EQ(manager->windowCount(), 2u);
  EXPECT_EQ(manager->window(1)->name(), "copy");
  EXPECT_EQ(manager->recentFiles(), (QStringList{file(QStringLiteral("copy.rnw")), ethane}));

  // A new start reads the list back; its menu opens the file again.
  manager.reset();
  manager = startManager();
  dialogs.expectMessage(kNoteCaption, kEthaneNote);
  testing::TriggerAction(*manager, QStringLiteral("&2 ") + ethane);
  ASSERT_TRUE(testing::WaitForLoads(*manager));
  ASSERT_EQ(manager->windowCount(), 1u);
  EXPECT_EQ(manager->recentFiles(), (QStringList{ethane, file(QStringLiteral("copy.rnw"))}));
}

TEST(RecentFiles, NewestFirstOnceEachAtMostEight) {
  QStringList recent;
  for (int k = 0; k < 10; ++k) recent = WithRecentFile(recent, QStringLiteral("f%1").arg(k));
  EXPECT_EQ(recent, (QStringList{"f9", "f8", "f7", "f6", "f5", "f4", "f3", "f2"}));
  EXPECT_EQ(WithRecentFile(recent, QStringLiteral("f5")).mid(0, 3), (QStringList{"f5", "f9", "f8"}));
  EXPECT_EQ(WithRecentFile(recent, QStringLiteral("f5")).size(), 8);
}

// A run that ends without cleaning up (here a child process that writes its
// copy and exits at once, as a crash would) leaves its copy; the next start
// offers it, and Restore opens it as a window with its name and file,
// marked as changed. A clean end leaves no copy behind.
TEST_F(WindowManager, RecoveryCopiesOfARunThatDidNotEndAreOffered) {
  const QString original = file(QStringLiteral("work.rnw"));
  // A run that ends at once, with a copy or (one that had nothing unsaved) without.
  auto crashedRun = [&](bool withCopy) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      TRecoveryStore store(context.RecoveryDirectory);
      TNetworkSession session;
      testing::AddFeed(session.Network(), testing::LinearAlkane(3));
      session.Recovered(original.toStdString());
      if (withCopy) store.update(7, QStringLiteral("day's work"), session);
      store.flush();
      _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  };
  crashedRun(true);
  crashedRun(false);

  auto manager = startManager();
  dialogs.expectChoiceContaining(QStringLiteral("Recovery"), QStringLiteral("\n\n  day's work (work.rnw), written "),
                                 {QStringLiteral("Restore"), QStringLiteral("Discard")}, 0, 0, 0);
  manager->offerRecovery();
  ASSERT_EQ(manager->windowCount(), 1u);
  TReact_Net_Wind& restored = *manager->window(0);
  EXPECT_EQ(restored.name(), "day's work");
  EXPECT_EQ(restored.session().FileName(), original.toStdString());
  EXPECT_TRUE(restored.isWindowModified());
  EXPECT_EQ(restored.network().ComponentCount(), 5u);

  // Nothing is offered twice, and nothing of the ended runs stays; this
  // run's own copies go with a clean end.
  manager->offerRecovery();
  manager->writeRecoveryFiles();
  const QDir recovery(context.RecoveryDirectory);
  // This run's copy, written on the store's thread.
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !recovery.entryList({QStringLiteral("*")}, QDir::Dirs | QDir::NoDotAndDotDot).isEmpty(); }, 10000));
  EXPECT_EQ(recovery.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
  EXPECT_EQ(QDir(context.RecoveryDirectory).entryList({QStringLiteral("*.lock")}, QDir::Files).size(), 1);
  expectQuitQuestion(QStringLiteral("  day's work (work.rnw)"), 1);
  EXPECT_TRUE(manager->close());
  manager.reset();
  EXPECT_TRUE(QDir(context.RecoveryDirectory).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

}  // namespace
}  // namespace korvane::gui
