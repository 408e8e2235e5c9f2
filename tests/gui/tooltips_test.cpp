#include <QAbstractButton>
#include <QListView>
#include <QStringList>
#include <QTabWidget>

#include "gui/component_detail_window.h"
#include "gui/equation_export_window.h"
#include "gui/global_settings_window.h"
#include "gui/reaction_detail_window.h"
#include "gui/simulation_window.h"
#include "gui/structure_editor.h"
#include "gui/window_manager.h"
#include "hexane_window.h"

namespace korvane {
namespace {

using namespace gui;

class Tooltips : public testing::GuiTest {};

// Every button of the windows says in a tooltip what it does, but those
// whose caption says it all: many captions are the program's historic short
// forms ("show", "Erease RN", "Add munally").
TEST_F(Tooltips, EveryButtonSaysWhatItDoes) {
  auto manager = startManager();
  auto network = testing::HexaneWindow(context);
  testing::ShowPage(*network, network->componentsPage());
  testing::SelectRow(*network->componentsPage()->list(), 4);
  network->componentsPage()->viewDetails();
  testing::ShowPage(*network, network->reactionsPage());
  testing::SelectRow(*network->reactionsPage()->list(), 3);
  network->reactionsPage()->viewDetails();
  const std::vector<std::pair<const char*, QWidget*>> windows = {
      {"main window", manager.get()},
      {"network window", network.get()},
      {"component detail", &network->componentsPage()->detailWindow()},
      {"reaction detail", &network->reactionsPage()->detailWindow()},
      {"global settings", manager->findChild<TGlob_Set*>()},
      {"equation export", manager->findChild<TEqExporterWind*>()},
      {"structure editor", manager->structureEditor()},
  };
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
