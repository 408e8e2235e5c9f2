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

#include "core/result.h"
#include "database/mol_db_types.h"

namespace korvane {

/// Status bytes of the database file reader: the Damage of its errors.
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

/// Decodes the bytes of a database file into everything but DBFileName
/// (left empty); a FileFormat error with the status as Damage (MolDBFileError)
/// when they hold no database. Bytes after the last item are ignored.
TResult<TMolDBInfo> ParseMolDB(std::span<const std::uint8_t> bytes);

/// Reads a database file (DBFileName becomes `fileName`). A file that does
/// not exist is the error of kDBFileMissing; one that exists but cannot be
/// read a FileSystem error with the system's reason.
TResult<TMolDBInfo> ReadMolDBFile(const std::string& fileName);

/// A FileFormat error (Damage 0) saying why the database cannot be written:
/// a string over 255 bytes, more than 255 synonyms or reservations in an
/// item, more than 65535 items.
TResult<> CheckMolDBLimits(const TMolDBInfo& info);

/// The bytes of the database file, or the error of CheckMolDBLimits. Version
/// and DBFileName are not written; every "/" of an MSFile path is stored as
/// "\".
TResult<std::vector<std::uint8_t>> EncodeMolDB(const TMolDBInfo& info);

/// Writes the database file, replacing any previous file only once the new
/// one is complete. The error of CheckMolDBLimits (target untouched) for
/// data the format cannot hold, a FileSystem error naming the file when it
/// cannot be written.
TResult<> WriteMolDBFile(const TMolDBInfo& info, const std::string& fileName);

/// Message for a status byte, for windows and the batch tool.
std::string MolDBStatusMessage(std::uint8_t status);

/// The reader's error for a status other than 0, with the status as Damage
/// and its message: FileSystem for kDBFileMissing, else FileFormat.
TError MolDBFileError(std::uint8_t status);

}  // namespace korvane
