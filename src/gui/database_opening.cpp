#include "gui/database_opening.h"

#include <filesystem>

#include "database/db_paths.h"
#include "database/mol_db_file.h"
#include "database/mol_structure_file.h"

namespace korvane::gui {
namespace {

QString FileErrorText(const std::filesystem::filesystem_error& error) {
  return QString::fromStdString(error.path1().string() + ": " + error.code().message());
}

}  // namespace

std::shared_ptr<TDBCoordinator> OpenDatabaseFile(const QString& fileName, DialogSeam& dialogs) {
  auto database = std::make_shared<TDBCoordinator>();
  database->SetDBFileName(fileName.toStdString());
  QString problem;
  try {
    if (const std::uint8_t status = database->LoadDB(); status != kDBFileRead)
      problem = QString::fromStdString(MolDBStatusMessage(status));
  } catch (const std::filesystem::filesystem_error& error) {
    problem = FileErrorText(error);
  }
  if (!problem.isEmpty()) {
    dialogs.message(QStringLiteral("ERROR"), QStringLiteral("The database %1 was not opened: %2").arg(fileName, problem));
    return nullptr;
  }

  try {
    const TStructureLoadReport report = database->LoadStructures();
    if (report.Status != kStructureFileRead) {
      const std::string structure =
          StructureFilePath(database->GetDirectory(), database->Records()[report.Item].MSFile);
      problem = QStringLiteral("%1: %2").arg(QString::fromStdString(structure),
                                             QString::fromStdString(MolStructureStatusMessage(report.Status)));
    }
  } catch (const std::filesystem::filesystem_error& error) {
    problem = FileErrorText(error);
  }
  if (!problem.isEmpty())
    dialogs.message(QStringLiteral("ERROR"),
                    QStringLiteral("A structure file of the database %1 was not read (%2). The items from that one "
                                   "on have no structure.")
                        .arg(fileName, problem));
  database->BuildMolecules();
  return database;
}

QString StructureFileProblem(const std::string& fileName) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(fileName, error)) return QStringLiteral("the file does not exist");
  TMolCharacterisation structure;
  try {
    if (const std::uint16_t status = ReadMolStructureFile(fileName, structure); status != kStructureFileRead)
      return QString::fromStdString(MolStructureStatusMessage(status));
  } catch (const std::filesystem::filesystem_error& failure) {
    return QString::fromStdString(failure.code().message());
  }
  std::string problem;
  const auto molecule = TMolecule::FromStructure(structure.Identification, structure.AdjacencyMatrix,
                                                 structure.AtomTypes, structure.AromaticMatrix, &problem);
  if (!molecule) return QStringLiteral("the structure is not a valid molecule: ") + QString::fromStdString(problem);
  if (molecule->AtomCount() == 0) return QStringLiteral("the structure has no atoms");
  return {};
}

}  // namespace korvane::gui
