#include "render/molecule_picture_writer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/graph_export.h"
#include "molecule_builder.h"
#include "network_checks.h"

namespace korvane {
namespace {

using testing::MoleculeFrom;

TEST(PngPictureWriter, WritesTheDrawingAndSeparatesDrawingMessagesFromFailures) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  std::vector<std::string> messages;
  PngPictureWriter writer([&messages](const std::string& message) { messages.push_back(message); });
  const std::string allylPath = dir.filePath("pict_3.png").toStdString();
  const auto allyl = writer.Write(*MoleculeFrom("C. C C; 0-1 1=2"), kGraphPictureGeometry, allylPath);
  ASSERT_TRUE(allyl) << allyl.error().Message;
  EXPECT_TRUE(messages.empty());
  const QImage picture(QString::fromStdString(allylPath));
  ASSERT_EQ(picture.size(), QSize(256, 150));
  EXPECT_EQ(picture.pixel(0, 0), 0xffffffff);  // drawn on white, the radical filled red
  bool red = false;
  for (int y = 0; y < 150; ++y)
    for (int x = 0; x < 256; ++x) red |= picture.pixel(x, y) == 0xffff0000;
  EXPECT_TRUE(red);

  // The ring message goes to the report once and the picture is still written.
  auto naphthalene = MoleculeFrom("c c c c c c c c c c; 0:1 1:2 2:3 3:4 4:5 5:0 4:6 6:7 7:8 8:9 9:5");
  const std::string ringPath = dir.filePath("pict_4.png").toStdString();
  EXPECT_TRUE(writer.Write(*naphthalene, kGraphPictureGeometry, ringPath));
  EXPECT_EQ(messages, std::vector<std::string>{kUnknownCycleMessage});
  EXPECT_EQ(QImage(QString::fromStdString(ringPath)).size(), QSize(256, 150));
  // A failed write goes to the caller alone and leaves no file.
  const std::string missing = dir.filePath("missing/pict_4.png").toStdString();
  const auto failed = writer.Write(*naphthalene, kGraphPictureGeometry, missing);
  ASSERT_FALSE(failed);
  EXPECT_NE(failed.error().Message.find(missing), std::string::npos) << failed.error().Message;
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
}

// The export as a user runs it: the generated n-butane network with real
// pictures, rendered by Graphviz from the graph file's directory.
TEST(PngPictureWriter, ExportedButaneGraphIsRenderedByGraphviz) {
  TReactionNetwork network;
  testing::AddFeed(network, testing::LinearAlkane(4));
  network.Generate();
  ASSERT_GT(network.ReactionCount(), 5u);
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  PngPictureWriter writer([](const std::string& message) { ADD_FAILURE() << message; });
  const TResult<> result = ExportNetworkGraph(network, dir.filePath("butane.gv").toStdString(), false, writer);
  ASSERT_TRUE(result) << result.error().Message;

  const QString dot = QStandardPaths::findExecutable("dot");
  if (dot.isEmpty()) GTEST_SKIP() << "Graphviz dot is not installed";
  QProcess process;
  process.setWorkingDirectory(dir.path());
  process.start(dot, {"-Tsvg", "butane.gv", "-o", "butane.svg"});
  ASSERT_TRUE(process.waitForFinished(120000));
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0);
  // dot only warns about a picture it cannot open; any warning is a fault.
  EXPECT_EQ(process.readAllStandardError().toStdString(), "");
  QFile svgFile(dir.filePath("butane.svg"));
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const std::string svg = svgFile.readAll().toStdString();
  for (std::size_t i = 0; i < network.ComponentCount(); ++i)
    EXPECT_NE(svg.find("xlink:href=\"pict_" + std::to_string(i) + ".png\""), std::string::npos) << i;
  // One arrow per edge line of the graph.
  std::size_t edges = 0, pairs = 0;
  for (std::size_t at = svg.find("class=\"edge\""); at != std::string::npos; at = svg.find("class=\"edge\"", at + 1))
    ++edges;
  for (std::size_t r = 0; r < network.ReactionCount(); ++r)
    pairs += network.Reaction(r)->Reactants.size() * network.Reaction(r)->Products.size();
  EXPECT_EQ(edges, pairs);
}

}  // namespace
}  // namespace korvane
