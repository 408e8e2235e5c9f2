#include "app/network_file.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include <zlib.h>

#include "database/binary_file.h"
#include "reactions/mass_balance.h"

namespace korvane {
namespace {

constexpr std::uint8_t kMagic[2] = {0x48, 0x05};
constexpr std::uint8_t kVersion = 0x01;
constexpr std::uint8_t kAromaticBond = 5;
constexpr std::uint8_t kMaxPlainBond = 4;
constexpr std::size_t kMaxText = 255;
constexpr std::size_t kMaxRecipe = 15;
constexpr std::int32_t kMaxCoefficient = 255;
constexpr std::int32_t kMaxReactionType = 255;
// Bytes of a reaction record up to and including the flag, and the least a
// whole record takes (with the text-length byte, without recipes); a
// component record takes at least its two length bytes, one atom type and
// one bond byte.
constexpr std::size_t kReactionHead = 34;
constexpr std::size_t kMinReactionRecord = kReactionHead + 1;
constexpr std::size_t kMinComponentRecord = 4;
// Korvane's trailer: its magic (the last byte is the trailer's version), two
// lists of u24 indices, then a footer: the trailer's length up to the footer
// (u32) and the CRC-32 of every byte before the CRC.
constexpr std::uint8_t kTrailerMagic[8] = {'K', 'R', 'V', 'N', 'T', 'R', 'L', 0x01};
constexpr std::size_t kFooterBytes = 8;
constexpr std::size_t kShortestTrailerBody = sizeof kTrailerMagic + 3 + 3;

std::string ErrnoText(int error) { return std::error_code(error, std::generic_category()).message(); }
// The longest records: a preamble with a note of 255 bytes; a component of
// 255 atoms with a name of 255 bytes; a reaction with two recipes of 15.
constexpr std::size_t kMaxPreamble = 3 + 7 + 255 + 5 * 8;
constexpr std::size_t kMaxComponentRecord = 2 + 255 + 255 + 255 * 255;
constexpr std::size_t kMaxReactionRecord = kReactionHead + 1 + 2 * 15;

// The bytes of a network file by position: a file on disk, read in blocks as
// the reader goes, or bytes already in memory.
class TByteSource {
 public:
  virtual ~TByteSource() = default;
  virtual std::size_t size() const = 0;
  /// The bytes from `offset` on, at least `count` of them where the source
  /// has them (fewer at its end or after a read failure). Valid until the
  /// next call.
  virtual std::span<const std::uint8_t> view(std::size_t offset, std::size_t count) = 0;
};

class TSpanSource final : public TByteSource {
 public:
  explicit TSpanSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
  std::size_t size() const override { return m_bytes.size(); }
  std::span<const std::uint8_t> view(std::size_t offset, std::size_t) override {
    return offset < m_bytes.size() ? m_bytes.subspan(offset) : std::span<const std::uint8_t>();
  }

 private:
  std::span<const std::uint8_t> m_bytes;
};

// Holds one block of the file at a time, so a large file is never in memory
// whole.
class TFileSource final : public TByteSource {
 public:
  static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

  explicit TFileSource(std::FILE* file, std::size_t size) : m_file(file), m_size(size) {}
  ~TFileSource() override { std::fclose(m_file); }
  std::size_t size() const override { return m_size; }
  /// A read of the file failed (its errno), as opposed to a file too short.
  int failure() const { return m_failure; }

  std::span<const std::uint8_t> view(std::size_t offset, std::size_t count) override {
    if (offset >= m_size) return {};
    count = std::min(count, m_size - offset);
    if (offset < m_start || offset + count > m_start + m_block.size()) load(offset, std::max(count, kBlockBytes));
    return std::span<const std::uint8_t>(m_block).subspan(offset - m_start);
  }

 private:
  void load(std::size_t offset, std::size_t count) {
    count = std::min(count, m_size - offset);
    m_block.resize(count);
    m_start = offset;
    errno = 0;
    std::size_t got = 0;
    if (::fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) == 0) got = std::fread(m_block.data(), 1, count, m_file);
    if (got < count && m_failure == 0) m_failure = errno != 0 ? errno : EIO;
    m_block.resize(got);
  }

  std::FILE* m_file;
  std::size_t m_size;
  std::vector<std::uint8_t> m_block;
  std::size_t m_start = 0;
  int m_failure = 0;
};

// Reads big-endian records from a range of a source, as ByteReader does from
// memory: a read that does not fit in the range returns nothing and consumes
// nothing. Spans handed out stay valid until the next prefetch, which each
// record asks for with its longest length, so one record's parts stay
// readable together.
class TSourceReader {
 public:
  TSourceReader(TByteSource& source, std::size_t end) : m_source(source), m_end(end) {}

  std::size_t remaining() const { return m_end - m_position; }
  std::size_t position() const { return m_position; }

