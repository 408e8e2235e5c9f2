#include "database/db_coordinator.h"

#include <gtest/gtest.h>

#include "database/db_paths.h"
#include "database/mol_db_file.h"
#include "database/mol_structure_file.h"
#include "database_test_support.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::FileBytes;
using testing::MoleculeFrom;
using testing::PutFile;
using testing::ReferencePath;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kPropane = "C C C; 0-1 1-2";
constexpr const char* kBenzene = "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0";
constexpr const char* kToluene = "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1";

// Writes the structure file of the described molecule and returns its path.
std::string PutStructure(const ScratchDir& dir, const std::string& relative, const std::string& description,
                         std::int32_t id) {
  const auto molecule = MoleculeFrom(description, id);
  const std::string path = dir.file(relative);
  const TMolCharacterisation structure{id, molecule->AdjacencyMatrix(), molecule->AtomTypes(),
                                       molecule->AromaticMatrix()};
  EXPECT_TRUE(WriteMolStructureFile(structure, path));
  return path;
}

// FindStructure of the described molecule with its atoms in another order.
std::int32_t Find(const TDBCoordinator& db, const std::string& description) {
  const auto molecule = MoleculeFrom(description);
  return db.FindStructure(*testing::Renumbered(*molecule, testing::ShuffledOrder(int(molecule->AtomCount()), 3)));
}

void Open(TDBCoordinator& db, const std::string& path) {
  db.SetDBFileName(path);
  ASSERT_TRUE(db.LoadDB());
  ASSERT_TRUE(db.LoadStructures());
  db.BuildMolecules();
}

TEST(DBCoordinator, OpensTheSampleDatabaseFindsSearchesAndSurvivesFailedLoads) {
  TDBCoordinator db;
  Open(db, ReferencePath("sample.mdb"));
  // Found by identity whatever the atom order.
  EXPECT_EQ(Find(db, kPropane), 0);
  EXPECT_EQ(Find(db, kToluene), 6);
  EXPECT_EQ(Find(db, "C."), 7);
  EXPECT_EQ(Find(db, "C C C.; 0=1 1-2"), 8);  // allyl drawn from its other end
  EXPECT_EQ(Find(db, "C. C C; 0-1 1-2"), -1);  // n-propyl is not allyl

  // Case-sensitive fragments; with "+" every part must occur, possibly in
  // different synonyms, and "&/" joins the synonyms.
  const TIntVector all = {0, 1, 2, 3, 4, 5, 6, 7, 8};
  const std::pair<const char*, TIntVector> searches[] = {
      {"", all},          {"+", all},          {"pylen", {1}},          {"pro+lene", {1}}, {"Propene", {}},
      {"ethyl+benz", {6}}, {"methyl", {2, 6, 7}}, {"ane++hex", {3, 4}}, {"ne&/pro", {}},   {"ne&/pro+", {1}}};
  for (const auto& [text, found] : searches) EXPECT_EQ(db.SearchByNames(text), found) << text;
  EXPECT_TRUE(TDBCoordinator().SearchByNames("").empty());

  // A load that fails (damaged or missing file) keeps the open database; one
  // that succeeds drops the structures and molecules of the previous items.
  ScratchDir dir;
  const Bytes whole = FileBytes(ReferencePath("sample.mdb"));
  PutFile(dir.file("damaged.mdb"), Bytes(whole.begin(), whole.begin() + 100));
  for (const auto& [name, status] : {std::pair{"damaged.mdb", kNotADBFile}, std::pair{"absent.mdb", kDBFileMissing}}) {
    db.SetDBFileName(dir.file(name));
    EXPECT_EQ(db.LoadDB().error().Damage, status);
  }
  db.SetDBFileName(dir.path().string());
  EXPECT_EQ(db.LoadDB().error().Message, dir.path().string() + ": Is a directory");
  EXPECT_EQ(db.GetDBName(), "Sample hydrocarbons");
  EXPECT_EQ(Find(db, kBenzene), 5);
  db.SetDBFileName(ReferencePath("sample.mdb"));
  ASSERT_TRUE(db.LoadDB());
  EXPECT_EQ(db.GetMolecule(0), nullptr);
  EXPECT_FALSE(db.HasStructure(0));
}

