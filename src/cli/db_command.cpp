// korvane-cli db: listing, searching, extending and building molecular
// databases.

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "cli/inputs.h"
#include "cli/network_text.h"
#include "cli/source_list.h"
#include "core/identity.h"
#include "database/db_paths.h"
#include "database/mol_db_file.h"
#include "database/mol_structure_file.h"
#include "smiles/smiles_reader.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string JoinNames(const TStrVector& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : "; ") + name;
  return text;
}

void PrintItems(const TDBCoordinator& database, const TIntVector& items, std::ostream& out) {
  TextTable table({"index", "names", "structure file"});
  table.AlignRight(0);
  for (std::int32_t item : items) {
    const TMolDBRecord& record = database.Records()[static_cast<std::size_t>(item)];
    // Stored with "\\" as the format has it; shown as this system writes paths.
    table.AddRow({std::to_string(item), JoinNames(record.Synonyms), ToNativeSeparators(record.MSFile)});
  }
  out << table.Text();
}

TIntVector AllItems(const TDBCoordinator& database) {
  TIntVector items;
  for (std::size_t i = 0; i < database.ItemCount(); ++i) items.push_back(static_cast<std::int32_t>(i));
  return items;
}

TMolCharacterisation StructureOf(const TMolecule& molecule, std::int32_t identification) {
  return {identification, molecule.GetAdjacencyMatrix(), molecule.GetAtomTypes(), molecule.GetAromaticMatrix()};
}

// A relative path that the coordinator stores as "structures\<stem>.ms".
std::string StructureFileOf(const std::string& stem) { return std::string(kStructureFolder) + "/" + stem + ".ms"; }

// Writes what the coordinator holds and removes the structure files written
// for it when the database file cannot be written, so that a failure leaves
// the folder as it was.
void SaveDatabase(const TDBCoordinator& database, const std::vector<fs::path>& writtenStructures) {
  if (const auto saved = database.SaveDB(); !saved) {
    std::error_code error;
    for (const fs::path& path : writtenStructures) fs::remove(path, error);
    throw InputError::OfWrite(database.GetDBFileName(), saved.error());
  }
}

int List(const DbOptions& options, const CliStreams& streams) {
  const auto database = OpenDatabase(options.Database, false);
  streams.Out << "database: " << database->GetDBName() << '\n'
              << "note: " << database->GetNote() << '\n'
              << "items: " << database->ItemCount() << '\n';
  PrintItems(*database, AllItems(*database), streams.Out);
  return kExitSuccess;
}

int Search(const DbOptions& options, const CliStreams& streams) {
  const auto database = OpenDatabase(options.Database, false);
  const TIntVector items = database->SearchByNames(options.Argument);
  if (items.empty())
    streams.Err << "no item of " << options.Database << " is named with \"" << options.Argument << "\"\n";
  else
    PrintItems(*database, items, streams.Out);
  return kExitSuccess;
}

int Find(const DbOptions& options, const CliStreams& streams) {
  const auto database = OpenDatabase(options.Database, true);
  const Feed feed = LoadFeed(options.Argument, database.get());
  TIntVector items;
  for (std::size_t i = 0; i < database->ItemCount(); ++i) {
    const TMolecule* molecule = database->GetMolecule(i);
    if (molecule->AtomCount() != 0 && AreIsomorphic(*molecule, *feed.Molecule))
      items.push_back(static_cast<std::int32_t>(i));
  }
  if (items.empty())
    streams.Err << "no item of " << options.Database << " has the structure of " << options.Argument << '\n';
  else
    PrintItems(*database, items, streams.Out);
  return kExitSuccess;
}

