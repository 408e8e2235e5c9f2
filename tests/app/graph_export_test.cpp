#include "app/graph_export.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "../database/database_test_support.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::AddFeed;
using testing::MoleculeFrom;

// Records every picture it is asked for; fails the call numbered `failAt`.
struct RecordingPictureWriter : TMoleculePictureWriter {
  bool Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path,
             std::string* error) override {
    molecules.push_back(&molecule);
    paths.push_back(path);
    EXPECT_EQ(geometry, (TPictureGeometry{256, 150, 7}));
    if (paths.size() == failAt) *error = "Cannot write the picture \"" + path + "\": No space left on device.";
    return paths.size() != failAt;
  }
  std::vector<const TMolecule*> molecules;
  std::vector<std::string> paths;
  std::size_t failAt = 0;
};

std::string Slurp(const std::string& path) {
  const auto bytes = testing::FileBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::size_t Entries(const testing::ScratchDir& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir.path()), {}));
}

std::string Node(int i) {
  return std::to_string(i) + " [label=\"\",image=\"pict_" + std::to_string(i) + ".png\"];\r\n";
}

TEST(GraphExport, OneComponentWithoutReactionsGivesThreeLines) {
  TReactionNetwork network;
  std::vector<std::unique_ptr<TMolecule>> components;
  components.push_back(MoleculeFrom("H."));
  network.ReplaceContent(std::move(components), {});
  const testing::ScratchDir dir;
  RecordingPictureWriter writer, none;
  const TGraphExportResult result = ExportNetworkGraph(network, dir.file("network.gv"), false, writer);
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(Slurp(dir.file("network.gv")), "DiGraph ReactionNetwork{\r\n" + Node(0) + "}\r\n");
  EXPECT_EQ(writer.molecules, std::vector<const TMolecule*>{network.Component(0)});
  EXPECT_EQ(writer.paths, std::vector<std::string>{dir.file("pict_0.png")});
  // Without the hydrogen radical nothing is left but the frame.
  ASSERT_TRUE(ExportNetworkGraph(network, dir.file("network.gv"), true, none).Ok);
  EXPECT_EQ(Slurp(dir.file("network.gv")), "DiGraph ReactionNetwork{\r\n}\r\n");
  EXPECT_TRUE(none.paths.empty());
  EXPECT_EQ(Entries(dir), 1u);
}

// Components 0 H, 1 He, 2 N2, 3 H2O, 4 ethane, 5 ethyl, 6 ethylene, 7 methyl,
// 8 n-butane. Ethyl gives ethylene + H by two reactions, so the edges 5 -> 6
// and 5 -> 0 are produced twice; the last reaction has three products.
void BuildEthaneNetwork(TReactionNetwork& network) {
  TMolecule* h = network.HydrogenAtom();
  TMolecule* ethane = AddFeed(network, testing::LinearAlkane(2));
  TMolecule* ethyl = AddFeed(network, "C. C; 0-1");
  TMolecule* ethylene = AddFeed(network, "C C; 0=1");
  TMolecule* methyl = AddFeed(network, "C.");
  TMolecule* butane = AddFeed(network, testing::LinearAlkane(4));
  using Side = std::vector<std::pair<TMolecule*, int>>;
  const std::tuple<std::int32_t, Side, Side> reactions[] = {
      {kHydrogenTransfer, {{ethane, 1}}, {{ethyl, 1}, {h, 1}}},
      {kBetaScission, {{ethyl, 1}}, {{ethylene, 1}, {h, 1}}},
      {kBetaScission, {{ethane, 1}}, {{methyl, 2}}},
      {kOtherReaction, {{ethyl, 1}}, {{ethylene, 1}, {h, 1}}},
      {kRecombination, {{ethyl, 1}, {h, 1}}, {{ethane, 1}}},
      {kOtherReaction, {{butane, 1}}, {{ethyl, 1}, {ethylene, 1}, {h, 1}}}};
  for (const auto& [type, reactants, products] : reactions) {
    TReaction reaction;
    reaction.SetParameters(type, 100.0, 1.0e13);
    for (auto [molecule, coefficient] : reactants) reaction.AddReactant(molecule, -coefficient);
    for (auto [molecule, coefficient] : products) reaction.AddProduct(molecule, coefficient);
    network.AddReactionCopy(reaction);
  }
  ASSERT_EQ(testing::CheckNetwork(network), "");
}

