#include "app/network_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <unordered_set>

#include "../database/database_test_support.h"
#include "core/identity.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using testing::AddFeed;
using testing::CheckNetwork;
using testing::CompareNetworks;
using testing::Corrupted;
using testing::FileBytes;
using testing::LinearAlkane;
using testing::MoleculeFrom;
using testing::PutFile;
using testing::ReferencePath;
using testing::ScratchDir;
using Bytes = std::vector<std::uint8_t>;

const std::string kEthaneNote = "ethane primary network";

Bytes Chars(const std::string& text) { return {text.begin(), text.end()}; }

Bytes Concat(std::initializer_list<Bytes> pieces) {
  Bytes all;
  for (const Bytes& piece : pieces) all.insert(all.end(), piece.begin(), piece.end());
  return all;
}

Bytes Tail(const Bytes& bytes, std::size_t count) {
  return Bytes(bytes.end() - static_cast<std::ptrdiff_t>(count), bytes.end());
}

TMolecule* Add(TReactionNetwork& network, const std::string& description, bool isRoot = false) {
  auto molecule = MoleculeFrom(description);
  return network.AddComponent(molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix(), isRoot);
}

struct Side {
  TMolecule* molecule;
  std::int32_t coefficient;
};

TReaction* AddReaction(TReactionNetwork& network, std::int32_t type, double e, double a, bool multiply,
                       std::vector<Side> reactants, std::vector<Side> products, std::string freqFact2 = "",
                       std::string actEnerg2 = "") {
  TReaction reaction;
  reaction.SetParameters(type, e, a);
  reaction.MultiplyByActiveRadicals = multiply;
  reaction.FreqFact2 = std::move(freqFact2);
  reaction.ActEnerg2 = std::move(actEnerg2);
  for (const Side& side : reactants) reaction.AddReactant(side.molecule, side.coefficient);
  for (const Side& side : products) reaction.AddProduct(side.molecule, side.coefficient);
  return network.AddReactionCopy(reaction);
}

// Built-ins, then ethane (4), ethyl (5), H2 (6) and benzene (7, a root),
// with a reaction of one reactant and two products, one of two reactants and
// one product, and one of class 10 without recipes. Linked, with its
// after-filter selectivities, as a load leaves it.
void FillSmallNetwork(TReactionNetwork& network) {
  TMolecule* ethane = Add(network, LinearAlkane(2));
  TMolecule* ethyl = Add(network, "C. C; 0-1");
  TMolecule* hydrogen2 = Add(network, "H H; 0-1");
  Add(network, "c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0", true)->Name = "benzene";
  TMolecule* h = network.HydrogenAtom();
  AddReaction(network, kHydrogenTransfer, 225.0, 3.5775e21, true, {{ethane, -2}}, {{h, 2}, {ethyl, 2}}, "\x02",
              std::string("\x13\x00\x1f", 3));
  AddReaction(network, kRecombination, 0.0, 1.0e14, false, {{h, -1}, {h, -1}}, {{hydrogen2, 1}}, "\x03", "\x19");
  AddReaction(network, kOtherReaction, 300.0, 1.0e13, false, {{ethyl, -1}, {h, -1}}, {{ethane, 1}});
  network.AfterFilterSelectivity();
}

// Size of a component record and of a reaction record.
std::size_t RecordSize(const TMolecule& component) {
  const std::size_t n = component.AtomCount();
  return 2 + component.Name.size() + n + n * n;
}
std::size_t RecordSize(const TReaction& reaction) { return 35 + reaction.FreqFact2.size() + reaction.ActEnerg2.size(); }

