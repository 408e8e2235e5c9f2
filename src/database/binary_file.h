#pragma once
/// Byte-level helpers shared by the binary file formats of the database
/// layer: a bounds-checked big-endian reader over bytes in memory, a
/// big-endian writer, whole-file reading and replace-by-rename writing.
///
/// File-system failures are reported as FileSystem errors; format problems
/// are not seen here, the readers turn a short or odd input into their
/// status codes.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/byte_sink.h"
#include "core/result.h"

namespace korvane {

/// Reads big-endian values from a byte span. Every read checks the bytes
/// left first; a read that does not fit returns nothing and consumes nothing.
class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  std::size_t remaining() const { return m_bytes.size() - m_position; }
  std::size_t position() const { return m_position; }

  std::optional<std::uint8_t> byte();
  std::optional<std::uint16_t> uint16();
  std::optional<std::int32_t> int32();
  /// The next `count` bytes, or nothing when fewer are left.
  std::optional<std::span<const std::uint8_t>> bytes(std::size_t count);
  /// The next `count` bytes as a string of raw 8-bit characters.
  std::optional<std::string> text(std::size_t count);

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_position = 0;
};

/// Appends big-endian values to a byte buffer.
class ByteWriter {
 public:
  void byte(std::uint8_t value) { m_bytes.push_back(value); }
  void uint16(std::uint16_t value);
  void int32(std::int32_t value);
  void text(const std::string& value);
  void bytes(std::span<const std::uint8_t> values);

  const std::vector<std::uint8_t>& data() const { return m_bytes; }
  /// Empties the buffer, keeping its memory for the next record.
  void clear() { m_bytes.clear(); }

 private:
  std::vector<std::uint8_t> m_bytes;
};

/// Up to `maxBytes` bytes from the start of the file. A FileSystem error,
/// with the system's reason ("No such file or directory"), when the file is
/// missing, is a directory or cannot be read.
TResult<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path,
                                                 std::size_t maxBytes = static_cast<std::size_t>(-1));

/// Writes the bytes to a new temporary file beside `path` and renames it
/// over `path`, so the target either keeps its old content or gets all of
/// the new one. On failure the temporary file is removed and the error
/// (FileSystem) reads "Cannot write the file "<path>": <reason>".
TResult<> WriteFileReplacing(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

/// The same for contents that `produce` hands to a sink as it makes them
/// (ReplaceFileStreaming); a file-system error reads as above, an error of
/// `produce` comes back as it is.
TResult<> WriteFileStreaming(const std::filesystem::path& path,
                             const std::function<TResult<>(TByteSink& sink)>& produce);

}  // namespace korvane
