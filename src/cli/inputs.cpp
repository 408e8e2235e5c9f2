#include "cli/inputs.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/network_file.h"
#include "cli/cli_common.h"
#include "database/bundled_database.h"
#include "database/db_paths.h"
#include "database/mol_db_file.h"
#include "database/mol_structure_file.h"
#include "reactions/kinpar_file.h"
#include "smiles/smiles_reader.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSmilesPrefix = "smiles:";
constexpr std::string_view kDatabasePrefix = "db:";

// The reason a file cannot be opened, worded for the message that names it.
std::string FileProblem(const std::string& fileName) {
  std::error_code error;
  const fs::file_status status = fs::status(fileName, error);
  if (!fs::exists(status)) return "file does not exist";
  if (fs::is_directory(status)) return "is a directory, not a file";
  return "cannot be read";
}

void RequireFile(const std::string& fileName) {
  std::error_code error;
  if (!fs::is_regular_file(fileName, error)) throw InputError(fileName, FileProblem(fileName));
}

Feed StructureFileFeed(const std::string& fileName) {
  RequireFile(fileName);
  const auto structure = ReadMolStructureFile(fileName);
  if (!structure) throw InputError(fileName, structure.error().Message);
  std::string problem;
  auto molecule = TMolecule::FromStructure(structure->Identification, structure->AdjacencyMatrix,
                                           structure->AtomTypes, structure->AromaticMatrix, &problem);
  if (!molecule) throw InputError(fileName, "the structure is not a valid molecule: " + problem);
  if (molecule->AtomCount() == 0) throw InputError(fileName, "the structure has no atoms");
  return {std::move(molecule), {}};
}

Feed SmilesFeed(const std::string& text, const std::string& smiles) {
  auto read = MoleculeFromSmiles(smiles);
  if (!read) throw InputError(text, read.error().Message);
  return {std::move(read.value()), {}};
}

Feed DatabaseFeed(const std::string& text, const std::string& name, const TDBCoordinator* database) {
  if (!database) throw InputError(text, "a db: feed needs a database (--db FILE.mdb)");
  const int item = FindItemBySynonym(*database, name);
  if (item < 0)
    throw InputError(text, "no item of the database " + database->GetDBFileName() + " is named \"" + name + "\"");
  const TMolecule* molecule = database->GetMolecule(static_cast<std::size_t>(item));
  if (!molecule || molecule->AtomCount() == 0)
    throw InputError(text, "item " + std::to_string(item) + " of the database has no structure");
  return {molecule->Copy(), database->GetSynonyms(static_cast<std::size_t>(item)).front()};
}

}  // namespace

FeedArgument ParseFeedArgument(const std::string& text) {
  if (text.empty()) throw InputError("feed", "empty feed (give a .ms file, smiles:SMILES or db:NAME)");
  FeedArgument argument;
  if (text.starts_with(kSmilesPrefix)) {
    argument = {FeedKind::Smiles, text.substr(kSmilesPrefix.size())};
    if (argument.Value.empty()) throw InputError(text, "no SMILES after \"smiles:\"");
  } else if (text.starts_with(kDatabasePrefix)) {
    argument = {FeedKind::DatabaseName, text.substr(kDatabasePrefix.size())};
    if (argument.Value.empty()) throw InputError(text, "no name after \"db:\"");
  } else {
    argument = {FeedKind::StructureFile, text};
  }
  return argument;
}

Feed LoadFeed(const std::string& text, const TDBCoordinator* database) {
  const FeedArgument argument = ParseFeedArgument(text);
  switch (argument.Kind) {
    case FeedKind::Smiles: return SmilesFeed(text, argument.Value);
    case FeedKind::DatabaseName: return DatabaseFeed(text, argument.Value, database);
    case FeedKind::StructureFile: break;
  }
  return StructureFileFeed(argument.Value);
}

int FindItemBySynonym(const TDBCoordinator& database, const std::string& name) {
  for (std::size_t i = 0; i < database.ItemCount(); ++i)
    for (const std::string& synonym : database.Records()[i].Synonyms)
      if (synonym == name) return static_cast<int>(i);
  return -1;
}