TEST(DBCoordinator, NewDatabaseStoresShortestRelativePathsAndRoundTripsThroughSaveAndOpen) {
  ScratchDir dir;
  TDBCoordinator db;
  db.SetDBName("Test set");
  db.SetDBFileName(dir.file("db/db.mdb"));
  db.SetNote("unit test");
  // Same directory, sub-directory and sibling directory of the database.
  db.AddItem({{"propene", "propylene"}, PutStructure(dir, "db/a.ms", "C C C; 0=1 1-2", 4), {"olefin"}});
  db.AddItem({{"benzene"}, PutStructure(dir, "db/sub/b.ms", kBenzene, 8), {}});
  EXPECT_EQ(db.FindStructure(*MoleculeFrom(kBenzene)), -1);  // molecules not built yet
  db.BuildMolecules();
  const std::string sibling = PutStructure(dir, "sib/c.ms", "C. C; 0-1", -2);
  EXPECT_TRUE(db.AddItem({{"ethyl radical", "ethyl"}, sibling, {"", "C2"}}));
  EXPECT_EQ(Find(db, "C. C; 0-1"), 2);
  const char* stored[] = {"a.ms", "sub\\b.ms", "..\\sib\\c.ms"};
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(db.GetItem(i).MSFile, stored[i]);
  // A stored relative path given back (as the editor does) keeps its meaning.
  EXPECT_TRUE(db.ReplaceItem(1, {{"benzene"}, "sub\\b.ms", {}}));
  EXPECT_EQ(db.GetItem(1).MSFile, "sub\\b.ms");

  ASSERT_TRUE(db.SaveStructures());
  ASSERT_TRUE(db.SaveDB());
  EXPECT_EQ(db.GetVersion(), 0);
  EXPECT_EQ(FileBytes(db.GetDBFileName())[2], 1);  // the file carries version 1
  TDBCoordinator reopened;
  Open(reopened, db.GetDBFileName());
  EXPECT_EQ(reopened.Info(), (TMolDBInfo{1, "Test set", db.GetDBFileName(), db.Records(), "unit test"}));
  EXPECT_EQ(reopened.Characterisations(), db.Characterisations());
}

TEST(DBCoordinator, DeleteAndReplaceKeepStructuresAndMoleculesInStep) {
  ScratchDir dir;
  TDBCoordinator db;
  db.SetDBFileName(dir.file("db.mdb"));
  const std::string first = PutStructure(dir, "first.ms", kPropane, 3);
  const std::string second = PutStructure(dir, "second.ms", kToluene, 9);
  db.AddItem({{"propane"}, first, {}});
  db.AddItem({{"toluene"}, second, {}});
  db.BuildMolecules();
  const Bytes secondBytes = FileBytes(second);

  db.DeleteItem(0);
  ASSERT_EQ(db.Characterisations().size(), 1u);
  EXPECT_EQ(db.GetSynonyms(0), (TStrVector{"toluene"}));
  EXPECT_EQ(Find(db, kToluene), 0);
  EXPECT_EQ(Find(db, kPropane), -1);
  // Saving writes the former item 1's structure to its own file; the deleted item's file is left alone.
  PutFile(second, {0});
  PutFile(first, {1});
  ASSERT_TRUE(db.SaveStructures());
  EXPECT_EQ(FileBytes(second), secondBytes);
  EXPECT_EQ(FileBytes(first), Bytes{1});

  // Replacing rebuilds the same molecule object from the new structure.
  TMolecule* molecule = db.GetMolecule(0);
  const std::string third = PutStructure(dir, "third.ms", kPropane, 3);
  EXPECT_TRUE(db.ReplaceItem(0, {{"propane", "C3H8"}, third, {"r"}}));
  EXPECT_EQ(db.GetMolecule(0), molecule);
  EXPECT_EQ(db.GetItem(0), (TMolDBRecord{{"propane", "C3H8"}, "third.ms", {"r"}}));
  EXPECT_EQ(Find(db, kPropane), 0);
  // A file that does not read replaces the names but keeps the structure.
  EXPECT_EQ(db.ReplaceItem(0, {{"still propane"}, first, {}}).error().Damage, kStructureFileTooShort);
  EXPECT_EQ(db.GetItem(0).MSFile, "first.ms");
  EXPECT_EQ(Find(db, kPropane), 0);
}

