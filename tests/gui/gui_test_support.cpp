// The window tests share one QApplication on the offscreen platform, made
// before the first test, with English number formats so texts compare alike
// on every machine.

#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPushButton>
#include <memory>
#include <stdexcept>

#include "gui/network_window.h"
#include "gui/window_manager.h"
#include "scripted_dialogs.h"

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

QPushButton* ButtonCaptioned(const QWidget& parent, const QString& caption) {
  for (QPushButton* button : parent.findChildren<QPushButton*>())
    if (button->text() == caption) return button;
  ADD_FAILURE() << "no button \"" << caption.toStdString() << "\" in " << parent.windowTitle().toStdString();
  return nullptr;
}

void ClickButton(const QWidget& parent, const QString& caption) {
  if (QPushButton* button = ButtonCaptioned(parent, caption)) button->click();
}

gui::TReact_Net_Wind& NewWindow(ScriptedDialogs& dialogs, gui::TGen_Wind_Manager& manager, const QString& name) {
  dialogs.expectInput(QStringLiteral("Enter window name"), QStringLiteral("Window name"),
                      QStringLiteral("RN_Window #%1").arg(manager.windowCount()), name);
  manager.newWindow();
  EXPECT_TRUE(dialogs.finished());
  if (manager.windowCount() == 0) throw std::runtime_error("no network window was made");
  return *manager.window(manager.windowCount() - 1);
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
