#pragma once
/// What the window tests share: screenshots into the build tree and the
/// shared test files.

#include <QString>
#include <QWidget>
#include <ostream>

/// Test failures print texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace korvane::testing {

/// Writes the widget as it looks now to <build>/screenshots/<name>.png.
void SaveScreenshot(QWidget& widget, const QString& name);

/// Triggers the window's menu item or action with this text; fails the test
/// when there is none.
void TriggerAction(QWidget& window, const QString& text);

/// A file of the test data that an independent implementation wrote
/// (structures, networks, databases).
QString SharedTestFile(const QString& relativePath);

}  // namespace korvane::testing
