#include "database/mol_structure_file.h"

#include <gtest/gtest.h>

#include <set>

#include "core/identity.h"
#include "database/binary_file.h"
#include "database_test_support.h"
#include "molecule_builder.h"

namespace korvane {
namespace {

using testing::Corrupted;
using testing::FileBytes;
using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::PutFile;
using testing::ReferencePath;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

TMolCharacterisation CharacterisationOf(const TMolecule& molecule) {
  return {molecule.ID, molecule.AdjacencyMatrix(), molecule.AtomTypes(), molecule.AromaticMatrix()};
}

// A structure that no reader result can be mistaken for.
TMolCharacterisation Sentinel() { return {12345, TByteMatrix{{7}}, TByteVector{9}, TBoolMatrix{{true}}}; }

struct ReferenceStructure {
  const char* file;
  std::int32_t id;
  std::string description;
  std::size_t atoms;
  std::size_t aromaticEntries;  // true entries of the aromatic matrix
};

const std::vector<ReferenceStructure>& References() {
  static const std::vector<ReferenceStructure> kReferences = {
      {"propane", 3, "C C C; 0-1 1-2", 11, 0},
      {"propene", 4, "C C C; 0=1 1-2", 9, 0},
      {"isobutane", 5, "C C C C; 0-1 1-2 1-3", 14, 0},
      {"n-hexane", 6, LinearAlkane(6), 20, 0},
      {"cyclohexane", 7, "C C C C C C; 0-1 1-2 2-3 3-4 4-5 5-0", 18, 0},
      {"benzene", 8, "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", 12, 12},
      {"toluene", 9, "C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1", 15, 12},
      {"methyl", -10, "C.", 4, 0},
      {"allyl", 11, "C. C C; 0-1 1=2", 8, 0},
  };
  return kReferences;
}

std::string ReferenceFile(const ReferenceStructure& reference) {
  return ReferencePath(std::string("structures/") + reference.file + ".ms");
}

TEST(MolStructureFile, ThreeAtomsTake22BytesLaidOutAsDocumented) {
  const TMolCharacterisation structure{258,
                                      TByteMatrix{{0, 2, 0}, {2, 0, 1}, {0, 1, 1}},
                                      TByteVector{2, 2, 1},
                                      TBoolMatrix{{false, true, false}, {true, false, false}, {false, false, true}}};
  const Bytes expected = {0x48, 0x04, 0x01,                                   // frame
                          0x00, 0x00, 0x01, 0x02,                             // 258
                          0x03,                                               // n
                          0, 2, 0, 2, 0, 1, 0, 1, 1,                          // adjacency, row by row
                          2, 2, 1,                                            // atom types
                          0x0A,                                               // k = 1 and 3: bits 1, 3
                          0x01};                                              // k = 8: bit 0 of byte 1
  EXPECT_EQ(EncodeMolStructure(structure), expected);
  EXPECT_EQ(MolStructureFileSize(3), 22u);
  EXPECT_EQ(MolStructureFileSize(0), 8u);

  TMolCharacterisation read;
  ASSERT_EQ(ParseMolStructure(expected, read), kStructureFileRead);
  EXPECT_EQ(read, structure);
  // Unused high bits of the last packed byte carry nothing.
  Bytes noisy = expected;
  noisy.back() = 0xFF;
  ASSERT_EQ(ParseMolStructure(noisy, read), kStructureFileRead);
  EXPECT_EQ(read, structure);

  // Identifications are big-endian two's complement.
  TMolCharacterisation empty;
  empty.Identification = -10;
  EXPECT_EQ(EncodeMolStructure(empty), (Bytes{0x48, 0x04, 0x01, 0xFF, 0xFF, 0xFF, 0xF6, 0x00}));
  for (std::int32_t id : {INT32_MIN, INT32_MAX, -1, 0}) {
    empty.Identification = id;
    ASSERT_EQ(ParseMolStructure(EncodeMolStructure(empty), read), kStructureFileRead);
    EXPECT_EQ(read.Identification, id);
    EXPECT_TRUE(read.AtomTypes.empty());
  }
}

TEST(MolStructureFile, RoundTripsEveryBondKindRadicalsAndAromaticFlags) {
  ScratchDir dir;
  const char* descriptions[] = {
      "C C C C. c c c c c c C; 0#1 1-2 2-3 3-4 4:5 5:6 6:7 7:8 8:9 9:4 2=10",
      "C. C. C; 0-1 1=2",
      "C C O N; 0-1 1-2 1-3",
      "C14 c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1",
      "He..",
  };
  for (const char* description : descriptions) {
    const auto molecule = MoleculeFrom(description, -77);
    const TMolCharacterisation structure = CharacterisationOf(*molecule);
    const std::string path = dir.file("round.ms");
    WriteMolStructureFile(structure, path);
    EXPECT_EQ(FileBytes(path).size(), MolStructureFileSize(molecule->AtomCount())) << description;
    TMolCharacterisation read;
    ASSERT_EQ(ReadMolStructureFile(path, read), kStructureFileRead) << description;
    EXPECT_EQ(read, structure) << description;
  }

  // An aromatic bond keeps multiplicity 1 in the adjacency matrix; its
  // aromatic character lives only in the packed flags.
  const auto benzene = MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0");
  const Bytes bytes = EncodeMolStructure(CharacterisationOf(*benzene));
  const std::size_t n = benzene->AtomCount();
  EXPECT_EQ(bytes[8 + 0 * n + 1], 1);  // [0][1]
  EXPECT_EQ(bytes[8 + 5 * n + 0], 1);  // [5][0]
  const std::size_t packed = 8 + n * n + n;
  EXPECT_EQ(bytes[packed], 0x22);      // [0][1] and [0][5]: bits 1 and 5
}

TEST(MolStructureFile, ReferenceFilesReadAsDescribedAndWriteBackByteForByte) {
  ScratchDir dir;
  for (const ReferenceStructure& reference : References()) {
    SCOPED_TRACE(reference.file);
    TMolCharacterisation read;
    ASSERT_EQ(ReadMolStructureFile(ReferenceFile(reference), read), kStructureFileRead);
    EXPECT_EQ(read.Identification, reference.id);
    EXPECT_EQ(read.AtomTypes.size(), reference.atoms);
    EXPECT_EQ(read.AdjacencyMatrix.rows(), reference.atoms);
    std::size_t aromatic = 0;
    for (std::size_t k = 0; k < reference.atoms * reference.atoms; ++k) aromatic += read.AromaticMatrix.data()[k];
    EXPECT_EQ(aromatic, reference.aromaticEntries);

    const auto fromFile = TMolecule::FromStructure(read.Identification, read.AdjacencyMatrix, read.AtomTypes,
                                                   read.AromaticMatrix);
    ASSERT_NE(fromFile, nullptr);
    const auto expected = MoleculeFrom(reference.description, reference.id);
    EXPECT_TRUE(AreIsomorphic(*fromFile, *expected));
    EXPECT_EQ(fromFile->Formula(), expected->Formula());
    if (reference.id == 3) {
      EXPECT_EQ(fromFile->Formula(), "H8C3");
    }
    EXPECT_EQ(fromFile->IsRadical(), expected->IsRadical());
    // Both number heavy atoms first and hydrogens grouped by owner, so even
    // the matrices agree entry by entry.
    EXPECT_EQ(read, CharacterisationOf(*expected));

    const std::string copy = dir.file(std::string(reference.file) + ".ms");
    WriteMolStructureFile(read, copy);
    EXPECT_EQ(FileBytes(copy), FileBytes(ReferenceFile(reference)));
  }
}

TEST(MolStructureFile, StatusCodesLeaveTheOutputUntouched) {
  const TMolCharacterisation sentinel = Sentinel();
  TMolCharacterisation out = sentinel;
  // Seven bytes are too short whatever they hold; the header is not read.
  EXPECT_EQ(ParseMolStructure(Bytes{0x48, 0x04, 0x01, 0, 0, 0, 0}, out), kStructureFileTooShort);
  EXPECT_EQ(ParseMolStructure(Bytes{'X', 'Y', 'Z', 0, 0, 0, 0}, out), kStructureFileTooShort);
  EXPECT_EQ(ParseMolStructure(Bytes{0x48, 0x03, 0x01, 0, 0, 0, 0, 0}, out), kNotAStructureFile);
  EXPECT_EQ(ParseMolStructure(Bytes{0x49, 0x04, 0x01, 0, 0, 0, 0, 0}, out), kNotAStructureFile);
  EXPECT_EQ(ParseMolStructure(Bytes{0x48, 0x04, 0x02, 0, 0, 0, 0, 0}, out), kStructureFileUnknownVersion);
  EXPECT_EQ(ParseMolStructure(Bytes{0x48, 0x04, 0x01, 0, 0, 0, 5, 1}, out), kStructureFileTooShort);
  EXPECT_EQ(out, sentinel);
  EXPECT_EQ(ParseMolStructure(Bytes{0x48, 0x04, 0x01, 0, 0, 0, 5, 0}, out), kStructureFileRead);
  EXPECT_EQ(out.Identification, 5);
  EXPECT_TRUE(out.AdjacencyMatrix.empty());

  EXPECT_THROW(ReadMolStructureFile(ReferencePath("structures/absent.ms"), out), std::filesystem::filesystem_error);
  std::set<std::string> messages;
  for (std::uint16_t status = 0; status <= 4; ++status) messages.insert(MolStructureStatusMessage(status));
  EXPECT_EQ(messages.size(), 5u);
}

TEST(MolStructureFile, EveryTruncationIsStatusOneAndChangesNothing) {
  const TMolCharacterisation sentinel = Sentinel();
  for (const ReferenceStructure& reference : References()) {
    const Bytes whole = FileBytes(ReferenceFile(reference));
    for (std::size_t length = 0; length < whole.size(); ++length) {
      TMolCharacterisation out = sentinel;
      // Exact-size copies, so the sanitizer sees any read past the end.
      const Bytes prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
      ASSERT_EQ(ParseMolStructure(prefix, out), kStructureFileTooShort) << reference.file << " " << length;
      ASSERT_EQ(out, sentinel);
    }
    Bytes longer = whole;
    longer.push_back(0xEE);
    TMolCharacterisation out;
    EXPECT_EQ(ParseMolStructure(longer, out), kStructureFileRead);
  }
}

TEST(MolStructureFile, CorruptedFilesNeverCrashAndReadConsistently) {
  const TMolCharacterisation sentinel = Sentinel();
  int readBack = 0;
  for (const ReferenceStructure& reference : References()) {
    const Bytes whole = FileBytes(ReferenceFile(reference));
    for (unsigned seed = 1; seed <= 150; ++seed) {
      // Most seeds spare the frame, so the matrices get exercised too.
      const Bytes bytes = Corrupted(whole, seed, 1 + seed % 4, seed % 5 == 0 ? 0 : 3);
      TMolCharacterisation out = sentinel;
      const std::uint16_t status = ParseMolStructure(bytes, out);
      ASSERT_LE(status, 3) << reference.file << " seed " << seed;
      if (status != kStructureFileRead) {
        ASSERT_EQ(out, sentinel);
        continue;
      }
      ++readBack;
      const std::size_t n = out.AtomTypes.size();
      ASSERT_EQ(out.AdjacencyMatrix.rows(), n);
      ASSERT_EQ(out.AromaticMatrix.rows(), n);
      ASSERT_LE(MolStructureFileSize(n), bytes.size());
      // Whatever was read builds a molecule and survives a write and read.
      const auto molecule = TMolecule::FromStructure(out.Identification, out.AdjacencyMatrix, out.AtomTypes,
                                                     out.AromaticMatrix);
      ASSERT_NE(molecule, nullptr);
      molecule->Formula();
      if (n <= kMaxStructureFileAtoms) {
        TMolCharacterisation again;
        ASSERT_EQ(ParseMolStructure(EncodeMolStructure(out), again), kStructureFileRead);
        EXPECT_EQ(again, out);
      }
    }
  }
  EXPECT_GT(readBack, 100);  // the matrices were really corrupted, not only rejected
}

TEST(MolStructureFile, WriterRefusesWhatTheFormatCannotHoldWithoutTouchingTheFile) {
  ScratchDir dir;
  const std::string path = dir.file("limit.ms");
  const std::size_t largest = kMaxStructureFileAtoms;
  TMolCharacterisation big{1, TByteMatrix(largest, largest, 0), TByteVector(largest, kHydrogen),
                           TBoolMatrix(largest, largest, false)};
  big.AromaticMatrix[180][179] = true;
  WriteMolStructureFile(big, path);
  EXPECT_EQ(FileBytes(path).size(), 37046u);  // 8 + 181^2 + 181 + 4096
  TMolCharacterisation read;
  ASSERT_EQ(ReadMolStructureFile(path, read), kStructureFileRead);
  EXPECT_EQ(read, big);

  const Bytes before = FileBytes(path);
  const std::size_t tooMany = largest + 1;
  const TMolCharacterisation huge{1, TByteMatrix(tooMany, tooMany, 0), TByteVector(tooMany, kHydrogen),
                                  TBoolMatrix(tooMany, tooMany, false)};
  EXPECT_NE(MolStructureLimitProblem(huge).find("181"), std::string::npos);
  EXPECT_THROW(WriteMolStructureFile(huge, path), FileFormatLimitError);
  const TMolCharacterisation mismatched{1, TByteMatrix(3, 3, 0), TByteVector(2, kCarbon), TBoolMatrix(3, 3, false)};
  EXPECT_THROW(WriteMolStructureFile(mismatched, path), FileFormatLimitError);
  const TMolCharacterisation ragged{1, TByteMatrix(2, 3, 0), TByteVector(2, kCarbon), TBoolMatrix(2, 2, false)};
  EXPECT_THROW(WriteMolStructureFile(ragged, path), FileFormatLimitError);
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_THROW(WriteMolStructureFile(huge, dir.file("new.ms")), FileFormatLimitError);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "new.ms"));
}

}  // namespace
}  // namespace korvane
