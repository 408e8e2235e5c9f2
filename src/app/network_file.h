#pragma once
/// Reaction network files (".rnw"): the network's preferences, a free-text
/// note, every component as a molecular graph and every reaction with its
/// component references, coefficients, class, kinetic parameters, flag and
/// recipes. Nothing derived is stored: loading relinks the network and
/// recomputes the after-filter selectivities; the projecting selectivity
/// reads back as 0.
///
/// Layout (no padding; u24 = 3 bytes, most significant first; real = IEEE
/// 754 double, least significant byte first):
///   48 05 01 | C u24 | R u24 | N byte | note N bytes | 5 reals: T,
///   E thresholds beta-scission, H transfer, allyl, minimum selectivity |
///   C component records | R reaction records.
/// Component record: n byte | L byte | name L | n atom types |
///   n x n bond bytes row by row (0..4 the adjacency entry, 5 an aromatic
///   bond of order 1; the diagonal holds unpaired electrons).
/// Reaction record (35 bytes + recipes): A, B, C, D component indices u24
///   (B and D FF FF FF when absent) | |coef A|, |coef B|, coef C, coef D
///   bytes (0 for an absent B or D) | class byte | E real [kJ/mol] |
///   A real | flag byte (MultiplyByActiveRadicals) | F + 16 G byte |
///   FreqFact2 F bytes | ActEnerg2 G bytes.
///
/// Korvane appends a trailer after the last reaction record, which readers
/// of the plain format never reach (they stop after R reactions):
///   "KRVNTRL" 01 | K u24 | K root component indices u24 |
///   X u24 | X indices u24 of the reactions whose explicit E and A are
///   their kinetics (ExplicitKinetics) | the trailer's length so far, u32 |
///   CRC-32 (zlib) of every byte before it, 4 bytes.
/// (u32 most significant byte first.) The reader finds the trailer from the
/// end of the file, so the checksum covers any change and the records must
/// end where the trailer begins. A file without a trailer reads as before
/// (roots by the loading rule); any other byte after the last record, a
/// trailer that does not check out or a checksum that does not match the
/// bytes is damage.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/molecule.h"
#include "core/result.h"
#include "core/work_control.h"
#include "reactions/reaction.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// Damage codes of the network file reader: the Damage of its errors and
/// of the report of a damaged file read in part.
inline constexpr std::uint16_t kNetworkFileRead = 0;
/// The magic bytes are not 48 05.
inline constexpr std::uint16_t kNotANetworkFile = 1;
/// The version byte is not 1.
inline constexpr std::uint16_t kNetworkFileUnknownVersion = 2;
/// A bond byte above 5, or above 4 on the diagonal (unpaired electrons).
inline constexpr std::uint16_t kNetworkFileBadBond = 3;
/// A reaction flag byte other than 0 and 1.
inline constexpr std::uint16_t kNetworkFileBadFlag = 4;
/// The file ends before its last record.
inline constexpr std::uint16_t kNetworkFileEndsEarly = 5;
/// A reaction names a component index at or beyond the component count.
inline constexpr std::uint16_t kNetworkFileBadComponentIndex = 6;
/// A component record without atoms, or whose bond bytes do not describe a
/// structure (a bond that does not read the same both ways).
inline constexpr std::uint16_t kNetworkFileBadComponent = 7;
/// A reaction whose participants do not balance in mass (beyond the
/// manual reaction check's tolerance of 1e-4).
inline constexpr std::uint16_t kNetworkFileUnbalancedReaction = 8;
/// Bytes follow the last record.
inline constexpr std::uint16_t kNetworkFileTrailingBytes = 9;
/// A preference, activation energy or frequency factor is not a finite number.
inline constexpr std::uint16_t kNetworkFileBadNumber = 10;
/// The trailer names a component or reaction the file does not hold, its
/// length is not its length, or bytes follow its checksum.
inline constexpr std::uint16_t kNetworkFileBadTrailer = 11;
/// The bytes do not match the checksum of the trailer: the file changed
/// after it was written.
inline constexpr std::uint16_t kNetworkFileChecksumMismatch = 12;
/// The highest damage code.
inline constexpr std::uint16_t kNetworkFileLastDamage = kNetworkFileChecksumMismatch;

/// Largest count, and largest component index plus one, a u24 holds.
inline constexpr std::size_t kNetworkFileMaxCount = 0xFFFFFF;
/// Component index marking an absent second reactant or product.
inline constexpr std::uint32_t kNetworkFileNoComponent = 0xFFFFFF;

/// What the windows show for any damage code other than 0.
inline constexpr const char* kNetworkFileDamagedMessage = "ERROR When reading file. Data may be damaged.";

