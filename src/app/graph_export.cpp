#include "app/graph_export.h"

#include <cassert>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "core/file_replace.h"

namespace korvane {
namespace {

namespace fs = std::filesystem;

constexpr const char* kLineEnd = "\r\n";

std::string PictureName(std::size_t index) { return "pict_" + std::to_string(index) + ".png"; }

bool LeftOut(const TReactionNetwork& network, const TMolecule* component, bool removeHydrogenRadical) {
  return removeHydrogenRadical && component == network.HydrogenAtom();
}

TError GraphFileFailure(TErrorCode code, const std::string& graphFileName, const std::string& reason) {
  return {code, "Cannot write the graph file \"" + graphFileName + "\": " + reason + "."};
}

bool WriteNetworkGraph(const TReactionNetwork& network, bool removeHydrogenRadical, TByteSink& sink,
                       TWorkCounter& counter) {
  // Edge targets are positions, like node names; a map keeps the lookup
  // constant for networks of thousands of components.
  std::unordered_map<const TMolecule*, std::size_t> position;
  position.reserve(network.ComponentCount());
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) position.emplace(network.Component(i), i);

  std::string line = std::string("DiGraph ReactionNetwork{") + kLineEnd;
  sink.Write(line);
  for (std::size_t i = 0; i < network.ComponentCount() && counter.Step(); ++i) {
    const TMolecule* component = network.Component(i);
    if (LeftOut(network, component, removeHydrogenRadical)) continue;
    for (const TReaction* reaction : component->ReactionLinks[kConsumedIn]) {
      // Every product gets its edge: a reaction read from a file or built by
      // hand may have more than the two products generated reactions have.
      for (const TMolecule* product : reaction->Products) {
        if (LeftOut(network, product, removeHydrogenRadical)) continue;
        const auto found = position.find(product);
        assert(found != position.end() && "a reaction product is not a component of its network");
        if (found == position.end()) continue;
        line = std::to_string(i) + " -> " + std::to_string(found->second) + ";" + kLineEnd;
        sink.Write(line);
      }
    }
  }
  for (std::size_t i = 0; i < network.ComponentCount() && counter.Step(); ++i) {
    if (LeftOut(network, network.Component(i), removeHydrogenRadical)) continue;
    line = std::to_string(i) + " [label=\"\",image=\"" + PictureName(i) + "\"];" + kLineEnd;
    sink.Write(line);
  }
  sink.Write(std::string("}") + kLineEnd);
  return !counter.Stopped();
}

}  // namespace

std::string GraphFolderQuestion(const std::string& graphFileName) {
  std::error_code ec;
  fs::path folder = fs::absolute(fs::path(graphFileName), ec).parent_path();
  if (ec) folder = fs::path(graphFileName).parent_path();
  return kGraphFolderQuestionStart + folder.string() + kGraphFolderQuestionEnd;
}

std::string GraphPicturePath(const std::string& graphFileName, std::size_t index) {
  return (fs::path(graphFileName).parent_path() / PictureName(index)).string();
}

std::string NetworkGraphText(const TReactionNetwork& network, bool removeHydrogenRadical) {
  TStringSink sink;
  const TWorkControl none;
  TWorkCounter counter(none, 2 * network.ComponentCount());
  WriteNetworkGraph(network, removeHydrogenRadical, sink, counter);
  return std::move(sink.Text());
}

TResult<> ExportNetworkGraph(const TReactionNetwork& network, const std::string& graphFileName,
                             bool removeHydrogenRadical, TMoleculePictureWriter& pictureWriter,
                             const TWorkControl& control) {
  if (graphFileName.empty()) return GraphFileFailure(TErrorCode::Refused, graphFileName, "no file name was given");

  std::vector<std::size_t> pictured;
  for (std::size_t i = 0; i < network.ComponentCount(); ++i)
    if (!LeftOut(network, network.Component(i), removeHydrogenRadical)) pictured.push_back(i);

  // A graph file named like one of the pictures would overwrite it after it
  // was written and leave a node without its picture.
  const std::string graphName = fs::path(graphFileName).filename().string();
  for (std::size_t i : pictured)
    if (graphName == PictureName(i))
      return GraphFileFailure(TErrorCode::Refused, graphFileName,
                              "it has the name of the picture of component " + std::to_string(i));

  // A picture is a record, and so is each component's turn in the edges and
  // in the nodes of the graph file. Pictures take far longer than the rest,
  // so every one of them is reported and may stop the export.
  const std::size_t total = pictured.size() + 2 * network.ComponentCount();
  std::size_t done = 0;
  for (std::size_t i : pictured) {
    if (control.StopRequested()) return TError{TErrorCode::Refused, kGraphExportCancelled};
    const std::string path = GraphPicturePath(graphFileName, i);
    if (auto written = pictureWriter.Write(*network.Component(i), kGraphPictureGeometry, path); !written)
      return written;
    control.Report(++done, total);
  }
  const TWorkControl graphControl{control.Stop, [&control, done, total](std::size_t records, std::size_t) {
                                    control.Report(done + records, total);
                                  }};
  TWorkCounter counter(graphControl, 2 * network.ComponentCount());
  const auto written = ReplaceFileStreaming(graphFileName, [&](TByteSink& sink) -> TResult<> {
    if (!WriteNetworkGraph(network, removeHydrogenRadical, sink, counter))
      return TError{TErrorCode::Refused, kGraphExportCancelled};
    return {};
  });
  if (!written && written.error().Code == TErrorCode::FileSystem)
    return GraphFileFailure(TErrorCode::FileSystem, graphFileName, written.error().Message);
  if (written) control.Report(total, total);
  return written;
}

}  // namespace korvane
