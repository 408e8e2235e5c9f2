#pragma once
/// The context-menu entries of every molecule picture and chart: "Save as
/// PNG…", "Save as SVG…", "Copy", and "Export data (CSV)…" for charts or
/// "Copy SMILES" for molecules. File names come through the dialog seam;
/// a file is written whole or not at all, and a failure is said in a message.

#include <QImage>
#include <QList>
#include <QString>
#include <functional>
#include <string>

class QAction;
class QWidget;

namespace korvane::gui {

class DialogSeam;

/// What an entry saves or copies, asked for when it is chosen. An empty
/// image means nothing is shown (the entries then do nothing); a function
/// left empty leaves its entry out.
struct PictureSources {
  std::function<QImage()> Image;
  std::function<std::string()> Svg;
  /// Charts: their data as CSV.
  std::function<std::string()> Csv;
  /// Molecules: the canonical SMILES, empty when none names the structure.
  std::function<std::string()> Smiles;
};

/// The entries of one widget, shown when it is right-clicked.
class PictureActions {
 public:
  PictureActions(QWidget& widget, PictureSources sources);

  /// Where the save entries ask for file names; until this is called they
  /// are disabled (a picture shown where no dialogs are at hand).
  void enableSaving(DialogSeam& dialogs, const QString& directory);

  /// The entries, in menu order.
  const QList<QAction*>& actions() const { return m_actions; }

 private:
  void save(const QString& filter, const std::function<QString(const QString& path)>& write);

  QWidget& m_widget;
  PictureSources m_sources;
  DialogSeam* m_dialogs = nullptr;
  QString m_directory;
  QList<QAction*> m_actions;
  QList<QAction*> m_saving;
};

}  // namespace korvane::gui