/// The decoded content of a network file whose header, counts, note and
/// preferences were all read, before it enters a network.
struct TNetworkFileContent {
  /// 0 when every record read; else the first fault, after which nothing
  /// more was read.
  std::uint16_t Damage = kNetworkFileRead;
  std::string Note;
  TNetworkPreferences Preferences;
  /// The complete component records read before any fault; the k-th has ID k.
  std::vector<std::unique_ptr<TMolecule>> Components;
  /// The complete reaction records read before any fault; they refer to
  /// `Components` only. The trailer's explicit-kinetics marks are set.
  std::vector<std::unique_ptr<TReaction>> Reactions;
  /// The counts the file announces.
  std::size_t ComponentsInFile = 0;
  std::size_t ReactionsInFile = 0;
  /// The trailer's root component indices; none when the file has no
  /// trailer or it did not read.
  std::optional<std::vector<std::size_t>> Roots;
};

/// Decodes the bytes of a network file; never reads past them. Stops at the
/// first fault and keeps only the complete records read before it. The
/// error of NetworkFileError when not even the header, counts, note and
/// preferences read (wrong magic or version, too short).
TResult<TNetworkFileContent> ParseNetworkFile(std::span<const std::uint8_t> bytes);

/// What a load read: the damage code (0 when the whole file read), the
/// note, and what was read of what the file announces.
struct TNetworkLoadReport {
  std::uint16_t Damage = kNetworkFileRead;
  std::string Note;
  std::size_t ComponentsRead = 0, ComponentsInFile = 0;
  std::size_t ReactionsRead = 0, ReactionsInFile = 0;
};

/// The network's load operation over the bytes of a file. When the header,
/// counts, note and preferences were read whole, the file's preferences and
/// records replace the network's (ReplaceContent: the hydrogen atom, inert
/// flags and roots are restored, the roots from the trailer when it read,
/// links and after-filter selectivities rebuilt), even when a later record
/// is damaged, and the report says what was read; otherwise the network
/// keeps its content and preferences and the error is ParseNetworkFile's.
TResult<TNetworkLoadReport> LoadNetwork(std::span<const std::uint8_t> bytes, TReactionNetwork& network);

/// How a long read or write reports and ends early; its records are the
/// components and reactions.
using TNetworkFileControl = TWorkControl;

inline constexpr const char* kNetworkWriteCancelled = "The save was cancelled; the file was not changed.";
inline constexpr const char* kNetworkLoadCancelled = "The loading was cancelled.";

/// Reads the file block by block and loads it (LoadNetwork). A missing or
/// unreadable file is a FileSystem error (the system's reason), a stopped
/// read Refused with kNetworkLoadCancelled; both leave the network as it
/// was.
TResult<TNetworkLoadReport> LoadNetworkFile(const std::string& fileName, TReactionNetwork& network,
                                            const TNetworkFileControl& control = {});

/// A FileFormat error (Damage 0) saying why the network and note cannot be
/// written so that they read back the same (a string over 255 bytes, a bond
/// the bond bytes cannot express, a reaction the record cannot hold, ...).
TResult<> CheckNetworkFileLimits(const TReactionNetwork& network, const std::string& note);

/// Whether a written file ends with Korvane's trailer. Without it the file
/// holds exactly the plain format (what other readers and writers of the
/// format make of the same network), but forgets roots and explicit
/// kinetics and cannot reveal damage.
enum class TNetworkFileTrailer { With, Without };

/// The bytes of the network file, or the error of CheckNetworkFileLimits.
TResult<std::vector<std::uint8_t>> EncodeNetworkFile(const TReactionNetwork& network, const std::string& note,
                                                     TNetworkFileTrailer trailer = TNetworkFileTrailer::With);


/// Writes the network file record by record, replacing any previous file
/// only once the new one is complete. The error of CheckNetworkFileLimits
/// (target untouched) for data the format cannot hold, a FileSystem error
/// naming the file when it cannot be written, Refused with
/// kNetworkWriteCancelled when stopped (target untouched).
TResult<> WriteNetworkFile(const TReactionNetwork& network, const std::string& note, const std::string& fileName,
                           TNetworkFileTrailer trailer = TNetworkFileTrailer::With,
                           const TNetworkFileControl& control = {});

/// The windows' message for a damage code: empty for 0, else
/// kNetworkFileDamagedMessage.
std::string NetworkFileDamageMessage(std::uint16_t damage);

/// What a damage code means, for the batch tool.
std::string NetworkFileDamageReason(std::uint16_t damage);

/// The reader's error for a damage code other than 0: FileFormat, the code
/// as Damage and NetworkFileDamageReason as the message.
TError NetworkFileError(std::uint16_t damage);

}  // namespace korvane