  /// Makes the next `count` bytes (or all that are left) readable at once.
  void prefetch(std::size_t count) {
    m_view = m_source.view(m_position, std::min(count, remaining()));
    m_viewStart = m_position;
  }
  std::optional<std::span<const std::uint8_t>> bytes(std::size_t count) {
    if (count > remaining()) return std::nullopt;
    if (m_position + count > m_viewStart + m_view.size()) {
      prefetch(count);
      if (count > m_view.size()) return std::nullopt;  // the file could not be read
    }
    const auto part = m_view.subspan(m_position - m_viewStart, count);
    m_position += count;
    return part;
  }
  std::optional<std::uint8_t> byte() {
    const auto one = bytes(1);
    return one ? std::optional<std::uint8_t>((*one)[0]) : std::nullopt;
  }
  std::optional<std::string> text(std::size_t count) {
    const auto part = bytes(count);
    return part ? std::optional<std::string>(std::string(part->begin(), part->end())) : std::nullopt;
  }

 private:
  TByteSource& m_source;
  std::size_t m_end;
  std::size_t m_position = 0;
  std::span<const std::uint8_t> m_view;
  std::size_t m_viewStart = 0;
};

// `count` bytes of the source from `offset`, copied (what is there of them).
std::vector<std::uint8_t> Copy(TByteSource& source, std::size_t offset, std::size_t count) {
  std::vector<std::uint8_t> copy;
  while (copy.size() < count) {
    const auto part = source.view(offset + copy.size(), std::min(count - copy.size(), TFileSource::kBlockBytes));
    if (part.empty()) break;
    copy.insert(copy.end(), part.begin(), part.begin() + static_cast<std::ptrdiff_t>(std::min(part.size(), count - copy.size())));
  }
  return copy;
}

std::uint32_t U32(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
         static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

// Where the trailer begins, found from the end of the file: its footer gives
// its length, and its magic must stand there. Found this way, the checksum is
// checked over the whole file and the records must end where the trailer
// begins, so no changed byte can make the trailer read as part of a record.
std::optional<std::size_t> LocateTrailer(TByteSource& source) {
  const std::size_t size = source.size();
  if (size < kShortestTrailerBody + kFooterBytes) return std::nullopt;
  const std::vector<std::uint8_t> footer = Copy(source, size - kFooterBytes, 4);
  if (footer.size() != 4) return std::nullopt;
  const std::size_t length = U32(footer);
  if (length < kShortestTrailerBody || length > size - kFooterBytes) return std::nullopt;
  const std::size_t start = size - kFooterBytes - length;
  const std::vector<std::uint8_t> magic = Copy(source, start, sizeof kTrailerMagic);
  if (!std::equal(magic.begin(), magic.end(), kTrailerMagic, kTrailerMagic + sizeof kTrailerMagic)) return std::nullopt;
  return start;
}

// CRC-32 of the first `count` bytes of the source, block by block.
std::uint32_t Crc32(TByteSource& source, std::size_t count) {
  uLong crc = crc32(0L, Z_NULL, 0);
  for (std::size_t at = 0; at < count;) {
    const auto part = source.view(at, std::min(count - at, TFileSource::kBlockBytes));
    const std::size_t take = std::min({part.size(), count - at, TFileSource::kBlockBytes});
    if (take == 0) break;
    crc = crc32(crc, part.data(), static_cast<uInt>(take));
    at += take;
  }
  return static_cast<std::uint32_t>(crc);
}

std::uint32_t U24(std::span<const std::uint8_t> bytes) {
  return static_cast<std::uint32_t>(bytes[0]) << 16 | static_cast<std::uint32_t>(bytes[1]) << 8 | bytes[2];
}

double Real(std::span<const std::uint8_t> bytes) {
  std::uint64_t bits = 0;
  for (std::size_t k = 8; k-- > 0;) bits = bits << 8 | bytes[k];
  return std::bit_cast<double>(bits);
}

void PutU24(ByteWriter& writer, std::uint32_t value) {
  writer.byte(static_cast<std::uint8_t>(value >> 16));
  writer.byte(static_cast<std::uint8_t>(value >> 8));
  writer.byte(static_cast<std::uint8_t>(value));
}

void PutReal(ByteWriter& writer, double value) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  for (int shift = 0; shift < 64; shift += 8) writer.byte(static_cast<std::uint8_t>(bits >> shift));
}

// A bond byte stands for the adjacency entry and the aromatic mark together;
// this is the byte, or nothing when no byte reads back as this pair.
std::optional<std::uint8_t> BondByte(std::uint8_t entry, bool aromatic) {
  if (aromatic) return entry == 1 ? std::optional<std::uint8_t>(kAromaticBond) : std::nullopt;
  return entry <= kMaxPlainBond ? std::optional<std::uint8_t>(entry) : std::nullopt;
}

// Reads component record `id`; on a fault returns its damage code and
// leaves `component` empty.
std::uint16_t ReadComponent(TSourceReader& reader, std::int32_t id, std::unique_ptr<TMolecule>& component) {
  reader.prefetch(kMaxComponentRecord);
  const auto atoms = reader.byte();
  const auto nameLength = reader.byte();
  if (!atoms || !nameLength) return kNetworkFileEndsEarly;
  const std::size_t n = *atoms;
  // Every component is a species of at least one atom; an empty record would
  // let a small file claim millions of components.
  if (n == 0) return kNetworkFileBadComponent;
  const auto name = reader.text(*nameLength);
  const auto types = reader.bytes(n);
  const auto bonds = reader.bytes(n * n);
  if (!name || !types || !bonds) return kNetworkFileEndsEarly;

  TByteMatrix adjacency(n, n, 0);
  TBoolMatrix aromatic(n, n, false);
  // Row by row, without a division per byte: this loop reads most of a
  // large file.
  for (std::size_t i = 0, k = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j, ++k) {
      const std::uint8_t value = (*bonds)[k];
      // The diagonal holds unpaired electrons (0 to 4); no atom is aromatic
      // with itself.
      if (value > (i == j ? kMaxPlainBond : kAromaticBond)) return kNetworkFileBadBond;
      adjacency.data()[k] = value == kAromaticBond ? 1 : value;
      aromatic.data()[k] = value == kAromaticBond;
    }
  }
  component = TMolecule::FromStructure(id, std::move(adjacency), TByteVector(types->begin(), types->end()),
                                       std::move(aromatic));
  // Bond bytes that disagree across the diagonal describe no structure.
  if (!component) return kNetworkFileBadComponent;
  // The network finds its components by their certificates. Made now, the
  // certificate joins the component's stored block while this record's
  // memory is about to be reused anyway; made later for every component,
  // each would leave the old block behind as a hole in the heap.
  component->Certificate();
  // The matrices it was made from are derived again when asked for; a large
  // network does not keep one pair per component.
  component->ReleaseDerivedData();
  component->Name = *name;
  return kNetworkFileRead;
}

