#include "core/file_replace.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(FileReplace, ReplacesThroughLinksKeepsPermissionsAndLeavesNoTemporary) {
  const fs::path dir = fs::temp_directory_path() / ("korvane_replace_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "real.txt") << "old";
  fs::permissions(dir / "real.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(dir / "real.txt", dir / "link.txt");

  EXPECT_EQ(ReplaceFileContents(dir / "link.txt", "new"), "");
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(Read(dir / "real.txt"), "new");
  EXPECT_EQ(fs::status(dir / "real.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  // Refusals leave everything as it was.
  EXPECT_NE(ReplaceFileContents(dir / "missing" / "a.txt", "x"), "");
  EXPECT_FALSE(fs::exists(dir / "missing"));
  fs::create_directory(dir / "folder");
  EXPECT_EQ(ReplaceFileContents(dir / "folder", "x"), "not a regular file");
  EXPECT_NE(ReplaceFileContents("", "x"), "");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);  // real, link, folder
  fs::remove_all(dir);
}

TEST(FileReplace, SetIsWrittenWholeOrNotAtAll) {
  const fs::path dir = fs::temp_directory_path() / ("korvane_replace_set_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::ofstream(dir / "a.txt") << "old a";
  auto entries = [&] { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); };

  // The second file cannot be written, or names the first again: the first keeps its old contents.
  const TFileContents unwritable[] = {{dir / "a.txt", "new a"}, {dir / "missing" / "b.txt", "new b"}};
  EXPECT_EQ(ReplaceFilesContents(unwritable).rfind((dir / "missing" / "b.txt").string() + ": ", 0), 0u);
  const TFileContents twice[] = {{dir / "a.txt", "new a"}, {dir / "." / "a.txt", "again"}};
  EXPECT_NE(ReplaceFilesContents(twice), "");
  EXPECT_EQ(Read(dir / "a.txt"), "old a");
  EXPECT_EQ(entries(), 1);

  const TFileContents both[] = {{dir / "a.txt", "new a"}, {dir / "b.txt", "new b"}};
  EXPECT_EQ(ReplaceFilesContents(both), "");
  EXPECT_EQ(Read(dir / "a.txt") + Read(dir / "b.txt"), "new anew b");
  EXPECT_EQ(entries(), 2);  // no temporary or previous copy left
  fs::remove_all(dir);
}

}  // namespace
}  // namespace korvane
