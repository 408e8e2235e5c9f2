#pragma once
/// Helpers of the file tests: scratch directories, whole-file bytes, the
/// reference files, and damaged copies of files.

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

// Every reader's damage tests draw their inputs from the three generators
// below, so that each test states only what its reader must do with them.

/// Every proper prefix of `whole`, each an exact-size copy so that the
/// sanitizer sees any read past its end.
inline std::vector<std::vector<std::uint8_t>> Prefixes(const std::vector<std::uint8_t>& whole) {
  std::vector<std::vector<std::uint8_t>> prefixes;
  for (std::size_t length = 0; length < whole.size(); ++length)
    prefixes.emplace_back(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
  return prefixes;
}

/// `count` copies of `whole`, copy k (from 1) with 1 + k % 4 bytes set to
/// random values: anywhere on every eighth copy, after the first `spared`
/// bytes on the others, so that most copies keep their header and damage
/// what follows.
inline std::vector<std::vector<std::uint8_t>> RandomCorruptions(const std::vector<std::uint8_t>& whole,
                                                                unsigned count, std::size_t spared) {
  std::vector<std::vector<std::uint8_t>> copies;
  for (unsigned seed = 1; seed <= count; ++seed) {
    std::vector<std::uint8_t> bytes = whole;
    const std::size_t from = seed % 8 == 0 ? 0 : spared;
    std::mt19937 random(seed);
    if (bytes.size() > from)
      for (unsigned k = 0; k < 1 + seed % 4; ++k)
        bytes[from + random() % (bytes.size() - from)] = static_cast<std::uint8_t>(random());
    copies.push_back(std::move(bytes));
  }
  return copies;
}

/// One copy of `whole` per byte, with the bits of that byte inverted.
inline std::vector<std::vector<std::uint8_t>> ByteFlips(const std::vector<std::uint8_t>& whole) {
  std::vector<std::vector<std::uint8_t>> copies(whole.size(), whole);
  for (std::size_t k = 0; k < whole.size(); ++k) copies[k][k] = static_cast<std::uint8_t>(~whole[k]);
  return copies;
}

}  // namespace korvane::testing
