#include "gui/application.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>
#include <filesystem>

#include "database/bundled_database.h"
#include "gui/window_manager.h"
#include "gui/window_placement.h"

namespace korvane::gui {

int RunKorvane(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("korvane"));
  QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
  QtDialogSeam dialogs;
  // Every window fits its screen, with scroll bars where its content needs
  // more room (a small screen, or a large scale factor).
  application.installEventFilter(NewScreenFitFilter(&application));
  const std::filesystem::path bundled =
      BundledDatabasePath(QApplication::applicationFilePath().toStdString());
  // The user's settings; recovery copies in the program's data folder.
  GuiContext context{dialogs,
                     KineticParameters(),
                     nullptr,
                     QDir::currentPath(),
                     QString::fromStdString(bundled.string()),
                     nullptr,
                     QString(),
                     QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                         .filePath(QStringLiteral("recovery"))};
  context.UserGuide = QString::fromStdString(UserGuidePath(QApplication::applicationFilePath().toStdString()).string());
  TGen_Wind_Manager manager(context);
  dialogs.setParent(&manager);
  manager.show();
  manager.offerRecovery();
  manager.openFiles(application.arguments().mid(1));
  return application.exec();
}

}  // namespace korvane::gui
