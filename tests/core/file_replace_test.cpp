#include "core/file_replace.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iterator>

namespace korvane {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileReplace : public ::testing::Test {
 protected:
  FileReplace() {
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  ~FileReplace() override { fs::remove_all(m_dir); }
  long Entries() const { return std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()); }

  const fs::path m_dir = fs::temp_directory_path() / ("korvane_replace_" + std::to_string(::getpid()));
};

TEST_F(FileReplace, ReplacesThroughLinksKeepsPermissionsAndLeavesNoTemporary) {
  std::ofstream(m_dir / "real.txt") << "old";
  fs::permissions(m_dir / "real.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(m_dir / "real.txt", m_dir / "link.txt");

  EXPECT_TRUE(ReplaceFileContents(m_dir / "link.txt", "new"));
  EXPECT_TRUE(fs::is_symlink(m_dir / "link.txt"));
  EXPECT_EQ(Read(m_dir / "real.txt"), "new");
  EXPECT_EQ(fs::status(m_dir / "real.txt").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);

  // Refusals leave everything as it was.
  EXPECT_EQ(ReplaceFileContents(m_dir / "missing" / "a.txt", "x").error().Code, TErrorCode::FileSystem);
  EXPECT_FALSE(fs::exists(m_dir / "missing"));
  fs::create_directory(m_dir / "folder");
  EXPECT_EQ(ReplaceFileContents(m_dir / "folder", "x").error().Message, "not a regular file");
  EXPECT_FALSE(ReplaceFileContents("", "x"));
  EXPECT_EQ(Entries(), 3);  // real, link, folder
}

// A streamed file replaces the target only when its producer finished: more
// than one buffer of records arrives whole, and a producer that gives up half
// way (a cancelled save) leaves the previous file and no temporary.
TEST_F(FileReplace, StreamedContentsReplaceTheTargetOnlyWhenTheProducerSucceeds) {
  std::ofstream(m_dir / "net.rnw") << "previous";
  const std::string record(100000, 'r');
  auto produce = [&record](int records, bool giveUp) {
    return [&record, records, giveUp](TByteSink& sink) -> TResult<> {
      for (int i = 0; i < records; ++i)
        sink.Write({reinterpret_cast<const std::uint8_t*>(record.data()), record.size()});
      if (giveUp) return TError{TErrorCode::Refused, "cancelled"};
      return {};
    };
  };
  const auto cancelled = ReplaceFileStreaming(m_dir / "net.rnw", produce(30, true));
  ASSERT_FALSE(cancelled);
  EXPECT_EQ(cancelled.error().Message, "cancelled");
  EXPECT_EQ(Read(m_dir / "net.rnw"), "previous");
  EXPECT_EQ(Entries(), 1);

  EXPECT_TRUE(ReplaceFileStreaming(m_dir / "net.rnw", produce(30, false)));
  const std::string written = Read(m_dir / "net.rnw");
  EXPECT_EQ(written.size(), 30 * record.size());
  EXPECT_EQ(written.find_first_not_of('r'), std::string::npos);
  EXPECT_EQ(Entries(), 1);
}

TEST_F(FileReplace, SetIsWrittenWholeOrNotAtAll) {
  std::ofstream(m_dir / "a.txt") << "old a";
  // The second file cannot be written, or names the first again: the first keeps its old contents.
  const TFileContents unwritable[] = {{m_dir / "a.txt", "new a"}, {m_dir / "missing" / "b.txt", "new b"}};
  EXPECT_EQ(ReplaceFilesContents(unwritable).error().Message.rfind((m_dir / "missing" / "b.txt").string() + ": ", 0),
            0u);
  const TFileContents twice[] = {{m_dir / "a.txt", "new a"}, {m_dir / "." / "a.txt", "again"}};
  EXPECT_FALSE(ReplaceFilesContents(twice));
  // The file size limit stops the second write half way, even for root, where permissions would not.
  const std::string large(4096, 'x');
  const TFileContents tooLarge[] = {{m_dir / "a.txt", "new a"}, {m_dir / "b.txt", large}};
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  rlimit small = saved;
  small.rlim_cur = 512;
  auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const TResult<> stopped = ReplaceFilesContents(tooLarge);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(stopped);
  EXPECT_EQ(Read(m_dir / "a.txt"), "old a");
  EXPECT_EQ(Entries(), 1);

  const TFileContents both[] = {{m_dir / "a.txt", "new a"}, {m_dir / "b.txt", "new b"}};
  EXPECT_TRUE(ReplaceFilesContents(both));
  EXPECT_EQ(Read(m_dir / "a.txt") + Read(m_dir / "b.txt"), "new anew b");
  EXPECT_EQ(Entries(), 2);  // no temporary or previous copy left
}

}  // namespace
}  // namespace korvane
