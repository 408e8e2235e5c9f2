#pragma once
/// Adding and replacing database items from what the database editor's item
/// fields hold, with every check made before the database changes: the
/// structure file exists and holds a valid molecule, the texts fit the file
/// format. A SMILES instead of a structure file is written as a structure
/// file beside the database.

#include <QString>
#include <cstddef>

#include "database/db_coordinator.h"
#include "gui/dialog_seam.h"

namespace korvane::gui {

/// Appends the item. Its structure comes from the file `msFile` (absolute,
/// or relative to the database's directory) or, when `smiles` is given, from
/// a new structure file "structures/<first synonym>.ms" beside the database
/// with the identification item count + 1. Returns false after telling the
/// user why when nothing was added.
bool AddDatabaseItem(TDBCoordinator& database, TMolDBRecord record, const QString& msFile, const QString& smiles,
                     DialogSeam& dialogs);

/// Replaces item `index` by the record with the structure of `msFile`.
/// Returns false after telling the user why when nothing changed.
bool ReplaceDatabaseItem(TDBCoordinator& database, std::size_t index, TMolDBRecord record, const QString& msFile,
                         DialogSeam& dialogs);

}  // namespace korvane::gui