// Invariants a loaded network keeps whatever bytes it came from (unlike
// CheckNetwork, damaged data need not balance or be chemically sound).
std::string StructuralFault(const TReactionNetwork& network) {
  std::unordered_set<const TMolecule*> components;
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    if (network.Component(i)->ID != static_cast<std::int32_t>(i)) return "ID differs from position";
    components.insert(network.Component(i));
  }
  if (!components.count(network.HydrogenAtom())) return "the hydrogen atom is not a component";
  for (const TMolecule* root : network.Roots())
    if (!components.count(root)) return "a root is not a component";
  std::map<const TMolecule*, std::size_t> formed, consumed;
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) {
    const TReaction& reaction = *network.Reaction(r);
    if (reaction.Reactants.size() != reaction.ReactantCoefs.size() ||
        reaction.Products.size() != reaction.ProductCoefs.size())
      return "coefficients differ in number from participants";
    for (const TMolecule* m : reaction.Reactants) {
      if (!components.count(m)) return "a reactant is not a component";
      ++consumed[m];
    }
    for (const TMolecule* m : reaction.Products) {
      if (!components.count(m)) return "a product is not a component";
      ++formed[m];
    }
  }
  for (const TMolecule* m : components)
    if (m->ReactionLinks[kFormedIn].size() != formed[m] || m->ReactionLinks[kConsumedIn].size() != consumed[m])
      return "links disagree with the reactions";
  return "";
}

TNetworkPreferences OtherPreferences() {
  TNetworkPreferences preferences;
  preferences.NormTemperature = 900.0;
  preferences.MinSelectivity = 0.02;
  return preferences;
}

void ZeroProjectingSelectivities(TReactionNetwork& network) {
  for (std::size_t r = 0; r < network.ReactionCount(); ++r) network.Reaction(r)->Selectivity = 0.0;
}

TEST(NetworkFile, NetworkWithoutReactionsIsHeaderCountsPreferencesAndComponentRecords) {
  TReactionNetwork network;
  const Bytes prefs = {0, 0, 0, 0, 0, 0x68, 0x90, 0x40,    // 1050
                       0, 0, 0, 0, 0, 0, 0x69, 0x40,       // 200
                       0, 0, 0, 0, 0, 0xc0, 0x72, 0x40,    // 300
                       0, 0, 0, 0, 0, 0, 0x69, 0x40,       // 200
                       0x7b, 0x14, 0xae, 0x47, 0xe1, 0x7a, 0x84, 0x3f};  // 0.01
  // Atom count, name length, name, atom types, bond bytes row by row.
  const Bytes expected = Concat({{0x48, 0x05, 0x01, 0, 0, 4, 0, 0, 0, 0}, prefs,
                                 {1, 6}, Chars("Noname"), {1}, {1},
                                 {1, 6}, Chars("Noname"), {8}, {2},
                                 {2, 6}, Chars("Noname"), {9, 9}, {0, 3, 3, 0},
                                 {3, 6}, Chars("Noname"), {10, 1, 1}, {0, 1, 1, 1, 0, 0, 1, 0, 0}});
  const Bytes written = EncodeNetworkFile(network, "");
  EXPECT_EQ(written.size(), 3u + 7 + 40 + 10 + 10 + 14 + 20);
  EXPECT_EQ(written, expected);

  TReactionNetwork loaded(OtherPreferences());
  const TNetworkLoadResult result = LoadNetwork(written, loaded);
  EXPECT_EQ(result.Damage, kNetworkFileRead);
  EXPECT_EQ(result.Note, "");
  EXPECT_EQ(CompareNetworks(loaded, network), "");
}