// Reads one reaction record over the components read so far; on a fault
// returns its damage code and leaves `reaction` empty.
std::uint16_t ReadReaction(TSourceReader& reader, const std::vector<std::unique_ptr<TMolecule>>& components,
                           std::unique_ptr<TReaction>& reaction) {
  reader.prefetch(kMaxReactionRecord);
  const auto head = reader.bytes(kReactionHead);
  if (!head) return kNetworkFileEndsEarly;
  const std::span<const std::uint8_t> record = *head;
  const std::uint8_t flag = record[33];
  if (flag > 1) return kNetworkFileBadFlag;

  const std::uint32_t indices[4] = {U24(record.subspan(0, 3)), U24(record.subspan(3, 3)), U24(record.subspan(6, 3)),
                                    U24(record.subspan(9, 3))};
  // Only the second reactant and product may be absent; any other index
  // must name a component already read (they all precede the reactions).
  for (int place = 0; place < 4; ++place) {
    const bool absent = place % 2 == 1 && indices[place] == kNetworkFileNoComponent;
    if (!absent && indices[place] >= components.size()) return kNetworkFileBadComponentIndex;
  }

  const double activationEnergy = Real(record.subspan(17, 8));
  const double frequencyFactor = Real(record.subspan(25, 8));
  if (!std::isfinite(activationEnergy) || !std::isfinite(frequencyFactor)) return kNetworkFileBadNumber;
  auto read = std::make_unique<TReaction>();
  read->SetParameters(record[16], activationEnergy, frequencyFactor);
  read->MultiplyByActiveRadicals = flag == 1;
  for (int place = 0; place < 4; ++place) {
    if (place % 2 == 1 && indices[place] == kNetworkFileNoComponent) continue;
    TMolecule* molecule = components[indices[place]].get();
    const std::int32_t coefficient = record[12 + place];
    if (place < 2)
      read->AddReactant(molecule, -coefficient);
    else
      read->AddProduct(molecule, coefficient);
  }

  const auto lengths = reader.byte();
  if (!lengths) return kNetworkFileEndsEarly;
  const auto freqFact2 = reader.text(*lengths & 0x0F);
  const auto actEnerg2 = reader.text(*lengths >> 4);
  if (!freqFact2 || !actEnerg2) return kNetworkFileEndsEarly;
  read->FreqFact2 = *freqFact2;
  read->ActEnerg2 = *actEnerg2;
  // Atoms are neither made nor lost by a reaction; a changed byte in a
  // coefficient, an index or an atom type shows here.
  if (MassBalance(*read) == TMassBalance::Unbalanced) return kNetworkFileUnbalancedReaction;
  reaction = std::move(read);
  return kNetworkFileRead;
}

