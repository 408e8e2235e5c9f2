#pragma once
/// Where a writer puts its bytes as it makes them, record by record, so a
/// large file never needs its whole image in memory.

#include <cstdint>
#include <span>
#include <vector>

namespace korvane {

class TByteSink {
 public:
  virtual ~TByteSink() = default;
  virtual void Write(std::span<const std::uint8_t> bytes) = 0;
};

/// Collects the bytes in memory, for callers that want the whole image.
class TVectorSink final : public TByteSink {
 public:
  void Write(std::span<const std::uint8_t> bytes) override { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
  std::vector<std::uint8_t>& Bytes() { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace korvane
