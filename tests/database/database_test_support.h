#pragma once
/// Helpers of the file tests: scratch directories, whole-file bytes, the
/// reference files and corrupted copies.

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

/// The bytes with `flips` random positions at or after `from` set to random values.
inline std::vector<std::uint8_t> Corrupted(std::vector<std::uint8_t> bytes, unsigned seed, int flips,
                                           std::size_t from = 0) {
  std::mt19937 random(seed);
  if (bytes.size() <= from) return bytes;
  for (int k = 0; k < flips; ++k)
    bytes[from + random() % (bytes.size() - from)] = static_cast<std::uint8_t>(random());
  return bytes;
}

}  // namespace korvane::testing
