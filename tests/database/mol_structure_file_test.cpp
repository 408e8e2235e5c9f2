#include "database/mol_structure_file.h"

#include <gtest/gtest.h>

#include "core/identity.h"
#include "database/binary_file.h"
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

// A structure that no reader result can be mistaken for.
const TMolCharacterisation kSentinel{12345, TByteMatrix{{7}}, TByteVector{9}, TBoolMatrix{{true}}};

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
    TMolCharacterisation read;
    ASSERT_EQ(ReadMolStructureFile(ReferenceFile(reference.file), read), kStructureFileRead);
    // Both number heavy atoms first and hydrogens by owner, so the matrices
    // agree entry by entry.
    EXPECT_EQ(read, CharacterisationOf(*MoleculeFrom(reference.description, reference.id)));
    const std::string copy = dir.file(std::string(reference.file) + ".ms");
    WriteMolStructureFile(read, copy);
    EXPECT_EQ(FileBytes(copy), FileBytes(ReferenceFile(reference.file)));
  }
  // Beyond them, every bond kind, radical centres, carbon-14 and helium survive writing and reading.
  const TMolCharacterisation mixed = CharacterisationOf(
      *MoleculeFrom("C14 C C C. c c c c c c C He..; 0#1 1-2 2-3 3-4 4:5 5:6 6:7 7:8 8:9 9:4 2=10", -7));
  TMolCharacterisation read;
  ASSERT_EQ(ParseMolStructure(EncodeMolStructure(mixed), read), kStructureFileRead);
  EXPECT_EQ(read, mixed);
}

TEST(MolStructureFile, StatusCodesLeaveTheOutputUntouched) {
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
  for (const auto& c : cases) {
    TMolCharacterisation out = kSentinel;
    EXPECT_EQ(ParseMolStructure(c.bytes, out), c.status);
    EXPECT_EQ(out, kSentinel);
  }
  TMolCharacterisation out;
  EXPECT_THROW(ReadMolStructureFile(ReferenceFile("absent"), out), std::filesystem::filesystem_error);
}

// Cut short: status 1. Changed: a known status; whatever reads whole builds a
// molecule and reads back the same. Nothing else touches the output.
TEST(MolStructureFile, DamagedFilesLeaveTheOutputUntouchedOrReadConsistently) {
  int readWhole = 0;
  for (const auto& reference : kReferences) {
    SCOPED_TRACE(reference.file);
    const auto truncated = [](const Bytes& prefix) {
      TMolCharacterisation out = kSentinel;
      ASSERT_EQ(ParseMolStructure(prefix, out), kStructureFileTooShort) << prefix.size();
      ASSERT_EQ(out, kSentinel);
    };
    const auto changed = [](const Bytes& bytes) {
      TMolCharacterisation out = kSentinel, again;
      const std::uint16_t status = ParseMolStructure(bytes, out);
      EXPECT_LE(status, kStructureFileDamaged);
      if (status != kStructureFileRead) {
        EXPECT_EQ(out, kSentinel);
        return false;
      }
      EXPECT_NE(TMolecule::FromStructure(out.Identification, out.AdjacencyMatrix, out.AtomTypes, out.AromaticMatrix),
                nullptr);
      if (out.AtomTypes.size() <= kMaxStructureFileAtoms) {
        EXPECT_EQ(ParseMolStructure(EncodeMolStructure(out), again), kStructureFileRead);
        EXPECT_EQ(again, out);
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
  WriteMolStructureFile(largest, path);
  EXPECT_EQ(FileBytes(path).size(), 37046u);  // 8 + 181² + 181 + 4096
  TMolCharacterisation read;
  ASSERT_EQ(ReadMolStructureFile(path, read), kStructureFileRead);
  EXPECT_EQ(read, largest);

  const Bytes before = FileBytes(path);
  // Too many atoms, pieces of different sizes, a matrix that is not square.
  for (const TMolCharacterisation& bad : {blank(182, 182, 182), blank(3, 3, 2), blank(2, 3, 2)})
    EXPECT_THROW(WriteMolStructureFile(bad, path), FileFormatLimitError);
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_NE(MolStructureLimitProblem(blank(182, 182, 182)).find("181"), std::string::npos);
  // A file that cannot be written raises (how it is replaced is the file writer's concern).
  EXPECT_THROW(WriteMolStructureFile(largest, dir.file("x") + "/missing/x.ms"), std::filesystem::filesystem_error);
}

}  // namespace
}  // namespace korvane
