#pragma once
/// What the window tests share: screenshots into the build tree and the
/// shared test files.

#include <QAbstractItemView>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>
#include <ostream>

namespace korvane::gui {
class TGen_Wind_Manager;
class TReact_Net_Wind;
class TStruct_Edit;
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

/// The button or box of `parent` with this caption; fails the test when
/// there is none.
template <class Widget = QPushButton>
Widget* Captioned(const QWidget& parent, const QString& caption) {
  for (Widget* each : parent.findChildren<Widget*>())
    if (each->text() == caption) return each;
  ADD_FAILURE() << "no \"" << caption.toStdString() << "\" in " << parent.windowTitle().toStdString();
  return nullptr;
}
/// Clicks the push button of `parent` with this caption.
inline void ClickButton(const QWidget& parent, const QString& caption) {
  if (QPushButton* button = Captioned(parent, caption)) button->click();
}

/// The text of the label or line edit of `parent` with this object name.
QString FieldText(const QWidget& parent, const char* name);
/// The lines of a list, top to bottom.
QStringList Lines(const QAbstractItemView& list);
/// Makes `row` the current line of the list.
inline void SelectRow(QAbstractItemView& list, int row) { list.setCurrentIndex(list.model()->index(row, 0)); }

class ScriptedDialogs;
/// A new network window of `manager`, named `name` in the name box.
gui::TReact_Net_Wind& NewWindow(ScriptedDialogs& dialogs, gui::TGen_Wind_Manager& manager, const QString& name);

/// Waits until the main window has read every network file it was given
/// (files load on a worker thread); false after 30 s.
bool WaitForLoads(gui::TGen_Wind_Manager& manager);

/// Triggers the window's menu item or action with this text; fails the test
/// when there is none.
void TriggerAction(QWidget& window, const QString& text);

/// Clicks the structure editor's drawing area at `point`.
void ClickSketch(gui::TStruct_Edit& editor, QPoint point);
/// Clicks the label of `atom` in the structure editor's drawing.
void ClickAtom(gui::TStruct_Edit& editor, std::size_t atom);
/// Draws propene as a user does: three carbons (atoms 0 to 2) clicked into
/// place, a single and a double bond, hydrogens completed.
void DrawPropene(gui::TStruct_Edit& editor);

/// Writes `bytes` to the file; fails the test when it cannot.
void WriteFile(const QString& path, const QByteArray& bytes);
/// The file's whole content; fails the test when it cannot be read.
QByteArray ReadFile(const QString& path);

/// A file of the test data that an independent implementation wrote
/// (structures, networks, databases).
QString SharedTestFile(const QString& relativePath);
/// A file in <build>/screenshots, for pictures the program itself saves.
QString ScreenshotFile(const QString& name);
/// The project's README, the user guide the program ships.
QString SourceReadme();

}  // namespace korvane::testing
