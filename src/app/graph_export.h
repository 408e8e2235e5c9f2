#pragma once
/// Export of a reaction network as a directed graph in the DOT language of
/// the Graphviz tools: one node per component, drawn as a picture of the
/// molecule, and one edge from each reactant to each product of each
/// reaction. The pictures are PNG files "pict_<i>.png" beside the graph file.
///
/// Graph file (lines end with CR LF):
///   DiGraph ReactionNetwork{
///   <i> -> <product>;                          edges, by reactant i, then
///                                              reaction, then product
///   <i> [label="",image="pict_<i>.png"];       nodes, after every edge
///   }
/// Nodes are named by the component's position in the network; an edge is
/// written once for every reaction that produces it, so edges can repeat.
/// Graphviz finds the pictures when it runs in the graph file's directory.

#include <cstddef>
#include <string>

#include "app/picture_writer.h"
#include "core/work_control.h"
#include "reactions/reaction_network.h"

namespace korvane {

/// Geometry of every component picture: 256 x 150 pixels, 7 bond lengths
/// across.
inline constexpr TPictureGeometry kGraphPictureGeometry{256, 150, 7};

/// The export command's first question: kGraphFolderQuestionStart, the
/// folder (see GraphFolderQuestion), kGraphFolderQuestionEnd; caption
/// kGraphFolderQuestionCaption, Yes/No. No cancels the export.
inline constexpr const char* kGraphFolderQuestionStart =
    "All of molecular images will be generated to the same floder \"";
inline constexpr const char* kGraphFolderQuestionEnd = "\". Is it OK?";
inline constexpr const char* kGraphFolderQuestionCaption = "Warning";
/// The second question, with an empty caption; Yes sets the option to leave
/// the hydrogen radical out.
inline constexpr const char* kRemoveHydrogenQuestion = "Would you like to remove hydrogen radical from the scheme?";
inline constexpr const char* kRemoveHydrogenQuestionCaption = "";

/// The first question for a chosen graph file, naming the folder the
/// pictures go to (as an absolute path).
std::string GraphFolderQuestion(const std::string& graphFileName);

/// Path of the picture of component `index`: the graph file's directory
/// followed by "pict_<index>.png" (a bare file name gives a bare picture name).
std::string GraphPicturePath(const std::string& graphFileName, std::size_t index);

/// The DOT text of the network (CR LF line ends). With
/// `removeHydrogenRadical`, the network's hydrogen atom gets no node and no
/// edge from or to it.
std::string NetworkGraphText(const TReactionNetwork& network, bool removeHydrogenRadical);

/// What a stopped graph export says.
inline constexpr const char* kGraphExportCancelled =
    "The export was cancelled; the graph file was not changed, the pictures written so far stay.";

/// Writes the picture of every component (except the hydrogen atom when
/// `removeHydrogenRadical` is set) through `pictureWriter`, in component
/// order, then the graph file line by line. Stops at the first failure, with
/// the picture writer's error or one naming the graph file ("Cannot write
/// the graph file "<file>": <reason>."; Refused without a name or for a name
/// that one of the pictures takes); pictures written before it stay. The
/// graph file is written under a temporary name beside it and renamed into
/// place, so a failure never leaves a truncated graph and keeps any file
/// already there. `control` counts every picture and each component's edges
/// and node line; stopped, the export ends before the next picture or line
/// with Refused, kGraphExportCancelled.
TResult<> ExportNetworkGraph(const TReactionNetwork& network, const std::string& graphFileName,
                             bool removeHydrogenRadical, TMoleculePictureWriter& pictureWriter,
                             const TWorkControl& control = {});

}  // namespace korvane
