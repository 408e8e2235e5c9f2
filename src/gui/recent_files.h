#pragma once
/// The "Recent files" of the Reaction network menu: the last network files
/// opened or saved, newest first, kept in the program's settings.

#include <QString>
#include <QStringList>

namespace korvane::gui {

/// How many recent files the menu keeps.
inline constexpr qsizetype kRecentFileCount = 8;

/// `recent` with `fileName` in front (moved there when it was already
/// listed), cut to kRecentFileCount names.
QStringList WithRecentFile(QStringList recent, const QString& fileName);

/// The list as stored in the settings file `settingsFile` (Qt's ini format),
/// or in the user's settings of the program when it is empty.
QStringList LoadRecentFiles(const QString& settingsFile);
void StoreRecentFiles(const QString& settingsFile, const QStringList& recent);

}  // namespace korvane::gui