TEST(NetworkFile, ReactionRecordsAreByteExact) {
  TReactionNetwork network;
  FillSmallNetwork(network);
  const Bytes written = EncodeNetworkFile(network, "x");
  const Bytes reactions = Concat({
      // ethane (-2) -> H (2) + ethyl (2): no B, so FF FF FF and coefficient 0.
      {0, 0, 4, 0xff, 0xff, 0xff, 0, 0, 0, 0, 0, 5, 2, 0, 2, 2, 2},
      {0, 0, 0, 0, 0, 0x20, 0x6c, 0x40, 0xff, 0xf6, 0xf2, 0x25, 0xf9, 0x3d, 0x68, 0x44},
      {1, 0x31, 0x02, 0x13, 0x00, 0x1f},
      // H + H -> H2: no D.
      {0, 0, 0, 0, 0, 0, 0, 0, 6, 0xff, 0xff, 0xff, 1, 1, 1, 0, 3},
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x90, 0x1e, 0xc4, 0xbc, 0xd6, 0x42},
      {0, 0x11, 0x03, 0x19},
      // ethyl + H -> ethane, class 10 without recipes.
      {0, 0, 5, 0, 0, 0, 0, 0, 4, 0xff, 0xff, 0xff, 1, 1, 1, 0, 10},
      {0, 0, 0, 0, 0, 0xc0, 0x72, 0x40, 0, 0, 0x40, 0xe5, 0x9c, 0x30, 0xa2, 0x42},
      {0, 0x00},
  });
  ASSERT_GT(written.size(), reactions.size());
  EXPECT_EQ(Tail(written, reactions.size()), reactions);
  EXPECT_EQ(Bytes(written.begin() + 3, written.begin() + 11), (Bytes{0, 0, 8, 0, 0, 3, 1, 'x'}));

  TReactionNetwork loaded;
  EXPECT_EQ(LoadNetwork(written, loaded).Damage, kNetworkFileRead);
  ZeroProjectingSelectivities(network);
  EXPECT_EQ(CompareNetworks(loaded, network), "");
  const TReaction& transfer = *loaded.Reaction(0);
  EXPECT_EQ(transfer.ReactantCoefs, TIntVector{-2});
  EXPECT_EQ(transfer.ProductCoefs, (TIntVector{2, 2}));
  EXPECT_EQ(transfer.ActEnerg2, std::string("\x13\x00\x1f", 3));
  EXPECT_TRUE(transfer.MultiplyByActiveRadicals);
  EXPECT_EQ(loaded.Reaction(1)->Reactants, (TMoleculeVector{loaded.Component(0), loaded.Component(0)}));
  EXPECT_EQ(loaded.Reaction(2)->FreqFact2, "");
  EXPECT_EQ(CheckNetwork(loaded), "");
}