// Header, counts, note and preferences.
std::uint16_t ReadPreamble(TSourceReader& reader, TNetworkFileContent& content, std::size_t& componentCount,
                           std::size_t& reactionCount) {
  reader.prefetch(kMaxPreamble);
  // The header is judged on the bytes there are: a wrong byte names the
  // fault even in a file too short for the whole header.
  for (std::uint8_t expected : kMagic) {
    const auto got = reader.byte();
    if (!got) return kNetworkFileEndsEarly;
    if (*got != expected) return kNotANetworkFile;
  }
  const auto version = reader.byte();
  if (!version) return kNetworkFileEndsEarly;
  if (*version != kVersion) return kNetworkFileUnknownVersion;

  const auto counts = reader.bytes(7);
  if (!counts) return kNetworkFileEndsEarly;
  componentCount = U24(counts->subspan(0, 3));
  reactionCount = U24(counts->subspan(3, 3));
  const auto note = reader.text((*counts)[6]);
  if (!note) return kNetworkFileEndsEarly;
  content.Note = *note;
  const auto preferences = reader.bytes(5 * 8);
  if (!preferences) return kNetworkFileEndsEarly;
  content.Preferences.NormTemperature = Real(preferences->subspan(0, 8));
  content.Preferences.EThresholdBetaScission = Real(preferences->subspan(8, 8));
  content.Preferences.EThresholdHTransfer = Real(preferences->subspan(16, 8));
  content.Preferences.EThresholdAllyl = Real(preferences->subspan(24, 8));
  content.Preferences.MinSelectivity = Real(preferences->subspan(32, 8));
  const TNetworkPreferences& p = content.Preferences;
  for (double value : {p.NormTemperature, p.EThresholdBetaScission, p.EThresholdHTransfer, p.EThresholdAllyl,
                       p.MinSelectivity})
    if (!std::isfinite(value)) return kNetworkFileBadNumber;
  return kNetworkFileRead;
}

// Component and reaction records, each kept only once complete.
std::uint16_t ReadRecords(TSourceReader& reader, TNetworkFileContent& content, std::size_t componentCount,
                          std::size_t reactionCount, const TNetworkFileControl& control, bool& stopped) {
  TWorkCounter counter(control, componentCount + reactionCount);
  auto onward = [&] {
    stopped = !counter.Step();
    return !stopped;
  };
  // The counts come from the file: reserve no more than the bytes left can hold.
  content.Components.reserve(std::min(componentCount, reader.remaining() / kMinComponentRecord));
  for (std::size_t k = 0; k < componentCount; ++k) {
    std::unique_ptr<TMolecule> component;
    if (const auto damage = ReadComponent(reader, static_cast<std::int32_t>(k), component); damage != kNetworkFileRead)
      return damage;
    content.Components.push_back(std::move(component));
    if (!onward()) return kNetworkFileRead;
  }
  content.Reactions.reserve(std::min(reactionCount, reader.remaining() / kMinReactionRecord));
  for (std::size_t k = 0; k < reactionCount; ++k) {
    std::unique_ptr<TReaction> reaction;
    if (const auto damage = ReadReaction(reader, content.Components, reaction); damage != kNetworkFileRead)
      return damage;
    content.Reactions.push_back(std::move(reaction));
    if (!onward()) return kNetworkFileRead;
  }
  return kNetworkFileRead;
}

// A list of u24 indices below `limit`, as the trailer keeps it.
std::uint16_t ReadIndexList(ByteReader& reader, std::size_t limit, std::vector<std::size_t>& indices) {
  const auto count = reader.bytes(3);
  if (!count) return kNetworkFileEndsEarly;
  const std::size_t n = U24(*count);
  const auto entries = reader.bytes(3 * n);
  if (!entries) return kNetworkFileEndsEarly;
  indices.reserve(n);
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t index = U24(entries->subspan(3 * k, 3));
    if (index >= limit) return kNetworkFileBadTrailer;
    indices.push_back(index);
  }
  return kNetworkFileRead;
}

// The trailer from `start` to the end of the file. Indices are checked before
// the checksum, so that a trailer naming what the file does not hold says so.
std::uint16_t ReadTrailer(TByteSource& source, std::size_t start, TNetworkFileContent& content) {
  // The trailer is small in every file that has one; a damaged file may make
  // it as long as the rest of the file, which is then read into memory.
  const std::vector<std::uint8_t> bytes = Copy(source, start, source.size() - start);
  ByteReader reader(bytes);
  if (!reader.bytes(sizeof kTrailerMagic)) return kNetworkFileEndsEarly;
  std::vector<std::size_t> roots, explicitKinetics;
  if (const auto damage = ReadIndexList(reader, content.ComponentsInFile, roots); damage != kNetworkFileRead)
    return damage;
  if (const auto damage = ReadIndexList(reader, content.ReactionsInFile, explicitKinetics); damage != kNetworkFileRead)
    return damage;
  const std::size_t length = reader.position();
  const auto footer = reader.bytes(kFooterBytes);
  if (!footer) return kNetworkFileEndsEarly;
  if (reader.remaining() != 0 || U32(footer->first(4)) != length) return kNetworkFileBadTrailer;
  // The marks are kept even when the checksum fails: a damaged file opens
  // with as much of its meaning as could be read.
  for (std::size_t r : explicitKinetics)
    if (r < content.Reactions.size()) content.Reactions[r]->ExplicitKinetics = true;
  content.Roots = std::move(roots);
  return U32(footer->subspan(4)) == Crc32(source, source.size() - 4) ? kNetworkFileRead : kNetworkFileChecksumMismatch;
}

