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

#include "core/result.h"
#include "database/mol_db_types.h"

namespace korvane {

/// Status words of the structure file reader: the Damage of its FileFormat
/// errors.
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

/// Decodes the bytes of a structure file; a FileFormat error with the status
/// word as Damage (MolStructureFileError) when they hold no structure. Bytes
/// after the packed aromatic matrix are ignored.
TResult<TMolCharacterisation> ParseMolStructure(std::span<const std::uint8_t> bytes);

/// Reads and decodes a structure file; a FileSystem error (the system's
/// reason) when it is missing or cannot be read.
TResult<TMolCharacterisation> ReadMolStructureFile(const std::string& fileName);

/// A FileFormat error (Damage 0) saying why the structure cannot be written:
/// pieces of different sizes, more than 181 atoms.
TResult<> CheckMolStructureLimits(const TMolCharacterisation& structure);

/// The bytes of the structure file, or the error of CheckMolStructureLimits.
/// n is the row count of the adjacency matrix.
TResult<std::vector<std::uint8_t>> EncodeMolStructure(const TMolCharacterisation& structure);

/// Writes the structure file, replacing any previous file only once the new
/// one is complete. The error of CheckMolStructureLimits (target untouched)
/// for data the format cannot hold, a FileSystem error naming the file when
/// it cannot be written.
TResult<> WriteMolStructureFile(const TMolCharacterisation& structure, const std::string& fileName);

/// Message for a status word, for windows and the batch tool.
std::string MolStructureStatusMessage(std::uint16_t status);

/// The reader's error for a status word other than 0: FileFormat, the status
/// as Damage and its message.
TError MolStructureFileError(std::uint16_t status);

}  // namespace korvane
