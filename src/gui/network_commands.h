#pragma once
/// The questions and the work of the network window's file commands:
/// saving the network and exporting its graph with a picture of every
/// component. The questions run on the user-interface thread; the work on a
/// worker thread under the network's busy lease.

#include <QString>
#include <atomic>
#include <optional>
#include <set>
#include <string>

#include "gui/background_task.h"
#include "gui/gui_context.h"
#include "reactions/reaction_network.h"

namespace korvane::gui {

/// Where and with which note to save.
struct TSaveRequest {
  QString FileName;
  QString Note;
};

/// "Save reaction network to file": the file dialog, the overwrite question
/// and the note (proposed: `note`, refused above 255 bytes). Nothing when the
/// user cancels the dialog or declines to overwrite.
std::optional<TSaveRequest> AskSaveAs(GuiContext& context, const QString& note);

/// The message that reports a failed save.
QString SaveFailureMessage(const TError& error);

/// Where the graph goes and whether the hydrogen atom is left out.
struct TGraphExportRequest {
  std::string FileName;
  bool RemoveHydrogen = false;
};

/// "Export graph of reaction network": the file dialog, the folder question
/// and the hydrogen question. Nothing when the user cancels.
std::optional<TGraphExportRequest> AskGraphExport(GuiContext& context);

/// The pictures and the graph file, counting them in `progress`; stops
/// before the next picture or line once `stop` is set. The drawing's messages
/// are collected once each in `messages`. Returns the failure, empty when
/// the graph was written.
std::string ExportGraphWork(const TReactionNetwork& network, const TGraphExportRequest& request,
                            const std::atomic<bool>& stop, TTaskProgress& progress,
                            std::set<std::string>& messages);

}  // namespace korvane::gui
