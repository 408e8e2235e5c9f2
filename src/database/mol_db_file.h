#pragma once
/// Molecular database files (".mdb"): the database's name and note and, per
/// item, its synonyms, the relative path of its structure file and its
/// reservations.
///
/// Layout (big-endian, no padding, no terminators; text is raw 8-bit
/// characters whose lengths are stored separately):
///   0x48 0x03 0x01 | LN | N, 2 bytes | LT | name | note | N item blocks
/// Item block: S | S synonym lengths | length of MSFile | R | R reservation
/// lengths | synonym characters | MSFile characters | reservation characters.
/// An empty database is 7 + LN + LT bytes; an item takes 3 + S + R bytes
/// plus the lengths of its strings.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "database/mol_db_types.h"

namespace korvane {

/// Status bytes of ReadMolDBFile.
inline constexpr std::uint8_t kDBFileRead = 0;
inline constexpr std::uint8_t kDBFileMissing = 1;
/// Wrong kind of file, or a database file that ends before its counts are
/// satisfied.
inline constexpr std::uint8_t kNotADBFile = 2;
inline constexpr std::uint8_t kDBFileUnknownVersion = 3;

/// Most items a database file holds (the count is stored in two bytes).
inline constexpr std::size_t kMaxDBItems = 65535;
/// Longest string, and most synonyms or reservations per item (one byte).
inline constexpr std::size_t kMaxDBFileString = 255;

/// Decodes the bytes of a database file into everything but DBFileName. On
/// any status but 0 `info` is left as it was. Bytes after the last item are
/// ignored.
std::uint8_t ParseMolDB(std::span<const std::uint8_t> bytes, TMolDBInfo& info);

/// Reads a database file into `info` (DBFileName becomes `fileName`) and
/// returns its status; on any status but 0 `info` is left as it was. A file
/// that exists but cannot be read throws std::filesystem::filesystem_error.
std::uint8_t ReadMolDBFile(TMolDBInfo& info, const std::string& fileName);

/// Why the database cannot be written (a string over 255 bytes, more than
/// 255 synonyms or reservations in an item, more than 65535 items); empty
/// when it can.
std::string MolDBLimitProblem(const TMolDBInfo& info);

/// The bytes of the database file; throws FileFormatLimitError when
/// MolDBLimitProblem is not empty. Version and DBFileName are not written;
/// every "/" of an MSFile path is stored as "\".
std::vector<std::uint8_t> EncodeMolDB(const TMolDBInfo& info);

/// Writes the database file, replacing any previous file only once the new
/// one is complete. Throws FileFormatLimitError (target untouched) for data
/// the format cannot hold and std::filesystem::filesystem_error on I/O
/// failure.
void WriteMolDBFile(const TMolDBInfo& info, const std::string& fileName);

/// Message for a status byte, for windows and the batch tool.
std::string MolDBStatusMessage(std::uint8_t status);

}  // namespace korvane
