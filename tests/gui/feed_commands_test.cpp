#include "gui/feed_commands.h"

#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include "app/network_file.h"
#include "gui/database_list_window.h"
#include "gui/network_window.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::gui {
namespace {

using testing::ClickButton;
using testing::SharedTestFile;

using FeedCommands = testing::GuiTest;

TEST_F(FeedCommands, PropaneFromTheSampleDatabaseGivesTheBatchToolsNetwork) {
  auto manager = startManager();
  const QString sample = SharedTestFile(QStringLiteral("sample.mdb"));
  TReact_Net_Wind& window = testing::NewWindow(dialogs, *manager, QStringLiteral("feeds"));
  dialogs.expectMessage(QString(), QStringLiteral("No DataBase was opened."));
  ClickButton(window, QStringLiteral("Add from DBase"));

  dialogs.expectOpenFile(QStringLiteral("Molecullar DataBase Files *.mdb|*mdb"), sample);
  expectEditorQuestion(false);
  dialogs.expectWindow(QStringLiteral("DBListSample hydrocarbons"), [](QDialog& dialog) {
    auto& list = static_cast<TDBList_Win&>(dialog);
    QTest::keyClicks(list.searchField(), QStringLiteral("C3H8"));
    QTest::keyClick(list.searchField(), Qt::Key_Return);
    ClickButton(list, QStringLiteral("Accept selection"));
    return dialog.result();
  });
  manager->openDatabase();
  ClickButton(window, QStringLiteral("Add from DBase"));
  ASSERT_EQ(window.network().ComponentCount(), 5u);
  EXPECT_EQ(window.network().Component(4)->Name, "propane");  // the entry's name, at once

  dialogs.expectMessage(QStringLiteral("Reaction network \"feeds\""), QStringLiteral("Generation succesfully completed."));
  window.generate();
  ASSERT_TRUE(dialogs.waitUntilFinished());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isGenerating(); }, 5000));
  ClickButton(window, QStringLiteral("Name components (DB)"));

  const QString batch = file(QStringLiteral("batch.rnw"));
  QProcess tool;
  tool.start(QStringLiteral(KORVANE_CLI), {QStringLiteral("generate"), QStringLiteral("db:propane"),
                                           QStringLiteral("--db"), sample, QStringLiteral("-o"), batch});
  ASSERT_TRUE(tool.waitForFinished(60000));
  ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  const std::vector<std::uint8_t> bytes = EncodeNetworkFile(window.network(), "").value();
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())),
            testing::ReadFile(batch));
  EXPECT_GT(window.network().ReactionCount(), 5u);
}

}  // namespace
}  // namespace korvane::gui
