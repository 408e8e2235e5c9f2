#include "gui/database_item_input.h"

#include <filesystem>
#include <optional>

#include "database/db_paths.h"
#include "database/mol_db_file.h"
#include "database/mol_structure_file.h"
#include "gui/database_opening.h"
#include "smiles/smiles_reader.h"

namespace korvane::gui {
namespace {

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

void Error(DialogSeam& dialogs, const QString& text) { dialogs.message(QStringLiteral("ERROR"), text); }

bool RecordFits(const TMolDBRecord& record, DialogSeam& dialogs) {
  const auto fits = CheckMolDBLimits(TMolDBInfo{1, {}, {}, {record}, {}});
  if (!fits) Error(dialogs, QStringLiteral("The item cannot be stored: %1").arg(FromStd(fits.error().Message)));
  return fits.ok();
}

// The path as typed, once the file it names has proved usable.
std::optional<std::string> CheckedStructureFile(const TDBCoordinator& database, const QString& msFile,
                                                DialogSeam& dialogs) {
  const std::string typed = msFile.trimmed().toStdString();
  if (typed.empty()) {
    Error(dialogs, QStringLiteral("Give the item's structure: a structure file in \"MS File:\" or a SMILES."));
    return std::nullopt;
  }
  const std::string path = StructureFilePath(database.GetDirectory(), typed);
  if (const QString problem = StructureFileProblem(path); !problem.isEmpty()) {
    Error(dialogs, QStringLiteral("The structure file %1 cannot be used: %2").arg(FromStd(path), problem));
    return std::nullopt;
  }
  return typed;
}

// The new structure file's path relative to the database's directory.
std::optional<std::string> WriteSmilesStructure(const TDBCoordinator& database, const QString& smiles,
                                                const TStrVector& synonyms, DialogSeam& dialogs) {
  const auto read = MoleculeFromSmiles(smiles.toStdString());
  if (!read) {
    Error(dialogs, FromStd(read.error().Message));
    return std::nullopt;
  }
  const TMolecule* molecule = read.value().get();
  const TMolCharacterisation structure{static_cast<std::int32_t>(database.ItemCount() + 1),
                                       molecule->GetAdjacencyMatrix(), molecule->GetAtomTypes(),
                                       molecule->GetAromaticMatrix()};
  const std::string relative =
      NewStructureFilePath(database.GetDirectory(), synonyms.empty() ? std::string() : synonyms.front());
  const std::string path = StructureFilePath(database.GetDirectory(), relative);
  // A folder that cannot be made shows as the write's failure.
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
  if (const auto written = WriteMolStructureFile(structure, path); !written) {
    Error(dialogs, QStringLiteral("The structure file %1 was not written: %2")
                       .arg(FromStd(path), QString::fromLocal8Bit(written.error().Message.c_str())));
    return std::nullopt;
  }
  return relative;
}

}  // namespace

bool AddDatabaseItem(TDBCoordinator& database, TMolDBRecord record, const QString& msFile, const QString& smiles,
                     DialogSeam& dialogs) {
  const bool fromSmiles = !smiles.trimmed().isEmpty();
  if (fromSmiles && !msFile.trimmed().isEmpty()) {
    Error(dialogs, QStringLiteral("Give the item's structure either as a structure file or as a SMILES, not both."));
    return false;
  }
  if (!RecordFits(record, dialogs)) return false;
  const std::optional<std::string> structure = fromSmiles
                                                   ? WriteSmilesStructure(database, smiles.trimmed(), record.Synonyms, dialogs)
                                                   : CheckedStructureFile(database, msFile, dialogs);
  if (!structure) return false;
  record.MSFile = *structure;
  // A structure file written for an item that is then refused goes again.
  auto discardWritten = [&] {
    std::error_code ignored;
    if (fromSmiles) std::filesystem::remove(StructureFilePath(database.GetDirectory(), *structure), ignored);
  };
  if (!RecordFits(record, dialogs)) {
    discardWritten();
    return false;
  }
  // The file proved usable above; only one that can no longer be read at
  // all is refused here, and adds nothing.
  if (const auto added = database.AddItem(record); !added && added.error().Code == TErrorCode::FileSystem) {
    discardWritten();
    Error(dialogs, QString::fromLocal8Bit(added.error().Message.c_str()));
    return false;
  }
  return true;
}

bool ReplaceDatabaseItem(TDBCoordinator& database, std::size_t index, TMolDBRecord record, const QString& msFile,
                         DialogSeam& dialogs) {
  const std::optional<std::string> structure = CheckedStructureFile(database, msFile, dialogs);
  if (!structure) return false;
  record.MSFile = *structure;
  if (!RecordFits(record, dialogs)) return false;
  if (const auto replaced = database.ReplaceItem(index, record);
      !replaced && replaced.error().Code == TErrorCode::FileSystem) {
    Error(dialogs, QString::fromLocal8Bit(replaced.error().Message.c_str()));
    return false;
  }
  return true;
}

}  // namespace korvane::gui
