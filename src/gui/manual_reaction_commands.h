#pragma once
/// The reaction page's commands that construct reactions by hand: "Add
/// munally" adds a new reaction, "Edit actual" changes the selected one in
/// place. Both open the manual reaction dialog and change the network only
/// after it accepted and the user confirmed.

namespace korvane::gui {

class TReact_Net_Wind;
struct GuiContext;

/// Adds "Add munally" and "Edit actual" to the window's reaction page.
void AddManualReactionCommands(TReact_Net_Wind& window, GuiContext& context);

/// "Add munally": the dialog on an empty reaction; when it accepts and the
/// user confirms, a copy joins the network; then, if the user wishes, the
/// network is relinked and its after-filter selectivities recomputed.
void AddReactionByHand(TReact_Net_Wind& window, GuiContext& context);

/// "Edit actual": the dialog on a working copy of the selected reaction;
/// when it accepts and the user confirms, the reaction takes the copy's
/// participants and parameters with its links kept consistent; then the
/// same integrity question.
void EditSelectedReaction(TReact_Net_Wind& window, GuiContext& context);

}  // namespace korvane::gui