// What follows the last record (at `position`) when no trailer was found from
// the end: nothing (a file of the plain format), or what is left of a trailer
// whose end does not check out (cut short, or a changed footer); any other
// bytes mean the counts are wrong.
std::uint16_t ReadWhatFollows(TByteSource& source, std::size_t position, TNetworkFileContent& content) {
  const std::size_t remaining = source.size() - position;
  if (remaining == 0) return kNetworkFileRead;
  const std::vector<std::uint8_t> start = Copy(source, position, std::min(remaining, sizeof kTrailerMagic));
  if (!std::equal(start.begin(), start.end(), kTrailerMagic)) return kNetworkFileTrailingBytes;
  const std::uint16_t damage = ReadTrailer(source, position, content);
  // Found only from the front, a trailer never reads whole.
  return damage == kNetworkFileRead ? kNetworkFileBadTrailer : damage;
}

std::string Where(const char* what, std::size_t index) {
  return std::string(what) + " " + std::to_string(index) + ": ";
}

// A component's matrices, one component at a time, expanded without being
// kept by the molecule: checking and writing a large network costs one
// component's matrices, not every component's.
struct TBondGrid {
  TByteMatrix Entries;
  TBoolMatrix Aromatic;

  void Fill(const TMolecule& component) { component.ExpandMatrices(Entries, Aromatic); }
};

TBondGrid& ThreadGrid() {
  thread_local TBondGrid grid;
  return grid;
}

std::string ComponentProblem(const TMolecule& component) {
  const std::size_t n = component.AtomTypes().size();
  if (n == 0) return "a component without atoms cannot be stored in a reaction network file.";
  if (n > kMaxAtoms)
    return "a component holds at most 255 atoms in a reaction network file; it has " + std::to_string(n) + ".";
  if (component.Name.size() > kMaxText)
    return "a component name holds at most 255 bytes in a reaction network file; it has " +
           std::to_string(component.Name.size()) + ".";
  TBondGrid& grid = ThreadGrid();
  grid.Fill(component);
  const std::uint8_t* entries = grid.Entries.data();
  const bool* aromatic = grid.Aromatic.data();
  for (std::size_t k = 0; k < n * n; ++k)
    if (!BondByte(entries[k], aromatic[k]))
      return "the adjacency entry " + std::to_string(entries[k]) + (aromatic[k] ? " marked aromatic" : "") +
             " at (" + std::to_string(k / n) + ", " + std::to_string(k % n) +
             ") cannot be stored in a reaction network file (0 to 4, or 1 for an aromatic bond).";
  return {};
}

std::string ReactionProblem(const TReactionNetwork& network, const TReaction& reaction) {
  if (reaction.Reactants.size() != reaction.ReactantCoefs.size() ||
      reaction.Products.size() != reaction.ProductCoefs.size())
    return "its coefficient lists differ in length from its participants.";
  if (reaction.Reactants.empty() || reaction.Reactants.size() > 2 || reaction.Products.empty() ||
      reaction.Products.size() > 2)
    return "a reaction network file holds one or two reactants and one or two products per reaction; it has " +
           std::to_string(reaction.Reactants.size()) + " and " + std::to_string(reaction.Products.size()) + ".";
  for (const TReactionSide* side : {&reaction.Reactants, &reaction.Products})
    for (const TMolecule* molecule : *side)
      if (network.IndexOfComponent(molecule) < 0) return "it refers to a molecule that is not a network component.";
  // Reactant coefficients are stored as magnitudes and read back negative,
  // product coefficients as they are.
  for (std::int32_t coefficient : reaction.ReactantCoefs)
    if (coefficient > 0 || coefficient < -kMaxCoefficient)
      return "a reactant coefficient must lie between -255 and 0 to be stored; it is " + std::to_string(coefficient) +
             ".";
  for (std::int32_t coefficient : reaction.ProductCoefs)
    if (coefficient < 0 || coefficient > kMaxCoefficient)
      return "a product coefficient must lie between 0 and 255 to be stored; it is " + std::to_string(coefficient) +
             ".";
  if (reaction.ReactionType < 0 || reaction.ReactionType > kMaxReactionType)
    return "its class code " + std::to_string(reaction.ReactionType) + " does not fit in one byte.";
  if (!std::isfinite(reaction.ActEnergy) || !std::isfinite(reaction.FreqFactor))
    return "its activation energy and frequency factor must be finite numbers.";
  if (MassBalance(reaction) == TMassBalance::Unbalanced) return "its participants do not balance in mass.";
  if (reaction.FreqFact2.size() > kMaxRecipe || reaction.ActEnerg2.size() > kMaxRecipe)
    return "a recipe holds at most 15 parameters in a reaction network file; its recipes have " +
           std::to_string(reaction.FreqFact2.size()) + " and " + std::to_string(reaction.ActEnerg2.size()) + ".";
  return {};
}

