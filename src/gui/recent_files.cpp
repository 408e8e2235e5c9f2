#include "gui/recent_files.h"

#include <QSettings>
#include <memory>

namespace korvane::gui {
namespace {

const QString kKey = QStringLiteral("recentNetworkFiles");

std::unique_ptr<QSettings> Settings(const QString& settingsFile) {
  if (settingsFile.isEmpty()) return std::make_unique<QSettings>(QStringLiteral("korvane"), QStringLiteral("korvane"));
  return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat);
}

}  // namespace

QStringList WithRecentFile(QStringList recent, const QString& fileName) {
  recent.removeAll(fileName);
  recent.prepend(fileName);
  while (recent.size() > kRecentFileCount) recent.removeLast();
  return recent;
}

QStringList LoadRecentFiles(const QString& settingsFile) {
  QStringList recent = Settings(settingsFile)->value(kKey).toStringList();
  recent.removeAll(QString());
  while (recent.size() > kRecentFileCount) recent.removeLast();
  return recent;
}

void StoreRecentFiles(const QString& settingsFile, const QStringList& recent) {
  Settings(settingsFile)->setValue(kKey, recent);
}

}  // namespace korvane::gui
