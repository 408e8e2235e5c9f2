#include "database/binary_file.h"

#include <gtest/gtest.h>

#include "database_test_support.h"

namespace korvane {
namespace {

using testing::FileBytes;
using testing::PutFile;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

TEST(ByteReader, ReadsBigEndianAndNeverPastTheEnd) {
  const Bytes data = {0x01, 0x2C, 0xFF, 0xFF, 0xFF, 0xF6, 0x41, 0x42};
  ByteReader reader(data);
  EXPECT_EQ(reader.uint16(), 300);
  EXPECT_EQ(reader.int32(), -10);
  // Asking for more than is left yields nothing and consumes nothing.
  EXPECT_FALSE(reader.int32().has_value());
  EXPECT_FALSE(reader.text(3).has_value());
  EXPECT_EQ(reader.remaining(), 2u);
  EXPECT_EQ(reader.text(2), "AB");
  EXPECT_FALSE(reader.byte().has_value());
  EXPECT_FALSE(reader.uint16().has_value());
  EXPECT_TRUE(reader.bytes(0).has_value());
}

TEST(FileBytes, ReadsUpToTheLimitAndThrowsForMissingFilesAndDirectories) {
  ScratchDir dir;
  const std::string path = dir.file("data.bin");
  PutFile(path, {1, 2, 3, 4, 5});
  EXPECT_EQ(ReadFileBytes(path), (Bytes{1, 2, 3, 4, 5}));
  EXPECT_EQ(ReadFileBytes(path, 3), (Bytes{1, 2, 3}));
  EXPECT_THROW(ReadFileBytes(dir.path() / "missing.bin"), std::filesystem::filesystem_error);
  EXPECT_THROW(ReadFileBytes(dir.path()), std::filesystem::filesystem_error);
}

TEST(WriteFileReplacing, ReplacesWholeAndLeavesNoTemporaryFile) {
  ScratchDir dir;
  const std::string path = dir.file("out.bin");
  PutFile(path, Bytes(100, 7));
  WriteFileReplacing(path, Bytes{9, 8});
  EXPECT_EQ(FileBytes(path), (Bytes{9, 8}));
  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 1);

  // A directory that does not exist: an I/O error, and nothing is created.
  const auto nowhere = dir.path() / "missing" / "out.bin";
  EXPECT_THROW(WriteFileReplacing(nowhere, Bytes{1}), std::filesystem::filesystem_error);
  EXPECT_FALSE(std::filesystem::exists(nowhere.parent_path()));
  // A directory in the target's place is not replaced.
  std::filesystem::create_directory(dir.path() / "taken");
  EXPECT_THROW(WriteFileReplacing(dir.path() / "taken", Bytes{1}), std::filesystem::filesystem_error);
  EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken"));
  entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace korvane