std::uint32_t ComponentIndex(const TReactionNetwork& network, const TMolecule* molecule) {
  return static_cast<std::uint32_t>(network.IndexOfComponent(molecule));
}

}  // namespace

namespace {

TResult<TNetworkFileContent> Parse(TByteSource& source, const TNetworkFileControl& control = {}) {
  TNetworkFileContent content;
  const std::optional<std::size_t> trailer = LocateTrailer(source);
  // With a trailer, the records must fit before it.
  TSourceReader reader(source, trailer ? *trailer : source.size());
  std::size_t componentCount = 0, reactionCount = 0;
  // Without the whole preamble there are no preferences and no records.
  if (const std::uint16_t damage = ReadPreamble(reader, content, componentCount, reactionCount);
      damage != kNetworkFileRead)
    return NetworkFileError(damage);
  content.ComponentsInFile = componentCount;
  content.ReactionsInFile = reactionCount;
  bool stopped = false;
  content.Damage = ReadRecords(reader, content, componentCount, reactionCount, control, stopped);
  if (stopped) return TError{TErrorCode::Refused, kNetworkLoadCancelled};
  if (content.Damage != kNetworkFileRead) return content;
  if (!trailer) {
    content.Damage = ReadWhatFollows(source, reader.position(), content);
    return content;
  }
  content.Damage = reader.remaining() == 0 ? ReadTrailer(source, *trailer, content) : kNetworkFileTrailingBytes;
  return content;
}

// A file whose preamble does not read leaves the network as it was rather
// than half replaced.
TNetworkLoadReport Load(TNetworkFileContent& content, TReactionNetwork& network) {
  TNetworkLoadReport report{.Damage = content.Damage,
                            .Note = std::move(content.Note),
                            .ComponentsRead = content.Components.size(),
                            .ComponentsInFile = content.ComponentsInFile,
                            .ReactionsRead = content.Reactions.size(),
                            .ReactionsInFile = content.ReactionsInFile};
  // The after-filter selectivities that ReplaceContent computes use the
  // file's normalised temperature, so the preferences go in first.
  network.SetPreferences(content.Preferences);
  network.ReplaceContent(std::move(content.Components), std::move(content.Reactions),
                         content.Roots ? &*content.Roots : nullptr);
  return report;
}

}  // namespace

TResult<TNetworkFileContent> ParseNetworkFile(std::span<const std::uint8_t> bytes) {
  TSpanSource source(bytes);
  return Parse(source);
}

TResult<TNetworkLoadReport> LoadNetwork(std::span<const std::uint8_t> bytes, TReactionNetwork& network) {
  auto parsed = ParseNetworkFile(bytes);
  if (!parsed) return parsed.error();
  return Load(parsed.value(), network);
}

TResult<TNetworkLoadReport> LoadNetworkFile(const std::string& fileName, TReactionNetwork& network,
                                            const TNetworkFileControl& control) {
  // Read block by block: the file is never in memory whole, only the network
  // it makes.
  std::error_code ec;
  if (std::filesystem::is_directory(fileName, ec)) return TError{TErrorCode::FileSystem, ErrnoText(EISDIR)};
  errno = 0;
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (!file) return TError{TErrorCode::FileSystem, ErrnoText(errno != 0 ? errno : EIO)};
  const auto size = std::filesystem::file_size(fileName, ec);
  if (ec) {
    std::fclose(file);
    return TError{TErrorCode::FileSystem, ec.message()};
  }
  TFileSource source(file, static_cast<std::size_t>(size));
  auto parsed = Parse(source, control);
  if (source.failure() != 0) return TError{TErrorCode::FileSystem, ErrnoText(source.failure())};
  if (!parsed) return parsed.error();
  return Load(parsed.value(), network);
}

