#include "database/mol_structure_file.h"

#include <algorithm>

#include "core/molecule.h"
#include "database/binary_file.h"

namespace korvane {
namespace {

constexpr std::uint8_t kMagic = 0x48;
constexpr std::uint8_t kStructureKind = 0x04;
constexpr std::uint8_t kVersion = 0x01;
constexpr std::size_t kHeaderSize = 8;

std::size_t PackedSize(std::size_t elements) { return (elements + 7) / 8; }

}  // namespace

std::size_t MolStructureFileSize(std::size_t atoms) {
  const std::size_t elements = atoms * atoms;
  return kHeaderSize + elements + atoms + PackedSize(elements);
}

TResult<TMolCharacterisation> ParseMolStructure(std::span<const std::uint8_t> bytes) {
  // A file too short for the header is reported before its header is looked at.
  if (bytes.size() < kHeaderSize) return MolStructureFileError(kStructureFileTooShort);
  ByteReader reader(bytes);
  if (reader.byte() != kMagic || reader.byte() != kStructureKind) return MolStructureFileError(kNotAStructureFile);
  if (reader.byte() != kVersion) return MolStructureFileError(kStructureFileUnknownVersion);
  const std::int32_t identification = *reader.int32();
  const std::size_t n = *reader.byte();

  const std::size_t elements = n * n;
  if (reader.remaining() < elements + n + PackedSize(elements)) return MolStructureFileError(kStructureFileTooShort);
  TMolCharacterisation read;
  read.Identification = identification;
  read.AdjacencyMatrix.assign(n, n, 0);
  const auto adjacency = *reader.bytes(elements);
  std::copy(adjacency.begin(), adjacency.end(), read.AdjacencyMatrix.data());
  const auto types = *reader.bytes(n);
  read.AtomTypes.assign(types.begin(), types.end());
  const auto packed = *reader.bytes(PackedSize(elements));
  read.AromaticMatrix.assign(n, n, false);
  bool* flags = read.AromaticMatrix.data();
  for (std::size_t k = 0; k < elements; ++k) flags[k] = (packed[k / 8] >> (k % 8) & 1) != 0;
  if (!StructureMatrixProblem(read.AdjacencyMatrix, read.AromaticMatrix).empty())
    return MolStructureFileError(kStructureFileDamaged);
  return read;
}

TResult<TMolCharacterisation> ReadMolStructureFile(const std::string& fileName) {
  // No valid file is longer than a 255-atom structure; reading no more
  // keeps a wrongly chosen huge file from being loaded whole.
  const auto bytes = ReadFileBytes(fileName, MolStructureFileSize(255));
  if (!bytes) return bytes.error();
  return ParseMolStructure(bytes.value());
}

TResult<> CheckMolStructureLimits(const TMolCharacterisation& structure) {
  auto refused = [](std::string why) { return TError{TErrorCode::FileFormat, std::move(why)}; };
  const std::size_t n = structure.AdjacencyMatrix.rows();
  if (n > 0 && structure.AdjacencyMatrix.cols() != n)
    return refused("The adjacency matrix of a structure must be square.");
  if (structure.AtomTypes.size() != n || structure.AromaticMatrix.rows() != n ||
      (n > 0 && structure.AromaticMatrix.cols() != n))
    return refused(
        "The adjacency matrix, the atom types and the aromatic matrix describe different numbers of atoms.");
  if (n > kMaxStructureFileAtoms)
    return refused("A molecular structure file holds at most 181 atoms; this structure has " + std::to_string(n) +
                   ".");
  return {};
}

TResult<std::vector<std::uint8_t>> EncodeMolStructure(const TMolCharacterisation& structure) {
  if (const auto fits = CheckMolStructureLimits(structure); !fits) return fits.error();
  const std::size_t n = structure.AdjacencyMatrix.rows();
  const std::size_t elements = n * n;
  ByteWriter writer;
  writer.byte(kMagic);
  writer.byte(kStructureKind);
  writer.byte(kVersion);
  writer.int32(structure.Identification);
  writer.byte(static_cast<std::uint8_t>(n));
  writer.bytes(std::span<const std::uint8_t>(structure.AdjacencyMatrix.data(), elements));
  writer.bytes(structure.AtomTypes);
  std::vector<std::uint8_t> packed(PackedSize(elements), 0);
  const bool* flags = structure.AromaticMatrix.data();
  for (std::size_t k = 0; k < elements; ++k)
    if (flags[k]) packed[k / 8] = static_cast<std::uint8_t>(packed[k / 8] | 1u << (k % 8));
  writer.bytes(packed);
  return writer.data();
}

TResult<> WriteMolStructureFile(const TMolCharacterisation& structure, const std::string& fileName) {
  const auto bytes = EncodeMolStructure(structure);
  if (!bytes) return bytes.error();
  return WriteFileReplacing(fileName, bytes.value());
}

std::string MolStructureStatusMessage(std::uint16_t status) {
  switch (status) {
    case kStructureFileRead: return "The structure file was read.";
    case kStructureFileTooShort: return "The structure file is shorter than its structure requires; it is damaged.";
    case kNotAStructureFile: return "The file is not a molecular structure file.";
    case kStructureFileUnknownVersion: return "The molecular structure file has an unknown format version.";
    case kStructureFileDamaged:
      return "The matrices of the structure file do not describe a structure (a bond that does not agree both "
             "ways); it is damaged.";
    default: return "Unknown status of a molecular structure file: " + std::to_string(status) + ".";
  }
}

TError MolStructureFileError(std::uint16_t status) {
  return FileFormatError(status, MolStructureStatusMessage(status));
}

}  // namespace korvane
