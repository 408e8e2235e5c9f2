#pragma once
/// Helpers of the file tests: scratch directories, whole-file bytes, the
/// reference files, and the damaged copies every binary reader must survive.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace korvane::testing {

/// A fresh directory under the temporary directory, removed with its content.
class ScratchDir {
 public:
  ScratchDir() {
    std::random_device seed;
    do m_path = std::filesystem::temp_directory_path() / ("korvane-db-test-" + std::to_string(seed()));
    while (!std::filesystem::create_directory(m_path));
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  /// Path of a file inside, as a string; parent directories are created.
  std::string file(const std::string& relative) const {
    const auto full = m_path / relative;
    std::filesystem::create_directories(full.parent_path());
    return full.string();
  }

 private:
  std::filesystem::path m_path;
};

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void PutFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << path;
}

inline std::string ReferencePath(const std::string& relative) {
  return std::string(KORVANE_TEST_DATA) + "/reference/" + relative;
}

/// How many damaged copies read whole, of how many changed ones.
struct DamageTally {
  int ReadWhole = 0, Changed = 0;
};

/// The damage every binary reader must survive, shared so each test states only what its reader
/// must make of it. `truncated` gets every proper prefix of `whole`; `changed` gets a copy with
/// each byte inverted in turn, then `count` copies with 1 + k % 4 bytes changed at random (anywhere on every
/// eighth copy, after the first `spared` bytes on the others, so most keep their header), and
/// returns whether the copy read whole. Every copy has its exact size, so the sanitizers see any
/// read past its end. Stops at the first failure.
template <class Truncated, class Changed>
DamageTally FeedDamagedCopies(const std::vector<std::uint8_t>& whole, unsigned count, std::size_t spared,
                              Truncated truncated, Changed changed) {
  DamageTally tally;
  for (std::size_t length = 0; length < whole.size() && !::testing::Test::HasFailure(); ++length)
    truncated(std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)));
  auto feed = [&](const std::vector<std::uint8_t>& bytes) {
    ++tally.Changed;
    tally.ReadWhole += changed(bytes) ? 1 : 0;
  };
  for (std::size_t k = 0; k < whole.size() && !::testing::Test::HasFailure(); ++k) {
    std::vector<std::uint8_t> bytes = whole;
    bytes[k] = static_cast<std::uint8_t>(~bytes[k]);
    feed(bytes);
  }
  for (unsigned seed = 1; seed <= count && !::testing::Test::HasFailure(); ++seed) {
    std::vector<std::uint8_t> bytes = whole;
    const std::size_t from = seed % 8 == 0 ? 0 : spared;
    std::mt19937 random(seed);
    if (bytes.size() > from)
      for (unsigned k = 0; k < 1 + seed % 4; ++k)
        // Changed for sure: a random byte may equal the one it replaces.
        bytes[from + random() % (bytes.size() - from)] ^= static_cast<std::uint8_t>(1 + random() % 255);
    feed(bytes);
  }
  return tally;
}

}  // namespace korvane::testing
