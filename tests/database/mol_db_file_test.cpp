#include "database/mol_db_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "database/binary_file.h"
#include "database_test_support.h"

namespace korvane {
namespace {

using testing::FeedDamagedCopies;
using testing::FileBytes;
using testing::ReferencePath;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

// A database that no reader result can be mistaken for.
const TMolDBInfo kSentinel{77, "untouched", "nowhere.mdb", {{{"x"}, "x.ms", {}}}, ""};

// The layout is the sample's (read and written back below); beyond it, an
// item without synonyms, paths stored with "\\" whichever separator they were given with, an empty
// database is 7 + LN + LT bytes, and the item count is big-endian (300 = 01 2C).
TEST(MolDBFile, PathsEmptyDatabasesAndLargeCounts) {
  TMolDBInfo read;
  ASSERT_EQ(ParseMolDB(EncodeMolDB({0, "DB", "", {{{}, "sub/x.ms", {}}}, ""}), read), kDBFileRead);
  EXPECT_EQ(read.Records, (TMolDBRecords{{{}, "sub\\x.ms", {}}}));  // no synonyms stay none
  const Bytes empty = EncodeMolDB({0, "abc", "", {}, ""});
  EXPECT_EQ(empty, (Bytes{0x48, 0x03, 0x01, 3, 0, 0, 0, 'a', 'b', 'c'}));
  read = kSentinel;
  ASSERT_EQ(ParseMolDB(empty, read), kDBFileRead);
  EXPECT_TRUE(read.Records.empty());
  const Bytes many = EncodeMolDB({0, "", "", TMolDBRecords(300), ""});
  ASSERT_EQ(many.size(), 7u + 300 * 3);
  EXPECT_EQ(Bytes(many.begin() + 4, many.begin() + 6), (Bytes{0x01, 0x2C}));
  ASSERT_EQ(ParseMolDB(many, read), kDBFileRead);
  EXPECT_EQ(read.Records.size(), 300u);
}

TEST(MolDBFile, SampleDatabaseReadsAsDescribedAndWritesBackByteForByte) {
  const std::string sample = ReferencePath("sample.mdb");
  TMolDBInfo info;
  ASSERT_EQ(ReadMolDBFile(info, sample), kDBFileRead);
  const TMolDBRecords records = {
      {{"propane", "C3H8"}, "structures\\propane.ms", {}},
      {{"propene", "propylene"}, "structures\\propene.ms", {"olefin", "C3"}},
      {{"isobutane", "2-methylpropane"}, "structures\\isobutane.ms", {}},
      {{"n-hexane", "hexane"}, "structures\\n-hexane.ms", {""}},
      {{"cyclohexane"}, "structures\\cyclohexane.ms", {}},
      {{"benzene"}, "structures\\benzene.ms", {"aromatic"}},
      {{"toluene", "methylbenzene"}, "structures\\toluene.ms", {}},
      {{"methyl radical"}, "structures\\methyl.ms", {}},
      {{"allyl radical", "2-propenyl"}, "structures\\allyl.ms", {}},
  };
  EXPECT_EQ(info, (TMolDBInfo{1, "Sample hydrocarbons", sample, records, "reference files"}));
  ScratchDir dir;
  WriteMolDBFile(info, dir.file("copy.mdb"));
  EXPECT_EQ(FileBytes(dir.path() / "copy.mdb"), FileBytes(sample));
}

TEST(MolDBFile, StatusCodesLeaveTheRecordUntouched) {
  TMolDBInfo info = kSentinel;
  EXPECT_EQ(ReadMolDBFile(info, ReferencePath("absent.mdb")), kDBFileMissing);
  EXPECT_EQ(ReadMolDBFile(info, ReferencePath("structures/methyl.ms")), kNotADBFile);
  EXPECT_EQ(ParseMolDB(Bytes{0x48, 0x03, 0x02, 0, 0, 0, 0}, info), kDBFileUnknownVersion);
  // More items announced than there are bytes for.
  EXPECT_EQ(ParseMolDB(Bytes{0x48, 0x03, 0x01, 0, 0xFF, 0xFF, 0, 0, 0, 0}, info), kNotADBFile);
  ScratchDir dir;
  EXPECT_THROW(ReadMolDBFile(info, dir.path().string()), std::filesystem::filesystem_error);
  EXPECT_EQ(info, kSentinel);
}

// Cut short: not a database. Changed: a known status, the record untouched
// unless read whole; what reads whole writes out to no more bytes than it came
// from and reads back the same.
TEST(MolDBFile, DamagedFilesLeaveTheRecordUntouchedOrReadConsistently) {
  const auto truncated = [](const Bytes& prefix) {
    TMolDBInfo info = kSentinel;
    ASSERT_EQ(ParseMolDB(prefix, info), kNotADBFile) << prefix.size();
    ASSERT_EQ(info, kSentinel);
  };
  const auto changed = [](const Bytes& bytes) {
    TMolDBInfo info = kSentinel, reread;
    const std::uint8_t status = ParseMolDB(bytes, info);
    EXPECT_LE(status, 3);
    if (status != kDBFileRead) {
      EXPECT_EQ(info, kSentinel);
      return false;
    }
    const Bytes again = EncodeMolDB(info);
    EXPECT_LE(again.size(), bytes.size());
    EXPECT_EQ(ParseMolDB(again, reread), kDBFileRead);
    for (TMolDBRecord& record : info.Records) std::replace(record.MSFile.begin(), record.MSFile.end(), '/', '\\');
    EXPECT_EQ(reread.Records, info.Records);
    return true;
  };
  EXPECT_GT(FeedDamagedCopies(FileBytes(ReferencePath("sample.mdb")), 1500, 3, truncated, changed).ReadWhole, 100);
}

TEST(MolDBFile, WriterRefusesWhatTheFormatCannotHoldWithoutTouchingTheFile) {
  ScratchDir dir;
  const std::string path = dir.file("limit.mdb");
  const std::string longest(255, 'x');
  TMolDBInfo info;
  info.DBName = info.Note = longest;
  info.Records = {{TStrVector(255, longest), longest, TStrVector(255, longest)}};
  WriteMolDBFile(info, path);
  TMolDBInfo read;
  ASSERT_EQ(ReadMolDBFile(read, path), kDBFileRead);
  EXPECT_EQ(read.Records, info.Records);

  const Bytes before = FileBytes(path);
  std::vector<TMolDBInfo> refused(5, info);
  refused[0].Note.push_back('y');
  refused[1].Records[0].Synonyms[3].push_back('y');
  refused[2].Records[0].Synonyms.emplace_back();
  refused[3].Records[0].MSFile.push_back('y');
  refused[4].Records[0].Reservations.emplace_back();
  for (const TMolDBInfo& bad : refused) EXPECT_THROW(WriteMolDBFile(bad, path), FileFormatLimitError);
  EXPECT_EQ(FileBytes(path), before);

  TMolDBInfo most{0, "", "", TMolDBRecords(kMaxDBItems), ""};
  WriteMolDBFile(most, path);
  ASSERT_EQ(ReadMolDBFile(read, path), kDBFileRead);
  EXPECT_EQ(read.Records.size(), 65535u);
  most.Records.emplace_back();
  EXPECT_NE(MolDBLimitProblem(most).find("65535"), std::string::npos);
  EXPECT_THROW(WriteMolDBFile(most, path), FileFormatLimitError);
  EXPECT_EQ(FileBytes(path).size(), 7u + 65535 * 3);
}

}  // namespace
}  // namespace korvane
