#pragma once
/// Opening a molecular database file for the windows.

#include <QString>
#include <memory>

#include "database/db_coordinator.h"
#include "gui/dialog_seam.h"

namespace korvane::gui {

/// Reads the database file, its structure files and builds the molecules.
/// A file that is not a readable database is reported and gives none. A
/// structure file that does not read is reported; the database then holds
/// every item, with the structures read before that one.
std::shared_ptr<TDBCoordinator> OpenDatabaseFile(const QString& fileName, DialogSeam& dialogs);

/// Why the structure file cannot serve as an item's or a component's
/// structure (missing, unreadable, not a structure file, not a valid molecule,
/// no atoms); empty when it can.
QString StructureFileProblem(const std::string& fileName);

}  // namespace korvane::gui
