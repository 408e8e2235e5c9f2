#include "app/graph_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../database/database_test_support.h"
#include "add_reaction.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::AddFeed;
using testing::MoleculeFrom;

// Records every picture it is asked for; fails the call numbered `failAt`.
struct RecordingPictureWriter : TMoleculePictureWriter {
  TResult<> Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path) override {
    molecules.push_back(&molecule);
    paths.push_back(path);
    EXPECT_EQ(geometry, (TPictureGeometry{256, 150, 7}));
    if (paths.size() == failAt)
      return TError{TErrorCode::FileSystem, "Cannot write the picture \"" + path + "\": No space left on device."};
    return {};
  }
  std::vector<const TMolecule*> molecules;
  std::vector<std::string> paths;
  std::size_t failAt = 0;
};

std::string Slurp(const std::string& path) {
  const auto bytes = testing::FileBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::string Node(int i) {
  return std::to_string(i) + " [label=\"\",image=\"pict_" + std::to_string(i) + ".png\"];\r\n";
}

// Components 0 H, 1 He, 2 N2, 3 H2O, 4 ethane, 5 ethyl, 6 ethylene, 7 methyl,
// 8 n-butane. Ethyl gives ethylene + H by two reactions, so the edges 5 -> 6
// and 5 -> 0 are produced twice; the last reaction has three products.
void BuildEthaneNetwork(TReactionNetwork& network) {
  for (const std::string& feed : {testing::LinearAlkane(2), std::string("C. C; 0-1"), std::string("C C; 0=1"),
                                  std::string("C."), testing::LinearAlkane(4)})
    AddFeed(network, feed);
  testing::AddReaction(network, kHydrogenTransfer, {{4, -1}, {5, 1}, {0, 1}});
  testing::AddReaction(network, kBetaScission, {{5, -1}, {6, 1}, {0, 1}});
  testing::AddReaction(network, kBetaScission, {{4, -1}, {7, 2}});
  testing::AddReaction(network, kOtherReaction, {{5, -1}, {6, 1}, {0, 1}});
  testing::AddReaction(network, kRecombination, {{5, -1}, {0, -1}, {4, 1}});
  testing::AddReaction(network, kOtherReaction, {{8, -1}, {5, 1}, {6, 1}, {0, 1}});
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
    ASSERT_TRUE(ExportNetworkGraph(network, graph, withoutH, writer));
    EXPECT_EQ(Slurp(graph), expected + "}\r\n");
    ASSERT_EQ(writer.paths.size(), 9u - withoutH);
    for (std::size_t i = withoutH; i < 9; ++i) {
      EXPECT_EQ(writer.molecules[i - withoutH], network.Component(i));
      EXPECT_EQ(writer.paths[i - withoutH], dir.file("pict_" + std::to_string(i) + ".png"));
    }
  }
  // The hydrogen radical alone: its node, or nothing but the frame without it.
  TReactionNetwork hydrogen;
  std::vector<std::unique_ptr<TMolecule>> components;
  components.push_back(MoleculeFrom("H."));
  hydrogen.ReplaceContent(std::move(components), {});
  EXPECT_EQ(NetworkGraphText(hydrogen, false), "DiGraph ReactionNetwork{\r\n" + Node(0) + "}\r\n");
  EXPECT_EQ(NetworkGraphText(hydrogen, true), "DiGraph ReactionNetwork{\r\n}\r\n");
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
  const TResult<> picture = ExportNetworkGraph(network, graph, false, failing);
  ASSERT_FALSE(picture);
  EXPECT_EQ(picture.error().Message,
            "Cannot write the picture \"" + dir.file("pict_2.png") + "\": No space left on device.");
  EXPECT_EQ(failing.paths.size(), 3u);

  // A failed write names the file (how it is replaced is the file writer's concern).
  const TResult<> missing = ExportNetworkGraph(network, dir.file("no") + "/ethane.gv", false, writer);
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().Code, TErrorCode::FileSystem);
  EXPECT_EQ(missing.error().Message.rfind("Cannot write the graph file \"" + dir.file("no") + "/ethane.gv\": ", 0),
            0u);
  EXPECT_EQ(Slurp(graph), "old");

  // A directory in the way, a graph file named like a picture: refused before any write.
  fs::create_directory(dir.file("taken"));
  EXPECT_FALSE(ExportNetworkGraph(network, dir.file("taken"), false, writer));
  EXPECT_TRUE(fs::is_empty(dir.file("taken")));
  RecordingPictureWriter none;
  EXPECT_EQ(ExportNetworkGraph(network, dir.file("pict_4.png"), false, none).error().Message,
            "Cannot write the graph file \"" + dir.file("pict_4.png") +
                "\": it has the name of the picture of component 4.");
  EXPECT_TRUE(none.paths.empty());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 2);
}

}  // namespace
}  // namespace korvane