TEST(GraphExport, EdgesByReactantReactionAndProductThenNodesWithOrWithoutTheHydrogenRadical) {
  TReactionNetwork network;
  BuildEthaneNetwork(network);
  const testing::ScratchDir dir;
  const std::string graph = dir.file("ethane.gv");
  // Every product gets its edge. Without the hydrogen radical, ethane -> ethyl + H
  // keeps only the edge to ethyl, the recombination ethyl + H -> ethane only the edge from ethyl.
  const std::string edges[] = {
      "0 -> 4;\r\n4 -> 5;\r\n4 -> 0;\r\n4 -> 7;\r\n5 -> 6;\r\n5 -> 0;\r\n5 -> 6;\r\n5 -> 0;\r\n5 -> 4;\r\n8 -> 5;\r\n"
      "8 -> 6;\r\n8 -> 0;\r\n",
      "4 -> 5;\r\n4 -> 7;\r\n5 -> 6;\r\n5 -> 6;\r\n5 -> 4;\r\n8 -> 5;\r\n8 -> 6;\r\n"};
  for (bool withoutH : {false, true}) {
    std::string expected = "DiGraph ReactionNetwork{\r\n" + edges[withoutH];
    for (int i = withoutH; i < 9; ++i) expected += Node(i);
    EXPECT_EQ(NetworkGraphText(network, withoutH), expected + "}\r\n");
    RecordingPictureWriter writer;
    ASSERT_TRUE(ExportNetworkGraph(network, graph, withoutH, writer).Ok);
    EXPECT_EQ(Slurp(graph), expected + "}\r\n");
    ASSERT_EQ(writer.paths.size(), 9u - withoutH);
    for (std::size_t i = withoutH; i < 9; ++i) {
      EXPECT_EQ(writer.molecules[i - withoutH], network.Component(i));
      EXPECT_EQ(writer.paths[i - withoutH], dir.file("pict_" + std::to_string(i) + ".png"));
    }
  }
}

TEST(GraphExport, FailuresReportAndLeaveNoTruncatedFile) {
  TReactionNetwork network;
  BuildEthaneNetwork(network);
  const testing::ScratchDir dir;
  const std::string graph = dir.file("ethane.gv");
  testing::PutFile(graph, {'o', 'l', 'd'});
  RecordingPictureWriter writer, failing;
  // A failed picture stops the export before the graph file is written.
  failing.failAt = 3;
  const TGraphExportResult picture = ExportNetworkGraph(network, graph, false, failing);
  EXPECT_FALSE(picture.Ok);
  EXPECT_EQ(picture.Message, "Cannot write the picture \"" + dir.file("pict_2.png") + "\": No space left on device.");
  EXPECT_EQ(failing.paths.size(), 3u);

  // The file size limit lets the first bytes through and then fails the write.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const TGraphExportResult tooLarge = ExportNetworkGraph(network, graph, false, writer);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_FALSE(tooLarge.Ok);
  EXPECT_EQ(tooLarge.Message, "Cannot write the graph file \"" + graph + "\": File too large.");
  EXPECT_EQ(Slurp(graph), "old");
  EXPECT_EQ(Entries(dir), 1u);

  // A directory in the way, a graph file named like a picture: refused before any write.
  fs::create_directory(dir.file("taken"));
  EXPECT_FALSE(ExportNetworkGraph(network, dir.file("taken"), false, writer).Ok);
  EXPECT_TRUE(fs::is_empty(dir.file("taken")));
  RecordingPictureWriter none;
  EXPECT_EQ(ExportNetworkGraph(network, dir.file("pict_4.png"), false, none).Message,
            "Cannot write the graph file \"" + dir.file("pict_4.png") +
                "\": it has the name of the picture of component 4.");
  EXPECT_TRUE(none.paths.empty());
  EXPECT_EQ(Entries(dir), 2u);
}

}  // namespace
}  // namespace korvane
