#include "gui/application.h"

#include <QApplication>
#include <QDir>
#include <filesystem>

#include "database/bundled_database.h"
#include "gui/window_manager.h"

namespace korvane::gui {

int RunKorvane(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("korvane"));
  QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
  QtDialogSeam dialogs;
  const std::filesystem::path bundled =
      BundledDatabasePath(QApplication::applicationFilePath().toStdString());
  GuiContext context{dialogs, KineticParameters(), nullptr, QDir::currentPath(),
                     QString::fromStdString(bundled.string())};
  TGen_Wind_Manager manager(context);
  dialogs.setParent(&manager);
  manager.show();
  return application.exec();
}

}  // namespace korvane::gui
