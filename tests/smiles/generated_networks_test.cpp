// Networks of feeds with rings and unusual bonds, judged by an independent
// identity (RDKit's canonical SMILES) and by the network file.

#include <gtest/gtest.h>

#include <map>

#include "app/network_file.h"
#include "reactions/reaction_network.h"
#include "smiles/smiles_reader.h"
#include "smiles/smiles_writer.h"

namespace korvane {
namespace {

TEST(GeneratedNetworks, HoldEachSpeciesOnceAndSaveAndReloadByteForByte) {
  const struct {
    const char* feed;
    double betaThreshold;
  } cases[] = {
      {"C1CCC2CCCCC2C1", 200},     // decalin: naphthalene and tetralins in every Kekule form
      {"C1CCC2C=CC=CC2C1", 200},   // a partly hydrogenated naphthalene
      {"Cc1cccc2ccccc12", 200},    // 1-methylnaphthalene
      {"C1=CC[14CH2]C=C1", 200},   // the label survives aromatisation
      {"Cc1ccccc1", 1000},         // no aromatic bond is raised or cut
      {"[C]#C", 400},              // no bond of order 4
  };
  for (const auto& [feed, betaThreshold] : cases) {
    TReactionNetwork network(TNetworkPreferences{.EThresholdBetaScission = betaThreshold});
    const auto read = MoleculeFromSmiles(feed);
    ASSERT_TRUE(read) << read.error().Message;
    const TMolecule& molecule = *read.value();
    network.AddComponent(molecule.AdjacencyMatrix(), molecule.AtomTypes(), molecule.AromaticMatrix(), true);
    network.Generate();

    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
      const auto smiles = CanonicalSmiles(*network.Component(i));
      ASSERT_TRUE(smiles) << feed << ": component " << i << ": " << smiles.error().Message;
      const auto [earlier, added] = seen.emplace(smiles.value(), i);
      EXPECT_TRUE(added) << feed << ": components " << earlier->second << " and " << i << " are both "
                         << smiles.value();
    }
    const auto written = EncodeNetworkFile(network, "");
    ASSERT_TRUE(written) << feed << ": " << written.error().Message;
    TReactionNetwork loaded;
    const auto reloaded = LoadNetwork(written.value(), loaded);
    ASSERT_TRUE(reloaded && reloaded->Damage == kNetworkFileRead) << feed;
    EXPECT_EQ(EncodeNetworkFile(loaded, "").value(), written.value()) << feed;
  }
}

}  // namespace
}  // namespace korvane
