// The window tests share one QApplication on the offscreen platform, made
// before the first test, with English number formats so texts compare alike
// on every machine.

#include "gui_test_support.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <memory>
#include <stdexcept>

#include <QTest>

#include "gui/network_window.h"
#include "gui/sketch_area.h"
#include "gui/structure_editor.h"
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

QString FieldText(const QWidget& parent, const char* name) {
  if (auto* label = parent.findChild<QLabel*>(QString::fromLatin1(name))) return label->text();
  if (auto* edit = parent.findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
  ADD_FAILURE() << "no field \"" << name << "\" in " << parent.windowTitle().toStdString();
  return {};
}

QStringList Lines(const QAbstractItemView& list) {
  QStringList lines;
  for (int row = 0; row < list.model()->rowCount(); ++row) lines << list.model()->index(row, 0).data().toString();
  return lines;
}

gui::TReact_Net_Wind& NewWindow(ScriptedDialogs& dialogs, gui::TGen_Wind_Manager& manager, const QString& name) {
  dialogs.expectInput(QStringLiteral("Enter window name"), QStringLiteral("Window name"),
                      QStringLiteral("RN_Window #%1").arg(manager.windowCount()), name);
  manager.newWindow();
  EXPECT_TRUE(dialogs.finished());
  if (manager.windowCount() == 0) throw std::runtime_error("no network window was made");
  return *manager.window(manager.windowCount() - 1);
}

bool WaitForLoads(gui::TGen_Wind_Manager& manager) {
  return QTest::qWaitFor([&manager] { return !manager.isLoading(); }, 30000);
}

void TriggerAction(QWidget& window, const QString& text) {
  for (QAction* action : window.findChildren<QAction*>())
    if (action->text() == text) {
      action->trigger();
      return;
    }
  ADD_FAILURE() << "no action \"" << text.toStdString() << "\" in " << window.windowTitle().toStdString();
}

void ClickSketch(gui::TStruct_Edit& editor, QPoint point) {
  QTest::mouseClick(editor.drawingArea(), Qt::LeftButton, {}, point);
}

void ClickAtom(gui::TStruct_Edit& editor, std::size_t atom) {
  for (const SketchLabel& label : editor.sketch().Labels())
    if (label.Atom == atom) ClickSketch(editor, QPoint(label.Corner.X + 3, label.Corner.Y + 3));
}

void DrawPropene(gui::TStruct_Edit& editor) {
  TriggerAction(editor, QStringLiteral("C"));
  for (QPoint at : {QPoint(120, 200), QPoint(200, 150), QPoint(280, 200)}) ClickSketch(editor, at);
  for (auto [bond, first] : {std::pair{"1x", 0}, {"2x", 1}}) {
    TriggerAction(editor, QString::fromLatin1(bond));
    ClickAtom(editor, first);
    ClickAtom(editor, first + 1);
  }
  TriggerAction(editor, QStringLiteral("Complete structure by including H"));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) ADD_FAILURE() << "cannot read " << path.toStdString();
  return file.readAll();
}

QString ScreenshotFile(const QString& name) {
  const QDir folder(QStringLiteral(KORVANE_SCREENSHOT_DIR));
  folder.mkpath(QStringLiteral("."));
  return folder.filePath(name);
}

QString SourceReadme() { return QDir::cleanPath(QStringLiteral(KORVANE_TEST_DATA "/../../README.md")); }

QString SharedTestFile(const QString& relativePath) {
  return QDir::cleanPath(QStringLiteral(KORVANE_TEST_DATA "/reference/") + relativePath);
}

}  // namespace korvane::testing