TResult<> CheckNetworkFileLimits(const TReactionNetwork& network, const std::string& note) {
  auto refused = [](std::string why) { return TError{TErrorCode::FileFormat, std::move(why)}; };
  if (note.size() > kMaxText)
    return refused("The note of a reaction network file holds at most 255 bytes; this note has " +
                   std::to_string(note.size()) + ".");
  const TNetworkPreferences& p = network.GetPreferences();
  for (double value : {p.NormTemperature, p.EThresholdBetaScission, p.EThresholdHTransfer, p.EThresholdAllyl,
                       p.MinSelectivity})
    if (!std::isfinite(value)) return refused("The preferences of a reaction network file must be finite numbers.");
  if (network.ComponentCount() > kNetworkFileMaxCount)
    return refused("A reaction network file holds at most 16777215 components; this network has " +
                   std::to_string(network.ComponentCount()) + ".");
  if (network.ReactionCount() > kNetworkFileMaxCount)
    return refused("A reaction network file holds at most 16777215 reactions; this network has " +
                   std::to_string(network.ReactionCount()) + ".");
  for (std::size_t i = 0; i < network.ComponentCount(); ++i)
    if (std::string problem = ComponentProblem(*network.Component(i)); !problem.empty())
      return refused(Where("Component", i) + problem);
  for (std::size_t r = 0; r < network.ReactionCount(); ++r)
    if (std::string problem = ReactionProblem(network, *network.Reaction(r)); !problem.empty())
      return refused(Where("Reaction", r) + problem);
  return {};
}

namespace {

// Hands the file to a sink record by record, keeping the CRC-32 of every
// byte written for the trailer's footer.
class TRecordWriter {
 public:
  explicit TRecordWriter(TByteSink& sink) : m_sink(sink) {}
  /// The buffer of the record being made.
  ByteWriter& record() { return m_record; }
  /// Hands the record over and starts the next.
  void endRecord() {
    const std::vector<std::uint8_t>& bytes = m_record.data();
    m_checksum = crc32(m_checksum, bytes.data(), static_cast<uInt>(bytes.size()));
    m_sink.Write(bytes);
    m_record.clear();
  }
  std::uint32_t checksum() const { return static_cast<std::uint32_t>(m_checksum); }

 private:
  TByteSink& m_sink;
  ByteWriter m_record;
  uLong m_checksum = crc32(0L, Z_NULL, 0);
};

void WriteComponent(ByteWriter& writer, const TMolecule& component) {
  const std::size_t n = component.AtomTypes().size();
  writer.byte(static_cast<std::uint8_t>(n));
  writer.byte(static_cast<std::uint8_t>(component.Name.size()));
  writer.text(component.Name);
  writer.bytes(component.AtomTypes());
  TBondGrid& grid = ThreadGrid();
  grid.Fill(component);
  for (std::size_t k = 0; k < n * n; ++k) writer.byte(*BondByte(grid.Entries.data()[k], grid.Aromatic.data()[k]));
}

void WriteReaction(ByteWriter& writer, const TReactionNetwork& network, const TReaction& reaction) {
  const bool twoReactants = reaction.Reactants.size() == 2;
  const bool twoProducts = reaction.Products.size() == 2;
  PutU24(writer, ComponentIndex(network, reaction.Reactants[0]));
  PutU24(writer, twoReactants ? ComponentIndex(network, reaction.Reactants[1]) : kNetworkFileNoComponent);
  PutU24(writer, ComponentIndex(network, reaction.Products[0]));
  PutU24(writer, twoProducts ? ComponentIndex(network, reaction.Products[1]) : kNetworkFileNoComponent);
  writer.byte(static_cast<std::uint8_t>(-reaction.ReactantCoefs[0]));
  writer.byte(twoReactants ? static_cast<std::uint8_t>(-reaction.ReactantCoefs[1]) : 0);
  writer.byte(static_cast<std::uint8_t>(reaction.ProductCoefs[0]));
  writer.byte(twoProducts ? static_cast<std::uint8_t>(reaction.ProductCoefs[1]) : 0);
  writer.byte(static_cast<std::uint8_t>(reaction.ReactionType));
  PutReal(writer, reaction.ActEnergy);
  PutReal(writer, reaction.FreqFactor);
  writer.byte(reaction.MultiplyByActiveRadicals ? 1 : 0);
  writer.byte(static_cast<std::uint8_t>(reaction.FreqFact2.size() + 16 * reaction.ActEnerg2.size()));
  writer.text(reaction.FreqFact2);
  writer.text(reaction.ActEnerg2);
}

void WriteTrailer(TRecordWriter& out, const TReactionNetwork& network) {
  ByteWriter& writer = out.record();
  writer.bytes(kTrailerMagic);
  const std::vector<std::size_t> roots = network.RootIndices();
  PutU24(writer, static_cast<std::uint32_t>(roots.size()));
  for (std::size_t root : roots) PutU24(writer, static_cast<std::uint32_t>(root));
  std::vector<std::size_t> explicitKinetics;
  for (std::size_t r = 0; r < network.ReactionCount(); ++r)
    if (network.Reaction(r)->ExplicitKinetics) explicitKinetics.push_back(r);
  PutU24(writer, static_cast<std::uint32_t>(explicitKinetics.size()));
  for (std::size_t r : explicitKinetics) PutU24(writer, static_cast<std::uint32_t>(r));
  const auto length = static_cast<std::uint32_t>(sizeof kTrailerMagic + 3 * (2 + roots.size() + explicitKinetics.size()));
  for (int shift = 24; shift >= 0; shift -= 8) writer.byte(static_cast<std::uint8_t>(length >> shift));
  out.endRecord();
  const std::uint32_t checksum = out.checksum();
  for (int shift = 24; shift >= 0; shift -= 8) writer.byte(static_cast<std::uint8_t>(checksum >> shift));
  out.endRecord();
}

// The whole file, record by record, for a network that passed
// CheckNetworkFileLimits; false when stopped on the way.
bool WriteNetworkRecords(const TReactionNetwork& network, const std::string& note, TNetworkFileTrailer trailer,
                         TByteSink& sink, const TNetworkFileControl& control = {}) {
  TWorkCounter counter(control, network.ComponentCount() + network.ReactionCount());
  auto onward = [&counter] { return counter.Step(); };
  TRecordWriter out(sink);
  ByteWriter& writer = out.record();
  writer.byte(kMagic[0]);
  writer.byte(kMagic[1]);
  writer.byte(kVersion);
  PutU24(writer, static_cast<std::uint32_t>(network.ComponentCount()));
  PutU24(writer, static_cast<std::uint32_t>(network.ReactionCount()));
  writer.byte(static_cast<std::uint8_t>(note.size()));
  writer.text(note);
  const TNetworkPreferences& preferences = network.GetPreferences();
  for (double value : {preferences.NormTemperature, preferences.EThresholdBetaScission,
                       preferences.EThresholdHTransfer, preferences.EThresholdAllyl, preferences.MinSelectivity})
    PutReal(writer, value);
  out.endRecord();
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    WriteComponent(writer, *network.Component(i));
    out.endRecord();
    if (!onward()) return false;
  }
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) {
    WriteReaction(writer, network, *network.Reaction(r));
    out.endRecord();
    if (!onward()) return false;
  }
  if (trailer == TNetworkFileTrailer::With) WriteTrailer(out, network);
  counter.Finish();
  return true;
}

}  // namespace

