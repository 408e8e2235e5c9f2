#include "gui/dialog_seam.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace korvane::gui {
namespace {

// Filters in the program's "text|patterns" form: Qt's form, and the
// extension a save dialog adds (the first pattern's, when it has one).
TEST(DialogSeam, FiltersTakeQtsFormAndGiveTheSaveExtension) {
  const struct {
    const char* filter;
    const char* qt;
    const char* suffix;
  } cases[] = {
      {"", "", ""},
      {"Reaction network files|*.rnw", "Reaction network files (*.rnw)", "rnw"},
      {"Molecullar DataBase Files *.mdb|*mdb", "Molecullar DataBase Files *.mdb (*mdb)", ""},
      {"Molecullar Structure Files *.mdb|*.ms", "Molecullar Structure Files *.mdb (*.ms)", "ms"},
      {"Structures|*.ms;*.mol|All|*", "Structures (*.ms *.mol);;All (*)", "ms"},
      {"All|*", "All (*)", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(QtFileFilter(QString::fromLatin1(c.filter)), c.qt) << c.filter;
    EXPECT_EQ(DefaultSuffix(QString::fromLatin1(c.filter)), c.suffix) << c.filter;
  }
}

// Qt's boxes open over the window the user works in and leave it in front:
// the active one, or the one last active when the focus has gone (as after
// a file dialog), never the program's main window by default.
TEST(DialogSeam, BoxesOpenOverTheAskingWindowAndLeaveItInFront) {
  QWidget main, network;
  main.setWindowTitle(QStringLiteral("main"));
  network.setWindowTitle(QStringLiteral("network"));
  main.show();
  network.show();
  QtDialogSeam seam(&main);
  QApplication::setActiveWindow(&network);
  network.setFocus();
  QApplication::processEvents();

  auto answerNextBox = [](QWidget** parent) {
    QTimer::singleShot(0, [parent] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      *parent = box->parentWidget();
      // Wide enough for its title, which may name a network, and the
      // program's name after it, in a bold title bar.
      QFont bold = box->font();
      bold.setBold(true);
      const QString shown = box->windowTitle() + QStringLiteral(" \u2014 ") + QApplication::applicationDisplayName();
      EXPECT_GT(box->width(), QFontMetrics(bold).horizontalAdvance(shown));
      box->accept();
    });
  };
  QWidget* parent = nullptr;
  answerNextBox(&parent);
  seam.message(QStringLiteral("Reaction network \"a network with a rather long name that tells it from the others "
                              "of the session\""),
               QStringLiteral("Saved."));
  EXPECT_EQ(parent, &network);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&network, 1000));

  QApplication::setActiveWindow(nullptr);  // no window active for a moment
  parent = nullptr;
  answerNextBox(&parent);
  seam.message(QStringLiteral("ERROR"), QStringLiteral("Failed."));
  EXPECT_EQ(parent, &network);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&network, 1000));
}

}  // namespace
}  // namespace korvane::gui
