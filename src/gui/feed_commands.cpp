#include "gui/feed_commands.h"

#include "gui/components_page.h"
#include "gui/database_list_window.h"
#include "gui/network_window.h"
#include "gui/structure_editor.h"

namespace korvane::gui {
namespace {

void AddFromDatabase(TReact_Net_Wind& window, TComponentsPage& page, TDBList_Win& list, GuiContext& context) {
  // The window's database now, not the one of an earlier opening: the main
  // window may have opened another or closed it since.
  const std::shared_ptr<TDBCoordinator> database = window.database();
  if (!database) {
    context.Dialogs.message(QString(), QStringLiteral("No DataBase was opened."));
    return;
  }
  list.ConnectDatabase(database);
  if (!list.prepareToShow()) return;
  context.Dialogs.exec(list);
  // The molecules belong to the database, which the window keeps alive.
  // Each comes in under its entry's first name, as "Name components (DB)" would name it.
  for (const TMolecule* molecule : list.result()) {
    const std::int32_t item = database->FindStructure(*molecule);
    const TStrVector names = item < 0 ? TStrVector{} : database->GetSynonyms(static_cast<std::size_t>(item));
    page.addRootComponent(molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix(),
                          names.empty() ? std::string() : names.front());
  }
}

void AddByDrawing(TComponentsPage& page, GuiContext& context) {
  if (!context.StructureEditor) return;
  if (const std::optional<TMolCharacterisation> structure = context.StructureEditor->drawStructure())
    page.addRootComponent(structure->AdjacencyMatrix, structure->AtomTypes, structure->AromaticMatrix);
}

}  // namespace

void AddDatabaseAndDrawingCommands(TReact_Net_Wind& window, TComponentsPage& page, GuiContext& context) {
  auto* list = new TDBList_Win(context, &window);
  window.addAuxiliaryWindow(list);
  page.addCommand(QStringLiteral("Add from DBase"),
                  [&window, &page, list, &context] { AddFromDatabase(window, page, *list, context); });
  page.addCommand(QStringLiteral("Add by drawing struct."), [&page, &context] { AddByDrawing(page, context); });
}

}  // namespace korvane::gui
