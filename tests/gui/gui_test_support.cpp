// The window tests share one QApplication on the offscreen platform, made
// before the first test, with English number formats so texts compare alike
// on every machine.

#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <memory>

namespace korvane::testing {
namespace {

class GuiTestEnvironment : public ::testing::Environment {
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    m_application = std::make_unique<QApplication>(m_argc, m_argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Korvane v1.0"));
  }
  void TearDown() override { m_application.reset(); }

  int m_argc = 1;
  char m_name[32] = "korvane_gui_tests";
  char* m_argv[2] = {m_name, nullptr};
  std::unique_ptr<QApplication> m_application;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiTestEnvironment);

}  // namespace

void SaveScreenshot(QWidget& widget, const QString& name) {
  const QDir folder(QStringLiteral(KORVANE_SCREENSHOT_DIR));
  folder.mkpath(QStringLiteral("."));
  // Layouts of texts just set are redone first, as the event loop would.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
  widget.grab().save(folder.filePath(name + QStringLiteral(".png")));
}

void TriggerAction(QWidget& window, const QString& text) {
  for (QAction* action : window.findChildren<QAction*>())
    if (action->text() == text) {
      action->trigger();
      return;
    }
  ADD_FAILURE() << "no action \"" << text.toStdString() << "\" in " << window.windowTitle().toStdString();
}

QString SharedTestFile(const QString& relativePath) {
  return QDir::cleanPath(QStringLiteral(KORVANE_TEST_DATA "/reference/") + relativePath);
}

}  // namespace korvane::testing
