#include "database/mol_db_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "database_test_support.h"

namespace korvane {
namespace {

using testing::FeedDamagedCopies;
using testing::FileBytes;
using testing::ReferencePath;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

// The status a read ends with: 0 when it read.
template <class Read>
std::uint16_t StatusOf(const Read& read) {
  if (read) return kDBFileRead;
  EXPECT_EQ(read.error().Code, read.error().Damage == kDBFileMissing ? TErrorCode::FileSystem : TErrorCode::FileFormat);
  EXPECT_EQ(read.error().Message, MolDBStatusMessage(static_cast<std::uint8_t>(read.error().Damage)));
  return read.error().Damage;
}

// The layout is the sample's (read and written back below); beyond it, an
// item without synonyms, paths stored with "\\" whichever separator they were given with, an empty
// database is 7 + LN + LT bytes, and the item count is big-endian (300 = 01 2C).
TEST(MolDBFile, PathsEmptyDatabasesAndLargeCounts) {
  auto read = ParseMolDB(EncodeMolDB({0, "DB", "", {{{}, "sub/x.ms", {}}}, ""}).value());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Records, (TMolDBRecords{{{}, "sub\\x.ms", {}}}));  // no synonyms stay none
  const Bytes empty = EncodeMolDB({0, "abc", "", {}, ""}).value();
  EXPECT_EQ(empty, (Bytes{0x48, 0x03, 0x01, 3, 0, 0, 0, 'a', 'b', 'c'}));
  read = ParseMolDB(empty);
  ASSERT_TRUE(read);
  EXPECT_TRUE(read->Records.empty());
  const Bytes many = EncodeMolDB({0, "", "", TMolDBRecords(300), ""}).value();
  ASSERT_EQ(many.size(), 7u + 300 * 3);
  EXPECT_EQ(Bytes(many.begin() + 4, many.begin() + 6), (Bytes{0x01, 0x2C}));
  read = ParseMolDB(many);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Records.size(), 300u);
}

TEST(MolDBFile, SampleDatabaseReadsAsDescribedAndWritesBackByteForByte) {
  const std::string sample = ReferencePath("sample.mdb");
  const auto read = ReadMolDBFile(sample);
  ASSERT_TRUE(read);
  const TMolDBInfo& info = read.value();
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
  ASSERT_TRUE(WriteMolDBFile(info, dir.file("copy.mdb")));
  EXPECT_EQ(FileBytes(dir.path() / "copy.mdb"), FileBytes(sample));
}

TEST(MolDBFile, StatusCodesAreTheErrorsDamage) {
  EXPECT_EQ(StatusOf(ReadMolDBFile(ReferencePath("absent.mdb"))), kDBFileMissing);
  EXPECT_EQ(StatusOf(ReadMolDBFile(ReferencePath("structures/methyl.ms"))), kNotADBFile);
  EXPECT_EQ(StatusOf(ParseMolDB(Bytes{0x48, 0x03, 0x02, 0, 0, 0, 0})), kDBFileUnknownVersion);
  // More items announced than there are bytes for.
  EXPECT_EQ(StatusOf(ParseMolDB(Bytes{0x48, 0x03, 0x01, 0, 0xFF, 0xFF, 0, 0, 0, 0})), kNotADBFile);
  ScratchDir dir;
  const auto folder = ReadMolDBFile(dir.path().string());
  ASSERT_FALSE(folder);
  EXPECT_EQ(folder.error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(folder.error().Message, "Is a directory");
}

// Cut short: not a database. Changed: a known status; what reads whole writes
// out to no more bytes than it came from and reads back the same.
TEST(MolDBFile, DamagedFilesAreRefusedOrReadConsistently) {
  const auto truncated = [](const Bytes& prefix) {
    ASSERT_EQ(StatusOf(ParseMolDB(prefix)), kNotADBFile) << prefix.size();
  };
  const auto changed = [](const Bytes& bytes) {
    auto read = ParseMolDB(bytes);
    EXPECT_LE(StatusOf(read), 3);
    if (!read) return false;
    TMolDBInfo& info = read.value();
    const Bytes again = EncodeMolDB(info).value();
    EXPECT_LE(again.size(), bytes.size());
    const auto reread = ParseMolDB(again);
    for (TMolDBRecord& record : info.Records) std::replace(record.MSFile.begin(), record.MSFile.end(), '/', '\\');
    EXPECT_TRUE(reread && reread->Records == info.Records);
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
  ASSERT_TRUE(WriteMolDBFile(info, path));
  auto read = ReadMolDBFile(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Records, info.Records);

  const Bytes before = FileBytes(path);
  std::vector<TMolDBInfo> refused(5, info);
  refused[0].Note.push_back('y');
  refused[1].Records[0].Synonyms[3].push_back('y');
  refused[2].Records[0].Synonyms.emplace_back();
  refused[3].Records[0].MSFile.push_back('y');
  refused[4].Records[0].Reservations.emplace_back();
  for (const TMolDBInfo& bad : refused) EXPECT_EQ(WriteMolDBFile(bad, path).error().Code, TErrorCode::FileFormat);
  EXPECT_EQ(FileBytes(path), before);

  TMolDBInfo most{0, "", "", TMolDBRecords(kMaxDBItems), ""};
  ASSERT_TRUE(WriteMolDBFile(most, path));
  read = ReadMolDBFile(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->Records.size(), 65535u);
  most.Records.emplace_back();
  EXPECT_NE(CheckMolDBLimits(most).error().Message.find("65535"), std::string::npos);
  EXPECT_EQ(WriteMolDBFile(most, path).error().Code, TErrorCode::FileFormat);
  EXPECT_EQ(FileBytes(path).size(), 7u + 65535 * 3);
}

}  // namespace
}  // namespace korvane
