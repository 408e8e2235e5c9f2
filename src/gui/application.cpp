#include "gui/application.h"

#include <QApplication>

#include "gui/window_manager.h"

namespace korvane::gui {

int RunKorvane(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("korvane"));
  QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
  QtDialogSeam dialogs;
  GuiContext context{dialogs, KineticParameters(), nullptr, QApplication::applicationDirPath()};
  TGen_Wind_Manager manager(context);
  dialogs.setParent(&manager);
  manager.show();
  return application.exec();
}

}  // namespace korvane::gui
