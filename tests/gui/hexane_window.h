#pragma once
/// A network window holding the primary network of n-hexane, generated at
/// the default preferences (52 components, 78 reactions), for the tests of
/// the pages and detail windows.

#include <QTabWidget>
#include <gtest/gtest.h>

#include <memory>

#include "database/mol_structure_file.h"
#include "gui/network_window.h"
#include "gui_test_support.h"

namespace korvane::testing {

inline std::unique_ptr<gui::TReact_Net_Wind> HexaneWindow(gui::GuiContext& context) {
  auto network = std::make_unique<TReactionNetwork>();
  TMolCharacterisation hexane;
  EXPECT_EQ(ReadMolStructureFile(SharedTestFile(QStringLiteral("structures/n-hexane.ms")).toStdString(), hexane),
            kStructureFileRead);
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

}  // namespace korvane::testing