std::unique_ptr<TDBCoordinator> OpenDatabase(const std::string& fileName, bool withStructures) {
  RequireFile(fileName);
  auto database = std::make_unique<TDBCoordinator>();
  database->SetDBFileName(fileName);
  // A file that cannot be read is named by the database in its message.
  if (const auto loaded = database->LoadDB(); !loaded)
    throw InputError(fileName, loaded.error().Damage == kDBFileRead ? "cannot read " + loaded.error().Message
                                                                    : loaded.error().Message);
  if (!withStructures) return database;
  if (const auto loaded = database->LoadStructures(); !loaded) {
    if (loaded.error().Damage == kStructureFileRead)
      throw InputError(fileName, "cannot read " + loaded.error().Message);
    // The items from the one that did not read on have no structure.
    std::size_t item = 0;
    while (database->HasStructure(item)) ++item;
    const std::string structure = StructureFilePath(database->GetDirectory(), database->Records()[item].MSFile);
    throw InputError(fileName, "structure file " + structure + " of item " + std::to_string(item) + ": " +
                                   MolStructureStatusMessage(loaded.error().Damage));
  }
  database->BuildMolecules();
  return database;
}

std::unique_ptr<TDBCoordinator> OpenFeedDatabase(const std::optional<std::string>& option,
                                                 const std::vector<std::string>& feeds) {
  if (option) return OpenDatabase(*option, true);
  const bool named = std::any_of(feeds.begin(), feeds.end(),
                                 [](const std::string& feed) { return feed.starts_with(kDatabasePrefix); });
  if (!named) return nullptr;
  const fs::path bundled = BundledDatabasePath(RunningProgramFile());
  if (bundled.empty())
    throw InputError("db:", "no --db given, and the database bundled with korvane-cli was not found");
  return OpenDatabase(bundled.string(), true);
}

std::unique_ptr<TNetworkSession> LoadNetworkInput(const std::string& fileName) {
  RequireFile(fileName);
  auto loaded = TNetworkSession::Load(fileName);
  if (!loaded) throw InputError(fileName, loaded.error().Message);
  if (loaded.value().File.Damage != kNetworkFileRead)
    throw InputError(fileName, NetworkFileDamageReason(loaded.value().File.Damage));
  return std::move(loaded.value().Session);
}

std::string LoadKineticParameterInput(const std::optional<std::string>& fileName, TKineticParameterSet& set,
                                      std::ostream& warnings) {
  std::string name;
  if (fileName) {
    RequireFile(*fileName);
    name = *fileName;
  } else {
    std::error_code error;
    name = std::string(kDefaultKineticParameterFileName);
    if (!fs::is_regular_file(name, error)) return {};
  }
  const TKinparReadReport read = ReadKineticParameterFile(name, set);
  set.FileName = name;
  for (std::string_view message : KinparDamageMessages(read.Damage, TKinparMessageContext::StartUp))
    warnings << "warning: " << name << ": " << message << '\n';
  return name;
}

void CheckOutputFile(const std::string& fileName) {
  if (fileName.empty()) throw InputError("output file", "the file name is empty");
  std::error_code error;
  if (fs::is_directory(fileName, error)) throw InputError(fileName, "is a directory, not a file");
  const fs::path given = fs::path(fileName).parent_path();
  const fs::path folder = given.empty() ? fs::path(".") : given;
  if (!fs::is_directory(folder, error))
    throw InputError(fileName, "the folder " + folder.string() + " does not exist");
  // Writing a file beside the target is what every writer does first; trying
  // it is the one test that also holds for root, read-only file systems and
  // access lists.
  std::string probe = (folder / ".korvane-probe-XXXXXX").string();
  const int descriptor = ::mkstemp(probe.data());
  if (descriptor < 0)
    throw InputError(fileName, "cannot write in the folder " + folder.string() + ": " +
                                   std::error_code(errno, std::generic_category()).message());
  ::close(descriptor);
  ::unlink(probe.c_str());
}

}  // namespace korvane