TEST(NetworkFile, AromaticBondsAreStoredAsFive) {
  TReactionNetwork network;
  FillSmallNetwork(network);
  const Bytes written = EncodeNetworkFile(network, "");
  // Benzene, component 7, follows records of 10, 10, 14, 20, 80, 64 and 14 bytes.
  const std::size_t at = 50 + 10 + 10 + 14 + 20 + 80 + 64 + 14;
  ASSERT_EQ(written.size(), at + 2 + 7 + 12 + 144 + 39 + 37 + 35);
  EXPECT_EQ(Bytes(written.begin() + at, written.begin() + at + 21),
            Concat({{12, 7}, Chars("benzene"), {3, 3, 3, 3, 3, 3, 1, 1, 1, 1, 1, 1}}));
  const std::size_t matrix = at + 21;
  EXPECT_EQ(Bytes(written.begin() + matrix, written.begin() + matrix + 12),
            (Bytes{0, 5, 0, 0, 0, 5, 1, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Bytes(written.begin() + matrix + 6 * 12, written.begin() + matrix + 7 * 12),
            (Bytes{1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));

  TReactionNetwork loaded;
  ASSERT_EQ(LoadNetwork(written, loaded).Damage, kNetworkFileRead);
  const TMolecule& benzene = *loaded.Component(7);
  EXPECT_EQ(benzene.Name, "benzene");
  EXPECT_EQ(benzene.AdjacencyMatrix()[0][1], 1);
  EXPECT_TRUE(benzene.AromaticMatrix()[0][1]);
  EXPECT_FALSE(benzene.AromaticMatrix()[0][6]);
  EXPECT_TRUE(AreIsomorphic(benzene, *MoleculeFrom("c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0")));
}

TEST(NetworkFile, ReferenceEthaneNetworkReadsAndWritesBackByteForByte) {
  const Bytes reference = FileBytes(ReferencePath("networks/ethane.rnw"));
  TReactionNetwork network(OtherPreferences());
  const TNetworkLoadResult result = LoadNetworkFile(ReferencePath("networks/ethane.rnw"), network);
  ASSERT_EQ(result.Damage, kNetworkFileRead);
  EXPECT_EQ(result.Note, kEthaneNote);
  EXPECT_EQ(network.GetPreferences(), TNetworkPreferences{});
  ASSERT_EQ(network.ComponentCount(), 8u);
  ASSERT_EQ(network.ReactionCount(), 3u);
  EXPECT_EQ(CheckNetwork(network), "");

  const char* formulas[] = {"H1", "He1", "N2", "H2O1", "H6C2", "H5C2", "H4C2", "H2"};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(network.Component(i)->Formula(), formulas[i]) << i;
  TMolecule* h = network.Component(0);
  TMolecule* ethane = network.Component(4);
  EXPECT_EQ(network.HydrogenAtom(), h);
  EXPECT_TRUE(network.Component(1)->Inert && network.Component(2)->Inert && network.Component(3)->Inert);
  EXPECT_FALSE(ethane->Inert);
  EXPECT_EQ(network.Roots(), (TMoleculeVector{network.Component(1), ethane}));

  const TReaction& transfer = *network.Reaction(0);
  EXPECT_EQ(transfer.ReactionType, kHydrogenTransfer);
  EXPECT_EQ(transfer.Reactants, TMoleculeVector{ethane});
  EXPECT_EQ(transfer.ReactantCoefs, TIntVector{-6});
  EXPECT_EQ(transfer.Products, (TMoleculeVector{h, network.Component(5)}));
  EXPECT_EQ(transfer.ProductCoefs, (TIntVector{6, 6}));
  EXPECT_EQ(transfer.ActEnergy, 225.0);
  EXPECT_EQ(transfer.FreqFactor, 3.5775e21);
  EXPECT_TRUE(transfer.MultiplyByActiveRadicals);
  EXPECT_EQ(transfer.FreqFact2, "\x02");
  EXPECT_EQ(transfer.ActEnerg2, "\x13");

  const TReaction& scission = *network.Reaction(1);
  EXPECT_EQ(scission.ReactionType, kBetaScission);
  EXPECT_EQ(scission.ReactantCoefs, TIntVector{-3});
  EXPECT_EQ(scission.Products, (TMoleculeVector{network.Component(6), h}));
  EXPECT_EQ(scission.ProductCoefs, (TIntVector{3, 3}));
  EXPECT_EQ(scission.ActEnergy, 172.0);
  EXPECT_EQ(scission.FreqFactor, 1.0e13);
  EXPECT_FALSE(scission.MultiplyByActiveRadicals);
  EXPECT_EQ(scission.FreqFact2, std::string(1, '\0'));
  EXPECT_EQ(scission.ActEnerg2, "\x06");

  const TReaction& recombination = *network.Reaction(2);
  EXPECT_EQ(recombination.ReactionType, kRecombination);
  EXPECT_EQ(recombination.Reactants, (TMoleculeVector{h, h}));
  EXPECT_EQ(recombination.Products, TMoleculeVector{network.Component(7)});
  EXPECT_EQ(recombination.ActEnergy, 130.0);
  EXPECT_EQ(recombination.FreqFactor, 1.0e14);

  // The file holds no projecting selectivity; the after-filter ones are
  // recomputed: each of ethane and ethyl has one consuming reaction, and the
  // hydrogen atom's list holds the recombination twice.
  for (std::size_t r = 0; r < 3; ++r) EXPECT_EQ(network.Reaction(r)->Selectivity, 0.0);
  EXPECT_DOUBLE_EQ(transfer.SelectivityAfterFilter, 1.0);
  EXPECT_DOUBLE_EQ(scission.SelectivityAfterFilter, 1.0);
  EXPECT_DOUBLE_EQ(recombination.SelectivityAfterFilter, 0.5);

  EXPECT_EQ(EncodeNetworkFile(network, result.Note), reference);
  ScratchDir dir;
  WriteNetworkFile(network, result.Note, dir.file("ethane.rnw"));
  EXPECT_EQ(FileBytes(dir.file("ethane.rnw")), reference);
}

TEST(NetworkFile, GeneratedEthaneNetworkMatchesTheReference) {
  TReactionNetwork generated;
  AddFeed(generated, LinearAlkane(2));
  generated.Generate();
  TReactionNetwork loaded;
  ASSERT_EQ(LoadNetworkFile(ReferencePath("networks/ethane.rnw"), loaded).Damage, kNetworkFileRead);

  ASSERT_EQ(generated.ComponentCount(), loaded.ComponentCount());
  for (std::size_t i = 0; i < loaded.ComponentCount(); ++i)
    EXPECT_TRUE(AreIsomorphic(*generated.Component(i), *loaded.Component(i))) << i;
  ZeroProjectingSelectivities(generated);
  EXPECT_EQ(CompareNetworks(generated, loaded), "");
  // Two implementations agree on every stored byte.
  EXPECT_EQ(EncodeNetworkFile(generated, kEthaneNote), FileBytes(ReferencePath("networks/ethane.rnw")));
}

TEST(NetworkFile, GeneratedHexaneNetworkRoundTrips) {
  TNetworkPreferences preferences;
  preferences.NormTemperature = 1100.0;
  preferences.EThresholdBetaScission = 250.0;
  TReactionNetwork network(preferences);
  AddFeed(network, LinearAlkane(6))->Name = "n-hexane";
  network.Generate();
  ASSERT_GT(network.ReactionCount(), 10u);

  ScratchDir dir;
  const std::string path = dir.file("hexane.rnw");
  WriteNetworkFile(network, "n-hexane at 1100 K", path);
  TReactionNetwork loaded;  // default preferences until the file's arrive
  const TNetworkLoadResult result = LoadNetworkFile(path, loaded);
  ASSERT_EQ(result.Damage, kNetworkFileRead);
  EXPECT_EQ(result.Note, "n-hexane at 1100 K");
  EXPECT_EQ(loaded.GetPreferences(), preferences);
  EXPECT_EQ(loaded.Component(4)->Name, "n-hexane");
  EXPECT_EQ(CheckNetwork(loaded), "");

  std::size_t projecting = 0;
  for (std::size_t r = 0; r < loaded.ReactionCount(); ++r) {
    projecting += network.Reaction(r)->Selectivity != 0.0;
    EXPECT_EQ(loaded.Reaction(r)->Selectivity, 0.0);
    // Recomputed at the file's temperature, in the same order: the same value.
    EXPECT_EQ(loaded.Reaction(r)->SelectivityAfterFilter, network.Reaction(r)->SelectivityAfterFilter) << r;
  }
  EXPECT_GT(projecting, 0u);
  ZeroProjectingSelectivities(network);
  // Components by their stored pieces in order, roots, inert flags, and
  // reactions with participants, coefficients, E, A, flags and recipes.
  EXPECT_EQ(CompareNetworks(loaded, network), "");
  EXPECT_EQ(EncodeNetworkFile(loaded, result.Note), FileBytes(path));
}

TEST(NetworkFile, HeaderFaultsKeepThePreviousNetwork) {
  const Bytes reference = FileBytes(ReferencePath("networks/ethane.rnw"));
  auto expectUntouched = [&](const Bytes& bytes, std::uint16_t damage, const std::string& note) {
    TReactionNetwork network(OtherPreferences()), twin(OtherPreferences());
    for (TReactionNetwork* each : {&network, &twin}) {
      AddFeed(*each, LinearAlkane(3));
      each->Generate();
    }
    const TNetworkLoadResult result = LoadNetwork(bytes, network);
    EXPECT_EQ(result.Damage, damage);
    EXPECT_EQ(result.Note, note);
    EXPECT_EQ(CompareNetworks(network, twin), "");
  };
  Bytes bytes = reference;
  bytes[0] = 0x47;
  expectUntouched(bytes, kNotANetworkFile, "");
  bytes = reference;
  bytes[1] = 0x03;  // a database file's kind
  expectUntouched(bytes, kNotANetworkFile, "");
  bytes = reference;
  bytes[2] = 2;
  expectUntouched(bytes, kNetworkFileUnknownVersion, "");
  expectUntouched({}, kNetworkFileEndsEarly, "");
  expectUntouched({0x48, 0x06}, kNotANetworkFile, "");
  expectUntouched({0x48, 0x05, 0x01, 0, 0}, kNetworkFileEndsEarly, "");
  // The note was read, the preferences were not.
  expectUntouched(Bytes(reference.begin(), reference.begin() + 71), kNetworkFileEndsEarly, kEthaneNote);

  TReactionNetwork network;
  EXPECT_THROW(LoadNetworkFile(ReferencePath("networks/missing.rnw"), network), std::filesystem::filesystem_error);
  EXPECT_EQ(network.ComponentCount(), 4u);
}

TEST(NetworkFile, RecordFaultsKeepTheCompleteRecordsBeforeThem) {
  const Bytes reference = FileBytes(ReferencePath("networks/ethane.rnw"));
  // Component 5 (ethyl) starts at 72 + 10 + 10 + 14 + 20 + 80; reaction r
  // at 334 + 37 r.
  const std::size_t ethyl = 206, reactions = 334;
  struct Case {
    std::size_t offset;
    std::uint8_t value;
    std::uint16_t damage;
    std::size_t components, reactions;
  } cases[] = {
      {ethyl + 8 + 7 + 3, 6, kNetworkFileBadBond, 5, 0},           // a bond byte of 6
      {ethyl + 8 + 7 + 3, 5, kNetworkFileRead, 8, 3},              // 5 is an aromatic bond
      {reactions + 37 + 33, 2, kNetworkFileBadFlag, 8, 1},         // flag 2
      {reactions + 37 + 2, 8, kNetworkFileBadComponentIndex, 8, 1},  // A = 8 of 8 components
      {reactions + 37 + 2, 7, kNetworkFileRead, 8, 3},             // A = 7 is a component
      {reactions + 2 * 37 + 8, 8, kNetworkFileBadComponentIndex, 8, 2},  // C = 8
      {reactions + 2 * 37 + 3, 0xff, kNetworkFileBadComponentIndex, 8, 2},  // B = FF 00 00 is no mark
  };
  for (const Case& c : cases) {
    Bytes bytes = reference;
    bytes[c.offset] = c.value;
    TReactionNetwork network(OtherPreferences());
    const TNetworkLoadResult result = LoadNetwork(bytes, network);
    EXPECT_EQ(result.Damage, c.damage) << c.offset;
    EXPECT_EQ(result.Note, kEthaneNote);
    EXPECT_EQ(network.GetPreferences(), TNetworkPreferences{});
    EXPECT_EQ(network.ComponentCount(), c.components) << c.offset;
    EXPECT_EQ(network.ReactionCount(), c.reactions) << c.offset;
    EXPECT_EQ(StructuralFault(network), "") << c.offset;
  }

  // FF FF FF is accepted in the first reactant place of no reaction.
  Bytes bytes = reference;
  bytes[reactions] = bytes[reactions + 1] = bytes[reactions + 2] = 0xff;
  TReactionNetwork network;
  EXPECT_EQ(LoadNetwork(bytes, network).Damage, kNetworkFileBadComponentIndex);
  EXPECT_EQ(network.ReactionCount(), 0u);
  EXPECT_EQ(CheckNetwork(network), "");
}

// Every proper prefix of a valid file: code 5, nothing before the end of
// the preferences, else the complete records up to the cut.
void ExpectTruncationsKeepCompleteRecords(const Bytes& whole) {
  TReactionNetwork full;
  const TNetworkLoadResult complete = LoadNetwork(whole, full);
  ASSERT_EQ(complete.Damage, kNetworkFileRead);
  ASSERT_EQ(full.HydrogenAtom(), full.Component(0));
  std::vector<std::size_t> componentEnds, reactionEnds;
  std::size_t end = 50 + complete.Note.size();
  const std::size_t preamble = end;
  for (std::size_t i = 0; i < full.ComponentCount(); ++i)
    componentEnds.push_back(end += RecordSize(*full.Component(i)));
  for (std::size_t r = 0; r < full.ReactionCount(); ++r)
    reactionEnds.push_back(end += RecordSize(*full.Reaction(r)));
  ASSERT_EQ(end, whole.size());

  TReactionNetwork untouched(OtherPreferences());
  for (std::size_t cut = 0; cut < whole.size(); ++cut) {
    TReactionNetwork network(OtherPreferences());
    const TNetworkLoadResult result = LoadNetwork(std::span(whole.data(), cut), network);
    ASSERT_EQ(result.Damage, kNetworkFileEndsEarly) << cut;
    if (cut < preamble) {
      ASSERT_EQ(CompareNetworks(network, untouched), "") << cut;
      continue;
    }
    const auto countBefore = [cut](const std::vector<std::size_t>& ends) {
      return static_cast<std::size_t>(std::upper_bound(ends.begin(), ends.end(), cut) - ends.begin());
    };
    const std::size_t components = countBefore(componentEnds);
    ASSERT_EQ(network.GetPreferences(), full.GetPreferences()) << cut;
    ASSERT_EQ(network.ComponentCount(), std::max<std::size_t>(components, 1)) << cut;  // H appended to none
    ASSERT_EQ(network.ReactionCount(), countBefore(reactionEnds)) << cut;
    for (std::size_t i = 0; i < components; ++i) {
      ASSERT_EQ(network.Component(i)->AdjacencyMatrix(), full.Component(i)->AdjacencyMatrix()) << cut;
      ASSERT_EQ(network.Component(i)->Name, full.Component(i)->Name) << cut;
    }
    ASSERT_EQ(CheckNetwork(network), "") << cut;
  }
}

TEST(NetworkFile, TruncatedFilesKeepOnlyCompleteRecords) {
  ExpectTruncationsKeepCompleteRecords(FileBytes(ReferencePath("networks/ethane.rnw")));
  TReactionNetwork network;
  FillSmallNetwork(network);
  ExpectTruncationsKeepCompleteRecords(EncodeNetworkFile(network, "small"));
}

// Random bytes anywhere: no crash, no read past the end (the sanitizers
// watch), a documented code, a consistent network; what reads whole and can
// be written reads back the same.
void ExpectCorruptionsHandled(const Bytes& whole) {
  TReactionNetwork untouched;
  int readWhole = 0, damaged = 0;
  for (unsigned seed = 1; seed <= 1500; ++seed) {
    const Bytes bytes = Corrupted(whole, seed, 1 + static_cast<int>(seed % 4), seed % 9 == 0 ? 0 : 50);
    TReactionNetwork network;
    const TNetworkLoadResult result = LoadNetwork(bytes, network);
    ASSERT_LE(result.Damage, kNetworkFileBadComponentIndex) << seed;
    if (result.Damage == kNotANetworkFile || result.Damage == kNetworkFileUnknownVersion) {
      ASSERT_EQ(CompareNetworks(network, untouched), "") << seed;
      continue;
    }
    ASSERT_EQ(StructuralFault(network), "") << seed;
    if (result.Damage != kNetworkFileRead) {
      ++damaged;
      continue;
    }
    ++readWhole;
    const TNetworkPreferences& p = network.GetPreferences();
    if (!NetworkFileLimitProblem(network, result.Note).empty() || !(p == p)) continue;
    TReactionNetwork again;
    ASSERT_EQ(LoadNetwork(EncodeNetworkFile(network, result.Note), again).Damage, kNetworkFileRead) << seed;
    ASSERT_EQ(CompareNetworks(again, network), "") << seed;
  }
  EXPECT_GT(readWhole, 100);
  EXPECT_GT(damaged, 100);
}

TEST(NetworkFile, CorruptedFilesNeverCrashAndLoadConsistently) {
  ExpectCorruptionsHandled(FileBytes(ReferencePath("networks/ethane.rnw")));
  TReactionNetwork network;
  FillSmallNetwork(network);
  ExpectCorruptionsHandled(EncodeNetworkFile(network, "small"));
}

TEST(NetworkFile, WriterRefusesWhatTheFileCannotHoldWithoutTouchingTheTarget) {
  ScratchDir dir;
  const std::string path = dir.file("limits.rnw");
  PutFile(path, {1, 2, 3});

  // The largest values each field holds still read back the same.
  TReactionNetwork largest;
  TMolecule* ethane = Add(largest, LinearAlkane(2), true);
  ethane->Name = std::string(255, 'n');
  TMolecule* ethyl = Add(largest, "C. C; 0-1");
  TReaction* reaction = AddReaction(largest, 255, 1.0, 2.0, true, {{ethane, -255}},
                                    {{ethyl, 255}, {largest.HydrogenAtom(), 0}}, std::string(15, '\x7f'),
                                    std::string(15, '\0'));
  largest.AfterFilterSelectivity();
  const std::string note(255, '\xff');
  WriteNetworkFile(largest, note, path);
  TReactionNetwork loaded;
  const TNetworkLoadResult result = LoadNetworkFile(path, loaded);
  ASSERT_EQ(result.Damage, kNetworkFileRead);
  EXPECT_EQ(result.Note, note);
  EXPECT_EQ(Tail(FileBytes(path), 31).front(), 0xff);  // the text-length byte 15 + 16 * 15
  EXPECT_EQ(CompareNetworks(loaded, largest), "");

  const Bytes before = FileBytes(path);
  auto expectRefused = [&](const TReactionNetwork& network, const std::string& noteText, const std::string& says) {
    const std::string problem = NetworkFileLimitProblem(network, noteText);
    EXPECT_NE(problem.find(says), std::string::npos) << problem;
    EXPECT_THROW(WriteNetworkFile(network, noteText, path), FileFormatLimitError);
    EXPECT_EQ(FileBytes(path), before);
  };
  expectRefused(largest, note + "x", "note");
  ethane->Name += "n";
  expectRefused(largest, "", "Component 4");
  ethane->Name = "ethane";
  reaction->FreqFact2 += "x";
  expectRefused(largest, "", "Reaction 0");
  reaction->FreqFact2.pop_back();
  reaction->ReactantCoefs[0] = -256;
  expectRefused(largest, "", "-256");
  reaction->ReactantCoefs[0] = 2;  // would read back as -2
  expectRefused(largest, "", "reactant coefficient");
  reaction->ReactantCoefs[0] = -1;
  reaction->ProductCoefs[1] = -1;
  expectRefused(largest, "", "product coefficient");
  reaction->ProductCoefs[1] = 1;
  reaction->ReactionType = 256;
  expectRefused(largest, "", "class code");
  reaction->ReactionType = kOtherReaction;
  reaction->AddProduct(ethyl, 1);
  expectRefused(largest, "", "two products");
  EXPECT_EQ(NetworkFileLimitProblem(largest, "").find("Reaction 0"), 0u);

  TReactionNetwork threeReactants;
  TMolecule* h = threeReactants.HydrogenAtom();
  AddReaction(threeReactants, kOtherReaction, 0, 0, false, {{h, -1}, {h, -1}, {h, -1}},
              {{Add(threeReactants, "H H; 0-1"), 1}, {h, 1}});
  expectRefused(threeReactants, "", "two reactants");

  // An aromatic mark on an entry that is not a single bond would read back
  // as a bond of order 1.
  TReactionNetwork marked;
  auto propene = MoleculeFrom("C C C; 0-1 1=2");
  TBoolMatrix aromatic = propene->AromaticMatrix();
  aromatic[1][2] = aromatic[2][1] = true;
  marked.AddComponent(propene->AdjacencyMatrix(), propene->AtomTypes(), aromatic, true);
  expectRefused(marked, "", "(1, 2)");
}

TEST(NetworkFile, DamageCodesHaveMessages) {
  EXPECT_EQ(NetworkFileDamageMessage(kNetworkFileRead), "");
  std::set<std::string> reasons;
  for (std::uint16_t code = 0; code <= 7; ++code) {
    if (code != kNetworkFileRead) {
      EXPECT_EQ(NetworkFileDamageMessage(code), "ERROR When reading file. Data may be damaged.");
    }
    reasons.insert(NetworkFileDamageReason(code));
  }
  EXPECT_EQ(reasons.size(), 8u);
  EXPECT_NE(NetworkFileDamageReason(7).find("7"), std::string::npos);
}

}  // namespace
}  // namespace korvane
