#pragma once
/// A network window holding the primary network of n-hexane, generated at
/// the default preferences (52 components, 78 reactions), for the tests of
/// the pages and detail windows.

#include <QTabWidget>
#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#include "database/mol_structure_file.h"
#include "gui/components_page.h"
#include "gui/network_window.h"
#include "gui/reactions_page.h"
#include "gui_fixture.h"
#include "gui_test_support.h"

namespace korvane::testing {

inline std::unique_ptr<gui::TReact_Net_Wind> HexaneWindow(gui::GuiContext& context) {
  auto network = std::make_unique<TReactionNetwork>();
  const auto read = ReadMolStructureFile(SharedTestFile(QStringLiteral("structures/n-hexane.ms")).toStdString());
  EXPECT_TRUE(read);
  const TMolCharacterisation hexane = read ? read.value() : TMolCharacterisation{};
  EXPECT_TRUE(network->AddComponent(hexane.AdjacencyMatrix, hexane.AtomTypes, hexane.AromaticMatrix, true));
  network->Generate();
  auto window = std::make_unique<gui::TReact_Net_Wind>(context, QStringLiteral("n-hexane"), std::move(network));
  window->resize(1000, 720);
  window->show();
  return window;
}

/// Brings the page forward, as a click on its tab does.
inline void ShowPage(gui::TReact_Net_Wind& window, QWidget* page) {
  window.centralWidget()->findChild<QTabWidget*>(QString(), Qt::FindDirectChildrenOnly)->setCurrentWidget(page);
}

/// Window tests of one page of the n-hexane window, brought forward.
template <class Page>
class HexanePageTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    window = HexaneWindow(context);
    if constexpr (std::is_same_v<Page, gui::TComponentsPage>)
      page = window->componentsPage();
    else
      page = window->reactionsPage();
    ShowPage(*window, page);
  }
  /// Opens the page's detail window on the line at `row`, as "View details" does.
  auto& openDetails(std::size_t row) {
    SelectRow(*page->list(), static_cast<int>(row));
    page->viewDetails();
    return page->detailWindow();
  }

  std::unique_ptr<gui::TReact_Net_Wind> window;
  Page* page = nullptr;
};

}  // namespace korvane::testing
