#include "database/binary_file.h"

#include "core/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace korvane {
namespace {

namespace fs = std::filesystem;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

TError ReadError(int error) {
  return {TErrorCode::FileSystem, std::error_code(error, std::generic_category()).message()};
}

}  // namespace

std::optional<std::uint8_t> ByteReader::byte() {
  if (remaining() < 1) return std::nullopt;
  return m_bytes[m_position++];
}

std::optional<std::uint16_t> ByteReader::uint16() {
  if (remaining() < 2) return std::nullopt;
  const auto value = static_cast<std::uint16_t>(m_bytes[m_position] << 8 | m_bytes[m_position + 1]);
  m_position += 2;
  return value;
}

std::optional<std::int32_t> ByteReader::int32() {
  if (remaining() < 4) return std::nullopt;
  std::uint32_t value = 0;
  for (int k = 0; k < 4; ++k) value = value << 8 | m_bytes[m_position++];
  // Two's complement; the conversion is well defined since C++20.
  return static_cast<std::int32_t>(value);
}

std::optional<std::span<const std::uint8_t>> ByteReader::bytes(std::size_t count) {
  if (remaining() < count) return std::nullopt;
  const auto piece = m_bytes.subspan(m_position, count);
  m_position += count;
  return piece;
}

std::optional<std::string> ByteReader::text(std::size_t count) {
  const auto piece = bytes(count);
  if (!piece) return std::nullopt;
  return std::string(piece->begin(), piece->end());
}

void ByteWriter::uint16(std::uint16_t value) {
  m_bytes.push_back(static_cast<std::uint8_t>(value >> 8));
  m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

void ByteWriter::int32(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  for (int shift = 24; shift >= 0; shift -= 8) m_bytes.push_back(static_cast<std::uint8_t>(bits >> shift));
}

void ByteWriter::text(const std::string& value) { m_bytes.insert(m_bytes.end(), value.begin(), value.end()); }

void ByteWriter::bytes(std::span<const std::uint8_t> values) {
  m_bytes.insert(m_bytes.end(), values.begin(), values.end());
}

TResult<std::vector<std::uint8_t>> ReadFileBytes(const fs::path& path, std::size_t maxBytes) {
  std::error_code status;
  const fs::file_type type = fs::status(path, status).type();
  if (type == fs::file_type::not_found) return ReadError(ENOENT);
  // Opening a directory succeeds on some systems and then fails to read.
  if (type == fs::file_type::directory) return ReadError(EISDIR);

  errno = 0;
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return ReadError(errno ? errno : EIO);

  std::vector<std::uint8_t> content;
  std::uint8_t chunk[65536];
  while (content.size() < maxBytes) {
    const std::size_t wanted = std::min(sizeof chunk, maxBytes - content.size());
    const std::size_t got = std::fread(chunk, 1, wanted, file.get());
    content.insert(content.end(), chunk, chunk + got);
    if (got < wanted) {
      if (std::ferror(file.get())) return ReadError(EIO);
      break;
    }
  }
  return content;
}

namespace {

TResult<> NamingTheFile(const fs::path& path, TResult<> written) {
  if (!written && written.error().Code == TErrorCode::FileSystem)
    return TError{TErrorCode::FileSystem, "Cannot write the file \"" + path.string() + "\": " + written.error().Message};
  return written;
}

}  // namespace

TResult<> WriteFileReplacing(const fs::path& path, std::span<const std::uint8_t> bytes) {
  return NamingTheFile(
      path, ReplaceFileContents(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())));
}

TResult<> WriteFileStreaming(const fs::path& path, const std::function<TResult<>(TByteSink& sink)>& produce) {
  return NamingTheFile(path, ReplaceFileStreaming(path, produce));
}

}  // namespace korvane
