#include "app/graph_export.h"

#include "core/file_replace.h"


#include <cassert>
#include <filesystem>
#include <system_error>
#include <unordered_map>
#include <vector>

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

TResult<> WriteReplacing(const std::string& graphFileName, const std::string& text) {
  if (const auto written = ReplaceFileContents(graphFileName, text); !written)
    return GraphFileFailure(TErrorCode::FileSystem, graphFileName, written.error().Message);
  return {};
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
  // Edge targets are positions, like node names; a map keeps the lookup
  // constant for networks of thousands of components.
  std::unordered_map<const TMolecule*, std::size_t> position;
  position.reserve(network.ComponentCount());
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) position.emplace(network.Component(i), i);

  std::string text = std::string("DiGraph ReactionNetwork{") + kLineEnd;
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
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
        text += std::to_string(i) + " -> " + std::to_string(found->second) + ";" + kLineEnd;
      }
    }
  }
  for (std::size_t i = 0; i < network.ComponentCount(); ++i) {
    if (LeftOut(network, network.Component(i), removeHydrogenRadical)) continue;
    text += std::to_string(i) + " [label=\"\",image=\"" + PictureName(i) + "\"];" + kLineEnd;
  }
  text += std::string("}") + kLineEnd;
  return text;
}

TResult<> ExportNetworkGraph(const TReactionNetwork& network, const std::string& graphFileName,
                             bool removeHydrogenRadical, TMoleculePictureWriter& pictureWriter) {
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

  for (std::size_t i : pictured) {
    const std::string path = GraphPicturePath(graphFileName, i);
    if (auto written = pictureWriter.Write(*network.Component(i), kGraphPictureGeometry, path); !written)
      return written;
  }
  return WriteReplacing(graphFileName, NetworkGraphText(network, removeHydrogenRadical));
}

}  // namespace korvane
