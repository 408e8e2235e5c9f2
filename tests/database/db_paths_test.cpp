#include "database/db_paths.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace korvane {
namespace {

TEST(DBPaths, DirectoryEndsAtTheLastSeparatorOrColon) {
  EXPECT_EQ(DirectoryOf("/home/ana/db/sample.mdb"), "/home/ana/db/");
  EXPECT_EQ(DirectoryOf("C:\\data\\db\\sample.mdb"), "C:\\data\\db\\");
  EXPECT_EQ(DirectoryOf("C:sample.mdb"), "C:");
  EXPECT_EQ(DirectoryOf("mixed/dir\\sample.mdb"), "mixed/dir\\");
  EXPECT_EQ(DirectoryOf("sample.mdb"), "");
  EXPECT_EQ(DirectoryOf(""), "");
}

TEST(DBPaths, StoredPathsResolveAgainstTheDatabaseDirectory) {
  EXPECT_EQ(StructureFilePath("/home/ana/db/", "structures\\propane.ms"), "/home/ana/db/structures/propane.ms");
  EXPECT_EQ(StructureFilePath("/home/ana/db/", "structures/propane.ms"), "/home/ana/db/structures/propane.ms");
  EXPECT_EQ(StructureFilePath("/home/ana/db/", "..\\sib\\x.ms"), "/home/ana/db/../sib/x.ms");
  EXPECT_EQ(StructureFilePath("", "x.ms"), "x.ms");
  // Absolute stored paths are not prefixed.
  EXPECT_EQ(StructureFilePath("/home/ana/db/", "\\opt\\x.ms"), "/opt/x.ms");
  EXPECT_TRUE(IsAbsoluteStoredPath("D:\\x.ms"));
  EXPECT_TRUE(IsAbsoluteStoredPath("/x.ms"));
  EXPECT_FALSE(IsAbsoluteStoredPath("x.ms"));
  EXPECT_FALSE(IsAbsoluteStoredPath(""));
}

TEST(DBPaths, ShortestRelativePathDropsCommonDirectories) {
  const std::string base = "/home/ana/db/";
  EXPECT_EQ(ShortestRelativePath(base, "/home/ana/db/propane.ms"), "propane.ms");
  EXPECT_EQ(ShortestRelativePath(base, "/home/ana/db/structures/propane.ms"), "structures\\propane.ms");
  EXPECT_EQ(ShortestRelativePath(base, "/home/ana/sib/propane.ms"), "..\\sib\\propane.ms");
  EXPECT_EQ(ShortestRelativePath(base, "/srv/x/y.ms"), "..\\..\\..\\srv\\x\\y.ms");
  // The base without its final separator, and either separator in the input.
  EXPECT_EQ(ShortestRelativePath("/home/ana/db", "\\home\\ana\\db\\a\\b.ms"), "a\\b.ms");
  // "." and ".." are resolved by name.
  EXPECT_EQ(ShortestRelativePath("/home/ana/./db/", "/home/ana/db/x/../y/./z.ms"), "y\\z.ms");
  // A directory name that only begins like the base's is not common.
  EXPECT_EQ(ShortestRelativePath(base, "/home/ana/dbx/z.ms"), "..\\dbx\\z.ms");
  // Names compare case-sensitively.
  EXPECT_EQ(ShortestRelativePath(base, "/home/ana/DB/z.ms"), "..\\DB\\z.ms");
  // A relative choice is taken relative to the base: a stored path stays as it is.
  EXPECT_EQ(ShortestRelativePath(base, "structures\\propane.ms"), "structures\\propane.ms");
  EXPECT_EQ(ShortestRelativePath(base, "../sib/c.ms"), "..\\sib\\c.ms");
  // Drives: the same drive in any case gives a relative path, another stays absolute.
  EXPECT_EQ(ShortestRelativePath("C:\\data\\db\\", "c:\\data\\other\\x.ms"), "..\\other\\x.ms");
  EXPECT_EQ(ShortestRelativePath("C:\\data\\db\\", "D:\\data\\x.ms"), "D:\\data\\x.ms");
  // A relative base is taken from the working directory.
  const std::string cwd = std::filesystem::current_path().string();
  EXPECT_EQ(ShortestRelativePath("", cwd + "/sub/x.ms"), "sub\\x.ms");
  EXPECT_EQ(ShortestRelativePath("db/", cwd + "/db/x.ms"), "x.ms");
}

}  // namespace
}  // namespace korvane
