#include "database/mol_structure_file.h"

#include <gtest/gtest.h>

#include "core/identity.h"
#include "database_test_support.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::FeedDamagedCopies;
using testing::FileBytes;
using testing::MoleculeFrom;
using testing::ReferencePath;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

TMolCharacterisation CharacterisationOf(const TMolecule& molecule) {
  return {molecule.ID, molecule.AdjacencyMatrix(), molecule.AtomTypes(), molecule.AromaticMatrix()};
}

// The status word a parse ends with: 0 when it read.
std::uint16_t StatusOf(const TResult<TMolCharacterisation>& read) {
  if (read) return kStructureFileRead;
  EXPECT_EQ(read.error().Code, TErrorCode::FileFormat);
  EXPECT_EQ(read.error().Message, MolStructureStatusMessage(read.error().Damage));
  return read.error().Damage;
}

// The reference files with the molecules their README describes.
const struct {
  const char* file;
  std::int32_t id;
  const char* description;
} kReferences[] = {
    {"propane", 3, "C C C; 0-1 1-2"},
    {"propene", 4, "C C C; 0=1 1-2"},
    {"isobutane", 5, "C C C C; 0-1 1-2 1-3"},
    {"n-hexane", 6, "C C C C C C; 0-1 1-2 2-3 3-4 4-5"},
    {"cyclohexane", 7, "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0"},
    {"benzene", 8, "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0"},
    {"toluene", 9, "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1"},
    {"methyl", -10, "C."},
    {"allyl", 11, "C. C C; 0-1 1=2"},
};

std::string ReferenceFile(const char* name) { return ReferencePath(std::string("structures/") + name + ".ms"); }

TEST(MolStructureFile, ReferenceFilesReadAsDescribedAndWriteBackByteForByte) {
  ScratchDir dir;
  for (const auto& reference : kReferences) {
    SCOPED_TRACE(reference.file);
    const auto read = ReadMolStructureFile(ReferenceFile(reference.file));
    ASSERT_TRUE(read);
    // Both number heavy atoms first and hydrogens by owner, so the matrices
    // agree entry by entry.
    EXPECT_EQ(read.value(), CharacterisationOf(*MoleculeFrom(reference.description, reference.id)));
    const std::string copy = dir.file(std::string(reference.file) + ".ms");
    ASSERT_TRUE(WriteMolStructureFile(read.value(), copy));
    EXPECT_EQ(FileBytes(copy), FileBytes(ReferenceFile(reference.file)));
  }
  // Beyond them, every bond kind, radical centres, carbon-14 and helium survive writing and reading.
  const TMolCharacterisation mixed = CharacterisationOf(
      *MoleculeFrom("C14 C C C. c c c c c c C He..; 0#1 1-2 2-3 3-4 4:5 5:6 6:7 7:8 8:9 9:4 2=10", -7));
  const auto read = ParseMolStructure(EncodeMolStructure(mixed).value());
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value(), mixed);
}

