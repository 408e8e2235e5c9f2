#include "app/graph_export.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;
using testing::AddFeed;
using testing::MoleculeFrom;

// Records every picture it is asked for; fails the call numbered `failAt`.
class RecordingPictureWriter : public TMoleculePictureWriter {
 public:
  struct Call {
    const TMolecule* molecule;
    TPictureGeometry geometry;
    std::string path;
  };

  bool Write(const TMolecule& molecule, const TPictureGeometry& geometry, const std::string& path,
             std::string* error) override {
    calls.push_back({&molecule, geometry, path});
    if (calls.size() == failAt) {
      *error = "Cannot write the picture \"" + path + "\": No space left on device.";
      return false;
    }
    return true;
  }

  std::vector<Call> calls;
  std::size_t failAt = 0;
};

class GraphExport : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() /
            ("korvane_graph_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  std::string Path(const std::string& name) const { return (m_dir / name).string(); }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_dir)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path m_dir;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TMolecule* AddProduct(TReactionNetwork& network, const std::string& description) {
  auto molecule = MoleculeFrom(description);
  return network.AddComponent(molecule->AdjacencyMatrix(), molecule->AtomTypes(), molecule->AromaticMatrix(), false);
}

using Side = std::vector<std::pair<TMolecule*, int>>;

void AddReaction(TReactionNetwork& network, std::int32_t type, double energy, const Side& reactants,
                 const Side& products) {
  TReaction reaction;
  reaction.SetParameters(type, energy, 1.0e13);
  for (auto [molecule, coefficient] : reactants) reaction.AddReactant(molecule, -coefficient);
  for (auto [molecule, coefficient] : products) reaction.AddProduct(molecule, coefficient);
  network.AddReactionCopy(reaction);
}

// Components 0 H, 1 He, 2 N2, 3 H2O, 4 ethane, 5 ethyl, 6 ethylene, 7 methyl,
// 8 n-butane. Ethyl loses H to ethylene by two different reactions, so the
// edges 5 -> 6 and 5 -> 0 are produced twice; the last reaction has three
// products.
void BuildEthaneNetwork(TReactionNetwork& network) {
  TMolecule* h = network.HydrogenAtom();
  TMolecule* ethane = AddFeed(network, testing::LinearAlkane(2));
  TMolecule* ethyl = AddProduct(network, "C. C; 0-1");
  TMolecule* ethylene = AddProduct(network, "C C; 0=1");
  TMolecule* methyl = AddProduct(network, "C.");
  TMolecule* butane = AddFeed(network, testing::LinearAlkane(4));
  AddReaction(network, kHydrogenTransfer, 410, {{ethane, 1}}, {{ethyl, 1}, {h, 1}});
  AddReaction(network, kBetaScission, 150, {{ethyl, 1}}, {{ethylene, 1}, {h, 1}});
  AddReaction(network, kBetaScission, 360, {{ethane, 1}}, {{methyl, 2}});
  AddReaction(network, kOtherReaction, 170, {{ethyl, 1}}, {{ethylene, 1}, {h, 1}});
  AddReaction(network, kRecombination, 0, {{ethyl, 1}, {h, 1}}, {{ethane, 1}});
  AddReaction(network, kOtherReaction, 500, {{butane, 1}}, {{ethyl, 1}, {ethylene, 1}, {h, 1}});
  ASSERT_EQ(network.ComponentCount(), 9u);
  ASSERT_EQ(testing::CheckNetwork(network), "");
}

std::string NodeLine(int i) { return std::to_string(i) + " [label=\"\",image=\"pict_" + std::to_string(i) + ".png\"];\r\n"; }

TEST_F(GraphExport, OneComponentWithoutReactionsGivesThreeLines) {
  TReactionNetwork network;
  std::vector<std::unique_ptr<TMolecule>> components;
  components.push_back(MoleculeFrom("H."));
  network.ReplaceContent(std::move(components), {});
  ASSERT_EQ(network.ComponentCount(), 1u);

  RecordingPictureWriter writer;
  const std::string graph = Path("network.gv");
  const TGraphExportResult result = ExportNetworkGraph(network, graph, false, writer);
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(ReadFile(graph), "DiGraph ReactionNetwork{\r\n0 [label=\"\",image=\"pict_0.png\"];\r\n}\r\n");
  ASSERT_EQ(writer.calls.size(), 1u);
  EXPECT_EQ(writer.calls[0].molecule, network.Component(0));
  EXPECT_EQ(writer.calls[0].path, Path("pict_0.png"));
  EXPECT_EQ(writer.calls[0].geometry, (TPictureGeometry{256, 150, 7}));
  EXPECT_EQ(Entries(), std::vector<std::string>{"network.gv"});

  // Without the hydrogen radical nothing is left but the frame.
  RecordingPictureWriter none;
  ASSERT_TRUE(ExportNetworkGraph(network, graph, true, none).Ok);
  EXPECT_EQ(ReadFile(graph), "DiGraph ReactionNetwork{\r\n}\r\n");
  EXPECT_TRUE(none.calls.empty());
}

