#include "database/db_coordinator.h"

#include <gtest/gtest.h>

#include "core/identity.h"
#include "database/binary_file.h"
#include "database/mol_db_file.h"
#include "database/mol_structure_file.h"
#include "database_test_support.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::FileBytes;
using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::PutFile;
using testing::ReferencePath;
using testing::Renumbered;
using testing::ScratchDir;
using testing::ShuffledOrder;
using Bytes = std::vector<std::uint8_t>;

constexpr const char* kBenzene = "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0";
constexpr const char* kToluene = "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1";

// Writes the structure file of the described molecule and returns its path.
std::string PutStructure(const ScratchDir& dir, const std::string& relative, const std::string& description,
                         std::int32_t id) {
  const auto molecule = MoleculeFrom(description, id);
  const std::string path = dir.file(relative);
  WriteMolStructureFile({id, molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix()}, path);
  return path;
}

TMolDBRecord Record(TStrVector synonyms, std::string path, TStrVector reservations = {}) {
  return {std::move(synonyms), std::move(path), std::move(reservations)};
}

std::int32_t Find(const TDBCoordinator& db, const std::string& description, unsigned shuffle = 3) {
  const auto molecule = MoleculeFrom(description);
  const auto renumbered = Renumbered(*molecule, ShuffledOrder(static_cast<int>(molecule->AtomCount()), shuffle));
  return db.FindStructure(*renumbered);
}

void OpenSample(TDBCoordinator& db) {
  db.SetDBFileName(ReferencePath("sample.mdb"));
  ASSERT_EQ(db.LoadDB(), kDBFileRead);
  const TStructureLoadReport report = db.LoadStructures();
  ASSERT_EQ(report.Status, kStructureFileRead);
  db.BuildMolecules();
}

TEST(DBCoordinator, OpensTheSampleDatabaseWithItsStructures) {
  TDBCoordinator db;
  OpenSample(db);
  EXPECT_EQ(db.GetVersion(), 1);
  EXPECT_EQ(db.GetDBName(), "Sample hydrocarbons");
  EXPECT_EQ(db.GetNote(), "reference files");
  EXPECT_EQ(db.GetDirectory(), ReferencePath(""));
  ASSERT_EQ(db.ItemCount(), 9u);
  const std::int32_t ids[] = {3, 4, 5, 6, 7, 8, 9, -10, 11};
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_TRUE(db.HasStructure(i));
    ASSERT_NE(db.GetMolecule(i), nullptr);
    EXPECT_EQ(db.GetMolecule(i)->ID, ids[i]);
  }
  EXPECT_EQ(db.GetMolecule(9), nullptr);
  EXPECT_EQ(db.GetItem(1).Reservations, (TStrVector{"olefin", "C3"}));
  EXPECT_EQ(db.GetItem(1).MSFile, "structures\\propene.ms");
  EXPECT_EQ(db.GetSynonyms(3), (TStrVector{"n-hexane", "hexane"}));

  // Found by identity whatever the atom order.
  EXPECT_EQ(Find(db, "C C C; 0-1 1-2"), 0);
  EXPECT_EQ(Find(db, LinearAlkane(6)), 3);
  EXPECT_EQ(Find(db, kBenzene), 5);
  EXPECT_EQ(Find(db, kToluene), 6);
  EXPECT_EQ(Find(db, "C."), 7);
  EXPECT_EQ(Find(db, "C C C.; 0=1 1-2"), 8);  // allyl drawn from its other end
  EXPECT_EQ(Find(db, "C C; 0-1"), -1);
  EXPECT_EQ(Find(db, "C. C C; 0-1 1-2"), -1);  // n-propyl is not allyl

  // Written back, the database reproduces its file.
  ScratchDir dir;
  db.SetDBFileName(dir.file("copy.mdb"));
  db.SaveDB();
  EXPECT_EQ(FileBytes(dir.path() / "copy.mdb"), FileBytes(ReferencePath("sample.mdb")));
}