TEST(MolStructureFile, StatusCodesAreTheErrorsDamage) {
  const struct {
    Bytes bytes;
    std::uint16_t status;
  } cases[] = {
      {{'X', 'Y', 'Z', 0, 0, 0, 0}, kStructureFileTooShort},  // seven bytes: the header is not read
      {{0x48, 0x03, 0x01, 0, 0, 0, 0, 0}, kNotAStructureFile},
      {{0x48, 0x04, 0x02, 0, 0, 0, 0, 0}, kStructureFileUnknownVersion},
      {{0x48, 0x04, 0x01, 0, 0, 0, 5, 1}, kStructureFileTooShort},  // one atom announced, none stored
      // Two carbons bonded in the upper triangle only, then with an aromatic
      // mark in the lower one only.
      {{0x48, 0x04, 0x01, 0, 0, 0, 5, 2, 3, 1, 0, 3, 2, 2, 0}, kStructureFileDamaged},
      {{0x48, 0x04, 0x01, 0, 0, 0, 5, 2, 3, 1, 1, 3, 2, 2, 0x04}, kStructureFileDamaged},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusOf(ParseMolStructure(c.bytes)), c.status);
  const auto absent = ReadMolStructureFile(ReferenceFile("absent"));
  ASSERT_FALSE(absent);
  EXPECT_EQ(absent.error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(absent.error().Message, "No such file or directory");
}

// Cut short: status 1. Changed: a known status; whatever reads whole builds a
// molecule and reads back the same.
TEST(MolStructureFile, DamagedFilesAreRefusedOrReadConsistently) {
  int readWhole = 0;
  for (const auto& reference : kReferences) {
    SCOPED_TRACE(reference.file);
    const auto truncated = [](const Bytes& prefix) {
      ASSERT_EQ(StatusOf(ParseMolStructure(prefix)), kStructureFileTooShort) << prefix.size();
    };
    const auto changed = [](const Bytes& bytes) {
      const auto read = ParseMolStructure(bytes);
      EXPECT_LE(StatusOf(read), kStructureFileDamaged);
      if (!read) return false;
      const TMolCharacterisation& out = read.value();
      EXPECT_NE(TMolecule::FromStructure(out.Identification, out.AdjacencyMatrix, out.AtomTypes, out.AromaticMatrix),
                nullptr);
      if (out.AtomTypes.size() <= kMaxStructureFileAtoms) {
        const auto again = ParseMolStructure(EncodeMolStructure(out).value());
        EXPECT_TRUE(again && again.value() == out);
      }
      return true;
    };
    readWhole += FeedDamagedCopies(FileBytes(ReferenceFile(reference.file)), 150, 3, truncated, changed).ReadWhole;
  }
  // Atom types and identifications were really changed, not only rejected
  // (a changed bond byte mostly breaks the symmetry and is refused).
  EXPECT_GT(readWhole, 50);
}

TEST(MolStructureFile, WriterRefusesWhatTheFormatCannotHoldWithoutTouchingTheFile) {
  ScratchDir dir;
  const std::string path = dir.file("limit.ms");
  const auto blank = [](std::size_t rows, std::size_t cols, std::size_t atoms) {
    return TMolCharacterisation{1, TByteMatrix(rows, cols, 0), TByteVector(atoms, kHydrogen),
                                TBoolMatrix(rows, rows, false)};
  };
  TMolCharacterisation largest = blank(181, 181, 181);
  largest.AdjacencyMatrix[180][179] = largest.AdjacencyMatrix[179][180] = 1;
  largest.AromaticMatrix[180][179] = largest.AromaticMatrix[179][180] = true;
  ASSERT_TRUE(WriteMolStructureFile(largest, path));
  EXPECT_EQ(FileBytes(path).size(), 37046u);  // 8 + 181² + 181 + 4096
  const auto read = ReadMolStructureFile(path);
  ASSERT_TRUE(read);
  EXPECT_EQ(read.value(), largest);

  const Bytes before = FileBytes(path);
  // Too many atoms, pieces of different sizes, a matrix that is not square.
  for (const TMolCharacterisation& bad : {blank(182, 182, 182), blank(3, 3, 2), blank(2, 3, 2)}) {
    const auto refused = WriteMolStructureFile(bad, path);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().Code, TErrorCode::FileFormat);
    EXPECT_EQ(refused.error().Message, CheckMolStructureLimits(bad).error().Message);
  }
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_NE(CheckMolStructureLimits(blank(182, 182, 182)).error().Message.find("181"), std::string::npos);
  // A file that cannot be written is named (how it is replaced is the file writer's concern).
  const std::string missing = dir.file("x") + "/missing/x.ms";
  const auto unwritten = WriteMolStructureFile(largest, missing);
  ASSERT_FALSE(unwritten);
  EXPECT_EQ(unwritten.error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(unwritten.error().Message.rfind("Cannot write the file \"" + missing + "\": ", 0), 0u);
}

}  // namespace
}  // namespace korvane
