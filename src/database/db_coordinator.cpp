#include "database/db_coordinator.h"

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "core/identity.h"
#include "database/binary_file.h"
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

std::uint8_t TDBCoordinator::LoadDB() {
  TMolDBInfo read;
  const std::uint8_t status = ReadMolDBFile(read, ToNativeSeparators(m_info.DBFileName));
  if (status != kDBFileRead) return status;
  read.DBFileName = m_info.DBFileName;
  m_info = std::move(read);
  // The previous structures and molecules belong to other items.
  m_characterisations.assign(m_info.Records.size(), TMolCharacterisation{});
  m_hasStructure.assign(m_info.Records.size(), false);
  m_molecules.clear();
  m_moleculesBuilt = false;
  return status;
}

void TDBCoordinator::SaveDB() const {
  if (m_info.DBFileName.empty())
    throw std::filesystem::filesystem_error("The database has no file name",
                                            std::make_error_code(std::errc::invalid_argument));
  WriteMolDBFile(m_info, ToNativeSeparators(m_info.DBFileName));
}

TStructureLoadReport TDBCoordinator::LoadStructures() {
  const std::size_t count = ItemCount();
  m_characterisations.assign(count, TMolCharacterisation{});
  m_hasStructure.assign(count, false);
  m_molecules.clear();
  m_moleculesBuilt = false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint16_t status = ReadMolStructureFile(structurePath(i), m_characterisations[i]);
    if (status != kStructureFileRead) return {status, i};
    m_hasStructure[i] = true;
  }
  return {};
}

std::string TDBCoordinator::SaveProblem() const {
  if (std::string problem = MolDBLimitProblem(m_info); !problem.empty()) return problem;
  for (std::size_t i = 0; i < m_characterisations.size(); ++i) {
    if (!m_hasStructure[i]) continue;
    if (std::string problem = MolStructureLimitProblem(m_characterisations[i]); !problem.empty())
      return "Item " + std::to_string(i) + ": " + problem;
  }
  return {};
}

void TDBCoordinator::SaveStructures() const {
  for (std::size_t i = 0; i < m_characterisations.size(); ++i) {
    if (!m_hasStructure[i]) continue;
    if (std::string problem = MolStructureLimitProblem(m_characterisations[i]); !problem.empty())
      throw FileFormatLimitError("Item " + std::to_string(i) + ": " + problem);
  }
  // An item whose structure never read (a missing or damaged file, a load
  // that stopped early) has nothing to write; writing its empty entry would
  // destroy a file that may still hold the structure.
  for (std::size_t i = 0; i < m_characterisations.size(); ++i)
    if (m_hasStructure[i]) WriteMolStructureFile(m_characterisations[i], structurePath(i));
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

std::uint16_t TDBCoordinator::AddItem(const TMolDBRecord& record) {
  // The file is read before anything changes, so a read that throws (a
  // missing file) leaves the database as it was.
  TMolDBRecord stored{record.Synonyms, storedPath(record.MSFile), record.Reservations};
  TMolCharacterisation read;
  const std::uint16_t status = ReadMolStructureFile(StructureFilePath(m_directory, stored.MSFile), read);
  const bool readWell = status == kStructureFileRead;
  auto molecule = m_moleculesBuilt ? (readWell ? MoleculeOf(read) : std::make_unique<TMolecule>()) : nullptr;

  m_info.Records.push_back(std::move(stored));
  m_characterisations.push_back(readWell ? std::move(read) : TMolCharacterisation{});
  m_hasStructure.push_back(readWell);
  if (m_moleculesBuilt) m_molecules.push_back(std::move(molecule));
  return status;
}

std::uint16_t TDBCoordinator::ReplaceItem(std::size_t index, const TMolDBRecord& record) {
  assert(index < ItemCount());
  TMolDBRecord stored{record.Synonyms, storedPath(record.MSFile), record.Reservations};
  TMolCharacterisation read;
  const std::uint16_t status = ReadMolStructureFile(StructureFilePath(m_directory, stored.MSFile), read);
  m_info.Records[index] = std::move(stored);
  if (status != kStructureFileRead) return status;
  m_characterisations[index] = std::move(read);
  m_hasStructure[index] = true;
  if (m_moleculesBuilt) {
    // Rebuilt in place: windows may hold references to this molecule.
    TMolecule& molecule = *m_molecules[index];
    const TMolCharacterisation& entry = m_characterisations[index];
    molecule.SetID(entry.Identification);
    if (molecule.SetStructure(entry.AdjacencyMatrix, entry.AtomTypes, entry.AromaticMatrix))
      molecule.Build();
  }
  return status;
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
