#include "gui/database_opening.h"

#include <filesystem>

#include "database/mol_structure_file.h"

namespace korvane::gui {

std::shared_ptr<TDBCoordinator> OpenDatabaseFile(const QString& fileName, DialogSeam& dialogs) {
  auto database = std::make_shared<TDBCoordinator>();
  database->SetDBFileName(fileName.toStdString());
  if (const auto loaded = database->LoadDB(); !loaded) {
    dialogs.message(QStringLiteral("ERROR"), QStringLiteral("The database %1 was not opened: %2")
                                                 .arg(fileName, QString::fromStdString(loaded.error().Message)));
    return nullptr;
  }
  if (const auto loaded = database->LoadStructures(); !loaded)
    dialogs.message(QStringLiteral("ERROR"),
                    QStringLiteral("A structure file of the database %1 was not read (%2). The items from that one "
                                   "on have no structure.")
                        .arg(fileName, QString::fromStdString(loaded.error().Message)));
  database->BuildMolecules();
  return database;
}

QString StructureFileProblem(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return QStringLiteral("the file does not exist");
  const auto structure = ReadMolStructureFile(fileName);
  if (!structure) return QString::fromStdString(structure.error().Message);
  std::string problem;
  const auto molecule = TMolecule::FromStructure(structure->Identification, structure->AdjacencyMatrix,
                                                 structure->AtomTypes, structure->AromaticMatrix, &problem);
  if (!molecule) return QStringLiteral("the structure is not a valid molecule: ") + QString::fromStdString(problem);
  if (molecule->AtomCount() == 0) return QStringLiteral("the structure has no atoms");
  return {};
}

}  // namespace korvane::gui
