#pragma once
/// The network window's file commands: saving the network and exporting its
/// graph with a picture of every component.

#include <QString>

#include "gui/gui_context.h"
#include "reactions/reaction_network.h"

class QWidget;

namespace korvane::gui {

/// "Save reaction network to file": file dialog, the overwrite question, the
/// note, then the network file written through a temporary file, so a
/// failure leaves the old file as it was. Returns whether a file was written.
bool SaveNetworkCommand(GuiContext& context, const TReactionNetwork& network);

/// "Export graph of reaction network": file dialog, the folder question, the
/// hydrogen question, then the pictures and the graph file, with a progress
/// box the user can cancel. Returns whether the graph file was written.
bool ExportGraphCommand(GuiContext& context, const TReactionNetwork& network, QWidget* parent);

}  // namespace korvane::gui
