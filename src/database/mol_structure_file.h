#pragma once
/// Molecular structure files (".ms"): one molecule as its identification,
/// adjacency matrix, atom types and aromatic matrix.
///
/// Layout (big-endian, no padding):
///   0x48 0x04 0x01 | identification, 4 bytes two's complement | n, 1 byte |
///   adjacency n*n bytes row by row | atom types n bytes |
///   aromatic matrix packed in ceil(n*n/8) bytes: element k = i*n + j is bit
///   (k mod 8) of byte (k div 8), bit 0 least significant, unused bits zero.
/// A structure of n atoms takes exactly 8 + n^2 + n + ceil(n^2/8) bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "database/mol_db_types.h"

namespace korvane {

/// Status words of ReadMolStructureFile.
inline constexpr std::uint16_t kStructureFileRead = 0;
/// Shorter than 8 bytes, or shorter than its atom count requires.
inline constexpr std::uint16_t kStructureFileTooShort = 1;
inline constexpr std::uint16_t kNotAStructureFile = 2;
inline constexpr std::uint16_t kStructureFileUnknownVersion = 3;
/// The matrices describe no structure: a bond that does not read the same
/// both ways, or an aromatic mark off a bond of order 1.
inline constexpr std::uint16_t kStructureFileDamaged = 4;

/// Most atoms a structure file holds: programs reading this format compute
/// n*n as a signed 16-bit number, so 181 is the largest n they handle.
inline constexpr std::size_t kMaxStructureFileAtoms = 181;

/// Size in bytes of the structure file of a structure of n atoms.
std::size_t MolStructureFileSize(std::size_t atoms);

/// Decodes the bytes of a structure file. On any status but 0 `structure`
/// is left as it was. Bytes after the packed aromatic matrix are ignored.
std::uint16_t ParseMolStructure(std::span<const std::uint8_t> bytes, TMolCharacterisation& structure);

/// Reads a structure file into `structure` and returns its status word; on
/// any status but 0 `structure` is left as it was. A missing or unreadable
/// file throws std::filesystem::filesystem_error.
std::uint16_t ReadMolStructureFile(const std::string& fileName, TMolCharacterisation& structure);

/// Why the structure cannot be written (pieces of different sizes, more
/// than 181 atoms); empty when it can.
std::string MolStructureLimitProblem(const TMolCharacterisation& structure);

/// The bytes of the structure file; throws FileFormatLimitError when
/// MolStructureLimitProblem is not empty. n is the row count of the
/// adjacency matrix.
std::vector<std::uint8_t> EncodeMolStructure(const TMolCharacterisation& structure);

/// Writes the structure file, replacing any previous file only once the new
/// one is complete. Throws FileFormatLimitError (target untouched) for data
/// the format cannot hold and std::filesystem::filesystem_error on I/O
/// failure.
void WriteMolStructureFile(const TMolCharacterisation& structure, const std::string& fileName);

/// Message for a status word, for windows and the batch tool.
std::string MolStructureStatusMessage(std::uint16_t status);

}  // namespace korvane