TEST(DBCoordinator, SearchByNamesMatchesFragmentsCaseSensitively) {
  TDBCoordinator db;
  OpenSample(db);
  EXPECT_EQ(db.SearchByNames(""), (TIntVector{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(db.SearchByNames("pylen"), (TIntVector{1}));
  EXPECT_EQ(db.SearchByNames("pro+lene"), (TIntVector{1}));
  EXPECT_EQ(db.SearchByNames("Propene"), (TIntVector{}));
  EXPECT_EQ(db.SearchByNames("ethyl+benz"), (TIntVector{6}));
  EXPECT_EQ(db.SearchByNames("methyl"), (TIntVector{2, 6, 7}));
  EXPECT_EQ(db.SearchByNames("ane"), (TIntVector{0, 2, 3, 4}));
  EXPECT_EQ(db.SearchByNames("+"), (TIntVector{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(db.SearchByNames("ane++hex"), db.SearchByNames("ane+hex"));
  EXPECT_EQ(db.SearchByNames("ane+hex"), (TIntVector{3, 4}));
  // A fragment across two synonyms matches only in the form with a plus.
  EXPECT_EQ(db.SearchByNames("ne&/pro"), (TIntVector{}));
  EXPECT_EQ(db.SearchByNames("ne&/pro+"), (TIntVector{1}));

  TDBCoordinator empty;
  EXPECT_TRUE(empty.SearchByNames("").empty());
  EXPECT_TRUE(empty.SearchByNames("+").empty());
}

TEST(DBCoordinator, NewDatabaseRoundTripsThroughSaveAndOpen) {
  ScratchDir dir;
  TDBCoordinator db;
  EXPECT_EQ(db.GetVersion(), 0);
  EXPECT_EQ(db.FindStructure(*MoleculeFrom("C.")), -1);
  db.SetDBName("Test set");
  db.SetDBFileName(dir.file("db.mdb"));
  db.SetNote("unit test");
  const std::string propene = PutStructure(dir, "structures/propene.ms", "C C C; 0=1 1-2", 4);
  const std::string benzene = PutStructure(dir, "structures/benzene.ms", kBenzene, 8);
  const std::string ethyl = PutStructure(dir, "structures/ethyl.ms", "C. C; 0-1", -2);
  const std::string butyne = PutStructure(dir, "structures/butyne.ms", "C C C C; 0#1 1-2 2-3", 12);

  EXPECT_EQ(db.AddItem(Record({"propene", "propylene"}, propene, {"olefin"})), kStructureFileRead);
  EXPECT_EQ(db.AddItem(Record({"benzene"}, benzene)), kStructureFileRead);
  EXPECT_EQ(db.FindStructure(*MoleculeFrom(kBenzene)), -1);  // molecules not built yet
  db.BuildMolecules();
  EXPECT_EQ(db.AddItem(Record({"ethyl radical"}, ethyl)), kStructureFileRead);
  EXPECT_EQ(db.AddItem(Record({"1-butyne", "ethylacetylene"}, butyne, {"", "C4"})), kStructureFileRead);
  EXPECT_EQ(db.GetItem(3).MSFile, "structures\\butyne.ms");
  EXPECT_EQ(db.GetMolecule(3)->ID, 12);
  EXPECT_EQ(Find(db, "C C C C; 0#1 1-2 2-3"), 3);

  db.SaveStructures();
  db.SaveDB();
  EXPECT_EQ(db.GetVersion(), 0);
  EXPECT_EQ(FileBytes(dir.path() / "db.mdb")[2], 1);  // the file carries version 1

  TDBCoordinator reopened;
  reopened.SetDBFileName(db.GetDBFileName());
  ASSERT_EQ(reopened.LoadDB(), kDBFileRead);
  ASSERT_EQ(reopened.LoadStructures().Status, kStructureFileRead);
  reopened.BuildMolecules();
  EXPECT_EQ(reopened.GetDBName(), "Test set");
  EXPECT_EQ(reopened.GetNote(), "unit test");
  EXPECT_EQ(reopened.Records(), db.Records());
  EXPECT_EQ(reopened.Characterisations(), db.Characterisations());
  EXPECT_EQ(Find(reopened, "C. C; 0-1"), 2);
  EXPECT_EQ(Find(reopened, kBenzene), 1);
  EXPECT_EQ(reopened.SearchByNames("ethyl"), (TIntVector{2, 3}));
  EXPECT_EQ(reopened.SearchByNames("ethyl+yne"), (TIntVector{3}));
}

TEST(DBCoordinator, AddItemStoresTheShortestRelativePath) {
  ScratchDir dir;
  TDBCoordinator db;
  db.SetDBFileName(dir.file("db/base.mdb"));
  db.BuildMolecules();
  const std::string same = PutStructure(dir, "db/a.ms", "C C; 0-1", 1);
  const std::string sub = PutStructure(dir, "db/sub/b.ms", "C C; 0=1", 2);
  const std::string sibling = PutStructure(dir, "sib/c.ms", "C C; 0#1", 3);
  db.AddItem(Record({"ethane"}, same));
  db.AddItem(Record({"ethene"}, sub));
  db.AddItem(Record({"ethyne"}, sibling));
  EXPECT_EQ(db.GetItem(0).MSFile, "a.ms");
  EXPECT_EQ(db.GetItem(1).MSFile, "sub\\b.ms");
  EXPECT_EQ(db.GetItem(2).MSFile, "..\\sib\\c.ms");
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_TRUE(db.HasStructure(i));
    EXPECT_EQ(db.GetMolecule(i)->ID, static_cast<std::int32_t>(i + 1));
  }
  // A stored relative path given back (as the editor does) keeps its meaning.
  EXPECT_EQ(db.ReplaceItem(1, Record({"ethylene"}, "sub\\b.ms")), kStructureFileRead);
  EXPECT_EQ(db.GetItem(1).MSFile, "sub\\b.ms");
  EXPECT_EQ(db.GetMolecule(1)->ID, 2);
}

TEST(DBCoordinator, DeleteAndReplaceKeepStructuresAndMoleculesInStep) {
  ScratchDir dir;
  TDBCoordinator db;
  db.SetDBFileName(dir.file("db.mdb"));
  const std::string first = PutStructure(dir, "first.ms", "C C C; 0-1 1-2", 3);
  const std::string second = PutStructure(dir, "second.ms", kToluene, 9);
  db.AddItem(Record({"propane"}, first));
  db.AddItem(Record({"toluene"}, second));
  db.BuildMolecules();
  const Bytes firstBytes = FileBytes(first);
  const Bytes secondBytes = FileBytes(second);

  db.DeleteItem(0);
  ASSERT_EQ(db.ItemCount(), 1u);
  EXPECT_EQ(db.GetSynonyms(0), (TStrVector{"toluene"}));
  EXPECT_EQ(db.Characterisations().size(), 1u);
  EXPECT_EQ(db.Characterisations()[0].Identification, 9);
  EXPECT_EQ(db.GetMolecule(0)->ID, 9);
  EXPECT_EQ(Find(db, kToluene), 0);
  EXPECT_EQ(Find(db, "C C C; 0-1 1-2"), -1);
  // Saving writes the former item 1's structure to its own file; the deleted
  // item's file is left alone.
  PutFile(second, {0});
  PutFile(first, {1});
  db.SaveStructures();
  EXPECT_EQ(FileBytes(second), secondBytes);
  EXPECT_EQ(FileBytes(first), Bytes{1});

  // Replacing rebuilds the same molecule object from the new structure.
  PutFile(first, firstBytes);
  TMolecule* molecule = db.GetMolecule(0);
  EXPECT_EQ(db.ReplaceItem(0, Record({"propane", "C3H8"}, first, {"r"})), kStructureFileRead);
  EXPECT_EQ(db.GetMolecule(0), molecule);
  EXPECT_EQ(molecule->ID, 3);
  EXPECT_EQ(db.GetItem(0), Record({"propane", "C3H8"}, "first.ms", {"r"}));
  EXPECT_EQ(Find(db, "C C C; 0-1 1-2"), 0);

  // A file that does not read replaces the names but keeps the structure.
  const std::string notStructure = dir.file("db.mdb");
  db.SaveDB();
  EXPECT_EQ(db.ReplaceItem(0, Record({"still propane"}, notStructure)), kNotAStructureFile);
  EXPECT_EQ(db.GetItem(0).MSFile, "db.mdb");
  EXPECT_EQ(db.Characterisations()[0].Identification, 3);
  EXPECT_EQ(Find(db, "C C C; 0-1 1-2"), 0);
}

TEST(DBCoordinator, MissingOrDamagedStructureFilesDoNotCostData) {
  ScratchDir dir;
  // A copy of the sample whose third structure file is cut short.
  const std::string dbPath = dir.file("sample.mdb");
  PutFile(dbPath, FileBytes(ReferencePath("sample.mdb")));
  for (const char* name : {"propane", "propene", "isobutane", "n-hexane", "cyclohexane", "benzene", "toluene",
                           "methyl", "allyl"})
    PutFile(dir.file(std::string("structures/") + name + ".ms"),
            FileBytes(ReferencePath(std::string("structures/") + name + ".ms")));
  const auto isobutane = dir.path() / "structures" / "isobutane.ms";
  Bytes cut = FileBytes(isobutane);
  cut.resize(cut.size() - 1);
  PutFile(isobutane, cut);

  TDBCoordinator db;
  db.SetDBFileName(dbPath);
  ASSERT_EQ(db.LoadDB(), kDBFileRead);
  const TStructureLoadReport report = db.LoadStructures();
  EXPECT_EQ(report.Status, kStructureFileTooShort);
  EXPECT_EQ(report.Item, 2u);
  EXPECT_TRUE(db.HasStructure(1));
  EXPECT_FALSE(db.HasStructure(2));
  EXPECT_FALSE(db.HasStructure(8));
  db.BuildMolecules();
  EXPECT_EQ(db.GetMolecule(8)->AtomCount(), 0u);
  EXPECT_EQ(Find(db, "C. C C; 0-1 1=2"), -1);
  EXPECT_EQ(db.FindStructure(TMolecule()), -1);  // empty entries are never found

  // Saving must not replace the structures that were never read.
  const auto allyl = dir.path() / "structures" / "allyl.ms";
  const Bytes allylBytes = FileBytes(allyl);
  db.SaveStructures();
  EXPECT_EQ(FileBytes(allyl), allylBytes);
  EXPECT_EQ(FileBytes(isobutane), cut);

  // A missing structure file raises after the item is in, without a
  // structure, and with every list still in step.
  EXPECT_THROW(db.AddItem(Record({"ghost"}, dir.file("ghost.ms"))), std::filesystem::filesystem_error);
  ASSERT_EQ(db.ItemCount(), 10u);
  EXPECT_EQ(db.Characterisations().size(), 10u);
  EXPECT_FALSE(db.HasStructure(9));
  ASSERT_NE(db.GetMolecule(9), nullptr);
  EXPECT_EQ(db.GetMolecule(9)->AtomCount(), 0u);
  db.SaveStructures();
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "ghost.ms"));
  EXPECT_THROW(db.ReplaceItem(0, Record({"ghost"}, dir.file("ghost.ms"))), std::filesystem::filesystem_error);
  EXPECT_EQ(db.GetMolecule(0)->ID, 3);

  std::filesystem::remove(allyl);
  EXPECT_THROW(db.LoadStructures(), std::filesystem::filesystem_error);
}

TEST(DBCoordinator, FailedLoadKeepsTheDatabaseAndSuccessfulLoadReplacesIt) {
  TDBCoordinator db;
  OpenSample(db);
  ScratchDir dir;
  const std::string damaged = dir.file("damaged.mdb");
  Bytes bytes = FileBytes(ReferencePath("sample.mdb"));
  bytes.resize(bytes.size() / 2);
  PutFile(damaged, bytes);
  db.SetDBFileName(damaged);
  EXPECT_EQ(db.LoadDB(), kNotADBFile);
  db.SetDBFileName(dir.file("absent.mdb"));
  EXPECT_EQ(db.LoadDB(), kDBFileMissing);
  EXPECT_EQ(db.ItemCount(), 9u);
  EXPECT_EQ(db.GetDBName(), "Sample hydrocarbons");
  EXPECT_EQ(Find(db, kBenzene), 5);

  db.SetDBFileName(ReferencePath("sample.mdb"));
  ASSERT_EQ(db.LoadDB(), kDBFileRead);
  EXPECT_FALSE(db.MoleculesBuilt());
  EXPECT_EQ(db.GetMolecule(0), nullptr);
  EXPECT_EQ(db.Characterisations().size(), 9u);
  EXPECT_FALSE(db.HasStructure(0));
}

TEST(DBCoordinator, SavingRefusesUnwritableDataBeforeWritingAnything) {
  ScratchDir dir;
  TDBCoordinator db;
  db.SetDBFileName(dir.file("db.mdb"));
  const std::string small = PutStructure(dir, "small.ms", "C.", 1);
  // 200 atoms read fine but are more than a structure file may be written with.
  Bytes large = {0x48, 0x04, 0x01, 0, 0, 0, 2, 200};
  large.resize(MolStructureFileSize(200), 0);
  PutFile(dir.file("large.ms"), large);
  db.AddItem(Record({"methyl"}, small));
  ASSERT_EQ(db.AddItem(Record({"large"}, dir.file("large.ms"))), kStructureFileRead);
  EXPECT_NE(db.SaveProblem().find("Item 1"), std::string::npos);
  std::filesystem::remove(small);
  EXPECT_THROW(db.SaveStructures(), FileFormatLimitError);
  EXPECT_FALSE(std::filesystem::exists(small));

  db.DeleteItem(1);
  EXPECT_EQ(db.SaveProblem(), "");
  db.SetDBName(std::string(256, 'n'));
  EXPECT_FALSE(db.SaveProblem().empty());
  EXPECT_THROW(db.SaveDB(), FileFormatLimitError);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "db.mdb"));
}

}  // namespace
}  // namespace korvane
