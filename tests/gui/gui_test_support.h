#pragma once
/// What the window tests share: screenshots into the build tree and the
/// shared test files.

#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

class QPushButton;

namespace korvane::gui {
class TGen_Wind_Manager;
class TReact_Net_Wind;
}  // namespace korvane::gui

/// Test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace korvane::testing {

/// Writes the widget as it looks now to <build>/screenshots/<name>.png.
void SaveScreenshot(QWidget& widget, const QString& name);

/// The child of `parent` with this type and object name; fails the test
/// when there is none.
template <class Widget>
Widget* Named(const QWidget& parent, const char* name) {
  auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
  if (!child) ADD_FAILURE() << "no widget \"" << name << "\" in " << parent.windowTitle().toStdString();
  return child;
}

/// The push button of `parent` with this caption; fails the test when there
/// is none.
QPushButton* ButtonCaptioned(const QWidget& parent, const QString& caption);
/// Clicks the push button of `parent` with this caption.
void ClickButton(const QWidget& parent, const QString& caption);

class ScriptedDialogs;
/// A new network window of `manager`, named `name` in the name box.
gui::TReact_Net_Wind& NewWindow(ScriptedDialogs& dialogs, gui::TGen_Wind_Manager& manager, const QString& name);

/// Triggers the window's menu item or action with this text; fails the test
/// when there is none.
void TriggerAction(QWidget& window, const QString& text);

/// A file of the test data that an independent implementation wrote
/// (structures, networks, databases).
QString SharedTestFile(const QString& relativePath);

}  // namespace korvane::testing