int Add(const DbOptions& options, const CliStreams& streams) {
  CheckOutputFile(options.Database);
  std::unique_ptr<TDBCoordinator> database;
  std::error_code error;
  if (fs::exists(options.Database, error)) {
    database = OpenDatabase(options.Database, true);
  } else {
    database = std::make_unique<TDBCoordinator>();
    database->SetDBName(fs::path(options.Database).stem().string());
    database->SetDBFileName(options.Database);
    database->BuildMolecules();
  }
  const Feed feed = LoadFeed(options.Argument, database.get());
  if (const std::int32_t item = database->FindStructure(*feed.Molecule); item >= 0)
    throw InputError(options.Argument, "the database already holds this structure as item " + std::to_string(item) +
                                           " (" + JoinNames(database->GetSynonyms(static_cast<std::size_t>(item))) +
                                           ")");

  TMolDBRecord record;
  record.Synonyms.push_back(options.Name);
  std::istringstream synonyms(options.Synonyms);
  for (std::string synonym; std::getline(synonyms, synonym, ';');) {
    synonym.erase(0, synonym.find_first_not_of(' '));
    synonym.erase(synonym.find_last_not_of(' ') + 1);
    if (!synonym.empty() && std::find(record.Synonyms.begin(), record.Synonyms.end(), synonym) == record.Synonyms.end())
      record.Synonyms.push_back(synonym);
  }
  // A structure file of another item is never overwritten: the first free
  // name is taken.
  const fs::path directory = fs::path(database->GetDirectory().empty() ? "." : database->GetDirectory());
  record.MSFile = NewStructureFilePath(database->GetDirectory(), options.Name);

  const auto identification = static_cast<std::int32_t>(database->ItemCount() + 1);
  const TMolCharacterisation structure = StructureOf(*feed.Molecule, identification);
  TMolDBInfo extended = database->Info();
  extended.Records.push_back(record);
  for (const TResult<>& fits : {CheckMolDBLimits(extended), CheckMolStructureLimits(structure)})
    if (!fits) throw InputError(options.Database, fits.error().Message);

  const fs::path structureFile = directory / record.MSFile;
  // A folder that cannot be made shows as the write's failure.
  fs::create_directories(structureFile.parent_path(), error);
  if (const auto written = WriteMolStructureFile(structure, structureFile.string()); !written)
    throw InputError::OfWrite(structureFile.string(), written.error());
  if (const auto added = database->AddItem(record); !added)
    throw InputError(structureFile.string(), added.error().Message);
  SaveDatabase(*database, {structureFile});
  streams.Out << "added item " << database->ItemCount() - 1 << " (" << JoinNames(record.Synonyms) << ") with "
              << database->Records().back().MSFile << " to " << options.Database << '\n';
  return kExitSuccess;
}

int Import(const DbOptions& options, const CliStreams& streams) {
  std::ifstream file(options.Argument, std::ios::binary);
  if (!file) throw InputError(options.Argument, "file does not exist or cannot be read");
  std::ostringstream text;
  text << file.rdbuf();
  const std::vector<SourceListEntry> entries = ParseSourceList(text.str(), options.Argument);

  // Every entry is read and checked before anything is written.
  TMolDBInfo info;
  info.DBName = options.Name.empty() ? fs::path(options.Argument).stem().string() : options.Name;
  info.Note = options.Note;
  std::vector<TMolCharacterisation> structures;
  for (const SourceListEntry& entry : entries) {
    const std::string where = options.Argument + ":" + std::to_string(entry.Line);
    const auto read = MoleculeFromSmiles(entry.Smiles);
    if (!read) throw InputError(where, read.error().Message);
    const TMolecule* molecule = read.value().get();
    if (const std::string formula = HillFormula(*molecule); formula != entry.Formula)
      throw InputError(where, entry.Smiles + " is " + formula + ", not " + entry.Formula);
    structures.push_back(StructureOf(*molecule, static_cast<std::int32_t>(structures.size() + 1)));
    if (const auto fits = CheckMolStructureLimits(structures.back()); !fits)
      throw InputError(where, fits.error().Message);
    info.Records.push_back({entry.Synonyms, StructureFileOf(entry.Stem), {}});
  }
  if (const auto fits = CheckMolDBLimits(info); !fits) throw InputError(options.Argument, fits.error().Message);

  CheckOutputFile(options.Database);
  const fs::path directory = fs::path(options.Database).parent_path();
  std::error_code error;
  if (!options.Replace) {
    if (fs::exists(options.Database, error))
      throw InputError(options.Database, "exists already (--replace writes a new database over it)");
    for (const TMolDBRecord& record : info.Records)
      if (fs::exists(directory / record.MSFile, error))
        throw InputError((directory / record.MSFile).string(), "exists already (--replace overwrites it)");
  }

  TDBCoordinator database;
  database.SetDBName(info.DBName);
  database.SetNote(info.Note);
  database.SetDBFileName(options.Database);
  std::vector<fs::path> written;
  // A folder that cannot be made shows as the first write's failure.
  fs::create_directories(directory / kStructureFolder, error);
  for (std::size_t i = 0; i < structures.size(); ++i) {
    written.push_back(directory / info.Records[i].MSFile);
    if (const auto saved = WriteMolStructureFile(structures[i], written.back().string()); !saved)
      throw InputError::OfWrite(written.back().string(), saved.error());
    // AddItem reads the file back, so every stored structure is one that reads.
    if (const auto added = database.AddItem(info.Records[i]); !added)
      throw InputError(written.back().string(), added.error().Message);
  }
  SaveDatabase(database, options.Replace ? std::vector<fs::path>{} : written);
  streams.Out << "imported " << entries.size() << " species from " << options.Argument << " into " << options.Database
              << '\n';
  return kExitSuccess;
}

}  // namespace

int RunDb(const DbOptions& options, const CliStreams& streams) {
  switch (options.Action) {
    case DbAction::List: return List(options, streams);
    case DbAction::Search: return Search(options, streams);
    case DbAction::Find: return Find(options, streams);
    case DbAction::Add: return Add(options, streams);
    case DbAction::Import: return Import(options, streams);
  }
  return kExitUsage;
}

}  // namespace korvane
