#include "gui/feed_commands.h"

#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "app/network_file.h"
#include "gui/database_list_window.h"
#include "gui/network_window.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::gui {
namespace {

using testing::SharedTestFile;

void Press(QWidget& window, const QString& caption) {
  for (QPushButton* button : window.findChildren<QPushButton*>())
    if (button->text() == caption) return button->click();
  ADD_FAILURE() << "no button " << caption.toStdString();
}

using FeedCommands = testing::GuiTest;

TEST_F(FeedCommands, PropaneFromTheSampleDatabaseGivesTheBatchToolsNetwork) {
  auto manager = startManager();
  const QString sample = SharedTestFile(QStringLiteral("sample.mdb"));
  dialogs.expectInput(QStringLiteral("Enter window name"), QStringLiteral("Window name"), QStringLiteral("RN_Window #0"),
                      QStringLiteral("feeds"));
  manager->newWindow();
  TReact_Net_Wind& window = *manager->window(0);
  dialogs.expectMessage(QString(), QStringLiteral("No DataBase was opened."));
  Press(window, QStringLiteral("Add from DBase"));

  dialogs.expectOpenFile(QStringLiteral("Molecullar DataBase Files *.mdb|*mdb"), sample)
      .expectQuestion(QStringLiteral("Use DBEditor now?"), QStringLiteral("Do you wish open selected DB in DBEditor now?"),
                      false)
      .expectWindow(QStringLiteral("DBListSample hydrocarbons"), [](QDialog& dialog) {
        auto& list = static_cast<TDBList_Win&>(dialog);
        QTest::keyClicks(list.searchField(), QStringLiteral("C3H8"));
        QTest::keyClick(list.searchField(), Qt::Key_Return);
        Press(list, QStringLiteral("Accept selection"));
        return dialog.result();
      });
  manager->openDatabase();
  Press(window, QStringLiteral("Add from DBase"));
  ASSERT_EQ(window.network().ComponentCount(), 5u);

  dialogs.expectMessage(QString(), QStringLiteral("Generation succesfully completed."));
  window.generate();
  ASSERT_TRUE(dialogs.waitUntilFinished());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isGenerating(); }, 5000));
  Press(window, QStringLiteral("Name components (DB)"));

  const QString batch = file(QStringLiteral("batch.rnw"));
  QProcess tool;
  tool.start(QStringLiteral(KORVANE_CLI), {QStringLiteral("generate"), QStringLiteral("db:propane"),
                                           QStringLiteral("--db"), sample, QStringLiteral("-o"), batch});
  ASSERT_TRUE(tool.waitForFinished(60000));
  ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
  QFile written(batch);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray expected = written.readAll();
  const std::vector<std::uint8_t> bytes = EncodeNetworkFile(window.network(), "");
  EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())), expected);
  EXPECT_GT(window.network().ReactionCount(), 5u);
}

}  // namespace
}  // namespace korvane::gui
