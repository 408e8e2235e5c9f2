#include "app/network_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "../database/database_test_support.h"
#include "add_reaction.h"
#include "molecule_builder.h"
#include "network_checks.h"
#include "reactions/mass_balance.h"

namespace korvane {
namespace {

using namespace testing;
using Bytes = std::vector<std::uint8_t>;

const std::string kEthaneNote = "ethane primary network";

Bytes Reference() { return FileBytes(ReferencePath("networks/ethane.rnw")); }

TMolecule* Add(TReactionNetwork& network, const std::string& description, bool isRoot = false) {
  auto m = MoleculeFrom(description);
  return network.AddComponent(m->AdjacencyMatrix(), m->AtomTypes(), m->AromaticMatrix(), isRoot);
}

// Built-ins, ethane (4), ethyl (5), H2 (6), benzene (7, a root); a reaction of
// one reactant taken -2, one of two reactants, one of class 10 without recipes.
void FillSmallNetwork(TReactionNetwork& network) {
  Add(network, LinearAlkane(2));
  Add(network, "C. C; 0-1");
  Add(network, "H H; 0-1");
  Add(network, "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", true)->Name = "benzene";
  AddReaction(network, kHydrogenTransfer, {{4, -2}, {0, 2}, {5, 2}}, true, {2}, {0x13, 0, 0x1f}, 225.0, 3.5775e21);
  AddReaction(network, kRecombination, {{0, -1}, {0, -1}, {6, 1}}, false, {0x03}, {0x19}, 0.0, 1.0e14);
  AddReaction(network, kOtherReaction, {{5, -1}, {0, -1}, {4, 1}}, false, {}, {}, 300.0, 1.0e13);
  network.AfterFilterSelectivity();
}

void ZeroProjectingSelectivities(TReactionNetwork& network) {
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) network.Reaction(r)->Selectivity = 0.0;
}

const TNetworkPreferences kOtherPreferences{.NormTemperature = 900.0, .MinSelectivity = 0.02};

// The damage a read ends with: its report's, or its error's when nothing usable was read.
template <class Read>
std::uint16_t DamageOf(const Read& read) {
  return read ? read->Damage : read.error().Damage;
}

TEST(NetworkFile, ReferenceEthaneNetworkReadsWritesBackAndEqualsTheGeneratedOne) {
  const Bytes reference = Reference();
  TReactionNetwork network(kOtherPreferences);
  const auto loaded = LoadNetworkFile(ReferencePath("networks/ethane.rnw"), network);
  ASSERT_EQ(DamageOf(loaded), kNetworkFileRead);
  const TNetworkLoadReport& result = loaded.value();
  EXPECT_EQ(result.Note, kEthaneNote);
  EXPECT_EQ(network.GetPreferences(), TNetworkPreferences{});
  ASSERT_EQ(network.ComponentCount(), 8u);
  ASSERT_EQ(network.ReactionCount(), 3u);
  const char* formulas[] = {"H1", "He1", "N2", "H2O1", "H6C2", "H5C2", "H4C2", "H2"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(network.Component(i)->Formula(), formulas[i]) << i;
  EXPECT_EQ(network.Roots(), (TMoleculeVector{network.Component(1), network.Component(4)}));
  const TReaction& transfer = *network.Reaction(0);
  EXPECT_EQ(transfer.ReactantCoefs, TIntVector{-6});
  EXPECT_TRUE(transfer.ReactionType == kHydrogenTransfer && transfer.MultiplyByActiveRadicals);
  EXPECT_TRUE(transfer.ActEnergy == 225.0 && transfer.FreqFactor == 3.5775e21);
  EXPECT_EQ(transfer.FreqFact2 + transfer.ActEnerg2 + network.Reaction(1)->FreqFact2, std::string("\x02\x13\0", 3));
  // No projecting selectivity is stored; the after-filter ones are recomputed (the
  // hydrogen atom's consumed-in list holds the recombination twice).
  const double afterFilter[] = {1.0, 1.0, 0.5};
  for (std::size_t r = 0; r < 3; ++r) {
    EXPECT_EQ(network.Reaction(r)->Selectivity, 0.0);
    EXPECT_DOUBLE_EQ(network.Reaction(r)->SelectivityAfterFilter, afterFilter[r]);
  }
  EXPECT_EQ(CheckNetwork(network), "");

  // Without the trailer the file is the reference byte for byte; with it,
  // the reference is followed by the trailer, which a reader of the plain
  // format never reaches: helium and ethane as roots, no explicit kinetics,
  // the checksum of the bytes before.
  ScratchDir dir;
  ASSERT_TRUE(WriteNetworkFile(network, result.Note, dir.file("ethane.rnw"), TNetworkFileTrailer::Without));
  EXPECT_EQ(FileBytes(dir.file("ethane.rnw")), reference);
  ASSERT_TRUE(WriteNetworkFile(network, result.Note, dir.file("trailer.rnw")));
  const Bytes withTrailer = FileBytes(dir.file("trailer.rnw"));
  ASSERT_EQ(withTrailer.size(), reference.size() + 8 + 3 + 2 * 3 + 3 + 4 + 4);
  EXPECT_TRUE(std::equal(reference.begin(), reference.end(), withTrailer.begin()));
  const Bytes trailer(withTrailer.begin() + static_cast<std::ptrdiff_t>(reference.size()), withTrailer.end() - 4);
  EXPECT_EQ(trailer, (Bytes{'K', 'R', 'V', 'N', 'T', 'R', 'L', 1, 0, 0, 2, 0, 0, 1, 0, 0, 4, 0, 0, 0, 0, 0, 0, 20}));

  TReactionNetwork generated;
  AddFeed(generated, LinearAlkane(2));
  generated.Generate();
  ZeroProjectingSelectivities(generated);
  EXPECT_EQ(CompareNetworks(generated, network), "");
  EXPECT_EQ(EncodeNetworkFile(generated, kEthaneNote, TNetworkFileTrailer::Without).value(), reference);
  EXPECT_EQ(EncodeNetworkFile(generated, kEthaneNote).value(), withTrailer);
}

// An empty network, the small one (aromatic bonds, a coefficient -2, a class
// without recipes) and generated ones read back equal, preferences and note
// included. A feed that the recombination of its own radical forms again
// (methane, toluene) stays a root; the methane that an n-hexane network forms
// by recombination alone does not become one.
TEST(NetworkFile, NetworksRoundTripWithTheirRootsPreferencesAndNote) {
  std::vector<std::unique_ptr<TReactionNetwork>> networks;
  networks.push_back(std::make_unique<TReactionNetwork>());
  FillSmallNetwork(*networks.emplace_back(std::make_unique<TReactionNetwork>()));
  for (const std::string& feed : {std::string("C"), std::string("C c c c c c c; 0-1 1:2 2:3 3:4 4:5 5:6 6:1"),
                                   LinearAlkane(6)}) {
    auto& network = networks.emplace_back(std::make_unique<TReactionNetwork>(
        TNetworkPreferences{.NormTemperature = 1100.0, .EThresholdBetaScission = 250.0}));
    AddFeed(*network, feed);
    network->Generate();
    ASSERT_EQ(network->Roots().size(), 2u) << feed;  // helium and the feed
  }
  for (auto& network : networks) {
    const std::string note = "note of " + std::to_string(network->ComponentCount());
    const Bytes written = EncodeNetworkFile(*network, note).value();
    TReactionNetwork loaded(kOtherPreferences);
    const auto result = LoadNetwork(written, loaded);
    ASSERT_EQ(DamageOf(result), kNetworkFileRead);
    EXPECT_EQ(result->Note, note);
    // The file keeps no projecting selectivity; the after-filter ones are recomputed.
    ZeroProjectingSelectivities(*network);
    EXPECT_EQ(CompareNetworks(loaded, *network), "") << note;
    EXPECT_EQ(CheckNetwork(loaded), "") << note;
    EXPECT_EQ(EncodeNetworkFile(loaded, note).value(), written);
  }
  // Small network: benzene (component 7) follows records of 10, 10, 14, 20,
  // 80, 64 and 14 bytes; its aromatic bonds are stored as 5, its C-H bonds 1.
  const Bytes small = EncodeNetworkFile(*networks[1], "").value();
  const auto matrix = small.begin() + 50 + 10 + 10 + 14 + 20 + 80 + 64 + 14 + 21;
  EXPECT_EQ(Bytes(matrix, matrix + 12), (Bytes{0, 5, 0, 0, 0, 5, 1, 0, 0, 0, 0, 0}));
}

// A fault in the header, or a cut before the preferences end, is an error
// that keeps the previous content and preferences; a fault in a record keeps
// the file's preamble and the complete records before it, and says so.
TEST(NetworkFile, FaultsKeepThePreviousNetworkOrTheCompleteRecordsBeforeThem) {
  // In the reference the note ends at 32, component 5 (ethyl) starts at 206, reaction r at 334 + 37 r.
  const std::size_t ethylBond = 206 + 8 + 7 + 3, reactions = 334, end = Reference().size();
  const struct {
    std::size_t offset;  // of the patch; the file is cut there when the patch is empty
    Bytes patch;
    std::uint16_t damage;
    std::size_t components, reactions;  // none: the previous network stays
  } cases[] = {
      {0, {0x47}, kNotANetworkFile, 0, 0},
      {1, {0x03}, kNotANetworkFile, 0, 0},  // a database file's kind
      {2, {2}, kNetworkFileUnknownVersion, 0, 0},
      {0, {}, kNetworkFileEndsEarly, 0, 0},
      {71, {}, kNetworkFileEndsEarly, 0, 0},
      {37, {0, 0xf0, 0x7f}, kNetworkFileBadNumber, 0, 0},  // T = infinity
      {ethylBond, {6}, kNetworkFileBadBond, 5, 0},
      {ethylBond - 3, {5}, kNetworkFileBadBond, 5, 0},  // an aromatic mark on the diagonal, at (0, 0)
      {ethylBond, {0}, kNetworkFileBadComponent, 5, 0},  // a C-H bond in one triangle only
      {ethylBond, {5}, kNetworkFileBadComponent, 5, 0},  // aromatic one way only
      {206, {0}, kNetworkFileBadComponent, 5, 0},        // ethyl without atoms
      {reactions + 12, {5}, kNetworkFileUnbalancedReaction, 8, 0},  // 5 C2H6 -> 6 H + 6 C2H5
      {reactions + 22, {0, 0xf8, 0x7f}, kNetworkFileBadNumber, 8, 0},  // E = NaN
      {end, {0}, kNetworkFileTrailingBytes, 8, 3},
      {reactions + 37 + 33, {2}, kNetworkFileBadFlag, 8, 1},
      {reactions + 37 + 2, {8}, kNetworkFileBadComponentIndex, 8, 1},  // A = 8 of 8 components
      {reactions + 37 + 2, {7}, kNetworkFileUnbalancedReaction, 8, 1},  // H2 + H -> H2
      {reactions + 2 * 37 + 8, {8}, kNetworkFileBadComponentIndex, 8, 2},     // C = 8
      {reactions + 2 * 37 + 3, {0xff}, kNetworkFileBadComponentIndex, 8, 2},  // B = FF 00 00 is no mark
      {reactions, {0xff, 0xff, 0xff}, kNetworkFileBadComponentIndex, 8, 0},   // no mark in place A
  };
  for (const auto& c : cases) {
    Bytes bytes = Reference();
    if (c.patch.empty()) bytes.resize(c.offset);
    bytes.resize(std::max(bytes.size(), c.offset + c.patch.size()));
    std::copy(c.patch.begin(), c.patch.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.offset));
    TReactionNetwork network(kOtherPreferences), previous(kOtherPreferences);
    for (TReactionNetwork* each : {&network, &previous}) {
      AddFeed(*each, LinearAlkane(3));
      each->Generate();
    }
    const auto result = LoadNetwork(bytes, network);
    EXPECT_EQ(DamageOf(result), c.damage) << c.offset;
    EXPECT_EQ(NetworkFileDamageMessage(c.damage), "ERROR When reading file. Data may be damaged.");
    if (c.components == 0) {
      ASSERT_FALSE(result) << c.offset;
      EXPECT_EQ(result.error().Code, TErrorCode::FileFormat);
      EXPECT_EQ(result.error().Message, NetworkFileDamageReason(c.damage));
      EXPECT_EQ(CompareNetworks(network, previous), "") << c.offset;  // preferences included
      continue;
    }
    ASSERT_TRUE(result) << c.offset;
    EXPECT_EQ(result->Note, kEthaneNote) << c.offset;
    EXPECT_EQ(network.GetPreferences(), TNetworkPreferences{});
    EXPECT_EQ(network.ComponentCount(), c.components) << c.offset;
    EXPECT_EQ(network.ReactionCount(), c.reactions) << c.offset;
    EXPECT_EQ(CheckNetwork(network, true), "") << c.offset;
  }
  TReactionNetwork network;
  const auto missing = LoadNetworkFile(ReferencePath("networks/missing.rnw"), network);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(missing.error().Message, "No such file or directory");
}

// A damaged copy loads without a crash, with a known damage code, into a
// consistent network; what reads whole holds only balanced reactions and,
// when it can be written, reads back the same. Returns whether it read whole.
bool LoadsConsistently(const Bytes& bytes) {
  TReactionNetwork network;
  const auto result = LoadNetwork(bytes, network);
  EXPECT_LE(DamageOf(result), kNetworkFileLastDamage);
  if (!result) {
    EXPECT_EQ(CompareNetworks(network, TReactionNetwork()), "");
    return false;
  }
  EXPECT_EQ(CheckNetwork(network, true), "");
  if (result->Damage != kNetworkFileRead) return false;
  for (std::size_t r = 0; r < network.ReactionCount(); ++r)
    EXPECT_NE(MassBalance(*network.Reaction(r)), TMassBalance::Unbalanced) << "reaction " << r;
  if (const auto written = EncodeNetworkFile(network, result->Note)) {
    TReactionNetwork again;
    EXPECT_EQ(DamageOf(LoadNetwork(written.value(), again)), kNetworkFileRead);
    EXPECT_EQ(CompareNetworks(again, network), "");
  }
  return true;
}

// Every proper prefix is code 5 (but the one that ends where a trailer
// begins, a whole file of the plain format): before the end of the
// preferences the network is untouched, after it holds the complete records
// up to the cut (a cut in the trailer keeps them all). Changed bytes (the reproducer of
// unbalanced reactions read as whole: every byte of an n-butane network
// inverted in turn) load consistently; of the files Korvane wrote, whose
// trailer holds a checksum, not one changed copy reads whole.
TEST(NetworkFile, DamagedCopiesLoadConsistently) {
  TReactionNetwork small, butane;
  FillSmallNetwork(small);
  AddFeed(butane, LinearAlkane(4));
  butane.Generate();
  const Bytes wholes[] = {Reference(), EncodeNetworkFile(small, "small").value(),
                          EncodeNetworkFile(butane, "n-butane").value()};
  for (const Bytes& whole : wholes) {
    const bool flipsOnly = &whole == &wholes[2];  // the n-butane network is large
    const bool checksummed = &whole != &wholes[0];
    TReactionNetwork full, untouched(kOtherPreferences);
    const auto complete = LoadNetwork(whole, full);
    ASSERT_EQ(DamageOf(complete), kNetworkFileRead);
    const std::size_t preamble = 50 + complete->Note.size();
    std::vector<std::size_t> componentEnds, reactionEnds;
    std::size_t end = preamble;
    for (std::size_t i = 0; i < full.ComponentCount(); ++i) {
      const std::size_t n = full.Component(i)->AtomCount();
      componentEnds.push_back(end += 2 + full.Component(i)->Name.size() + n + n * n);
    }
    for (std::size_t r = 0; r < full.ReactionCount(); ++r)
      reactionEnds.push_back(end += 35 + full.Reaction(r)->FreqFact2.size() + full.Reaction(r)->ActEnerg2.size());
    ASSERT_EQ(checksummed, end < whole.size());
    const auto countBefore = [](const std::vector<std::size_t>& ends, std::size_t cut) {
      return static_cast<std::size_t>(std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin());
    };
    const auto truncated = [&](const Bytes& prefix) {
      const std::size_t cut = prefix.size();
      if (flipsOnly) return;
      TReactionNetwork network(kOtherPreferences);
      // Cut exactly before the trailer, a file is one of the plain format.
      ASSERT_EQ(DamageOf(LoadNetwork(prefix, network)), cut == end ? kNetworkFileRead : kNetworkFileEndsEarly) << cut;
      if (cut < preamble) {
        ASSERT_EQ(CompareNetworks(network, untouched), "") << cut;
        return;
      }
      const std::size_t components = countBefore(componentEnds, cut);
      ASSERT_EQ(network.GetPreferences(), full.GetPreferences()) << cut;
      ASSERT_EQ(network.ComponentCount(), std::max<std::size_t>(components, 1)) << cut;  // H appended to none
      ASSERT_EQ(network.ReactionCount(), countBefore(reactionEnds, cut)) << cut;
      for (std::size_t i = 0; i < components; ++i)
        ASSERT_EQ(network.Component(i)->AdjacencyMatrix(), full.Component(i)->AdjacencyMatrix()) << cut;
      ASSERT_EQ(CheckNetwork(network), "") << cut;
    };
    const DamageTally tally = FeedDamagedCopies(whole, flipsOnly ? 0 : 1500, 50, truncated, LoadsConsistently);
    if (checksummed) {
      EXPECT_EQ(tally.ReadWhole, 0);
    } else {
      EXPECT_GT(tally.ReadWhole, 100);
      EXPECT_LT(tally.ReadWhole, tally.Changed - 100);
    }
  }
}

// The trailer keeps which components are feeds: propene, drawn beside
// n-hexane, is also formed by n-hexane's reactions, so the loading rule
// alone (a plain file) takes it for a product, and removing n-hexane then
// takes propene with it. With the trailer the loaded network behaves as the
// one saved. Explicit kinetics set by hand travel in the trailer too.
// A file is read and written block by block; n-dodecane's file (1.1 MB)
// spans two blocks, so records cross a block's end. Its write reports
// progress and can be stopped, and so can its read; whole or damaged, it
// loads from the disk as from memory.
TEST(NetworkFile, FilesStreamBlockByBlockAsTheyDoFromMemory) {
  TReactionNetwork network;
  AddFeed(network, LinearAlkane(12));
  network.Generate();
  ScratchDir dir;
  std::vector<std::pair<std::size_t, std::size_t>> reports;
  const TNetworkFileControl reporting{nullptr, [&](std::size_t done, std::size_t total) {
                                         reports.emplace_back(done, total);
                                       }};
  ASSERT_TRUE(WriteNetworkFile(network, "dodecane", dir.file("whole.rnw"), TNetworkFileTrailer::With, reporting));
  const Bytes whole = FileBytes(dir.file("whole.rnw"));
  ASSERT_GT(whole.size(), std::size_t{1} << 20);
  ASSERT_EQ(whole, EncodeNetworkFile(network, "dodecane").value());
  const std::size_t records = network.ComponentCount() + network.ReactionCount();
  ASSERT_GE(reports.size(), 2u);
  EXPECT_LT(reports.front().first, records);
  EXPECT_EQ(reports.back(), std::pair(records, records));

  // Stopped, a write leaves the previous file as it was.
  const std::atomic<bool> stop{true};
  const auto cancelled = WriteNetworkFile(network, "other note", dir.file("whole.rnw"), TNetworkFileTrailer::With,
                                          TNetworkFileControl{&stop, nullptr});
  ASSERT_FALSE(cancelled);
  EXPECT_EQ(cancelled.error().Message, kNetworkWriteCancelled);
  EXPECT_EQ(FileBytes(dir.file("whole.rnw")), whole);
  // So does a read: the network it would have replaced stays as it was.
  TReactionNetwork untouched;
  const auto stopped = LoadNetworkFile(dir.file("whole.rnw"), untouched, TNetworkFileControl{&stop, nullptr});
  ASSERT_FALSE(stopped);
  EXPECT_EQ(stopped.error().Message, kNetworkLoadCancelled);
  EXPECT_EQ(untouched.ComponentCount(), TReactionNetwork().ComponentCount());

  Bytes damaged = whole;
  damaged[(std::size_t{1} << 20) + 7] ^= 0x40;
  std::ofstream(dir.file("damaged.rnw"), std::ios::binary)
      .write(reinterpret_cast<const char*>(damaged.data()), static_cast<std::streamsize>(damaged.size()));
  for (const auto& [name, bytes] : {std::pair{"whole.rnw", whole}, std::pair{"damaged.rnw", damaged}}) {
    TReactionNetwork fromFile, fromMemory;
    const auto file = LoadNetworkFile(dir.file(name), fromFile);
    const auto memory = LoadNetwork(bytes, fromMemory);
    ASSERT_TRUE(file && memory) << name;
    EXPECT_EQ(file->Damage, memory->Damage) << name;
    EXPECT_EQ(file->Damage == kNetworkFileRead, std::string(name) == "whole.rnw") << name;
    EXPECT_EQ(file->ComponentsRead, memory->ComponentsRead) << name;
    EXPECT_EQ(EncodeNetworkFile(fromFile, "").value(), EncodeNetworkFile(fromMemory, "").value()) << name;
  }
}

TEST(NetworkFile, TrailerKeepsFeedsAndExplicitKinetics) {
  TReactionNetwork saved;
  AddFeed(saved, LinearAlkane(6));
  TMolecule* propene = AddFeed(saved, "C C C; 0-1 1=2");
  saved.Generate();
  ASSERT_FALSE(propene->ReactionLinks[kFormedIn].empty());
  TReaction& transfer = *saved.Reaction(0);
  ASSERT_EQ(transfer.ReactionType, kHydrogenTransfer);
  transfer.ExplicitKinetics = true;
  transfer.ActEnergy = 230.0;
  saved.AfterFilterSelectivity();
  ZeroProjectingSelectivities(saved);

  TReactionNetwork loaded, plain;
  ASSERT_EQ(DamageOf(LoadNetwork(EncodeNetworkFile(saved, "").value(), loaded)), kNetworkFileRead);
  ASSERT_EQ(DamageOf(LoadNetwork(EncodeNetworkFile(saved, "", TNetworkFileTrailer::Without).value(), plain)),
            kNetworkFileRead);
  EXPECT_EQ(CompareNetworks(loaded, saved), "");
  EXPECT_EQ(loaded.RootIndices(), saved.RootIndices());
  EXPECT_FALSE(plain.IsRoot(plain.Component(static_cast<std::size_t>(propene->ID))));
  EXPECT_FALSE(plain.Reaction(0)->ExplicitKinetics);

  const std::size_t hexane = 4;
  for (TReactionNetwork* network : {&saved, &loaded, &plain}) network->RemoveComponent(hexane);
  EXPECT_EQ(CompareNetworks(loaded, saved), "");
  EXPECT_GE(saved.FindComponent(*MoleculeFrom("C C C; 0-1 1=2")), 0);
  EXPECT_LT(plain.FindComponent(*MoleculeFrom("C C C; 0-1 1=2")), 0);
  EXPECT_GT(saved.ComponentCount(), plain.ComponentCount());
}

// Faults in and around the trailer of a written ethane file: each names its
// damage and keeps the records, which all precede it.
TEST(NetworkFile, TrailerFaultsAreDamage) {
  TReactionNetwork ethane;
  ASSERT_EQ(DamageOf(LoadNetwork(Reference(), ethane)), kNetworkFileRead);
  ethane.Reaction(2)->ExplicitKinetics = true;
  const Bytes whole = EncodeNetworkFile(ethane, kEthaneNote).value();
  const std::size_t trailer = Reference().size(), crc = whole.size() - 4;
  // Trailer: magic (8), 2 roots (3 + 6), 1 explicit reaction (3 + 3), length (4), CRC (4).
  ASSERT_EQ(crc, trailer + 27);
  const struct {
    std::size_t offset;  // of the patch; the file is cut there when the patch is empty
    Bytes patch;
    std::uint16_t damage;
  } cases[] = {
      {trailer, {'X'}, kNetworkFileTrailingBytes},
      {trailer + 4, {}, kNetworkFileEndsEarly},
      {trailer + 12, {}, kNetworkFileEndsEarly},
      {crc + 2, {}, kNetworkFileEndsEarly},
      {trailer + 14, {8}, kNetworkFileBadTrailer},    // root 8 of 8 components
      {trailer + 22, {3}, kNetworkFileBadTrailer},    // reaction 3 of 3
      {whole.size(), {0}, kNetworkFileBadTrailer},    // a byte after the checksum
      {crc - 1, {static_cast<std::uint8_t>(whole[crc - 1] ^ 1)}, kNetworkFileBadTrailer},  // its length
      {trailer + 22, {1}, kNetworkFileChecksumMismatch},  // another reaction, in range
      {3 + 7 + 5, {'E'}, kNetworkFileChecksumMismatch},  // the note
      {crc + 3, {static_cast<std::uint8_t>(whole[crc + 3] ^ 1)}, kNetworkFileChecksumMismatch},
  };
  for (const auto& c : cases) {
    Bytes bytes = whole;
    if (c.patch.empty()) bytes.resize(c.offset);
    bytes.resize(std::max(bytes.size(), c.offset + c.patch.size()));
    std::copy(c.patch.begin(), c.patch.end(), bytes.begin() + static_cast<std::ptrdiff_t>(c.offset));
    TReactionNetwork network;
    const auto result = LoadNetwork(bytes, network);
    ASSERT_EQ(DamageOf(result), c.damage) << c.offset;
    EXPECT_EQ(result->ComponentsRead, 8u);
    EXPECT_EQ(result->ReactionsRead, 3u);
    EXPECT_EQ(result->ComponentsInFile, 8u);
    EXPECT_EQ(network.ReactionCount(), 3u) << c.offset;
  }
}

// Every change of one byte of a written network, to any value, is damage;
// the unchanged bytes read whole. Among them, the regression of a changed
// recipe length that let the last reaction swallow the trailer, leaving a
// whole file of the plain format. (Propane's network: the check parses the
// file thousands of times.)
TEST(NetworkFile, EverySingleByteChangeOfAWrittenNetworkIsDamage) {
  TReactionNetwork propane;
  AddFeed(propane, LinearAlkane(3));
  propane.Generate();
  const Bytes whole = EncodeNetworkFile(propane, "propane").value();
  ASSERT_EQ(DamageOf(ParseNetworkFile(whole)), kNetworkFileRead);
  Bytes bytes = whole;
  for (std::size_t k = 0; k < bytes.size(); ++k) {
    // Every value at the header, the counts, the note length, the last
    // reaction record and the trailer; two elsewhere.
    const bool everyValue = k < 10 || k >= whole.size() - 28 - 20;
    for (unsigned change = 1; change < 256; change += everyValue ? 1 : 254) {
      bytes[k] = static_cast<std::uint8_t>(whole[k] ^ change);
      ASSERT_NE(DamageOf(ParseNetworkFile(bytes)), kNetworkFileRead) << k << " ^ " << change;
    }
    bytes[k] = whole[k];
  }
}

// The largest value of each field: ethane named with 255 bytes, a reaction of
// class 255 with coefficients 255 and 15-byte recipes.
void FillLargest(TReactionNetwork& network) {
  Add(network, LinearAlkane(2), true)->Name = std::string(255, 'n');
  Add(network, "C. C; 0-1");
  AddReaction(network, 255, {{4, -255}, {5, 255}, {0, 255}}, true, std::vector<int>(15, 0x7f), std::vector<int>(15, 0),
              1.0, 2.0);
  network.AfterFilterSelectivity();
}

TEST(NetworkFile, WriterRefusesWhatTheFileCannotHoldWithoutTouchingTheTarget) {
  ScratchDir dir;
  const std::string path = dir.file("limits.rnw"), note(255, '\xff');
  TReactionNetwork largest, loaded;
  FillLargest(largest);
  ASSERT_TRUE(WriteNetworkFile(largest, note, path));
  ASSERT_EQ(LoadNetworkFile(path, loaded)->Note, note);
  EXPECT_EQ(CompareNetworks(loaded, largest), "");

  const Bytes before = FileBytes(path);
  using Change = void (*)(TReactionNetwork&, std::string&);
  const std::pair<Change, const char*> cases[] = {
      {[](TReactionNetwork&, std::string& n) { n += "x"; }, "note"},
      {[](TReactionNetwork& w, std::string&) { w.Component(4)->Name += "n"; }, "Component 4"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->FreqFact2 += "x"; }, "Reaction 0"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->ReactantCoefs[0] = -256; }, "-256"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->ReactantCoefs[0] = 2; }, "reactant coefficient"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->ProductCoefs[1] = -1; }, "product coefficient"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->ReactionType = 256; }, "class code"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->AddProduct(w.Component(5), 1); }, "two products"},
      {[](TReactionNetwork& w, std::string&) {
         for (int k = 0; k < 2; ++k) w.Reaction(0)->AddReactant(w.HydrogenAtom(), -1);
       }, "two reactants"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->ProductCoefs[1] = 254; }, "balance in mass"},
      {[](TReactionNetwork& w, std::string&) { w.Reaction(0)->ActEnergy = std::nan(""); }, "finite"},
      {[](TReactionNetwork& w, std::string&) { w.SetPreferences({.MinSelectivity = std::nan("")}); }, "finite"},
      {[](TReactionNetwork& w, std::string&) { w.AddComponent({}, {}, {}, false); }, "without atoms"},
      // A bond of order 5 has no bond byte (5 is an aromatic bond).
      {[](TReactionNetwork& w, std::string&) {
         auto ethyne = MoleculeFrom("C C; 0#1");
         TByteMatrix adjacency = ethyne->AdjacencyMatrix();
         adjacency[0][1] = adjacency[1][0] = 5;
         w.AddComponent(adjacency, ethyne->AtomTypes(), ethyne->AromaticMatrix(), true);
       }, "(0, 1)"},
  };
  for (const auto& [change, says] : cases) {
    TReactionNetwork network;
    FillLargest(network);
    std::string noteText = note;
    change(network, noteText);
    const auto refused = WriteNetworkFile(network, noteText, path);
    ASSERT_FALSE(refused) << says;
    EXPECT_EQ(refused.error().Code, TErrorCode::FileFormat);
    EXPECT_NE(refused.error().Message.find(says), std::string::npos) << says;
    EXPECT_EQ(refused.error().Message, CheckNetworkFileLimits(network, noteText).error().Message);
    EXPECT_EQ(FileBytes(path), before) << says;
  }
}

}  // namespace
}  // namespace korvane