TEST_F(GraphExport, EdgesByReactantThenReactionThenProductBeforeAllNodes) {
  TReactionNetwork network;
  BuildEthaneNetwork(network);
  std::string expected =
      "DiGraph ReactionNetwork{\r\n"
      "0 -> 4;\r\n"
      "4 -> 5;\r\n4 -> 0;\r\n4 -> 7;\r\n"
      "5 -> 6;\r\n5 -> 0;\r\n5 -> 6;\r\n5 -> 0;\r\n5 -> 4;\r\n"
      "8 -> 5;\r\n8 -> 6;\r\n8 -> 0;\r\n";
  for (int i = 0; i < 9; ++i) expected += NodeLine(i);
  expected += "}\r\n";
  EXPECT_EQ(NetworkGraphText(network, false), expected);

  RecordingPictureWriter writer;
  const std::string graph = Path("ethane.gv");
  ASSERT_TRUE(ExportNetworkGraph(network, graph, false, writer).Ok);
  EXPECT_EQ(ReadFile(graph), expected);
  ASSERT_EQ(writer.calls.size(), 9u);
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(writer.calls[i].molecule, network.Component(i));
    EXPECT_EQ(writer.calls[i].path, Path("pict_" + std::to_string(i) + ".png"));
  }
}

TEST_F(GraphExport, RemovingTheHydrogenRadicalDropsItsPictureNodeAndEdges) {
  TReactionNetwork network;
  BuildEthaneNetwork(network);
  // Ethane -> ethyl + H keeps only the edge to the ethyl radical; the
  // recombination ethyl + H -> ethane keeps only the edge from ethyl.
  std::string expected =
      "DiGraph ReactionNetwork{\r\n"
      "4 -> 5;\r\n4 -> 7;\r\n"
      "5 -> 6;\r\n5 -> 6;\r\n5 -> 4;\r\n"
      "8 -> 5;\r\n8 -> 6;\r\n";
  for (int i = 1; i < 9; ++i) expected += NodeLine(i);
  expected += "}\r\n";

  RecordingPictureWriter writer;
  const std::string graph = Path("ethane.gv");
  ASSERT_TRUE(ExportNetworkGraph(network, graph, true, writer).Ok);
  EXPECT_EQ(ReadFile(graph), expected);
  ASSERT_EQ(writer.calls.size(), 8u);
  for (std::size_t i = 1; i < 9; ++i) EXPECT_EQ(writer.calls[i - 1].path, Path("pict_" + std::to_string(i) + ".png"));
}

TEST_F(GraphExport, PictureFailureStopsTheExportAndKeepsTheGraphFile) {
  TReactionNetwork network;
  BuildEthaneNetwork(network);
  const std::string graph = Path("ethane.gv");
  WriteFile(graph, "previous graph");
  RecordingPictureWriter writer;
  writer.failAt = 3;
  const TGraphExportResult result = ExportNetworkGraph(network, graph, false, writer);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Message, "Cannot write the picture \"" + Path("pict_2.png") + "\": No space left on device.");
  EXPECT_EQ(writer.calls.size(), 3u);
  EXPECT_EQ(ReadFile(graph), "previous graph");
}

TEST_F(GraphExport, GraphWriteFailureLeavesNoTruncatedFile) {
  TReactionNetwork network;
  AddFeed(network, testing::LinearAlkane(4));
  network.Generate();
  const std::string graph = Path("butane.gv");
  WriteFile(graph, "previous graph");
  RecordingPictureWriter writer;

  // The file size limit lets the first bytes through and then fails the write.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const TGraphExportResult result = ExportNetworkGraph(network, graph, false, writer);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Message, "Cannot write the graph file \"" + graph + "\": File too large.");
  EXPECT_EQ(ReadFile(graph), "previous graph");
  EXPECT_EQ(Entries(), std::vector<std::string>{"butane.gv"});

  // A directory in the way of the graph file: refused, nothing left behind.
  const std::string folder = Path("taken");
  fs::create_directory(folder);
  const TGraphExportResult blocked = ExportNetworkGraph(network, folder, false, writer);
  EXPECT_FALSE(blocked.Ok);
  EXPECT_NE(blocked.Message.find("\"" + folder + "\""), std::string::npos) << blocked.Message;
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_TRUE(fs::is_empty(folder));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"butane.gv", "taken"}));

  // No directory to write into.
  EXPECT_FALSE(ExportNetworkGraph(network, Path("missing/butane.gv"), false, writer).Ok);
  EXPECT_FALSE(ExportNetworkGraph(network, "", false, writer).Ok);
}

TEST_F(GraphExport, GraphFileNamedLikeAPictureIsRefusedBeforeAnyWrite) {
  TReactionNetwork network;
  BuildEthaneNetwork(network);
  RecordingPictureWriter writer;
  const TGraphExportResult result = ExportNetworkGraph(network, Path("pict_4.png"), false, writer);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Message, "Cannot write the graph file \"" + Path("pict_4.png") +
                                "\": it has the name of the picture of component 4.");
  EXPECT_TRUE(writer.calls.empty());
  EXPECT_TRUE(Entries().empty());

  // The hydrogen radical's picture is not written when it is left out, so
  // its name is free.
  EXPECT_TRUE(ExportNetworkGraph(network, Path("pict_0.png"), true, writer).Ok);
}

TEST(GraphExportTexts, PicturePathsAndTheFolderQuestion) {
  EXPECT_EQ(GraphPicturePath("/data/nets/butane.gv", 12), "/data/nets/pict_12.png");
  EXPECT_EQ(GraphPicturePath("butane.gv", 0), "pict_0.png");
  EXPECT_EQ(GraphFolderQuestion("/data/nets/butane.gv"),
            "All of molecular images will be generated to the same floder \"/data/nets\". Is it OK?");
  EXPECT_EQ(GraphFolderQuestion("butane.gv"), std::string(kGraphFolderQuestionStart) +
                                                  fs::current_path().string() + kGraphFolderQuestionEnd);
}

}  // namespace
}  // namespace korvane
