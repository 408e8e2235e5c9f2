// korvane: the desktop program.

#include <QApplication>

#include "gui/application.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return korvane::gui::RunKorvane(application);
}
