// What every window of the program must do: fit a small or scaled screen,
// and say in a tooltip what each button does.

#include <QAbstractButton>
#include <QApplication>
#include <QListView>
#include <QRect>
#include <QStringList>
#include <QTabWidget>
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

// The main window, the n-hexane network window with the detail windows of a
// component and a reaction, and the windows the main window owns.
class EveryWindow : public testing::GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    context.UserGuide = testing::SourceReadme();
    manager = startManager();
    network = testing::HexaneWindow(context);
    testing::ShowPage(*network, network->componentsPage());
    testing::SelectRow(*network->componentsPage()->list(), 4);
    network->componentsPage()->viewDetails();
    testing::ShowPage(*network, network->reactionsPage());
    testing::SelectRow(*network->reactionsPage()->list(), 3);
    network->reactionsPage()->viewDetails();
    manager->showUserGuide();
    windows = {
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
  }

  std::unique_ptr<TGen_Wind_Manager> manager;
  std::unique_ptr<TReact_Net_Wind> network;
  std::vector<std::pair<const char*, QWidget*>> windows;
};

// Every window fits a 1366 x 768 screen (less a 40-pixel panel) and a
// 1600 x 1000 screen at scale factor 2 (800 x 500 logical pixels): what
// does not fit scrolls, so the window's own minimum fits the screen.
TEST_F(EveryWindow, FitsASmallOrScaledScreen) {
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

// Every button says in a tooltip what it does, but those whose caption says
// it all: many captions are the program's historic short forms ("show",
// "Erease RN", "Add munally").
TEST_F(EveryWindow, EveryButtonSaysWhatItDoes) {
  for (const auto& [name, window] : windows) {
    ASSERT_NE(window, nullptr) << name;
    QStringList missing;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
      static const QStringList kPlain{QStringLiteral("Cancel"), QStringLiteral("Close"), QStringLiteral("OK")};
      if (button->text().isEmpty() || !button->toolTip().isEmpty() || kPlain.contains(button->text())) continue;
      if (qobject_cast<const QTabWidget*>(button->parentWidget())) continue;
      missing << button->text();
    }
    EXPECT_TRUE(missing.isEmpty()) << name << ": " << missing.join(QStringLiteral(" | ")).toStdString();
  }
}

}  // namespace
}  // namespace korvane