TEST(DBCoordinator, MissingOrDamagedStructureFilesDoNotCostData) {
  // A copy of the sample whose third structure file is cut short.
  ScratchDir dir;
  PutFile(dir.file("sample.mdb"), FileBytes(ReferencePath("sample.mdb")));
  std::filesystem::copy(ReferencePath("structures"), dir.path() / "structures");
  const auto isobutane = dir.path() / "structures" / "isobutane.ms";
  Bytes cut = FileBytes(isobutane);
  cut.pop_back();
  PutFile(isobutane, cut);

  TDBCoordinator db;
  db.SetDBFileName(dir.file("sample.mdb"));
  ASSERT_TRUE(db.LoadDB());
  const TResult<> loaded = db.LoadStructures();
  ASSERT_FALSE(loaded);
  EXPECT_EQ(loaded.error().Damage, kStructureFileTooShort);
  EXPECT_EQ(loaded.error().Message, StructureFilePath(db.GetDirectory(), db.Records()[2].MSFile) + ": " +
                                        MolStructureStatusMessage(kStructureFileTooShort));
  EXPECT_TRUE(db.HasStructure(1));
  EXPECT_FALSE(db.HasStructure(2));
  EXPECT_FALSE(db.HasStructure(8));
  db.BuildMolecules();
  EXPECT_EQ(Find(db, "C. C C; 0-1 1=2"), -1);
  EXPECT_EQ(db.FindStructure(TMolecule()), -1);  // empty entries are never found

  // 200 atoms read fine but are more than a structure file may be written
  // with: saving refuses before it writes anything.
  Bytes large = {0x48, 0x04, 0x01, 0, 0, 0, 2, 200};
  large.resize(MolStructureFileSize(200), 0);
  PutFile(dir.file("large.ms"), large);
  ASSERT_TRUE(db.AddItem({{"large"}, dir.file("large.ms"), {}}));
  EXPECT_EQ(db.CheckSave().error().Message.rfind("Item 9: ", 0), 0u);
  const auto propane = dir.path() / "structures" / "propane.ms";
  std::filesystem::remove(propane);
  EXPECT_EQ(db.SaveStructures().error().Message, db.CheckSave().error().Message);
  EXPECT_FALSE(std::filesystem::exists(propane));
  db.DeleteItem(9);

  // Saving must not replace the structures that were never read.
  const auto allyl = dir.path() / "structures" / "allyl.ms";
  const Bytes allylBytes = FileBytes(allyl);
  ASSERT_TRUE(db.SaveStructures());
  EXPECT_EQ(FileBytes(allyl), allylBytes);
  EXPECT_EQ(FileBytes(isobutane), cut);
  EXPECT_TRUE(std::filesystem::exists(propane));

  // A missing structure file changes nothing, also when it would replace an item.
  const TMolDBRecord kept = db.GetItem(0);
  EXPECT_EQ(db.AddItem({{"ghost"}, dir.file("ghost.ms"), {}}).error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(db.ReplaceItem(0, {{"ghost"}, dir.file("ghost.ms"), {}}).error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(db.ItemCount(), 9u);
  EXPECT_EQ(db.Characterisations().size(), 9u);
  EXPECT_EQ(db.GetItem(0).Synonyms, kept.Synonyms);
  EXPECT_EQ(db.GetItem(0).MSFile, kept.MSFile);
}

// Beyond the AddItem cases above (same, sub- and sibling directory).
TEST(DBPaths, DirectoriesAndShortestRelativePaths) {
  EXPECT_EQ(DirectoryOf("C:\\data\\db\\sample.mdb"), "C:\\data\\db\\");
  EXPECT_EQ(DirectoryOf("C:sample.mdb"), "C:");
  EXPECT_EQ(StructureFilePath("/home/ana/db/", "\\opt\\x.ms"), "/opt/x.ms");  // absolute stays absolute
  const struct {
    std::string base, target, stored;
  } cases[] = {
      {"/home/ana/db/", "/srv/x/y.ms", "..\\..\\..\\srv\\x\\y.ms"},
      {"/home/ana/./db", "\\home\\ana\\db\\x\\..\\y\\z.ms", "y\\z.ms"},  // "." and ".." resolved by name
      {"/home/ana/db/", "/home/ana/dbx/z.ms", "..\\dbx\\z.ms"},             // a name that only begins alike
      {"/home/ana/db/", "/home/ana/DB/z.ms", "..\\DB\\z.ms"},               // case-sensitive
      {"C:\\data\\db\\", "c:\\data\\other\\x.ms", "..\\other\\x.ms"},  // the same drive in any case
      {"C:\\data\\db\\", "D:\\data\\x.ms", "D:\\data\\x.ms"},          // another drive stays absolute
      {"db/", std::filesystem::current_path().string() + "/db/x.ms", "x.ms"},  // a relative base: working directory
  };
  for (const auto& c : cases) EXPECT_EQ(ShortestRelativePath(c.base, c.target), c.stored) << c.target;
}

TEST(DBPaths, NewStructureFilesTakeAFreeNameOfSafeCharacters) {
  testing::ScratchDir folder;
  const std::string directory = folder.path().string() + "/";
  EXPECT_EQ(NewStructureFilePath(directory, "1,3-butadiene"), "structures/1,3-butadiene.ms");
  EXPECT_EQ(NewStructureFilePath(directory, ""), "structures/item.ms");
  std::ofstream(folder.file("structures/cis_2-butene.ms")) << "taken";
  std::ofstream(folder.file("structures/cis_2-butene-2.ms")) << "taken";
  EXPECT_EQ(NewStructureFilePath(directory, "cis/2-butene"), "structures/cis_2-butene-3.ms");
}

}  // namespace
}  // namespace korvane
