#pragma once
/// Where a writer puts its bytes as it makes them, record by record, so a
/// large file never needs its whole image in memory.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvane {

class TByteSink {
 public:
  virtual ~TByteSink() = default;
  virtual void Write(std::span<const std::uint8_t> bytes) = 0;
  /// The characters of a text, as they are.
  void Write(std::string_view text) { Write({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}); }
};

/// Collects the bytes in memory, for callers that want the whole image.
class TVectorSink final : public TByteSink {
 public:
  using TByteSink::Write;
  void Write(std::span<const std::uint8_t> bytes) override { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
  std::vector<std::uint8_t>& Bytes() { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

/// Collects the bytes as a text, for the exporters' callers that want it whole.
class TStringSink final : public TByteSink {
 public:
  using TByteSink::Write;
  void Write(std::span<const std::uint8_t> bytes) override {
    m_text.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::string& Text() { return m_text; }

 private:
  std::string m_text;
};

}  // namespace korvane