TResult<std::vector<std::uint8_t>> EncodeNetworkFile(const TReactionNetwork& network, const std::string& note,
                                                     TNetworkFileTrailer trailer) {
  if (const auto fits = CheckNetworkFileLimits(network, note); !fits) return fits.error();
  TVectorSink sink;
  WriteNetworkRecords(network, note, trailer, sink);
  return std::move(sink.Bytes());
}

TResult<> WriteNetworkFile(const TReactionNetwork& network, const std::string& note, const std::string& fileName,
                           TNetworkFileTrailer trailer, const TNetworkFileControl& control) {
  if (const auto fits = CheckNetworkFileLimits(network, note); !fits) return fits.error();
  return WriteFileStreaming(fileName, [&](TByteSink& sink) -> TResult<> {
    if (!WriteNetworkRecords(network, note, trailer, sink, control))
      return TError{TErrorCode::Refused, kNetworkWriteCancelled};
    return {};
  });
}

std::string NetworkFileDamageMessage(std::uint16_t damage) {
  return damage == kNetworkFileRead ? std::string() : std::string(kNetworkFileDamagedMessage);
}

std::string NetworkFileDamageReason(std::uint16_t damage) {
  switch (damage) {
    case kNetworkFileRead: return "The whole reaction network file was read.";
    case kNotANetworkFile: return "The file is not a reaction network file.";
    case kNetworkFileUnknownVersion: return "The reaction network file has an unknown format version.";
    case kNetworkFileBadBond:
      return "A component of the reaction network file has a bond byte above 5, or above 4 on its diagonal.";
    case kNetworkFileBadFlag: return "A reaction of the reaction network file has a flag byte other than 0 and 1.";
    case kNetworkFileEndsEarly: return "The reaction network file ends before its last record.";
    case kNetworkFileBadComponentIndex:
      return "A reaction of the reaction network file refers to a component the file does not hold.";
    case kNetworkFileBadComponent:
      return "A component of the reaction network file has no atoms or bonds that do not agree both ways.";
    case kNetworkFileUnbalancedReaction:
      return "A reaction of the reaction network file does not balance in mass.";
    case kNetworkFileTrailingBytes: return "The reaction network file has bytes after its last record.";
    case kNetworkFileBadNumber:
      return "A preference or kinetic parameter of the reaction network file is not a finite number.";
    case kNetworkFileBadTrailer:
      return "The trailer of the reaction network file does not check out: it names a component or reaction the "
             "file does not hold, or its length or its end is wrong.";
    case kNetworkFileChecksumMismatch:
      return "The reaction network file does not match its checksum: it was changed or damaged after it was "
             "written.";
    default: return "Unknown damage code of a reaction network file: " + std::to_string(damage) + ".";
  }
}

TError NetworkFileError(std::uint16_t damage) { return FileFormatError(damage, NetworkFileDamageReason(damage)); }

}  // namespace korvane
