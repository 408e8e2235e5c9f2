#include "database/db_coordinator.h"

#include <algorithm>
#include <cassert>

#include "core/identity.h"
#include "database/db_paths.h"
#include "database/mol_db_file.h"
#include "database/mol_structure_file.h"

namespace korvane {
namespace {

std::unique_ptr<TMolecule> MoleculeOf(const TMolCharacterisation& entry) {
  auto molecule = TMolecule::FromStructure(entry.Identification, entry.AdjacencyMatrix, entry.AtomTypes,
                                           entry.AromaticMatrix);
  // Entries come from the structure reader, whose pieces always agree; an
  // empty molecule keeps the item in step if one ever does not.
  if (!molecule) molecule = std::make_unique<TMolecule>(entry.Identification);
  return molecule;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

void TDBCoordinator::SetDBFileName(const std::string& fileName) {
  m_info.DBFileName = fileName;
  m_directory = DirectoryOf(fileName);
}

TResult<> TDBCoordinator::LoadDB() {
  const std::string path = ToNativeSeparators(m_info.DBFileName);
  auto read = ReadMolDBFile(path);
  if (!read) {
    TError error = read.error();
    // The reader gives the system's reason only; the caller did not name the file.
    if (error.Damage == kDBFileRead) error.Message = path + ": " + error.Message;
    return error;
  }
  read->DBFileName = m_info.DBFileName;
  m_info = std::move(read.value());
  // The previous structures and molecules belong to other items.
  m_characterisations.assign(m_info.Records.size(), TMolCharacterisation{});
  m_hasStructure.assign(m_info.Records.size(), false);
  m_molecules.clear();
  m_moleculesBuilt = false;
  return {};
}

TResult<> TDBCoordinator::SaveDB() const {
  if (m_info.DBFileName.empty()) return TError{TErrorCode::Refused, "The database has no file name."};
  return WriteMolDBFile(m_info, ToNativeSeparators(m_info.DBFileName));
}

TResult<> TDBCoordinator::LoadStructures() {
  const std::size_t count = ItemCount();
  m_characterisations.assign(count, TMolCharacterisation{});
  m_hasStructure.assign(count, false);
  m_molecules.clear();
  m_moleculesBuilt = false;
  for (std::size_t i = 0; i < count; ++i) {
    auto read = ReadMolStructureFile(structurePath(i));
    if (!read) {
      TError error = read.error();
      error.Message = structurePath(i) + ": " + error.Message;
      return error;
    }
    m_characterisations[i] = std::move(read.value());
    m_hasStructure[i] = true;
  }
  return {};
}

TResult<> TDBCoordinator::CheckSave() const {
  if (auto fits = CheckMolDBLimits(m_info); !fits) return fits;
  for (std::size_t i = 0; i < m_characterisations.size(); ++i) {
    if (!m_hasStructure[i]) continue;
    if (const auto fits = CheckMolStructureLimits(m_characterisations[i]); !fits)
      return TError{fits.error().Code, "Item " + std::to_string(i) + ": " + fits.error().Message};
  }
  return {};
}

TResult<> TDBCoordinator::SaveStructures() const {
  for (std::size_t i = 0; i < m_characterisations.size(); ++i) {
    if (!m_hasStructure[i]) continue;
    if (const auto fits = CheckMolStructureLimits(m_characterisations[i]); !fits)
      return TError{fits.error().Code, "Item " + std::to_string(i) + ": " + fits.error().Message};
  }
  // An item whose structure never read (a missing or damaged file, a load
  // that stopped early) has nothing to write; writing its empty entry would
  // destroy a file that may still hold the structure.
  for (std::size_t i = 0; i < m_characterisations.size(); ++i)
    if (m_hasStructure[i])
      if (auto written = WriteMolStructureFile(m_characterisations[i], structurePath(i)); !written) return written;
  return {};
}

void TDBCoordinator::BuildMolecules() {
  m_molecules.clear();
  m_molecules.reserve(m_characterisations.size());
  for (const TMolCharacterisation& entry : m_characterisations) m_molecules.push_back(MoleculeOf(entry));
  m_moleculesBuilt = true;
}

std::string TDBCoordinator::storedPath(const std::string& chosenPath) const {
  return ShortestRelativePath(m_directory, chosenPath);
}

std::string TDBCoordinator::structurePath(std::size_t index) const {
  return StructureFilePath(m_directory, m_info.Records[index].MSFile);
}

TResult<> TDBCoordinator::AddItem(const TMolDBRecord& record) {
  // The file is read before anything changes, so a file that cannot be read
  // leaves the database as it was.
  TMolDBRecord stored{record.Synonyms, storedPath(record.MSFile), record.Reservations};
  auto read = ReadMolStructureFile(StructureFilePath(m_directory, stored.MSFile));
  if (!read && read.error().Code == TErrorCode::FileSystem) return read.error();
  const bool readWell = read.ok();
  auto molecule = m_moleculesBuilt ? (readWell ? MoleculeOf(read.value()) : std::make_unique<TMolecule>()) : nullptr;

  m_info.Records.push_back(std::move(stored));
  m_characterisations.push_back(readWell ? std::move(read.value()) : TMolCharacterisation{});
  m_hasStructure.push_back(readWell);
  if (m_moleculesBuilt) m_molecules.push_back(std::move(molecule));
  if (!readWell) return read.error();
  return {};
}

TResult<> TDBCoordinator::ReplaceItem(std::size_t index, const TMolDBRecord& record) {
  assert(index < ItemCount());
  TMolDBRecord stored{record.Synonyms, storedPath(record.MSFile), record.Reservations};
  auto read = ReadMolStructureFile(StructureFilePath(m_directory, stored.MSFile));
  if (!read && read.error().Code == TErrorCode::FileSystem) return read.error();
  m_info.Records[index] = std::move(stored);
  if (!read) return read.error();
  m_characterisations[index] = std::move(read.value());
  m_hasStructure[index] = true;
  if (m_moleculesBuilt) {
    // Rebuilt in place: windows may hold references to this molecule.
    TMolecule& molecule = *m_molecules[index];
    const TMolCharacterisation& entry = m_characterisations[index];
    molecule.SetID(entry.Identification);
    if (molecule.SetStructure(entry.AdjacencyMatrix, entry.AtomTypes, entry.AromaticMatrix))
      molecule.Build();
  }
  return {};
}

TMolDBRecord TDBCoordinator::GetItem(std::size_t index) const {
  assert(index < ItemCount());
  return m_info.Records[index];
}

TStrVector TDBCoordinator::GetSynonyms(std::size_t index) const {
  assert(index < ItemCount());
  return m_info.Records[index].Synonyms;
}

void TDBCoordinator::DeleteItem(std::size_t index) {
  assert(index < ItemCount());
  const auto offset = static_cast<std::ptrdiff_t>(index);
  m_info.Records.erase(m_info.Records.begin() + offset);
  m_characterisations.erase(m_characterisations.begin() + offset);
  m_hasStructure.erase(m_hasStructure.begin() + offset);
  if (m_moleculesBuilt) m_molecules.erase(m_molecules.begin() + offset);
}

TIntVector TDBCoordinator::SearchByNames(const std::string& text) const {
  TIntVector found;
  const std::size_t count = ItemCount();
  const bool allParts = text.find('+') != std::string::npos;
  TStrVector parts;
  if (allParts) {
    std::size_t start = 0;
    while (start <= text.size()) {
      const std::size_t end = std::min(text.find('+', start), text.size());
      if (end > start) parts.push_back(text.substr(start, end - start));
      start = end + 1;
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    const TStrVector& synonyms = m_info.Records[i].Synonyms;
    bool match = false;
    if (text.empty()) {
      match = true;
    } else if (allParts) {
      // Parts may match in different synonyms; "&/" marks where one ends.
      std::string names;
      for (const std::string& synonym : synonyms) names += synonym + "&/";
      match = std::all_of(parts.begin(), parts.end(), [&](const std::string& part) { return Contains(names, part); });
    } else {
      match = std::any_of(synonyms.begin(), synonyms.end(),
                          [&](const std::string& synonym) { return Contains(synonym, text); });
    }
    if (match) found.push_back(static_cast<std::int32_t>(i));
  }
  return found;
}

std::int32_t TDBCoordinator::FindStructure(const TMolecule& molecule) const {
  if (!m_moleculesBuilt) return -1;
  for (std::size_t i = 0; i < m_molecules.size(); ++i) {
    // An item without atoms has no structure to be identical to.
    if (m_molecules[i]->AtomCount() == 0) continue;
    if (AreIsomorphic(molecule, *m_molecules[i])) return static_cast<std::int32_t>(i);
  }
  return -1;
}

TMolecule* TDBCoordinator::GetMolecule(std::size_t index) const {
  if (!m_moleculesBuilt || index >= m_molecules.size()) return nullptr;
  return m_molecules[index].get();
}

}  // namespace korvane
