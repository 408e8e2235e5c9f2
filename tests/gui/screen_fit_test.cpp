#include <QApplication>
#include <QListView>
#include <QRect>
#include <utility>
#include <vector>

#include "gui/about_window.h"
#include "gui/component_detail_window.h"
#include "gui/equation_export_window.h"
#include "gui/global_settings_window.h"
#include "gui/help_window.h"
#include "gui/reaction_detail_window.h"
#include "gui/structure_editor.h"
#include "gui/window_manager.h"
#include "gui/window_placement.h"
#include "hexane_window.h"

namespace korvane {
namespace {

using namespace gui;

class ScreenFit : public testing::GuiTest {};

// Every window fits a 1366 x 768 screen (less a 40-pixel panel) and a
// 1600 x 1000 screen at scale factor 2 (800 x 500 logical pixels): what
// does not fit scrolls, so the window's own minimum fits the screen.
TEST_F(ScreenFit, EveryWindowFitsASmallOrScaledScreen) {
  context.UserGuide = testing::SourceReadme();
  auto manager = startManager();
  auto network = testing::HexaneWindow(context);
  testing::ShowPage(*network, network->componentsPage());
  testing::SelectRow(*network->componentsPage()->list(), 4);
  network->componentsPage()->viewDetails();
  testing::ShowPage(*network, network->reactionsPage());
  testing::SelectRow(*network->reactionsPage()->list(), 3);
  network->reactionsPage()->viewDetails();
  manager->showUserGuide();
  const std::vector<std::pair<const char*, QWidget*>> windows = {
      {"main_window", manager.get()},
      {"network_window", network.get()},
      {"component_detail", &network->componentsPage()->detailWindow()},
      {"reaction_detail", &network->reactionsPage()->detailWindow()},
      {"global_settings", manager->findChild<TGlob_Set*>()},
      {"equation_export", manager->findChild<TEqExporterWind*>()},
      {"about", manager->findChild<TAboutWin*>()},
      {"structure_editor", manager->structureEditor()},
      {"user_guide", manager->userGuide()},
  };
  for (const QRect& room : {QRect(0, 0, 1366, 728), QRect(0, 0, 800, 500)}) {
    for (const auto& [name, window] : windows) {
      SCOPED_TRACE(std::string(name) + " in " + std::to_string(room.width()) + "x" + std::to_string(room.height()));
      ASSERT_NE(window, nullptr);
      window->show();
      FitInside(*window, room);
      EXPECT_TRUE(room.contains(QRect(window->pos(), window->size() + QSize(8, 32))));
      const QSize needed = window->minimumSizeHint().expandedTo(window->minimumSize());
      EXPECT_LE(needed.width() + 8, room.width());
      EXPECT_LE(needed.height() + 32, room.height());
      if (room.width() == 800) {
        QApplication::processEvents();  // the scroll area lays its content out
        testing::SaveScreenshot(*window, QStringLiteral("fit_800x500_") + QLatin1String(name));
      }
    }
  }
}

}  // namespace
}  // namespace korvane
