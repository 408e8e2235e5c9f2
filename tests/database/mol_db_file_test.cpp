#include "database/mol_db_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "database/binary_file.h"
#include "database_test_support.h"

namespace korvane {
namespace {

using testing::Corrupted;
using testing::FileBytes;
using testing::PutFile;
using testing::ReferencePath;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

Bytes Chars(const std::string& text) { return {text.begin(), text.end()}; }

Bytes Concat(std::initializer_list<Bytes> pieces) {
  Bytes all;
  for (const Bytes& piece : pieces) all.insert(all.end(), piece.begin(), piece.end());
  return all;
}

TMolDBInfo Sentinel() {
  TMolDBInfo info;
  info.Version = 77;
  info.DBName = "untouched";
  info.DBFileName = "nowhere.mdb";
  info.Records = {{{"x"}, "x.ms", {}}};
  return info;
}

TEST(MolDBFile, LayoutIsByteExact) {
  TMolDBInfo info;
  info.DBName = "DB";
  info.Note = "me";
  info.Records = {{{"ethane", "C2H6"}, "e.ms", {"a", ""}}, {{}, "sub\\x.ms", {}}};
  const Bytes expected = Concat({{0x48, 0x03, 0x01, 2, 0x00, 0x02, 2},
                                 Chars("DBme"),
                                 {2, 6, 4, 4, 2, 1, 0},
                                 Chars("ethaneC2H6e.msa"),
                                 {0, 8, 0},  // no synonyms, path length, no reservations
                                 Chars("sub\\x.ms")});
  EXPECT_EQ(EncodeMolDB(info), expected);

  TMolDBInfo read;
  ASSERT_EQ(ParseMolDB(expected, read), kDBFileRead);
  EXPECT_EQ(read.Version, 1);
  EXPECT_EQ(read.DBName, "DB");
  EXPECT_EQ(read.Note, "me");
  EXPECT_EQ(read.Records, info.Records);

  // An empty database is 7 + LN + LT bytes and reads back without items.
  TMolDBInfo empty;
  empty.DBName = "abc";
  empty.Records = {};
  const Bytes emptyBytes = EncodeMolDB(empty);
  EXPECT_EQ(emptyBytes, Concat({{0x48, 0x03, 0x01, 3, 0, 0, 0}, Chars("abc")}));
  read = Sentinel();
  ASSERT_EQ(ParseMolDB(emptyBytes, read), kDBFileRead);
  EXPECT_TRUE(read.Records.empty());
  EXPECT_TRUE(read.Note.empty());

  // The item count is big-endian: 300 items are 01 2C.
  TMolDBInfo many;
  many.Records.assign(300, TMolDBRecord{});
  const Bytes manyBytes = EncodeMolDB(many);
  ASSERT_EQ(manyBytes.size(), 7u + 300 * 3);
  EXPECT_EQ(manyBytes[4], 0x01);
  EXPECT_EQ(manyBytes[5], 0x2C);
  ASSERT_EQ(ParseMolDB(manyBytes, read), kDBFileRead);
  EXPECT_EQ(read.Records.size(), 300u);

  // Paths are stored with "\" whichever separator they were given with; the
  // version field of the record is not consulted.
  TMolDBInfo slashed;
  slashed.Version = 9;
  slashed.Records = {{{}, "../sib/c.ms", {}}};
  EXPECT_EQ(EncodeMolDB(slashed), Concat({{0x48, 0x03, 0x01, 0, 0, 1, 0, 0, 11, 0}, Chars("..\\sib\\c.ms")}));
}

TEST(MolDBFile, SampleDatabaseReadsAsDescribedAndWritesBackByteForByte) {
  const std::string sample = ReferencePath("sample.mdb");
  TMolDBInfo info;
  ASSERT_EQ(ReadMolDBFile(info, sample), kDBFileRead);
  EXPECT_EQ(info.Version, 1);
  EXPECT_EQ(info.DBFileName, sample);
  EXPECT_EQ(info.DBName, "Sample hydrocarbons");
  EXPECT_EQ(info.Note, "reference files");
  const TMolDBRecords expected = {
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
  EXPECT_EQ(info.Records, expected);

  ScratchDir dir;
  const std::string copy = dir.file("copy.mdb");
  WriteMolDBFile(info, copy);
  EXPECT_EQ(FileBytes(copy), FileBytes(sample));
}

TEST(MolDBFile, StatusCodesLeaveTheRecordUntouched) {
  const TMolDBInfo sentinel = Sentinel();
  TMolDBInfo info = sentinel;
  EXPECT_EQ(ReadMolDBFile(info, ReferencePath("absent.mdb")), kDBFileMissing);
  // A structure file is not a database file.
  EXPECT_EQ(ReadMolDBFile(info, ReferencePath("structures/methyl.ms")), kNotADBFile);
  EXPECT_EQ(ParseMolDB(Bytes{0x48, 0x03, 0x02, 0, 0, 0, 0}, info), kDBFileUnknownVersion);
  EXPECT_EQ(ParseMolDB(Bytes{0x48, 0x03, 0x00}, info), kDBFileUnknownVersion);
  EXPECT_EQ(ParseMolDB(Bytes{0x48, 0x04, 0x01, 0, 0, 0, 0}, info), kNotADBFile);
  EXPECT_EQ(ParseMolDB(Bytes{}, info), kNotADBFile);
  // More items announced than there are bytes for.
  EXPECT_EQ(ParseMolDB(Bytes{0x48, 0x03, 0x01, 0, 0xFF, 0xFF, 0, 0, 0, 0}, info), kNotADBFile);
  EXPECT_EQ(info, sentinel);

  ScratchDir dir;
  EXPECT_THROW(ReadMolDBFile(info, dir.path().string()), std::filesystem::filesystem_error);
  EXPECT_EQ(info, sentinel);
  std::set<std::string> messages;
  for (std::uint8_t status = 0; status <= 4; ++status) messages.insert(MolDBStatusMessage(status));
  EXPECT_EQ(messages.size(), 5u);
}

TEST(MolDBFile, EveryTruncationIsNotADatabaseAndChangesNothing) {
  const TMolDBInfo sentinel = Sentinel();
  const Bytes whole = FileBytes(ReferencePath("sample.mdb"));
  for (std::size_t length = 0; length < whole.size(); ++length) {
    TMolDBInfo info = sentinel;
    const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    ASSERT_EQ(ParseMolDB(prefix, info), kNotADBFile) << length;
    ASSERT_EQ(info, sentinel);
  }
  ScratchDir dir;
  const std::string cut = dir.file("cut.mdb");
  PutFile(cut, Bytes(whole.begin(), whole.end() - 1));
  TMolDBInfo info = sentinel;
  EXPECT_EQ(ReadMolDBFile(info, cut), kNotADBFile);
  EXPECT_EQ(info, sentinel);
}

TEST(MolDBFile, CorruptedFilesNeverCrashAndReadConsistently) {
  const TMolDBInfo sentinel = Sentinel();
  const Bytes whole = FileBytes(ReferencePath("sample.mdb"));
  int readBack = 0;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    const Bytes bytes = Corrupted(whole, seed, 1 + seed % 3, seed % 7 == 0 ? 0 : 3);
    TMolDBInfo info = sentinel;
    const std::uint8_t status = ParseMolDB(bytes, info);
    ASSERT_LE(status, 3) << seed;
    if (status != kDBFileRead) {
      ASSERT_EQ(info, sentinel);
      continue;
    }
    ++readBack;
    // What was read writes out to no more bytes than it came from, and
    // reads back the same.
    const Bytes again = EncodeMolDB(info);
    ASSERT_LE(again.size(), bytes.size());
    TMolDBInfo reread;
    ASSERT_EQ(ParseMolDB(again, reread), kDBFileRead);
    for (TMolDBRecord& record : info.Records) std::replace(record.MSFile.begin(), record.MSFile.end(), '/', '\\');
    EXPECT_EQ(reread.Records, info.Records);
  }
  EXPECT_GT(readBack, 100);
}

TEST(MolDBFile, WriterRefusesWhatTheFormatCannotHoldWithoutTouchingTheFile) {
  ScratchDir dir;
  const std::string path = dir.file("limit.mdb");
  const std::string longest(255, 'x');
  TMolDBInfo info;
  info.DBName = longest;
  info.Note = longest;
  info.Records = {{TStrVector(255, longest), longest, TStrVector(255, longest)}};
  WriteMolDBFile(info, path);
  EXPECT_EQ(FileBytes(path).size(), 7u + 2 * 255 + 3 + 2 * 255 + 511 * 255);
  TMolDBInfo read;
  ASSERT_EQ(ReadMolDBFile(read, path), kDBFileRead);
  EXPECT_EQ(read.Records, info.Records);
  const Bytes before = FileBytes(path);

  const std::string tooLong(256, 'y');
  auto refused = [&](auto change) {
    TMolDBInfo bad = info;
    change(bad);
    EXPECT_FALSE(MolDBLimitProblem(bad).empty());
    EXPECT_THROW(WriteMolDBFile(bad, path), FileFormatLimitError);
  };
  refused([&](TMolDBInfo& bad) { bad.DBName = tooLong; });
  refused([&](TMolDBInfo& bad) { bad.Note = tooLong; });
  refused([&](TMolDBInfo& bad) { bad.Records[0].Synonyms[3] = tooLong; });
  refused([&](TMolDBInfo& bad) { bad.Records[0].Synonyms.push_back("one too many"); });
  refused([&](TMolDBInfo& bad) { bad.Records[0].MSFile = tooLong; });
  refused([&](TMolDBInfo& bad) { bad.Records[0].Reservations.back() = tooLong; });
  refused([&](TMolDBInfo& bad) { bad.Records[0].Reservations.push_back(""); });
  EXPECT_EQ(FileBytes(path), before);

  TMolDBInfo most;
  most.Records.assign(kMaxDBItems, TMolDBRecord{});
  const std::string mostPath = dir.file("most.mdb");
  WriteMolDBFile(most, mostPath);
  ASSERT_EQ(ReadMolDBFile(read, mostPath), kDBFileRead);
  EXPECT_EQ(read.Records.size(), 65535u);
  most.Records.emplace_back();
  EXPECT_NE(MolDBLimitProblem(most).find("65535"), std::string::npos);
  EXPECT_THROW(WriteMolDBFile(most, mostPath), FileFormatLimitError);
  EXPECT_EQ(FileBytes(mostPath).size(), 7u + 65535 * 3);
}

}  // namespace
}  // namespace korvane
