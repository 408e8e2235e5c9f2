#include "gui/component_detail_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "gui/component_properties_tab.h"
#include "gui/component_reactions_tab.h"
#include "gui/components_page.h"
#include "gui/related_components_tab.h"
#include "gui/window_text.h"
#include "gui_fixture.h"
#include "hexane_window.h"

namespace korvane::gui {
namespace {

using testing::Lines;
using testing::FieldText;
using testing::SaveScreenshot;
using testing::SelectRow;

class ComponentDetailWindow : public testing::HexanePageTest<TComponentsPage> {
 protected:
  std::size_t componentWith(const char* formula) const {
    std::size_t i = 0;
    while (window->network().Component(i)->Formula() != formula) ++i;
    return i;
  }
};

// Every tab of a molecule (n-hexane) and of a radical, as screenshots, with
// the reactions and related components of the molecule.
TEST_F(ComponentDetailWindow, ViewDetailsShowsTheSelectedComponentOnEveryTab) {
  const std::size_t radical = componentWith("H13C6");
  for (const auto& [position, name] : {std::pair{std::size_t{4}, "hexane"}, {radical, "hexyl"}}) {
    TComponent_Detail& detail = openDetails(position);
    const TMolecule& component = *window->network().Component(position);
    EXPECT_EQ(FieldText(detail, "componentId"), QString::number(position));
    EXPECT_EQ(FieldText(detail, "radicalCyclic"), position == 4 ? "False / False" : "True / False");
    ComponentReactionsTab& reactions = *detail.reactions();
    for (int tab = 0; tab < detail.tabs()->count(); ++tab) {
      detail.tabs()->setCurrentIndex(tab);
      if (tab == 2) {
        detail.tabs()->widget(2)->findChild<QComboBox*>()->setCurrentIndex(1);  // adjacency
        EXPECT_EQ(detail.matrixGrid()->rowCount(), static_cast<int>(component.AtomCount()));
      }
      if (tab == 3) {
        reactions.setProducing(false);
        SelectRow(*reactions.list(), 0);
        reactions.showReaction();
        if (position == 4) {
          EXPECT_EQ(reactions.list()->model()->rowCount(), static_cast<int>(component.ReactionLinks[kConsumedIn].size()));
          EXPECT_EQ(FieldText(reactions, "referenceA"), "[ 4 ]");
        }
      }
      if (tab == 4) {
        // Showing the tab lists the products once each: H from all three
        // hydrogen transfers of the feed, and one hexyl from each.
        if (position == 4) {
          EXPECT_EQ(Lines(*detail.related()->list()).first(), "[ 0 ] H [H] (3 reactions)");
          EXPECT_EQ(detail.related()->list()->model()->rowCount(),
                    1 + static_cast<int>(component.ReactionLinks[kConsumedIn].size()));
        }
        SelectRow(*detail.related()->list(), 1);
        detail.related()->showComponent();
      }
      SaveScreenshot(detail, QStringLiteral("component_detail_%1_%2").arg(QString::fromLatin1(name)).arg(tab));
    }
    detail.tabs()->setCurrentIndex(1);
    detail.properties()->setCurrentIndex(1);
    SaveScreenshot(detail, QStringLiteral("component_detail_%1_calculations").arg(QString::fromLatin1(name)));
    detail.properties()->setCurrentIndex(0);
    detail.tabs()->setCurrentIndex(0);
  }
  // The radical's estimates say there are none.
  EXPECT_EQ(FieldText(page->detailWindow(), "propertyTb"), "N/A");
}

// Methane's fixed values, and a calculation in chosen units that converts
// them to SI; a text that is no number appends nothing and says so.
TEST_F(ComponentDetailWindow, MethanePropertiesAndTheCalculator) {
  TComponent_Detail& detail = openDetails(componentWith("H4C1"));
  for (auto [field, value] :
       {std::pair{"propertyTb", "111.67"}, {"propertyPc", "4590000"}, {"propertyViscosity", "N/A"}})
    EXPECT_EQ(FieldText(detail, field), value) << field;

  ComponentPropertiesTab& properties = *detail.properties();
  properties.findChild<QLineEdit*>(QStringLiteral("temperature"))->setText(QStringLiteral("25"));
  properties.findChild<QComboBox*>(QStringLiteral("temperatureUnit"))->setCurrentIndex(1);  // °C
  properties.findChild<QLineEdit*>(QStringLiteral("volume"))->setText(QStringLiteral("24.79"));
  properties.findChild<QComboBox*>(QStringLiteral("volumeUnit"))->setCurrentIndex(1);  // dm^3/mol
  properties.setCalculated(CalculatedQuantity::Pressure);
  EXPECT_FALSE(properties.findChild<QLineEdit*>(QStringLiteral("pressure"))->isEnabled());
  properties.calculate();
  const QString line = properties.findChild<QPlainTextEdit*>()->toPlainText();
  ASSERT_TRUE(line.startsWith(QStringLiteral("Result of calculation: p = "))) << line.toStdString();
  EXPECT_NEAR(ReadNumber(line.section(QLatin1Char(' '), 5, 5)).value(), 99994, 2);

  properties.setCalculated(CalculatedQuantity::Compressibility);
  properties.findChild<QLineEdit*>(QStringLiteral("pressure"))->setText(QStringLiteral("1,5x"));
  dialogs.expectMessage(QString(), QStringLiteral("'1,5x' is not a valid floating point value"));
  properties.calculate();
  EXPECT_EQ(properties.findChild<QPlainTextEdit*>()->toPlainText(), line);
}

}  // namespace
}  // namespace korvane::gui
