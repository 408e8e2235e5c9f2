#pragma once
/// Files dropped on a window: the main window opens network files, a
/// network window adds structure files as feeds.

#include <QMimeData>
#include <QStringList>
#include <QUrl>

namespace korvane::gui {

/// The local files among the dropped URLs whose names end with `suffix`
/// (".rnw"), in the order dropped; any case of the suffix.
inline QStringList DroppedFiles(const QMimeData* data, const QString& suffix) {
  QStringList files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && url.toLocalFile().endsWith(suffix, Qt::CaseInsensitive)) files << url.toLocalFile();
  return files;
}

}  // namespace korvane::gui
