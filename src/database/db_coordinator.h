#pragma once
/// TDBCoordinator: the in-memory molecular database. It holds the content of
/// one database file, the structure of every item read from its structure
/// file and, once built, one molecule per item; it finds items by name
/// fragments and by structure and performs the editing operations of the
/// database editor.
///
/// Opening a database: construct, SetDBFileName, LoadDB, LoadStructures,
/// BuildMolecules. A new database: construct, SetDBName, SetDBFileName,
/// SetNote; it reaches the disk through SaveStructures followed by SaveDB.
/// Nothing is written implicitly.
///
/// Invariant: there is one structure entry per item and, once the molecules
/// are built, one molecule per item; every operation keeps them in step.
/// The coordinator owns its molecules; GetMolecule hands out references.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/molecule.h"
#include "core/result.h"
#include "core/vectors.h"
#include "database/mol_db_types.h"

namespace korvane {

class TDBCoordinator {
 public:
  /// An empty database: no name, file name, note or items; version 0.
  TDBCoordinator() = default;

  void SetDBName(const std::string& name) { m_info.DBName = name; }
  const std::string& GetDBName() const { return m_info.DBName; }
  /// Also sets the directory that item paths are relative to.
  void SetDBFileName(const std::string& fileName);
  const std::string& GetDBFileName() const { return m_info.DBFileName; }
  /// The directory part of the file name, up to and including the last
  /// "/", "\" or ":".
  const std::string& GetDirectory() const { return m_directory; }
  void SetNote(const std::string& note) { m_info.Note = note; }
  const std::string& GetNote() const { return m_info.Note; }
  /// Format version of the loaded file; 0 until a load succeeds.
  std::uint8_t GetVersion() const { return m_info.Version; }
  std::size_t ItemCount() const { return m_info.Records.size(); }

  /// Reads the database file named by GetDBFileName (ReadMolDBFile). On
  /// success the items are replaced and their structures and molecules are
  /// cleared until LoadStructures and BuildMolecules run; on an error (the
  /// reader's, "<file>: <reason>" for a file that cannot be read) the
  /// database is unchanged.
  TResult<> LoadDB();
  /// Writes name, note and items to GetDBFileName (WriteMolDBFile); Refused
  /// when there is no file name. The file is replaced only by a complete new
  /// one.
  TResult<> SaveDB() const;

  /// Reads every item's structure file in index order, stopping at the first
  /// one that does not read; that item and all later ones stay without a
  /// structure (HasStructure). The error is that file's (its status as
  /// Damage) with the message "<structure file>: <reason>". Built molecules
  /// are cleared.
  TResult<> LoadStructures();
  /// Writes the structure of every item that has one to the item's
  /// structure file. All structures are checked before the first is written
  /// ("Item <i>: " and the limit); the error of a file that cannot be
  /// written names it.
  TResult<> SaveStructures() const;
  /// Builds one molecule per item from its structure (ID = identification);
  /// an item without a structure gets a molecule without atoms.
  void BuildMolecules();
  bool MoleculesBuilt() const { return m_moleculesBuilt; }

  /// Appends an item. `record.MSFile` is the structure file as the user chose
  /// it; the item stores its shortest path relative to the database's
  /// directory (a relative choice is taken relative to that directory).
  /// Reads the structure (and builds its molecule if molecules are built).
  /// A structure file that is not one, or is damaged, gives the reader's
  /// FileFormat error but the item is still added, without a structure; a
  /// file that cannot be read at all (FileSystem, the system's reason)
  /// changes nothing.
  TResult<> AddItem(const TMolDBRecord& record);
  /// As AddItem, but overwrites the item at `index`; when the structure does
  /// not read, the item keeps its previous structure and molecule. The
  /// molecule object at `index` stays the same object. A file that cannot be
  /// read changes nothing.
  TResult<> ReplaceItem(std::size_t index, const TMolDBRecord& record);
  /// A copy of the item, with its stored relative MSFile.
  TMolDBRecord GetItem(std::size_t index) const;
  TStrVector GetSynonyms(std::size_t index) const;
  /// Removes the item, its structure and its molecule; later items move
  /// down. The structure file on disk is left alone.
  void DeleteItem(std::size_t index);

  /// Indices, ascending, of the items whose names contain the text
  /// (case-sensitive). An empty text finds every item. A text with "+" is cut
  /// into parts (empty ones dropped) that must all occur in the item's
  /// synonyms, each followed by "&/", joined together.
  TIntVector SearchByNames(const std::string& text) const;
  /// Index of the first item whose molecule is identical to the built
  /// `molecule` (AreIsomorphic); -1 when none is or the molecules are not
  /// built. Items without atoms are never found.
  std::int32_t FindStructure(const TMolecule& molecule) const;
  /// The item's molecule, owned by the coordinator; null while the
  /// molecules are not built.
  TMolecule* GetMolecule(std::size_t index) const;

  const TMolDBInfo& Info() const { return m_info; }
  const TMolDBRecords& Records() const { return m_info.Records; }
  const TMolCharVector& Characterisations() const { return m_characterisations; }
  /// Whether the item's structure was read from its file.
  bool HasStructure(std::size_t index) const { return m_hasStructure[index]; }
  /// The error SaveStructures or SaveDB would refuse the database with for
  /// its content (a limit of the formats). Lets a caller check before
  /// anything is written.
  TResult<> CheckSave() const;

 private:
  std::string storedPath(const std::string& chosenPath) const;
  std::string structurePath(std::size_t index) const;

  TMolDBInfo m_info;
  std::string m_directory;
  TMolCharVector m_characterisations;
  std::vector<bool> m_hasStructure;
  std::vector<std::unique_ptr<TMolecule>> m_molecules;
  bool m_moleculesBuilt = false;
};

}  // namespace korvane
