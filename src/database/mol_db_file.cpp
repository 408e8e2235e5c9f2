#include "database/mol_db_file.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <optional>

#include "database/binary_file.h"

namespace korvane {
namespace {

constexpr std::uint8_t kMagic = 0x48;
constexpr std::uint8_t kDatabaseKind = 0x03;
constexpr std::uint8_t kVersion = 0x01;
// Head of an item block without its length lists: S, MSFile length, R.
constexpr std::size_t kItemHeadSize = 3;

std::size_t SumOf(std::span<const std::uint8_t> lengths) {
  return std::accumulate(lengths.begin(), lengths.end(), std::size_t{0});
}

std::optional<TStrVector> ReadStrings(ByteReader& reader, std::span<const std::uint8_t> lengths) {
  TStrVector strings;
  strings.reserve(lengths.size());
  for (std::uint8_t length : lengths) {
    auto text = reader.text(length);
    if (!text) return std::nullopt;
    strings.push_back(std::move(*text));
  }
  return strings;
}

// Counts and lengths come first in a block, so every string length is known
// before a single character is read and can be checked against the bytes left.
std::optional<TMolDBRecord> ReadItem(ByteReader& reader) {
  const auto synonymCount = reader.byte();
  if (!synonymCount) return std::nullopt;
  const auto synonymLengths = reader.bytes(*synonymCount);
  if (!synonymLengths) return std::nullopt;
  const auto pathLength = reader.byte();
  const auto reservationCount = reader.byte();
  if (!pathLength || !reservationCount) return std::nullopt;
  const auto reservationLengths = reader.bytes(*reservationCount);
  if (!reservationLengths) return std::nullopt;
  if (reader.remaining() < SumOf(*synonymLengths) + *pathLength + SumOf(*reservationLengths)) return std::nullopt;

  TMolDBRecord record;
  auto synonyms = ReadStrings(reader, *synonymLengths);
  auto path = reader.text(*pathLength);
  auto reservations = ReadStrings(reader, *reservationLengths);
  if (!synonyms || !path || !reservations) return std::nullopt;
  record.Synonyms = std::move(*synonyms);
  record.MSFile = std::move(*path);
  record.Reservations = std::move(*reservations);
  return record;
}

std::string LongString(const std::string& what, std::size_t length) {
  return what + " is " + std::to_string(length) + " bytes long; a database file holds at most 255.";
}

std::string ListLimitProblem(const TStrVector& strings, const std::string& kind, std::size_t item) {
  const std::string where = " of item " + std::to_string(item);
  if (strings.size() > kMaxDBFileString)
    return "Item " + std::to_string(item) + " has " + std::to_string(strings.size()) + " " + kind +
           "s; a database file holds at most 255.";
  for (std::size_t k = 0; k < strings.size(); ++k)
    if (strings[k].size() > kMaxDBFileString)
      return LongString("The " + kind + " " + std::to_string(k) + where, strings[k].size());
  return {};
}

void WriteLengths(ByteWriter& writer, const TStrVector& strings) {
  for (const std::string& text : strings) writer.byte(static_cast<std::uint8_t>(text.size()));
}

void WriteTexts(ByteWriter& writer, const TStrVector& strings) {
  for (const std::string& text : strings) writer.text(text);
}

}  // namespace

TResult<TMolDBInfo> ParseMolDB(std::span<const std::uint8_t> bytes) {
  ByteReader reader(bytes);
  const auto magic = reader.byte();
  const auto kind = reader.byte();
  if (magic != kMagic || kind != kDatabaseKind) return MolDBFileError(kNotADBFile);
  const auto version = reader.byte();
  if (!version) return MolDBFileError(kNotADBFile);
  if (*version != kVersion) return MolDBFileError(kDBFileUnknownVersion);

  // A file that ends before its counts are satisfied is not a database
  // file; nothing read from it is kept.
  const auto nameLength = reader.byte();
  const auto itemCount = reader.uint16();
  const auto noteLength = reader.byte();
  if (!nameLength || !itemCount || !noteLength) return MolDBFileError(kNotADBFile);
  auto name = reader.text(*nameLength);
  auto note = reader.text(*noteLength);
  if (!name || !note) return MolDBFileError(kNotADBFile);
  if (reader.remaining() / kItemHeadSize < *itemCount) return MolDBFileError(kNotADBFile);

  TMolDBInfo read;
  read.Version = kVersion;
  read.DBName = std::move(*name);
  read.Note = std::move(*note);
  read.Records.reserve(*itemCount);
  for (std::size_t i = 0; i < *itemCount; ++i) {
    auto record = ReadItem(reader);
    if (!record) return MolDBFileError(kNotADBFile);
    read.Records.push_back(std::move(*record));
  }
  return read;
}

TResult<TMolDBInfo> ReadMolDBFile(const std::string& fileName) {
  std::error_code ignored;
  if (std::filesystem::status(fileName, ignored).type() == std::filesystem::file_type::not_found)
    return MolDBFileError(kDBFileMissing);
  // The frame is checked before the rest is loaded, so a wrongly chosen
  // large file is not read whole.
  auto bytes = ReadFileBytes(fileName, 3);
  if (bytes && bytes.value() == std::vector<std::uint8_t>{kMagic, kDatabaseKind, kVersion})
    bytes = ReadFileBytes(fileName);
  if (!bytes) return bytes.error();
  auto read = ParseMolDB(bytes.value());
  if (read) read->DBFileName = fileName;
  return read;
}

TResult<> CheckMolDBLimits(const TMolDBInfo& info) {
  auto refused = [](std::string why) { return TError{TErrorCode::FileFormat, std::move(why)}; };
  if (info.DBName.size() > kMaxDBFileString) return refused(LongString("The database name", info.DBName.size()));
  if (info.Note.size() > kMaxDBFileString) return refused(LongString("The note", info.Note.size()));
  if (info.Records.size() > kMaxDBItems)
    return refused("A database file holds at most 65535 items; this database has " +
                   std::to_string(info.Records.size()) + ".");
  for (std::size_t i = 0; i < info.Records.size(); ++i) {
    const TMolDBRecord& record = info.Records[i];
    if (auto problem = ListLimitProblem(record.Synonyms, "synonym", i); !problem.empty()) return refused(problem);
    if (record.MSFile.size() > kMaxDBFileString)
      return refused(LongString("The structure file path of item " + std::to_string(i), record.MSFile.size()));
    if (auto problem = ListLimitProblem(record.Reservations, "reservation", i); !problem.empty())
      return refused(problem);
  }
  return {};
}

TResult<std::vector<std::uint8_t>> EncodeMolDB(const TMolDBInfo& info) {
  if (const auto fits = CheckMolDBLimits(info); !fits) return fits.error();
  ByteWriter writer;
  writer.byte(kMagic);
  writer.byte(kDatabaseKind);
  writer.byte(kVersion);
  writer.byte(static_cast<std::uint8_t>(info.DBName.size()));
  writer.uint16(static_cast<std::uint16_t>(info.Records.size()));
  writer.byte(static_cast<std::uint8_t>(info.Note.size()));
  writer.text(info.DBName);
  writer.text(info.Note);
  for (const TMolDBRecord& record : info.Records) {
    writer.byte(static_cast<std::uint8_t>(record.Synonyms.size()));
    WriteLengths(writer, record.Synonyms);
    writer.byte(static_cast<std::uint8_t>(record.MSFile.size()));
    writer.byte(static_cast<std::uint8_t>(record.Reservations.size()));
    WriteLengths(writer, record.Reservations);
    WriteTexts(writer, record.Synonyms);
    // Database files have always stored paths with "\"; "/" is accepted on
    // reading only.
    std::string path = record.MSFile;
    std::replace(path.begin(), path.end(), '/', '\\');
    writer.text(path);
    WriteTexts(writer, record.Reservations);
  }
  return writer.data();
}

TResult<> WriteMolDBFile(const TMolDBInfo& info, const std::string& fileName) {
  const auto bytes = EncodeMolDB(info);
  if (!bytes) return bytes.error();
  return WriteFileReplacing(fileName, bytes.value());
}

std::string MolDBStatusMessage(std::uint8_t status) {
  switch (status) {
    case kDBFileRead: return "The database file was read.";
    case kDBFileMissing: return "The database file does not exist.";
    case kNotADBFile: return "The file is not a molecular database file, or it is damaged.";
    case kDBFileUnknownVersion: return "The molecular database file has an unknown format version.";
    default: return "Unknown status of a molecular database file: " + std::to_string(status) + ".";
  }
}

TError MolDBFileError(std::uint8_t status) {
  return {status == kDBFileMissing ? TErrorCode::FileSystem : TErrorCode::FileFormat, MolDBStatusMessage(status),
          status};
}

}  // namespace korvane
